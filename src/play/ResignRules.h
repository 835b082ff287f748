#pragma once
// What a position says about the end of a game: how much the side that is behind would lose
// (single game, gammon, backgammon), whether the two sides still meet, and a side's win
// written into the checker records.
#include <QString>

class BoardGeometry;
struct CheckerRecords;

namespace ResignRules {

// The resign level of the game `side` is losing (0 the user, 1 the opponent): "resign b ",
// "resign g " or "resign n "; the empty text for any other side.
QString GetResignType(const CheckerRecords &records, int side);

// Every checker of that side borne off, each in its place in that side's tray, so that the
// next drawing shows them there; nothing is drawn here.
void WinnerBlack(CheckerRecords &records, const BoardGeometry &geometry);
void WinnerWhite(CheckerRecords &records, const BoardGeometry &geometry);

// An opponent checker still stands behind the user's rearmost one, or on its bar: bearing
// off greedily would throw shots away.
bool hasContact(const CheckerRecords &records);

}  // namespace ResignRules
