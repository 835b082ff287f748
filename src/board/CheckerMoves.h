#pragma once
// Single checker moves: a checker goes to the top of the stack on its target, the side is
// repainted, the checker is carried to its new place, a hit sends the blot to the bar, and
// the move, hit or bear-off sound plays.
#include "board/CheckerRec.h"

#include <QPoint>

class BoardDrawing;
class BoardGeometry;
struct MatchState;
struct Preferences;

class CheckerMoves {
public:
    CheckerMoves(BoardDrawing &board, const BoardGeometry &geometry, CheckerRecords &records, MatchState &match,
                 const Preferences &prefs);

    // `checker` (1 to 15) comes back as the checker that really moved: the top one of its
    // stack. A black target below 1 is black's tray (27); a white target above 24 other
    // than white's bar (28) is white's tray (25).
    void MoveBlackChecker(int &checker, int target, bool playSound);
    void MoveWhiteChecker(int &checker, int target, bool playSound);

    // A more telling sound (hit, bear-off) was played for the move under way.
    bool blackSoundPlayed = false;
    bool whiteSoundPlayed = false;

private:
    void move(Side side, int &checker, int target, bool playSound);
    // Repaints a side after a move of `checker` and carries the moved one to its new place.
    void refresh(Side side, int checker, int hit);
    void land(Side side, QPoint to, int hit);
    bool &soundPlayed(Side side) { return side == Side::Black ? blackSoundPlayed : whiteSoundPlayed; }
    void play(const char *name);

    BoardDrawing &board_;
    const BoardGeometry &geometry_;
    CheckerRecords &records_;
    MatchState &match_;
    const Preferences &prefs_;
};
