#pragma once
// The user's moves of a turn as the server's "move" command writes them.
#include "play/MoveInput.h"

#include <QString>

namespace MoveText {

// "13-7 8-7 ": each move made, in order, as from-point, hyphen, to-point and a blank; "bar"
// and "off" for the bar and the tray. On a mirrored board the server counts the points from
// the other end, 25 - p. No move made gives the empty text.
QString of(const std::array<MoveRecEntry, 4> &moves, bool reversedBoard);

}  // namespace MoveText
