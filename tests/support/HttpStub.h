#pragma once
// A web site on 127.0.0.1 for one test: every request gets the same answer (a status and a
// body), or none at all from a site that accepts the connection and then stays silent, or
// one cut short: the connection closes before the promised body has all come.
#include <QByteArray>
#include <QHostAddress>
#include <QHash>
#include <QTcpServer>
#include <QTcpSocket>

class HttpStub : public QObject {
public:
    HttpStub() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *client = server_.nextPendingConnection())
                connect(client, &QTcpSocket::readyRead, this, [this, client] { answer(client); });
        });
    }

    // The answer to every request: an HTTP status with its body, or silence.
    void reply(int status, const QByteArray &body) {
        status_ = status;
        body_ = body;
        silent_ = false;
        cutAfter_ = -1;
    }
    void cutAfter(int bytes) { cutAfter_ = bytes; }
    void staySilent() { silent_ = true; }

    // An address on this site, and one on a loopback port nothing listens on.
    QString url(const QString &path = QStringLiteral("/savedgames/list.html")) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    static QString closedPortUrl() { return QStringLiteral("http://127.0.0.1:9/savedgames/list.html"); }
    int requests() const { return requests_; }

private:
    void answer(QTcpSocket *client) {
        QByteArray &request = pending_[client];
        request += client->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        request.clear();
        ++requests_;
        if (silent_)
            return;
        client->write("HTTP/1.1 " + QByteArray::number(status_) + (status_ == 200 ? " OK" : " Error") +
                      "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body_.size()) +
                      "\r\nConnection: close\r\n\r\n" + (cutAfter_ < 0 ? body_ : body_.left(cutAfter_)));
        client->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QTcpSocket *, QByteArray> pending_;
    int status_ = 200;
    QByteArray body_;
    bool silent_ = false;
    int cutAfter_ = -1;
    int requests_ = 0;
};
