// Speed of the user's hand on the board: a click on a checker, through the rules of the roll,
// to the checker drawn at its landing place, without animation.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/BoardStyle.h"
#include "board/CheckerMoves.h"
#include "play/BoardInput.h"
#include "play/BoardLineApplication.h"
#include "play/BoardLineReader.h"
#include "play/GameHost.h"
#include "play/MatchActions.h"
#include "play/MoveInput.h"
#include "play/MoveLines.h"
#include "play/PipCount.h"
#include "play/PlayHost.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>

namespace {

// The window's side, answered on the spot.
struct QuietGameHost : GameHost {
    explicit QuietGameHost(const CheckerRecords &records) : records_(records) {}
    QString caption(GameLabel label) const override { return captions.count(label) ? captions.at(label) : QString(); }
    void setCaption(GameLabel label, const QString &text) override { captions[label] = text; }
    void setStatus(const QString &) override {}
    void setPickUpCaption(const QString &text) override { pickUp = text; }
    void enablePickUp(bool) override {}
    void enableAcceptReject() override {}
    void showNoDoublingPicture() override {}
    void CheckCrawford(int) override {}
    void GetPips() override { pips = PipCount::of(records_); }
    const GnuBoard &gnuBoard() const override { return pips.gnuBoard; }
    bool socketConnected() const override { return true; }
    void send(const QString &) override {}
    void sleep(int) override {}

    std::map<GameLabel, QString> captions;
    QString pickUp;
    PipCount pips;

private:
    const CheckerRecords &records_;
};

struct QuietPlayHost : PlayHost {
    QString pickUpCaption() const override { return QStringLiteral("Pick Up"); }
    bool pickUpEnabled() const override { return true; }
    void enableUndo(bool) override {}
    void enableAcceptButtons(bool) override {}
    void enableAcceptMenus(bool) override {}
    void stopBlink() override {}
    void setCubeTogglePicture(bool) override {}
};

// The opening position with the user's 6-1 on the board of the Default style.
struct Turn {
    Turn() {
        Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));
        SettingsStore::setFolder(settings.path());
        SettingsStore store;
        QString styleName = QStringLiteral("Default");
        style.SetNewBoardStyle(styleName, prefs.prfBoardStyle, store, 1600);
        board.setEmptyBoard(style.pictures().thepicture);
        geometry.ReadFromDisk(style.folder(), QStringLiteral("data.txt"), SpriteSizes::of(style.pictures()));
        board.hooks.GetPips = [this] { host.GetPips(); };
        board.hooks.clearMoveRecords = [this] { input.clearMoveRecords(); };
        reader.ProcessBoardOutput(QStringLiteral(
            "board:You:someplayer:3:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:6:1:0:0:1:1:1:0:1:-"
            "1:0:25:0:0:0:0:2:0:0:0"));
        flags.isPlaying = true;
    }

    // Back to the position of the roll, drawn, before the next click.
    void reset() {
        records.blackCheckers = records.blackAtRoll;
        records.whiteCheckers = records.whiteAtRoll;
        board.showMiddleGameboard();
        input.resetPending = true;
        match.ismyTurn = true;
    }

    QTemporaryDir settings;
    Preferences prefs;  // checkers are not animated
    MatchState match;
    StateFlags flags;
    BoardStyle style;
    BoardGeometry geometry;
    CheckerRecords records;
    BoardDrawing board{style.pictures(), geometry, records, match, flags, prefs};
    CheckerMoves moves{board, geometry, records, match, prefs};
    QuietGameHost host{records};
    QuietPlayHost play;
    MoveInput input;
    QStringList matchLog;
    GameContext context{host, prefs, match, flags, input, records, geometry, board, moves};
    BoardLineApplication boards{context};
    MoveLines lines{context};
    BoardLineReader reader{context, boards, lines};
    PlayContext playContext{context, play, style.pictures(), matchLog, reader.isReverseBoard};
    MatchActions actions{playContext};
    BoardInput clicks{playContext, actions};
};

void BM_ClickOnACheckerToItsLanding(benchmark::State &state) {
    Turn turn;
    const CheckerRec &checker = turn.records.blackCheckers[turn.records.blackCheckers.firstOn(13)];
    const double half = turn.style.pictures().ChipNearBlack.width() / 2.0;
    const double x = checker.x + half, y = checker.y + half;
    for (auto _ : state) {
        state.PauseTiming();
        turn.reset();
        state.ResumeTiming();
        turn.clicks.BoardShow_MouseDown(1, 0, x, y);
        benchmark::DoNotOptimize(turn.board.shownBoard().constBits());
    }
    if (turn.records.blackCheckers.countOn(7) != 1)
        state.SkipWithError("the checker did not land on 7");
}
BENCHMARK(BM_ClickOnACheckerToItsLanding)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
