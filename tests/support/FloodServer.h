#pragma once
// A flooding game server in a process of its own (flood_server.py), so that it goes on
// sending while the program waits: the login prompt, then for some seconds or some bytes
// lines that make the program wait mixed with long plain lines, as fast as the program takes
// them, then numbered closing lines ("** closing line 0001" on) and its hang-up: a half-close
// that reads on until the program has gone, or a close for good once the program's machine
// has taken in every byte sent.
#include "support/ServerProcess.h"

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

    enum class HangUp { HalfClose, Close };

    // How long the flood goes on: some seconds, which measures how fast the program reads, or
    // some bytes, which a test gets alike on a fast machine and a loaded one.
    struct Length {
        double seconds = 0;
        qint64 bytes = 0;
    };

    // False, with error() saying why, when the script cannot run or names no port in time.
    bool start(Length length, int closingLines, HangUp hangUp = HangUp::HalfClose, int longLineLength = 20000) {
        return process_.start(QStringLiteral(KORVEX_FLOOD_SERVER),
                              {QString::number(length.seconds), QString::number(length.bytes),
                               QString::number(closingLines), QString::number(longLineLength),
                               hangUp == HangUp::Close ? QStringLiteral("close") : QStringLiteral("half")});
    }

    quint16 port() const { return process_.port(); }
    QString error() const { return process_.error(); }

    // The flood's figures once the server has hung up and its client has gone.
    std::optional<Report> waitForEnd(int timeoutMs) {
        const QStringList sent = process_.readLine(timeoutMs).split(' ');
        if (sent.size() != 4 || sent.first() != QLatin1String("sent"))
            return std::nullopt;
        return Report{sent.at(1).toLongLong(), sent.at(2).toLongLong(), sent.at(3).toDouble()};
    }

private:
    ServerProcess process_;
};
