#pragma once
// The rules one click of the user's is held to. A single step follows the board's own tests:
// the bar comes first, a point with two or more opponent checkers is closed, bearing off
// needs every checker home and a larger die only takes the rearmost one. The whole turn
// follows the exact move generator: a step is refused when the rest of the roll could then
// no longer be played as fully as the rules demand, and a finished turn must be one of the
// roll's legal plays (which also holds the larger-die rule).
#include "engine/GnuBoard.h"

struct CheckerRec;
struct CheckerRecords;
struct MatchState;

class MoveLegality {
public:
    MoveLegality(const CheckerRecords &records, const MatchState &match) : records_(records), match_(match) {}

    // A black checker may land on `target` (1 to 24): at most one white checker stands there.
    bool CanMoveThere(int target) const;
    // Neither die lets a black checker in from the bar.
    bool IsDancingBlack() const;
    // `target` is where the checker's die would take it below point 1; it becomes the tray (27)
    // when the checker may bear off with it.
    bool CanBlackBearoff(const CheckerRec &checker, int &target) const;
    // Black checker `index` (1 to 15) moved by die 1 (`die1`, the larger) or 2 (`die2`),
    // `movesMade` moves into the turn: true, with `target` set, when it may go.
    bool CanBlackMove(int index, int &target, int dieNumber, int movesMade) const;

    // The most dice the roll can use, counted from the position when the dice were shown.
    int legalCount() const;
    // The checkers stand as one of the roll's legal plays leaves them, blots hit alike.
    bool isLegalPlay() const;
    // After `movesMade` moves, the step of `die` from `from` to `target` (record positions,
    // 26 the bar, 27 or below 1 the tray) still leaves the rest of the roll playable as fully
    // as the rules demand.
    bool keepsRollPlayable(int from, int target, int die, int movesMade) const;

private:
    bool blackOnBar() const;
    GnuBoard atRoll() const;

    const CheckerRecords &records_;
    const MatchState &match_;
};
