// A whole self-played 1-point match against GNU Backgammon at 0 ply, with animation and the
// pacing waits off: the engine's thinking, the bridge's round trips and the program's own
// work on every board line. Each match runs in a process of its own (the offline probe),
// which reports the match's time; starting the process and the engine is not counted.
#include <QProcess>
#include <QProcessEnvironment>
#include <benchmark/benchmark.h>

static void BM_SelfPlayedOnePointMatch(benchmark::State &state) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(KORVEX_OFFLINE_PROBE), {QStringLiteral("1")});
        bool ok = false;
        const double ms = probe.waitForFinished(120000) && probe.exitCode() == 0
                              ? QString::fromLatin1(probe.readAllStandardOutput()).trimmed().toDouble(&ok)
                              : 0;
        if (!ok) {
            state.SkipWithError("the offline probe did not finish its match");
            break;
        }
        state.SetIterationTime(ms / 1000.0);
    }
}
BENCHMARK(BM_SelfPlayedOnePointMatch)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true);
