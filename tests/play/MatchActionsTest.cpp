// What the match actions refuse and remember: the cube offered only by the mouse and only
// once at a time, nothing sent while disconnected, greedy bear-offs only without contact,
// the resign level a position justifies, the doubling question across a match; the blink.
#include "play/PlayFixture.h"

#include "play/ResignRules.h"
#include "play/StatusBlink.h"

namespace {

class MatchActionsTest : public PlayFixture {
protected:
    void SetUp() override {
        match.gameInit = true;
        show(ownBoard(kBlack, kWhite, 0, 0));
    }
};

TEST_F(MatchActionsTest, TheDoubleButtonOffersTheCubeOnceAndOnlyForTheMouse) {
    host.pickUp = "Double";
    actions.cmdPickUp_KeyDown();
    actions.cmdPickUp_Click();  // the keyboard: nothing, unasked by the mouse
    int questions = 0;
    Dialogs::setHandler([&](const Dialogs::Request &) {
        ++questions;
        actions.cmdPickUp_MouseDown();  // pressed again while it asks
        actions.cmdPickUp_Click();
        return Dialogs::Reply{questions == 1 ? Dialogs::Answer::Yes : Dialogs::Answer::No, {}};
    });
    actions.cmdPickUp_MouseDown();
    actions.cmdPickUp_Click();
    EXPECT_EQ(host.sent, QStringList{"double "});
    EXPECT_EQ(questions, 1);

    actions.cmdPickUp_MouseDown();
    actions.cmdPickUp_Click();  // "No"
    match.isCrawford = 1;
    actions.cmdPickUp_Click();
    match.isCrawford = 0;
    input.pickUpClicked = false;
    match.isDoubled = true;
    actions.cmdPickUp_Click();
    EXPECT_EQ(host.sent.size(), 1);
    EXPECT_EQ(questions, 2);
}

TEST_F(MatchActionsTest, NothingGoesOutOfflineAndGreedyWaitsForTheRace) {
    actions.mnuGreedy_Click();  // the opening has contact
    host.connected = false;
    for (auto action : {&MatchActions::mnuAccept_Click, &MatchActions::mnuReject_Click, &MatchActions::mnuLeave_Click,
                        &MatchActions::cmdDouble2_Click, &MatchActions::mnuSetBoardstyle_Click,
                        &MatchActions::mnuToggleMoreboards_Click, &MatchActions::cmdRefresh_Click,
                        &MatchActions::mnuResign_Click, &MatchActions::DoRoll})
        (actions.*action)();
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(play.localRolls, 1);
    EXPECT_FALSE(play.acceptEnabled);
    EXPECT_EQ(env.messages(), (QStringList{"Greedy Bearoff  with contact ?.. Not a good idea",
                                           "Connection to Fibs is not open", "Do you want to resign 'backgammon' ?"}));

    host.connected = true;
    show(ownBoard({{6, 5}, {5, 5}}, {{19, 5}, {20, 5}}, 3, 1));
    actions.mnuGreedy_Click();
    EXPECT_EQ(host.sent, QStringList{"toggle greedy"});
}

TEST_F(MatchActionsTest, TheResignLevelOfEitherSide) {
    auto level = [this](Checkers black, Checkers white, int side) {
        records.blackCheckers.fill(black, geometry);
        records.whiteCheckers.fill(white, geometry);
        return ResignRules::GetResignType(records, side);
    };
    EXPECT_EQ(level({{26, 1}, {5, 14}}, {}, 0), "resign b ");
    EXPECT_EQ(level({{26, 1}, {5, 13}, {27, 1}}, {}, 0), "resign n ");
    EXPECT_EQ(level({{18, 1}, {5, 14}}, {}, 0), "resign g ");
    EXPECT_EQ(level({}, {{7, 10}, {24, 5}}, 1), "resign g ");
    EXPECT_EQ(level({}, {{28, 1}, {24, 14}}, 1), "resign b ");
    EXPECT_EQ(level({}, {{6, 1}, {24, 13}, {25, 1}}, 1), "resign n ");
    EXPECT_EQ(level({}, {}, 2), "");
}

TEST_F(MatchActionsTest, TheCrawfordGameComesOnceAndTheDoublingQuestionComesBack) {
    std::vector<int> crawford;
    auto game = [&](const char *score, int cube = 1, int didCrawford = 0) {
        show(ownBoard(kBlack, kWhite, 3, 1, QLatin1String(score), cube, didCrawford));
        crawford.push_back(match.isCrawford);
    };
    auto toggles = [this] { return host.sent.count("toggle double "); };

    game("1:0");
    game("1:0", 2);  // with the user's cube on 2 this game decides the match: no more questions
    game("1:0", 2);
    EXPECT_EQ(toggles(), 1);
    EXPECT_FALSE(play.cubeAsks);
    game("1:1");  // the next game starts with the cube at 1: the question comes back
    EXPECT_EQ(toggles(), 2);
    game("2:1");  // one point short: the Crawford game, where nobody doubles
    game("2:1");
    EXPECT_EQ(toggles(), 2);
    game("2:2", 1, 1);  // after it the leader gains nothing by a double
    EXPECT_EQ(toggles(), 3);
    game("0:0");  // a new match
    EXPECT_EQ(toggles(), 4);
    EXPECT_EQ(crawford, (std::vector<int>{0, 0, 0, 0, 1, 1, 0, 0}));
}

TEST_F(MatchActionsTest, TheDoublingQuestionIsTurnedOnlyWhenTheServerHasItTheOtherWay) {
    auto game = [&](const char *score, int cube = 1) { show(ownBoard(kBlack, kWhite, 3, 1, QLatin1String(score), cube)); };
    auto toggles = [this] { return host.sent.count("toggle double "); };
    // The user has the question off himself: a deciding game does not turn it on, nor the next one.
    flags.serverSwitches.set(ServerSwitches::Double, false);
    game("1:0", 2);
    game("1:1");
    EXPECT_EQ(toggles(), 0);
    // Asked: off for the game that decides the next match, on again when another begins.
    flags.serverSwitches.set(ServerSwitches::Double, true);
    game("0:0");
    game("1:0", 2);
    EXPECT_EQ(toggles(), 1);
    EXPECT_TRUE(flags.serverSwitches.isOff(ServerSwitches::Double));
    game("0:0");
    EXPECT_EQ(toggles(), 2);
    EXPECT_TRUE(flags.serverSwitches.isOn(ServerSwitches::Double));
}

// After the Crawford game the user one point short of the match gains nothing by a double:
// the question goes off in the first such game and stays off in the next.
TEST_F(MatchActionsTest, OnePointShortAfterTheCrawfordGameTheDoublingQuestionStaysOff) {
    auto game = [&](const char *score, int didCrawford) {
        show(ownBoard(kBlack, kWhite, 3, 1, QLatin1String(score), 1, didCrawford));
    };
    game("2:0", 0);  // the Crawford game
    game("2:1", 1);
    EXPECT_EQ(host.sent, QStringList{"toggle double "});
    game("2:2", 1);
    EXPECT_EQ(host.sent, QStringList{"toggle double "});
}

TEST(StatusBlinkTest, BlanksAndShowsInTurnAndTakesANewTextAtOnce) {
    StatusBlink blink;
    EXPECT_EQ(blink.tick("Your turn"), "");
    EXPECT_EQ(blink.tick(""), "Your turn");
    EXPECT_EQ(blink.tick("Your turn"), "");
    EXPECT_EQ(blink.tick("Please roll"), "Please roll");  // set while the line was blank
}

}  // namespace
