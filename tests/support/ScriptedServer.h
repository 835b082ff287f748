#pragma once
// A stand-in for the game server, on 127.0.0.1 at a port of its own: it plays a script of
// byte chunks, pauses, waits for the client's lines and hang-ups to every client that
// connects, and records each line the client sends, so a test can check both sides.
//
//     ScriptedServer server;
//     server.send("login: ").awaitLine("login ").sendFixture("clip05-06_who_info/gibbon-test-clip-reader.txt")
//           .hangUp();
//     ASSERT_TRUE(server.start());
//     ... connect the client to server.port() ...
//     ASSERT_TRUE(server.waitForScriptEnd());
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <vector>

class QTcpServer;
class QTcpSocket;

class ScriptedServer : public QObject {
    Q_OBJECT
public:
    explicit ScriptedServer(QObject *parent = nullptr);
    ~ScriptedServer() override;

    // --- the script, played from the start to each client that connects
    // One write of `bytes`.
    ScriptedServer &send(const QByteArray &bytes);
    // Each text followed by CR LF, all in one write.
    ScriptedServer &sendLines(const QStringList &lines);
    // A fixture file's lines, each ended with `lineEnd`, in one write.
    ScriptedServer &sendFixture(const QString &relativePath, const QByteArray &lineEnd = "\r\n");
    // `bytes` cut at the given offsets, each piece written on its own after `gapMs`, so the
    // client reads them apart.
    ScriptedServer &sendCut(const QByteArray &bytes, const QList<qsizetype> &cuts, int gapMs = 10);
    // `bytes` in pieces of `pieceSize` bytes.
    ScriptedServer &sendInPieces(const QByteArray &bytes, qsizetype pieceSize, int gapMs = 10);
    ScriptedServer &pause(int milliseconds);
    // Waits until the client has sent a line containing `text` (after the line an earlier
    // wait matched). The script stops, and records the failure, when none comes in time.
    ScriptedServer &awaitLine(const QString &text, int timeoutMs = 5000);
    // Closes the connection after sending what is pending.
    ScriptedServer &hangUp();

    // Listens on 127.0.0.1 at a free port.
    bool start();
    quint16 port() const;
    static QString host() { return QStringLiteral("127.0.0.1"); }

    // --- what happened
    QStringList linesReceived() const { return lines_; }
    QByteArray bytesReceived() const { return received_; }
    int connectionCount() const { return connections_; }
    bool scriptFinished() const { return finished_; }
    QStringList failures() const { return failures_; }
    bool clientConnected() const;

    // Wait with events running; false on time-out.
    bool waitForLines(int count, int timeoutMs = 5000);
    bool waitForScriptEnd(int timeoutMs = 5000);
    bool waitForClientGone(int timeoutMs = 5000);

    // --- building scripts
    // A fixture file of tests/fixtures/fibs-lines, its lines ended with `lineEnd`.
    static QByteArray fixture(const QString &relativePath, const QByteArray &lineEnd = "\r\n");
    // The lines of a fixture file, without line ends.
    static QStringList fixtureLines(const QString &relativePath);
    // A telnet command such as IAC WONT ECHO (255 252 1).
    static QByteArray telnet(quint8 command, quint8 option);

private:
    struct Step {
        enum Kind { Send, Pause, AwaitLine, HangUp } kind;
        QByteArray bytes;
        int milliseconds = 0;
        QString text;
    };

    void onNewConnection();
    void onClientData();
    void play();
    void fail(const QString &why);

    QTcpServer *server_;
    QPointer<QTcpSocket> client_;
    std::vector<Step> script_;
    size_t next_ = 0;
    bool waiting_ = false;          // inside a pause or a wait for a line
    quint64 session_ = 0;           // changes with each client, so old timers do nothing
    int awaitFrom_ = 0;             // first line a wait may match
    QStringList lines_;
    QByteArray received_;
    QByteArray partial_;            // the client's line in progress
    int connections_ = 0;
    bool finished_ = false;
    QStringList failures_;
};

// A loopback port that nothing listens on: a connection attempt there is refused at once.
quint16 portWithNobodyListening();

// A loopback port whose connection attempts never complete, as with a server that does
// not answer: it listens with a full backlog and never accepts, so the system drops the
// client's attempts and the client stays connecting.
class UnansweringPort {
public:
    UnansweringPort() = default;
    ~UnansweringPort();
    UnansweringPort(const UnansweringPort &) = delete;
    UnansweringPort &operator=(const UnansweringPort &) = delete;

    bool open();
    quint16 port() const { return port_; }

private:
    int listener_ = -1;
    int filler_ = -1;
    quint16 port_ = 0;
};
