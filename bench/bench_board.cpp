// Drawing speed of the board: a whole redraw of a full position, and one checker sprite.
#include "FullBoard.h"

#include <benchmark/benchmark.h>

namespace {

void BM_showMiddleGameboard(benchmark::State &state) {
    FullBoard full;
    for (auto _ : state) {
        full.board.showMiddleGameboard();
        benchmark::DoNotOptimize(full.board.shownBoard().constBits());
    }
}
BENCHMARK(BM_showMiddleGameboard)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TransparentBlitOfAChecker(benchmark::State &state) {
    FullBoard full;
    QImage buffer = full.style.pictures().thepicture;
    const QImage &chips = full.style.pictures().ChipNearBlack;
    const SpriteRect white{0, chips.height() / 2, chips.width(), chips.height()};
    const QPoint at = full.geometry.pointSlots(13, 2);
    for (auto _ : state) {
        TransparentBlit(buffer, buffer, chips, white, at.x(), at.y());
        benchmark::DoNotOptimize(buffer.constBits());
    }
}
BENCHMARK(BM_TransparentBlitOfAChecker)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
