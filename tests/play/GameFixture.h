#pragma once
// The server's game on a board drawn without a window: the board-line reader, the board-line
// application and the move lines over a board of the Default style, with a host that records
// what the main window would have shown and sent.
#include "board/BoardFixture.h"
#include "board/CheckerAnimation.h"
#include "connection/BoardLine.h"
#include "play/BoardLineApplication.h"
#include "play/BoardLineReader.h"
#include "play/GameHost.h"
#include "play/MoveInput.h"
#include "play/MoveLines.h"
#include "play/PipCount.h"

#include "support/ScriptedServer.h"

#include <QMap>

struct FakeGameHost : GameHost {
    explicit FakeGameHost(const CheckerRecords &records) : records_(records) {}

    QString caption(GameLabel label) const override { return captions.value(label); }
    void setCaption(GameLabel label, const QString &text) override { captions[label] = text; }
    void setStatus(const QString &text) override { status = text; }
    void setPickUpCaption(const QString &caption) override { pickUp = caption; }
    void enablePickUp(bool enabled) override { pickUpEnabled = enabled; }
    void enableAcceptReject() override { acceptRejectEnabled = true; }
    void showNoDoublingPicture() override { ++noDoublingPictures; }
    void CheckCrawford(int didCrawford) override {
        ++crawfordChecks;
        lastDidCrawford = didCrawford;
    }
    void GetPips() override { pips = PipCount::of(records_); }
    const GnuBoard &gnuBoard() const override { return pips.gnuBoard; }
    bool socketConnected() const override { return connected; }
    void send(const QString &command) override { sent << command; }
    void sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
    void offlineUserRolled() override { offline << "user rolled"; }
    void offlineEngineRolled() override { offline << "engine rolled"; }
    void offlineEngineMoved() override { offline << "engine moved"; }

    QMap<GameLabel, QString> captions;
    QString status, pickUp;
    bool pickUpEnabled = false;
    bool acceptRejectEnabled = false;
    int noDoublingPictures = 0;
    int crawfordChecks = 0;
    int lastDidCrawford = -1;
    bool connected = true;
    QStringList sent, offline;
    std::vector<int> sleeps;
    PipCount pips;

private:
    const CheckerRecords &records_;
};

struct GameFixture : BoardFixture {
    GameFixture() : BoardFixture(QStringLiteral("Default")) {
        board.hooks.GetPips = [this] { host.GetPips(); };
        board.hooks.clearMoveRecords = [this] { input.clearMoveRecords(); };
    }

    // How many checkers of a side stand on a position.
    int black(int position) const { return records.blackCheckers.countOn(position); }
    int white(int position) const { return records.whiteCheckers.countOn(position); }

    FakeGameHost host{records};
    MoveInput input;
    GameContext context{host, prefs, match, flags, input, records, geometry, board, moves};
    BoardLineApplication boards{context};
    MoveLines lines{context};
    BoardLineReader reader{context, boards, lines};
};

// Every board line of the server fixtures, in file order.
inline QStringList fixtureBoardLines() {
    QStringList lines;
    for (const char *file : {"board/gibbon-test-clip-reader.txt", "edge_cases_concatenated/gibbon-test-clip-reader.txt"})
        for (const QString &line : ScriptedServer::fixtureLines(QLatin1String(file)))
            if (line.startsWith(QLatin1String("board:")))
                lines << line;
    return lines;
}

// The opening position with the user to roll, as the server sends it at a match's start.
inline const QString kOpeningLine = QStringLiteral(
    "board:You:someplayer:3:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:0:0:0:0:1:1:1:0:1:-1:0:25:"
    "0:0:0:0:2:0:0:0");

// A board line with some fields replaced: `fields` maps field numbers (1-based) to text.
inline QString withFields(const QString &line, const QMap<int, QString> &fields) {
    QStringList parts = line.split(':');
    for (auto it = fields.begin(); it != fields.end(); ++it)
        parts[it.key() - 1] = it.value();
    return parts.join(':');
}
