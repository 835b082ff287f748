#include "connection/ServerConnection.h"

#include "app/InputGuards.h"
#include "app/ProgramExit.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QScopedValueRollback>
#include <QSocketNotifier>
#include <QTcpSocket>

#include <cerrno>
#include <sys/socket.h>

ServerConnection::ServerConnection(QObject *parent)
    : QObject(parent), socket_(new QTcpSocket(this)), writable_(new QSocketNotifier(QSocketNotifier::Write, this)) {
    // Past this the socket leaves the server's bytes in the network, which slows the server
    // down, instead of taking in all a flooding server sends while the program waits.
    socket_->setReadBufferSize(kSocketBufferLimit);
    connect(socket_, &QTcpSocket::connected, this, [this] {
        if (socket_->state() != QAbstractSocket::ConnectedState)
            return;
        // A command leaves at once, also while the one before it waits for the server's
        // acknowledgement, which from a distant server takes a round trip: the system would
        // otherwise hold a small write back until then. Qt sets socket options only on a
        // socket that is up.
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        writable_->setSocket(socket_->socketDescriptor());
        emit connected();
    });
    connect(writable_, &QSocketNotifier::activated, this, &ServerConnection::writeUnsent);
    connect(socket_, &QTcpSocket::readyRead, this, &ServerConnection::onReadyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, &ServerConnection::onError);
    connect(socket_, &QTcpSocket::disconnected, this, &ServerConnection::onDisconnected);
}

ServerConnection::~ServerConnection() {
    // Going away is not news to anyone.
    socket_->disconnect(this);
    stopWriting();
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
    stopWriting();
    writingOver_ = false;
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
    // What the program reads out once its exit has begun answers nobody.
    if (!isConnected() || ProgramExit::begun())
        return false;
    unsent_.append(commandBytes(command));
    writeUnsent();
    return true;
}

// Written past the socket, straight to its descriptor: when a write of Qt's own meets a reset,
// Qt closes the descriptor there and then (its socket engine closes itself, and
// QAbstractSocketPrivate::flush aborts the socket), which throws away all the system still
// holds unread for it, the server's last lines before the reset among them. A write of ours
// that meets a reset only ends the writing: the socket reads on through what came and then
// finds the end of the stream, which is how Qt reads a reset.
void ServerConnection::writeUnsent() {
    const qintptr descriptor = socket_->socketDescriptor();
    int failure = 0;
    while (!unsent_.isEmpty() && !writingOver_ && descriptor >= 0) {
        const ssize_t written =
            ::send(int(descriptor), unsent_.constData(), size_t(unsent_.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (written >= 0) {
            unsent_.remove(0, written);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            break;
        } else if (errno != EINTR) {
            writingOver_ = true;
            failure = errno;
        }
    }
    // Nothing more goes once a write has failed, and the notifier must not be left on for
    // commands that never will.
    if (writingOver_)
        unsent_.clear();
    // Qt's socket has a write notifier of its own on this descriptor, on only while the
    // connection comes up: it goes off at the first round of events after, as the socket is
    // never given a byte to write. Qt's glib event dispatcher polls both; its plain Unix one
    // keeps one write notifier to a descriptor and warns of a second. The two are never on
    // together: this one is on only while a command waits for room, and the first command,
    // the login line, comes later and always fits.
    writable_->setEnabled(!unsent_.isEmpty());
    // A reset, or a write after one (Qt's own writes take both as the server's hang-up), ends
    // as a hang-up does; any other failure, the connection timing out, as a failed read does.
    if (failure != 0 && failure != ECONNRESET && failure != EPIPE)
        failWriting(failure);
}

// As a failed read does, the failure ends the connection: the lines not handed on yet are
// dropped, and it is reported once, with its reason. The report comes with the next round of
// events, as a failed read's does, and not from inside the send() that met it.
void ServerConnection::failWriting(int error) {
    // The kinds and words Qt gives a read that fails so.
    const auto kind = error == ETIMEDOUT ? QAbstractSocket::SocketTimeoutError : QAbstractSocket::NetworkError;
    const QString reason = qt_error_string(error);
    failedOnce_ = true;
    const quint64 generation = ++generation_;
    pending_.clear();
    pendingBytes_ = 0;
    stopWriting();
    {
        QScopedValueRollback<bool> guard(closingHere_, true);
        socket_->abort();
    }
    QMetaObject::invokeMethod(
        this,
        [this, generation, kind, reason] {
            if (generation == generation_ && failedOnce_)
                emit failed(kind, reason);
        },
        Qt::QueuedConnection);
}

// With the connection's end, before its closed descriptor is polled again: by then the number
// may belong to something else.
void ServerConnection::stopWriting() {
    unsent_.clear();
    writable_->setEnabled(false);
}

void ServerConnection::close() {
    // A command sent before has left at once, as far as the server's machine had room for it;
    // what the system could not take yet is given to it now. It sends that on after the close,
    // unless server text still unread here makes the close a reset, which drops all that has
    // not left by then.
    writeUnsent();
    stopWriting();
    ++generation_;
    {
        QScopedValueRollback<bool> guard(closingHere_, true);
        socket_->abort();
    }
    assembler_.clear();
    rawTelnet_.clear();
    pending_.clear();
    pendingBytes_ = 0;
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
        deliverRaw(socket_->read(kReadSize));
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
        const QByteArray chunk = socket_->read(size);
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
    return socket_->bytesAvailable();
}

// A reader that waits with events running can let the socket report more data, or its
// end, while a text is still being read; what comes then joins the queue and is handed
// on afterwards, in order, by the pass already running.
//
// A checker's slide or a plain sleep asks for no socket data, but Qt's glib event loop
// reports it all the same: the pass waits until that wait is over, or a slide with the
// server streaming would run a whole pass at every frame. A pass gives the event loop a turn
// now and then, so clicks and painting go on while the server streams.
void ServerConnection::handOn() {
    if (reading_)
        return;
    if (socketsLeftOut()) {
        readLater(false);
        return;
    }
    bool receiverBusy = false;
    bool turnGiven = false;
    {
        QScopedValueRollback<bool> guard(reading_, true);
        const quint64 generation = generation_;
        QElapsedTimer pass;
        pass.start();
        while (generation == generation_) {
            receiverBusy = receiverBusy_ && receiverBusy_();
            if (receiverBusy)
                break;
            if (pass.elapsed() >= kPassMs) {
                turnGiven = true;
                break;
            }
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
    else if (turnGiven)
        readLater(true);
    else
        runAfterHandOn();
}

// The pass goes on from a queued call: after the event loop's turn, or once the wait that
// left the sockets out is over.
void ServerConnection::readLater(bool afterATurn) {
    if (readLaterAsked_)
        return;
    readLaterAsked_ = true;
    QPointer<ServerConnection> self(this);
    const auto goOn = [self] {
        if (!self)
            return;
        self->readLaterAsked_ = false;
        self->handOn();
    };
    if (afterATurn)
        QMetaObject::invokeMethod(this, goOn, Qt::QueuedConnection);
    else
        readAfterTheWait(goOn);
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
    // Qt has let the descriptor go by now, or is about to: nothing must watch it into the
    // next round of events.
    stopWriting();
    if (closingHere_)
        return;
    // A hang-up comes as an error too; it is reported once, by the disconnect.
    if (error == QAbstractSocket::RemoteHostClosedError || failedOnce_)
        return;
    failedOnce_ = true;
    ++generation_;
    pending_.clear();
    pendingBytes_ = 0;
    emit failed(error, socket_->errorString());
}

void ServerConnection::onDisconnected() {
    if (closingHere_ || failedOnce_)
        return;
    hungUp_ = true;
    stopWriting();
    emit closedByServer();
    handOn();
}
