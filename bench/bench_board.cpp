// Drawing speed of the board: a whole redraw of a full position, and one checker sprite.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/BoardStyle.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A board of the Default style with every checker on it: stacks, bar, both trays, a cube.
struct FullBoard {
    FullBoard() {
        Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));
        SettingsStore::setFolder(settings.path());
        SettingsStore store;
        QString styleName = QStringLiteral("Default");
        style.SetNewBoardStyle(styleName, prefs.prfBoardStyle, store, 1600);
        board.setEmptyBoard(style.pictures().thepicture);
        geometry.ReadFromDisk(style.folder(), QStringLiteral("data.txt"), SpriteSizes::of(style.pictures()));
        records.blackCheckers.fill({{24, 2}, {13, 6}, {8, 3}, {26, 1}, {27, 3}}, geometry);
        records.whiteCheckers.fill({{1, 2}, {12, 4}, {17, 3}, {19, 3}, {28, 1}, {25, 2}}, geometry);
        match.theCubeVal = 4;
        match.blackOwnsCube = true;
    }
    QTemporaryDir settings;
    Preferences prefs;
    MatchState match;
    StateFlags flags;
    BoardStyle style;
    BoardGeometry geometry;
    CheckerRecords records;
    BoardDrawing board{style.pictures(), geometry, records, match, flags, prefs};
};

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
