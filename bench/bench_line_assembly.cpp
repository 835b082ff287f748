// Line assembly of a recorded server stream: every fixture line the server sends, with
// its CR LF and a login prompt now and then, read in pieces of typical socket reads.
#include "connection/LineAssembler.h"

#include <QDirIterator>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QByteArray recordedStream(qsizetype atLeast) {
    QByteArray once;
    QDirIterator it(QStringLiteral(KORVEX_FIXTURES_DIR), {QStringLiteral("*.txt")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : file.readAll().split('\n'))
            if (!line.isEmpty())
                once += line + "\r\n";
        once += "\xFF\xFC\x01\r\nlogin: ";
    }
    QByteArray stream;
    while (!once.isEmpty() && stream.size() < atLeast)
        stream += once;
    return stream;
}

void BM_LineAssembly(benchmark::State &state) {
    static const QByteArray stream = recordedStream(8 << 20);
    if (stream.isEmpty()) {
        state.SkipWithError("no fixtures found");
        return;
    }
    const qsizetype readSize = state.range(0);
    for (auto _ : state) {
        LineAssembler assembler;
        qsizetype texts = 0;
        for (qsizetype at = 0; at < stream.size(); at += readSize)
            texts += assembler.feed(QByteArrayView(stream).sliced(at, qMin(readSize, stream.size() - at))).size();
        benchmark::DoNotOptimize(texts);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * stream.size());
}
BENCHMARK(BM_LineAssembly)->Arg(1460)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);

}  // namespace
