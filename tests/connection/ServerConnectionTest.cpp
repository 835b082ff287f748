#include "connection/ServerConnection.h"
#include "support/QtPrinters.h"
#include "support/ScriptedServer.h"
#include "support/ServerProcess.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <optional>
#include <poll.h>
#include <sys/socket.h>

namespace {

// Everything a connection reported, in order.
struct Recorder {
    explicit Recorder(ServerConnection &c) {
        QObject::connect(&c, &ServerConnection::connected, [this] { events << "connected"; });
        QObject::connect(&c, &ServerConnection::textReceived, [this](const QString &t) {
            texts << t;
            size += t.size();
        });
        QObject::connect(&c, &ServerConnection::closedByServer, [this] { events << "closed"; });
        QObject::connect(&c, &ServerConnection::failed, [this](QAbstractSocket::SocketError e, const QString &why) {
            errors << e;
            reasons << why;
        });
    }
    QString allText() const { return texts.join(QString()); }

    QStringList events;
    QStringList texts;
    qsizetype size = 0;  // of all the texts
    QList<QAbstractSocket::SocketError> errors;
    QStringList reasons;
};

// The descriptor of the connection's socket, for what only the system can say of it.
int descriptorOf(const ServerConnection &c) {
    const auto *socket = c.findChild<QTcpSocket *>();
    return socket ? int(socket->socketDescriptor()) : -1;
}

// Counts the activations of every socket notifier while it lives: one left on with nothing
// to do is activated without end and keeps a core busy.
struct SocketActivations : QObject {
    SocketActivations() { qApp->installEventFilter(this); }
    ~SocketActivations() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::SockAct)
            ++count;
        return false;
    }
    int count = 0;
};

// The warnings Qt gives while it lives, such as the one for a notifier left on a closed socket.
struct QtWarnings {
    QtWarnings() {
        seen().clear();
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg)
                seen() << text;
        });
    }
    ~QtWarnings() { qInstallMessageHandler(previous); }
    static QStringList &seen() {
        static QStringList warnings;
        return warnings;
    }
    QtMessageHandler previous;
};

// Numbered commands of a kilobyte each, "say 000001 xxx...", far more than the program's
// machine and the deaf server's hold between them, so that most wait in the program.
constexpr int kDeafCommands = 16384;
bool sendNumberedCommands(ServerConnection &c) {
    const QString filler(1000, QLatin1Char('x'));
    for (int n = 1; n <= kDeafCommands; ++n) {
        if (!c.send(QStringLiteral("say %1 ").arg(n, 6, 10, QLatin1Char('0')) + filler))
            return false;
    }
    return true;
}

// Connects to the deaf server, which has said "port N" already.
bool connectToDeafServer(ServerConnection &c, ServerProcess &server) {
    c.setRemote(ScriptedServer::host(), server.port());
    c.connectToServer();
    return QTest::qWaitFor([&] { return c.isConnected() && server.hasLine(); }, 5000) &&
           server.readLine(0) == QLatin1String("connected");
}

// Connects to a resetting server in a process of its own and says something, which the
// server leaves unread so that its close comes as a reset. `readOut` turns true once all
// that came before the hang-up has been handed on. False when no connection comes.
bool greetResettingServer(ServerConnection &c, quint16 port, bool &readOut) {
    QObject::connect(&c, &ServerConnection::closedByServer,
                     [&c, &readOut] { c.finishReading([&readOut] { readOut = true; }); });
    c.setRemote(ScriptedServer::host(), port);
    c.connectToServer();
    return QTest::qWaitFor([&] { return c.isConnected(); }, 5000) && c.send("hello");
}

TEST(ServerConnectionTest, CommandsEndInCrLfAndCarryNoSecondCommand) {
    EXPECT_EQ(ServerConnection::commandBytes("toggle notify "), "toggle notify \r\n");
    EXPECT_EQ(ServerConnection::commandBytes("tell bob hi\r\nshout spam\nkick"), "tell bob hi  shout spam kick\r\n");
    EXPECT_EQ(ServerConnection::commandBytes(QString::fromUtf8("kibitz Café €5")), "kibitz Caf\xE9 ?5\r\n");
    EXPECT_EQ(ServerConnection::commandBytes(QString::fromUtf8("kibitz ab\u200Bcd")), "kibitz abcd\r\n");
    EXPECT_EQ(ServerConnection::commandBytes(""), "\r\n");
}

TEST(ServerConnectionTest, DeliversServerTextInLinesAndSendsCommands) {
    const QByteArray session = "Welcome\r\nlogin: " + ScriptedServer::fixture("clip05-06_who_info/gibbon-test-clip-reader.txt") +
                               ScriptedServer::fixture("board/gibbon-test-clip-reader.txt");
    ScriptedServer server;
    server.awaitLine("login")
        .sendCut(session, {3, 9, 15, 16, 17, 40, 41, 300, 301, 302}, 5)
        .awaitLine("who")
        .send("the last words without a line end")
        .hangUp();
    ASSERT_TRUE(server.start());

    ServerConnection c;
    Recorder r(c);
    EXPECT_FALSE(c.send("too early"));
    c.setRemote(ScriptedServer::host(), server.port());
    ASSERT_TRUE(c.connectToServer());
    EXPECT_FALSE(c.connectToServer());  // one attempt at a time
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.isConnected(); }, 5000));
    EXPECT_TRUE(c.send("login Korvex4.0.28 1008 bob secret"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.allText().contains("board:joe_white:black_jack:7"); }, 5000));
    EXPECT_TRUE(c.send("who\ntell x"));
    ASSERT_TRUE(server.waitForScriptEnd());
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.contains("closed"); }, 5000));

    EXPECT_EQ(r.events, (QStringList{"connected", "closed"}));
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_TRUE(r.texts.contains("login:"));
    // The text after the last line end comes at the hang-up, as the stream's last line.
    EXPECT_EQ(r.texts.last(), "the last words without a line end");
    EXPECT_EQ(r.allText(), "Welcome\r\nlogin:" + QString::fromLatin1(session.mid(16)) + r.texts.last());
    EXPECT_EQ(server.linesReceived(), (QStringList{"login Korvex4.0.28 1008 bob secret", "who tell x"}));
    EXPECT_TRUE(server.bytesReceived().endsWith("who tell x\r\n"));
    EXPECT_FALSE(c.send("too late"));
}

// While the receiver is still reading another text, nothing is handed on: the socket fills to
// its limit and then leaves the server's last lines and its hang-up in the network. Once the
// receiver is free the connection takes the pass up itself, since a full socket reports no
// new data, and everything comes in order, the unfinished last line at the hang-up included;
// a long pass gives the event loop its turns meanwhile.
TEST(ServerConnectionTest, ABusyReceiverHoldsTheServerBackAndLosesNothing) {
    QByteArray flood;
    for (int i = 0; flood.size() < 3 * ServerConnection::kSocketBufferLimit; ++i)
        flood += "line " + QByteArray::number(i) + ' ' + QByteArray(200, 'x') + "\r\n";
    ScriptedServer server;
    server.send(flood).awaitLine("after the flood").send("the last words").hangUp();
    ASSERT_TRUE(server.start());

    ServerConnection c;
    Recorder r(c);
    bool busy = true;
    std::function<void()> resume;
    c.holdWhileBusy([&] { return busy; }, [&](std::function<void()> then) { resume = std::move(then); });
    c.setRemote(ScriptedServer::host(), server.port());
    c.connectToServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.mostHeld() >= ServerConnection::kSocketBufferLimit; }, 5000));
    QTest::qWait(200);
    EXPECT_TRUE(r.texts.isEmpty());
    EXPECT_EQ(c.mostHeld(), ServerConnection::kSocketBufferLimit);

    // The pass over the full socket lets the event loop have its turns: a timer goes on
    // ticking while a receiver that takes its time reads the texts, of a quarter megabyte each.
    QObject::connect(&c, &ServerConnection::textReceived, [] { QThread::msleep(150); });
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = qMax(longestGap, sinceTick.restart());
    });
    tick.start(10);
    sinceTick.start();
    ASSERT_TRUE(resume);
    busy = false;
    resume();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.allText().size() == flood.size(); }, 10000));
    tick.stop();
    EXPECT_LE(longestGap, 400);
    // The server's last words wait for this command.
    c.send("after the flood");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r.texts.isEmpty() && r.texts.last() == "the last words"; }, 5000));
    EXPECT_EQ(r.allText(), QString::fromLatin1(flood + "the last words"));
    EXPECT_EQ(r.events, (QStringList{"connected", "closed"}));
    EXPECT_LE(c.mostHeld(), ServerConnection::kSocketBufferLimit + ServerConnection::kReadSize);
}

// The reading-out at a Disconnect takes only what had come before it, however long its
// reader waits and however much the server goes on sending meanwhile.
TEST(ServerConnectionTest, TheReadingOutEndsWithWhatHadComeBeforeIt) {
    QByteArray before, after;
    for (int i = 0; i < 20; ++i)
        before += "before " + QByteArray::number(i) + "\r\n";
    for (int i = 0; i < 200; ++i)
        after += "after " + QByteArray::number(i) + "\r\n";
    ScriptedServer server;
    server.send(before).awaitLine("bye").sendInPieces(after, 100, 5);
    ASSERT_TRUE(server.start());

    ServerConnection c;
    Recorder r(c);
    bool busy = true;
    c.holdWhileBusy([&] { return busy; }, [](std::function<void()>) {});
    c.setRemote(ScriptedServer::host(), server.port());
    c.connectToServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.mostHeld() >= before.size(); }, 5000));
    // What was read is read with events running, as the dispatcher's pauses do, until the
    // server has sent all the rest and the socket has taken it in.
    QObject::connect(&c, &ServerConnection::textReceived, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return c.mostHeld() >= after.size(); }, 5000)) << "the later text never came";
    });
    busy = false;
    c.send("bye");
    std::optional<QString> readOut;
    c.finishReading([&] { readOut = r.allText(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return readOut.has_value(); }, 10000));
    EXPECT_EQ(*readOut, QString::fromLatin1(before));
    EXPECT_EQ(server.linesReceived(), QStringList{"bye"});  // the server went on sending meanwhile
}

// A write that meets the server's reset costs none of the text the socket had taken in: it was
// sent before the end and is the program's own. Every line comes, in order, the unended last
// one last, and the connection ends as at any hang-up.
TEST(ServerConnectionTest, AResetMetByAWriteCostsNoneOfTheTextTheSocketHeld) {
    constexpr int kFirst = 300;
    constexpr int kSecond = 200;
    ServerProcess server;
    ASSERT_TRUE(server.start(QStringLiteral(KORVEX_RESET_SERVER), {QString::number(kFirst), QString::number(kSecond)}))
        << server.error().toStdString();

    ServerConnection c;
    Recorder r(c);
    // The receiver reads a text of its own meanwhile, so the server's text stays in the socket.
    bool busy = true;
    std::function<void()> resume;
    c.holdWhileBusy([&] { return busy; }, [&](std::function<void()> then) { resume = std::move(then); });
    bool readOut = false;
    ASSERT_TRUE(greetResettingServer(c, server.port(), readOut));
    const qint64 firstBytes = kFirst * qsizetype(sizeof("** line 0001\r\n") - 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.mostHeld() == firstBytes; }, 10000));
    ASSERT_EQ(server.readLine(10000), "sent");

    // No event runs until the server has gone: its last lines and its reset wait in the
    // system, and the command meets the reset.
    server.tell("close");
    ASSERT_EQ(server.readLine(10000), "closed");
    c.send("bye");
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.events.contains("closed") || !r.errors.isEmpty(); }, 5000));
    ASSERT_TRUE(resume);
    busy = false;
    resume();
    ASSERT_TRUE(QTest::qWaitFor([&] { return readOut; }, 5000));

    QString expected;
    for (int n = 1; n <= kFirst + kSecond; ++n)
        expected += QStringLiteral("** line %1\r\n").arg(n, 4, 10, QLatin1Char('0'));
    EXPECT_EQ(r.allText(), expected + "** the last words");
    ASSERT_FALSE(r.texts.isEmpty());
    EXPECT_EQ(r.texts.last(), "** the last words");
    EXPECT_EQ(r.events, (QStringList{"connected", "closed"}));
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_FALSE(c.isConnected());
}

// A write that met the reset leaves nothing to write: while the receiver is busy and the socket
// full, so that the end of the stream is not read yet, nothing may keep the program's events
// running for room to write in.
TEST(ServerConnectionTest, AWriteThatMetTheResetLeavesTheProgramIdle) {
    ServerProcess server;
    ASSERT_TRUE(server.start(QStringLiteral(KORVEX_FILLING_RESET_SERVER), {QStringLiteral("1")}))
        << server.error().toStdString();
    ServerConnection c;
    c.holdWhileBusy([] { return true; }, [](std::function<void()>) {});
    bool readOut = false;
    ASSERT_TRUE(greetResettingServer(c, server.port(), readOut));
    ASSERT_EQ(server.readLine(10000), "sent");
    // The socket fills to its limit meanwhile, and the system behind it; then the server resets.
    server.tell("fill");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasLine(); }, 20000));
    ASSERT_TRUE(server.readLine(0).startsWith(QLatin1String("closed")));
    ASSERT_EQ(c.mostHeld(), ServerConnection::kSocketBufferLimit);

    SocketActivations activations;
    c.send("who");
    QTest::qWait(200);
    EXPECT_LT(activations.count, 20);
}

// A write that met the reset ends the writing of its own connection only: the next one's
// login goes.
TEST(ServerConnectionTest, TheConnectionAfterAWriteMetTheResetWrites) {
    ServerProcess resetting;
    ASSERT_TRUE(resetting.start(QStringLiteral(KORVEX_RESET_SERVER), {QStringLiteral("1"), QStringLiteral("1")}))
        << resetting.error().toStdString();
    ServerConnection c;
    bool readOut = false;
    ASSERT_TRUE(greetResettingServer(c, resetting.port(), readOut));
    ASSERT_EQ(resetting.readLine(10000), "sent");
    resetting.tell("close");
    ASSERT_EQ(resetting.readLine(10000), "closed");
    c.send("bye");  // no event has run since the reset came: the write meets it
    ASSERT_TRUE(QTest::qWaitFor([&] { return readOut; }, 5000));

    ScriptedServer next;
    next.awaitLine("login");
    ASSERT_TRUE(next.start());
    c.setRemote(ScriptedServer::host(), next.port());
    c.connectToServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.isConnected(); }, 5000));
    c.send("login bob");
    ASSERT_TRUE(next.waitForLines(1));
    EXPECT_EQ(next.linesReceived(), QStringList{"login bob"});
}

// The filling server's numbered lines of 64 bytes, the first `size` characters of them.
QString numberedLines(qsizetype size) {
    QString lines;
    lines.reserve(size + 64);
    for (int n = 1; lines.size() < size; ++n)
        lines += QStringLiteral("** line %1 ").arg(n, 6, 10, QLatin1Char('0')) + QString(47, QLatin1Char('x')) + "\r\n";
    lines.truncate(size);
    return lines;
}

// While the program runs no events, the system goes on taking in the server's text, far
// beyond what the socket holds, and then the server's reset. A write that meets the reset
// must cost none of that text; closing the socket would throw it all away. The server fills
// the system and resets, once with no command, once with one sent just before it starts and
// once with one sent after the reset has come; each time every byte the system acknowledged
// is read, in order, and the connection ends once.
TEST(ServerConnectionTest, AResetMetByAWriteCostsNoneOfTheTextTheSystemHeld) {
    // Two megabytes read as they come, over which the system makes its store for the socket
    // larger than the socket itself holds.
    constexpr int kFirstLines = 32768;
    constexpr qsizetype kFirstBytes = kFirstLines * 64;
    enum class Command { None, JustBeforeTheFill, AfterTheReset };
    for (const Command command : {Command::None, Command::JustBeforeTheFill, Command::AfterTheReset}) {
        SCOPED_TRACE(command == Command::None              ? "no command"
                     : command == Command::JustBeforeTheFill ? "a command just before the fill"
                                                             : "a command after the reset");
        ServerProcess server;
        ASSERT_TRUE(server.start(QStringLiteral(KORVEX_FILLING_RESET_SERVER), {QString::number(kFirstLines)}))
            << server.error().toStdString();
        ServerConnection c;
        Recorder r(c);
        bool readOut = false;
        ASSERT_TRUE(greetResettingServer(c, server.port(), readOut));
        ASSERT_TRUE(QTest::qWaitFor([&] { return r.size == kFirstBytes; }, 10000)) << r.size;
        ASSERT_EQ(server.readLine(10000), "sent");

        // No event runs from here until the server has reset the connection.
        if (command == Command::JustBeforeTheFill)
            c.send("who");
        server.tell("fill");
        const QStringList closed = server.readLine(20000).split(u' ');
        ASSERT_EQ(closed.size(), 2);
        ASSERT_EQ(closed.first(), "closed");
        const qsizetype acknowledged = closed.last().toLongLong();
        // Else a write into the reset could cost nothing the socket had not kept anyway.
        ASSERT_GT(acknowledged - kFirstBytes, ServerConnection::kSocketBufferLimit);
        if (command == Command::AfterTheReset)
            c.send("who");
        ASSERT_TRUE(QTest::qWaitFor([&] { return readOut; }, 10000));

        const QString text = r.allText();
        EXPECT_GE(text.size(), acknowledged);
        EXPECT_TRUE(text == numberedLines(text.size())) << "the text read is not the server's, in order";
        EXPECT_EQ(r.events, (QStringList{"connected", "closed"}));
        EXPECT_TRUE(r.errors.isEmpty());
    }
}

// A server that sends faster than the program reads never leaves the system empty for long,
// yet a command typed meanwhile must reach it at once, not once the stream stops. The server
// says when the command came, on the monotonic clock the test reads too. Once the receiver
// spends 3 ms on each line of a stream of one every 2 ms; once it is busy and the stream fills
// the socket to its limit, and the system behind it.
TEST(ServerConnectionTest, ACommandGoesAtOnceWhileTheServerStreams) {
    struct Run {
        const char *name;
        int intervalMs;  // between the server's lines; 0 is as fast as the program's machine takes them
        bool busy;
    };
    for (const Run run : {Run{"a receiver slower than the stream", 2, false},
                          Run{"a stream that fills the socket", 0, true}}) {
        SCOPED_TRACE(run.name);
        ServerProcess server;
        ASSERT_TRUE(server.start(QStringLiteral(KORVEX_STREAMING_SERVER),
                                 {QStringLiteral("4"), QString::number(run.intervalMs), QStringLiteral("100")}))
            << server.error().toStdString();
        ServerConnection c;
        QObject::connect(&c, &ServerConnection::textReceived, [] { QThread::msleep(3); });
        c.holdWhileBusy([busy = run.busy] { return busy; }, [](std::function<void()>) {});
        c.setRemote(ScriptedServer::host(), server.port());
        c.connectToServer();
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.isConnected(); }, 5000));

        std::optional<qint64> sentAt;
        QTimer::singleShot(1000, &c, [&] {
            QElapsedTimer now;
            now.start();
            sentAt = now.msecsSinceReference();
            c.send("who");
        });
        ASSERT_TRUE(QTest::qWaitFor([&] { return sentAt.has_value(); }, 10000));
        if (run.busy) {
            EXPECT_EQ(c.mostHeld(), ServerConnection::kSocketBufferLimit);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasLine(); }, 10000));
        const QStringList heard = server.readLine(0).split(u' ');
        ASSERT_EQ(heard.first().toStdString(), "heard") << "the stream ended before the command came";
        ASSERT_EQ(heard.size(), 3);
        EXPECT_EQ(heard.at(2), "who");
        EXPECT_LE(heard.at(1).toLongLong() - *sentAt, 500);
    }
}

// A server that reads nothing for a while leaves the program's machine holding the commands;
// the rest of them go as it makes room, in order, with the commands sent after them.
TEST(ServerConnectionTest, CommandsTheSystemCannotTakeYetFollowInOrder) {
    ServerProcess server;
    ASSERT_TRUE(server.start(QStringLiteral(KORVEX_DEAF_SERVER), {})) << server.error().toStdString();
    ServerConnection c;
    ASSERT_TRUE(connectToDeafServer(c, server));
    ASSERT_TRUE(sendNumberedCommands(c));
    c.send("last");
    server.tell("read");
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasLine(); }, 20000));
    EXPECT_EQ(server.readLine(0), QStringLiteral("read %1").arg(kDeafCommands));
}

// close() gives the commands still waiting in the program a last write: what the system takes
// then still reaches the server, in order, after the connection is gone.
TEST(ServerConnectionTest, CloseGivesTheCommandsStillWaitingALastWrite) {
    ServerProcess server;
    ASSERT_TRUE(server.start(QStringLiteral(KORVEX_DEAF_SERVER), {})) << server.error().toStdString();
    ServerConnection c;
    ASSERT_TRUE(connectToDeafServer(c, server));
    ASSERT_TRUE(sendNumberedCommands(c));
    // The server reads all the system took, and runs dry, while no event runs here.
    server.tell("drain");
    const QStringList drained = server.readLine(20000).split(u' ');
    ASSERT_EQ(drained.size(), 2);
    ASSERT_EQ(drained.first(), "drained");
    ASSERT_LT(drained.last().toInt(), kDeafCommands) << "no command was left waiting";

    c.close();
    const QStringList closed = server.readLine(20000).split(u' ');
    ASSERT_EQ(closed.size(), 3) << closed.join(u' ').toStdString();
    EXPECT_EQ(closed.first(), "closed");
    EXPECT_GT(closed.last().toInt(), drained.last().toInt());
}

// A command leaves at once, also while the server has not yet acknowledged the one before it:
// the socket holds no small write back, from the login line on.
TEST(ServerConnectionTest, ACommandLeavesWithoutWaitingForTheLastToBeAcknowledged) {
    ScriptedServer server;
    ASSERT_TRUE(server.start());
    ServerConnection c;
    std::optional<int> noDelay;
    QObject::connect(&c, &ServerConnection::connected, [&] {
        int value = 0;
        socklen_t size = sizeof value;
        if (getsockopt(descriptorOf(c), IPPROTO_TCP, TCP_NODELAY, &value, &size) == 0)
            noDelay = value;
    });
    c.setRemote(ScriptedServer::host(), server.port());
    c.connectToServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return noDelay.has_value(); }, 5000));
    EXPECT_NE(*noDelay, 0);
}

// A connection that times out is a failure, not the server's hang-up, whether a command or the
// reading meets it: it is reported once, with its reason, and nothing watches the closed
// socket afterwards. The system is told to give up on the deaf server only once it holds all it
// takes and commands wait in the program: told before, it can give up on a slow machine while
// the commands are still being sent, and one of them meets the time-out instead.
TEST(ServerConnectionTest, AConnectionThatTimedOutIsReportedOnceWithItsReason) {
    for (const bool commandMeetsIt : {true, false}) {
        SCOPED_TRACE(commandMeetsIt ? "a command meets the time-out" : "the reading meets it");
        ServerProcess server;
        ASSERT_TRUE(server.start(QStringLiteral(KORVEX_DEAF_SERVER), {})) << server.error().toStdString();
        ServerConnection c;
        Recorder r(c);
        ASSERT_TRUE(connectToDeafServer(c, server));
        const int descriptor = descriptorOf(c);
        ASSERT_TRUE(sendNumberedCommands(c)) << "the connection ended before the system was told to give up";
        // The system looks at the server's closed window less often the longer it stays closed,
        // so it gives up within about the time the commands took to send.
        const int giveUpMs = 100;
        ASSERT_EQ(setsockopt(descriptor, IPPROTO_TCP, TCP_USER_TIMEOUT, &giveUpMs, sizeof giveUpMs), 0);
        // No event runs until the system has given up.
        pollfd watch{descriptor, POLLIN, 0};
        ASSERT_EQ(poll(&watch, 1, 20000), 1) << "the system never gave up";
        ASSERT_TRUE(watch.revents & POLLERR);

        QtWarnings warnings;
        if (commandMeetsIt)
            c.send("who");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !r.errors.isEmpty() || r.events.contains("closed"); }, 5000))
            << "the time-out was never reported";
        QTest::qWait(50);
        EXPECT_EQ(r.events, QStringList{"connected"});
        EXPECT_EQ(r.errors, QList{QAbstractSocket::SocketTimeoutError});
        EXPECT_EQ(r.reasons, QStringList{qt_error_string(ETIMEDOUT)});
        EXPECT_FALSE(c.isConnected());
        EXPECT_TRUE(warnings.seen().isEmpty()) << warnings.seen().join(u'\n').toStdString();
    }
}

TEST(ServerConnectionTest, OwnCloseIsNotReportedAsAHangUp) {
    ScriptedServer server;
    server.send("login: ");
    ASSERT_TRUE(server.start());
    ServerConnection c;
    Recorder r(c);
    c.setRemote(ScriptedServer::host(), server.port());
    c.connectToServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.texts.contains("login:"); }, 5000));
    c.close();
    EXPECT_TRUE(server.waitForClientGone());
    QTest::qWait(20);
    EXPECT_EQ(r.events, QStringList{"connected"});
    EXPECT_TRUE(r.errors.isEmpty());
    EXPECT_FALSE(c.isConnected());
}

TEST(ServerConnectionTest, FailuresAreReportedOnce) {
    ServerConnection refused;
    Recorder r1(refused);
    refused.setRemote(ScriptedServer::host(), portWithNobodyListening());
    refused.connectToServer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r1.errors.isEmpty(); }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(r1.errors, QList{QAbstractSocket::ConnectionRefusedError});
    EXPECT_TRUE(r1.events.isEmpty());

    // The reserved top-level name fails at the local resolver, without any network.
    ServerConnection unknown;
    Recorder r2(unknown);
    unknown.setRemote("no-such-server.invalid", 4321);
    unknown.connectToServer();
    EXPECT_TRUE(unknown.isAttempting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !r2.errors.isEmpty(); }, 10000));
    EXPECT_EQ(r2.errors, QList{QAbstractSocket::HostNotFoundError});
    EXPECT_FALSE(unknown.isAttempting());
}

TEST(ServerConnectionTest, UnansweredAttemptStaysUnderWayUntilClosed) {
    UnansweringPort silent;
    ASSERT_TRUE(silent.open());
    ServerConnection c;
    Recorder r(c);
    c.setRemote(ScriptedServer::host(), silent.port());
    c.connectToServer();
    QTest::qWait(300);
    EXPECT_TRUE(c.isAttempting());
    c.close();
    EXPECT_FALSE(c.isAttempting());
    QTest::qWait(20);
    EXPECT_TRUE(r.events.isEmpty());
    EXPECT_TRUE(r.errors.isEmpty());
}

TEST(ConnectWatchdogTest, CountsDownTenTicksThenGivesUp) {
    ConnectWatchdog w;
    EXPECT_EQ(w.tick(false).attemptsLeft, 0);  // nothing under way: nothing counted
    for (int expected = 10; expected >= 1; --expected) {
        const auto v = w.tick(true);
        ASSERT_EQ(v.attemptsLeft, expected);
        ASSERT_FALSE(v.timedOut);
    }
    EXPECT_TRUE(w.tick(true).timedOut);
    EXPECT_EQ(w.tick(true).attemptsLeft, 10);  // a new attempt starts from the top

    // Ticks spent on an earlier attempt never shorten the next one.
    ServerConnection c;
    for (int i = 0; i < 6; ++i)
        c.watchdog().tick(true);
    c.setRemote("no-such-server.invalid", 4321);
    c.connectToServer();
    EXPECT_EQ(c.watchdog().tick(c.isAttempting()).attemptsLeft, 10);
    c.close();
}

}  // namespace
