#include "connection/ServerConnection.h"

#include <QScopedValueRollback>
#include <QTcpSocket>

ServerConnection::ServerConnection(QObject *parent) : QObject(parent), socket_(new QTcpSocket(this)) {
    connect(socket_, &QTcpSocket::connected, this, [this] {
        if (socket_->state() == QAbstractSocket::ConnectedState)
            emit connected();
    });
    connect(socket_, &QTcpSocket::readyRead, this, &ServerConnection::onReadyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, &ServerConnection::onError);
    connect(socket_, &QTcpSocket::disconnected, this, &ServerConnection::onDisconnected);
}

ServerConnection::~ServerConnection() {
    // Going away is not news to anyone.
    socket_->disconnect(this);
    socket_->abort();
}

void ServerConnection::setRemote(const QString &host, quint16 port) {
    host_ = host;
    port_ = port;
}

bool ServerConnection::connectToServer() {
    if (socket_->state() != QAbstractSocket::UnconnectedState)
        return false;
    watchdog_.reset();
    assembler_.clear();
    rawTelnet_.clear();
    failedOnce_ = false;
    socket_->connectToHost(host_, port_);
    return true;
}

QAbstractSocket::SocketState ServerConnection::state() const {
    return socket_->state();
}

bool ServerConnection::isConnected() const {
    return socket_->state() == QAbstractSocket::ConnectedState;
}

bool ServerConnection::isAttempting() const {
    const auto s = socket_->state();
    return s == QAbstractSocket::HostLookupState || s == QAbstractSocket::ConnectingState;
}

QByteArray ServerConnection::commandBytes(const QString &command) {
    QByteArray bytes = command.toLatin1();  // unrepresentable characters come out as "?"
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    bytes.append("\r\n");
    return bytes;
}

bool ServerConnection::send(const QString &command) {
    if (!isConnected())
        return false;
    const QByteArray bytes = commandBytes(command);
    return socket_->write(bytes) == bytes.size();
}

void ServerConnection::close() {
    ++generation_;
    {
        QScopedValueRollback<bool> guard(closingHere_, true);
        socket_->abort();
    }
    assembler_.clear();
    rawTelnet_.clear();
}

void ServerConnection::onReadyRead() {
    // A receiver that waits with events running can let the socket report more data
    // while the last text is still being read; the loop below picks it up afterwards, in
    // order, instead of handing it on in the middle.
    if (reading_)
        return;
    QScopedValueRollback<bool> guard(reading_, true);
    const quint64 generation = generation_;
    while (generation == generation_ && socket_->bytesAvailable() > 0)
        deliver(socket_->readAll());
}

void ServerConnection::deliver(const QByteArray &chunk) {
    const quint64 generation = generation_;
    if (delivery_ == Delivery::Raw) {
        const QByteArrayView clean = rawTelnet_.filter(chunk, rawScratch_);
        if (!clean.isEmpty())
            emit textReceived(QString::fromLatin1(clean));
        return;
    }
    const QStringList texts = assembler_.feed(chunk);
    for (const QString &text : texts) {
        if (generation != generation_)
            return;  // the connection was closed while an earlier text was read
        emit textReceived(text);
    }
}

void ServerConnection::onError(QAbstractSocket::SocketError error) {
    // A hang-up comes as an error too; it is reported once, by the disconnect.
    if (closingHere_ || error == QAbstractSocket::RemoteHostClosedError)
        return;
    if (failedOnce_)
        return;
    failedOnce_ = true;
    ++generation_;
    emit failed(error, socket_->errorString());
}

void ServerConnection::onDisconnected() {
    if (closingHere_ || failedOnce_)
        return;
    // The stream is over, so what came after the last line end is all there will be of
    // its line.
    const quint64 generation = generation_;
    if (delivery_ == Delivery::Lines) {
        const QString rest = assembler_.takeRest();
        if (!rest.isEmpty())
            emit textReceived(rest);
    }
    if (generation == generation_)
        emit closedByServer();
}
