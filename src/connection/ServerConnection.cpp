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
    pending_.clear();
    failedOnce_ = false;
    hungUp_ = false;
    finishing_ = false;
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

ServerConnection::FailureStatus ServerConnection::failureStatus(QAbstractSocket::SocketError error,
                                                               const QString &description) {
    if (error == QAbstractSocket::HostNotFoundError || description.contains(QLatin1String("Host not found")))
        return {QStringLiteral("You are not online.."), true};
    // The status line is one line high.
    return {description.simplified(), false};
}

QByteArray ServerConnection::commandBytes(const QString &command) {
    // Text copied from a pane may bring the invisible break marks the panes put into long
    // runs; they are no part of what the user wrote.
    QString text = command;
    text.remove(QChar(0x200B));
    QByteArray bytes = text.toLatin1();  // unrepresentable characters come out as "?"
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
    pending_.clear();
    // Whoever waits for the last line has it now: there will be none.
    if (!reading_)
        runAfterHandOn();
}

void ServerConnection::finishReading(std::function<void()> then) {
    takeAvailable();
    finishing_ = true;
    afterHandOn_.push_back(std::move(then));
    handOn();
}

void ServerConnection::onReadyRead() {
    if (delivery_ == Delivery::Lines) {
        handOn();
        return;
    }
    // A receiver that waits with events running can let the socket report more data
    // while the last text is still being read; the loop below picks it up afterwards, in
    // order, instead of handing it on in the middle.
    if (reading_)
        return;
    QScopedValueRollback<bool> guard(reading_, true);
    const quint64 generation = generation_;
    while (generation == generation_ && socket_->bytesAvailable() > 0)
        deliverRaw(socket_->readAll());
}

void ServerConnection::deliverRaw(const QByteArray &chunk) {
    const QByteArrayView clean = rawTelnet_.filter(chunk, rawScratch_);
    if (!clean.isEmpty())
        emit textReceived(QString::fromLatin1(clean));
}

void ServerConnection::takeAvailable() {
    if (delivery_ != Delivery::Lines || finishing_ || failedOnce_)
        return;
    while (socket_->bytesAvailable() > 0) {
        QList<qsizetype> cut;
        const QStringList texts = assembler_.feed(socket_->readAll(), &cut);
        for (qsizetype i = 0; i < texts.size(); ++i)
            pending_.push_back({texts.at(i), cut.contains(i)});
    }
    // The stream is over, so what came after the last line end is all there will be of
    // its line.
    if (hungUp_) {
        const QString rest = assembler_.takeRest();
        if (!rest.isEmpty())
            pending_.push_back({rest});
    }
}

// A reader that waits with events running can let the socket report more data, or its
// end, while a text is still being read; what comes then joins the queue and is handed
// on afterwards, in order, by the pass already running.
void ServerConnection::handOn() {
    if (reading_)
        return;
    {
        QScopedValueRollback<bool> guard(reading_, true);
        const quint64 generation = generation_;
        while (generation == generation_) {
            takeAvailable();
            if (pending_.empty())
                break;
            const Received next = pending_.front();
            pending_.pop_front();
            emit textReceived(next.text);
            if (next.cut)
                emit lineCut();
        }
    }
    runAfterHandOn();
}

void ServerConnection::runAfterHandOn() {
    std::vector<std::function<void()>> waiting;
    waiting.swap(afterHandOn_);
    for (const auto &then : waiting)
        then();
}

void ServerConnection::onError(QAbstractSocket::SocketError error) {
    // A hang-up comes as an error too; it is reported once, by the disconnect.
    if (closingHere_ || error == QAbstractSocket::RemoteHostClosedError)
        return;
    if (failedOnce_)
        return;
    failedOnce_ = true;
    ++generation_;
    pending_.clear();
    emit failed(error, socket_->errorString());
}

void ServerConnection::onDisconnected() {
    if (closingHere_ || failedOnce_)
        return;
    hungUp_ = true;
    emit closedByServer();
    handOn();
}
