// Time from process start to the main window loaded and shown, with an empty program folder.
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

void startUp(benchmark::State &state, bool calibrated) {
    QTemporaryDir programFolder;
    QTemporaryDir settingsFolder;
    if (calibrated) {
        // The animation speed is measured once per installation; an ordinary start has it.
        QSettings settings(settingsFolder.path() + QStringLiteral("/Korvex/Korvex.ini"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Preferences/isAnimInit"), QStringLiteral("True"));
        settings.setValue(QStringLiteral("Preferences/speed"), QStringLiteral("40"));
    }
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

double median(const std::vector<double> &values) {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
}

void BM_StartupToMainWindowShown(benchmark::State &state) {
    startUp(state, true);
}

// The very first start of an installation also measures the animation speed.
void BM_FirstStartupWithSpeedCalibration(benchmark::State &state) {
    startUp(state, false);
}

}  // namespace

BENCHMARK(BM_StartupToMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(15)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("median", median);
BENCHMARK(BM_FirstStartupWithSpeedCalibration)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)
    ->ReportAggregatesOnly(true)->ComputeStatistics("median", median);
