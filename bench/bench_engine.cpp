// The engine's answers through the bridge process, round trip included: its best move at
// 0 ply and a winning-chance evaluation.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "engine/EngineFiles.h"
#include "engine/GnubgBridge.h"
#include "engine/GnuVB.h"

#include <benchmark/benchmark.h>

namespace {

// One engine object with its bridge started, on a middle-game position with contact.
struct Engine {
    Engine() {
        board[0] = {0, 0, 0, 0, 2, 0, 4, 1, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0};
        board[1] = {0, 0, 0, 0, 0, 2, 4, 0, 2, 0, 0, 0, 0, 4, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0};
        gnu = std::make_unique<GnuVB>(board, match, flags, prefs,
                                      std::make_unique<GnubgBridge>(EngineFiles::program,
                                                                    QStringLiteral(KORVEX_DATA_DIR "/engine/bridge.py")));
        ask("gwc", 0, 0);  // the bridge's start is not what is measured
    }
    QString ask(const char *mode, int die1, int die2) {
        return gnu->GetCubeAction_BestMove(1, 1, 7, 2, 3, 0, 0, 0, die1, die2, QString::fromLatin1(mode), 0);
    }
    GnuBoard board{};
    MatchState match;
    StateFlags flags;
    Preferences prefs;
    std::unique_ptr<GnuVB> gnu;
};

void BM_EngineMoveAtZeroPly(benchmark::State &state) {
    Engine engine;
    const int rolls[][2] = {{3, 1}, {6, 5}, {4, 4}, {5, 2}, {6, 3}, {2, 1}};
    std::size_t i = 0;
    for (auto _ : state) {
        const auto &roll = rolls[i++ % std::size(rolls)];
        const QString move = engine.ask("move", roll[0], roll[1]);
        if (move.isEmpty())
            state.SkipWithError("the engine named no move");
        benchmark::DoNotOptimize(move);
    }
}
BENCHMARK(BM_EngineMoveAtZeroPly)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

void BM_EngineWinningChances(benchmark::State &state) {
    Engine engine;
    for (auto _ : state) {
        engine.ask("gwc", 0, 0);
        if (engine.gnu->lblwinsB() == QLatin1String("0%"))
            state.SkipWithError("the engine gave no chances");
        benchmark::DoNotOptimize(engine.gnu->lblwinsB());
    }
}
BENCHMARK(BM_EngineWinningChances)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
