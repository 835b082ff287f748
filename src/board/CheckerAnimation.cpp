#include "board/CheckerAnimation.h"

#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/Preferences.h"
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "board/BoardDrawing.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

namespace {

constexpr double kStep = 2.0;            // pixels a frame along the longer axis
constexpr int kFramesPerPass = 125;
constexpr double kPassSeconds = 0.2;     // so a frame lasts 1.6 ms at the least
constexpr int kCalibrationStep = 10;
constexpr int kMargin = 2;               // the most a frame moves on either axis

void report(const char *text, const std::exception &error) {
    Dialogs::message(QLatin1String(text) + QString::fromLocal8Bit(error.what()));
}

}  // namespace

CheckerAnimation::CheckerAnimation(BoardDrawing &board, const Preferences &prefs) : board_(board), prefs_(prefs) {}

std::vector<QPoint> CheckerAnimation::path(QPoint from, QPoint to) {
    const int dx = std::abs(from.x() - to.x());
    const int dy = std::abs(from.y() - to.y());
    double sx = 0, sy = 0;
    bool longX = false;
    if (dx > dy) {
        longX = true;
        sx = 1;
        sy = double(dy) / dx;
    } else if (dx < dy) {
        sx = double(dx) / dy;
        sy = 1;
    } else {
        sx = sy = 1;  // a true diagonal, or no move at all
    }
    if (from.x() > to.x())
        sx = -sx;
    if (from.y() > to.y())
        sy = -sy;

    const int frames = SettingsText::roundEven((longX ? dx : dy) / kStep);
    std::vector<QPoint> places;
    places.reserve(std::size_t(std::max(frames, 0)));
    int x = from.x(), y = from.y();
    double shortAxis = longX ? y : x;
    for (int f = 1; f <= frames; ++f) {
        if (longX) {
            shortAxis += kStep * sy;
            y = int(std::floor(shortAxis));
            x = SettingsText::roundEven(x + kStep * sx);
        } else {
            shortAxis += kStep * sx;
            x = int(std::floor(shortAxis));
            y = SettingsText::roundEven(y + kStep * sy);
        }
        places.emplace_back(x, y);
    }
    return places;
}

void CheckerAnimation::slide(Side side, QPoint from, QPoint to) {
    const bool black = side == Side::Black;
    const bool animate =
        black ? prefs_.prfAnimateCheckersB || carryBlackToBar_ || animateUserMoves : prefs_.prfAnimateCheckersW;
    if (black)
        carryBlackToBar_ = false;
    if (!animate || WaitsOff::active())
        return;
    try {
        for (const QPoint &at : path(from, to)) {
            // Once waits are off (the program's exit has begun, or a connection's last lines
            // are being read out) a slide under way stops where it is.
            if (WaitsOff::active())
                break;
            drawFrame(side, at);
            if (frameWait)
                frameWait(prefs_.prfAnimDelay);
        }
    } catch (const std::exception &error) {
        report(black ? "Error in AnimateBlackChecker  " : "Error in AnimateWhitechecker  ", error);
    }
}

// The sprite goes onto a copy of the back buffer, so the buffer never keeps a moving
// checker; the margin repaints where the frame before stood.
void CheckerAnimation::drawFrame(Side side, QPoint at) {
    const SpriteRect sprite = board_.checkerSprite(side);
    QImage frame = board_.BoardBuffer();
    TransparentBlit(frame, board_.BoardBuffer(), board_.checkerSheet(), sprite, at.x(), at.y());
    board_.showPicture(frame, QRect(at.x() - kMargin, at.y() - kMargin, sprite.width() + 2 * kMargin,
                                    sprite.height() + 2 * kMargin));
}

void CheckerAnimation::hitting(Side side) {
    if (side == Side::White && prefs_.prfAnimateCheckersW)
        carryBlackToBar_ = true;
}

void CheckerAnimation::waitFrame(int delay) {
    QElapsedTimer clock;
    clock.start();
    const qint64 frameNs = qint64(std::clamp(delay, 0, kSlowest)) * kMicrosecondsPerUnit * 1000;
    {
        const InputWait wait;
        runEvents(QEventLoop::ExcludeSocketNotifiers);
    }
    // Sleep most of the wait and spin the last fraction of a millisecond, which sleeping
    // would overshoot.
    for (qint64 left = frameNs - clock.nsecsElapsed(); left > 0; left = frameNs - clock.nsecsElapsed())
        if (left > 300000)
            QThread::usleep(ulong((left - 200000) / 1000));
}

double CheckerAnimation::timePass(int delay) {
    QElapsedTimer clock;
    clock.start();
    for (int f = 0; f < kFramesPerPass; ++f) {
        // A frame's work on a copy of the back buffer; the visible board is not touched.
        QImage frame = board_.BoardBuffer();
        if (frame.isNull())
            frame = QImage(64, 64, QImage::Format_RGB32);
        TransparentBlit(frame, frame, board_.checkerSheet(), board_.checkerSprite(Side::Black), 0, 0);
        if (frameWait)
            frameWait(delay);
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    runEvents();
    return seconds;
}

int CheckerAnimation::calibrate(int start, const std::function<double(int delay)> &passSeconds) {
    int delay = start;
    double seconds = passSeconds(delay);
    if (seconds >= kPassSeconds)
        return delay;
    // What a frame costs besides its wait, from the first pass, tells how far to jump.
    const double unit = kMicrosecondsPerUnit / 1e6;
    const double rest = seconds / kFramesPerPass - delay * unit;
    const double needed = (kPassSeconds / kFramesPerPass - rest) / unit;
    const int steps = std::max(1, int(std::ceil((needed - delay) / kCalibrationStep - 1e-9)));
    delay = std::min(delay + steps * kCalibrationStep, kSlowest);
    while (passSeconds(delay) < kPassSeconds && delay < kSlowest)
        delay += kCalibrationStep;
    return delay;
}

int CheckerAnimation::sliderPosition(int delay) {
    if (delay >= 0 && delay <= 500)
        return 1000 - delay;
    if (delay > 500 && delay <= 750)
        return 400;
    return 250;
}

void CheckerAnimation::InitAnimDelay(Preferences &prefs) {
    if (setStatus)
        setStatus(QStringLiteral("Initializing animation speed"));
    try {
        // A value beyond the slider's range can only be left from a broken calibration.
        const int start = prefs.prfAnimDelay >= 0 && prefs.prfAnimDelay <= kSlowest ? prefs.prfAnimDelay : 0;
        prefs.prfAnimDelay = calibrate(start, [this](int delay) { return timePass(delay); });
        prefs.prfScrollVal = sliderPosition(prefs.prfAnimDelay);
        prefs.isAnimInit = true;
    } catch (const std::exception &error) {
        report("Error in InitAnimDelay ", error);
    }
}
