// One server line of a megabyte, from a loopback server into the connected main window: read
// off the socket, cut to its limit, handed through the dispatcher and the line filter, and
// shown in the server pane, up to the ordinary line that follows it. Without a blank (the
// argument 0) or in short words (1). Target: 50 ms.
#include "LoadedWindow.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <benchmark/benchmark.h>

namespace {

void BM_MegabyteLineIntoTheConnectedWindow(benchmark::State &state) {
    LoadedWindow w;
    if (!w.loaded) {
        state.SkipWithError("the main window did not load");
        return;
    }
    Mainform &window = *w.window;
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost)) {
        state.SkipWithError("no loopback port");
        return;
    }
    QPointer<QTcpSocket> client;
    QObject::connect(&server, &QTcpServer::newConnection, [&] { client = server.nextPendingConnection(); });

    if (!w.logInAt(server.serverPort()) || !waitUntil([&] { return bool(client); }, 5000)) {
        state.SkipWithError("the window did not connect");
        return;
    }

    // The ordinary line after the long one has been read once the connection hands it on.
    int endsRead = 0;
    QObject::connect(&window.server, &ServerConnection::textReceived, &window, [&](const QString &text) {
        if (text.contains(QLatin1String("** end of burst")))
            ++endsRead;
    });
    QByteArray line(1 << 20, 'x');
    if (state.range(0) == 1)
        for (qsizetype i = 5; i < line.size(); i += 6)
            line[i] = ' ';
    const QByteArray burst = line + "\r\n** end of burst\r\n";
    for (auto _ : state) {
        const int before = endsRead;
        client->write(burst);
        if (!waitUntil([&] { return endsRead > before; }, 60000)) {
            state.SkipWithError("the line after the long one never came through");
            return;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * burst.size());
}
BENCHMARK(BM_MegabyteLineIntoTheConnectedWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
