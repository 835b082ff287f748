#pragma once
// The drawn checkers counted as the engine's board, with the pip counts that come with it.
#include "engine/GnuBoard.h"

struct CheckerRecords;

struct PipCount {
    GnuBoard gnuBoard{};
    int blackPips = 0;
    int whitePips = 0;

    // Counts the checker records; parked records count nowhere.
    static PipCount of(const CheckerRecords &records);
};
