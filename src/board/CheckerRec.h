#pragma once
// The thirty checkers as the board code keeps them: fifteen records a side, each with its
// position, its place in the stack there and the pixel place it is drawn at.
#include <array>
#include <utility>
#include <vector>

class BoardGeometry;

enum class Side { Black, White };  // black is the user, white the opponent

// Positions besides the points 1 to 24 (the user's numbering).
namespace Position {
constexpr int whiteTray = 25;
constexpr int blackBar = 26;
constexpr int blackTray = 27;
constexpr int whiteBar = 28;
constexpr int parked = 0;  // a record the position does not use: not on the board, never drawn
}  // namespace Position

struct CheckerRec {
    int point = Position::parked;
    int slot = 0;  // 1 = the first checker laid on the position
    int x = 0;
    int y = 0;

    bool isParked() const { return point == Position::parked; }
    bool operator==(const CheckerRec &) const = default;
};

// One side's fifteen records, numbered 1 to 15 like the rest of the board code counts them.
class CheckerSet {
public:
    static constexpr int size = 15;

    // Throws std::out_of_range for an index outside 1 to 15.
    CheckerRec &operator[](int index);
    const CheckerRec &operator[](int index) const;

    // How many of these records stand on `position`.
    int countOn(int position) const;
    // The first record standing on `position`, 0 when none does.
    int firstOn(int position) const;

    // Puts record `index` as checker number `slot` of `position`, at its place in the table.
    void place(int index, int position, int slot, const BoardGeometry &geometry);
    void parkAll() { records_.fill(CheckerRec{}); }

    // Lays out a whole side: each (position, count) group in order, records numbered from 1
    // as they are filled; the records left over are parked. More than fifteen checkers
    // throws std::out_of_range and leaves the records filled so far.
    void fill(const std::vector<std::pair<int, int>> &groups, const BoardGeometry &geometry);

    bool operator==(const CheckerSet &) const = default;

private:
    std::array<CheckerRec, size> records_{};
};

struct CheckerRecords {
    CheckerSet blackCheckers, whiteCheckers;        // now
    CheckerSet blackBeforeMove, whiteBeforeMove;    // before the latest single checker move
    CheckerSet blackAtRoll, whiteAtRoll;            // when the dice of this turn were shown

    CheckerSet &checkers(Side side) { return side == Side::Black ? blackCheckers : whiteCheckers; }
    CheckerSet &beforeMove(Side side) { return side == Side::Black ? blackBeforeMove : whiteBeforeMove; }
};
