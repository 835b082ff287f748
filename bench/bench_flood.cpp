// A server flooding the connected main window for three seconds, from a process of its own:
// lines that make the program wait (a resumed match waits for its board) mixed with long
// plain lines, as fast as the program takes them, then closing lines and its hang-up. Reports
// the most of the server's text the program held at once, and the lines and megabytes handed
// on per second from the login to the window going offline. The server pane's layout of the
// long lines and the waits set the pace.
#include "LoadedWindow.h"
#include "support/FloodServer.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>

namespace {

constexpr int kClosingLines = 100;
constexpr int kReadingLimitMs = 120000;

void BM_FloodIntoTheConnectedWindow(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        LoadedWindow w;
        FloodServer flood;
        if (!w.loaded || !flood.start({.seconds = 3}, kClosingLines)) {
            state.SkipWithError("the main window or the flood server did not start");
            return;
        }
        qint64 lines = 0;
        qint64 bytes = 0;
        int closingLines = 0;
        QObject::connect(&w.window->server, &ServerConnection::textReceived, w.window.get(), [&](const QString &text) {
            lines += text.count(QLatin1Char('\n'));
            bytes += text.size();
            closingLines += int(text.count(QLatin1String("** closing line ")));
        });
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        if (!w.logInAt(flood.port())) {
            state.SkipWithError(qPrintable(w.loginFailure));
            return;
        }
        if (!waitUntil([&] { return !w.window->flags.isConnected; }, kReadingLimitMs)) {
            const QString figures = QStringLiteral("still online %1 s after the login: %2 lines, %3 MB read, %4 of the "
                                                   "%5 closing lines; the program held %6 bytes at most")
                                        .arg(clock.elapsed() / 1000)
                                        .arg(lines)
                                        .arg(double(bytes) / (1 << 20), 0, 'f', 1)
                                        .arg(closingLines)
                                        .arg(kClosingLines)
                                        .arg(w.window->server.mostHeld());
            state.SkipWithError(qPrintable(figures));
            return;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        state.PauseTiming();
        const std::optional<FloodServer::Report> report = flood.waitForEnd(10000);
        if (!report) {
            state.SkipWithError("the flood server did not give its figures within 10 s of the window going offline");
            return;
        }
        state.counters["most_held_bytes"] = double(w.window->server.mostHeld());
        state.counters["lines_per_second"] = double(lines) / seconds;
        const double megabytes = double(report->bytes) / (1 << 20);
        state.counters["sent_MB"] = megabytes;
        state.counters["MB_per_second"] = megabytes / seconds;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FloodIntoTheConnectedWindow)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
