#pragma once
// A position in the JF .pos layout: 16-bit little-endian fields, the two players' names, and
// 26 signed point counts seen from the second player, who is always the user here (JellyFish
// and GNU Backgammon read the first name as the other side).
#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

struct JfPosition {
    enum class Owner { Centred = 0, Opponent = 1, User = 2 };  // the file's own codes
    // Where the game stands to the Crawford rule, in the file's own codes.
    enum class Game { Ordinary = 1, Crawford = 2, PostCrawford = 3 };

    // Side 0 the user, side 1 the opponent, each in its own numbering: 0 borne off, 1 to 24
    // the points (the side moves toward 1), 25 the bar. The same shape as the engine's board.
    std::array<std::array<int, 26>, 2> board{};
    int cube = 1;
    Owner owner = Owner::Centred;
    int matchLength = 0;
    int userScore = 0;
    int opponentScore = 0;
    // Only a side one point short of the match makes a game other than ordinary: the file's
    // mark counts there and nowhere else, and there a game not marked as the Crawford game
    // is post-Crawford play, as GNU Backgammon reads it.
    Game game = Game::Ordinary;

    bool operator==(const JfPosition &) const = default;
};

namespace JfPos {

// The 166 bytes Korvex writes for `position`; nothing, and `why` says which value, when a
// number does not fit its 16-bit field or the position is not one a file can hold, nor one
// `read` would take back.
std::optional<QByteArray> write(const JfPosition &position, QString *why = nullptr);

// The position a file holds, checked: version 126, the whole layout present, 0 to 15 checkers
// a side with each bar on its own side's sign, a game not yet over (neither side has borne
// off all 15), a cube of a power of two from 1 to 16384 with a known owner (and one when
// above 1), scores from 0 and below the length of a match. Nothing, and `why` in words the
// user reads, otherwise.
std::optional<JfPosition> read(const QByteArray &bytes, QString *why = nullptr);

// No file written or read here is longer: two names of at most 255 characters and the last move.
constexpr qint64 kLongestFile = 62 + 3 * 255 + 104;

}  // namespace JfPos
