#include "board/BoardDrawing.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "app/SettingsText.h"
#include "board/BoardGeometry.h"
#include "board/BoardStyle.h"

#include <QPainter>
#include <exception>

using SettingsText::roundEven;

namespace {

// The cube strip's cell for a value: 1 to 32 have their own; the centred cube's face is
// the 64, so 64 shows it too. 0 for a value the strip has no face for.
int cubeCell(int value) {
    switch (value) {
    case 1: return 1;
    case 2: return 2;
    case 4: return 3;
    case 8: return 4;
    case 16: return 5;
    case 32: return 6;
    case 64: return 1;
    default: return 0;
    }
}

bool isDoubledValue(int value) {
    return value >= 2 && (value & (value - 1)) == 0;
}

// Values past the strip's faces only come up in long unlimited sessions; they get a cube
// of their own with the number on it, in the strip's cell size.
QImage numberedCube(int value, int width, int height) {
    QImage cube(width, height, QImage::Format_RGB32);
    cube.fill(qRgb(0, 0, 0));
    QPainter p(&cube);
    const QRect body(1, 1, width - 3, height - 3);
    p.setPen(QPen(QColor(70, 52, 34), 2));
    p.setBrush(QColor(242, 234, 214));
    p.drawRoundedRect(body, width / 7.0, height / 7.0);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    const QString text = QString::number(value);
    for (int size = height / 2; size > 5; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= body.width() - 6)
            break;
    }
    p.setFont(font);
    p.setPen(QColor(28, 38, 76));
    p.drawText(body, Qt::AlignCenter, text);
    return cube;
}

void report(const char *text, const std::exception &error) {
    Dialogs::message(QLatin1String(text) + QString::fromLocal8Bit(error.what()));
}

}  // namespace

BoardDrawing::BoardDrawing(const BoardPictures &pictures, const BoardGeometry &geometry, CheckerRecords &records,
                           MatchState &match, StateFlags &flags, const Preferences &prefs)
    : pictures_(pictures), geometry_(geometry), records_(records), match_(match), flags_(flags), prefs_(prefs) {}

void BoardDrawing::setEmptyBoard(const QImage &picture) {
    empty_ = picture;
    buffer_ = picture;
}

// --- sprites --------------------------------------------------------------------------

SpriteRect BoardDrawing::checkerSprite(Side side) const {
    const int cw = pictures_.ChipNearBlack.width();
    const int hh = roundEven(pictures_.ChipNearBlack.height() / 2.0);
    return side == Side::Black ? SpriteRect{0, 0, cw, hh} : SpriteRect{0, hh, cw, 2 * hh};
}

SpriteRect BoardDrawing::flatSprite(Side side) const {
    const int fw = pictures_.picFlatB.width();
    const int half = roundEven(pictures_.picFlatB.height() / 2.0);
    return side == Side::Black ? SpriteRect{0, 0, fw, half} : SpriteRect{0, half, fw, pictures_.picFlatB.height()};
}

const QImage &BoardDrawing::checkerSheet() const {
    return pictures_.ChipNearBlack;
}

void BoardDrawing::drawChecker(Side side, int x, int y) {
    if (geometry_.isTrayPlace(x))
        TransparentBlit(buffer_, buffer_, pictures_.picFlatB, flatSprite(side), x, y);
    else
        drawUprightChecker(side, x, y);
}

void BoardDrawing::drawUprightChecker(Side side, int x, int y) {
    TransparentBlit(buffer_, buffer_, pictures_.ChipNearBlack, checkerSprite(side), x, y);
}

void BoardDrawing::erase(int x, int y, int width, int height) {
    PlainBlit(buffer_, empty_, x, y, width, height);
}

void BoardDrawing::showBuffer(const QRect &changed) {
    showPicture(buffer_, changed);
}

void BoardDrawing::showPicture(const QImage &picture, const QRect &changed) {
    shown_ = picture;
    for (BoardDisplay *display : {boardShow_, fullScreen_})
        if (display)
            display->showBoard(shown_, changed);
}

// --- the whole board ------------------------------------------------------------------

void BoardDrawing::drawCheckers() {
    buffer_ = empty_;
    // Lower places first, so that the second and third rows lie over the first.
    for (Side side : {Side::Black, Side::White}) {
        const CheckerSet &set = records_.checkers(side);
        for (int place = 1; place <= CheckerSet::size; ++place)
            for (int i = 1; i <= CheckerSet::size; ++i)
                if (set[i].slot == place)
                    drawChecker(side, set[i].x, set[i].y);
    }
}

void BoardDrawing::showMiddleGameboard() {
    try {
        drawCheckers();
        shownDice_.reset();
        applyDoublingRule();
        if (match_.theCubeVal > 1)
            ShowCube(match_.blackOwnsCube ? 3 : 4, match_.theCubeVal);
        else
            ShowCube(0, 1);
        showBuffer();
        // Every position drawn shows its own pip counts.
        if (hooks.GetPips)
            hooks.GetPips();
    } catch (const std::exception &error) {
        report("Error in showMiddleGameboard ", error);
    }
}

void BoardDrawing::showEmptyBoard() {
    shownDice_.reset();
    shownCube_.reset();
    buffer_ = empty_;
    showBuffer();
}

void BoardDrawing::redraw() {
    try {
        const std::optional<ShownDice> dice = shownDice_;
        drawCheckers();
        if (shownCube_)
            ShowCube(shownCube_->first, shownCube_->second);
        if (dice)
            drawDice(dice->side, dice->die1, dice->die2);
        showBuffer();
        if (hooks.GetPips)
            hooks.GetPips();
    } catch (const std::exception &error) {
        report("Error in showMiddleGameboard ", error);
    }
}

// Once the score plus the cube reaches the match length (or in the Crawford game) a double
// can no longer change anything, so the user is no longer asked about doubling.
void BoardDrawing::applyDoublingRule() {
    const QString matchText = hooks.matchCaption ? hooks.matchCaption() : QString();
    if (!SettingsText::isNumeric(matchText))
        return;
    const auto length = SettingsText::toInt32(matchText);
    // A score that does not read as a number cannot be judged; the next redraw will.
    const auto score = SettingsText::toInt32(hooks.scoreCaption ? hooks.scoreCaption() : QString());
    if (!length || !score)
        return;
    if (qint64(*score) + match_.theCubeVal < *length && match_.isCrawford != 1)
        return;
    if (match_.AskToDouble && flags_.isPlaying && !flags_.isBot) {
        match_.AskToDouble = false;
        if (hooks.doublingNoLongerMatters)
            hooks.doublingNoLongerMatters();
    } else if (flags_.isBot && match_.isMatch && match_.AskToDouble) {
        match_.AskToDouble = false;
    }
}

// --- dice ----------------------------------------------------------------------------

void BoardDrawing::ClearDice(const QString &which) {
    const int w = roundEven(pictures_.picBlackDice.width() / 2.0);
    const int h = roundEven(pictures_.picBlackDice.height() / 2.0);
    const int y = roundEven(size().height() * 0.47);
    const QRect white(roundEven(size().width() * 0.25), y, w, h);
    const QRect black(roundEven(size().width() * 0.7), y, w, h);
    const bool both = which == QLatin1String("both");
    QRect changed;
    for (const auto &[area, side] : {std::pair{white, Side::White}, std::pair{black, Side::Black}}) {
        if (!both && which != QLatin1String(side == Side::Black ? "black" : "white"))
            continue;
        erase(area.x(), area.y(), area.width(), area.height());
        changed |= area;
        if (shownDice_ && shownDice_->side == side)
            shownDice_.reset();
    }
    showBuffer(changed);
}

void BoardDrawing::ShowBlackDice() {
    showDice(Side::Black);
}

void BoardDrawing::ShowWhitedice() {
    showDice(Side::White);
}

void BoardDrawing::showDice(Side side) {
    const bool black = side == Side::Black;
    if (!prefs_.prfDisableSounds && prefs_.prfSRoll)
        play(black ? QStringLiteral("dice1") : QStringLiteral("dice2"));
    if (hooks.clearMoveRecords)
        hooks.clearMoveRecords();
    records_.blackAtRoll = records_.blackCheckers;
    records_.whiteAtRoll = records_.whiteCheckers;

    ClearDice(QStringLiteral("both"));
    drawDice(side, match_.die1, match_.die2);
    rolledDoubles_ = match_.die1 == match_.die2;

    const int delay = roundEven(prefs_.prfDelay * 1000);
    if (black) {
        if (!flags_.isConnected && !flags_.replayStep && !flags_.isBot)
            sleep(delay);
        if (flags_.isWatching)
            sleep(500);
    } else {
        if (!flags_.isConnected && (!flags_.replayStep || flags_.isBot))
            sleep(delay);
        if (flags_.selfPlay)
            sleep(prefs_.prfDelay > 0 ? delay : 1500);
        sleep(500);
    }
}

void BoardDrawing::drawDice(Side side, int die1, int die2) {
    const bool black = side == Side::Black;
    const QImage &dice = pictures_.picBlackDice;
    const double fw = dice.width() / 6.0;
    const int top = black ? 0 : roundEven(dice.height() / 2.0);
    const int bottom = black ? roundEven(dice.height() / 2.0) : dice.height();
    const SpriteRect first{roundEven(fw * (die1 - 1)), top, roundEven(fw * die1), bottom};
    const SpriteRect second{roundEven(fw * (die2 - 1)), top, roundEven(fw * die2), bottom};
    const int x1 = roundEven(size().width() * (black ? 0.7 : 0.25));
    const int x2 = roundEven(fw + x1 + 3);
    const int y = roundEven(size().height() * 0.47);
    TransparentBlit(buffer_, buffer_, dice, first, x1, y);
    TransparentBlit(buffer_, buffer_, dice, second, x2, y);
    showBuffer(QRect(x1, y, first.width(), first.height()) | QRect(x2, y, second.width(), second.height()));
    shownDice_ = ShownDice{side, die1, die2};
}

// --- cube ----------------------------------------------------------------------------

void BoardDrawing::ClearAllCubes() {
    const int w = roundEven(pictures_.picCube64.width() / 7.0);
    const int h = pictures_.picCube64.height();
    QRect changed;
    for (const QPoint &spot : cubeSpots_) {
        erase(spot.x(), spot.y(), w, h);
        changed |= QRect(spot, QSize(w, h));
    }
    showBuffer(changed);
}

void BoardDrawing::ShowCube(int place, int value) {
    const QImage &cubes = pictures_.picCube64;
    const int W = size().width();
    const int H = size().height();
    const int gap = geometry_.sp_bottom - pictures_.ChipNearBlack.width() - geometry_.sp_top;
    const int x = geometry_.sp_cubex;
    cubeSpots_ = {QPoint(x, roundEven(H * 0.5 - cubes.height() / 2.0 - gap)),
                  QPoint(roundEven(W * 0.7), roundEven(H * 0.45)), QPoint(roundEven(W * 0.25), roundEven(H * 0.45)),
                  QPoint(x, roundEven(H * 0.9)), QPoint(x, roundEven(H * 0.02))};
    ClearAllCubes();

    const int cellWidth = cubes.width() / 7;
    const int cell = cubeCell(value);
    QImage sheet = cubes;
    SpriteRect sprite{(cell - 1) * cellWidth, 0, cell * cellWidth, cubes.height()};
    QPoint at;
    if (match_.isCrawford == 1) {
        sprite = {cubes.width() - cellWidth, 0, cubes.width(), cubes.height()};
        at = cubeSpots_[0];
    } else if (value == 1) {
        at = cubeSpots_[0];
    } else if (isDoubledValue(value) && place >= 1 && place <= 4) {
        if (place == 1 || place == 2)
            ClearDice(QStringLiteral("both"));
        at = cubeSpots_[std::size_t(place)];
        if (cell == 0) {
            sheet = numberedCube(value, cellWidth, cubes.height());
            sprite = {0, 0, cellWidth, cubes.height()};
        }
    } else {
        match_.cubeChanged = false;
        return;
    }
    TransparentBlit(buffer_, buffer_, sheet, sprite, at.x(), at.y());
    showBuffer(QRect(at, QSize(sprite.width(), sprite.height())));
    shownCube_ = std::pair{place, value};
    match_.cubeChanged = false;
}

// --- showing the board ---------------------------------------------------------------

void BoardDrawing::HideBlueScreen() {
    if (flags_.isExitClicked)
        return;
    if (hooks.panelShown && hooks.panelShown())
        return;
    showBuffer();
    if (hooks.showPanel)
        hooks.showPanel();
    ClearAllCubes();
}

void BoardDrawing::sleep(int milliseconds) {
    if (hooks.sleep)
        hooks.sleep(milliseconds);
}

void BoardDrawing::play(const QString &name) {
    if (hooks.playSound)
        hooks.playSound(name);
}
