// The main window's side of the board: loading a style and laying the window out round
// it, reading the style's coordinates, and what the board drawing needs of the window.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "board/BoardShow.h"
#include "connection/BoardLine.h"
#include "mainform/Mainform.h"
#include "play/LinePosition.h"
#include "play/frmHide.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <exception>

namespace {
// Narrower than this and the player lists stop being readable. It is what a screen 1024
// pixels wide leaves beside the default board, less a window manager's frame.
constexpr int kMinListWidth = 288;
// The panel under the board takes this share of the window's height as it is resized.
constexpr double kPanelShare = 0.3;
// The board-data editor's position: checkers on most points, both bars and trays, dice and
// cube, drawn plain, so that every coordinate of a trial can be judged.
const QString kPreviewLine = QStringLiteral(
    "board:You:GnuBG:3:0:0:0:1:1:1:1:1:1:1:1:1:1:1:1:-1:-1:-1:-1:-1:-1:-1:-2:-1:-1:-1:0:0:1:0:0:6:4::1:1:1:0:1:-1:0:25:"
    "2:2:0:0:2:1:0:0");
}  // namespace

void Mainform::wireBoard() {
    board.setBoardShow(boardShow);
    board.hooks.playSound = [this](const QString &name) { PlayWav(name, false, prefs); };
    board.hooks.sleep = [](int milliseconds) { PlainSleep(milliseconds); };
    board.hooks.scoreCaption = [this] { return lblScore1->text(); };
    board.hooks.matchCaption = [this] { return lblMatch->text(); };
    board.hooks.doublingNoLongerMatters = [this] { actions.doublingNoLongerMatters(); };
    board.hooks.panelShown = [this] { return !Picture2->isHidden(); };
    board.hooks.showPanel = [this] { Picture2->show(); };

    tbarcube1.load(Program::path(QStringLiteral("pics/tbarcube1.bmp")));
    tbarcube2.load(Program::path(QStringLiteral("pics/tbarcube2.bmp")));
    cmdDouble2->setIcon(tbarcube1);
}

void Mainform::SetNewBoardStyle(QString &style) {
    try {
        setWindowState(Qt::WindowNoState);
        boardStyle.SetNewBoardStyle(style, prefs.prfBoardStyle, store, screenWidth());
    } catch (const std::exception &error) {
        Dialogs::message(QStringLiteral("Error SetNewBoardStyle ") + QString::fromLocal8Bit(error.what()));
        if (!boardStyle.folder().isEmpty())
            return;  // the style in use stays
        // Nothing shows yet: any style that loads is better than an empty board.
        const QString shown = boardStyle.standIn();
        // The box has named the style that failed; the short status line names the one shown.
        standInNote_ = shown.isEmpty() ? QStringLiteral("No board style could be loaded")
                                       : QStringLiteral("Style in use: ") + shown;
        setCaption(lblStatus, standInNote_);
        if (shown.isEmpty())
            return;
    }
    layOutRoundBoard();
}

void Mainform::ReadFromDisk(const QString &file) {
    if (boardStyle.folder().isEmpty())
        return;  // no style loaded: no coordinates to look for
    boardGeometry.ReadFromDisk(boardStyle.folder(), file, SpriteSizes::of(boardStyle.pictures()));
}

void Mainform::layOutRoundBoard() {
    // The first layout fits the window size the user left, which was made for this board;
    // a later one keeps the player lists as wide as they are and lets the window follow the board.
    const bool first = board.shownBoard().isNull();
    const int oldBoardWidth = boardShow->width();
    board.setEmptyBoard(boardStyle.pictures().thepicture);
    const QSize boardSize = board.size();
    boardShow->setFixedSize(boardSize);

    Form_Resize();
    const int listWidth = qMax(kMinListWidth, width() - (first ? boardSize.width() : oldBoardWidth));
    // The toolbar's height at the new width (one row of buttons or two); the panel under the
    // board keeps its share of the height, so it sits right under the board.
    const int strip = layOutToolbar(listWidth + boardSize.width());
    const int innerHeight = SettingsText::roundEven((strip + boardSize.height()) / (1 - kPanelShare));
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    resize(fittedLayout(QSize(listWidth + boardSize.width(), innerHeight + menuHeight)));
    prefs.prfRegSizex = width();
    prefs.prfRegSizey = height();

    Picture2->hide();
    slackButton = SettingsText::roundEven(boardSize.width() - cmdExit->width() - cmdUndo->width() * 14.0);
    if (const QImage &tray = boardStyle.pictures().picTray; !tray.isNull()) {
        QPalette palette = Picture2->palette();
        palette.setBrush(QPalette::Window, QPixmap::fromImage(tray));
        Picture2->setPalette(palette);
        Picture2->setAutoFillBackground(true);
    }
    Form_Resize();
    board.HideBlueScreen();
    setWindowTitle(QStringLiteral("Korvex       ") +
                   QLocale::c().toString(QDate::currentDate(), QStringLiteral("dddd, MMM d yyyy")));
}

// The screen takes what it must from the panel under the board and from the player lists,
// never the board nor the narrowest lists.
QSize Mainform::fittedLayout(QSize wanted) const {
    QSize fit = fitted(wanted);
    fit.setWidth(qMax(fit.width(), qMin(wanted.width(), boardShow->width() + kMinListWidth)));
    return fit;
}

bool Mainform::ApplyBoardStyle(const QString &previousStyle) {
    setFullScreen(false);
    setWindowState(Qt::WindowNoState);
    try {
        boardStyle.SetNewBoardStyle(prefs.prfBoardStyle, prefs.prfBoardStyle, store, screenWidth());
    } catch (const std::exception &) {
        prefs.prfBoardStyle = previousStyle;
        // A trial of the old style's coordinates was thrown away on the way here.
        ReadFromDisk(QStringLiteral("data.txt"));
        redrawWithNewCoordinates();
        Dialogs::message(QStringLiteral("There was an error loading BoardStyle..missing or invalid data"));
        return false;
    }
    layOutRoundBoard();
    ReadFromDisk(QStringLiteral("data.txt"));
    redrawWithNewCoordinates();
    if (isHidden())
        show();
    return true;
}

void Mainform::redrawWithNewCoordinates() {
    bool anyShown = false;
    for (CheckerSet *set : {&checkers.blackCheckers, &checkers.whiteCheckers, &checkers.blackBeforeMove,
                            &checkers.whiteBeforeMove, &checkers.blackAtRoll, &checkers.whiteAtRoll}) {
        for (int i = 1; i <= CheckerSet::size; ++i) {
            const CheckerRec rec = (*set)[i];
            if (rec.isParked())
                continue;
            set->place(i, rec.point, rec.slot, boardGeometry);
            anyShown = anyShown || set == &checkers.blackCheckers || set == &checkers.whiteCheckers;
        }
    }
    // An empty board stays as it is, without a cube on it; a position is shown again with
    // its dice and cube, whatever the turn has come to.
    if (anyShown)
        board.redraw();
    else
        board.showBuffer();
}

// The preview has a board drawing of its own: the game's records, dice and flags never see
// the fixed position, and the next drawing of the game puts the real board back.
void Mainform::previewBoardData() {
    ReadFromDisk(QStringLiteral("testdata.txt"));
    CheckerRecords position;
    MatchState shown;
    StateFlags quiet;
    try {
        const BoardLine line(kPreviewLine);
        LinePosition::read(line, false, position, boardGeometry);
        shown.theCubeVal = line.number(BoardLine::Cube);
        shown.die1 = line.number(BoardLine::OpponentDie1);
        shown.die2 = line.number(BoardLine::OpponentDie2);
    } catch (const std::exception &error) {
        Dialogs::message(QStringLiteral("Error in cmdUpdate_Click ") + QString::fromLocal8Bit(error.what()));
        return;
    }
    BoardDrawing preview(boardStyle.pictures(), boardGeometry, position, shown, quiet, prefs);
    preview.setBoardShow(boardShow);
    if (frmHideWindow && prefs.prfFullScreen)
        preview.setFullScreenBoard(frmHideWindow->boardShow);
    preview.setEmptyBoard(boardStyle.pictures().thepicture);
    preview.showMiddleGameboard();
    preview.ShowWhitedice();
}
