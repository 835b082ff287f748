// Re-sorting the player list of a busy server: 3,000 players in the main window's list
// boxes, sorted by name and by rating in turn as the sort button does, and shown.
#include "LoadedWindow.h"
#include "app/Utilities.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kPlayers = 3000;

struct FullLists : LoadedWindow {
    FullLists() {
        window->List1->show();
        std::mt19937 random(20240612u);
        PlayerList &players = *window->playerList;
        players.UpdatePlayerList(QStringLiteral("nobody"), QStringLiteral("none"), QString());
        for (int i = 0; i < kPlayers; ++i) {
            // Names of mixed case, so that the name order has to fold them.
            const QString name = QStringLiteral("%1layer_%2").arg(QChar(random() % 2 ? u'P' : u'p')).arg(i * 7919 % 100000);
            players.UpdatePlayerList(name, QStringLiteral("ready"),
                                     QStringLiteral("5 %1 - - %2 0 %3.%4 %5 1 1306926526 h.example.net - -")
                                         .arg(name)
                                         .arg(random() % 3 == 0 ? 1 : 0)
                                         .arg(1200 + int(random() % 800))
                                         .arg(int(random() % 100))
                                         .arg(int(random() % 5000)));
        }
        window->cmdSort->setEnabled(true);
    }
};

void BM_ResortThePlayerList(benchmark::State &state) {
    FullLists lists;
    if (!lists.loaded || lists.window->List1->count() != kPlayers) {
        state.SkipWithError("the player list was not filled");
        return;
    }
    for (auto _ : state) {
        lists.window->cmdSort->click();
        // The list box lays out and paints the rows it shows.
        lists.window->List1->repaint();
        QCoreApplication::processEvents();
    }
    if (lists.window->List1->count() != kPlayers)
        state.SkipWithError("rows were lost in the sort");
    state.SetItemsProcessed(int64_t(state.iterations()) * kPlayers);
}
BENCHMARK(BM_ResortThePlayerList)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
