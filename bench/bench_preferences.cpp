// Opening the preferences window with the program folder's styles and luck-talk folders:
// the first opening builds the window and reads the folders, a later one only fills it.
#include "app/Preferences.h"
#include "app/PreferencesHost.h"
#include "app/Program.h"
#include "app/frmPreferences.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct StillHost : PreferencesHost {
    std::array<int, 8> boardData() const override { return {40, 30, 28, 12, 9, 0, 3, 15}; }
    QString styleFolder() const override { return Program::path(QStringLiteral("pics/Default")); }
    void rereadBoardData() override {}
    bool matchOnBoard() const override { return false; }
    bool boardDataFits(const std::array<int, 8> &) const override { return true; }
    void previewBoardData() override {}
    void boardDataKept() override {}
    void applyBoardStyle() override {}
    void applyListAndPaneStyles() override {}
    void showWinChances(bool) override {}
    void reloadGagList() override {}
};

Preferences shownPreferences() {
    Preferences prefs;
    prefs.prfBoardStyle = QStringLiteral("Default");
    prefs.prfHost = kDefaultHost;
    prefs.prfPort = kDefaultPort;
    prefs.prfAnimDelay = 160;
    prefs.prfScrollVal = 840;
    prefs.prfFontListAll = prefs.prfFontOutputServer = QStringLiteral("DejaVu Sans");
    return prefs;
}

void BM_PreferencesFirstOpening(benchmark::State &state) {
    Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));
    Preferences prefs = shownPreferences();
    StillHost host;
    for (auto _ : state) {
        auto window = std::make_unique<frmPreferences>(prefs, host);
        window->show();
        window->cmdCancel_Click();
    }
}
BENCHMARK(BM_PreferencesFirstOpening)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_PreferencesReopening(benchmark::State &state) {
    Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));
    Preferences prefs = shownPreferences();
    StillHost host;
    frmPreferences window(prefs, host);
    for (auto _ : state) {
        window.show();
        window.cmdCancel_Click();
    }
}
BENCHMARK(BM_PreferencesReopening)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
