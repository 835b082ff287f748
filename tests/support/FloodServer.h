#pragma once
// A flooding game server in a process of its own (flood_server.py), so that it goes on
// sending while the program waits: the login prompt, then for some seconds lines that make
// the program wait mixed with long plain lines, as fast as the program takes them, then
// numbered closing lines ("** closing line 0001" on) and its hang-up: a half-close that reads
// on until the program has gone, or a close for good once the program's machine has taken in
// every byte sent.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>

class FloodServer {
public:
    struct Report {
        qint64 bytes = 0;  // what the flood put through, closing lines not counted
        qint64 lines = 0;
        double seconds = 0;
    };

    ~FloodServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }

    enum class HangUp { HalfClose, Close };

    // False, with error() saying why, when the script cannot run or names no port in time.
    bool start(double seconds, int closingLines, HangUp hangUp = HangUp::HalfClose, int longLineLength = 20000) {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            return fail(QStringLiteral("python3 is not installed"));
        process_.start(python, {QStringLiteral(KORVEX_FLOOD_SERVER), QString::number(seconds),
                                QString::number(closingLines), QString::number(longLineLength),
                                hangUp == HangUp::Close ? QStringLiteral("close") : QStringLiteral("half")});
        const QString first = readLine(10000);
        if (!first.startsWith(QLatin1String("port ")))
            return fail(QStringLiteral("the flood server did not start: ") + first +
                        QString::fromLocal8Bit(process_.readAllStandardError()));
        port_ = quint16(first.mid(5).toUInt());
        return port_ != 0;
    }

    quint16 port() const { return port_; }
    QString error() const { return error_; }

    // The flood's figures once the server has hung up and its client has gone.
    std::optional<Report> waitForEnd(int timeoutMs) {
        const QStringList sent = readLine(timeoutMs).split(' ');
        if (sent.size() != 4 || sent.first() != QLatin1String("sent"))
            return std::nullopt;
        return Report{sent.at(1).toLongLong(), sent.at(2).toLongLong(), sent.at(3).toDouble()};
    }

private:
    QString readLine(int timeoutMs) {
        QDeadlineTimer deadline(timeoutMs);
        while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(int(qMax<qint64>(1, qMin<qint64>(100, deadline.remainingTime()))));
        return QString::fromLatin1(process_.readLine()).trimmed();
    }

    bool fail(const QString &why) {
        error_ = why;
        return false;
    }

    QProcess process_;
    quint16 port_ = 0;
    QString error_;
};
