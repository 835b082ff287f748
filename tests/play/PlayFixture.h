#pragma once
// The user's play on a board drawn without a window: board lines read as the server sends
// them, clicks at the places the checkers are drawn, and hosts that record what the window
// would have shown and sent.
#include "play/BoardInput.h"
#include "play/GameFixture.h"
#include "play/MatchActions.h"
#include "play/MatchRules.h"
#include "play/PlayHost.h"

#include <functional>
#include <initializer_list>
#include <utility>

// The game host, with the Crawford check the window runs when the score changes.
struct PlayGameHost : FakeGameHost {
    using FakeGameHost::FakeGameHost;
    void CheckCrawford(int didCrawford) override { crawford(didCrawford); }
    std::function<void(int)> crawford;
};

struct FakePlayHost : PlayHost {
    explicit FakePlayHost(FakeGameHost &game) : game_(game) {}
    QString pickUpCaption() const override { return game_.pickUp; }
    bool pickUpEnabled() const override { return game_.pickUpEnabled; }
    void enableUndo(bool enabled) override { undoEnabled = enabled; }
    void enableAcceptButtons(bool enabled) override { acceptEnabled = enabled; }
    void enableAcceptMenus(bool) override {}
    void stopBlink() override {}
    void setCubeTogglePicture(bool askToDouble) override { cubeAsks = askToDouble; }
    void rollDiceLocally() override { ++localRolls; }

    bool undoEnabled = false, acceptEnabled = true, cubeAsks = true;
    int localRolls = 0;

private:
    FakeGameHost &game_;
};

using Checkers = std::initializer_list<std::pair<int, int>>;
inline const Checkers kBlack{{24, 2}, {13, 5}, {8, 3}, {6, 5}};  // the opening position
inline const Checkers kWhite{{1, 2}, {12, 5}, {17, 3}, {19, 5}};

// A board line of the user's own match, drawn plain, with the user's roll: checkers as
// (position, count) the way the records number them (26 the user's bar, 28 the opponent's);
// those not placed are borne off. A cube above 1 is the user's.
inline QString ownBoard(Checkers black, Checkers white, int die1, int die2, const QString &score = "0:0",
                        int cube = 1, int didCrawford = 0) {
    QMap<int, QString> f;
    for (int p = 0; p <= 25; ++p)
        f[BoardLine::Positions + p] = "0";
    int off1 = 15, off2 = 15;
    for (const auto &[position, count] : black) {
        f[BoardLine::Positions + (position == Position::blackBar ? 25 : position)] = QString::number(count);
        off1 -= count;
    }
    for (const auto &[position, count] : white) {
        f[BoardLine::Positions + (position == Position::whiteBar ? 0 : position)] = QString::number(-count);
        off2 -= count;
    }
    f[BoardLine::PlayerScore] = score.section(':', 0, 0);
    f[BoardLine::OpponentScore] = score.section(':', 1, 1);
    f[BoardLine::PlayerDie1] = QString::number(die1);
    f[BoardLine::PlayerDie2] = QString::number(die2);
    if (cube > 1) {
        f[BoardLine::Cube] = QString::number(cube);
        f[BoardLine::OpponentMayDouble] = "0";
    }
    f[BoardLine::PlayerOff] = QString::number(off1);
    f[BoardLine::OpponentOff] = QString::number(off2);
    f[BoardLine::DidCrawford] = QString::number(didCrawford);
    return withFields(kOpeningLine, f);
}

struct PlayFixture : BoardFixture, ::testing::Test {
    PlayFixture() : BoardFixture(QStringLiteral("Default")) {
        board.hooks.GetPips = [this] { host.GetPips(); };
        board.hooks.clearMoveRecords = [this] { input.clearMoveRecords(); };
        board.hooks.scoreCaption = [this] { return host.captions.value(GameLabel::Score1); };
        board.hooks.matchCaption = [this] { return host.captions.value(GameLabel::Match); };
        board.hooks.doublingNoLongerMatters = [this] { actions.doublingNoLongerMatters(); };
        host.crawford = [this](int didCrawford) {
            auto number = [this](GameLabel l) { return host.captions.value(l).toInt(); };
            rules.CheckCrawford(number(GameLabel::Score1), number(GameLabel::Score2), number(GameLabel::Match), match,
                                didCrawford);
            actions.doublingMayMatterAgain(number(GameLabel::Score1), number(GameLabel::Match));
        };
        flags.isConnected = true;  // a board line of the user's own match makes him the player
    }

    void show(const QString &line) { reader.ProcessBoardOutput(line); }
    // A click on the middle of the first black checker on `position`.
    void click(int position, int button = 1) {
        const CheckerRec &c = records.blackCheckers[std::max(records.blackCheckers.firstOn(position), 1)];
        const double half = pictures().ChipNearBlack.width() / 2.0;
        clicks.BoardShow_MouseDown(button, 0, c.x + half, c.y + half);
    }
    // On the user's dice, in the gap between the two halves' checkers.
    void clickDice() { clicks.BoardShow_MouseDown(1, 0, board.size().width() * 0.7 + 6, board.size().height() * 0.45 + 6); }
    int black(int position) const { return records.blackCheckers.countOn(position); }
    int white(int position) const { return records.whiteCheckers.countOn(position); }

    PlayGameHost host{records};
    FakePlayHost play{host};
    MoveInput input;
    MatchRules rules;
    QStringList matchLog;
    GameContext context{host, prefs, match, flags, input, records, geometry, board, moves};
    BoardLineApplication boards{context};
    MoveLines lines{context};
    BoardLineReader reader{context, boards, lines};
    PlayContext playContext{context, play, pictures(), matchLog, reader.isReverseBoard};
    MatchActions actions{playContext};
    BoardInput clicks{playContext, actions};
};
