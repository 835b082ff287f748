#pragma once
// The user's turn as it is being made: which die comes next, what has moved, and the moves
// to send when the dice are picked up. Each board line starts it afresh.
#include <array>

struct MoveRecEntry {
    int fromPoint = 0;  // 1 to 24, 26 the bar; 0 no move
    int toPoint = 0;    // 1 to 24, 27 borne off; 0 no move
    bool isEmpty() const { return fromPoint == 0 && toPoint == 0; }
};

struct MoveInput {
    int movesMade = 0;  // checkers moved this turn
    int dieChoice = 0;  // 1 die1, 2 die2, 0 none
    int diceUsed = 0;
    int firstDie = 0;
    int dieMoved = 0;   // 1 when the only playable die of the roll is die1
    bool mayMove = false;
    bool resetPending = false;
    bool pickUpClicked = false;
    bool acceptClicked = false;
    std::array<MoveRecEntry, 4> MoveRec{};

    void clearMoveRecords() { MoveRec.fill(MoveRecEntry{}); }
};
