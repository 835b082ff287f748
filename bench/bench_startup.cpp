// Time from process start to the main window loaded and shown, with an empty program folder.
#include <algorithm>
#include <vector>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

static void BM_StartupToMainWindowShown(benchmark::State &state) {
    QTemporaryDir programFolder;
    QTemporaryDir settingsFolder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(KORVEX_STARTUP_PROBE), {programFolder.path(), settingsFolder.path()});
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
            state.SkipWithError("the start-up probe did not finish cleanly");
            break;
        }
    }
}
BENCHMARK(BM_StartupToMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("median", [](const std::vector<double> &v) {
        std::vector<double> s = v;
        std::sort(s.begin(), s.end());
        return s[s.size() / 2];
    });
