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

void BM_FloodIntoTheConnectedWindow(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        LoadedWindow w;
        FloodServer flood;
        if (!w.loaded || !flood.start({.seconds = 3}, 100)) {
            state.SkipWithError("the main window or the flood server did not start");
            return;
        }
        qint64 lines = 0;
        QObject::connect(&w.window->server, &ServerConnection::textReceived, w.window.get(),
                         [&](const QString &text) { lines += text.count(QLatin1Char('\n')); });
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        if (!w.logInAt(flood.port()) || !waitUntil([&] { return !w.window->flags.isConnected; }, 120000)) {
            state.SkipWithError("the window did not read the flood to its end");
            return;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        state.PauseTiming();
        const std::optional<FloodServer::Report> report = flood.waitForEnd(10000);
        state.counters["most_held_bytes"] = double(w.window->server.mostHeld());
        state.counters["lines_per_second"] = double(lines) / seconds;
        const double megabytes = report ? double(report->bytes) / (1 << 20) : 0;
        state.counters["sent_MB"] = megabytes;
        state.counters["MB_per_second"] = megabytes / seconds;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FloodIntoTheConnectedWindow)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

}  // namespace
