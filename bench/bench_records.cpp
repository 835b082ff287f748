// Speed of the match records: saved logs converted to JF .mat with their files read and
// written, one very long log converted, and a long log indexed for playback.
#include "records/LogFiles.h"
#include "records/LogPlayback.h"
#include "records/MatConverter.h"
#include "records/MatchRecords.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A 5-point match against GnuBG as Korvex logged it: 631 lines, four games.
QStringList fivePointLog() {
    QStringList lines;
    LogFiles::readLines(QStringLiteral(KORVEX_FIXTURES_DIR "/../match-logs/gnubg-5-point.log"), lines);
    return lines;
}

// The log's games again and again after its match start, to `count` lines.
QStringList longLog(qsizetype count) {
    const QStringList log = fivePointLog();
    QStringList lines = log;
    while (lines.size() < count)
        lines += log.mid(1);
    return lines.mid(0, count);
}

class QuietHost : public RecordsHost {
public:
    explicit QuietHost(const QString &folder) : folder_(folder) {}
    QString logFolder() const override { return folder_ + QStringLiteral("/log"); }
    QString matFolder() const override { return folder_ + QStringLiteral("/jf_mat"); }
    QString opponentCaption() const override { return QStringLiteral("GnuBG"); }
    void message(const QString &) override {}
    void setStatus(const QString &) override {}
    void showTerminal(const QString &) override {}
    void showProgressWindow(const QString &) override {}
    void showProgress(int) override {}
    void hideProgressWindow() override {}
    void SplitFibString(const QString &) override {}
    void showGameRows(const QStringList &) override {}
    void enablePlaybackButtons(bool) override {}

private:
    QString folder_;
};

// One saved log after another through the menu's conversion: read, converted, written.
void BM_ConvertLogs(benchmark::State &state) {
    QTemporaryDir folder;
    const QStringList log = fivePointLog();
    QStringList paths;
    for (int i = 0; i < 1000; ++i) {
        paths << folder.filePath(QStringLiteral("log/200803020905_player%1.log").arg(i));
        LogFiles::writeLines(paths.last(), log);
    }
    QuietHost host(folder.path());
    QStringList matchLog;
    bool flag = false;
    QString name;
    MatchRecords records({matchLog, flag, flag, flag, flag, flag, flag, name}, host);
    std::size_t i = 0;
    for (auto _ : state) {
        if (records.ConvertLog2Mat(paths.at(int(i++ % 1000))) != MatchRecords::Conversion::Saved)
            state.SkipWithError("a log was not converted");
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("per log of " + std::to_string(log.size()) + " lines");
}
BENCHMARK(BM_ConvertLogs)->Iterations(1000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_ConvertHugeLog(benchmark::State &state) {
    const QStringList lines = longLog(state.range(0));
    for (auto _ : state) {
        const MatConverter::Result mat = MatConverter::convert(lines, [](int) {});
        benchmark::DoNotOptimize(mat.text.size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ConvertHugeLog)
    ->RangeMultiplier(2)
    ->Range(12500, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_PlaybackIndex(benchmark::State &state) {
    const QStringList lines = longLog(10000);
    LogPlayback playback;
    for (auto _ : state) {
        playback.open(lines);
        benchmark::DoNotOptimize(playback.gameRows().size());
    }
}
BENCHMARK(BM_PlaybackIndex)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
