// The commands the match actions send, to the byte, and what they refuse; the resign level a
// position justifies; the Crawford game and the server's doubling question across a match;
// the status blink.
#include "PlayFixture.h"

#include "board/ResignRules.h"
#include "board/StatusBlink.h"

namespace {

const std::initializer_list<std::pair<int, int>> kBlack{{24, 2}, {13, 5}, {8, 3}, {6, 5}};
const std::initializer_list<std::pair<int, int>> kWhite{{1, 2}, {12, 5}, {17, 3}, {19, 5}};

class MatchActionsTest : public ::testing::Test, public PlayFixture {
protected:
    // The first board of a match, the user to roll.
    void SetUp() override {
        match.gameInit = true;
        show(ownBoard(kBlack, kWhite, 0, 0));
    }

};

TEST_F(MatchActionsTest, EachActionSendsItsCommandOnlyWhileConnected) {
    actions.DoRoll();
    actions.mnuAccept_Click();
    actions.mnuReject_Click();
    actions.cmdRefresh_Click();
    actions.mnuLeave_Click();
    actions.mnuGreedy_Click();  // the opening position has contact
    actions.cmdDouble2_Click();
    actions.mnuSetBoardstyle_Click();
    actions.mnuToggleMoreboards_Click();
    EXPECT_EQ(host.sent, (QStringList{"roll ", "accept ", "reject", "board ", "leave ", "toggle double ",
                                      "set boardstyle 3 ", "toggle moreboards "}));
    EXPECT_EQ(env.messages(), QStringList{"Greedy Bearoff  with contact ?.. Not a good idea"});
    EXPECT_FALSE(play.acceptButtons);
    EXPECT_FALSE(play.acceptMenus);
    EXPECT_TRUE(match.gameInit);  // the board that comes back is drawn

    // A race: no contact, so greedy bear-offs go on.
    show(ownBoard({{6, 5}, {5, 5}}, {{19, 5}, {20, 5}}, 3, 1));
    host.sent.clear();
    actions.mnuGreedy_Click();
    EXPECT_EQ(host.sent, QStringList{"toggle greedy"});

    host.connected = false;
    flags.isConnected = false;
    env.clearMessages();
    for (auto action : {&MatchActions::mnuAccept_Click, &MatchActions::mnuReject_Click, &MatchActions::mnuLeave_Click,
                        &MatchActions::mnuGreedy_Click, &MatchActions::cmdDouble2_Click,
                        &MatchActions::mnuSetBoardstyle_Click, &MatchActions::mnuToggleMoreboards_Click})
        (actions.*action)();
    actions.cmdRefresh_Click();
    EXPECT_EQ(host.sent, QStringList{"toggle greedy"});
    EXPECT_EQ(env.messages(), QStringList{"Connection to Fibs is not open"});
    // Offline the roll is the home game's.
    actions.DoRoll();
    EXPECT_EQ(play.offline, QStringList{"roll"});
}

TEST_F(MatchActionsTest, ResigningGivesUpWhatThePositionSays) {
    struct Case {
        std::initializer_list<std::pair<int, int>> black;
        QString command, question, title;
    };
    const Case cases[] = {
        {{{26, 1}, {6, 14}}, "resign b ", "Do you want to resign 'backgammon' ?", "Resign Backgammon"},
        {{{12, 1}, {6, 14}}, "resign g ", "Do you want to resign 'gammon' ?", "Resign Gammon"},
        {{{20, 1}, {6, 13}}, "resign n ", "Do you want to resign 'normal ?", "Resign Normal"},
    };
    for (const Case &c : cases) {
        show(ownBoard(c.black, kWhite, 3, 1));
        host.sent.clear();
        env.clearMessages();
        env.queueAnswer(Dialogs::Answer::No);
        actions.mnuResign_Click();
        EXPECT_TRUE(host.sent.isEmpty());
        actions.mnuResign_Click();
        EXPECT_EQ(host.sent, QStringList{c.command});
        EXPECT_EQ(env.messages(), QStringList(2, c.question));
        EXPECT_EQ(host.status, "Sending resign request..");
    }
}

TEST_F(MatchActionsTest, TheResignLevelOfEitherSide) {
    auto level = [this](std::initializer_list<std::pair<int, int>> black,
                        std::initializer_list<std::pair<int, int>> white, int side) {
        records.blackCheckers.fill(black, geometry);
        records.whiteCheckers.fill(white, geometry);
        return ResignRules::GetResignType(records, side);
    };
    EXPECT_EQ(level({{26, 1}, {5, 14}}, {{25, 15}}, 0), "resign b ");
    EXPECT_EQ(level({{26, 1}, {5, 13}, {27, 1}}, {{25, 15}}, 0), "resign n ");
    EXPECT_EQ(level({{18, 1}, {5, 14}}, {{25, 15}}, 0), "resign g ");
    EXPECT_EQ(level({}, {{7, 10}, {24, 5}}, 1), "resign g ");
    EXPECT_EQ(level({}, {{28, 1}, {24, 14}}, 1), "resign b ");
    EXPECT_EQ(level({}, {{6, 1}, {24, 13}, {25, 1}}, 1), "resign n ");
    EXPECT_EQ(level({}, {}, 2), "");

    ResignRules::WinnerWhite(records);
    EXPECT_EQ(records.whiteCheckers.countOn(Position::whiteTray), 15);
    ResignRules::WinnerBlack(records);
    EXPECT_EQ(records.blackCheckers.countOn(Position::blackTray), 15);
}

TEST_F(MatchActionsTest, TheDoubleButtonAsksOnceAndOnlyWithTheMouse) {
    host.pickUp = "Double";
    // The keyboard press of the button sends the empty move instead.
    actions.cmdPickUp_Click();
    EXPECT_EQ(host.sent, QStringList{"move  "});

    // A second press while the question is open does nothing.
    host.sent.clear();
    int nested = 0;
    Dialogs::setHandler([&](const Dialogs::Request &) {
        ++nested;
        actions.cmdPickUp_MouseDown();
        actions.cmdPickUp_Click();
        return Dialogs::Reply{Dialogs::Answer::Yes, {}};
    });
    actions.cmdPickUp_MouseDown();
    actions.cmdPickUp_Click();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(host.sent, QStringList{"double "});
    EXPECT_EQ(host.status, "Waiting for someplayer to accept or give-up");
    EXPECT_FALSE(input.pickUpClicked);

    // "No", the Crawford game and a double waiting for an answer all stop it.
    Dialogs::setHandler([](const Dialogs::Request &) { return Dialogs::Reply{Dialogs::Answer::No, {}}; });
    actions.cmdPickUp_MouseDown();
    actions.cmdPickUp_Click();
    EXPECT_TRUE(input.pickUpClicked);
    match.isCrawford = 1;
    actions.cmdPickUp_Click();
    match.isCrawford = 0;
    input.pickUpClicked = false;
    match.isDoubled = true;
    actions.cmdPickUp_Click();
    EXPECT_EQ(host.sent, QStringList{"double "});
}

TEST_F(MatchActionsTest, TheCrawfordGameComesOnceAndTheDoublingQuestionComesBack) {
    std::vector<int> crawford;
    auto game = [&](const char *score, int cube = 1) {
        show(ownBoard(kBlack, kWhite, 3, 1, QLatin1String(score), cube));
        crawford.push_back(match.isCrawford);
    };
    auto toggles = [this] { return host.sent.count("toggle double "); };

    game("0:0");
    game("1:0");
    EXPECT_EQ(toggles(), 0);
    game("1:0", 2);  // with the user's cube on 2 this game decides the match: no more questions
    game("1:0", 2);
    EXPECT_EQ(toggles(), 1);
    EXPECT_FALSE(play.cubeAsks);
    EXPECT_TRUE(actions.doublingSwitchedOff());
    game("1:1");  // the next game starts with the cube at 1: the question comes back
    EXPECT_EQ(toggles(), 2);
    EXPECT_FALSE(actions.doublingSwitchedOff());
    game("2:1");  // one point short: the Crawford game, where nobody doubles
    game("2:1");
    EXPECT_EQ(toggles(), 2);
    EXPECT_FALSE(match.AskToDouble);
    game("2:2");  // after it the leader gains nothing by a double
    EXPECT_EQ(toggles(), 3);
    game("0:0");  // a new match
    EXPECT_EQ(toggles(), 4);
    EXPECT_EQ(crawford, (std::vector<int>{0, 0, 0, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(host.sent.size(), 4);
}

TEST(StatusBlinkTest, BlanksAndShowsInTurnAndTakesANewTextAtOnce) {
    StatusBlink blink;
    EXPECT_EQ(blink.tick("Your turn"), "");
    EXPECT_EQ(blink.tick(""), "Your turn");
    EXPECT_EQ(blink.tick("Your turn"), "");
    EXPECT_EQ(blink.tick("Please roll"), "Please roll");  // set while the line was blank
    EXPECT_FALSE(blink.blanked());
}

}  // namespace
