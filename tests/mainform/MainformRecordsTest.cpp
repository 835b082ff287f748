// The match records on the main window: a match finished offline or online leaves its
// log and its .mat, a dropped match goes on in its log after the resume, the menu converts
// any log, and a saved log is played back step by step, by game and to its end.
#include "app/Utilities.h"
#include "board/CheckerRec.h"
#include "engine/GnubgInstalled.h"
#include "mainform/Mainform.h"
#include "records/GnubgMatOracle.h"
#include "records/LogFiles.h"
#include "support/OnlineLogin.h"
#include "support/QuickWindow.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kBoard = QStringLiteral("board:You:Nortally:%1:%2:%3:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:"
                                      "0:0:2:0:1:%4:%5:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0");

QString board(int length, int score1, int score2, int die1 = 0, int die2 = 0) {
    return kBoard.arg(length).arg(score1).arg(score2).arg(die1).arg(die2);
}

class MainformRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = loadQuickWindow(env);
        ASSERT_TRUE(window);
        window->prefs.prfSaveAll = true;
    }
    void TearDown() override { setWaitFactor(1); }

    QStringList saved(const QString &folder, const QString &pattern) const {
        return QDir(env.programFolder() + '/' + folder).entryList({pattern}, QDir::Files, QDir::Name);
    }
    QStringList lines(const QString &relative) const {
        QStringList read;
        LogFiles::readLines(env.programFolder() + '/' + relative, read);
        return read;
    }
    // The saved log and its .mat: GNU Backgammon takes the .mat whole, with the log's score.
    void expectSavedAndReadable(const QString &opponent) {
        const QStringList logs = saved("log", "2*_" + opponent + ".log");
        ASSERT_EQ(logs.size(), 1) << saved("log", "*").join(' ').toStdString();
        const QString mat = QString(logs.first()).replace(".log", ".mat");
        ASSERT_EQ(saved("jf_mat", mat), QStringList{mat});
        EXPECT_EQ(window->lblStatus->text(), "Korvex.log and JF.mat files saved..");
        if (!gnubgInstalled())
            return;
        const MatVerdict verdict = gnubgReads({env.programFolder() + "/jf_mat/" + mat}).value(0);
        EXPECT_TRUE(verdict.complaints.isEmpty()) << verdict.complaints.join('\n').toStdString();
        EXPECT_EQ(verdict.score, finalScore(lines("log/" + logs.first()), opponent))
            << lines("log/" + logs.first()).join('\n').toStdString() << "\n"
            << lines("jf_mat/" + mat).join('\n').toStdString();
    }

    // The user's turn as his clicks would play it: the engine's choice for his dice moved on
    // the board, then the dice clicked.
    void playUsersTurn() {
        Mainform &w = *window;
        MatchState &m = w.match;
        const QString best = w.gnuObject->GetCubeAction_BestMove(0, m.theCubeVal, m.theMatchLength, m.theMatchscore1,
                                                                 m.theMatchscore2, m.isCrawford, m.isJacoby,
                                                                 m.isBeaver, m.die1, m.die2, "move", 0);
        w.moveLines.ShowBlackMovesFromString("You move " + best);
        MoveInput &in = w.moveInput;
        in.clearMoveRecords();
        int made = 0;
        for (const QString &step : best.split(' ', Qt::SkipEmptyParts)) {
            const QStringList ends = step.split('-');
            in.MoveRec[std::size_t(made++)] = {ends[0] == "bar" ? Position::blackBar : ends[0].toInt(),
                                              ends[1] == "off" ? Position::blackTray : ends[1].toInt()};
        }
        w.OfflineGameOver({});
        if (m.gameOver) {
            if (w.flags.isPlaying)
                w.ShowStartBoard();
            return;
        }
        in.movesMade = made;
        m.die1 = m.die2 = 0;
        m.ismyTurn = false;
        w.actions.handInMove();
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(MainformRecordsTest, AnOfflineMatchAgainstGnuBGLeavesItsLogAndAMatGnubgReads) {
    SKIP_WITHOUT_GNUBG();
    Mainform &w = *window;
    w.prefs.prfGnuPlyEval = w.prefs.prfGnuPlyHint = 0;
    w.gnuObject = std::make_unique<GnuVB>(w.pips.gnuBoard, w.match, w.flags, w.prefs);
    // What the invitation window does for a 3-point match against GnuBG.
    w.match.theMatchLength = w.match.theOldMatchLength = 3;
    w.match.isNewMatch = true;
    w.SplitFibString("** Player GnuBG has joined you for a 3 point match.");
    w.newGnubgGame();
    // The user takes every double and plays GnuBG's choice for his dice.
    for (int turn = 0; turn < 2000 && !w.match.isMatchOver; ++turn) {
        if (w.match.isDoubled)
            w.cmdAccept->click();
        else if (w.match.ismyTurn && w.match.die1 == 0)
            w.DoRoll();
        else if (w.match.ismyTurn)
            playUsersTurn();
        else
            FAIL() << "neither side is on turn";
    }
    ASSERT_TRUE(w.match.isMatchOver);
    EXPECT_TRUE(w.lists.matchLog.isEmpty());
    EXPECT_TRUE(w.txtTerminal->toPlainText().contains("Korvex.log and JF.mat files saved.."));
    expectSavedAndReadable("GnuBG");
}

TEST_F(MainformRecordsTest, AnOnlineMatchIsSavedAtItsEndAndNothingIsCalledLostAtTheDisconnect) {
    const QStringList match = {"** Player Nortally has joined you for a 1 point match.",
                               board(1, 0, 0),
                               "Starting a new game with Nortally.",
                               "You rolled 3, Nortally rolled 5",
                               "Nortally makes the first move.",
                               "Nortally moves 12-15 12-17 .",
                               "Nortally wants to resign. You will win 1 point. Type 'accept' or 'reject'.",
                               "You accept and win 1 point.",
                               "You win the 1 point match 1-0 ."};
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines(match)
        .pause(300)
        // The player list's next changes are when the finished match is saved.
        .sendLines({"5 Nortally - - 0 0 1500.00 300 2 1306926526 n.example.com - -",
                    "5 Nortally - - 1 0 1500.00 301 2 1306926526 n.example.com - -"})
        .pause(1500)
        .hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !saved("jf_mat", "*.mat").isEmpty(); }, 10000));
    EXPECT_TRUE(window->txtTerminal->toPlainText().contains("Korvex.log and JF.mat files saved.."));
    expectSavedAndReadable("Nortally");
    EXPECT_EQ(lines("log/" + saved("log", "2*.log").value(0)), match);

    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 10000));
    EXPECT_TRUE(env.messages().filter("oops.log").isEmpty());
    EXPECT_TRUE(saved("log", "oops.log").isEmpty());
}

TEST_F(MainformRecordsTest, AMatchDroppedByANetworkErrorGoesOnInItsLogAfterTheResume) {
    const QStringList before = {"** Player Nortally has joined you for a 1 point match.", board(1, 0, 0),
                                "Starting a new game with Nortally.", "You rolled 3, Nortally rolled 5",
                                "Nortally makes the first move.", "Nortally moves 12-15 12-17 ."};
    ScriptedServer first;
    first.send("login: ").awaitLine("login Korvex").sendLines(before).pause(5000);
    ASSERT_TRUE(logInTo(*window, first));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->lists.matchLog.size() == before.size(); }, 5000));
    emit window->server.failed(QAbstractSocket::NetworkError, "The network went away");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 5000));
    // Kept for the resume, not rescued as lost.
    EXPECT_EQ(lines("log/Nortally.tmp"), before);
    EXPECT_TRUE(saved("log", "oops.log").isEmpty());

    const QStringList after = {"Nortally has joined you. Your running match was loaded.", board(1, 0, 0),
                               "You roll 6 and 4.", board(1, 0, 0, 6, 4), "You move 24-18 13-9 ",
                               "Nortally wants to resign. You will win 1 point. Type 'accept' or 'reject'.",
                               "You accept and win 1 point.", "You win the 1 point match 1-0 ."};
    ScriptedServer second;
    second.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"Nortally wants to resume a saved match with you."})
        .pause(300)
        .sendLines(after)
        .pause(300)
        .sendLines({"5 Nortally - - 0 0 1500.00 300 2 1306926526 n.example.com - -",
                    "5 Nortally - - 1 0 1500.00 301 2 1306926526 n.example.com - -"})
        .pause(3000);
    ASSERT_TRUE(logInTo(*window, second));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !saved("jf_mat", "*.mat").isEmpty(); }, 10000));
    EXPECT_EQ(lines("log/" + saved("log", "2*.log").value(0)), before + after);
    expectSavedAndReadable("Nortally");
}

TEST_F(MainformRecordsTest, TheMenuConvertsAChosenLogOffline) {
    const QStringList log = {"** Player GnuBG has joined you for a 1 point match.", "Starting a new game with GnuBG.",
                             "You rolled 5 , GnuBG rolled 3", "It's your turn to move.", "You move 13-8 13-10"};
    env.writeFile("log/my game.log", log.join("\r\n").toLatin1());
    env.writeFile("log/empty.log", "");
    QAction *convert = window->findChild<QAction *>("mnuLog2mat");
    env.queueInput("");  // cancelled
    convert->trigger();
    env.queueInput(env.programFolder() + "/log/empty.log");
    convert->trigger();
    env.queueInput(env.programFolder() + "/log/my game.log");
    convert->trigger();
    EXPECT_EQ(env.messages(), (QStringList{"Convert log to JF.mat", "Convert log to JF.mat", "That file is empty",
                                           "Convert log to JF.mat"}));
    EXPECT_EQ(saved("jf_mat", "*"), QStringList{"my game.mat"});
    EXPECT_EQ(window->lblStatus->text(), "Korvex.log and JF.mat files saved..");
    EXPECT_FALSE(window->progressWindowVisible());

    env.clearMessages();
    window->flags.isConnected = true;
    convert->trigger();
    window->findChild<QAction *>("mnuViewSaved")->trigger();
    window->flags.isConnected = false;
    EXPECT_EQ(env.messages(), (QStringList{"Can't convert while online", "Can't view saved while online"}));
}

TEST_F(MainformRecordsTest, ASavedLogPlaysBackByStepGameAndToItsEnd) {
    QStringList log = {"** Player Nortally has joined you for a 3 point match."};
    for (int game = 0; game < 2; ++game) {
        log << "Starting a new game with Nortally." << board(3, 0, game, 5, 3) << "You move 13-8 13-10 "
            << "Nortally rolls 4 and 2." << board(3, 0, game) << "Nortally moves 1-5 12-14 ."
            << board(3, 0, game, 6, 1);
        if (game == 0)
            log << "board:You:Nortally:3:x:0:0:0:0:0";  // a score that is no number
    }
    log << "Nortally moves 24-18 .";
    env.writeFile("log/two games.log", log.join("\r\n").toLatin1());
    const QString path = env.programFolder() + "/log/two games.log";
    env.queueInput(path);
    window->cmdOpen->click();
    // The odd board starts no game, and the games after it are still found.
    EXPECT_EQ(window->List1->count(), 2);
    EXPECT_EQ(window->List1->item(1)->text(), "You(0)  Nortally(1)");
    EXPECT_EQ(window->lblPlayer2->text(), "Nortally");
    const LogPlayback &playback = window->records.playback();
    EXPECT_EQ(playback.currentBoard(), 2);
    for (QPushButton *b : {window->cmdStep, window->cmdAuto, window->cmdBack})
        EXPECT_TRUE(b->isEnabled());

    // Back from the first board stays there; then a step, a step back, a game's first board.
    window->cmdBack->click();
    EXPECT_EQ(playback.currentBoard(), 2);
    window->cmdStep->click();
    EXPECT_EQ(playback.currentBoard(), 5);
    window->cmdBack->click();
    EXPECT_EQ(playback.currentBoard(), 2);
    QTest::mouseClick(window->List1->viewport(), Qt::LeftButton, {},
                      window->List1->visualItemRect(window->List1->item(1)).center());
    EXPECT_EQ(playback.currentBoard(), 10);

    // To the end, the lines after the last board included.
    window->cmdAuto->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->records.isPlaybackFileOpen(); }, 10000));
    EXPECT_TRUE(env.messages().contains("End of file"));
    EXPECT_TRUE(window->txtTerminal->toPlainText().contains("Nortally moves 24-18"));
    for (QPushButton *b : {window->cmdStep, window->cmdAuto, window->cmdBack})
        EXPECT_FALSE(b->isEnabled());
    // The replay is no match of the user's: nothing of it is recorded.
    EXPECT_TRUE(window->lists.matchLog.isEmpty());
    EXPECT_FALSE(window->flags.isLogging);

    // Play Online in the middle of an auto run ends it there.
    env.queueInput(path);
    window->cmdOpen->click();
    window->cmdAuto->click();
    window->mnuConnect->trigger();
    QTest::qWait(100);
    EXPECT_FALSE(window->records.isPlaybackFileOpen());
    EXPECT_EQ(env.messages().filter("End of file").size(), 1);
    EXPECT_TRUE(window->lists.matchLog.isEmpty());
    EXPECT_TRUE(saved("log", "oops.log").isEmpty());

    // A match of the user's own ends a playback.
    env.queueInput(path);
    window->cmdOpen->click();
    window->SplitFibString("** Player GnuBG has joined you for a 3 point match.");
    EXPECT_FALSE(window->records.isPlaybackFileOpen());
    EXPECT_FALSE(window->cmdStep->isEnabled());
}

}  // namespace
