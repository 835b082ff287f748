// A busy conversation: says arriving in a chat window that is already at its size limit,
// so that every one is wrapped, cuts the box back and scrolls it to its end.
#include "app/Preferences.h"
#include "lobby/frmChat.h"

#include <QTextEdit>
#include <benchmark/benchmark.h>

namespace {

struct QuietHost : ChatWindowHost {
    Preferences p;
    Preferences &prefs() override { return p; }
    bool socketConnected() const override { return false; }
    bool send(const QString &) override { return false; }
    void playKibitzSound() override {}
};

void BM_SaysIntoAFullChatWindow(benchmark::State &state) {
    QuietHost host;
    host.p.cWidth = 500;
    host.p.cHeight = 400;
    frmChat window(host);
    window.show();
    const QString say = QStringLiteral("bob:  well played, that was a close one; shall we play another five pointer?");
    while (window.txtReceive->toPlainText().size() < 20000)
        window.ShowChat(say);
    for (auto _ : state)
        window.ShowChat(say);
    state.SetItemsProcessed(int64_t(state.iterations()));
}
BENCHMARK(BM_SaysIntoAFullChatWindow)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
