#pragma once
// The user's play on a board drawn without a window: board lines read as the server sends
// them, clicks at the places the checkers are drawn, and a host that records what the
// window would have enabled, blinked and sent.
#include "GameFixture.h"
#include "board/BoardInput.h"
#include "board/MatchActions.h"
#include "board/MatchRules.h"
#include "board/PlayHost.h"

#include <functional>
#include <initializer_list>
#include <utility>

// The game host, with the Crawford check the window runs when the score changes.
struct PlayGameHost : FakeGameHost {
    using FakeGameHost::FakeGameHost;
    void CheckCrawford() override {
        FakeGameHost::CheckCrawford();
        if (crawford)
            crawford();
    }
    std::function<void()> crawford;
};

struct FakePlayHost : PlayHost {
    explicit FakePlayHost(FakeGameHost &game) : game_(game) {}

    QString pickUpCaption() const override { return game_.pickUp; }
    bool pickUpEnabled() const override { return game_.pickUpEnabled; }
    void enableUndo(bool enabled) override { undoEnabled = enabled; }
    void enableAcceptButtons(bool enabled) override { acceptButtons = enabled; }
    void enableAcceptMenus(bool enabled) override { acceptMenus = enabled; }
    void stopBlink() override { ++blinkStops; }
    void setCubeTogglePicture(bool askToDouble) override { cubeAsks = askToDouble; }
    void rollDiceLocally() override { offline << "roll"; }
    void OfflineGameOver(const QString &level) override { offline << "game over " + level; }
    void ShowStartBoard() override { offline << "start board"; }
    void mnuNew_Click() override { offline << "new match"; }
    bool engineAnswersDouble() override { offline << "engine answers"; return true; }
    void engineTurnAfterUserMove() override { offline << "engine turn"; }
    void userAcceptsEngineDouble() override { offline << "accept engine"; }
    bool userRejectsEngineDouble() override { offline << "reject engine"; return true; }

    bool undoEnabled = false;
    bool acceptButtons = true;
    bool acceptMenus = true;
    bool cubeAsks = true;
    int blinkStops = 0;
    QStringList offline;

private:
    FakeGameHost &game_;
};

struct PlayFixture : BoardFixture {
    PlayFixture() : BoardFixture(QStringLiteral("Default")) {
        board.hooks.GetPips = [this] { host.GetPips(); };
        board.hooks.clearMoveRecords = [this] { input.clearMoveRecords(); };
        board.hooks.scoreCaption = [this] { return host.captions.value(GameLabel::Score1); };
        board.hooks.matchCaption = [this] { return host.captions.value(GameLabel::Match); };
        board.hooks.doublingNoLongerMatters = [this] { actions.doublingNoLongerMatters(); };
        host.crawford = [this] {
            auto number = [this](GameLabel l) { return host.captions.value(l).toInt(); };
            rules.CheckCrawford(number(GameLabel::Score1), number(GameLabel::Score2), number(GameLabel::Match), match);
            actions.doublingMayMatterAgain(number(GameLabel::Score1), number(GameLabel::Match));
        };
        flags.isConnected = true;  // a board line of the user's own match makes him the player
        flags.isLogging = true;
    }

    // Reads a server line as the dispatcher hands it on.
    void show(const QString &line) { reader.ProcessBoardOutput(line); }

    // Where a click falls on the first black checker on `position`: its middle, kept in the
    // band of its half of the board that the hit test takes.
    QPointF placeOf(int position) const {
        const int i = records.blackCheckers.firstOn(position);
        EXPECT_NE(i, 0) << "no black checker on " << position;
        const CheckerRec &c = records.blackCheckers[std::max(i, 1)];
        const double half = pictures().ChipNearBlack.width() / 2.0;
        return {c.x + half, c.y + half};
    }
    void click(int position, int button = 1) {
        const QPointF at = placeOf(position);
        clicks.BoardShow_MouseDown(button, 0, at.x(), at.y());
    }
    // On the user's dice, in the gap between the two halves' checkers.
    void clickDice() {
        clicks.BoardShow_MouseDown(1, 0, board.size().width() * 0.7 + 6, board.size().height() * 0.45 + 6);
    }
    // The last command that went out.
    QString lastSent() const { return host.sent.isEmpty() ? QString() : host.sent.last(); }
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

// A board line of the user's own match, drawn plain, with the user's roll: checkers as
// (position, count) the way the records number them (26 the user's bar, 28 the opponent's);
// those not placed are borne off. A cube above 1 is the user's.
inline QString ownBoard(std::initializer_list<std::pair<int, int>> black,
                        std::initializer_list<std::pair<int, int>> white, int die1, int die2,
                        const QString &score = QStringLiteral("0:0"), int cube = 1) {
    QMap<int, QString> fields;
    for (int f = BoardLine::Positions; f < BoardLine::Positions + 26; ++f)
        fields[f] = QStringLiteral("0");
    int blackOn = 0, whiteOn = 0;
    for (const auto &[position, count] : black) {
        fields[BoardLine::Positions + (position == Position::blackBar ? 25 : position)] = QString::number(count);
        blackOn += count;
    }
    for (const auto &[position, count] : white) {
        fields[BoardLine::Positions + (position == Position::whiteBar ? 0 : position)] = QString::number(-count);
        whiteOn += count;
    }
    fields[BoardLine::PlayerScore] = score.section(':', 0, 0);
    fields[BoardLine::OpponentScore] = score.section(':', 1, 1);
    fields[BoardLine::PlayerDie1] = QString::number(die1);
    fields[BoardLine::PlayerDie2] = QString::number(die2);
    if (cube > 1) {  // the user owns it
        fields[BoardLine::Cube] = QString::number(cube);
        fields[BoardLine::OpponentMayDouble] = QStringLiteral("0");
    }
    fields[BoardLine::PlayerOff] = QString::number(15 - blackOn);
    fields[BoardLine::OpponentOff] = QString::number(15 - whiteOn);
    return withFields(kOpeningLine, fields);
}
