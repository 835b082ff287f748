// A match played on the scripted server and one watched there, as the main window shows
// them: board lines set position, labels, cube and dice; move lines slide the checkers.
// After each stretch of the script the test checks the board, then lets the script go on.
#include "connection/frmLogin.h"
#include "mainform/Mainform.h"
#include "play/LinePosition.h"
#include "support/OnlineLogin.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Counts = std::array<int, 26>;

Counts counts(const QString &text) {
    Counts c{};
    const QStringList parts = text.split(':');
    for (int i = 0; i < 26; ++i)
        c[std::size_t(i)] = parts.value(i).toInt();
    return c;
}

// A board line of the user's own match against someplayer, drawn plain.
QString board(const QString &score, const QString &position, const QString &dice, const QString &cube = "1:1:1:0",
              const QString &off = "0:0") {
    return "board:You:someplayer:3:" + score + ":" + position + ":1:" + dice + ":" + cube + ":1:-1:0:25:" + off +
           ":0:0:2:0:0:0";
}

const QString kOpening = "0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0";
// After 24/18 13/11.
const QString kSecond = "0:-2:0:0:0:0:5:0:3:0:0:1:-5:4:0:0:0:-3:1:-5:0:0:0:0:1:0";
// The opponent's 1/7/11* put the user's blot on the bar.
const QString kHit = "0:-1:0:0:0:0:5:0:3:0:0:-1:-5:4:0:0:0:-3:1:-5:0:0:0:0:1:1";
// The user's bar/21 13/11* hit back.
const QString kHitBack = "-1:-1:0:0:0:0:5:0:3:0:0:1:-5:3:0:0:0:-3:1:-5:0:1:0:0:1:0";
// The opponent's 5-5: bar/5 12/17(2) 17/22.
const QString kEntered = "0:-1:0:0:0:-1:5:0:3:0:0:1:-3:3:0:0:0:-4:1:-5:0:1:-1:0:1:0";
// Both sides home.
const QString kRace = "0:0:0:0:5:5:5:0:0:0:0:0:0:0:0:0:0:0:0:-5:-5:0:0:0:-5:0";

class ServerMatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.copyData();
        env.storeSettings({{"isAnimInit", "True"}, {"speed", "0"}});  // no calibration pass at start
        window = std::make_unique<Mainform>();
        ASSERT_TRUE(window->Form_Load());
        window->show();
        window->prefs.prfFirstTimer = false;
        window->prefs.prfInitSettings = true;
        window->prefs.prfDisableSounds = true;
        window->prefs.prfAnimateCheckersB = true;
        window->prefs.prfAnimateCheckersW = true;
        window->prefs.prfHost = ScriptedServer::host();
    }

    void connectTo(ScriptedServer &server) { ASSERT_TRUE(logInTo(*window, server)); }

    // The server's side of a login and the start of the user's own match with its first boards.
    static ScriptedServer &ownMatchStarts(ScriptedServer &server, const QStringList &boards) {
        return server.send("login: ")
            .awaitLine("login Korvex")
            .sendLines(QStringList{"3", "4", "** Player someplayer has joined you for a 3 point match."} + boards);
    }

    // Waits for the script to reach a stretch's end, then lets it go on.
    bool reached(const std::function<bool()> &condition, const char *checkpoint) {
        const bool ok = QTest::qWaitFor(condition, 10000);
        window->server.send(QString::fromLatin1(checkpoint));
        return ok;
    }
    Counts shown(bool mirrored = false) const { return LinePosition::write(window->checkers, mirrored); }
    int black(int p) const { return window->checkers.blackCheckers.countOn(p); }
    int white(int p) const { return window->checkers.whiteCheckers.countOn(p); }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(ServerMatchTest, AnOwnMatchPlaysOutMoveByMove) {
    ScriptedServer server;
    ownMatchStarts(server, {board("0:0", kOpening, "0:0:0:0"), board("0:0", kOpening, "6:2:0:0")})
        .awaitLine("check opening")
        .sendLines({board("0,0", kSecond, "0:0:6:4")})  // a comma where a colon belongs
        .awaitLine("check bent")
        .sendLines({board("0:0", kSecond, "0:0:6:4"), "someplayer moves 1-7 7-11 ."})
        .awaitLine("check hit")
        .sendLines({board("0:0", kHit, "4:2:0:0")})
        .awaitLine("check bar")
        .sendLines({board("0:0", kHitBack, "0:0:5:5"), "someplayer moves bar-5 12-17 12-17 17-22 ."})
        .awaitLine("check doubles")
        .sendLines({"someplayer doubles. Type 'accept' or 'reject'.", "You accept the double.  The cube shows 2.",
                    board("0:0", kEntered, "3:1:0:0", "2:1:0:0")})
        .awaitLine("check cube")
        .sendLines({board("2:0", kRace, "0:0:6:1"), "someplayer moves 19-off 24-off ."})
        .awaitLine("check crawford")
        .sendLines({board("2:0", kRace, "6:5:0:0"), "The only possible move is 6-off 5-off ."})
        .awaitLine("check off")
        .hangUp();
    connectTo(server);

    ASSERT_TRUE(reached([&] { return window->match.die1 == 6; }, "check opening"));
    EXPECT_EQ(shown(), counts(kOpening));
    EXPECT_EQ(window->lblPlayer1->text(), "You");
    EXPECT_EQ(window->lblPlayer2->text(), "someplayer");
    EXPECT_EQ(window->lblMatch->text(), "3");
    EXPECT_EQ(window->match.theMatchLength, 3);
    EXPECT_EQ(window->match.die2, 2);
    EXPECT_EQ(window->match.legalMoveCtr, 2);
    EXPECT_EQ(window->lblStatus->text(), "You rolled 6 and 2");
    EXPECT_EQ(window->cmdPickUp->text(), "Pick Up");
    EXPECT_EQ(window->lblpipb->text(), "167");
    EXPECT_TRUE(window->flags.isPlaying);
    EXPECT_FALSE(window->boardLineReader.isReverseBoard);

    // Read at colons alone, the bent board would be drawn one field off; it is refused whole.
    ASSERT_TRUE(reached([&] { return !env.messages().isEmpty(); }, "check bent"));
    EXPECT_EQ(env.messages(), QStringList{"Error in ProcessBoardOutput  Invalid field separator"});
    EXPECT_EQ(shown(), counts(kOpening));
    EXPECT_EQ(window->match.die1, 6);
    EXPECT_TRUE(window->match.ismyTurn);
    env.clearMessages();

    ASSERT_TRUE(reached([&] { return black(26) == 1; }, "check hit"));
    EXPECT_EQ(shown(), counts(kHit));
    EXPECT_TRUE(window->match.ismyTurn);
    EXPECT_EQ(window->match.die1, 0);

    ASSERT_TRUE(reached([&] { return window->match.die1 == 4; }, "check bar"));
    EXPECT_EQ(window->match.legalMoveCtr, 2);
    EXPECT_EQ(window->lblpipb->text(), QString::number(25 + 24 + 18 + 13 * 4 + 8 * 3 + 6 * 5));

    ASSERT_TRUE(reached([&] { return white(22) == 1; }, "check doubles"));
    EXPECT_EQ(shown(), counts(kEntered));

    ASSERT_TRUE(reached([&] { return window->match.theCubeVal == 2; }, "check cube"));
    EXPECT_TRUE(window->match.blackOwnsCube);
    EXPECT_EQ(window->match.die1, 3);

    ASSERT_TRUE(reached([&] { return white(25) == 2; }, "check crawford"));
    EXPECT_EQ(window->match.theMatchscore1, 2);
    EXPECT_EQ(window->match.isCrawford, 1);  // one point short of the match of 3
    EXPECT_EQ(white(19), 4);
    EXPECT_EQ(white(24), 4);

    ASSERT_TRUE(reached([&] { return black(27) == 2; }, "check off"));
    EXPECT_EQ(black(6), 4);
    EXPECT_EQ(black(5), 4);
    EXPECT_TRUE(window->lists.matchLog.contains("someplayer moves bar-5 12-17 12-17 17-22 ."));
    EXPECT_EQ(env.messages(), QStringList());
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();
}

// A move to a place off the board cannot be shown: no checker goes anywhere, no box stops the
// game, the line is shown in the server pane as it came, and the server's next board is drawn.
// The bar and the trays are named, so 0 and 25 are no places either: read as a tray, they would
// take the opponent's borne-off checker back to the board or bear off one of the user's.
TEST_F(ServerMatchTest, AMoveLineToAPlaceOffTheBoardMovesNothing) {
    // The opening with one of the opponent's checkers from 19 borne off.
    const QString oneOff = "0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-4:0:0:0:0:2:0";
    const QStringList offTheBoard{"someplayer moves 1-40 .", "someplayer moves 25-20 .", "someplayer moves 12-0 .",
                                  "You move 13-99 .", "You move 6-0 .", "You move 13-25 ."};
    ScriptedServer server;
    ownMatchStarts(server, {board("0:0", oneOff, "0:0:6:4", "1:1:1:0", "0:1")})
        .sendLines(offTheBoard)
        .sendLines({"** the last line"})
        .awaitLine("check off the board")
        .sendLines({board("0:0", kSecond, "0:0:0:0")})
        .awaitLine("check redrawn")
        .hangUp();
    connectTo(server);

    ASSERT_TRUE(reached([&] { return window->txtTerminal->toPlainText().contains("** the last line"); },
                        "check off the board"));
    EXPECT_EQ(env.messages(), QStringList());
    EXPECT_EQ(shown(), counts(oneOff));
    EXPECT_EQ(white(25), 1);
    EXPECT_EQ(black(27), 0);
    const QString pane = window->txtTerminal->toPlainText().simplified();
    for (const QString &line : offTheBoard)
        EXPECT_TRUE(pane.contains(line)) << line.toStdString() << " not in " << pane.toStdString();

    // The board after an unreadable move is drawn though it has no dice on it.
    ASSERT_TRUE(reached([&] { return shown() == counts(kSecond); }, "check redrawn"));
    EXPECT_EQ(env.messages(), QStringList());
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();
}

TEST_F(ServerMatchTest, AWatchedMatchFollowsBothBoardDirections) {
    const QStringList boards = ScriptedServer::fixtureLines("board/gibbon-test-clip-reader.txt").filter("joe_white");
    ASSERT_EQ(boards.size(), 3);
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3", "4", "You're now watching joe_white.", boards[0]})
        .awaitLine("check pips")
        .sendLines({"black_jack moves 1-7 2-4 ."})
        .awaitLine("check mirrored")
        .sendLines({boards[1], "joe_white moves 13-8 11-10 ."})
        .awaitLine("check plain")
        .sendLines({boards[2], "black_jack moves 5-11 12-18 12-18 3-9 ."})
        .awaitLine("check doubles")
        .hangUp();
    connectTo(server);

    // The first board drawn shows its pip counts at once.
    ASSERT_TRUE(reached([&] { return window->lblPlayer1->text() == "joe_white"; }, "check pips"));
    const PipCount drawn = PipCount::of(window->checkers);
    EXPECT_EQ(window->lblpipb->text(), QString::number(drawn.blackPips));
    EXPECT_EQ(window->lblpipw->text(), QString::number(drawn.whitePips));

    ASSERT_TRUE(reached([&] { return white(18) == 1; }, "check mirrored"));
    EXPECT_TRUE(window->flags.isWatching);
    EXPECT_FALSE(window->flags.isPlaying);
    EXPECT_FALSE(window->cmdPickUp->isEnabled());
    EXPECT_TRUE(window->boardLineReader.isReverseBoard);
    EXPECT_EQ(white(21), 3);
    EXPECT_EQ(white(25), 5);
    EXPECT_EQ(black(1), 4);

    ASSERT_TRUE(reached([&] { return black(10) == 1; }, "check plain"));
    EXPECT_FALSE(window->boardLineReader.isReverseBoard);
    EXPECT_EQ(black(8), 4);
    EXPECT_EQ(black(13), 1);
    EXPECT_EQ(window->lblScore1->text(), "1");
    EXPECT_EQ(window->match.theCubeVal, 2);
    EXPECT_FALSE(window->match.blackOwnsCube);

    ASSERT_TRUE(reached([&] { return white(9) == 1; }, "check doubles"));
    EXPECT_EQ(white(18), 4);
    EXPECT_EQ(white(11), 1);
    EXPECT_EQ(white(12), 0);
    EXPECT_TRUE(window->lists.watchLog.contains("joe_white moves 13-8 11-10 ."));
    EXPECT_EQ(env.messages(), QStringList());
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();
}

// Watching begins with whatever board the server sends next, with dice or without: the match
// shown before must not stay on the board until the next roll. Servers word the start two ways.
TEST_F(ServerMatchTest, TheFirstBoardOfAWatchingIsDrawnWithoutDice) {
    QStringList boards = ScriptedServer::fixtureLines("board/gibbon-test-clip-reader.txt").filter("joe_white");
    ASSERT_EQ(boards.size(), 3);
    for (QString &line : boards) {  // no dice on either side
        QStringList fields = line.split(':');
        for (int field = 34; field <= 37; ++field)
            fields[field - 1] = "0";
        line = fields.join(':');
    }
    const auto position = [](const QString &line) { return counts(line.section(':', 6, 31)); };
    ScriptedServer server;
    ownMatchStarts(server, {board("0:0", kOpening, "0:0:0:0"), board("0:0", kSecond, "6:2:0:0")})
        .awaitLine("check own")
        .sendLines({"You're now watching joe_white.", boards[0]})
        .awaitLine("check watched")
        .sendLines({"You stop watching joe_white."})
        .pause(100)
        .sendLines({"You are now watching joe_white.", boards[1]})
        .awaitLine("check watched again")
        .hangUp();
    connectTo(server);

    ASSERT_TRUE(reached([&] { return window->match.die1 == 6; }, "check own"));
    EXPECT_EQ(shown(), counts(kSecond));

    const auto drawn = [&](const QString &line) {
        return shown(window->boardLineReader.isReverseBoard) == position(line);
    };
    ASSERT_TRUE(reached([&] { return drawn(boards[0]); }, "check watched")) << window->lblPlayer1->text().toStdString();
    EXPECT_EQ(window->lblPlayer1->text(), "joe_white");
    EXPECT_EQ(window->lblPlayer2->text(), "black_jack");
    EXPECT_TRUE(window->flags.isWatching);
    EXPECT_FALSE(window->flags.isPlaying);

    ASSERT_TRUE(reached([&] { return drawn(boards[1]); }, "check watched again"));
    EXPECT_TRUE(window->flags.isWatching);
    EXPECT_FALSE(window->flags.isPlaying);
    EXPECT_EQ(env.messages(), QStringList());
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();
}

}  // namespace
