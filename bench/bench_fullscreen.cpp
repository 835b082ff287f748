// A frame of the board on screen: the whole position redrawn and painted on the main board
// alone, and on the main board and the full-screen board with its background. The second
// must stay under twice the first: the drawing is shared, only the copy to the screen is not.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/BoardShow.h"
#include "board/BoardStyle.h"
#include "play/FullScreenHost.h"
#include "play/frmHide.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct NoHost : FullScreenHost {
    void showStrip(bool) override {}
    void copyCaptions() override {}
    void copyKibitzPane() override {}
    bool connected() const override { return false; }
    void sendKibitz(const QString &) override {}
    void fullScreenClosed() override {}
    void escapePressed() override {}
};

struct ShownBoards {
    ShownBoards() {
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
        board.setBoardShow(&main);
        main.show();
        prefs.prfBackground = QStringLiteral("felt.jpg");
        full.Form_Load();
    }
    void frame() {
        board.showMiddleGameboard();
        QApplication::processEvents();  // both boards paint what changed
    }
    QTemporaryDir settings;
    Preferences prefs;
    MatchState match;
    StateFlags flags;
    BoardStyle style;
    BoardGeometry geometry;
    CheckerRecords records;
    BoardDrawing board{style.pictures(), geometry, records, match, flags, prefs};
    BoardShow main;
    NoHost host;
    frmHide full{prefs, host};
};

void BM_BoardFrameOnTheMainBoard(benchmark::State &state) {
    ShownBoards boards;
    boards.frame();
    for (auto _ : state)
        boards.frame();
}
BENCHMARK(BM_BoardFrameOnTheMainBoard)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_BoardFrameOnTheMainAndFullScreenBoards(benchmark::State &state) {
    ShownBoards boards;
    boards.board.setFullScreenBoard(boards.full.boardShow);
    boards.full.showOn(nullptr);
    boards.frame();
    for (auto _ : state)
        boards.frame();
}
BENCHMARK(BM_BoardFrameOnTheMainAndFullScreenBoards)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
