#pragma once
// The checkers of a board line: the line's 26 signed counts and borne-off fields laid into
// the checker records, plain (the line's player moves from 24 toward 1, as the user does) or
// mirrored (the line counts the other way round), and written back out.
#include "board/CheckerRec.h"

#include <array>

class BoardGeometry;
class BoardLine;

namespace LinePosition {

// Fills both sides' records; records a side does not need are parked. More than fifteen
// checkers of a side, or a field that is not a number, throws and leaves what was filled.
void read(const BoardLine &line, bool mirrored, CheckerRecords &records, const BoardGeometry &geometry);

// Positions 0 to 25 as fields 7 to 32 of such a line: the same signs and numbering as read,
// each side's bar at the end of the board it enters from.
std::array<int, 26> write(const CheckerRecords &records, bool mirrored);

}  // namespace LinePosition
