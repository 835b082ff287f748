// A match against the engine on the main window, without a server: the Game menu and the
// invitation window start it, the opening roll decides who moves, the user moves by mouse,
// GnuBG rolls and moves, the cube goes both ways, games are scored by cube and kind of win,
// matches end with their line, statistics and log, and self-play runs a match to its end
// unless Esc stops it. The engine here plays by the rules and says what each test wants;
// one match at the end is played by GNU Backgammon itself.
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "app/frmExit.h"
#include "app/frmPreferences.h"
#include "board/BoardShow.h"
#include "engine/GnubgBoardReader.h"
#include "engine/GnubgInstalled.h"
#include "engine/RuleEngine.h"
#include "lobby/frmInvite.h"
#include "mainform/Mainform.h"
#include "records/LogFiles.h"
#include "support/ModalDeadline.h"
#include "support/QuickWindow.h"
#include "support/TestEnvironment.h"
#include "support/UserInput.h"
#include "support/WindowManagerSession.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

namespace {

class OfflineGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = loadQuickWindow(env);
        ASSERT_TRUE(window);
        window->offline.rollDie = [this] {
            if (dice.isEmpty())
                return std::uniform_int_distribution<int>(1, 6)(spare);
            return dice.takeFirst();
        };
    }
    void TearDown() override { setWaitFactor(1); }

    // The engine that plays by the rules takes the engine's place.
    void useRuleEngine() {
        auto rules = std::make_unique<RuleEngine>(window->pips.gnuBoard);
        engine = rules.get();
        window->gnuObject = std::make_unique<GnuVB>(window->pips.gnuBoard, window->match, window->flags,
                                                    window->prefs, std::move(rules));
        window->flags.isBot = false;  // as before the first offline game
    }

    // Game, "Play offline against the computer", a length, Invite; `during` runs once
    // self-play is under way.
    void startMatch(int length, bool selfPlay = false, std::function<void()> during = {}) {
        whenInviteOpens([this, length, selfPlay, during](frmInvite *invite) {
            invite->Combo1->setEditText(QString::number(length));
            invite->chkSelfPlay->setChecked(selfPlay);
            if (during)
                whenSelfPlaying(during);
            QTest::mouseClick(invite->cmdInvite, Qt::LeftButton);
        });
        window->mnuNew->trigger();
    }
    // Runs `act` once, at the first tick of a poll every `intervalMs` where `ready` holds; the
    // poll goes with the window.
    void once(const std::function<bool()> &ready, const std::function<void()> &act, int intervalMs = 0) {
        auto *poll = new QTimer(window.get());
        poll->setInterval(intervalMs);
        QObject::connect(poll, &QTimer::timeout, [poll, ready, act] {
            if (!ready())
                return;
            poll->stop();
            poll->deleteLater();
            act();
        });
        poll->start();
    }
    // Runs `act` at the first chance once self-play has begun its match.
    void whenSelfPlaying(const std::function<void()> &act) {
        once([this] { return window->flags.selfPlay && window->flags.isPlaying; }, act);
    }
    // The invitation window is modal: what the user does in it is done from a timer, and
    // a window his clicks leave open fails the test instead of holding it.
    void whenInviteOpens(const std::function<void(frmInvite *)> &act) {
        const auto shown = [] {
            frmInvite *invite = frmInvite::openWindows().value(0);
            return invite && invite->isVisible() ? invite : nullptr;
        };
        once([shown] { return shown() != nullptr; },
             [shown, act] {
                 frmInvite *invite = shown();
                 closeAtDeadline(invite, QStringLiteral("The invitation window"));
                 act(invite);
             },
             5);
    }
    // Runs `act` once if `ready` holds at some moment while `turn` runs (GnuBG's turn lets
    // events through); true when it did.
    bool actDuring(const std::function<void()> &turn, const std::function<bool()> &ready,
                   const std::function<void()> &act) {
        bool running = false, acted = false;
        QTimer user;
        user.setInterval(0);
        QObject::connect(&user, &QTimer::timeout, [&] {
            if (running && !acted && ready()) {
                acted = true;
                act();
            }
        });
        user.start();
        running = true;
        turn();
        running = false;
        return acted;
    }
    // A later game of the match at this score, after the Crawford game.
    void laterGame(int score1, int score2) {
        window->match.theMatchscore1 = score1;
        window->match.theMatchscore2 = score2;
        window->matchRules.postCrawford = true;
        window->ShowStartBoard();
    }

    void clickAt(QPoint at, Qt::MouseButton button = Qt::LeftButton) { clickBoard(*window, at, button); }
    void clickChecker(int position, Qt::MouseButton button = Qt::LeftButton) {
        clickAt(checkerSpot(*window, position), button);
    }
    void clickDice() { clickAt(diceSpot(*window)); }
    // The user's opening 5 and 2 played 13/8 13/11, and the dice picked up.
    void playTheOpening() {
        clickChecker(13);
        clickChecker(13);
        clickDice();
    }
    // Checkers placed by hand, (position, count) as the records number them.
    void place(std::initializer_list<std::pair<int, int>> black, std::initializer_list<std::pair<int, int>> white) {
        for (auto [set, spots] : {std::pair{&window->checkers.blackCheckers, black},
                                  std::pair{&window->checkers.whiteCheckers, white}}) {
            int i = 1;
            for (const auto &[position, count] : spots)
                for (int k = 0; k < count; ++k)
                    (*set)[i++].point = position;
            while (i <= 15)
                (*set)[i++].point = set == &window->checkers.blackCheckers ? Position::blackTray : Position::whiteTray;
        }
        window->GetPips();
    }

    // The match's record: the match log while the match runs, the log file it was saved to
    // once it has ended.
    QStringList log() const {
        if (!window->lists.matchLog.isEmpty())
            return window->lists.matchLog;
        const QFileInfoList saved =
            QDir(env.programFolder() + "/log").entryInfoList({"2*.log"}, QDir::Files, QDir::Time);
        QStringList lines;
        if (!saved.isEmpty())
            LogFiles::readLines(saved.first().filePath(), lines);
        return lines;
    }
    QStringList boardLines() const { return log().filter(QRegularExpression("^board:")); }
    // The user's last checker on his ace point against GnuBG's checkers far away, 2 and 1
    // rolled for him, and the click that bears it off.
    void bearOffTheLastChecker() {
        place({{1, 1}}, {{19, 5}, {20, 5}, {24, 4}});
        window->match.die1 = window->match.die2 = 0;
        window->match.ismyTurn = true;
        dice = {2, 1};
        window->DoRoll();
        clickChecker(1);
    }
    // Preferences, Board, the other style, Save.
    void switchBoardStyle() {
        window->findChild<QAction *>("mnuPreference")->trigger();
        const QString other = window->prefs.prfBoardStyle == "Default" ? "original small" : "Default";
        window->preferencesWindow->findChild<QComboBox *>("comboBoards")->setCurrentText(other);
        window->preferencesWindow->findChild<QPushButton *>("cmdOK")->click();
        ASSERT_EQ(window->prefs.prfBoardStyle, other);
    }
    // The shown board (or `shown`) has something drawn at `at` that the empty board does not.
    bool drawnAt(QPoint at, const QImage &shown) const {
        return shown.pixel(at) != window->board.BoardEmpty().pixel(at);
    }
    bool drawnAt(QPoint at) const { return drawnAt(at, window->boardShow->picture()); }
    // The middle of a die of the user's (black) or of GnuBG's.
    QPoint dieAt(bool black) const {
        const QImage &dice = window->boardStyle.pictures().picBlackDice;
        const QSize size = window->board.size();
        return {SettingsText::roundEven(size.width() * (black ? 0.7 : 0.25)) + dice.width() / 12,
                SettingsText::roundEven(size.height() * 0.47) + dice.height() / 4};
    }
    // How many of the fifteen places of a side's own tray show that side's flat checker.
    int flatsInOwnTray(const QImage &shown, Side side) const {
        const QImage &flats = window->boardStyle.pictures().picFlatB;
        const SpriteRect sprite = window->board.flatSprite(side);
        const int row = sprite.top + sprite.height() / 2;
        const int tray = side == Side::Black ? Position::blackTray : Position::whiteTray;
        int count = 0;
        for (int place = 1; place <= CheckerSet::size; ++place) {
            const QPoint at = window->boardGeometry.pointSlots(tray, place);
            bool shows = true;
            for (int x = 0; x < sprite.width(); ++x) {
                const QRgb pixel = flats.pixel(sprite.left + x, row);
                if (pixel & 0xffffff)  // black is the sprite's see-through colour
                    shows = shows && shown.pixel(at + QPoint(x, row - sprite.top)) == pixel;
            }
            count += shows;
        }
        return count;
    }
    QPoint checkerAt(const CheckerRec &c) const {
        const QImage &sprites = window->boardStyle.pictures().ChipNearBlack;
        return {c.x + sprites.width() / 2, c.y + sprites.height() / 4};
    }
    QString terminal() const { return window->txtTerminal->toPlainText(); }
    int black(int p) const { return window->checkers.blackCheckers.countOn(p); }
    // The play above stands on its own; only this cross-check needs GNU Backgammon.
    void expectGnubgReads(const QStringList &lines) {
        SKIP_WITHOUT_GNUBG();
        GnubgBoardReader gnubg;
        ASSERT_TRUE(gnubg.ready());
        for (const QString &line : lines)
            EXPECT_TRUE(gnubg.accepts(line)) << line.toStdString() << " -> " << gnubg.read(line).toStdString();
    }
    const StatsRecord *gnubgStats() const {
        for (const StatsRecord &r : window->playerStats.records)
            if (r.name.trimmed() == "GnuBG")
                return &r;
        return nullptr;
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
    RuleEngine *engine = nullptr;
    QList<int> dice;  // the dice the game throws next
    std::mt19937 spare{7};
};

TEST_F(OfflineGameTest, TheGameMenuStartsAMatchAndGnuBGTakesItsTurnAfterTheUsers) {
    window->flags.isConnected = true;
    window->mnuNew->trigger();
    EXPECT_EQ(env.messages(), QStringList{"You must disconnect from FIBS to play offline"});
    EXPECT_FALSE(window->gnuObject);
    window->flags.isConnected = false;

    useRuleEngine();
    engine->chances = {5523, 0, 0};
    window->prefs.prfChance = true;
    dice = {4, 4, 3, 5};  // a tie is thrown again; then GnuBG 3, the user 5
    startMatch(3);

    const QString start = "board:You:GnuBG:3:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:3:5:0:0:"
                          "1:1:1:0:1:-1:0:25:0:0:0:0:2:1:0:0";
    EXPECT_EQ(log(), (QStringList{"** Player GnuBG has joined you for a 3 point match.", "Starting a new game with GnuBG.",
                                   "You rolled 5 , GnuBG rolled 3", "It's your turn to move.", start}));
    EXPECT_TRUE(terminal().contains("Starting a new game with GnuBG."));
    EXPECT_EQ(window->lblPlayer2->text(), "GnuBG");
    EXPECT_EQ(window->lblMatch->text(), "3");
    EXPECT_TRUE(window->match.ismyTurn);
    EXPECT_EQ(window->match.die1, 5);
    EXPECT_EQ(window->match.legalMoveCtr, 2);
    EXPECT_EQ(window->lblStatus->text(), "You rolled 5 and 3");
    EXPECT_TRUE(window->lblwinsB->isVisible());
    EXPECT_EQ(window->lblwinsB->text(), "50.00%");

    // 8/3 6/3, the dice picked up: GnuBG weighs the cube, rolls 6 and 4 and moves.
    dice = {6, 4, 2, 1};
    clickChecker(8);
    clickChecker(6);
    clickDice();
    EXPECT_EQ(engine->asked, (QStringList{"evaluate 0", "cube 1", "move 1", "evaluate 0", "cube 0"}));
    EXPECT_EQ(window->lblwinsB->text(), "55.23%");
    EXPECT_EQ(window->lblwinsW->text(), "44.77%");
    const QStringList afterMove = log().mid(5);
    ASSERT_GE(afterMove.size(), 4);
    EXPECT_EQ(afterMove[0], "You move 8-3 6-3 ");
    EXPECT_EQ(afterMove[1], "GnuBG rolls 6 and 4.");
    EXPECT_EQ(afterMove[2], "board:You:GnuBG:3:0:0:0:-2:0:2:0:0:4:0:2:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:0:0:6:4:"
                            "1:1:1:0:1:-1:0:25:0:0:0:0:2:1:0:0");
    EXPECT_TRUE(afterMove[3].startsWith("GnuBG moves "));
    EXPECT_EQ(window->pips.whitePips, 167 - 10);
    EXPECT_TRUE(window->match.ismyTurn);
    EXPECT_EQ(window->match.die1, 0);
    EXPECT_EQ(window->lblStatus->text(), "It's your turn to roll or double");

    // The user rolls from the Game menu.
    window->findChild<QAction *>("mnuRoll")->trigger();
    EXPECT_EQ(log().filter("You roll ").value(0), "You roll 2 and 1.");
    EXPECT_TRUE(boardLines().last().contains(":1:2:1:0:0:1:1:1:0:1:-1:0:25:"));
    EXPECT_EQ(window->match.die1, 2);
    // Refresh has no server to ask: it says so and leaves the roll standing.
    env.clearMessages();
    window->cmdRefresh_Click();
    EXPECT_EQ(env.messages(), QStringList{"Connection to Fibs is not open"});
    EXPECT_EQ(window->match.die1, 2);
    expectGnubgReads(boardLines());

    // Another offline match uses the engine that is running.
    const GnuVB *running = window->gnuObject.get();
    whenInviteOpens([](frmInvite *invite) { invite->hide(); });
    window->mnuNew->trigger();
    EXPECT_EQ(window->gnuObject.get(), running);
    EXPECT_NE(window->lblStatus->text(), "Done");
}

TEST_F(OfflineGameTest, TheCubeGoesBothWaysAndIsRefusedWhenNotTheUsersToTurn) {
    useRuleEngine();
    dice = {5, 2};  // GnuBG opens
    startMatch(5);
    ASSERT_TRUE(window->match.ismyTurn);
    ASSERT_EQ(window->cmdPickUp->text(), "Double");

    // The user doubles before rolling; GnuBG takes and the user's dice are thrown at once.
    engine->verdict[0] = {1, 1};
    dice = {3, 1};
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_TRUE(env.messages().contains("Do you want to double?"));
    EXPECT_EQ(window->match.theCubeVal, 2);
    EXPECT_FALSE(window->match.blackOwnsCube);
    EXPECT_FALSE(window->match.AskToDouble);
    EXPECT_TRUE(log().contains("GnuBG accepts the double. The cube shows 2."));
    EXPECT_TRUE(boardLines().last().contains(":1:3:1:0:0:2:0:1:0:1:-1:0:25:"));

    // After the user's 8/5 6/5 GnuBG redoubles; the user takes and GnuBG rolls on.
    engine->verdict = {};
    engine->verdict[1] = {1, 1};
    dice = {6, 5};
    clickChecker(8);
    clickChecker(6);
    clickDice();
    EXPECT_TRUE(window->match.isDoubled);
    EXPECT_EQ(window->match.theCubeVal, 4);
    EXPECT_TRUE(window->cmdAccept->isEnabled());
    EXPECT_TRUE(log().contains("GnuBG doubles. Type 'accept' or 'reject'."));
    engine->verdict = {};
    QTest::mouseClick(window->cmdAccept, Qt::LeftButton);
    EXPECT_TRUE(log().contains("You accept the double. The cube shows 4."));
    EXPECT_TRUE(window->match.blackOwnsCube);
    EXPECT_FALSE(window->match.isDoubled);
    EXPECT_FALSE(window->cmdAccept->isEnabled());
    EXPECT_TRUE(boardLines().last().contains(":1:0:0:6:5:4:1:1:0:1:-1:0:25:"));
    EXPECT_TRUE(window->match.ismyTurn);

    // The user's cube, switched off in the preferences: said so, nothing asked.
    env.clearMessages();
    window->prefs.prfDisableCube = true;
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_EQ(env.messages(), QStringList{"Cube has been disabled in preferences."});
    window->prefs.prfDisableCube = false;
    // GnuBG's cube is not the user's to turn.
    env.clearMessages();
    window->match.blackOwnsCube = false;
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_TRUE(env.messages().isEmpty());
    EXPECT_EQ(window->match.theCubeVal, 4);

    expectGnubgReads(boardLines());
}

TEST_F(OfflineGameTest, AClickOnGnuBGsCubeTakesItAndAFinishedMatchHasNoCube) {
    useRuleEngine();
    dice = {2, 5};  // the user opens: 13/8 13/11, and GnuBG doubles
    startMatch(3);
    engine->verdict[1] = {1, 1};
    dice = {6, 4};
    playTheOpening();
    ASSERT_TRUE(window->match.isDoubled);
    EXPECT_EQ(window->lblStatus->text(), "GnuBG doubles. Click the cube to accept");
    engine->verdict = {};
    clickAt(window->board.cubeSpots()[1] + QPoint(4, 4));
    EXPECT_TRUE(log().contains("You accept the double. The cube shows 2."));
    EXPECT_FALSE(window->match.isDoubled);
    EXPECT_TRUE(window->match.blackOwnsCube);
    EXPECT_EQ(log().filter("GnuBG moves ").size(), 1);

    // The user gives up a backgammon on the cube of 2: GnuBG wins the match.
    window->findChild<QAction *>("mnuResign")->trigger();
    ASSERT_TRUE(window->match.isMatchOver);
    ASSERT_EQ(window->cmdPickUp->text(), "Double");
    env.clearMessages();
    engine->asked.clear();
    window->match.ismyTurn = true;  // however the turn was left, the match is over
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    clickAt(window->board.cubeSpots()[3] + QPoint(4, 4));
    EXPECT_TRUE(engine->asked.isEmpty()) << engine->asked.join(", ").toStdString();
    EXPECT_EQ(window->match.theCubeVal, 2);
    EXPECT_TRUE(env.messages().isEmpty()) << env.messages().join("|").toStdString();
}

TEST_F(OfflineGameTest, AMatchLongerThanGnuBGPlaysIsRefusedWhereTheLengthIsChosen) {
    useRuleEngine();
    bool stillOpen = false;
    whenInviteOpens([&](frmInvite *invite) {
        invite->Combo1->setEditText("65");
        QTest::mouseClick(invite->cmdInvite, Qt::LeftButton);
        stillOpen = invite->isVisible();
        invite->Combo1->setEditText("64");
        QTest::mouseClick(invite->cmdInvite, Qt::LeftButton);
    });
    window->mnuNew->trigger();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(env.messages(), QStringList{"GnuBG plays matches of up to 64 points. Please choose a shorter match."});
    EXPECT_EQ(window->match.theMatchLength, 64);
    EXPECT_EQ(window->lblMatch->text(), "64");
    EXPECT_TRUE(window->flags.isPlaying);
}

TEST_F(OfflineGameTest, APassAtMatchPointEndsTheMatchWithItsLineStatisticsAndLog) {
    useRuleEngine();
    // GnuBG passes the user's double at 2-2.
    dice = {5, 2};
    startMatch(3);
    dice = {5, 2};
    laterGame(2, 2);
    ASSERT_EQ(window->match.isCrawford, 0);
    // At 2-2 the user's dice are thrown for him after GnuBG's move, since his double could
    // win him nothing the game does not; were he to double all the same, GnuBG's pass would
    // end the match.
    window->match.die1 = window->match.die2 = 0;
    window->cmdPickUp->setText("Double");
    engine->verdict[0] = {1, 0};
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_TRUE(window->match.isMatchOver);
    EXPECT_FALSE(window->flags.isPlaying);
    EXPECT_EQ(window->lblScore1->text(), "3");
    EXPECT_TRUE(log().contains("GnuBG gives up. You win 1 point."));
    EXPECT_EQ(log().last(), "You win the 3 point match 3-2");
    EXPECT_FALSE(env.messages().contains("You win 1 point"));
    EXPECT_EQ(log().filter("Starting a new game").size(), 2);
    ASSERT_TRUE(gnubgStats());
    EXPECT_EQ(gnubgStats()->played, 3);
    EXPECT_EQ(gnubgStats()->won, 3);

    // The user gives up GnuBG's double at 2-2.
    env.clearMessages();
    engine->verdict = {};
    dice = {5, 2};
    startMatch(3);
    dice = {2, 5};  // the user opens: 13/8 13/11
    laterGame(2, 2);
    engine->verdict[1] = {1, 0};
    playTheOpening();
    ASSERT_TRUE(window->match.isDoubled);
    QTest::mouseClick(window->cmdReject, Qt::LeftButton);
    EXPECT_TRUE(env.messages().contains("GnuBG  wins the match"));
    EXPECT_TRUE(log().contains("You give up. GnuBG wins 1 point"));
    EXPECT_EQ(log().last(), "GnuBG wins the 3 point match 3-2");
    EXPECT_TRUE(window->match.isMatchOver);
    EXPECT_FALSE(window->flags.isPlaying);
    EXPECT_EQ(gnubgStats()->played, 6);
    EXPECT_EQ(gnubgStats()->won, 3);
    // Rejecting again after the match changes nothing, and nor does a click on the cube.
    QTest::mouseClick(window->cmdReject, Qt::LeftButton);
    EXPECT_EQ(window->match.theMatchscore2, 3);
    clickAt(window->board.cubeSpots()[1] + QPoint(4, 4));
    EXPECT_FALSE(log().contains("You accept the double. The cube shows 2."));
}

TEST_F(OfflineGameTest, GamesAreScoredOnceByTheCubeAndTheKindOfWin) {
    useRuleEngine();
    dice = {2, 5};  // the user opens; GnuBG has not moved
    startMatch(15);

    // A gammon with the cube on 2: no GnuBG checker off, home or on its bar.
    window->match.theCubeVal = 2;
    for (int i = 1; i <= 15; ++i)
        if (window->checkers.whiteCheckers[i].point == 1)
            window->checkers.whiteCheckers[i].point = 12;
    window->WinnerBlack();
    window->OfflineGameOver("");
    EXPECT_EQ(window->match.theMatchscore1, 4);
    EXPECT_EQ(window->match.theCubeVal, 2);
    EXPECT_TRUE(window->match.gameOver);
    EXPECT_TRUE(terminal().contains("You win the game and get 4 points. Congratulations!"));
    EXPECT_TRUE(log().contains("score in 15 point match: You-4 GnuBG-0"));
    EXPECT_EQ(env.messages(), QStringList{"You win 4 points"});
    window->OfflineGameOver("");  // the dice click and the engine's turn look again
    EXPECT_EQ(window->match.theMatchscore1, 4);
    EXPECT_EQ(env.messages().size(), 1);

    // A backgammon: GnuBG still has checkers in the user's home board.
    dice = {2, 5};
    window->ShowStartBoard();
    window->match.theCubeVal = 2;
    window->WinnerBlack();
    window->OfflineGameOver("");
    EXPECT_EQ(window->match.theMatchscore1, 10);

    // The user resigns with checkers back in GnuBG's home: a backgammon to GnuBG, next game.
    dice = {2, 5, 5, 2, 2, 5};  // this game, the next (GnuBG opens), the one after
    window->ShowStartBoard();
    env.clearMessages();
    window->findChild<QAction *>("mnuResign")->trigger();
    EXPECT_EQ(env.messages().value(0), "Do you want to resign 'backgammon' ?");
    EXPECT_EQ(window->match.theMatchscore2, 3);
    EXPECT_TRUE(log().contains("GnuBG wins the game and gets 3 points. Sorry."));
    EXPECT_TRUE(env.messages().contains("GnuBG wins 3 points"));
    // In the next game GnuBG gives up after its opening move.
    EXPECT_FALSE(window->match.gameOver);
    engine->chances = {10000, 0, 0};
    dice = {5, 2, 2, 5};
    window->ShowStartBoard();
    EXPECT_TRUE(env.messages().contains("GnuBG resigns normal"));
    EXPECT_EQ(window->match.theMatchscore1, 11);
    EXPECT_TRUE(log().contains("You win the game and get 1 point. Congratulations!"));
    EXPECT_FALSE(window->match.gameOver);  // the game after has begun
}

TEST_F(OfflineGameTest, ADanceOnEitherSidePassesTheTurn) {
    useRuleEngine();
    dice = {2, 5};
    startMatch(7);

    // The user on the bar against a closed board.
    place({{Position::blackBar, 1}, {6, 14}}, {{19, 2}, {20, 2}, {21, 2}, {22, 2}, {23, 2}, {24, 2}, {12, 3}});
    window->match.die1 = window->match.die2 = 0;
    window->match.ismyTurn = true;
    dice = {3, 4, 6, 5};
    window->DoRoll();
    QStringList lines = log();
    const int dance = int(lines.indexOf("You can't move."));
    ASSERT_GE(dance, 0);
    EXPECT_EQ(lines.value(dance + 1), "GnuBG rolls 6 and 5.");
    EXPECT_TRUE(lines.value(dance + 3).startsWith("GnuBG moves "));
    EXPECT_TRUE(window->match.ismyTurn);

    // GnuBG on the bar against the user's closed board.
    place({{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {13, 3}}, {{Position::whiteBar, 1}, {19, 14}});
    window->match.ismyTurn = false;
    dice = {4, 3};
    window->actions.RollDiceOffline();
    EXPECT_EQ(log().last(), "GnuBG can't move.");
    EXPECT_TRUE(terminal().contains("GnuBG can't move")) << terminal().right(200).toStdString();
    EXPECT_EQ(window->lblStatus->text(), "It's your turn to roll or double");
    EXPECT_TRUE(window->match.ismyTurn);
    EXPECT_EQ(window->match.die1, 0);

    expectGnubgReads(boardLines());
}

TEST_F(OfflineGameTest, TheHintGivesTheCubeVerdictOrShowsTheMoveAndTakesItBack) {
    useRuleEngine();
    dice = {2, 5};
    startMatch(3);

    // After the roll: the engine's move is shown and taken back.
    window->cmdDouble->click();
    EXPECT_FALSE(window->match.bestMovePlayer.isEmpty());
    EXPECT_EQ(black(13), 5);
    EXPECT_EQ(black(24), 2);
    EXPECT_EQ(window->match.die1, 5);
    EXPECT_FALSE(window->checkerAnimation.animateUserMoves);

    // Before the roll: the cube verdict in the status line, blinking.
    dice = {6, 4};
    playTheOpening();
    ASSERT_TRUE(window->match.ismyTurn);
    ASSERT_EQ(window->match.die1, 0);
    QPushButton *hint = window->cmdDouble;
    EXPECT_EQ(hint->toolTip(), "Hint");
    hint->click();
    EXPECT_EQ(window->lblStatus->text(), "NO DOUBLE");
    EXPECT_TRUE(window->Timer1->isActive());
    engine->verdict[0] = {1, 1};
    hint->click();
    EXPECT_EQ(window->lblStatus->text(), "DOUBLE TAKE");
    window->prefs.prfDisableCube = true;
    hint->click();
    EXPECT_EQ(window->lblStatus->text(), "");
    window->match.isCrawford = 1;
    hint->click();
    EXPECT_EQ(window->lblStatus->text(), "Crawford Game");

    // A hint that would bear off the last checker leaves the game to the user.
    place({{1, 1}}, {{3, 5}, {19, 5}, {20, 5}});
    window->match.ismyTurn = true;
    dice = {2, 1};
    window->DoRoll();
    hint->click();
    EXPECT_EQ(black(1), 1);
    EXPECT_FALSE(window->match.gameOver);
    EXPECT_EQ(window->match.theMatchscore1, 0);
    clickChecker(1);
    clickDice();
    EXPECT_EQ(window->match.theMatchscore1, 3);  // GnuBG's checkers in the user's home: a backgammon
    EXPECT_EQ(log().last(), "You win the 3 point match 3-0");
}

TEST_F(OfflineGameTest, SelfPlayPlaysTheMatchToItsEndThroughTheCube) {
    useRuleEngine();
    // Every cube question says double and take: the cube climbs both ways.
    engine->verdict = {{{1, 1}, {1, 1}}};
    startMatch(3, true);
    EXPECT_TRUE(window->match.isMatchOver);
    EXPECT_TRUE(terminal().contains(QRegularExpression("(You win|GnuBG wins) the 3 point match \\d+-\\d+")));
    EXPECT_TRUE(terminal().contains("You accept the double."));

    // Every double is passed, so games end at the cube; the Crawford game is rolled out.
    engine->verdict = {{{1, 0}, {1, 0}}};
    startMatch(3, true);
    EXPECT_TRUE(window->match.isMatchOver);
    EXPECT_TRUE(terminal().contains(QRegularExpression("(You win|GnuBG wins) the 3 point match \\d+-\\d+")));
    EXPECT_TRUE(terminal().contains("You give up. GnuBG wins 1 point") ||
                window->match.theMatchscore1 == 3);
}

TEST_F(OfflineGameTest, EscStopsSelfPlayAfterTheTurnAndTheUserPlaysOn) {
    useRuleEngine();
    // Esc is pressed while the first turn is on: answered No, then Yes. The key reaches the
    // window even though GnuBG's turn keeps every other key out.
    startMatch(3, true, [this] {
        env.queueAnswer(Dialogs::Answer::No);
        window->Form_KeyPress(27);
        EXPECT_TRUE(window->flags.selfPlay);
        env.queueAnswer(Dialogs::Answer::Yes);
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), Qt::Key_Escape);
    });
    EXPECT_EQ(env.messages().filter("Quit auto play?").size(), 2);
    EXPECT_FALSE(window->flags.selfPlay);
    EXPECT_FALSE(window->match.isMatchOver);
    EXPECT_TRUE(window->match.ismyTurn || window->match.isDoubled);
    // Without self-play Esc asks nothing.
    window->Form_KeyPress(27);
    EXPECT_EQ(env.messages().filter("Quit auto play?").size(), 2);
}

TEST_F(OfflineGameTest, AClickWhileGnuBGPlaysItsTurnIsNotTakenAndTheUsersThrowStands) {
    useRuleEngine();
    dice = {2, 5};  // the user opens
    startMatch(3);
    // His last checker goes off: at 2-0 the next game is the Crawford game, where his dice
    // are thrown for him as soon as GnuBG has moved.
    window->match.theMatchscore1 = 1;
    bearOffTheLastChecker();

    // Pick Up is clicked once the user's throw is on the board, while the turn still runs.
    dice = {5, 2, 2, 1};  // GnuBG opens the next game; then the user's throw
    const bool clicked = actDuring([this] { clickDice(); },
                                   [this] {
                                       const MatchState &m = window->match;
                                       return m.isCrawford == 1 && m.ismyTurn && m.die1 != 0;
                                   },
                                   [this] { QTest::mouseClick(window->cmdPickUp, Qt::LeftButton); });
    QCoreApplication::processEvents();

    ASSERT_TRUE(clicked);
    EXPECT_EQ(window->match.theMatchscore1, 2);
    // The winning move is in the record, before the game's result.
    const QStringList record = log();
    const qsizetype winningMove = record.indexOf(QRegularExpression("You move 1-off.*"));
    ASSERT_GE(winningMove, 0);
    EXPECT_LT(winningMove, record.indexOf(QRegularExpression("You win the game.*")));
    EXPECT_TRUE(window->match.ismyTurn);
    EXPECT_EQ(window->match.die1, 2);
    EXPECT_EQ(window->match.die2, 1);
    EXPECT_EQ(window->cmdPickUp->text(), "Pick Up");
    EXPECT_EQ(log().last(), boardLines().last());
    EXPECT_TRUE(log().last().contains(":2:1:0:0:")) << log().last().toStdString();
    // The throw is his to play: GnuBG takes its turn after his move.
    clickChecker(6);
    clickChecker(6);
    clickDice();
    EXPECT_TRUE(log().filter("GnuBG moves ").size() >= 2);
    EXPECT_TRUE(window->match.ismyTurn);
}

TEST_F(OfflineGameTest, PlayOnlineChosenWhileGnuBGWorksIsRefusedAndTheEngineLives) {
    useRuleEngine();
    dice = {2, 5};  // the user opens: 13/8 13/11
    startMatch(5);
    // "Play Online" is chosen from the Game menu while GnuBG works out its move.
    dice = {6, 4, 3, 1};
    clickChecker(13);
    clickChecker(13);
    const bool chosen = actDuring([this] { clickDice(); },
                                  [this] { return !window->match.ismyTurn && window->match.die1 != 0; },
                                  [this] {
                                      window->mnuFile->popup(window->mapToGlobal(QPoint(10, 10)));
                                      QTest::mouseClick(window->mnuFile, Qt::LeftButton, {},
                                                        window->mnuFile->actionGeometry(window->mnuConnect).center());
                                  });
    window->mnuFile->hide();

    ASSERT_TRUE(chosen);
    EXPECT_TRUE(window->gnuObject);
    EXPECT_TRUE(window->flags.isBot);
    EXPECT_EQ(log().filter("GnuBG moves ").size(), 1);
    EXPECT_TRUE(window->match.ismyTurn);
    // Chosen again once the turn is over, it takes the user online.
    window->mnuConnect->trigger();
    EXPECT_FALSE(window->gnuObject);
    EXPECT_FALSE(window->flags.isBot);
}

TEST_F(OfflineGameTest, PickUpByMouseOrKeyboardEndsTheTurnExactlyWhereTheDiceWould) {
    useRuleEngine();
    dice = {2, 5};  // the user opens with 5 and 2
    startMatch(3);
    ASSERT_EQ(window->match.legalMoveCtr, 2);

    // One die of two: the turn stays open and nothing is recorded.
    clickChecker(13);
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_TRUE(window->match.ismyTurn);
    EXPECT_EQ(window->match.die1, 5);
    // The whole roll, but a click nobody made does nothing; the mouse's hands it to GnuBG.
    clickChecker(13);
    window->cmdPickUp->click();
    EXPECT_TRUE(log().filter("You move").isEmpty());
    dice = {6, 4};
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_EQ(log().filter("You move").value(0), "You move 13-8 13-11 ");
    EXPECT_EQ(log().filter("GnuBG moves ").size(), 1);
    EXPECT_TRUE(window->match.ismyTurn);
    EXPECT_EQ(window->match.die1, 0);

    // Only one die plays and it must be the 6: the 3 is refused with the rule, the 6 goes in
    // from the keyboard.
    place({{9, 1}, {10, 1}, {2, 13}}, {{7, 2}, {4, 2}});
    dice = {6, 3};
    window->DoRoll();
    ASSERT_EQ(window->match.legalMoveCtr, 1);
    clickChecker(9, Qt::RightButton);
    ASSERT_EQ(black(6), 1);
    env.clearMessages();
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_EQ(env.messages(), QStringList{"Official rules of Backgammon require you move large number "});
    EXPECT_TRUE(window->match.ismyTurn);
    QTest::mouseClick(window->cmdUndo, Qt::LeftButton);
    clickChecker(9);
    dice = {5, 2};
    QTest::keyClick(window->cmdPickUp, Qt::Key_Space);
    EXPECT_TRUE(log().contains("You move 9-3 "));
    EXPECT_EQ(log().filter("GnuBG moves ").size(), 2);

    // The last checker borne off and picked up: the game is won and scored, the next begins.
    bearOffTheLastChecker();
    env.clearMessages();
    dice = {2, 5};
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_EQ(env.messages(), QStringList{"You win 1 point"});
    EXPECT_EQ(window->lblScore1->text(), "1");
    EXPECT_TRUE(log().contains("You win the game and get 1 point. Congratulations!"));
    EXPECT_EQ(log().filter("Starting a new game").size(), 2);
    EXPECT_EQ(window->match.die1, 5);

    // The match's last game: once it is won there is nothing left to pick up.
    dice = {2, 5};
    laterGame(2, 0);
    bearOffTheLastChecker();
    QTest::keyClick(window->cmdPickUp, Qt::Key_Space);
    EXPECT_EQ(log().last(), "You win the 3 point match 3-0");
    EXPECT_FALSE(window->cmdPickUp->isEnabled());
}

TEST_F(OfflineGameTest, GnuBGThatCannotMoveIsRestartedOnceThenLeavesTheGameToResignOrANewMatch) {
    useRuleEngine();
    dice = {2, 5};  // the user opens: 13/8 13/11
    startMatch(7);
    // It fails once: started afresh it plays, and the user hears nothing of it.
    engine->failingMoves = 1;
    dice = {6, 4};
    playTheOpening();
    EXPECT_EQ(engine->restarts, 1);
    EXPECT_EQ(log().filter("GnuBG moves ").size(), 1);
    EXPECT_TRUE(env.messages().isEmpty()) << env.messages().join('|').toStdString();

    // It fails started afresh too: the step and the cause, and the game waits for the user.
    engine->failingMoves = 2;
    dice = {4, 2, 6, 5};
    window->DoRoll();
    clickChecker(8);
    clickChecker(6);
    clickDice();
    EXPECT_EQ(engine->restarts, 2);
    EXPECT_EQ(env.messages(), QStringList{"error in GetCubAction: GNU Backgammon did not answer within 5000 ms"});
    EXPECT_EQ(window->lblStatus->text(), "GnuBG failed: Resign or New Match");
    EXPECT_LE(window->lblStatus->fontMetrics().horizontalAdvance(window->lblStatus->text()),
              window->lblStatus->width());
    EXPECT_EQ(log().filter("GnuBG moves ").size(), 1);
    // The turn that is stuck is GnuBG's: the button offers the user no cube in it.
    env.clearMessages();
    ASSERT_EQ(window->cmdPickUp->text(), "Double");
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    EXPECT_TRUE(env.messages().isEmpty()) << env.messages().join('|').toStdString();
    EXPECT_EQ(window->match.theCubeVal, 1);

    // Resign scores the game and the next one begins; New Match starts afresh.
    dice = {2, 5};
    window->findChild<QAction *>("mnuResign")->trigger();
    EXPECT_EQ(window->lblScore2->text(), "3");
    EXPECT_EQ(log().filter("Starting a new game").size(), 2);
    EXPECT_TRUE(window->match.ismyTurn);
    dice = {2, 5};
    whenInviteOpens([](frmInvite *invite) {
        invite->Combo1->setEditText("3");
        QTest::mouseClick(invite->cmdInvite, Qt::LeftButton);
    });
    QTest::mouseClick(window->cmdTrophy, Qt::LeftButton);
    EXPECT_EQ(log().first(), "** Player GnuBG has joined you for a 3 point match.");
    EXPECT_EQ(window->lblScore2->text(), "0");
    EXPECT_TRUE(window->flags.isPlaying);
    EXPECT_EQ(window->match.die1, 5);
}

TEST_F(OfflineGameTest, AResignedGameIsToldOverTheBoardItWasGivenUpOn) {
    useRuleEngine();
    dice = {5, 2};  // GnuBG opens and moves
    startMatch(5);
    dice = {3, 1};
    window->DoRoll();
    // Every box is seen against the board as it is then.
    QStringList boxes;
    QList<QImage> boards;
    Dialogs::setHandler([&](const Dialogs::Request &request) {
        boxes << request.text;
        boards << window->boardShow->picture();
        return Dialogs::Reply{request.buttons == Dialogs::Buttons::YesNo ? Dialogs::Answer::Yes : Dialogs::Answer::Ok, {}};
    });
    auto gnubgGone = [this](const QImage &shown, const QList<QPoint> &spots) {
        return std::none_of(spots.begin(), spots.end(), [&](QPoint at) { return drawnAt(at, shown); }) &&
               !drawnAt(dieAt(true), shown);
    };
    auto gnubgSpots = [this] {
        QList<QPoint> spots;
        for (int i = 1; i <= CheckerSet::size; ++i)
            spots << checkerAt(window->checkers.whiteCheckers[i]);
        return spots;
    };
    ASSERT_TRUE(drawnAt(dieAt(true)));

    // A backgammon, mid-match: the box shows over the board without GnuBG's checkers or dice;
    // all fifteen lie in GnuBG's own tray, and the user's tray stays empty.
    QList<QPoint> spots = gnubgSpots();
    engine->chances = {10000, 0, 0};  // in the next game GnuBG gives up after its opening move
    dice = {5, 2, 2, 5};              // that game (GnuBG opens), and the one after
    window->findChild<QAction *>("mnuResign")->trigger();
    ASSERT_EQ(boxes.value(1), "GnuBG wins 3 points");
    EXPECT_TRUE(gnubgGone(boards[1], spots));
    EXPECT_EQ(flatsInOwnTray(boards[1], Side::White), 15);
    EXPECT_EQ(flatsInOwnTray(boards[1], Side::Black), 0);
    EXPECT_EQ(window->lblpipw->text().toInt(), window->pips.whitePips);

    // GnuBG's resignation is told over the user's fifteen checkers in his own tray.
    const qsizetype won = boxes.indexOf("You win 1 point");
    ASSERT_GE(won, 0) << boxes.join(" | ").toStdString();
    EXPECT_EQ(flatsInOwnTray(boards[won], Side::Black), 15);
    EXPECT_EQ(flatsInOwnTray(boards[won], Side::White), 0);
    EXPECT_FALSE(window->match.gameOver);  // the game after has begun

    // The match's last game: the board stays as it was given up, without dice, and so it
    // does in another board style.
    spots = gnubgSpots();
    window->findChild<QAction *>("mnuResign")->trigger();
    ASSERT_TRUE(window->match.isMatchOver);
    EXPECT_TRUE(gnubgGone(window->boardShow->picture(), spots));
    EXPECT_EQ(window->lblpipw->text(), "0");
    switchBoardStyle();
    EXPECT_EQ(flatsInOwnTray(window->boardShow->picture(), Side::White), 15);
    EXPECT_FALSE(drawnAt(dieAt(true)));
    EXPECT_FALSE(drawnAt(dieAt(false)));
}

TEST_F(OfflineGameTest, ANewBoardStyleMidTurnShowsThePositionDiceAndCubeAsTheyWere) {
    useRuleEngine();
    dice = {2, 5};  // the user opens with 5 and 2
    startMatch(3);
    clickChecker(13);  // one move of two made
    // Connect pressed on the way and answered No leaves nothing the new style would miss.
    env.queueAnswer(Dialogs::Answer::No);
    QTest::mouseClick(window->cmdExit, Qt::LeftButton);
    ASSERT_EQ(env.messages(), QStringList{"Do you want to end this game and connect?"});
    switchBoardStyle();
    EXPECT_TRUE(drawnAt(dieAt(true)));
    EXPECT_TRUE(drawnAt(checkerAt(window->checkers.blackCheckers[window->checkers.blackCheckers.firstOn(8)])));
    EXPECT_TRUE(drawnAt(window->board.cubeSpots()[0] + QPoint(6, 6)));
    EXPECT_TRUE(window->lblpipb->isVisible());
    EXPECT_EQ(window->lblpipb->text(), "162");
    EXPECT_EQ(window->lblPlayer2->text(), "GnuBG");

    // The turn goes on on the new board; GnuBG's double on offer survives the next switch.
    engine->verdict[1] = {1, 1};
    dice = {6, 4};
    clickChecker(13);
    clickDice();
    ASSERT_EQ(log().filter("You move").value(0), "You move 13-8 13-11 ");
    ASSERT_TRUE(window->match.isDoubled);
    switchBoardStyle();
    EXPECT_TRUE(drawnAt(window->board.cubeSpots()[1] + QPoint(6, 6)));
    EXPECT_FALSE(drawnAt(window->board.cubeSpots()[0] + QPoint(6, 6)));
    clickAt(window->board.cubeSpots()[1] + QPoint(4, 4));
    EXPECT_TRUE(window->match.blackOwnsCube);
}

TEST_F(OfflineGameTest, ExitOpenLogAndLoadJFPosAskBeforeTheMatchIsThrownAwayAndALogIsOnlyWatched) {
    useRuleEngine();
    frmExit::setQuitHook([] {});
    dice = {2, 5};
    startMatch(3);
    env.writeFile("log/watched.log", QStringList{"Starting a new game with Nortally.",
                                                 "board:You:Nortally:3:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:"
                                                 "-5:0:0:0:0:2:0:1:5:3:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0",
                                                 "You move 13-8 13-10 ", "Nortally rolls 4 and 2.",
                                                 "board:You:Nortally:3:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:"
                                                 "-5:0:0:0:0:2:0:1:0:0:4:2:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0"}
                                         .join("\r\n")
                                         .toLatin1());

    // Answered No, the match goes on.
    env.queueAnswer(Dialogs::Answer::No);
    window->mnuExit_Click();
    env.queueAnswer(Dialogs::Answer::No);
    QTest::mouseClick(window->cmdOpen, Qt::LeftButton);
    env.queueAnswer(Dialogs::Answer::No);
    window->findChild<QAction *>("mnuLoadJFPos")->trigger();
    EXPECT_EQ(env.messages(), (QStringList{"Do you really want to exit?", "Do you want to end this game and open a log?",
                                           "Do you want to end this game and load a position?"}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->flags.isPlaying);
    EXPECT_TRUE(window->match.ismyTurn);

    // Yes: the log is played back, and only watched: no cube, no hint, no pick-up.
    env.queueInput(env.programFolder() + "/log/watched.log");
    QTest::mouseClick(window->cmdOpen, Qt::LeftButton);
    window->cmdStep->click();
    ASSERT_EQ(window->lblStatus->text(), "Nortally rolled 4 and 2");
    EXPECT_FALSE(window->cmdPickUp->isEnabled());
    EXPECT_FALSE(window->cmdDouble->isEnabled());
    env.clearMessages();
    QTest::mouseClick(window->cmdPickUp, Qt::LeftButton);
    window->actions.cmdPickUp_Click();
    EXPECT_TRUE(env.messages().filter("double").isEmpty()) << env.messages().join('|').toStdString();

    // Nothing is running now: Exit asks nothing.
    env.clearMessages();
    window->mnuExit_Click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(env.messages().filter("exit").isEmpty());
    frmExit::setQuitHook({});
}

// GNU Backgammon processes that this test's process started and that still run.
QList<qint64> gnubgChildren() {
    QList<qint64> found;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state parent ..."
        const QString text = QString::fromLatin1(stat.readAll());
        const QStringList rest = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (text.contains(QLatin1String("(gnubg")) && rest.value(1) == self && rest.value(0) != QLatin1String("Z"))
            found << pid.toLongLong();
    }
    return found;
}

// While GnuBG plays both sides at the pace a user sees, the real Esc and the window manager's
// close (Alt+F4) act in the middle of a checker's slide, not once the turn is over: Esc asks
// whether to stop (answered No, the match goes on), and the close hides the window at once,
// unwinds the match, ends GNU Backgammon's process and keeps the settings before the exit
// window ends the program.
TEST_F(OfflineGameTest, EscAndTheCloseActWithinTheSlideOfGnubgsTurn) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    SKIP_WITHOUT_GNUBG();
    Mainform &w = *window;
    w.prefs.prfGnuPlyEval = 0;
    w.prefs.prfGnuPlyHint = 0;
    w.prefs.prfAnimateCheckersB = w.prefs.prfAnimateCheckersW = true;
    w.prefs.prfAnimDelay = 500;  // 5 ms a frame
    setWaitFactor(1);
    int quits = 0;
    frmExit::setQuitHook([&quits] { ++quits; });

    // The keys are pressed in the third frame of a slide: Esc in the second slide, Alt+F4 in
    // the fifth.
    int slides = 0, framesIntoSlide = 0;
    bool escInSlide = false, hiddenInSlide = false;
    QElapsedTimer sinceFrame, sinceClose;
    w.checkerAnimation.frameWait = [&](int delay) {
        if (!sinceFrame.isValid() || sinceFrame.elapsed() > 30)
            framesIntoSlide = 0;  // frames stopped coming: this is a new slide
        const qsizetype boxes = env.messages().size();
        const bool shown = w.isVisible();
        CheckerAnimation::waitFrame(delay);
        escInSlide = escInSlide || env.messages().size() > boxes;
        hiddenInSlide = hiddenInSlide || (shown && !w.isVisible());
        sinceFrame.start();
        if (++framesIntoSlide != 3)
            return;
        if (++slides == 2) {
            env.queueAnswer(Dialogs::Answer::No);
            EXPECT_TRUE(WindowManagerSession::key("Escape"));
        } else if (slides == 5) {
            EXPECT_TRUE(WindowManagerSession::key("alt+F4"));
            sinceClose.start();
        }
    };
    // Were the close never to act, the match still ends here, not at its end.
    QTimer::singleShot(30000, &w, [&w] { w.flags.selfPlay = false; });
    whenInviteOpens([](frmInvite *invite) {
        invite->Combo1->setEditText("5");
        invite->chkSelfPlay->setChecked(true);
        EXPECT_TRUE(WindowManagerSession::click(centreOf(invite->cmdInvite)));
    });
    w.mnuNew->trigger();
    EXPECT_EQ(env.messages().filter("Quit auto play?").size(), 1);
    EXPECT_TRUE(escInSlide) << "Esc waited for the slide to end";
    ASSERT_TRUE(sinceClose.isValid()) << "the match ended before the close";
    EXPECT_TRUE(hiddenInSlide) << "the close waited for the slide to end";
    EXPECT_FALSE(w.isVisible());
    EXPECT_LE(sinceClose.elapsed(), 1000) << "the match went on after the close";
    EXPECT_TRUE(QTest::qWaitFor([] { return gnubgChildren().isEmpty(); }, 1000));
    EXPECT_EQ(QSettings(env.settingsFile(), QSettings::IniFormat).value("Preferences/speed").toString(), "500");
    EXPECT_TRUE(QTest::qWaitFor([&quits] { return quits == 1; }, 1500));
    frmExit::setQuitHook({});
}

TEST_F(OfflineGameTest, GnuBackgammonSelfPlaysAOnePointMatch) {
    SKIP_WITHOUT_GNUBG();
    window->prefs.prfGnuPlyEval = 0;
    window->prefs.prfGnuPlyHint = 0;
    startMatch(1, true);
    ASSERT_TRUE(window->gnuObject);
    EXPECT_TRUE(window->match.isMatchOver);
    EXPECT_FALSE(window->flags.isPlaying);
    EXPECT_TRUE(terminal().contains(QRegularExpression("(You win|GnuBG wins) the 1 point match 1-0")));
    EXPECT_FALSE(env.messages().filter("error in GetCubAction").size());
}

}  // namespace
