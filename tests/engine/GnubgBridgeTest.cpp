// The engine class on real GNU Backgammon through its bridge process: one process serves the
// whole suite, except where a test kills it or starves it on purpose.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "engine/GnubgBridge.h"
#include "engine/GnuVB.h"
#include "engine/GnubgInstalled.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

const QString kScript = QStringLiteral(KORVEX_DATA_DIR "/engine/bridge.py");

// Checkers as (point, count) in the side's own numbering; whatever is missing of fifteen is
// borne off.
SideCounts side(std::initializer_list<std::pair<int, int>> points) {
    SideCounts s{};
    int total = 0;
    for (auto [p, n] : points) {
        s[std::size_t(p)] = n;
        total += n;
    }
    s[0] = 15 - total;
    return s;
}

const SideCounts kOpening = side({{6, 5}, {8, 3}, {13, 5}, {24, 2}});

// The opening position as the engine's operations take it.
EngineBoard openingBoard() {
    EngineBoard board{};
    for (int row = 0; row < 2; ++row)
        for (int p = 1; p <= 25; ++p)
            board[std::size_t(row * 25 + p - 1)] = kOpening[std::size_t(p)];
    return board;
}

// The one failure a machine without GNU Backgammon gets; the tests that need it are skipped.
TEST(GnubgInstalledTest, GnuBackgammonIsInstalled) {
    EXPECT_TRUE(gnubgInstalled()) << gnubgMissing();
}

class GnubgBridgeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto bridge = std::make_unique<GnubgBridge>(EngineFiles::program, kScript);
        shared = bridge.get();
        gnu = new GnuVB(gnuBoard, match, flags, prefs, std::move(bridge));
    }
    static void TearDownTestSuite() {
        delete gnu;
        gnu = nullptr;
    }
    void SetUp() override {
        SKIP_WITHOUT_GNUBG();
        shared->setTimeLimitOverride(0);
        gnuBoard = {kOpening, kOpening};
        match = MatchState();
        flags = StateFlags();
    }

    static QString ask(int side, const QString &mode, int die1 = 0, int die2 = 0, int plies = 0, int matchLen = 0) {
        return gnu->GetCubeAction_BestMove(side, 1, matchLen, 0, 0, 0, 0, 0, die1, die2, mode, plies);
    }

    TestEnvironment env;
    static inline GnuBoard gnuBoard{};
    static inline MatchState match;
    static inline StateFlags flags;
    static inline Preferences prefs;
    static inline GnubgBridge *shared = nullptr;
    static inline GnuVB *gnu = nullptr;
};

double percent(const QString &label) {
    return QString(label).remove('%').toDouble();
}

TEST_F(GnubgBridgeTest, OpeningChancesAreNearHalfAndAddUpToAHundred) {
    EXPECT_EQ(ask(0, "gwc"), "");
    EXPECT_TRUE(env.messages().isEmpty()) << env.messages().join('|').toStdString();
    EXPECT_GT(percent(gnu->lblwinsB()), 48.0);
    EXPECT_LT(percent(gnu->lblwinsB()), 56.0);
    EXPECT_DOUBLE_EQ(percent(gnu->lblwinsB()) + percent(gnu->lblwinsW()), 100.0);
}

TEST_F(GnubgBridgeTest, ABorneOffRaceIsCertainAndTheEngineResigns) {
    gnuBoard = {side({{1, 1}}), side({{6, 5}, {5, 5}})};
    flags.selfPlay = true;
    EXPECT_EQ(ask(0, "gwc"), "");
    EXPECT_EQ(gnu->lblwinsB(), "100%");
    EXPECT_EQ(gnu->lblwinsW(), "0%");
    EXPECT_EQ(ask(0, "resign", 0, 0, 0, 5), "resign n ");
    // With all fifteen of its checkers still far from home the engine gives up a gammon.
    gnuBoard = {side({{1, 1}}), side({{13, 15}})};
    EXPECT_EQ(ask(0, "resign", 0, 0, 0, 5), "resign g ");
    EXPECT_TRUE(env.messages().isEmpty());
}

TEST_F(GnubgBridgeTest, CubeVerdictsOfClearPositions) {
    EXPECT_EQ(ask(1, "cube"), "NO DOUBLE");
    gnuBoard = {side({{6, 5}, {5, 5}, {4, 4}}), side({{6, 3}, {5, 3}, {4, 3}})};
    EXPECT_EQ(ask(1, "cube", 0, 0, 0, 5), "DOUBLE PASS");
    gnuBoard = {side({{6, 2}, {5, 2}, {4, 2}, {3, 2}}), side({{5, 2}, {4, 2}, {3, 2}, {2, 2}, {1, 2}})};
    EXPECT_EQ(ask(1, "cube", 0, 0, 0, 5), "DOUBLE TAKE");
}

// Nobody may double in the Crawford game. At 4-3 in a five-point match the engine, trailing
// with a big race lead, has a double the user must pass once the Crawford game is over; in
// it, no double.
TEST_F(GnubgBridgeTest, TheCrawfordGameHasNoDouble) {
    gnuBoard = {side({{6, 5}, {5, 5}, {4, 4}}), side({{6, 3}, {5, 3}, {4, 3}})};
    const auto verdict = [](int crawford) {
        return gnu->GetCubeAction_BestMove(1, 1, 5, 4, 3, crawford, 0, 0, 0, 0, "cube", 0);
    };
    EXPECT_EQ(verdict(0), "DOUBLE PASS");
    EXPECT_EQ(verdict(1), "NO DOUBLE");
}

TEST_F(GnubgBridgeTest, BestMovesComeBackInTheUsersNumbering) {
    match.ismyTurn = true;
    EXPECT_EQ(ask(0, "move", 3, 1), "8-5  6-5  ");
    match.ismyTurn = false;
    EXPECT_EQ(ask(1, "move", 3, 1), "17-20  19-20  ");
    EXPECT_EQ(match.legalMoveCtr, 2);
    // Entering from the bar and bearing off.
    match.ismyTurn = true;
    gnuBoard = {side({{25, 1}, {6, 4}}), side({{6, 5}, {8, 3}, {13, 5}, {24, 2}})};
    EXPECT_TRUE(ask(0, "move", 2, 1).startsWith("bar-2"));
    gnuBoard = {side({{6, 1}, {2, 1}}), side({{6, 5}, {8, 3}, {13, 5}, {24, 2}})};
    EXPECT_EQ(ask(0, "move", 6, 2), "6-off  2-off  ");
    EXPECT_TRUE(env.messages().isEmpty()) << env.messages().join('|').toStdString();
}

TEST_F(GnubgBridgeTest, LuckIsTheRollsEquityAgainstTheAverageOfAllRolls) {
    // Two checkers on the six point against a certain loss next turn: only 3-3, 4-4, 5-5 and
    // 6-6 win, so the average roll is worth (4 - 32) / 36 of a point.
    const EngineBoard board = [] {
        EngineBoard b{};
        b[0] = 1;            // the opponent bears off its last checker next turn
        b[25 + 5] = 2;
        return b;
    }();
    std::vector<std::pair<int, int>> rated;
    for (auto [d1, d2] : {std::pair{6, 6}, std::pair{2, 1}})
        shared->vbLuckAnalysis(board, d1, d2, 0, [&rated, d = d1](int luck) { rated.push_back({d, luck}); });
    QElapsedTimer clock;
    clock.start();
    while (rated.size() < 2 && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_EQ(rated.size(), 2u);
    // 6-6 first, then 2-1 from the same ratings.
    EXPECT_NEAR(rated[0].second, (1 + 28.0 / 36) * GnubgBridge::kLuckScale, 2);
    EXPECT_NEAR(rated[1].second, (-1 + 28.0 / 36) * GnubgBridge::kLuckScale, 2);
}

// A move asked for while a luck rating is under way gets its own answer, not the rating's
// reply that comes first; and the rating goes on to its end, so the luck remarks do not stop.
TEST_F(GnubgBridgeTest, AMoveAskedDuringALuckRatingGetsItsOwnReply) {
    EXPECT_TRUE(shared->request(QStringLiteral("ping"), {}, 5000).empty());
    shared->vbSetEvalContext(EvalRecord{});
    shared->vbSetCubeInfo(CubeRecord{});
    EngineBoard rated{};  // a position no other test rates, so none of it is known yet
    rated[0] = 3;
    rated[25 + 10] = 4;
    int ratings = 0;
    shared->vbLuckAnalysis(rated, 5, 4, 0, [&ratings](int) { ++ratings; });
    // Once the call queued after it has run, the rating's first request has gone out.
    bool queued = false;
    QMetaObject::invokeMethod(qApp, [&queued] { queued = true; }, Qt::QueuedConnection);
    QApplication::processEvents();
    ASSERT_TRUE(queued);
    EngineMoves moves{};
    shared->vbFindBestMove(moves, 3, 1, openingBoard());
    EXPECT_EQ(std::vector<int>(moves.begin(), moves.begin() + 5), std::vector<int>({7, 4, 5, 4, -1}));  // 8-5 6-5
    QElapsedTimer clock;
    clock.start();
    while (ratings == 0 && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(ratings, 1) << "the luck rating never ended";
}

TEST_F(GnubgBridgeTest, AKilledBridgeIsStartedAgain) {
    ask(0, "gwc");
    const qint64 before = shared->processId();
    ASSERT_GT(before, 0);
    ::kill(pid_t(before), SIGKILL);
    match.ismyTurn = true;
    EXPECT_EQ(ask(0, "move", 3, 1), "8-5  6-5  ");
    EXPECT_TRUE(env.messages().isEmpty()) << env.messages().join('|').toStdString();
    EXPECT_NE(shared->processId(), before);
    // Restarted after a failure, it is a fresh process that answers.
    const qint64 killed = shared->processId();
    shared->restart();
    EXPECT_NE(shared->processId(), killed);
    EXPECT_EQ(ask(0, "move", 3, 1), "8-5  6-5  ");
}

TEST_F(GnubgBridgeTest, ASlowAnswerEndsInTheErrorPathAndTheNextRequestWorks) {
    shared->setTimeLimitOverride(1);
    match.ismyTurn = true;
    EXPECT_EQ(ask(0, "move", 4, 2, 2), "");
    EXPECT_EQ(env.messages(), QStringList({"error in GetCubAction: GNU Backgammon did not answer within 1 ms"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    shared->setTimeLimitOverride(0);
    env.clearMessages();
    EXPECT_EQ(ask(0, "move", 3, 1), "8-5  6-5  ");
    EXPECT_TRUE(env.messages().isEmpty());
}

TEST_F(GnubgBridgeTest, ABadRequestIsRefusedNotAnsweredWithNonsense) {
    EXPECT_THROW(shared->request(QStringLiteral("move"), {1, 2}, 5000), EngineError);
    EXPECT_THROW(shared->request(QStringLiteral("fly"), {}, 5000), EngineError);
    EXPECT_TRUE(shared->request(QStringLiteral("ping"), {}, 5000).empty());
}

TEST_F(GnubgBridgeTest, AMatchLongerThanGnuBackgammonPlaysIsNeverAskedAbout) {
    const qint64 running = shared->processId();
    match.ismyTurn = false;
    EXPECT_EQ(ask(1, "cube", 0, 0, 0, 64), "NO DOUBLE");
    EXPECT_FALSE(ask(1, "move", 3, 1, 0, 64).isEmpty());
    EXPECT_TRUE(env.messages().isEmpty());
    // Beyond 64 points its answers mean nothing, and from 152 it falls over.
    for (int length : {65, 152}) {
        env.clearMessages();
        EXPECT_EQ(ask(1, "move", 3, 1, 0, length), "");
        ASSERT_EQ(env.messages().size(), 1);
        EXPECT_TRUE(env.messages().first().contains("64 points")) << env.messages().first().toStdString();
    }
    // The roll's luck, worked out after the call, stays unasked as well.
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    EXPECT_EQ(shared->processId(), running);
    EXPECT_EQ(ask(1, "cube", 0, 0, 0, 5), "NO DOUBLE");
}

TEST_F(GnubgBridgeTest, TheInstantMoveUsesEveryDieTheRollAllows) {
    auto pairs = [](const EngineMoves &moves) {
        int n = 0;
        while (n < 4 && moves[std::size_t(2 * n)] != -1)
            ++n;
        return n;
    };
    const EngineBoard opening = openingBoard();
    EngineMoves moves{};
    shared->vbFindPubevalMove(3, 1, opening, moves);
    EXPECT_EQ(pairs(moves), 2);
    shared->vbFindPubevalMove(4, 4, opening, moves);
    EXPECT_EQ(pairs(moves), 4);
    // On the bar against a closed board nothing moves.
    EngineBoard closed{};
    for (int p = 1; p <= 6; ++p)
        closed[std::size_t(p - 1)] = 2;
    closed[25 + 24] = 1;
    shared->vbFindPubevalMove(6, 5, closed, moves);
    EXPECT_EQ(pairs(moves), 0);
}

TEST(GnubgBridgeMissingTest, AMissingEngineIsReportedOnEveryCall) {
    TestEnvironment env;
    GnuBoard board{kOpening, kOpening};
    MatchState match;
    StateFlags flags;
    Preferences prefs;
    GnuVB gnu(board, match, flags, prefs, std::make_unique<GnubgBridge>(QStringLiteral("/nonexistent/gnubg"), kScript));
    EXPECT_EQ(gnu.GetCubeAction_BestMove(0, 1, 0, 0, 0, 0, 0, 0, 0, 0, "cube", 0), "");
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages().first().startsWith("error in GetCubAction: GNU Backgammon (/nonexistent/gnubg) could not be started"))
        << env.messages().first().toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
