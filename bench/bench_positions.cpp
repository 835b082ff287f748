// Speed of the saved-games page and of JF .pos files: a large page fetched from a loopback
// site, its lines written and read into the list as Play Online does; a position written and
// read back.
#include "records/JfPos.h"
#include "records/SavedGamesList.h"

#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class QuietSavedGamesHost : public SavedGamesHost {
public:
    explicit QuietSavedGamesHost(const QString &folder) : folder_(folder) {}
    QString programFolder() const override { return folder_; }
    bool ask(const QString &, const QString &) override { return true; }
    void message(const QString &) override {}
    void setStatus(const QString &) override {}
    void showProgressWindow(const QString &) override {}
    void showProgress(int) override {}
    void hideProgressWindow() override {}
    void setBusy(bool) override {}

private:
    QString folder_;
};

// A page of `players` players, each with a few saved matches.
QByteArray bigPage(int players) {
    QByteArray page = "<html><body><pre>\n";
    for (int i = 0; i < players; ++i)
        page += "<b>player" + QByteArray::number(i) + "</b> opponent_a opponent_b opponent_c 2008-03-02\n";
    return page + "</pre></body></html>\n";
}

// Every Play Online of a fresh run with prfLoadSaved and an old copy: the page comes from a
// loopback site, replaces the copy, and its 20,000 lines are read into the list.
void BM_SavedGamesPageFetchedAndRead(benchmark::State &state) {
    const QByteArray page = bigPage(20000);
    QTcpServer site;
    site.listen(QHostAddress::LocalHost);
    QObject::connect(&site, &QTcpServer::newConnection, [&] {
        while (QTcpSocket *client = site.nextPendingConnection()) {
            QObject::connect(client, &QTcpSocket::readyRead, client, [client, &page] {
                if (!client->readAll().contains("\r\n\r\n"))
                    return;
                client->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(page.size()) +
                              "\r\nConnection: close\r\n\r\n" + page);
                client->disconnectFromHost();
            });
        }
    });
    QTemporaryDir folder;
    QuietSavedGamesHost host(folder.path());
    for (auto _ : state) {
        QFile::remove(folder.filePath(QStringLiteral("list.html")));
        std::vector<SavedGame> games;
        SavedGamesList list(games, host);
        list.pageUrl = QStringLiteral("http://127.0.0.1:%1/savedgames/list.html").arg(site.serverPort());
        bool done = false;
        list.LoadSavedGamesList(true, [&done] { done = true; });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (games.size() != 20000)
            state.SkipWithError("the page was not read whole");
    }
}
BENCHMARK(BM_SavedGamesPageFetchedAndRead)->Unit(benchmark::kMillisecond);

// The standard opening position, both ways through the file's bytes.
void BM_JfPosWrittenAndRead(benchmark::State &state) {
    JfPosition position;
    position.board[0] = {0, 0, 0, 0, 0, 0, 5, 0, 3, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0};
    position.board[1] = position.board[0];
    position.matchLength = 7;
    for (auto _ : state) {
        const std::optional<QByteArray> bytes = JfPos::write(position);
        if (!bytes) {
            state.SkipWithError("the position was refused");
            break;
        }
        const std::optional<JfPosition> back = JfPos::read(*bytes);
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_JfPosWrittenAndRead);

}  // namespace
