// The engine class against a recording engine: what it hands the engine (rows, scores,
// cube, call order) and what it makes of the answers (labels, luck talk, resignations,
// cube verdicts, move texts, errors).
#include "app/AppState.h"
#include "app/Preferences.h"
#include "app/ProgramExit.h"
#include "engine/GnuVB.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <numeric>
#include <utility>

namespace {

// Writes down every operation with its arguments and answers from what the test set.
class RecordingEngine : public EngineBackend {
public:
    QStringList calls;
    EngineBoard board{};
    std::array<int, 3> chances{};  // win, gammon, backgammon
    std::array<int, 2> verdict{};  // cube output elements 0 and 1
    std::vector<int> moves{-1};
    int luck = 0;
    QString failWith;  // when set, the evaluating operations throw it
    bool restartMends = false;  // a restart clears failWith
    std::function<void()> during;  // runs once, inside the next evaluating operation
    // Kept by the test, so it outlives this engine.
    std::shared_ptr<QStringList> journal = std::make_shared<QStringList>();

    ~RecordingEngine() override { *journal << "engine gone"; }

    void vbEvalInitialise() override { calls << "init"; }
    void restart() override {
        calls << "restart";
        if (restartMends)
            failWith.clear();
    }
    void vbSetEvalContext(const EvalRecord &c) override {
        calls << QStringLiteral("context %1 %2 %3 %4 %5").arg(c.plies).arg(c.moveCandidates).arg(c.moveTolerance).arg(c.noise).arg(c.cubeful);
    }
    void vbSetCubeInfo(const CubeRecord &c) override {
        calls << QStringLiteral("cube %1 %2 %3 %4 %5:%6 %7 %8 %9")
                     .arg(c.cube).arg(c.owner).arg(c.onRoll).arg(c.matchLength).arg(c.score[0]).arg(c.score[1])
                     .arg(c.crawford).arg(c.jacoby).arg(c.beavers);
    }
    void vbEvaluatePosition(const EngineBoard &b, EngineOutput &out) override {
        seen(b, "evaluate");
        for (int i = 0; i < 3; ++i)
            out[std::size_t(i + 1)] = chances[std::size_t(i)];
    }
    void vbEvaluatePositionCubeful(const EngineBoard &b, EngineOutput &out, int) override {
        seen(b, "cubeful");
        out[0] = verdict[0];
        out[1] = verdict[1];
    }
    void vbFindBestMove(EngineMoves &out, int d1, int d2, const EngineBoard &b) override {
        seen(b, QStringLiteral("bestmove %1 %2").arg(d1).arg(d2));
        std::copy(moves.begin(), moves.end(), out.begin());
    }
    void vbLuckAnalysis(const EngineBoard &b, int d1, int d2, int, LuckDone done) override {
        board = b;
        calls << QStringLiteral("luck %1 %2").arg(d1).arg(d2);
        if (done)
            done(luck);
    }
    void vbFindPubevalMove(int, int, const EngineBoard &, EngineMoves &) override {}

private:
    void seen(const EngineBoard &b, const QString &call) {
        board = b;
        calls << call;
        if (!failWith.isEmpty())
            throw EngineError(failWith.toStdString());
        if (during)
            std::exchange(during, {})();
    }
};

class GnuVBTest : public ::testing::Test {
protected:
    GnuVBTest() {
        auto recording = std::make_unique<RecordingEngine>();
        engine = recording.get();
        prefs.prfTalkingWavs = true;
        // Opening position; side 1 in its own numbering is the same.
        for (SideCounts &side : gnuBoard) {
            side[6] = 5;
            side[8] = 3;
            side[13] = 5;
            side[24] = 2;
        }
        gnu = std::make_unique<GnuVB>(gnuBoard, match, flags, prefs, std::move(recording));
        gnu->hooks.showChances = [this](const QString &b, const QString &w) { labels << b << w; };
        gnu->hooks.luckList = [this](const QString &folder) {
            return folder == QLatin1String("u_vunlucky") ? QStringList() : QStringList{folder + "1.wav", folder + "2.wav"};
        };
        gnu->hooks.talk = [this](const QString &wave) { spoken << wave; };
        gnu->hooks.random = [this] { return random; };
        startCalls = engine->calls;
        engine->calls.clear();
    }

    QString ask(int side, const QString &mode, int die1 = 0, int die2 = 0, int cube = 1, int matchLen = 5,
                int scoreA = 0, int scoreB = 0, int plies = 0) {
        return gnu->GetCubeAction_BestMove(side, cube, matchLen, scoreA, scoreB, 0, 0, 0, die1, die2, mode, plies);
    }

    TestEnvironment env;
    GnuBoard gnuBoard{};
    MatchState match;
    StateFlags flags;
    Preferences prefs;
    RecordingEngine *engine = nullptr;
    std::unique_ptr<GnuVB> gnu;
    QStringList startCalls, labels, spoken;
    double random = 0.0;
};

TEST_F(GnuVBTest, CreatingItInitialisesTheEngineAndAllowsEngineGames) {
    EXPECT_EQ(startCalls, QStringList({"init", "context 1 8 1600 0 0", "cube 1 0 0 0 0:0 0 0 0"}));
    EXPECT_TRUE(flags.isBot);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GnuVBTest, RowOneHoldsTheSideAskedAboutWithoutBorneOffCheckers) {
    GnuBoard board{};
    board[0][0] = 9;   // the user's borne off
    board[0][3] = 4;
    board[0][25] = 2;  // the user's bar
    board[1][0] = 12;
    board[1][20] = 3;
    gnuBoard = board;

    ask(0, "gwc");
    EXPECT_EQ(engine->board[25 + 2], 4);
    EXPECT_EQ(engine->board[25 + 24], 2);
    EXPECT_EQ(engine->board[19], 3);
    EXPECT_EQ(std::accumulate(engine->board.begin(), engine->board.end(), 0), 9);

    ask(1, "gwc");
    EXPECT_EQ(engine->board[25 + 19], 3);
    EXPECT_EQ(engine->board[2], 4);
    EXPECT_EQ(engine->board[24], 2);
}

TEST_F(GnuVBTest, ScorePairCubeOwnerAndMatchGoToTheEngineAsTheSideOnRollSeesThem) {
    ask(0, "cube", 0, 0, 1, 7, 3, 1);
    EXPECT_EQ(engine->calls.first(), "cube 1 -1 1 7 1:3 0 0 0");  // the user's 3 is the roller's
    engine->calls.clear();
    ask(1, "cube", 0, 0, 2, 7, 3, 1);
    EXPECT_EQ(engine->calls.first(), "cube 2 1 1 7 3:1 0 0 0");  // a turned cube belongs to the roller
    engine->calls.clear();
    gnu->GetCubeAction_BestMove(0, 4, 9, 2, 5, 1, 1, 1, 0, 0, "move", 2);
    EXPECT_EQ(engine->calls.first(), "cube 4 1 1 9 5:2 1 1 1");
}

TEST_F(GnuVBTest, EachModeCallsTheEngineInItsOwnOrder) {
    const std::vector<std::pair<QString, QStringList>> cases = {
        {"gwc", {"evaluate", "luck 3 1"}},
        {"resign", {"luck 3 1", "cube 1 -1 1 5 0:0 0 0 0", "context 0 8 1600 0 1", "evaluate"}},
        {"cube", {"luck 3 1", "cube 1 -1 1 5 0:0 0 0 0", "context 0 8 1600 0 1", "cubeful"}},
        {"move", {"luck 3 1", "cube 1 -1 1 5 0:0 0 0 0", "context 2 8 1600 0 1", "bestmove 3 1"}},
        {"", {"luck 3 1"}},
        {"hint", {"luck 3 1"}},
    };
    for (const auto &[mode, calls] : cases) {
        engine->calls.clear();
        EXPECT_EQ(ask(0, mode, 3, 1, 1, 5, 0, 0, 2), mode == "cube" ? "NO DOUBLE" : "") << mode.toStdString();
        EXPECT_EQ(engine->calls, calls) << mode.toStdString();
    }
    // No dice, no luck; a disabled cube asks the engine nothing.
    engine->calls.clear();
    ask(0, "gwc");
    EXPECT_EQ(engine->calls, QStringList({"evaluate"}));
    prefs.prfDisableCube = true;
    engine->calls.clear();
    EXPECT_EQ(ask(1, "cube", 6, 6), "");
    EXPECT_EQ(engine->calls, QStringList({"luck 6 6"}));
}

TEST_F(GnuVBTest, ChanceLabelsShowTheSideOnRollAndTheRestInShortestForm) {
    const std::vector<std::tuple<int, QString, QString>> cases = {
        {5523, "55.23%", "44.77%"}, {10000, "100%", "0%"}, {0, "0%", "100%"},
        {5550, "55.5%", "44.5%"},   {5505, "55.05%", "44.95%"}, {9999, "99.99%", "0.01%"},
    };
    for (const auto &[chance, b, w] : cases) {
        labels.clear();
        engine->chances = {chance, 0, 0};
        EXPECT_EQ(ask(0, "gwc"), "");
        EXPECT_EQ(labels, QStringList({b, w}));
        EXPECT_EQ(gnu->lblwinsB(), b);
        EXPECT_EQ(gnu->lblwinsW(), w);
    }
}

TEST_F(GnuVBTest, LuckClassesStartJustPastTheirBoundaries) {
    struct Case {
        int side;
        const char *mode;
        int luck;
        const char *folder;  // nullptr: nothing said
    };
    const Case cases[] = {
        {0, "gwc", 4000, nullptr},        {0, "gwc", 4001, "u_lucky"},      {0, "cube", 9999, "u_lucky"},
        {0, "gwc", 10000, nullptr},       {0, "resign", 10001, "u_vlucky"}, {0, "gwc", -5000, nullptr},
        {0, "gwc", -5001, "u_unlucky"},   {0, "gwc", -7999, "u_unlucky"},   {0, "gwc", -8000, nullptr},
        {1, "move", 4500, nullptr},       {1, "move", 4501, "g_lucky"},     {1, "", 10001, "g_vlucky"},
        {1, "", -5001, "g_unlucky"},      {1, "move", -8001, "g_vunlucky"}, {1, "cube", 20000, nullptr},
        {1, "gwc", -20000, nullptr},      {2, "move", 20000, nullptr},
    };
    for (const Case &c : cases) {
        spoken.clear();
        engine->luck = c.luck;
        ask(c.side, c.mode, 5, 2);
        const QStringList expected = c.folder ? QStringList{QString(c.folder) + '/' + c.folder + "1.wav"} : QStringList();
        EXPECT_EQ(spoken, expected) << c.side << ' ' << c.mode << ' ' << c.luck;
    }
    // The file is drawn from the class's list; an empty list and talking waves off say nothing.
    spoken.clear();
    engine->luck = 5000;
    random = 0.99;
    ask(0, "gwc", 5, 2);
    EXPECT_EQ(spoken, QStringList({"u_lucky/u_lucky2.wav"}));
    engine->luck = -9000;
    ask(0, "gwc", 5, 2);
    prefs.prfTalkingWavs = false;
    engine->luck = 5000;
    engine->calls.clear();
    ask(0, "gwc", 5, 2);
    EXPECT_EQ(spoken.size(), 1);
    EXPECT_TRUE(engine->calls.contains("luck 5 2"));
}

TEST_F(GnuVBTest, EngineResignsOnlyWhenTheUserIsCertainToWin) {
    // A certain win that ends the match: a remark, in self-play too.
    flags.selfPlay = true;
    engine->chances = {10000, 10000, 0};
    random = 0.5;
    EXPECT_EQ(ask(0, "resign", 0, 0, 2, 5, 3, 0), "resign n ");
    EXPECT_EQ(env.messages(), QStringList({"Damn dice :-)"}));
    EXPECT_EQ(labels, QStringList({"100%", "0%"}));
    env.clearMessages();
    flags.selfPlay = false;

    const std::vector<std::tuple<std::array<int, 3>, int, QString, QString>> cases = {
        {{9999, 0, 0}, 5, "resign n ", "GnuBG resigns normal"},
        {{10000, 9999, 0}, 5, "resign g ", "GnuBG resigns gammon"},
        {{10000, 10000, 10000}, 5, "", ""},
        {{10000, 5000, 0}, 5, "", ""},
        {{9998, 0, 0}, 5, "", ""},
        // Unlimited play has no match to end: a certain gammon is resigned as a gammon.
        {{10000, 10000, 0}, 0, "resign g ", "GnuBG resigns gammon"},
    };
    for (const auto &[chances, length, result, message] : cases) {
        env.clearMessages();
        engine->chances = chances;
        EXPECT_EQ(ask(0, "resign", 0, 0, 1, length, 0, 0), result) << chances[0] << ' ' << chances[1];
        EXPECT_EQ(env.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }
    flags.selfPlay = true;  // self-play resigns without a word
    env.clearMessages();
    engine->chances = {10000, 0, 0};
    EXPECT_EQ(ask(0, "resign"), "resign n ");
    EXPECT_TRUE(env.messages().isEmpty());
    // Asked from the engine's seat it evaluates but never resigns or relabels.
    labels.clear();
    EXPECT_EQ(ask(1, "resign"), "");
    EXPECT_TRUE(labels.isEmpty());
}

TEST_F(GnuVBTest, CubeVerdictsMapFromTheEnginesTwoElements) {
    const std::vector<std::tuple<int, int, QString>> cases = {
        {1, 1, "DOUBLE TAKE"}, {1, 0, "DOUBLE PASS"}, {2, 1, "TOO GOOD"},
        {2, 0, "TOO GOOD"},    {0, 1, "NO DOUBLE"},   {3, 1, "NO DOUBLE"},
    };
    for (const auto &[first, second, verdict] : cases) {
        engine->verdict = {first, second};
        EXPECT_EQ(ask(1, "cube"), verdict);
    }
}

TEST_F(GnuVBTest, MoveTextIsWrittenInTheUsersNumbering) {
    match.ismyTurn = true;
    engine->moves = {12, 6, 7, 6, -1};
    EXPECT_EQ(ask(0, "move", 6, 1), "13-7  8-7  ");
    engine->moves = {24, 21, 5, -1, -1};
    EXPECT_EQ(ask(0, "move", 3, 6), "bar-22  6-off  ");
    EXPECT_EQ(match.legalMoveCtr, 0);

    // The engine's own points are turned round, and each move it writes is counted.
    match.ismyTurn = false;
    engine->moves = {11, 17, 16, 17, -1};
    EXPECT_EQ(ask(1, "move", 6, 1), "13-7  8-7  ");
    engine->moves = {24, 2, 18, -1, -1};
    EXPECT_EQ(ask(1, "move", 3, 6), "bar-22  6-off  ");
    EXPECT_EQ(match.legalMoveCtr, 4);

    // Four moves at most; a list ending at once gives nothing.
    engine->moves = {7, 5, 7, 5, 5, 3, 5, 3, 4, 2, -1};
    EXPECT_EQ(ask(1, "move", 2, 2), "17-19  17-19  19-21  19-21  ");
    engine->moves = {-1, 5};
    match.bestMoveOpp = "stale";
    match.bestMovePlayer = "stale";
    EXPECT_EQ(ask(1, "move", 6, 6), "");
    EXPECT_EQ(match.bestMoveOpp, "");
    EXPECT_EQ(match.bestMovePlayer, "");
}

TEST_F(GnuVBTest, ImpossibleBoardsAreAnsweredWithZerosWithoutAskingTheEngine) {
    engine->chances = {8000, 100, 0};
    engine->verdict = {1, 1};
    engine->moves = {12, 6, 7, 6, -1};
    match.ismyTurn = true;
    EXPECT_EQ(ask(0, "move", 6, 1), "13-7  8-7  ");

    GnuBoard sixteen = gnuBoard;
    sixteen[0][1] = 1;
    GnuBoard negative = gnuBoard;
    negative[1][0] = -1;
    GnuBoard shared = gnuBoard;
    shared[0][13] = 0;
    shared[0][12] = 5;  // the user's 12 is the engine's 13
    for (const GnuBoard &impossible : {sixteen, negative, shared}) {
        EXPECT_FALSE(GnuVB::isPossible(impossible));
        gnuBoard = impossible;
        engine->calls.clear();
        labels.clear();
        EXPECT_EQ(ask(0, "gwc", 6, 1), "");
        EXPECT_EQ(labels, QStringList({"0%", "100%"}));
        EXPECT_EQ(ask(0, "move", 6, 1), "");
        EXPECT_EQ(ask(0, "cube", 6, 1), "NO DOUBLE");
        EXPECT_EQ(ask(0, "resign", 6, 1), "");
        for (const QString &call : engine->calls)
            EXPECT_TRUE(call.startsWith("cube ") || call.startsWith("context ")) << call.toStdString();
    }
    GnuBoard full{};
    full[0][0] = 15;
    full[1][25] = 15;
    EXPECT_TRUE(GnuVB::isPossible(full));
}

TEST_F(GnuVBTest, LetGoOfDuringItsOwnCallItFinishesThatCallFirst) {
    // Going online while a call waits lets go of the engine object from inside the call.
    const std::shared_ptr<QStringList> journal = engine->journal;
    engine->chances = {6000, 0, 0};
    engine->during = [this, journal] {
        gnu.reset();
        *journal << "let go";
    };
    GnuVB *asked = gnu.get();
    EXPECT_EQ(asked->GetCubeAction_BestMove(0, 1, 5, 0, 0, 0, 0, 0, 0, 0, "gwc", 0), "");
    *journal << "returned";
    EXPECT_EQ(*journal, QStringList({"let go", "engine gone", "returned"}));
    EXPECT_EQ(labels, QStringList({"60%", "40%"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The program is ending: the work that unwinds asks the engine nothing, and an engine that
// the exit has stopped is not started again for it.
TEST_F(GnuVBTest, OnceTheExitHasBegunTheEngineIsAskedNothingAndNotRestarted) {
    engine->failWith = "the bridge is gone";
    ProgramExit::begin();  // undone by the fixture's environment, also when the test fails
    for (const char *mode : {"gwc", "resign", "cube", "move"})
        EXPECT_EQ(ask(1, mode, 6, 5), "") << mode;
    EXPECT_TRUE(engine->calls.isEmpty()) << engine->calls.join('|').toStdString();
    EXPECT_TRUE(env.messages().isEmpty());
}

TEST_F(GnuVBTest, AFailingEngineIsRestartedAndAskedAgainBeforeTheStepAndTheCauseAreShown) {
    // Started afresh, it answers: the user hears nothing of it.
    engine->failWith = "GNU Backgammon did not answer within 5000 ms";
    engine->restartMends = true;
    engine->chances = {6000, 0, 0};
    EXPECT_EQ(ask(0, "gwc"), "");
    EXPECT_EQ(engine->calls, QStringList({"evaluate", "restart", "evaluate"}));
    EXPECT_EQ(labels, QStringList({"60%", "40%"}));
    EXPECT_TRUE(env.messages().isEmpty());
    EXPECT_FALSE(gnu->lastCallFailed());

    engine->restartMends = false;
    for (const char *mode : {"move", "cube", "gwc", "resign"}) {
        engine->failWith = "the bridge is gone";
        engine->calls.clear();
        env.clearMessages();
        EXPECT_EQ(ask(0, mode, 4, 4), "");
        EXPECT_EQ(engine->calls.count("restart"), 1);
        EXPECT_EQ(env.messages(), QStringList({"error in GetCubAction: the bridge is gone"}));
        EXPECT_TRUE(gnu->lastCallFailed());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    engine->failWith.clear();
    ask(0, "gwc");
    EXPECT_FALSE(gnu->lastCallFailed());
}

}  // namespace
