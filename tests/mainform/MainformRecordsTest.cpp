// The match records on the main window: a match finished offline or online leaves its
// log and its .mat, a dropped match goes on in its log after the resume, the menu converts
// any log, and a saved log is played back step by step, by game and to its end.
#include "app/Utilities.h"
#include "app/frmExit.h"
#include "board/BoardShow.h"
#include "board/CheckerRec.h"
#include "connection/frmLogin.h"
#include "engine/GnubgInstalled.h"
#include "lobby/frmInvite.h"
#include "mainform/Mainform.h"
#include "play/MoveLines.h"
#include "records/GnubgMatOracle.h"
#include "records/JfPos.h"
#include "records/LogFiles.h"
#include "support/OnlineLogin.h"
#include "support/QuickWindow.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

const QString kBoard = QStringLiteral("board:You:Nortally:%1:%2:%3:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:"
                                      "0:0:2:0:1:%4:%5:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0");

QString board(int length, int score1, int score2, int die1 = 0, int die2 = 0) {
    return kBoard.arg(length).arg(score1).arg(score2).arg(die1).arg(die2);
}

// A whole 1-point match against Nortally, who resigns.
const QStringList kOnlineMatch = {"** Player Nortally has joined you for a 1 point match.",
                                  board(1, 0, 0),
                                  "Starting a new game with Nortally.",
                                  "You rolled 3, Nortally rolled 5",
                                  "Nortally makes the first move.",
                                  "Nortally moves 12-15 12-17 .",
                                  "Nortally wants to resign. You will win 1 point. Type 'accept' or 'reject'.",
                                  "You accept and win 1 point.",
                                  "You win the 1 point match 1-0 ."};

// That match up to the network error that drops it, and its end after the resume, which the
// server opens with `resumed`.
const QStringList kBeforeTheDrop = kOnlineMatch.mid(0, 6);
QStringList afterTheResume(const QString &resumed) {
    return QStringList{resumed, board(1, 0, 0), "You roll 6 and 4.", board(1, 0, 0, 6, 4), "You move 24-18 13-9 "} +
           kOnlineMatch.mid(6);
}
// The player list's next changes, when the server's finished match against `opponent` is saved.
QStringList playerListChanges(const QString &opponent = "Nortally") {
    return {"5 " + opponent + " - - 0 0 1500.00 300 2 1306926526 n.example.com - -",
            "5 " + opponent + " - - 1 0 1500.00 301 2 1306926526 n.example.com - -"};
}
// The server plays the resumed match's end, then the player list changes that save it.
ScriptedServer &playTheResume(ScriptedServer &server, const QStringList &after) {
    return server.sendLines(after).pause(300).sendLines(playerListChanges()).pause(3000);
}
// The part of the match kept when it dropped, left for its resume.
QByteArray droppedPart() {
    return (kBeforeTheDrop.join("\r\n") + "\r\n").toLatin1();
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
    // The lines of the first match log saved under a name of that pattern.
    QStringList savedLog(const QString &pattern) const { return lines("log/" + saved("log", pattern).value(0)); }
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
        const QStringList log = lines("log/" + logs.first());
        EXPECT_TRUE(verdict.complaints.isEmpty()) << verdict.complaints.join('\n').toStdString();
        EXPECT_EQ(verdict.score, finalScore(log, opponent))
            << log.join('\n').toStdString() << "\n"
            << lines("jf_mat/" + mat).join('\n').toStdString();
        EXPECT_EQ(verdict.games, log.filter(QRegularExpression("^Starting a new game ")).size());
    }

    // An offline match against GnuBG begun as the invitation window begins it.
    void startOfflineMatch(int length, bool selfPlay) {
        Mainform &w = *window;
        w.prefs.prfGnuPlyEval = w.prefs.prfGnuPlyHint = 0;
        if (!w.gnuObject)
            w.gnuObject = std::make_unique<GnuVB>(w.pips.gnuBoard, w.match, w.flags, w.prefs);
        w.match.theMatchLength = w.match.theOldMatchLength = length;
        w.match.isNewMatch = true;
        w.flags.selfPlay = selfPlay;
        w.SplitFibString(QStringLiteral("** Player GnuBG has joined you for a %1 point match.").arg(length));
        w.newGnubgGame();
    }

    // The user plays the match out: he takes every double and plays GnuBG's choice for his dice,
    // by mouse if asked.
    void playToTheEnd(bool byMouse = false) {
        Mainform &w = *window;
        for (int turn = 0; turn < 2000 && !w.match.isMatchOver; ++turn) {
            if (w.match.isDoubled) {
                w.cmdAccept->click();
            } else if (w.match.ismyTurn && w.match.die1 == 0) {
                if (byMouse)
                    clickBoard(w, diceSpot(w));  // the bare right half rolls
                else
                    w.DoRoll();
            } else if (w.match.ismyTurn) {
                if (!byMouse) {
                    playUsersTurn();
                } else if (!playUsersTurnByMouse()) {
                    ADD_FAILURE() << "Pick Up did not end the turn";
                    return;
                }
            } else {
                ADD_FAILURE() << "neither side is on turn";
                return;
            }
        }
    }

    // GnuBG's choice for the user's dice, as its move text and step by step.
    QString usersBestMove() const {
        const MatchState &m = window->match;
        return window->gnuObject->GetCubeAction_BestMove(0, m.theCubeVal, m.theMatchLength, m.theMatchscore1,
                                                         m.theMatchscore2, m.isCrawford, m.isJacoby, m.isBeaver,
                                                         m.die1, m.die2, "move", 0);
    }
    static std::vector<LineMove> steps(const QString &move) {
        return MoveLines::read("You move " + move, Side::Black, false);
    }

    // The user's turn as his clicks would play it: the engine's choice for his dice moved on
    // the board, then the dice clicked.
    void playUsersTurn() {
        Mainform &w = *window;
        MatchState &m = w.match;
        const QString best = usersBestMove();
        w.moveLines.ShowBlackMovesFromString("You move " + best);
        MoveInput &in = w.moveInput;
        in.clearMoveRecords();
        int made = 0;
        for (const LineMove &step : steps(best))
            in.MoveRec[std::size_t(made++)] = {step.from, step.to};
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

    // The user's turn by mouse: each of GnuBG's steps for his dice a click on the checker, the
    // first with the button of the die it takes (left the larger, right the smaller), then the
    // toolbar's Pick Up; every third turn from the keyboard, and in the first turn of two steps
    // once after the first die too, which must leave the turn open. False when the turn went on.
    bool playUsersTurnByMouse() {
        Mainform &w = *window;
        const MatchState &m = w.match;
        const std::vector<LineMove> best = steps(usersBestMove());
        for (std::size_t i = 0; i < best.size(); ++i) {
            const Qt::MouseButton button = i == 0 && firstStepTakesSmallerDie(best) ? Qt::RightButton : Qt::LeftButton;
            clickBoard(*window, checkerSpot(*window, best[i].from), button);
            if (i == 0 && best.size() == 2 && pickUpsAfterOneDie == 0) {
                const QStringList record = w.lists.matchLog;
                QTest::mouseClick(w.cmdPickUp, Qt::LeftButton);
                EXPECT_TRUE(m.ismyTurn && m.die1 > 0 && w.moveInput.movesMade == 1);
                EXPECT_EQ(w.lists.matchLog, record);
                ++pickUpsAfterOneDie;
            }
        }
        const QStringList record = w.lists.matchLog;
        if (++userTurns % 3 == 0)
            QTest::keyClick(w.cmdPickUp, Qt::Key_Space);
        else
            QTest::mouseClick(w.cmdPickUp, Qt::LeftButton);
        return w.lists.matchLog != record;  // the move recorded, or the match saved
    }
    // Of two different dice, the smaller one takes the first step, the larger the second.
    bool firstStepTakesSmallerDie(const std::vector<LineMove> &steps) const {
        const MatchState &m = window->match;
        if (m.die1 == m.die2)
            return false;
        auto fits = [](const LineMove &step, int die) {
            const int from = step.from == Position::blackBar ? 25 : step.from;
            return step.to == Position::blackTray ? from <= die : from - step.to == die;
        };
        if (steps.size() == 1)
            return !fits(steps[0], m.die1);
        return !(fits(steps[0], m.die1) && fits(steps[1], m.die2));
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
    int userTurns = 0, pickUpsAfterOneDie = 0;
};

TEST_F(MainformRecordsTest, AnOfflineMatchAgainstGnuBGLeavesItsLogAndAMatGnubgReads) {
    SKIP_WITHOUT_GNUBG();
    Mainform &w = *window;
    startOfflineMatch(3, false);
    playToTheEnd();
    ASSERT_TRUE(w.match.isMatchOver);
    EXPECT_TRUE(w.lists.matchLog.isEmpty());
    EXPECT_TRUE(w.txtTerminal->toPlainText().contains("Korvex.log and JF.mat files saved.."));
    expectSavedAndReadable("GnuBG");
}

// A 5-point match as the user plays it: checkers moved and dice rolled by mouse, every turn
// ended with the toolbar's Pick Up (some from the keyboard), one pressed after one die of two.
TEST_F(MainformRecordsTest, AFivePointMatchPlayedByMouseAndEndedWithPickUpIsSavedWhole) {
    SKIP_WITHOUT_GNUBG();
    Mainform &w = *window;
    std::mt19937 generator(11);
    w.offline.rollDie = [&] { return std::uniform_int_distribution<int>(1, 6)(generator); };
    startOfflineMatch(5, false);
    playToTheEnd(true);
    ASSERT_TRUE(w.match.isMatchOver);
    EXPECT_EQ(pickUpsAfterOneDie, 1);
    EXPECT_GE(userTurns, 3);
    EXPECT_GE(std::max(w.match.theMatchscore1, w.match.theMatchscore2), 5);
    // Rolls he could not play, on the bar among them, handed the turn to GnuBG all the same.
    EXPECT_FALSE(savedLog("2*_GnuBG.log").filter("You can't move.").isEmpty());
    expectSavedAndReadable("GnuBG");
}

TEST_F(MainformRecordsTest, AnOnlineMatchIsSavedAtItsEndAndNothingIsCalledLostAtTheDisconnect) {
    const QStringList &match = kOnlineMatch;
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines(match)
        .pause(300)
        .sendLines(playerListChanges())
        .pause(1500)
        .hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !saved("jf_mat", "*.mat").isEmpty(); }, 10000));
    EXPECT_TRUE(window->txtTerminal->toPlainText().contains("Korvex.log and JF.mat files saved.."));
    expectSavedAndReadable("Nortally");
    EXPECT_EQ(savedLog("2*.log"), match);

    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 10000));
    EXPECT_TRUE(env.messages().filter("oops.log").isEmpty());
    EXPECT_TRUE(saved("log", "oops.log").isEmpty());
}

// The window closed while the opponent's "can't move" is still shown goes at once, and the
// sleep after that line ends there. What the server had sent by then, the match's end and the
// player list's changes that save it, is read out without waits, so the match keeps its log
// and its statistics; nothing goes to the server meanwhile, nothing that comes later is read,
// no later wait waits, and the exit window ends the program.
TEST_F(MainformRecordsTest, AMatchThatEndsAsTheWindowClosesKeepsItsLogAndStatistics) {
    setWaitFactor(1);
    int quits = 0;
    frmExit::setQuitHook([&quits] { ++quits; });
    const QStringList match = kOnlineMatch.mid(0, 6) + QStringList{"Nortally can't move."} + kOnlineMatch.mid(6);
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines(match + playerListChanges())
        .pause(2000)
        .sendLines({"** after the close"});
    ASSERT_TRUE(logInTo(*window, server));

    QElapsedTimer sinceClose;
    qsizetype sentBeforeTheClose = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, window.get(), [&] {
        if (window->lblStatus->text() != "Nortally can't move.")
            return;
        watch.stop();
        QTimer::singleShot(200, window.get(), [&] {
            sentBeforeTheClose = server.linesReceived().size();
            sinceClose.start();
            window->close();
            EXPECT_FALSE(window->isVisible());
        });
    });
    watch.start(10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return quits == 1; }, 10000)) << "the program never ended";
    ASSERT_TRUE(sinceClose.isValid()) << "the window was never closed";
    EXPECT_LE(sinceClose.elapsed(), 1500);

    EXPECT_EQ(savedLog("2*_Nortally.log"), match);
    EXPECT_TRUE(env.readFile("stats.dat").startsWith("Nortally~1~1~1~"));
    EXPECT_EQ(server.linesReceived().size(), sentBeforeTheClose);
    QTest::qWait(2500);
    EXPECT_FALSE(window->txtTerminal->toPlainText().contains("after the close"));
    QElapsedTimer later;
    later.start();
    for (int i = 0; i < 3; ++i) {
        Pause(1000);
        PlainSleep(1000);
    }
    EXPECT_LE(later.elapsed(), 100);
    frmExit::setQuitHook({});
}

TEST_F(MainformRecordsTest, AMatchDroppedByANetworkErrorGoesOnInItsLogAfterTheResume) {
    const QStringList &before = kBeforeTheDrop;
    ScriptedServer first;
    first.send("login: ").awaitLine("login Korvex").sendLines(before).pause(5000);
    ASSERT_TRUE(logInTo(*window, first));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->lists.matchLog.size() == before.size(); }, 5000));
    emit window->server.failed(QAbstractSocket::NetworkError, "The network went away");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 5000));
    // Kept for the resume, not rescued as lost.
    EXPECT_EQ(lines("log/Nortally.tmp"), before);
    EXPECT_TRUE(saved("log", "oops.log").isEmpty());

    const QStringList after = afterTheResume("Nortally has joined you. Your running match was loaded.");
    ScriptedServer second;
    playTheResume(second.send("login: ")
                      .awaitLine("login Korvex")
                      .sendLines({"Nortally wants to resume a saved match with you."})
                      .pause(300),
                  after);
    ASSERT_TRUE(logInTo(*window, second));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !saved("jf_mat", "*.mat").isEmpty(); }, 10000));
    EXPECT_EQ(savedLog("2*.log"), before + after);
    expectSavedAndReadable("Nortally");
}

// Accepting the opponent's invitation to resume (Join) marks the user as playing before the
// server loads the match: the record still goes on from the part before the drop.
TEST_F(MainformRecordsTest, AResumeJoinedFromTheInvitationGoesOnInTheDroppedMatchsLog) {
    env.writeFile("log/Nortally.tmp", droppedPart());
    const QStringList after = afterTheResume("You are now playing with Nortally. Your running match was loaded.");
    ScriptedServer server;
    playTheResume(server.send("login: ")
                      .awaitLine("login Korvex")
                      .sendLines({"Nortally wants to resume a saved match with you."})
                      .awaitLine("join "),
                  after);
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frmInvite::openWindows().isEmpty(); }, 5000));
    frmInvite *invitation = frmInvite::openWindows().first();
    ASSERT_EQ(invitation->cmdInvite->text(), "Join");
    QTest::mouseClick(invitation->cmdInvite, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !saved("jf_mat", "*.mat").isEmpty(); }, 10000))
        << saved("log", "*").join(' ').toStdString() << " " << window->lblStatus->text().toStdString();
    EXPECT_EQ(savedLog("2*.log"), kBeforeTheDrop + after);
    expectSavedAndReadable("Nortally");
}

// The user invites the player whose match dropped, with the length the window offers (1):
// the server resumes the saved match instead, and its record goes on from the part before the
// drop, whatever road led there. Once the whole match is saved its .tmp is no longer needed.
TEST_F(MainformRecordsTest, AResumeByTheUsersOwnNumberedInvitationGoesOnInTheDroppedMatchsLog) {
    env.writeFile("log/Nortally.tmp", droppedPart());
    const QStringList after = afterTheResume("Nortally has joined you. Your running match was loaded.");
    ScriptedServer server;
    playTheResume(server.send("login: ")
                      .awaitLine("login Korvex")
                      .awaitLine("invite Nortally 1")
                      .sendLines({"** You invited Nortally to resume a saved match."})
                      .pause(300),
                  after);
    ASSERT_TRUE(logInTo(*window, server));
    window->List1->addItem("R* Nortally      1500 300 ");
    window->ProcessDblClick(window->List1->item(0)->text());
    frmInvite *invitation = frmInvite::inviteForm();
    ASSERT_TRUE(invitation);
    ASSERT_EQ(invitation->cmdInvite->text(), "Invite");
    EXPECT_EQ(invitation->Combo1->currentText().trimmed(), "1");
    QTest::mouseClick(invitation->cmdInvite, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !saved("jf_mat", "*.mat").isEmpty(); }, 10000))
        << saved("log", "*").join(' ').toStdString() << " " << window->lblStatus->text().toStdString();
    EXPECT_EQ(savedLog("2*.log"), kBeforeTheDrop + after);
    expectSavedAndReadable("Nortally");
    EXPECT_EQ(saved("log", "*.tmp"), QStringList());
}

// A match watched after the user's own, its board not drawn (no dice on it, so the name label
// still reads "You"), is no part of the user's records: the next own match's log holds that
// match alone, and the one before is saved as it was.
TEST_F(MainformRecordsTest, AWatchedMatchNeverLandsInTheUsersNextRecord) {
    const QStringList &first = kOnlineMatch;
    QStringList second = first;
    second.replaceInStrings("Nortally", "joe");
    QString watchedBoard = board(3, 1, 0);
    watchedBoard.replace("board:You:Nortally:", "board:bob:carl:");
    const QStringList watched = {"You're now watching bob.", watchedBoard, "carl moves 1-3 .", "You stop watching bob."};
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines(first)
        .pause(200)
        .sendLines(watched)
        .pause(200)
        .sendLines(second)
        .pause(200)
        .sendLines(playerListChanges("joe"))
        .pause(3000);
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(QTest::qWaitFor([&] { return saved("jf_mat", "*.mat").size() == 2; }, 10000))
        << saved("log", "*").join(' ').toStdString();
    EXPECT_EQ(savedLog("2*_Nortally.log"), first);
    EXPECT_EQ(savedLog("2*_joe.log"), second);
    EXPECT_EQ(lines("log/watched1.log"), watched.mid(1));
    expectSavedAndReadable("joe");
}

// GnuBG playing both sides to the end leaves nothing; a match taken over with Esc ("Quit
// auto play?" Yes) is saved whole, from its first game, with the turns GnuBG played for the
// user before the take-over.
TEST_F(MainformRecordsTest, ASelfPlayMatchIsSavedWholeOnlyWhenTheUserTakesItOver) {
    SKIP_WITHOUT_GNUBG();
    Mainform &w = *window;
    startOfflineMatch(1, true);
    ASSERT_TRUE(w.match.isMatchOver);
    EXPECT_TRUE(w.lists.matchLog.isEmpty());
    EXPECT_TRUE(saved("log", "*").isEmpty());

    std::mt19937 generator(5);
    int dice = 0;
    QStringList atTakeOver;
    w.offline.rollDie = [&] {
        if (++dice == 12) {
            env.queueAnswer(Dialogs::Answer::Yes);
            w.Form_KeyPress(27);
            atTakeOver = w.lists.matchLog;
        }
        return std::uniform_int_distribution<int>(1, 6)(generator);
    };
    startOfflineMatch(3, true);
    EXPECT_FALSE(w.flags.selfPlay);
    EXPECT_TRUE(env.messages().contains("Quit auto play?"));
    playToTheEnd();
    ASSERT_TRUE(w.match.isMatchOver);
    expectSavedAndReadable("GnuBG");
    const QStringList log = savedLog("2*_GnuBG.log");
    EXPECT_EQ(log.mid(0, atTakeOver.size()), atTakeOver);
    EXPECT_FALSE(atTakeOver.filter(QRegularExpression("^You move ")).isEmpty()) << atTakeOver.join('\n').toStdString();
    EXPECT_FALSE(atTakeOver.filter(QRegularExpression("^GnuBG moves ")).isEmpty());
    EXPECT_TRUE(saved("log", "oops.log").isEmpty());
}

// A position loaded from a JF .pos file is played to its end but is no recorded match: no log,
// no .mat, no lines left that Play Online or Open Log would call lost.
TEST_F(MainformRecordsTest, APositionGameIsPlayedButNeitherRecordedNorRescued) {
    SKIP_WITHOUT_GNUBG();
    Mainform &w = *window;
    w.prefs.prfGnuPlyEval = w.prefs.prfGnuPlyHint = 0;
    env.writeFile("log/oops.log", "a match lost before\r\n");
    // The user's last checker on his ace point, in a 1-point match.
    JfPosition position;
    position.board[0][1] = 1;
    position.board[0][0] = 14;
    position.board[1][6] = 15;
    position.matchLength = 1;
    env.writeFile("last.pos", JfPos::write(position).value_or(QByteArray()));
    env.queueInput(env.programFolder() + "/last.pos");
    w.findChild<QAction *>("mnuLoadJFPos")->trigger();
    ASSERT_TRUE(w.flags.isPlaying && w.gnuObject);
    playToTheEnd();
    ASSERT_TRUE(w.match.isMatchOver);
    EXPECT_TRUE(w.lists.matchLog.isEmpty());
    w.NeutralizeSettings();  // what Play Online and Open Log do first
    EXPECT_EQ(env.readFile("log/oops.log"), "a match lost before\r\n");
    EXPECT_EQ(saved("log", "*"), QStringList{"oops.log"});
    EXPECT_TRUE(saved("jf_mat", "*").isEmpty());
    EXPECT_TRUE(env.messages().filter(QRegularExpression("oops|sorry|JF\\.mat")).isEmpty())
        << env.messages().join('|').toStdString();
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
        // A log written before the connection dropped telnet's NULs may hold one before a board.
        const QString lead = game == 0 ? QString(QChar(0)) : QString();
        log << "Starting a new game with Nortally." << lead + board(3, 0, game, 5, 3) << "You move 13-8 13-10 "
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
    ASSERT_EQ(window->List1->count(), 2);
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

// A watched match played back while the login window waits: the connection coming up ends the
// playback there, in the middle of a block, and nothing played back is read online: the
// window neither watches nor records, and going offline writes no watched match.
TEST_F(MainformRecordsTest, APlaybackEndsWhenTheConnectionComesUp) {
    QString watched = board(3, 0, 0, 5, 3);
    watched.replace("board:You:Nortally:", "board:bob:carl:");
    QStringList log;
    for (int turn = 0; turn < 6; ++turn)
        log << QStringLiteral("bob moves 24-%1 .").arg(23 - turn) << QStringLiteral("carl moves 1-%1 .").arg(2 + turn)
            << watched;
    env.writeFile("log/bob and carl.log", log.join("\r\n").toLatin1());
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").sendLines({"** the lobby says hello"}).awaitLine("bye").hangUp();
    ASSERT_TRUE(server.start());

    Mainform &w = *window;
    w.prefs.prfHost = ScriptedServer::host();
    w.prefs.prfPort = server.port();
    w.mnuConnect->trigger();
    ASSERT_TRUE(w.frmLoginWindow);
    w.frmLoginWindow->txtUsername->setText("alice");
    w.frmLoginWindow->txtPassword->setText("secret");
    env.queueInput(env.programFolder() + "/log/bob and carl.log");
    w.cmdOpen->click();
    ASSERT_TRUE(w.records.isPlaybackFileOpen());

    // Connect is clicked while the third turn is being shown, and the connection comes up
    // in a wait inside that block.
    bool connectedInBlock = false;
    QObject::connect(w.txtTerminal, &QTextEdit::textChanged, &w, [&] {
        if (w.flags.isConnected || !w.txtTerminal->toPlainText().contains("bob moves 24-21 ."))
            return;
        w.frmLoginWindow->cmdOK->click();
        connectedInBlock = QTest::qWaitFor([&] { return w.flags.isConnected; }, 5000);
    });
    w.cmdAuto->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.flags.isConnected; }, 10000));
    EXPECT_TRUE(connectedInBlock);
    EXPECT_FALSE(w.records.isPlaybackFileOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.txtTerminal->toPlainText().contains("the lobby says hello"); }, 5000));
    EXPECT_FALSE(w.txtTerminal->toPlainText().contains("carl moves 1-4 ."));
    EXPECT_FALSE(w.txtTerminal->toPlainText().contains("bob moves 24-20 ."));
    EXPECT_FALSE(w.flags.isWatching);
    EXPECT_TRUE(w.lists.watchLog.isEmpty());
    EXPECT_TRUE(server.linesReceived().value(0).startsWith("login Korvex"));

    w.server.send("bye");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.flags.isConnected; }, 5000));
    EXPECT_TRUE(saved("log", "watched*.log").isEmpty());
    EXPECT_TRUE(env.messages().filter("End of file").isEmpty());
}

}  // namespace
