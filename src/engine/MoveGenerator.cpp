#include "engine/MoveGenerator.h"

#include <algorithm>
#include <bit>
#include <tuple>

// Points are bits: bit p stands for point p of the moving side's numbering and bit 25 for its
// bar. The opponent's closed points never change during a turn (a hit only takes a blot), so
// where a die can move from is one shift and mask of the occupied set.

namespace {

constexpr std::uint32_t bit(int p) {
    return std::uint32_t(1) << p;
}
constexpr std::uint32_t kPoints = 0x1FFFFFEu;  // points 1 to 24
constexpr std::uint32_t kHome = 0x7Eu;         // points 1 to 6
constexpr int kBar = 25;

int highest(std::uint32_t bits) {
    return 31 - std::countl_zero(bits);
}

bool isDie(int d) {
    return d >= 1 && d <= 6;
}

}  // namespace

struct MoveGenerator::Collector {
    std::vector<Play> plays;
    int most = 0;
    std::array<CheckerStep, 4> path{};
};

MoveGenerator::MoveGenerator(const SideCounts &own, const SideCounts &opponent) {
    for (int p = 0; p <= kBar; ++p) {
        const int n = std::clamp(own[std::size_t(p)], 0, 255);
        start_.n[std::size_t(p)] = std::uint8_t(n);
        if (p >= 1 && n > 0)
            start_.occupied |= bit(p);
    }
    for (int q = 1; q <= 24; ++q) {
        const int n = opponent[std::size_t(q)];
        const int p = 25 - q;  // the opponent's point q in the mover's numbering
        if (n >= 2)
            closed_ |= bit(p);
        else if (n == 1)
            blots_ |= bit(p);
    }
}

// The steps one die allows from `s`, highest source first. Checkers on the bar must come in
// before anything else moves; bearing off needs every checker home, and a die larger than the
// highest point bears off from the highest point only.
int MoveGenerator::steps(const State &s, int d, CheckerStep *out) const {
    int k = 0;
    auto landing = [&](int from, int to) {
        const bool hit = to >= 1 && (blots_ & bit(to)) && !(s.hits & bit(to));
        out[k++] = CheckerStep{from, to, d, hit};
    };
    if (s.occupied & bit(kBar)) {
        if (!(closed_ & bit(kBar - d)))
            landing(kBar, kBar - d);
        return k;
    }
    std::uint32_t sources = s.occupied & ~(closed_ << d) & kPoints & ~(bit(d + 1) - 1);
    while (sources) {
        const int p = highest(sources);
        sources &= ~bit(p);
        landing(p, p - d);
    }
    if (s.occupied && !(s.occupied & ~kHome)) {
        if (s.n[std::size_t(d)] > 0)
            landing(d, 0);
        else if (highest(s.occupied) < d)
            landing(highest(s.occupied), 0);
    }
    return k;
}

void MoveGenerator::apply(State &s, const CheckerStep &step) {
    if (--s.n[std::size_t(step.from)] == 0)
        s.occupied &= ~bit(step.from);
    ++s.n[std::size_t(step.to)];
    if (step.to > 0)
        s.occupied |= bit(step.to);
    if (step.hit)
        s.hits |= bit(step.to);
}

void MoveGenerator::undo(State &s, const CheckerStep &step) {
    if (--s.n[std::size_t(step.to)] == 0 && step.to > 0)
        s.occupied &= ~bit(step.to);
    if (step.hit)
        s.hits &= ~bit(step.to);
    ++s.n[std::size_t(step.from)];
    s.occupied |= bit(step.from);
}

// With equal dice the order of the steps does not change the outcome, so only orders whose
// sources never rise are tried (`below` is the last source; 25 lets anything through).
int MoveGenerator::deepest(State &s, const int *dice, int depth, int total, int below) const {
    if (depth == total)
        return total;
    CheckerStep found[16];
    const int k = steps(s, dice[depth], found);
    const bool equal = dice[0] == dice[1];
    int best = depth;
    for (int i = 0; i < k; ++i) {
        if (found[i].from > below)
            continue;
        apply(s, found[i]);
        const int reached = deepest(s, dice, depth + 1, total, equal ? found[i].from : kBar);
        undo(s, found[i]);
        if (reached == total)
            return total;
        best = std::max(best, reached);
    }
    return best;
}

int MoveGenerator::diceCount(int die1, int die2) const {
    if (!isDie(die1) || !isDie(die2))
        return 0;
    State s = start_;
    if (die1 == die2) {
        const int dice[4] = {die1, die1, die1, die1};
        return deepest(s, dice, 0, 4, kBar);
    }
    const int order1[2] = {die1, die2};
    const int order2[2] = {die2, die1};
    const int first = deepest(s, order1, 0, 2, kBar);
    return first == 2 ? 2 : std::max(first, deepest(s, order2, 0, 2, kBar));
}

int MoveGenerator::onlyDie(int die1, int die2) const {
    if (die1 == die2 || diceCount(die1, die2) != 1)
        return 0;
    CheckerStep found[16];
    const int larger = std::max(die1, die2);
    return steps(start_, larger, found) > 0 ? larger : std::min(die1, die2);
}

void MoveGenerator::collect(State &s, const int *dice, int depth, int total, int below, Collector &c) const {
    CheckerStep found[16];
    const int k = depth < total ? steps(s, dice[depth], found) : 0;
    const bool equal = dice[0] == dice[1];
    bool went = false;
    for (int i = 0; i < k; ++i) {
        if (found[i].from > below)
            continue;
        went = true;
        c.path[std::size_t(depth)] = found[i];
        apply(s, found[i]);
        collect(s, dice, depth + 1, total, equal ? found[i].from : kBar, c);
        undo(s, found[i]);
    }
    if (went || depth < c.most)
        return;
    if (depth > c.most) {
        c.plays.clear();
        c.most = depth;
    }
    Play play;
    play.steps = c.path;
    play.count = depth;
    for (int p = 0; p <= kBar; ++p)
        play.after[std::size_t(p)] = s.n[std::size_t(p)];
    play.hitPoints = s.hits;
    c.plays.push_back(play);
}

std::vector<Play> MoveGenerator::legalPlays(int die1, int die2) const {
    if (!isDie(die1) || !isDie(die2))
        return {};
    Collector c;
    State s = start_;
    if (die1 == die2) {
        const int dice[4] = {die1, die1, die1, die1};
        collect(s, dice, 0, 4, kBar, c);
    } else {
        const int order1[2] = {die1, die2};
        const int order2[2] = {die2, die1};
        collect(s, order1, 0, 2, kBar, c);
        collect(s, order2, 0, 2, kBar, c);
    }
    if (c.most == 0)
        return {};

    std::vector<Play> &plays = c.plays;
    if (die1 != die2 && c.most == 1) {
        const int larger = std::max(die1, die2);
        const bool largerPlays = std::any_of(plays.begin(), plays.end(),
                                             [&](const Play &p) { return p.steps[0].die == larger; });
        if (largerPlays)
            std::erase_if(plays, [&](const Play &p) { return p.steps[0].die != larger; });
    }
    // Different orders of the same steps come out alike; one play per outcome is kept.
    auto outcome = [](const Play &p) { return std::tie(p.after, p.hitPoints); };
    std::stable_sort(plays.begin(), plays.end(),
                     [&](const Play &a, const Play &b) { return outcome(a) < outcome(b); });
    plays.erase(std::unique(plays.begin(), plays.end(),
                            [&](const Play &a, const Play &b) { return outcome(a) == outcome(b); }),
                plays.end());
    return plays;
}

int PubEvalMoveCount(const GnuBoard &gnuBoard, bool userOnRoll, int die1, int die2, int &dieMoved) {
    const SideCounts &mover = gnuBoard[userOnRoll ? 0 : 1];
    const SideCounts &other = gnuBoard[userOnRoll ? 1 : 0];
    const MoveGenerator rules(mover, other);
    const int count = rules.diceCount(die1, die2);
    dieMoved = count == 1 && die1 != die2 && rules.onlyDie(die1, die2) == die1 ? 1 : 0;
    return count;
}
