#pragma once
// The one connection to the game server: owns the socket, turns the received bytes into
// texts for the dispatcher and is the only way a command leaves the program.
#include "connection/ConnectWatchdog.h"
#include "connection/LineAssembler.h"
#include "connection/TelnetFilter.h"

#include <QAbstractSocket>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

class QSocketNotifier;
class QTcpSocket;

class ServerConnection : public QObject {
    Q_OBJECT
public:
    // Whole lines (and the login prompt) for the main connection; every read as it came
    // for the new-account window, which searches the accumulated text itself.
    enum class Delivery { Lines, Raw };

    // The most of the server's text the program holds unread: the socket stops taking bytes
    // from the network beyond this, and the server is held back until the text is read.
    static constexpr qint64 kSocketBufferLimit = 1 << 20;
    // One pass takes this much off the socket before it hands the lines on.
    static constexpr qint64 kReadSize = 256 * 1024;
    // A pass that has handed lines on for this long lets the event loop have a turn first.
    static constexpr qint64 kPassMs = 50;

    explicit ServerConnection(QObject *parent = nullptr);
    ~ServerConnection() override;

    void setDelivery(Delivery delivery) { delivery_ = delivery; }
    void setRemote(const QString &host, quint16 port);

    // Starts an attempt to the remote host and port; false when one is already under way.
    bool connectToServer();

    QAbstractSocket::SocketState state() const;
    bool isConnected() const;
    // The host is being looked up or the socket is connecting.
    bool isAttempting() const;

    // Sends `command` followed by CR LF. A CR or LF inside it becomes a blank, so text a
    // user typed can never carry a second command; characters outside Latin-1 become "?".
    // Nothing is sent, and false is returned, unless the socket is connected; nor once the
    // program's exit has begun.
    // A command is written at once, whatever the server is sending meanwhile; what the system
    // does not take at once follows, in order, as it makes room. A write that meets the
    // server's reset ends the writing and costs no text: all the server sent before it is
    // read, and the end comes as any hang-up does. The hang-up drops what still waits. A write
    // that fails otherwise (the connection timed out) ends the connection as a failed read
    // does: failed() reports it, with its reason.
    bool send(const QString &command);
    static QByteArray commandBytes(const QString &command);

    // Drops the connection at once; the server's hang-up is not reported for it, and whatever
    // part of a line had arrived is forgotten. The commands the system had not taken yet get
    // a last write first, and what it takes then goes after the close, unless server text
    // still unread here makes the close a reset: that drops all that has not left by then.
    void close();

    // Hands on every line received so far (after a hang-up also the unfinished last one),
    // then runs `then`; nothing that arrives later is read. Called by a reader of one of
    // those texts, it returns at once and `then` runs when the last one has been handed on.
    void finishReading(std::function<void()> then);

    // The receiver may still be reading a text that came another way, with its waits (a log
    // played back, the offline game's own lines). While `busy` says so nothing is handed on
    // and the server's text stays in the socket; `whenDone` is given what to run once the
    // receiver is free again, and the connection goes on from there.
    void holdWhileBusy(std::function<bool()> busy, std::function<void(std::function<void()>)> whenDone);

    // The most bytes of the server's text held at one time since the last connect: what the
    // socket had taken in, the line in progress and the lines waiting to be handed on.
    qint64 mostHeld() const { return mostHeld_; }

    ConnectWatchdog &watchdog() { return watchdog_; }

    // What a status line says of a failed attempt or connection: the reason on one line, or
    // "You are not online.." when the server's name could not even be looked up.
    struct FailureStatus {
        QString text;
        bool notOnline = false;
    };
    static FailureStatus failureStatus(QAbstractSocket::SocketError error, const QString &description);

signals:
    void connected();
    // Text for the dispatcher: complete lines with their line ends, or the login prompt.
    void textReceived(const QString &text);
    // The text just handed on was a line too long to take whole, cut at
    // LineAssembler::kLineLimit; the rest of it is gone.
    void lineCut();
    // The server ended the connection. The lines it sent before are still to come: a
    // listener that must see them first asks finishReading to tell it when they are read.
    void closedByServer();
    // The attempt or the connection failed; the connection is over.
    void failed(QAbstractSocket::SocketError error, const QString &description);

private:
    void onReadyRead();
    void onError(QAbstractSocket::SocketError error);
    void onDisconnected();
    void deliverRaw(const QByteArray &chunk);
    void takeAvailable();
    void handOn();
    void resumeWhenReceiverIsFree();
    void readLater(bool afterATurn);
    void noteHeld();
    void runAfterHandOn();
    void writeUnsent();
    void failWriting(int error);
    void stopWriting();
    qint64 unreadBytes() const;

    QTcpSocket *socket_;
    QSocketNotifier *writable_;  // on while commands wait for the system to take them
    Delivery delivery_ = Delivery::Lines;
    QString host_;
    quint16 port_ = 0;
    LineAssembler assembler_;
    TelnetFilter rawTelnet_;
    QByteArray rawScratch_;
    ConnectWatchdog watchdog_;
    struct Received {
        QString text;
        bool cut = false;  // a line cut short
    };
    std::deque<Received> pending_;  // lines read from the socket, not yet handed on
    qint64 pendingBytes_ = 0;
    qint64 mostHeld_ = 0;
    qint64 finishLeft_ = 0;  // bytes still to read of those received before finishReading
    std::function<bool()> receiverBusy_;
    std::function<void(std::function<void()>)> whenReceiverDone_;
    bool resumeAsked_ = false;  // a pass waits for the receiver to be free
    bool readLaterAsked_ = false;  // a pass waits for the event loop's turn or a wait's end
    std::vector<std::function<void()>> afterHandOn_;
    bool reading_ = false;
    QByteArray unsent_;         // the commands' bytes the system has not taken yet, in order
    bool writingOver_ = false;  // a write failed: the server is gone, and nothing more is written
    bool hungUp_ = false;       // the server has closed; what it sent is all there will be
    bool finishing_ = false;    // the lines received are being read out; no more are taken
    bool closingHere_ = false;  // our own close; not the server's hang-up
    bool failedOnce_ = false;   // the failure has been reported; the disconnect that follows is not news
    quint64 generation_ = 0;    // changes at every close, so a pass over old data stops
};
