#pragma once
// GNU Backgammon's own reading of a board line: gnubg run as an external player, which takes
// a FIBS board line on a socket and answers with its move for it, or with "Error: ..." when
// the line does not read.
#include "engine/EngineFiles.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

class GnubgBoardReader {
public:
    GnubgBoardReader() {
        gnubg_.setProgram(EngineFiles::program);
        gnubg_.setArguments({QStringLiteral("-t"), QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-s"),
                             folder_.path()});
        gnubg_.start();
        if (!gnubg_.waitForStarted(5000))
            return;
        const QString path = folder_.filePath(QStringLiteral("board.sock"));
        gnubg_.write("external " + path.toLocal8Bit() + '\n');
        gnubg_.waitForBytesWritten(2000);
        // gnubg makes the socket file a moment before it listens on it; on a busy machine a
        // first connection can come in between and be refused. Try again until the deadline.
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            socket_.connectToServer(path);
            if (socket_.waitForConnected(1000))
                return;
            socket_.abort();
            QThread::msleep(20);
        }
    }
    ~GnubgBoardReader() {
        socket_.abort();
        gnubg_.kill();
        gnubg_.waitForFinished(2000);
    }

    bool ready() const { return socket_.state() == QLocalSocket::ConnectedState; }

    // GNU Backgammon's answer to the line: a move, an empty move, or its complaint; "(none)"
    // when it said nothing.
    QString read(const QString &line) {
        socket_.write(line.toLatin1() + '\n');
        socket_.waitForBytesWritten(2000);
        QByteArray reply;
        const QDeadlineTimer deadline(5000);
        while (!reply.contains('\n') && socket_.waitForReadyRead(int(deadline.remainingTime())))
            reply += socket_.readAll();
        return reply.contains('\n') ? QString::fromLatin1(reply).trimmed() : QStringLiteral("(none)");
    }
    bool accepts(const QString &line) {
        const QString reply = read(line);
        return !reply.startsWith(QLatin1String("Error")) && reply != QLatin1String("(none)");
    }

private:
    QTemporaryDir folder_;
    QProcess gnubg_;
    QLocalSocket socket_;
};
