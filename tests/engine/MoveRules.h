#pragma once
// Positions for the move generator's tests, and a play written as from/to pairs turned
// into the outcome the generator reports, so that plays are compared by where they lead.
#include "engine/MoveGenerator.h"

#include <initializer_list>
#include <utility>
#include <vector>

// A side from (point, count) pairs in its own numbering (25 the bar); the rest borne off.
inline SideCounts side(std::initializer_list<std::pair<int, int>> checkers) {
    SideCounts s{};
    int on = 0;
    for (const auto &[point, count] : checkers) {
        s[std::size_t(point)] += count;
        on += count;
    }
    s[0] = 15 - on;
    return s;
}

struct Outcome {
    SideCounts after{};
    std::uint32_t hitPoints = 0;
    bool operator==(const Outcome &) const = default;
};

// Where the steps leave the mover; a landing on a point the opponent holds alone hits.
inline Outcome outcomeOf(const SideCounts &own, const SideCounts &opponent,
                         const std::vector<std::pair<int, int>> &steps) {
    Outcome o{own, 0};
    for (const auto &[from, to] : steps) {
        --o.after[std::size_t(from)];
        ++o.after[std::size_t(to)];
        if (to >= 1 && to <= 24 && opponent[std::size_t(25 - to)] == 1)
            o.hitPoints |= std::uint32_t(1) << to;
    }
    return o;
}

inline bool contains(const std::vector<Play> &plays, const Outcome &o) {
    for (const Play &p : plays)
        if (p.after == o.after && p.hitPoints == o.hitPoints)
            return true;
    return false;
}
