// Speed of reading a board line into the checker records, without drawing: every board the
// server sends goes through it.
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "board/BoardGeometry.h"
#include "board/BoardStyle.h"
#include "board/CheckerRec.h"
#include "connection/BoardLine.h"
#include "play/LinePosition.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_ReadBoardLineIntoRecords(benchmark::State &state) {
    QTemporaryDir settings;
    Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));
    SettingsStore::setFolder(settings.path());
    SettingsStore store;
    BoardStyle style;
    QString prfBoardStyle, styleName = QStringLiteral("Default");
    style.SetNewBoardStyle(styleName, prfBoardStyle, store, 1600);
    BoardGeometry geometry;
    geometry.ReadFromDisk(style.folder(), QStringLiteral("data.txt"), SpriteSizes::of(style.pictures()));

    // A middle game with checkers on both bars and in both trays, plain and mirrored.
    const QString lines[] = {
        QStringLiteral("board:You:someplayer:5:2:1:-1:-2:0:0:0:0:4:0:3:0:0:0:-4:4:0:0:0:-3:0:-3:1:0:0:0:2:1:1:6:2:0:0:2:"
                       "1:0:0:1:-1:0:25:0:1:0:0:2:0:0:0"),
        QStringLiteral("board:joe_white:black_jack:2:1:1:0:0:0:-1:3:3:2:0:3:0:0:2:0:2:0:0:0:-1:-1:-2:-2:-2:-4:-2:0:0:1:5:"
                       "1:0:0:2:0:1:0:1:-1:0:0:0:0:0:0:2:0:1:0")};
    CheckerRecords records;
    std::size_t i = 0;
    for (auto _ : state) {
        const QString &text = lines[i++ & 1];
        const BoardLine line(text);
        LinePosition::read(line, line.is(BoardLine::Bar, u"0"), records, geometry);
        benchmark::DoNotOptimize(records.blackCheckers[15].x);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadBoardLineIntoRecords)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
