#include "support/ScriptedServer.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

ScriptedServer::ScriptedServer(QObject *parent) : QObject(parent), server_(new QTcpServer(this)) {
    connect(server_, &QTcpServer::newConnection, this, &ScriptedServer::onNewConnection);
}

ScriptedServer::~ScriptedServer() {
    ++session_;
    if (client_)
        client_->abort();
}

ScriptedServer &ScriptedServer::send(const QByteArray &bytes) {
    script_.push_back({Step::Send, bytes, 0, {}});
    return *this;
}

ScriptedServer &ScriptedServer::sendLines(const QStringList &lines) {
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return send(bytes);
}

ScriptedServer &ScriptedServer::sendFixture(const QString &relativePath, const QByteArray &lineEnd) {
    return send(fixture(relativePath, lineEnd));
}

ScriptedServer &ScriptedServer::sendCut(const QByteArray &bytes, const QList<qsizetype> &cuts, int gapMs) {
    qsizetype from = 0;
    QList<qsizetype> ends = cuts;
    ends << bytes.size();
    for (qsizetype end : ends) {
        end = qBound(from, end, bytes.size());
        if (end == from)
            continue;
        if (from > 0)
            pause(gapMs);
        send(bytes.mid(from, end - from));
        from = end;
    }
    return *this;
}

ScriptedServer &ScriptedServer::sendInPieces(const QByteArray &bytes, qsizetype pieceSize, int gapMs) {
    QList<qsizetype> cuts;
    for (qsizetype at = pieceSize; at < bytes.size(); at += pieceSize)
        cuts << at;
    return sendCut(bytes, cuts, gapMs);
}

ScriptedServer &ScriptedServer::pause(int milliseconds) {
    script_.push_back({Step::Pause, {}, milliseconds, {}});
    return *this;
}

ScriptedServer &ScriptedServer::awaitLine(const QString &text, int timeoutMs) {
    script_.push_back({Step::AwaitLine, {}, timeoutMs, text});
    return *this;
}

ScriptedServer &ScriptedServer::hangUp() {
    script_.push_back({Step::HangUp, {}, 0, {}});
    return *this;
}

bool ScriptedServer::start() {
    return server_->listen(QHostAddress::LocalHost, 0);
}

quint16 ScriptedServer::port() const {
    return server_->serverPort();
}

bool ScriptedServer::clientConnected() const {
    return client_ && client_->state() == QAbstractSocket::ConnectedState;
}

void ScriptedServer::onNewConnection() {
    while (QTcpSocket *socket = server_->nextPendingConnection()) {
        // A new client gets the script from the start; an earlier one is dropped.
        if (client_)
            client_->abort();
        client_ = socket;
        ++connections_;
        ++session_;
        next_ = 0;
        waiting_ = false;
        finished_ = false;
        partial_.clear();
        awaitFrom_ = int(lines_.size());
        connect(socket, &QTcpSocket::readyRead, this, &ScriptedServer::onClientData);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
    play();
}

void ScriptedServer::onClientData() {
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    const QByteArray bytes = socket->readAll();
    received_ += bytes;
    partial_ += bytes;
    qsizetype lf;
    while ((lf = partial_.indexOf('\n')) >= 0) {
        QByteArray line = partial_.left(lf);
        if (line.endsWith('\r'))
            line.chop(1);
        lines_ << QString::fromLatin1(line);
        partial_.remove(0, lf + 1);
    }
    if (waiting_ && next_ < script_.size() && script_[next_].kind == Step::AwaitLine) {
        waiting_ = false;
        play();
    }
}

void ScriptedServer::fail(const QString &why) {
    failures_ << why;
    next_ = script_.size();
    waiting_ = false;
}

void ScriptedServer::play() {
    while (!waiting_ && next_ < script_.size()) {
        const Step &step = script_[next_];
        switch (step.kind) {
        case Step::Send:
            if (!clientConnected())
                return fail(QStringLiteral("the client left before step %1").arg(next_));
            client_->write(step.bytes);
            client_->flush();
            ++next_;
            break;
        case Step::Pause: {
            waiting_ = true;
            ++next_;
            const quint64 session = session_;
            QTimer::singleShot(step.milliseconds, this, [this, session] {
                if (session != session_)
                    return;
                waiting_ = false;
                play();
            });
            return;
        }
        case Step::AwaitLine: {
            bool matched = false;
            for (int i = awaitFrom_; i < lines_.size() && !matched; ++i) {
                if (lines_.at(i).contains(step.text)) {
                    awaitFrom_ = i + 1;
                    matched = true;
                }
            }
            if (matched) {
                ++next_;
                break;
            }
            waiting_ = true;
            const quint64 session = session_;
            const size_t index = next_;
            QTimer::singleShot(step.milliseconds, this, [this, session, index] {
                if (session == session_ && next_ == index && waiting_)
                    fail(QStringLiteral("no line with \"%1\" came").arg(script_[index].text));
            });
            return;
        }
        case Step::HangUp:
            if (client_)
                client_->disconnectFromHost();
            ++next_;
            break;
        }
    }
    if (next_ >= script_.size() && failures_.isEmpty())
        finished_ = true;
}

bool ScriptedServer::waitForLines(int count, int timeoutMs) {
    return QTest::qWaitFor([&] { return lines_.size() >= count; }, timeoutMs);
}

bool ScriptedServer::waitForScriptEnd(int timeoutMs) {
    return QTest::qWaitFor([&] { return finished_ || !failures_.isEmpty(); }, timeoutMs) && finished_;
}

bool ScriptedServer::waitForClientGone(int timeoutMs) {
    return QTest::qWaitFor([&] { return !clientConnected(); }, timeoutMs);
}

QByteArray ScriptedServer::fixture(const QString &relativePath, const QByteArray &lineEnd) {
    QByteArray bytes;
    for (const QString &line : fixtureLines(relativePath))
        bytes += line.toLatin1() + lineEnd;
    return bytes;
}

QStringList ScriptedServer::fixtureLines(const QString &relativePath) {
    QFile file(QStringLiteral(KORVEX_FIXTURES_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "fixture missing: " << file.fileName().toStdString();
        return {};
    }
    QStringList lines;
    for (QByteArray line : file.readAll().split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines << QString::fromLatin1(line);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();  // after the last line end
    return lines;
}

QByteArray ScriptedServer::telnet(quint8 command, quint8 option) {
    return QByteArray{"\xFF"} + char(command) + char(option);
}

quint16 portWithNobodyListening() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

UnansweringPort::~UnansweringPort() {
    if (filler_ >= 0)
        ::close(filler_);
    if (listener_ >= 0)
        ::close(listener_);
}

bool UnansweringPort::open() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr *>(&address), length) != 0 || ::listen(listener_, 0) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return false;
    port_ = ntohs(address.sin_port);
    // One connection fills a backlog of 0; nobody accepts it, so later attempts hang.
    filler_ = ::socket(AF_INET, SOCK_STREAM, 0);
    return filler_ >= 0 && ::connect(filler_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
}
