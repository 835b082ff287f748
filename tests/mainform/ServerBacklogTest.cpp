// The user's clicks and typed commands while the main window works through a backlog of
// server lines whose handling waits, or while the server streams faster than the window
// reads, made with the real pointer and keyboard under a window manager: they act once the
// line under way is read, never after the backlog or the stream.
#include "app/frmExit.h"
#include "board/BoardShow.h"
#include "mainform/Mainform.h"
#include "support/OnlineLogin.h"
#include "support/QuickWindow.h"
#include "support/ScriptedServer.h"
#include "support/ServerProcess.h"
#include "support/TestEnvironment.h"
#include "support/UserInput.h"
#include "support/WindowManagerSession.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

// A watched match whose board lines each show a roll, which the board shows for half a
// second, each followed by a line of the server pane that tells how far the reading is.
QStringList watchedBacklog(int boards) {
    const QStringList fixture = ScriptedServer::fixtureLines("board/gibbon-test-clip-reader.txt").filter("joe_white");
    QStringList lines{QStringLiteral("You're now watching joe_white.")};
    for (int i = 1; i <= boards; ++i)
        lines << fixture.at(i % 2) << QStringLiteral("** read up to %1").arg(i);
    return lines;
}

bool type(const QString &keys) {
    for (const QString &key : keys.split(' '))
        if (!WindowManagerSession::key(key))
            return false;
    return true;
}

QStringList clickAt(const QWidget *widget) {
    const QPoint at = centreOf(widget);
    return {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"};
}

// The window of a user whose installation has logged in before, quiet, at the screen's top left.
bool showAtTheTopLeft(const TestEnvironment &env, Mainform &window) {
    env.copyData();
    if (!window.Form_Load())
        return false;
    window.prefs.prfFirstTimer = false;
    window.prefs.prfInitSettings = true;
    window.prefs.prfDisableSounds = true;
    window.move(0, 0);
    window.show();
    return true;
}

// The user's hand, going on while the program works: xdotool in a process of its own.
bool meanwhile(const QStringList &steps) {
    return QProcess::startDetached("xdotool", steps);
}

// Notes when a window is hidden.
class HideWatch : public QObject {
public:
    explicit HideWatch(std::function<void()> hidden) : hidden_(std::move(hidden)) {}
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Hide)
            hidden_();
        return false;
    }

private:
    std::function<void()> hidden_;
};

// A command typed in the server pane's line and a click on the lobby's Ready view act at once
// when nothing is being read. During a backlog of boards they act once the board under way is
// read, before the one after the next begins; so does the window's close, after which the
// boards that had come are read out without waits and the exit window ends the program.
TEST(ServerBacklogTest, ClicksKeysAndTheCloseActOnceTheLineUnderWayIsRead) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TestEnvironment env;
    Mainform window;
    ASSERT_TRUE(showAtTheTopLeft(env, window));
    int quits = 0;
    qint64 quitAt = -1;
    QElapsedTimer clock;
    frmExit::setQuitHook([&] {
        ++quits;
        quitAt = clock.elapsed();
    });

    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").awaitLine("who", 15000).sendLines(watchedBacklog(15)).pause(30000);
    ASSERT_TRUE(logInTo(window, server));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::qWait(300);  // placed by the window manager
    window.txtType->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.txtType->hasFocus(); }, 2000));

    clock.start();
    struct Acted {
        qint64 at;
        QString pane;  // what had been read by then
    };
    QList<Acted> commands, readyChosen, hidden;
    const auto pane = [&] { return window.txtTerminal->toPlainText(); };
    QObject::connect(window.txtType, &QLineEdit::textChanged, &window, [&](const QString &text) {
        if (text.isEmpty())
            commands.append({clock.elapsed(), pane()});
    });
    QObject::connect(window.opReady, &QRadioButton::toggled, &window, [&](bool on) {
        if (on)
            readyChosen.append({clock.elapsed(), pane()});
    });
    HideWatch hideWatch([&] { hidden.append({clock.elapsed(), pane()}); });
    window.installEventFilter(&hideWatch);

    // The input is made during the third board, whose roll holds the reading for half a
    // second, and the close during the seventh.
    qint64 inputMade = -1, closeMade = -1;
    bool inputDue = true, closeDue = true;
    QObject::connect(window.txtTerminal, &QTextEdit::textChanged, &window, [&] {
        if (inputDue && pane().contains("** read up to 2")) {
            inputDue = false;
            QTimer::singleShot(100, &window, [&] {
                inputMade = clock.elapsed();
                EXPECT_TRUE(meanwhile(clickAt(window.txtType) + QStringList{"key", "p", "i", "n", "g", "Return"} +
                                      clickAt(window.opAll) + clickAt(window.opReady)));
            });
        }
        if (closeDue && pane().contains("** read up to 6")) {
            closeDue = false;
            QTimer::singleShot(100, &window, [&] {
                closeMade = clock.elapsed();
                EXPECT_TRUE(meanwhile({"key", "alt+F4"}));
            });
        }
    });

    // Nothing to read yet: both act at once, and the command brings the backlog.
    ASSERT_TRUE(type("w h o Return"));
    ASSERT_TRUE(WindowManagerSession::click(centreOf(window.opReady)));
    const qint64 controlMade = clock.elapsed();
    EXPECT_TRUE(QTest::qWaitFor([&] { return quits == 1; }, 25000)) << "the program never ended";

    ASSERT_EQ(commands.size(), 2);
    ASSERT_EQ(readyChosen.size(), 2);
    EXPECT_LE(qMax(commands[0].at, readyChosen[0].at) - controlMade, 1000);
    ASSERT_GE(inputMade, 0);
    EXPECT_LE(qMax(commands[1].at, readyChosen[1].at) - inputMade, 1000);
    for (const Acted &acted : {commands[1], readyChosen[1]}) {
        EXPECT_TRUE(acted.pane.contains("** read up to 2"));
        EXPECT_FALSE(acted.pane.contains("** read up to 4")) << "the input waited for the fifth board";
    }
    EXPECT_TRUE(server.linesReceived().contains("ping"));

    ASSERT_EQ(hidden.size(), 1) << "the close never acted";
    ASSERT_GE(closeMade, 0);
    EXPECT_LE(hidden[0].at - closeMade, 1000);
    EXPECT_FALSE(hidden[0].pane.contains("** read up to 8")) << "the close waited for later boards";
    // The boards that had come by then are read out without their waits.
    EXPECT_TRUE(pane().contains("** read up to 15"));
    EXPECT_LE(quitAt - hidden[0].at, 1500);
    frmExit::setQuitHook({});
}

// A board of the user's own 1-point match against Nortally with his 6 and 4 to play: two
// checkers on his 24-point, five on his 13-point.
const QString kSixFour = QStringLiteral("board:You:Nortally:1:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:"
                                        "2:0:1:6:4:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0");

// The user plays 24-18 13-9 with the real pointer, at his own pace and not the board's: a
// click on each checker, then on the dice, a third of a second apart, by xdotool in a process of
// its own. When the dice were clicked, on the monotonic clock; nothing when the turn did not
// come or the clicks were not made in time.
std::optional<qint64> playSixFour(Mainform &window) {
    if (!QTest::qWaitFor([&] { return window.match.ismyTurn && window.match.die1 == 6; }, 10000))
        return std::nullopt;
    const auto click = [&](QPoint at) {
        const QPoint global = window.boardShow->mapToGlobal(at);
        return QStringLiteral("xdotool mousemove %1 %2 click 1").arg(global.x()).arg(global.y());
    };
    QTemporaryFile clickedAt;
    if (!clickedAt.open())
        return std::nullopt;
    const QString monotonicMs = QStringLiteral("python3 -c 'import time; print(int(time.monotonic() * 1000))'");
    const QString hand = QStringList{click(checkerSpot(window, 24)), "sleep 0.3", click(checkerSpot(window, 13)),
                                     "sleep 0.3", monotonicMs + " > " + clickedAt.fileName(), click(diceSpot(window))}
                             .join("; ");
    if (!QProcess::startDetached("sh", {"-c", hand}))
        return std::nullopt;
    if (!QTest::qWaitFor([&] { return clickedAt.size() > 0; }, 10000))
        return std::nullopt;
    return clickedAt.readAll().trimmed().toLongLong();
}

// When the server heard the user's next move, on the monotonic clock; nothing when it did not
// hear one before its stream ended.
std::optional<qint64> moveHeard(ServerProcess &server) {
    while (QTest::qWaitFor([&] { return server.hasLine(); }, 10000)) {
        const QStringList heard = server.readLine(0).split(u' ');
        if (heard.value(0) != "heard")
            return std::nullopt;  // the stream is over
        if (heard.value(2) == "move")
            return heard.value(1).toLongLong();
    }
    return std::nullopt;
}

// The server streams long shouts at 2.5 MB/s, more than the window reads, while the user moves
// two checkers and picks up his dice: his checkers slide at their own pace, and his move
// reaches the server within a second of the click on the dice, long before the stream ends,
// as it does at once with nothing streaming.
TEST(ServerBacklogTest, TheUsersMoveGoesAtOnceWhileTheServerStreamsShouts) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TestEnvironment env;
    Mainform window;
    ASSERT_TRUE(showAtTheTopLeft(env, window));
    window.prefs.prfAnimateCheckersB = true;
    window.prefs.prfAnimDelay = 100;

    // Past the login and the message of the day the match starts with the user on roll; once
    // his first move is in, he is on roll again and the stream begins.
    QTemporaryFile setup;
    ASSERT_TRUE(setup.open());
    const QStringList turn{"You roll 6 and 4.", kSixFour};
    setup.write((QStringList{"1 alice 1306865048 localhost", "3", "4",
                             "** Player Nortally has joined you for a 1 point match."} +
                 turn +
                 QStringList{"--", "Nortally moves 12-15 12-17 ."} + turn)
                    .join("\r\n")
                    .toLatin1() +
                "\r\n");
    setup.close();
    ServerProcess server;
    ASSERT_TRUE(server.start(QStringLiteral(KORVEX_STREAMING_SERVER), {"20", "2", "5000", setup.fileName()}))
        << server.error().toStdString();
    ASSERT_TRUE(logInAt(window, server.port()));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const std::optional<qint64> calmClick = playSixFour(window);
    ASSERT_TRUE(calmClick) << "the first turn could not be played";
    const std::optional<qint64> calmMove = moveHeard(server);
    ASSERT_TRUE(calmMove) << "the first move never came";
    EXPECT_LE(*calmMove - *calmClick, 500);

    ASSERT_TRUE(QTest::qWaitFor([&] { return window.txtTerminal->toPlainText().contains("Nortally moves"); }, 10000));
    const std::optional<qint64> streamClick = playSixFour(window);
    ASSERT_TRUE(streamClick) << "the turn during the stream could not be played";
    const std::optional<qint64> streamMove = moveHeard(server);
    ASSERT_TRUE(streamMove) << "the move came only after the stream";
    EXPECT_LE(*streamMove - *streamClick, 1000);
    EXPECT_FALSE(window.txtShouts->toPlainText().isEmpty()) << "no shout was read";
}

}  // namespace
