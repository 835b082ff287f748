// The burst of player lines that follows a login: 3,000 who lines and their end line, in the
// texts a socket read makes of them, through the main window's `SplitFibString` into the
// player lists and their list boxes; and, alone, the word splitting and row building that
// each of those lines needs.
#include "LoadedWindow.h"
#include "app/SplitString.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int kPlayers = 3000;

// "5 name opponent watching ready away rating experience idle login hostname client email",
// with a server's mix of idle, ready, away and playing players on a few clients.
QStringList whoLines() {
    std::mt19937 random(20240611u);
    auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    static const char *const kClients[] = {"-", "-", "-", "KorvexX1.4.2", "JavaFIBS2001", "MacFIBS"};
    QStringList lines;
    for (int i = 0; i < kPlayers; ++i) {
        const QString name = QStringLiteral("player_%1").arg(i * 7919 % 100000);
        const bool playing = pick(5) == 0;
        const QString opponent = playing ? QStringLiteral("rival_%1").arg(pick(100000)) : QStringLiteral("-");
        lines << QStringLiteral("5 %1 %2 %3 %4 %5 %6.%7 %8 %9 %10 host%11.example.net %12 -")
                     .arg(name, opponent, pick(20) == 0 ? QStringLiteral("someone") : QStringLiteral("-"))
                     .arg(pick(3) == 0 ? 1 : 0)
                     .arg(pick(10) == 0 ? 1 : 0)
                     .arg(1200 + pick(800))
                     .arg(pick(100), 2, 10, QLatin1Char('0'))
                     .arg(pick(20000))
                     .arg(pick(4000))
                     .arg(1700000000 + pick(1000000))
                     .arg(pick(1000))
                     .arg(QLatin1String(kClients[pick(6)]));
    }
    return lines;
}

// The lines and the end line, cut into runs of whole lines of about one 4 KB read each.
QStringList socketTexts(const QStringList &lines) {
    QStringList texts;
    QString text;
    for (const QString &line : lines + QStringList{QStringLiteral("6")}) {
        text += line + QStringLiteral("\r\n");
        if (text.size() >= 4096) {
            texts << text;
            text.clear();
        }
    }
    if (!text.isEmpty())
        texts << text;
    return texts;
}

// The main window, loaded and shown against empty program and settings folders.
void BM_LoginBurstIntoThePlayerLists(benchmark::State &state) {
    LoadedWindow w;
    if (!w.loaded) {
        state.SkipWithError("the main window did not load");
        return;
    }
    const QStringList lines = whoLines();
    const QStringList texts = socketTexts(lines);
    // The very first who line also asks for a fresh list; that happens once per run.
    w.window->SplitFibString(lines.first() + QStringLiteral("\r\n"));
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.window->playerList->clear();
        state.ResumeTiming();
        for (const QString &text : texts)
            w.window->SplitFibString(text);
        rows = int(w.window->playerList->rows(PlayerList::Which::All).size());
    }
    if (rows != kPlayers)
        state.SkipWithError("not every player reached the list");
    state.SetItemsProcessed(int64_t(state.iterations()) * kPlayers);
}
BENCHMARK(BM_LoginBurstIntoThePlayerLists)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// What every who line costs before any list is touched: the dispatcher's words and the rows
// the line makes.
void BM_WhoLineWordsAndRows(benchmark::State &state) {
    const QStringList lines = whoLines();
    const QString delimiters = QStringLiteral(" :   ,");
    for (auto _ : state) {
        for (const QString &line : lines) {
            const QStringList words = SplitWords(line, delimiters);
            benchmark::DoNotOptimize(words);
            const PlayerList::Rows rows = PlayerList::rowsFor(line);
            benchmark::DoNotOptimize(rows);
        }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * lines.size());
}
BENCHMARK(BM_WhoLineWordsAndRows)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
