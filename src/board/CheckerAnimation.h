#pragma once
// Slides checkers across the board at the speed the user chose, and fits that speed to the
// machine once per installation.
#include "board/CheckerRec.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

class BoardDrawing;
struct Preferences;

class CheckerAnimation {
public:
    // The speed setting (prfAnimDelay) counts the wait after each frame in units of 10 µs,
    // about what a thousand rounds of an empty loop took on the machines it was made for, so
    // stored values and the slider keep their meaning.
    static constexpr int kMicrosecondsPerUnit = 10;
    // The slider's slowest setting; larger stored values wait this long.
    static constexpr int kSlowest = 6000;

    CheckerAnimation(BoardDrawing &board, const Preferences &prefs);

    // The sprite's place frame by frame: two pixels a frame along the longer axis, the other
    // axis following in proportion; a move of under two pixels has no frame.
    static std::vector<QPoint> path(QPoint from, QPoint to);

    // Slides the side's checker from `from` to `to` when that side's moves are animated; the
    // board draws it at its new place afterwards either way.
    void slide(Side side, QPoint from, QPoint to);
    // `side` has landed on a blot. When the opponent's moves are animated, the user's checker
    // it hits travels to the bar animated too.
    void hitting(Side side);

    // Fits the frame delay to this machine and marks it done.
    void InitAnimDelay(Preferences &prefs);
    // The first delay, counting up from `start` in steps of 10, at which 125 frames last 0.2
    // seconds or more; `passSeconds(delay)` runs and times such a pass. Steps that the first
    // pass shows to be too short are skipped.
    static int calibrate(int start, const std::function<double(int delay)> &passSeconds);
    // The speed slider's position for a delay.
    static int sliderPosition(int delay);

    // Waits `delay` units while the board repaints; takes no input meanwhile.
    static void waitFrame(int delay);

    std::function<void(int delay)> frameWait = waitFrame;  // tests count frames here
    // While the engine shows a move for the user (a hint, self-play) his checkers slide
    // whatever his own setting says.
    bool animateUserMoves = false;
    std::function<void(const QString &text)> setStatus;    // lblStatus

private:
    void drawFrame(Side side, QPoint at);
    double timePass(int delay);

    BoardDrawing &board_;
    const Preferences &prefs_;
    bool carryBlackToBar_ = false;
};
