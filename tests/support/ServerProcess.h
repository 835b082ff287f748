#pragma once
// A game server played by a script in a process of its own, so that it goes on while the
// program waits, or runs no events at all. The script prints "port N" first; a test reads
// what it prints after that and may write it lines.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

class ServerProcess {
public:
    ~ServerProcess() {
        process_.kill();
        process_.waitForFinished(5000);
    }

    // False, with error() saying why, when the script cannot run or names no port in time.
    bool start(const QString &script, const QStringList &arguments) {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            return fail(QStringLiteral("python3 is not installed"));
        process_.start(python, QStringList{script} + arguments);
        const QString first = readLine(10000);
        if (!first.startsWith(QLatin1String("port ")))
            return fail(script + QStringLiteral(" did not start: ") + first +
                        QString::fromLocal8Bit(process_.readAllStandardError()));
        port_ = quint16(first.mid(5).toUInt());
        return port_ != 0;
    }

    quint16 port() const { return port_; }
    QString error() const { return error_; }

    // The script's next line, waited for without running the program's events; empty when
    // none comes in time.
    QString readLine(int timeoutMs) {
        QDeadlineTimer deadline(timeoutMs);
        while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() != QProcess::NotRunning)
            process_.waitForReadyRead(int(qMax<qint64>(1, qMin<qint64>(100, deadline.remainingTime()))));
        return QString::fromLatin1(process_.readLine()).trimmed();
    }

    // Whether a whole line from the script has come in; the program's events bring it.
    bool hasLine() { return process_.canReadLine(); }

    // Writes a line to the script, without running the program's events.
    void tell(const QByteArray &line) {
        process_.write(line + '\n');
        process_.waitForBytesWritten(5000);
    }

private:
    bool fail(const QString &why) {
        error_ = why;
        return false;
    }

    QProcess process_;
    quint16 port_ = 0;
    QString error_;
};
