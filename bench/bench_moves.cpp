// Speed of the move generator: how many checkers a roll must move, asked on every board
// line, and the full list of legal plays that move input will check clicks against.
#include "engine/MoveGenerator.h"

#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

struct Roll {
    GnuBoard board{};
    int die1 = 0, die2 = 0;
};

// Positions of every kind: contact with checkers on the bar, blocks, races and bear-offs.
std::vector<Roll> randomRolls(int count) {
    std::mt19937 rng(7);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<Roll> rolls;
    while (int(rolls.size()) < count) {
        Roll r;
        SideCounts &own = r.board[0];
        SideCounts &other = r.board[1];
        const int kind = int(rolls.size()) % 3;
        own[25] = kind == 0 ? uniform(0, 2) : 0;
        const int lo = kind == 2 ? 1 : 1, hi = kind == 2 ? 6 : 24;
        for (int placed = own[25], off = kind == 2 ? uniform(0, 10) : 0; placed < 15 - off; ++placed)
            ++own[std::size_t(uniform(lo, hi))];
        for (int placed = 0; placed < 15;) {
            const int point = uniform(1, 24);  // the mover's numbering
            if (own[std::size_t(point)] > 0)
                continue;
            ++other[std::size_t(25 - point)];
            ++placed;
        }
        int on = 0;
        for (int p = 1; p <= 25; ++p)
            on += own[std::size_t(p)];
        own[0] = 15 - on;
        r.die1 = uniform(1, 6);
        r.die2 = uniform(1, 6);
        rolls.push_back(r);
    }
    return rolls;
}

void BM_PubEvalMoveCount(benchmark::State &state) {
    const std::vector<Roll> rolls = randomRolls(4096);
    std::size_t i = 0;
    int dieMoved = 0;
    for (auto _ : state) {
        const Roll &r = rolls[i++ & 4095];
        benchmark::DoNotOptimize(PubEvalMoveCount(r.board, true, r.die1, r.die2, dieMoved));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PubEvalMoveCount)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_LegalPlays(benchmark::State &state) {
    const std::vector<Roll> rolls = randomRolls(4096);
    std::size_t i = 0;
    for (auto _ : state) {
        const Roll &r = rolls[i++ & 4095];
        benchmark::DoNotOptimize(MoveGenerator(r.board[0], r.board[1]).legalPlays(r.die1, r.die2).size());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LegalPlays)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
