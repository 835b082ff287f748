#include "connection/ServerConnection.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <QTcpSocket>
#include <QTimer>

#include <sys/ioctl.h>

namespace {

// The bytes the system has received for the socket that the socket has not taken in yet.
// Past the socket's limit, or while the program runs no events, they can be megabytes.
int systemUnread(qintptr descriptor) {
    int unread = 0;
    if (::ioctl(int(descriptor), FIONREAD, &unread) < 0)
        return 0;
    return unread;
}

}  // namespace

ServerConnection::ServerConnection(QObject *parent) : QObject(parent), socket_(new QTcpSocket(this)) {
    // Past this the socket leaves the server's bytes in the network, which slows the server
    // down, instead of taking in all a flooding server sends while the program waits.
    socket_->setReadBufferSize(kSocketBufferLimit);
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
    pendingBytes_ = 0;
    mostHeld_ = 0;
    finishLeft_ = 0;
    failedOnce_ = false;
    hungUp_ = false;
    finishing_ = false;
    salvaged_.clear();
    forgetUnsent();
    ++generation_;  // nothing reported late of the last connection is news of this one
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
    unsent_.push_back(commandBytes(command));
    sendWhenCaughtUp();
    return true;
}

// Caught up: the socket has taken in all the system holds for it, so a write that meets a
// reset costs no text; what the socket holds unread is kept (onError) and read as at any
// hang-up. That text does not count here: the program's own waits leave the server's text in
// the socket, and counting it would hold back every command sent in a wait, such as the
// spaced commands that ask for the player lists, until the wait's line had been read.
bool ServerConnection::caughtUp() const {
    return systemUnread(socket_->socketDescriptor()) == 0;
}

// The commands that waited go, in order, and are written out there and then: left to the
// socket for a later round of events, a write may meet a reset that has come meanwhile,
// with the system full of text again.
void ServerConnection::sendWhenCaughtUp() {
    if (unsent_.empty() || !isConnected() || !caughtUp())
        return;
    std::vector<QByteArray> waiting;
    waiting.swap(unsent_);
    QScopedValueRollback<bool> guard(writing_, true);
    for (const QByteArray &bytes : waiting)
        socket_->write(bytes);
    socket_->flush();
}

void ServerConnection::forgetUnsent() {
    unsent_.clear();
}

// A write that fails is answered by the socket at once, inside send(). Its caller goes on as
// if the command had gone, and hears of the end at the next round of events, as it would
// have had the write been left to the socket.
void ServerConnection::reportLater(std::function<void()> report) {
    QTimer::singleShot(0, this, [this, generation = generation_, report = std::move(report)] {
        if (generation == generation_)
            report();
    });
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
    pendingBytes_ = 0;
    salvaged_.clear();
    forgetUnsent();
    // Whoever waits for the last line has it now: there will be none.
    if (!reading_)
        runAfterHandOn();
}

void ServerConnection::finishReading(std::function<void()> then) {
    if (!finishing_) {
        finishing_ = true;
        finishLeft_ = unreadBytes();
    }
    afterHandOn_.push_back(std::move(then));
    handOn();
}

void ServerConnection::holdWhileBusy(std::function<bool()> busy,
                                     std::function<void(std::function<void()>)> whenDone) {
    receiverBusy_ = std::move(busy);
    whenReceiverDone_ = std::move(whenDone);
}

void ServerConnection::onReadyRead() {
    if (delivery_ == Delivery::Lines) {
        noteHeld();
        handOn();
        // The socket may have taken in the last of what the system held while the receiver
        // waits, with nothing read out.
        sendWhenCaughtUp();
        return;
    }
    // A receiver that waits with events running can let the socket report more data
    // while the last text is still being read; the loop below picks it up afterwards, in
    // order, instead of handing it on in the middle.
    if (reading_)
        return;
    QScopedValueRollback<bool> guard(reading_, true);
    const quint64 generation = generation_;
    while (generation == generation_ && unreadBytes() > 0)
        deliverRaw(readUnread(kReadSize));
    sendWhenCaughtUp();
}

void ServerConnection::deliverRaw(const QByteArray &chunk) {
    const QByteArrayView clean = rawTelnet_.filter(chunk, rawScratch_);
    if (!clean.isEmpty())
        emit textReceived(QString::fromLatin1(clean));
}

// One read at a time, and only once the lines of the last one are all handed on: so the
// program holds no more than the socket's limit and one read, however long the receiver
// waits. Reads that finish no line (the middle of a long one) go on until one does or the
// socket is empty: the socket reports no new data while it is full, so a pass must not
// leave bytes behind that it will not come back to.
void ServerConnection::takeAvailable() {
    if (delivery_ != Delivery::Lines || failedOnce_)
        return;
    noteHeld();
    while (pending_.empty()) {
        // Once the reading out has begun, only what had come before it is read.
        const qint64 size = finishing_ ? qMin(kReadSize, finishLeft_) : kReadSize;
        if (size <= 0 || unreadBytes() <= 0)
            break;
        const QByteArray chunk = readUnread(size);
        if (chunk.isEmpty())
            break;
        if (finishing_)
            finishLeft_ -= chunk.size();
        QList<qsizetype> cut;
        const QStringList texts = assembler_.feed(chunk, &cut);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            pending_.push_back({texts.at(i), cut.contains(i)});
            pendingBytes_ += texts.at(i).size();
        }
        noteHeld();
    }
    sendWhenCaughtUp();
    // The stream is over, so what came after the last line end is all there will be of
    // its line.
    if (hungUp_ && pending_.empty() && unreadBytes() == 0) {
        const QString rest = assembler_.takeRest();
        if (!rest.isEmpty()) {
            pending_.push_back({rest});
            pendingBytes_ += rest.size();
        }
    }
}

void ServerConnection::noteHeld() {
    mostHeld_ = qMax(mostHeld_, unreadBytes() + assembler_.pendingSize() + pendingBytes_);
}

qint64 ServerConnection::unreadBytes() const {
    return salvaged_.size() + socket_->bytesAvailable();
}

// What was kept from the socket at a reset comes before anything the socket holds, though
// once the socket is gone it holds nothing.
QByteArray ServerConnection::readUnread(qint64 most) {
    if (salvaged_.isEmpty())
        return socket_->read(most);
    const QByteArray chunk = salvaged_.left(most);
    salvaged_.remove(0, chunk.size());
    return chunk;
}

// A reader that waits with events running can let the socket report more data, or its
// end, while a text is still being read; what comes then joins the queue and is handed
// on afterwards, in order, by the pass already running.
void ServerConnection::handOn() {
    if (reading_)
        return;
    bool receiverBusy = false;
    {
        QScopedValueRollback<bool> guard(reading_, true);
        const quint64 generation = generation_;
        while (generation == generation_) {
            receiverBusy = receiverBusy_ && receiverBusy_();
            if (receiverBusy)
                break;
            takeAvailable();
            if (pending_.empty())
                break;
            const Received next = pending_.front();
            pending_.pop_front();
            pendingBytes_ -= next.text.size();
            emit textReceived(next.text);
            if (next.cut)
                emit lineCut();
        }
    }
    if (receiverBusy)
        resumeWhenReceiverIsFree();
    else
        runAfterHandOn();
}

// The socket may be full by the time the receiver is free, and then it reports nothing new:
// the pass is taken up again from here, not from the socket.
void ServerConnection::resumeWhenReceiverIsFree() {
    if (resumeAsked_ || !whenReceiverDone_)
        return;
    resumeAsked_ = true;
    QPointer<ServerConnection> self(this);
    whenReceiverDone_([self] {
        if (!self)
            return;
        self->resumeAsked_ = false;
        self->handOn();
    });
}

void ServerConnection::runAfterHandOn() {
    std::vector<std::function<void()>> waiting;
    waiting.swap(afterHandOn_);
    for (const auto &then : waiting)
        then();
}

void ServerConnection::onError(QAbstractSocket::SocketError error) {
    if (closingHere_)
        return;
    // A hang-up comes as an error too; it is reported once, by the disconnect. At every
    // hang-up the text still unread in the socket is taken out here: when a write has met
    // the server's reset, the socket throws it all away right after this report, and that
    // text was sent before the end, to be read as at any hang-up.
    if (error == QAbstractSocket::RemoteHostClosedError) {
        salvaged_.append(socket_->readAll());
        return;
    }
    if (writing_) {
        reportLater([this, error] { onError(error); });
        return;
    }
    if (failedOnce_)
        return;
    failedOnce_ = true;
    ++generation_;
    pending_.clear();
    pendingBytes_ = 0;
    forgetUnsent();
    emit failed(error, socket_->errorString());
}

void ServerConnection::onDisconnected() {
    if (closingHere_ || failedOnce_)
        return;
    if (writing_) {
        reportLater([this] { onDisconnected(); });
        return;
    }
    hungUp_ = true;
    forgetUnsent();
    emit closedByServer();
    handOn();
}
