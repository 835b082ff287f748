#pragma once
// The position as the rules and the engine count it: checkers per side and place, each side
// in its own numbering.
#include <array>

// One side's checkers in that side's own numbering: 0 borne off, 1 to 24 the points (the
// side moves toward 1), 25 the bar.
using SideCounts = std::array<int, 26>;

// Side 0 is the user (black), side 1 the opponent (white).
using GnuBoard = std::array<SideCounts, 2>;
