#include "app/Program.h"
#include "connection/LineFilter.h"
#include "support/FakeServerLineHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class LineFilterTest : public ::testing::Test {
protected:
    FakeServerLineHost host;
    LineFilter filter{host};
};

TEST_F(LineFilterTest, AnswersTheLoginPromptWithTheLoginLine) {
    host.f.initOutput = true;  // connected, the user's own information not yet come
    // Only the prompt itself asks for the login, not a banner line that begins with the word.
    filter.FilterOutput("login as guest if you have no account yet.");
    EXPECT_TRUE(host.sent.isEmpty());
    filter.FilterOutput("login: ");
    ASSERT_EQ(host.sent.size(), 1);
    EXPECT_EQ(host.sent.first(), "login Korvex" + Program::versionString() + " 1008 alice secret");
    EXPECT_TRUE(host.called("loginCaption(Validating..)"));
    EXPECT_TRUE(host.called("ShowTerminal(login: )"));

    // A prompt after the login line on the same connection is the server refusing it; a
    // player called "login" is no prompt, nor is a prompt once the login was taken.
    host.sent.clear();
    filter.FilterOutput("login wants to play a 5 point match with you.");
    EXPECT_FALSE(host.called("loginRefused"));
    host.f.initOutput = false;
    filter.FilterOutput("login: ");
    EXPECT_FALSE(host.called("loginRefused"));
    host.f.initOutput = true;
    filter.FilterOutput("login: ");
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(host.called("loginRefused"));

    host.f.loginSent = false;  // a new connection
    host.passwordText.clear();
    host.p.prfConnectAuto = true;
    filter.FilterOutput("login: ");
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(host.messages, QStringList{"Error with blank password"});
    EXPECT_FALSE(host.p.prfConnectAuto);
}

TEST_F(LineFilterTest, GuestUserIsNeverLoggedIn) {
    host.userText = "Guest";
    filter.FilterOutput("login: ");
    EXPECT_TRUE(host.sent.isEmpty());
    ASSERT_EQ(host.messages.size(), 1);
    host.userText = "alice";
    filter.FilterOutput("login: ");
    EXPECT_TRUE(host.sent.isEmpty());
}

TEST_F(LineFilterTest, WelcomeIsShownOnlyForTheFirstLastLoginLine) {
    filter.FilterOutput("** Last login: Mon Dec  7 04:00:00 2026 from somewhere");
    EXPECT_EQ(host.status, "Welcome to FIBS");
    host.status.clear();
    filter.FilterOutput("** Last login: again");
    EXPECT_TRUE(host.status.isEmpty());
}

// One line each, on a fresh host: everything it sends, shows, calls and changes, and no more.
struct FilterRule {
    QString line;
    QStringList sent;
    QString status;
    QStringList calls;  // besides the echo
    QStringList messages;
    std::function<void(FakeServerLineHost &)> before;
    std::function<bool(const FakeServerLineHost &)> after;
};

TEST(LineFilterRulesTest, EachServerNoticeHasExactlyItsOwnEffect) {
    const QString join = "Type 'join' if you want to play the next game, type 'leave' if you don't.";
    const auto offline = [](FakeServerLineHost &h) { h.connected = false; };
    const auto nextGamePending = [](FakeServerLineHost &h) {
        h.m.MovesToMake = 3;
        h.m.AskToDouble = false;
    };
    const FilterRule rules[] = {
        {"** You did already roll the dice.", {}, {}, {}, {}, {}, [](auto &h) { return h.m.ismyTurn; }},
        {"You did already roll the dice.", {}, {}, {"cmdRefresh_Click"}, {}, {}, {}},
        {"** bob wanted to resign.", {}, "** bob wanted to resign.", {"blink"}, {}, {}, {}},
        {"** You didn't double or resign.", {"board "}, {}, {"UndoMove"}, {}, {}, {}},
        {"You gag bob.", {}, {}, {}, {"You gag bob."}, {}, {}},
        {"You ungag bob.", {}, {}, {}, {"You ungag bob."}, {}, {}},
        {"** Will send rawboards after rolling.", {}, {}, {}, {}, [](auto &h) { h.p.prfFirstTimer = true; },
         [](auto &h) { return !h.p.prfFirstTimer; }},
        {"   |  X           O |   |  O           X |", {"set boardstyle 3 ", "board "}, {}, {"sleep(1000)"}, {}, {}, {}},
        {"** You're not away.", {}, {}, {}, {}, [](auto &h) { h.f.isAway = true; }, [](auto &h) { return !h.f.isAway; }},
        {"Starting a new game with bob.", {}, "Starting a new game with bob.", {}, {}, {}, {}},
        {"** Will use automatic greedy bearoffs.", {}, "** Will use automatic greedy bearoffs.", {}, {}, {}, {}},
        {"** Won't use automatic greedy bearoffs.", {}, "** Won't use automatic greedy bearoffs.", {}, {}, {}, {}},
        {"** You must give a number.", {}, "** You must give a number.", {}, {}, {}, {}},
        {"points for alice: 3", {}, {}, {"cmdRefresh_Click"}, {}, {}, {}},
        {"points for bob: 3", {}, {}, {}, {}, {}, {}},
        {"turn: alice.", {}, "Its your turn to roll", {}, {}, {}, {}},
        {"turn: bob.", {}, {}, {}, {}, {}, {}},
        {"** Error: bob is already playing with someone else.", {"who ready "}, {}, {}, {}, {}, {}},
        {"** Error: bob is already playing with someone else.", {}, {}, {}, {}, offline, {}},
        {"It's your turn. Please roll or double", {}, "It's your turn. Please roll or double",
         {"blink", "askedToRollOrDouble"}, {}, {}, [](auto &h) { return h.m.AskToDouble; }},
        {"It's your turn. Please roll or double", {}, {}, {}, {}, [](auto &h) { h.f.isConnected = false; },
         [](auto &h) { return !h.m.AskToDouble; }},
        {join, {"join "}, "Starting the next game ...", {"cubePicture(1)"}, {}, nextGamePending,
         [](auto &h) { return h.m.MovesToMake == 0 && h.m.AskToDouble; }},
        {join, {}, "Starting the next game ...", {}, {}, [&](auto &h) {
             nextGamePending(h);
             offline(h);
         },
         [](auto &h) { return h.m.MovesToMake == 3 && !h.m.AskToDouble; }},
    };
    int row = 0;
    for (const FilterRule &rule : rules) {
        SCOPED_TRACE(testing::Message() << "row " << ++row << ": " << rule.line.toStdString());
        FakeServerLineHost host;
        if (rule.before)
            rule.before(host);
        LineFilter filter{host};
        filter.FilterOutput(rule.line);
        EXPECT_EQ(host.sent, rule.sent);
        EXPECT_EQ(host.status.toStdString(), rule.status.toStdString());
        EXPECT_EQ(host.messages, rule.messages);
        EXPECT_EQ(host.calls, rule.calls + QStringList{"ShowTerminal(" + rule.line + ")"});
        if (rule.after) {
            EXPECT_TRUE(rule.after(host));
        }
    }
}

TEST_F(LineFilterTest, ToggleAndReadyMessagesKeepTheButtonsInStep) {
    filter.FilterOutput("** You're now ready to invite or join someone.");
    EXPECT_TRUE(host.f.isReady);
    filter.FilterOutput("** You're now refusing to play with someone.");
    EXPECT_FALSE(host.f.isReady);
    filter.FilterOutput("** You won't be asked if you want to double.");
    EXPECT_FALSE(host.m.AskToDouble);
    EXPECT_TRUE(host.called("cubePicture(0)"));
    filter.FilterOutput("** You will be asked if you want to double.");
    EXPECT_TRUE(host.m.AskToDouble);
    filter.FilterOutput("You're away. Please type 'back'");
    EXPECT_TRUE(host.f.isAway);
    EXPECT_TRUE(host.called("ShowAway(1)"));
    filter.FilterOutput("Welcome back.");
    EXPECT_FALSE(host.f.isAway);
    filter.FilterOutput("** Won't send rawboards after rolling.");
    filter.FilterOutput("Value of 'boardstyle' is 1");
    EXPECT_EQ(host.sent, (QStringList{"toggle moreboards ", "set boardstyle 3 "}));
}

TEST_F(LineFilterTest, UnguardedSendWhileOfflineReportsTheLineAndSkipsTheEcho) {
    host.connected = false;
    filter.FilterOutput("Value of 'boardstyle' is 1");
    EXPECT_EQ(host.messages, QStringList{"Error in Fillter Output withValue of 'boardstyle' is 1"});
    EXPECT_TRUE(host.calls.filter("ShowTerminal").isEmpty());
}

TEST_F(LineFilterTest, DoubleOfferedDoublesTheCubeAndMovesIt) {
    host.f.isPlaying = true;
    host.m.theCubeVal = 1;
    host.p.prfSDouble = true;
    filter.FilterOutput("bob doubles. Type 'accept' or 'reject'.");
    EXPECT_TRUE(host.m.isDoubled);
    EXPECT_EQ(host.m.theCubeVal, 2);
    EXPECT_TRUE(host.called("enableAcceptReject"));
    EXPECT_TRUE(host.called("ShowCube(1,2)"));
    EXPECT_TRUE(host.called("sound(ding)"));

    host.m.isDoubled = false;
    host.calls.clear();
    filter.FilterOutput("You double. Please wait for bob to accept or reject.");
    EXPECT_FALSE(host.m.isDoubled);  // our own double is not an offer to us
    EXPECT_FALSE(host.called("enableAcceptReject"));
    EXPECT_EQ(host.m.theCubeVal, 4);
    EXPECT_EQ(host.m.cubeBeforeOffer, 2);
    EXPECT_TRUE(host.called("ShowCube(2,4)"));

    // A pass, by either side, takes the offered cube away.
    filter.FilterOutput("bob gives up. You win 2 points.");
    filter.FilterOutput("You give up. bob wins 1 point.");
    EXPECT_EQ(host.calls.filter("doubleRefused").size(), 2);
}

// The cube is whatever the server's board line said; one too high to double again stays.
TEST_F(LineFilterTest, ACubeTooHighToDoubleStaysWhereItIs) {
    host.m.theCubeVal = 1 << 30;
    filter.FilterOutput("bob doubles. Type 'accept' or 'reject'.");
    EXPECT_EQ(host.m.theCubeVal, 1 << 30);
    host.m.theCubeVal = 2147483647;
    filter.FilterOutput("bob doubles. Type 'accept' or 'reject'.");
    EXPECT_EQ(host.m.theCubeVal, 2147483647);
    host.m.theCubeVal = 1 << 29;
    filter.FilterOutput("bob doubles. Type 'accept' or 'reject'.");
    EXPECT_EQ(host.m.theCubeVal, 1 << 30);

    // Nor does a resignation checked against such a cube overflow.
    host.f.isPlaying = true;
    host.m.theMatchLength = 5;
    host.m.theCubeVal = 2147483647;
    host.resignType = "resign b ";
    filter.FilterOutput("bob wants to resign. You will win 1 point. Type 'accept' or 'reject'.");
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(LineFilterTest, OpponentWhoCannotMoveClearsHisDiceAndGivesTheTurn) {
    host.m.die1 = 3;
    filter.FilterOutput("bob can't move.");
    EXPECT_TRUE(host.called("ClearDice(white)"));
    EXPECT_TRUE(host.m.ismyTurn);
    EXPECT_EQ(host.m.die1, 0);
    EXPECT_TRUE(host.called("sleep(1500)"));
}

TEST_F(LineFilterTest, ResignationOfferWarnsWhenItLooksWrong) {
    host.f.isPlaying = true;
    host.m.theMatchLength = 5;
    host.m.theCubeVal = 1;
    host.resignType = "resign g ";
    filter.FilterOutput("bob wants to resign. You will win 1 point. Type 'accept' or 'reject'.");
    EXPECT_EQ(host.messages, QStringList{"Warning.. possible incorrect resign by opponent"});
    EXPECT_EQ(host.status, "bob wants to resign. 1 point.. Click Accept or Reject");

    host.messages.clear();
    filter.FilterOutput("bob wants to resign. You will win 2 points. Type 'accept' or 'reject'.");
    EXPECT_TRUE(host.messages.isEmpty());

    // Against a backgammon the offer must reach three times the cube.
    host.resignType = "resign b ";
    filter.FilterOutput("bob wants to resign. You will win 2 points. Type 'accept' or 'reject'.");
    EXPECT_EQ(host.messages, QStringList{"Warning.. possible incorrect resign by opponent"});
    host.messages.clear();
    filter.FilterOutput("bob wants to resign. You will win 3 points. Type 'accept' or 'reject'.");
    EXPECT_TRUE(host.messages.isEmpty());

    host.m.theMatchLength = 1;  // a one-point match is never checked
    filter.FilterOutput("bob wants to resign. You will win 1 point. Type 'accept' or 'reject'.");
    EXPECT_TRUE(host.messages.isEmpty());
}

TEST_F(LineFilterTest, MatchEndCountsStatisticsAndAsksForTheSave) {
    host.f.isPlaying = true;
    host.f.isLogging = true;
    host.p.prfSaveAll = true;
    filter.FilterOutput("bob wins the 5 point match 5-3 .");
    EXPECT_FALSE(host.f.isPlaying);
    EXPECT_FALSE(host.f.isLogging);
    EXPECT_TRUE(host.f.saveAutoFlag);
    EXPECT_EQ(host.m.initFileName, "bob");
    ASSERT_EQ(host.playerStats.records.size(), 1u);
    EXPECT_EQ(host.playerStats.records[0].played, 5);
    EXPECT_EQ(host.playerStats.records[0].won, 0);
    EXPECT_FALSE(host.called("SaveAuto"));  // online the save waits for the player list

    EXPECT_TRUE(host.called("showFinalScore(3-5)"));  // no board line comes after the last game
    filter.FilterOutput("You win the 3 point match 3-0 .");
    EXPECT_TRUE(host.called("showFinalScore(3-0)"));
    EXPECT_EQ(host.playerStats.records[0].played, 8);
    EXPECT_EQ(host.playerStats.records[0].won, 3);
    EXPECT_EQ(host.playerStats.records[0].lastLength, 3);
}

TEST_F(LineFilterTest, GameEndNamesTheWinner) {
    filter.FilterOutput("You win the game and get 1 point. Congratulations!");
    EXPECT_TRUE(host.called("WinnerBlack"));
    filter.FilterOutput("bob wins the game and gets 2 points. Sorry.");
    EXPECT_TRUE(host.called("WinnerWhite"));
}

TEST_F(LineFilterTest, LobbyMessagesGoToTheirOwnHandlers) {
    const std::pair<const char *, const char *> messages[] = {
        {"bob wants to play a 5 point match with you.", "invitationToPlay"},
        {"bob wants to resume a saved match with you.", "invitationToResume"},
        {"Information about bob:", "playerInformation"},
        {"  Rating: 1500.23 Experience: 400", "playerRating"},
        {"You're now watching bob.", "userStartsWatching"},
        {"You are now watching bob.", "userStartsWatching"},  // some servers word it in full
        {"carl starts watching you.", "watcherOfUser"},
        {"WARNING: Don't accept if you want to continue your saved match!", "resumeOnlyWarning"},
    };
    for (const auto &[line, handler] : messages) {
        host.calls.clear();
        filter.FilterOutput(line);
        EXPECT_TRUE(host.called(handler)) << line;
    }
}

TEST_F(LineFilterTest, SavedGameIsKeptForResuming) {
    host.f.isPlaying = true;
    host.f.isReady = true;
    host.p.prfToggleReady = true;
    filter.FilterOutput("The game was saved.");
    EXPECT_FALSE(host.f.isPlaying);
    EXPECT_TRUE(host.m.timeCtr.isValid());
    EXPECT_EQ(host.sent, QStringList{"toggle ready "});
    EXPECT_TRUE(host.called("SaveDropped"));

    // The toggle is meant to leave the user not ready; sent to one who is not ready already,
    // it would make him ready.
    host.sent.clear();
    host.calls.clear();
    host.f.isPlaying = true;
    host.f.isReady = false;
    filter.FilterOutput("GibbonTestA drops connection. The game was saved.");
    EXPECT_FALSE(host.f.isPlaying);
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_TRUE(host.called("SaveDropped"));
}

TEST_F(LineFilterTest, TheDoubleAnswersKeepTheServersSwitch) {
    filter.FilterOutput("** You won't be asked if you want to double.");
    EXPECT_TRUE(host.f.serverSwitches.isOff(ServerSwitches::Double));
    filter.FilterOutput("** You will be asked if you want to double.");
    EXPECT_TRUE(host.f.serverSwitches.isOn(ServerSwitches::Double));
}

}  // namespace
