// A whole online session against the scripted server: login, own information, player
// list, chat, typed commands, the offline state at the end.
#include "app/Program.h"
#include "connection/frmLogin.h"
#include "lobby/frmChat.h"
#include "lobby/frmInvite.h"
#include "connection/LineAssembler.h"
#include "connection/ServerLineDispatcher.h"
#include "mainform/Mainform.h"
#include "support/FloodServer.h"
#include "support/OnlineLogin.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class OnlineSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.copyData();
        window = std::make_unique<Mainform>();
        ASSERT_TRUE(window->Form_Load());
        window->resize(1400, 900);
        window->show();
        window->prefs.prfFirstTimer = false;
        window->prefs.prfInitSettings = true;  // the one-time toggles were sent long ago
        window->prefs.prfDisableSounds = true;
        window->prefs.prfHost = ScriptedServer::host();
    }

    void connectTo(ScriptedServer &server) { ASSERT_TRUE(logInTo(*window, server)); }

    static QStringList rows(QListWidget *list) {
        QStringList r;
        for (int i = 0; i < list->count(); ++i)
            r << list->item(i)->text();
        return r;
    }

    // A burst of an own match, its opponent's resignation and the player list, so that
    // reading it runs waits, enables Accept and Reject and fills the lists.
    static QStringList matchBurst() {
        const QString board = ScriptedServer::fixtureLines("board/gibbon-test-clip-reader.txt").first();
        return {"** Player GibbonTestA has joined you for a 2 point match.", board,
                "GibbonTestA wants to resign. You will win 1 point. Type 'accept' or 'reject'.",
                "5 carl - - 1 0 1600.50 900 1 1306926526 c.example.com - -",
                "5 dave - - 0 0 1500.00 300 2 1306926526 d.example.com - -", "6", "** the last line before the end"};
    }

    // Notes whether each row went into the player list, and the burst's last line into the
    // server pane, while the window was still online.
    struct OnlineWitness {
        explicit OnlineWitness(Mainform &w)
            : rows(QObject::connect(w.List1->model(), &QAbstractItemModel::rowsInserted, &w,
                                    [&w, this] { rowsOnline << w.flags.isConnected; })),
              pane(QObject::connect(w.txtTerminal, &QTextEdit::textChanged, &w, [&w, this] {
                  if (w.txtTerminal->toPlainText().contains("the last line before the end"))
                      lastLineOnline << w.flags.isConnected;
              })) {}
        ~OnlineWitness() {
            QObject::disconnect(rows);
            QObject::disconnect(pane);
        }
        QMetaObject::Connection rows, pane;
        QList<bool> rowsOnline, lastLineOnline;
    };

    // Every line of the burst was read while online, and the offline window shows none of it.
    void expectReadBeforeOffline(const OnlineWitness &witness, const QString &recordFile) {
        EXPECT_FALSE(window->flags.isConnected);
        EXPECT_EQ(witness.rowsOnline, (QList<bool>{true, true}));
        EXPECT_EQ(witness.lastLineOnline, QList<bool>{true});
        EXPECT_EQ(window->List1->count() + window->List2->count() + window->List4->count(), 0);
        EXPECT_EQ(window->lblAll->text(), "0");
        for (QPushButton *b : {window->cmdAccept, window->cmdReject, window->cmdDouble2, window->cmdPickUp})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_FALSE(window->mnuAccept->isEnabled());
        // The match's record was kept whole when the window went offline.
        EXPECT_TRUE(env.readFile(recordFile).endsWith("** the last line before the end\r\n"));
    }

    void floodThenHangUp(FloodServer::HangUp hangUp);

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(OnlineSessionTest, LogsInFillsTheListsAndShowsChat) {
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"1 alice 1306865048 somewhere.example.com",
                    "2 alice 1 1 0 0 0 0 1 1 2396 0 1 0 1 3457.85 0 0 0 0 0 Europe/Sofia", "3",
                    "+--------------------------------+", "| Message of the day             |", "4",
                    "** Last login: Mon Dec  7 04:00:00 2026 from somewhere",
                    // The first who line of the run makes the client ask for the full lists.
                    "5 carl dave - 0 0 1650.10 800 2 1306926526 c.example.com - -"})
        .awaitLine("who away", 15000)
        .sendLines({"5 bob - - 1 0 1700.50 900 1 1306926526 b.example.com Korvex4 0 28 -",
                    "5 carl dave - 0 0 1650.10 800 2 1306926526 c.example.com - -",
                    "5 dave carl - 0 0 1500.00 300 2 1306926526 d.example.com - -", "6",
                    "13 bob Anyone for a game?", "15 carl nice shot", "12 dave hi alice"})
        .awaitLine("shout ")
        .awaitLine("whisper ")
        .sendLines({"8 dave dave logs out."})
        .pause(200)
        .hangUp();
    connectTo(server);

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List1->count() == 3; }, 15000));
    EXPECT_TRUE(window->List1->item(0)->text().startsWith("R* bob           1700 900 Korvex4028"));
    EXPECT_TRUE(window->List1->item(1)->text().startsWith("P  carl"));
    EXPECT_EQ(rows(window->List2).size(), 1);
    EXPECT_EQ(window->lblStatus->text(), "Welcome ...");
    EXPECT_FALSE(window->flags.initOutput);
    EXPECT_FALSE(window->frmLoginWindow->isVisible());
    EXPECT_TRUE(window->txtShouts->toPlainText().simplified().contains("bob shouts: Anyone for a game?"));
    EXPECT_TRUE(window->txtKibitzoutput->toPlainText().contains("carl kibitzes: nice shot"));
    EXPECT_TRUE(window->txtTerminal->toPlainText().simplified().contains("Last login"));

    // Typed lines go out as commands; a line break pasted into them cannot start a second one.
    window->opShouts->setChecked(true);
    EXPECT_TRUE(window->txtShouts->isVisibleTo(window.get()));
    EXPECT_FALSE(window->txtTerminal->isVisibleTo(window.get()));
    window->txtType->setText("hello all");
    QTest::keyClick(window->txtType, Qt::Key_Return);
    EXPECT_TRUE(window->txtType->text().isEmpty());
    window->opWhisper->setChecked(true);
    window->txtkibitz->setText("psst\r\nshout spam");
    QTest::keyClick(window->txtkibitz, Qt::Key_Return);

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List1->count() == 2; }, 5000));
    const QStringList sent = server.linesReceived();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.first(), "login Korvex" + Program::versionString() + " 1008 alice secret");
    EXPECT_TRUE(sent.contains("set sortwho rating "));
    EXPECT_TRUE(sent.contains("shout hello all"));
    EXPECT_TRUE(sent.contains("whisper psst  shout spam"));
    EXPECT_FALSE(sent.contains("shout spam"));

    // The server hangs up: the window goes back to its offline look.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 5000));
    EXPECT_EQ(window->List1->count(), 0);
    EXPECT_EQ(window->lblAll->text(), "0");
    EXPECT_TRUE(window->mnuConnect->isEnabled());
}

TEST_F(OnlineSessionTest, DisconnectKeepsTheWatchedMatchAndRescuesTheOwnOne) {
    window->prefs.prfSaveAll = true;
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").pause(3000);
    connectTo(server);
    ASSERT_TRUE(server.waitForLines(1));

    window->lists.watchLog << "bob moves 24-18" << "carl moves 13-11";
    window->lists.matchLog << "You roll 3 and 1.";
    for (int round = 1; round <= 2; ++round) {
        if (round == 2) {
            ScriptedServer again;
            again.send("login: ").awaitLine("login Korvex").pause(3000);
            window->cmdExit->setText("Connect");
            connectTo(again);
            window->lists.watchLog << "dave moves 8-2 6-2 .";
        }
        ASSERT_EQ(window->cmdExit->text(), "Disconnect");
        window->mnudisconnect->trigger();
        EXPECT_EQ(window->cmdExit->text(), "Exit");
        EXPECT_FALSE(window->flags.isConnected);
        EXPECT_FALSE(window->frmLoginWindow);
    }
    EXPECT_EQ(env.readFile("log/watched1.log"), "bob moves 24-18\r\ncarl moves 13-11\r\n");
    // Each watching has a file of its own.
    EXPECT_EQ(env.readFile("log/watched2.log"), "dave moves 8-2 6-2 .\r\n");
    // The unfinished own match was written to oops.log once, and the record emptied.
    EXPECT_EQ(env.readFile("log/oops.log"), "You roll 3 and 1.\r\n");
    EXPECT_TRUE(window->lists.matchLog.isEmpty());
    EXPECT_EQ(env.messages().filter("oops.log file contains lost game data").size(), 1);
}

TEST_F(OnlineSessionTest, StartUpTogglesGoOutOnceAfterTheFirstList) {
    window->prefs.prfInitSettings = false;
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        // Every switch off: each is turned on once, by the own information or after the list.
        .sendLines({"2 alice 1 1 0 0 0 0 1 1 2396 0 0 0 0 3457.85 0 0 0 0 0 Europe/Sofia",
                    "5 bob - - 1 0 1700.50 900 1 1306926526 b.example.com - -", "6"})
        .awaitLine("who away", 20000)
        .sendLines({"5 carl - - 1 0 1600.50 900 1 1306926526 b.example.com - -"})
        .pause(300);
    connectTo(server);
    ASSERT_TRUE(server.waitForScriptEnd(20000));
    const QStringList sent = server.linesReceived();
    EXPECT_EQ(sent.count("set boardstyle 3 "), 1);
    for (const char *toggle : {"toggle automove ", "toggle moreboards ", "toggle notify ", "toggle report "})
        EXPECT_EQ(sent.count(toggle), 1) << toggle;
    EXPECT_LT(sent.indexOf("set boardstyle 3 "), sent.indexOf("toggle report "));
    EXPECT_TRUE(window->prefs.prfInitSettings);
}

TEST_F(OnlineSessionTest, StartUpTogglesLeaveSwitchesAlreadyOnAlone) {
    window->prefs.prfInitSettings = false;
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"5 bob - - 1 0 1700.50 900 1 1306926526 b.example.com - -", "6"})
        .pause(300)
        // The own information after the first list: moreboards, notify and report on, automove off.
        .sendLines({"2 alice 1 1 0 0 0 0 1 1 2396 0 1 0 1 3457.85 0 0 0 1 0 Europe/Sofia"})
        .awaitLine("set boardstyle 3 ", 20000)
        .pause(300);
    connectTo(server);
    ASSERT_TRUE(server.waitForScriptEnd(25000)) << server.failures().join('\n').toStdString();
    const QStringList sent = server.linesReceived();
    EXPECT_EQ(sent.filter("toggle"), QStringList{"toggle automove "});
    EXPECT_EQ(sent.count("set boardstyle 3 "), 1);
}

TEST_F(OnlineSessionTest, InvitationWindowInvitesJoinsAndWatches) {
    window->playerStats.records.push_back({"bob", 4, 3, 7, "likes primes"});
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"bob wants to play a 3 point match with you."})
        .awaitLine("join ")
        .awaitLine("invite bob 3")
        .awaitLine("watch bob")
        .pause(100);
    connectTo(server);

    // An invitation from the server: Join answers it with the inviter's name.
    ASSERT_TRUE(QTest::qWaitFor([] { return frmInvite::inviteForm() != nullptr; }, 5000));
    frmInvite *invitation = frmInvite::inviteForm();
    EXPECT_EQ(invitation->lblPlayed->text(), "4");
    EXPECT_EQ(invitation->lblScore->text(), "75");
    QTest::mouseClick(invitation->cmdInvite, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.linesReceived().size() >= 2; }, 5000));

    // A double-click on his row, then Invite with the length of the match just accepted.
    window->List1->addItem("R* bob           1523 812 ");
    window->ProcessDblClick(window->List1->item(0)->text());
    invitation = frmInvite::inviteForm();
    ASSERT_TRUE(invitation);
    EXPECT_EQ(invitation->txtComment->text(), "likes primes");
    EXPECT_EQ(invitation->Combo1->currentText().trimmed(), "3");
    QTest::mouseClick(invitation->cmdInvite, Qt::LeftButton);

    window->ProcessDblClick(window->List1->item(0)->text());
    QTest::mouseClick(frmInvite::inviteForm()->cmdWatch, Qt::LeftButton);
    ASSERT_TRUE(server.waitForScriptEnd(5000));
    const QStringList sent = server.linesReceived();
    EXPECT_TRUE(sent.contains("tell RepBot ask bob "));
    EXPECT_TRUE(sent.contains("join  bob "));
    EXPECT_TRUE(sent.contains("invite bob 3"));
    EXPECT_TRUE(sent.contains("watch bob"));
}

// Only the board line itself is kept from the server pane, not a player whose name starts
// with the word.
TEST_F(OnlineSessionTest, APlayerNamedBoardwalkerInvitesLikeAnyOther) {
    const QString board = ScriptedServer::fixtureLines("board/gibbon-test-clip-reader.txt").first();
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({board, "boardwalker wants to play a 3 point match with you.", "** the last line"})
        .pause(300);
    connectTo(server);

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->txtTerminal->toPlainText().contains("** the last line"); }, 5000))
        << "the burst never reached the server pane";
    frmInvite *invitation = frmInvite::inviteForm();
    ASSERT_TRUE(invitation) << "no invitation window";
    EXPECT_TRUE(invitation->isVisible());
    EXPECT_EQ(invitation->lblInvite->text().trimmed(), "boardwalker");
    const QString pane = window->txtTerminal->toPlainText().simplified();
    EXPECT_TRUE(pane.contains("boardwalker wants to play a 3 point match with you.")) << pane.toStdString();
    EXPECT_FALSE(pane.contains("board:")) << pane.toStdString();
}

// A line of a megabyte is cut, the server pane says so once, and the lines after it are read
// as ever; the pane never holds more than its limit of old text and its limit of new.
TEST_F(OnlineSessionTest, AMegabyteLineIsCutAndTheNextLinesAreReadAsEver) {
    QByteArray huge(1 << 20, 'x');
    huge.prepend("** ");
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendInPieces(huge + "\r\n13 bob hello there\r\n", 64 * 1024, 5)
        .sendLines({"carl wants to play a 3 point match with you.", "12 dave " + QString(60000, QChar(u'y')),
                    "** the last line"})
        .pause(300);
    int mostLaidOut = 0;
    QObject::connect(window->txtTerminal, &QTextEdit::textChanged, window.get(), [&] {
        mostLaidOut = qMax(mostLaidOut, window->txtTerminal->document()->characterCount());
    });
    connectTo(server);

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->txtTerminal->toPlainText().contains("** the last line"); }, 10000))
        << "the lines after the long one never reached the server pane";
    const QString pane = window->txtTerminal->toPlainText().simplified();
    const QString note = "A server line of more than 65536 characters was cut short.";
    EXPECT_EQ(pane.count(note), 1);
    EXPECT_LT(pane.indexOf(note), pane.indexOf("carl wants to play"));
    EXPECT_LE(mostLaidOut, 2 * 20000 + 200);
    EXPECT_TRUE(window->txtShouts->toPlainText().simplified().contains("bob shouts: hello there"));
    ASSERT_TRUE(frmInvite::inviteForm());
    EXPECT_EQ(frmInvite::inviteForm()->lblInvite->text().trimmed(), "carl");
    // A conversation window keeps no more than a pane does of a long tell.
    frmChat *dave = frmChat::find("Chat (dave)");
    ASSERT_TRUE(dave);
    EXPECT_LE(dave->txtReceive->document()->characterCount(), 20000 + 200);
}

TEST_F(OnlineSessionTest, LinesBeforeAHangUpAreReadBeforeTheWindowGoesOffline) {
    window->prefs.prfSaveAll = true;
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").sendLines(matchBurst()).hangUp();
    OnlineWitness witness(*window);
    connectTo(server);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 10000));
    QTest::qWait(50);
    // The server keeps a match cut off by its hang-up: the record waits for the resume.
    expectReadBeforeOffline(witness, "log/GibbonTestA.tmp");
    EXPECT_TRUE(env.readFile("log/oops.log").isEmpty());
}

TEST_F(OnlineSessionTest, LinesBeforeDisconnectAreReadBeforeTheWindowGoesOffline) {
    window->prefs.prfSaveAll = true;
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").sendLines(matchBurst()).pause(5000);
    OnlineWitness witness(*window);
    // The user disconnects while the burst is being read (the match start waits for the board).
    QObject::connect(&window->server, &ServerConnection::textReceived, window.get(), [this](const QString &text) {
        if (text.contains("has joined you"))
            QTimer::singleShot(0, window.get(), [this] { window->mnudisconnect->trigger(); });
    });
    env.queueAnswer(Dialogs::Answer::Yes);  // "Do you want to Disconnect?"
    connectTo(server);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->cmdExit->text() == "Exit"; }, 10000));
    EXPECT_TRUE(env.messages().contains("Do you want to Disconnect?"));
    expectReadBeforeOffline(witness, "log/oops.log");
}

// While the program reads a text of its own with a wait in it (here the pause after a match
// starts), what the server sends stays in the socket rather than piling up behind it.
TEST_F(OnlineSessionTest, TheServerWaitsInTheSocketWhileTheProgramReadsItsOwnText) {
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").awaitLine("board").sendLines({"** sent during the pause"}).pause(3000);
    connectTo(server);
    ASSERT_TRUE(server.waitForLines(1));
    bool ownTextUnderWay = true, handedOnMeanwhile = false;
    QObject::connect(window->txtTerminal, &QTextEdit::textChanged, window.get(), [&] {
        if (window->txtTerminal->toPlainText().contains("the own text ends"))
            ownTextUnderWay = false;
    });
    QObject::connect(&window->server, &ServerConnection::textReceived, window.get(),
                     [&] { handedOnMeanwhile = handedOnMeanwhile || ownTextUnderWay; });
    window->SplitFibString("** Player bob has joined you for a 3 point match.\r\n** the own text ends\r\n");
    EXPECT_FALSE(ownTextUnderWay);
    EXPECT_FALSE(handedOnMeanwhile);
    EXPECT_EQ(server.linesReceived().value(1), "board ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->txtTerminal->toPlainText().contains("sent during the pause"); }, 5000));
}

TEST_F(OnlineSessionTest, AWatchedMatchIsWrittenWhenTheWatchingEnds) {
    const QStringList boards = ScriptedServer::fixtureLines("board/gibbon-test-clip-reader.txt").filter("joe_white");
    ASSERT_GE(boards.size(), 2);
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        // One text starts the watching: its first lines belong to the match.
        .sendLines({"You're now watching joe_white.", boards[0], "black_jack moves 1-7 2-4 ."})
        .pause(300)
        .sendLines({"You stop watching joe_white."})
        .pause(300)
        .sendLines({"You're now watching joe_white.", boards[1], "joe_white moves 13-8 11-10 ."})
        .pause(300)
        .hangUp();
    connectTo(server);
    ASSERT_TRUE(QTest::qWaitFor([&] { return env.readFile("log/watched1.log").size() > 0; }, 5000));
    EXPECT_EQ(env.readFile("log/watched1.log"),
              (boards[0] + "\r\nblack_jack moves 1-7 2-4 .\r\nYou stop watching joe_white.\r\n").toLatin1());

    // Going offline ends the second watching, and the program's end a third.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 5000));
    EXPECT_EQ(env.readFile("log/watched2.log"), (boards[1] + "\r\njoe_white moves 13-8 11-10 .\r\n").toLatin1());
    window->lists.watchLog << "carl moves 8-5 6-5 .";
    window->close();
    EXPECT_EQ(env.readFile("log/watched3.log"), "carl moves 8-5 6-5 .\r\n");
}

// A server that floods while the program waits (each resumed match waits for its board) is
// held back by the network: the program takes in no more than its socket's limit and a read,
// and the lines it sent last, right before its hang-up, still come whole and in order. The
// flood is a size, not a time, so that a loaded machine is sent as much as a fast one.
void OnlineSessionTest::floodThenHangUp(FloodServer::HangUp hangUp) {
    constexpr int kClosingLines = 300;
    constexpr qint64 kFloodBytes = 3 * ServerConnection::kSocketBufferLimit;
    FloodServer flood;
    ASSERT_TRUE(flood.start({.bytes = kFloodBytes}, kClosingLines, hangUp)) << flood.error().toStdString();
    const qint64 mayHold =
        ServerConnection::kSocketBufferLimit + ServerConnection::kReadSize + 2 * LineAssembler::kLineLimit;
    QList<int> closing;
    int waitLines = 0;
    bool overflowed = false;
    QObject::connect(&window->server, &ServerConnection::textReceived, window.get(), [&](const QString &text) {
        // A connection that takes in all it is sent would read the flood for minutes.
        if (window->server.mostHeld() > mayHold) {
            overflowed = true;
            window->server.close();
        }
        static const QRegularExpression closingLine(QStringLiteral("\\*\\* closing line (\\d+)"));
        for (const QRegularExpressionMatch &m : closingLine.globalMatch(text))
            closing << m.captured(1).toInt();
        waitLines += int(text.count(QLatin1String("Your running match was loaded.")));
    });
    const QString lastLine = QStringLiteral("** closing line %1").arg(kClosingLines, 4, 10, QLatin1Char('0'));
    bool lastShownOnline = false;
    QObject::connect(window->txtTerminal, &QTextEdit::textChanged, window.get(), [&] {
        if (!lastShownOnline && window->txtTerminal->toPlainText().contains(lastLine))
            lastShownOnline = window->flags.isConnected;
    });
    ASSERT_TRUE(logInAt(*window, flood.port()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected || overflowed; }, 60000))
        << "still online: " << closing.size() << " closing lines read";
    ASSERT_FALSE(overflowed) << "the connection held " << window->server.mostHeld() << " bytes";
    const std::optional<FloodServer::Report> report = flood.waitForEnd(10000);
    ASSERT_TRUE(report);

    QList<int> expected;
    for (int n = 1; n <= kClosingLines; ++n)
        expected << n;
    EXPECT_EQ(closing, expected);
    EXPECT_TRUE(lastShownOnline) << "the last line did not reach the server pane before the window went offline";
    // Far more was sent than the program may hold, and it kept its waits meanwhile.
    EXPECT_GE(report->bytes, kFloodBytes);
    EXPECT_GT(waitLines, 10);
    EXPECT_LE(window->server.mostHeld(), mayHold);
}

TEST_F(OnlineSessionTest, AFloodingServerIsHeldBackAndItsLastLinesStillComeInOrder) {
    floodThenHangUp(FloodServer::HangUp::HalfClose);
}

// A server that closes for good behind its flood: the close waits unseen behind a full
// socket while the program still answers the lines before it. An answer written to the
// closed connection is met with a reset, which must cost none of the text still unread.
TEST_F(OnlineSessionTest, AServerThatClosesForGoodBehindItsFloodLosesNoLine) {
    floodThenHangUp(FloodServer::HangUp::Close);
}

}  // namespace
