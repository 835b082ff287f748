#include "play/LinePosition.h"

#include "connection/BoardLine.h"

#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using Groups = std::vector<std::pair<int, int>>;

// A count of checkers from the line. No side has more than fifteen, so a larger one is
// refused before it is negated or counted out one by one.
int checkerCount(const BoardLine &line, int field) {
    const int v = line.number(field);
    if (v < -CheckerSet::size || v > CheckerSet::size)
        throw std::out_of_range("Subscript out of range");
    return v;
}

void add(Groups &groups, int position, int count) {
    if (count != 0)
        groups.emplace_back(position, count);
}

}  // namespace

void LinePosition::read(const BoardLine &line, bool mirrored, CheckerRecords &records,
                        const BoardGeometry &geometry) {
    Groups black, white;
    black.reserve(20);
    white.reserve(20);
    // A plain line counts the user's checkers positive on the user's own point numbers; a
    // mirrored one counts them negative and numbers the points the other way round.
    for (int p = 1; p <= 24; ++p) {
        const int v = checkerCount(line, BoardLine::Positions + p);
        const int point = mirrored ? 25 - p : p;
        Groups &positive = mirrored ? white : black;
        Groups &negative = mirrored ? black : white;
        if (v > 0)
            positive.emplace_back(point, v);
        else if (v < 0)
            negative.emplace_back(point, -v);
    }
    const int first = checkerCount(line, BoardLine::Positions);
    const int last = checkerCount(line, BoardLine::Positions + 25);
    const int playerOff = checkerCount(line, BoardLine::PlayerOff);
    const int opponentOff = checkerCount(line, BoardLine::OpponentOff);
    if (!mirrored) {
        add(white, Position::whiteBar, std::abs(first));
        add(white, Position::whiteTray, std::abs(opponentOff));
        add(black, Position::blackTray, playerOff);
        add(black, Position::blackBar, std::abs(last));
    } else {
        add(black, Position::blackBar, std::abs(first));
        add(black, Position::blackTray, std::abs(playerOff));
        add(white, Position::whiteTray, opponentOff);
        add(white, Position::whiteBar, std::abs(last));
    }
    records.blackCheckers.fill(black, geometry);
    records.whiteCheckers.fill(white, geometry);
}

std::array<int, 26> LinePosition::write(const CheckerRecords &records, bool mirrored) {
    std::array<int, 26> counts{};
    const CheckerSet &black = records.blackCheckers;
    const CheckerSet &white = records.whiteCheckers;
    for (int i = 1; i <= CheckerSet::size; ++i) {
        const int b = black[i].point;
        const int w = white[i].point;
        if (!mirrored) {
            if (b >= 1 && b <= 24)
                ++counts[std::size_t(b)];
            if (b == Position::blackBar)
                ++counts[25];
            if (w >= 1 && w <= 24)
                --counts[std::size_t(w)];
            if (w == Position::whiteBar)
                --counts[0];
        } else {
            if (w >= 1 && w <= 24)
                ++counts[std::size_t(25 - w)];
            if (w == Position::whiteBar)
                ++counts[25];
            if (b >= 1 && b <= 24)
                --counts[std::size_t(25 - b)];
            if (b == Position::blackBar)
                --counts[0];
        }
    }
    return counts;
}
