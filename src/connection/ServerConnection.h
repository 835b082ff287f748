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

class QTcpSocket;

class ServerConnection : public QObject {
    Q_OBJECT
public:
    // Whole lines (and the login prompt) for the main connection; every read as it came
    // for the new-account window, which searches the accumulated text itself.
    enum class Delivery { Lines, Raw };

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
    // Nothing is sent, and false is returned, unless the socket is connected.
    bool send(const QString &command);
    static QByteArray commandBytes(const QString &command);

    // Drops the connection at once; the server's hang-up is not reported for it, and
    // whatever part of a line had arrived is forgotten.
    void close();

    // Hands on every line received so far (after a hang-up also the unfinished last one),
    // then runs `then`; nothing that arrives later is read. Called by a reader of one of
    // those texts, it returns at once and `then` runs when the last one has been handed on.
    void finishReading(std::function<void()> then);

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
    void runAfterHandOn();

    QTcpSocket *socket_;
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
    std::vector<std::function<void()>> afterHandOn_;
    bool reading_ = false;
    bool hungUp_ = false;       // the server has closed; what it sent is all there will be
    bool finishing_ = false;    // the lines received are being read out; no more are taken
    bool closingHere_ = false;  // our own close; not the server's hang-up
    bool failedOnce_ = false;   // the failure has been reported; the disconnect that follows is not news
    quint64 generation_ = 0;    // changes at every close, so a pass over old data stops
};
