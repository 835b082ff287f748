// A frame of the board on screen: the whole position redrawn and painted on the main board
// alone, and on the main board and the full-screen board with its background. The second
// must stay under twice the first: the drawing is shared, only the copy to the screen is not.
#include "FullBoard.h"
#include "board/BoardShow.h"
#include "play/FullScreenHost.h"
#include "play/frmHide.h"

#include <QApplication>
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

struct ShownBoards : FullBoard {
    ShownBoards() {
        board.setBoardShow(&main);
        main.show();
        prefs.prfBackground = QStringLiteral("felt.jpg");
        full.Form_Load();
    }
    void frame() {
        board.showMiddleGameboard();
        QApplication::processEvents();  // both boards paint what changed
    }
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
