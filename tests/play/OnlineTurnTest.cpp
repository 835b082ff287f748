// The user's turn against the scripted server, clicked on the main window: the blink asks
// for the roll, checkers move by mouse, undo, the dice send the move, and every match action
// puts its exact command on the wire.
#include "board/BoardShow.h"
#include "connection/frmLogin.h"
#include "mainform/Mainform.h"
#include "support/OnlineLogin.h"
#include "support/QuickWindow.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A board line of the user's own match against someplayer, drawn plain.
QString board(const QString &position, const QString &dice, const QString &off = "0:0") {
    return "board:You:someplayer:3:0:0:" + position + ":1:" + dice + ":1:1:1:0:1:-1:0:25:" + off + ":0:0:2:0:0:0";
}

const QString kOpening = "0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0";
const QString kAfterMove = "0:-2:0:0:0:0:5:2:2:0:0:0:-5:4:0:0:0:-3:0:-5:0:0:0:0:2:0";  // 13/7 8/7
const QString kNoneBack = "0:-2:0:0:0:0:5:0:3:0:0:0:-5:7:0:0:0:-3:0:-5:0:0:0:0:0:0";   // nothing left at 24
const QString kOneOff = "0:0:0:0:4:5:5:0:0:0:0:0:-2:0:0:0:0:-3:0:-5:-5:0:0:0:0:0";     // one borne off

class OnlineTurnTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.copyData();
        SettingsStore().write("isAnimInit", "True");  // no calibration pass at start
        window = std::make_unique<Mainform>();
        ASSERT_TRUE(window->Form_Load());
        window->show();
        window->prefs.prfFirstTimer = false;
        window->prefs.prfInitSettings = true;
        window->prefs.prfDisableSounds = true;
        window->prefs.prfHost = ScriptedServer::host();
        window->Timer1->setInterval(20);  // the blink, sped up
    }

    void clickAt(QPoint at, Qt::MouseButton button = Qt::LeftButton) { clickBoard(*window, at, button); }
    QPoint checker(int position, bool black = true) const { return checkerSpot(*window, position, black); }
    int black(int p) const { return window->checkers.blackCheckers.countOn(p); }
    static bool waitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, 10000); }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(OnlineTurnTest, TheUserPlaysATurnAndEveryActionSendsItsCommand) {
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3", "4", "** Player someplayer has joined you for a 3 point match.", board(kOpening, "0:0:0:0"),
                    "It's your turn. Please roll or double"})
        .awaitLine("roll ")
        .sendLines({"You roll 6 and 1.", board(kOpening, "6:1:0:0")})
        .awaitLine("move ")
        .sendLines({"someplayer rolls 3 and 1.", board(kAfterMove, "0:0:3:1")})
        .awaitLine("double ")
        .sendLines({"someplayer doubles. Type 'accept' or 'reject'."})
        .awaitLine("accept ")
        .sendLines({"someplayer doubles. Type 'accept' or 'reject'."})
        .awaitLine("resign b ")
        .sendLines({board(kNoneBack, "0:0:3:1")})
        .awaitLine("resign g ")
        .sendLines({board(kOneOff, "0:0:3:1", "1:0")})
        .awaitLine("leave ")
        .hangUp();
    ASSERT_TRUE(server.start());
    window->prefs.prfPort = server.port();
    window->mnuConnect->trigger();
    window->frmLoginWindow->txtUsername->setText("alice");
    window->frmLoginWindow->txtPassword->setText("secret");
    window->frmLoginWindow->cmdOK->click();

    // The user must roll: the status line blinks until the bare tray panel is clicked, which rolls.
    ASSERT_TRUE(waitFor([&] { return window->Timer1->isActive() && window->lblStatus->text().isEmpty(); }));
    ASSERT_TRUE(waitFor([&] { return window->lblStatus->text() == "It's your turn. Please roll or double"; }));
    QPoint bare(2, 2);
    while (window->Picture2->childAt(bare))
        bare += QPoint(4, 0);
    QTest::mouseClick(window->Picture2, Qt::LeftButton, {}, bare);
    EXPECT_FALSE(window->Timer1->isActive());

    ASSERT_TRUE(waitFor([&] { return window->match.die1 == 6; }));
    clickAt(checker(12, false));  // the opponent's checkers are not the user's to move
    EXPECT_EQ(window->moveInput.movesMade, 0);
    clickAt(checker(13));
    clickAt(checker(8), Qt::RightButton);
    EXPECT_EQ(black(7), 2);
    QTest::mouseClick(window->cmdUndo, Qt::LeftButton);
    EXPECT_EQ(black(13), 5);
    EXPECT_EQ(window->lblStatus->text(), "There are 2 legal moves");
    clickAt(checker(13));
    clickAt(checker(8), Qt::RightButton);
    clickAt(diceSpot(*window));

    // The opponent rolled: the button offers the cube; then his doubles are answered.
    ASSERT_TRUE(waitFor([&] { return window->cmdPickUp->text() == "Double"; }));
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return window->cmdAccept->isEnabled(); }));
    QTest::mouseClick(window->cmdAccept, Qt::LeftButton);
    EXPECT_FALSE(window->cmdAccept->isEnabled());
    ASSERT_TRUE(waitFor([&] { return window->cmdReject->isEnabled(); }));
    QTest::mouseClick(window->cmdReject, Qt::LeftButton);

    auto trigger = [this](const char *name) { window->findChild<QAction *>(QLatin1String(name))->trigger(); };
    trigger("mnuRoll");
    trigger("mnuResign");
    ASSERT_TRUE(waitFor([&] { return black(24) == 0; }));
    trigger("mnuResign");
    ASSERT_TRUE(waitFor([&] { return black(27) == 1; }));
    trigger("mnuResign");
    QTest::mouseClick(window->cmdRefresh, Qt::LeftButton);
    trigger("mnuLeave");
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();

    EXPECT_EQ(server.linesReceived().mid(1), (QStringList{"board ", "roll ", "move 13-7 8-7  ", "double ", "accept ",
                                                          "reject", "roll ", "resign b ", "resign g ", "resign n ",
                                                          "board ", "leave "}));
    EXPECT_TRUE(server.bytesReceived().contains("\r\nmove 13-7 8-7  \r\ndouble \r\n"));
    EXPECT_EQ(env.messages(), (QStringList{"Do you want to double?", "Do you want to resign 'backgammon' ?",
                                           "Do you want to resign 'gammon' ?", "Do you want to resign 'normal ?"}));
}

// The server need not send the opponent's roll before it asks the user to roll or double; the
// question comes before the next board line or after it. Either way a click on the cube doubles,
// and a passed double leaves the cube as it was and the final score on the labels.
TEST_F(OnlineTurnTest, AClickOnTheCubeDoublesWheneverTheServerAsksToRollOrDouble) {
    const QString afterOpponent = "0:-2:0:0:0:0:5:2:2:0:0:0:-5:4:0:0:0:-3:0:-5:0:0:0:0:2:0";
    // Later in the match, at 2-1 after the Crawford game.
    QString late = board(afterOpponent, "0:0:0:0").replace("someplayer:3:0:0:", "someplayer:3:2:1:");
    late.chop(3);
    late += "1:0";
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3", "4", "** Player someplayer has joined you for a 3 point match.", board(kOpening, "6:1:0:0")})
        .awaitLine("move ")
        .sendLines({"someplayer moves 24-23 24-21", board(afterOpponent, "0:0:0:0"),
                    "It's your turn. Please roll or double"})
        .awaitLine("double ")
        .sendLines({"You double. Please wait for someplayer to accept or reject.",
                    "someplayer gives up. You win 1 point."})
        .pause(300)
        .sendLines({"It's your turn. Please roll or double", late})
        .awaitLine("double ")
        .sendLines({"You double. Please wait for someplayer to accept or reject.",
                    "someplayer gives up. You win 1 point.", "You win the 3 point match 3-1 ."});
    ASSERT_TRUE(logInTo(*window, server));

    ASSERT_TRUE(waitFor([&] { return window->match.die1 == 6; }));
    // Pick Up takes the dice's road: one die of two sends nothing; the whole roll, picked up
    // from the keyboard, goes.
    clickAt(checker(13));
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_TRUE(window->match.ismyTurn);
    clickAt(checker(8), Qt::RightButton);
    QTest::keyClick(window->cmdPickUp, Qt::Key_Space);
    const QPoint cube = window->board.cubeSpots()[0] + QPoint(6, 6);

    for (int turn = 1; turn <= 2; ++turn) {
        ASSERT_TRUE(waitFor([&] { return window->match.ismyTurn && window->cmdPickUp->text() == "Double"; }));
        QTest::qWait(100);  // the rest of the server's lines
        clickAt(cube);
        ASSERT_TRUE(waitFor([&] { return server.linesReceived().count("double ") == turn; }));
        // The pass ends the game and puts the offered cube back.
        ASSERT_TRUE(waitFor([&] { return !window->match.ismyTurn; }));
        EXPECT_EQ(window->match.theCubeVal, 1);
    }
    ASSERT_TRUE(waitFor([&] { return window->lblScore1->text() == "3"; }));
    EXPECT_EQ(window->lblScore2->text(), "1");
    EXPECT_FALSE(window->cmdAccept->isEnabled());
    EXPECT_FALSE(window->cmdReject->isEnabled());
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();
    EXPECT_EQ(server.linesReceived().mid(1), (QStringList{"board ", "move 13-7 8-7  ", "double ", "double "}));
}

// Online the server ends the game: the move that bears off the user's last checker goes to it
// like any other, picked up with the dice.
TEST_F(OnlineTurnTest, TheMoveThatBearsOffTheLastCheckerGoesToTheServer) {
    const QString lastOne = "0:1:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:-5:-5:-5:0:0:0:0";
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3", "4", "** Player someplayer has joined you for a 3 point match.",
                    board(lastOne, "2:1:0:0", "14:0")})
        .awaitLine("move ");
    ASSERT_TRUE(logInTo(*window, server));

    ASSERT_TRUE(waitFor([&] { return window->match.die1 == 2; }));
    clickAt(checker(1));
    EXPECT_EQ(black(27), 15);
    clickAt(diceSpot(*window));
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();
    EXPECT_EQ(server.linesReceived().mid(1), (QStringList{"board ", "move 1-off  "}));
}

TEST_F(OnlineTurnTest, TheBlinkStopsAtOnceWhileWatchingAndTheTrayRollsNoOnePointMatch) {
    window->flags.isConnected = true;
    window->lblPlayer1->setText("joe_white");
    window->lblStatus->setText("joe_white rolled 6 and 2");
    window->Timer1->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Timer1->isActive(); }, 2000));
    EXPECT_EQ(window->lblStatus->text(), "");  // stopped in the blank half

    window->flags.isConnected = false;
    window->lblPlayer1->setText("You");
    window->lblMatch->setText("1");
    window->match.ismyTurn = true;
    window->Timer1->start();
    window->Picture2_Click();
    EXPECT_FALSE(window->Timer1->isActive());
    EXPECT_EQ(window->lblStatus->text(), "");
    EXPECT_EQ(window->match.die1, 0);
}

}  // namespace
