// How long a command takes from send() until the server has its line: at rest, right after
// another command (the second of two sent together, which may not leave before the server's
// machine has acknowledged the first), and while the server floods the connection. The server
// (clock_server.py) answers each command as the game server does and says when each line came
// on the monotonic clock; the figures are the median, the 99th percentile and the longest of
// some hundreds of commands, a fiftieth of a second apart.
#include "LoadedWindow.h"
#include "connection/ServerConnection.h"
#include "support/ServerProcess.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <vector>

namespace {

constexpr int kCommands = 300;
constexpr int kGapMs = 20;

enum class Pattern { AtRest, RightAfterAnother, DuringAFlood };

qint64 monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs events for `ms` milliseconds, idle between them as the program is between commands.
void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(const std::vector<double> &sorted, double share) {
    const size_t rank = size_t(std::ceil(share * double(sorted.size())));
    return sorted.at(std::clamp<size_t>(rank, 1, sorted.size()) - 1);
}

void measureCommandDelay(benchmark::State &state, Pattern pattern) {
    for (auto _ : state) {
        ServerProcess server;
        const QStringList arguments =
            pattern == Pattern::DuringAFlood ? QStringList{QStringLiteral("flood")} : QStringList{};
        if (!server.start(QStringLiteral(KORVEX_CLOCK_SERVER), arguments)) {
            state.SkipWithError(qPrintable(server.error()));
            return;
        }
        ServerConnection c;
        qint64 linesRead = 0;
        QObject::connect(&c, &ServerConnection::textReceived, [&linesRead] { ++linesRead; });
        c.setRemote(QStringLiteral("127.0.0.1"), server.port());
        c.connectToServer();
        if (!waitUntil([&] { return c.isConnected(); }, 5000)) {
            state.SkipWithError("the connection did not come up within 5 s");
            return;
        }
        if (pattern == Pattern::DuringAFlood && !waitUntil([&] { return linesRead > 10000; }, 10000)) {
            state.SkipWithError("the flood did not come");
            return;
        }

        std::vector<qint64> sentAt(kCommands + 1);
        for (int n = 1; n <= kCommands; ++n) {
            runEventsFor(kGapMs);
            if (pattern == Pattern::RightAfterAnother)
                c.send(QStringLiteral("first %1").arg(n));
            sentAt[size_t(n)] = monotonicNs();
            c.send(QStringLiteral("say %1").arg(n));
        }

        std::vector<double> delaysMs;
        while (delaysMs.size() < size_t(kCommands)) {
            if (!waitUntil([&] { return server.hasLine(); }, 5000)) {
                state.SkipWithError(qPrintable(QStringLiteral("the server heard %1 of the %2 commands")
                                                   .arg(delaysMs.size())
                                                   .arg(kCommands)));
                return;
            }
            const QStringList heard = server.readLine(0).split(u' ');
            if (heard.size() == 4 && heard.at(0) == QLatin1String("heard") && heard.at(2) == QLatin1String("say"))
                delaysMs.push_back(double(heard.at(1).toLongLong() - sentAt.at(size_t(heard.at(3).toInt()))) / 1e6);
        }
        std::sort(delaysMs.begin(), delaysMs.end());
        state.counters["median_ms"] = percentile(delaysMs, 0.5);
        state.counters["p99_ms"] = percentile(delaysMs, 0.99);
        state.counters["longest_ms"] = delaysMs.back();
    }
}

void BM_CommandAtRest(benchmark::State &state) {
    measureCommandDelay(state, Pattern::AtRest);
}
void BM_CommandRightAfterAnother(benchmark::State &state) {
    measureCommandDelay(state, Pattern::RightAfterAnother);
}
void BM_CommandDuringAFlood(benchmark::State &state) {
    measureCommandDelay(state, Pattern::DuringAFlood);
}
BENCHMARK(BM_CommandAtRest)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CommandRightAfterAnother)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_CommandDuringAFlood)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
