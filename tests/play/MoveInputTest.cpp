// The user's clicks on board lines as the server sends them: which checker moves by which
// die, what the rules refuse, undo, and the move command the dice click sends.
#include "play/PlayFixture.h"

#include "play/MoveText.h"

namespace {

using MoveInputTest = PlayFixture;

TEST_F(MoveInputTest, TheButtonChoosesTheFirstDieUndoRestoresAndTheDiceSendTheMove) {
    show(ownBoard(kBlack, kWhite, 6, 1));
    ASSERT_EQ(match.legalMoveCtr, 2);
    clickDice();  // nothing moved yet: the turn stays open
    click(8, 2);  // the right button takes the 1
    click(8);     // the next click the other die, whichever button
    EXPECT_EQ(black(7) + black(2), 2);
    EXPECT_TRUE(play.undoEnabled);

    clicks.UndoMove();
    EXPECT_EQ(black(8), 3);
    EXPECT_EQ(host.status, "There are 2 legal moves");
    click(13);
    click(8, 2);
    click(6);  // two dice, two moves
    EXPECT_EQ(black(6), 5);
    clickDice();
    clickDice();  // the turn is over
    EXPECT_EQ(host.sent, QStringList{"move 13-7 8-7  "});
    EXPECT_EQ(host.status, "Waiting for  someplayer");

    // The same moves on the board drawn from the other end go out in the server's numbers.
    show(withFields(ownBoard({}, {}, 6, 1), {{8, "-2"}, {13, "5"}, {15, "3"}, {19, "-5"}, {20, "5"}, {24, "-3"},
                                             {26, "-5"}, {31, "2"}, {45, "0"}, {46, "0"}, {47, "0"}}));
    ASSERT_EQ(black(13), 5);
    click(13);
    click(8);
    clickDice();
    EXPECT_EQ(host.sent, (QStringList{"move 13-7 8-7  ", "move 12-18 17-18  "}));
    const std::array<MoveRecEntry, 4> moves{MoveRecEntry{26, 21}, MoveRecEntry{4, 27}};
    EXPECT_EQ(MoveText::of(moves, false), "bar-21 4-off ");
    EXPECT_EQ(MoveText::of(moves, true), "bar-4 21-off ");
}

TEST_F(MoveInputTest, TheBarComesFirstClosedPointsStayShutAndBlotsAreHit) {
    // 6-3 with a checker on the bar: the 6 would land on the opponent's closed 19.
    show(ownBoard({{26, 1}, {13, 5}, {8, 3}, {6, 5}, {24, 1}}, kWhite, 6, 3));
    click(13);  // nothing else moves while a checker waits on the bar
    EXPECT_EQ(black(13), 5);
    click(26);  // a left click, but only the 3 comes in
    EXPECT_EQ(black(22), 1);
    click(24);
    EXPECT_EQ(black(18), 1);

    show(ownBoard({{26, 1}, {13, 5}, {8, 3}, {6, 5}, {24, 1}}, {{12, 5}, {17, 3}, {19, 5}, {22, 1}, {1, 1}}, 3, 1));
    click(26);
    EXPECT_EQ(white(28), 1);
    clicks.UndoMove();
    EXPECT_EQ(white(22), 1);
    EXPECT_EQ(black(26), 1);
}

TEST_F(MoveInputTest, BearingOffTakesTheExactPointOrTheRearmostChecker) {
    const Checkers away{{24, 2}, {12, 5}, {17, 3}, {19, 5}};
    show(ownBoard({{6, 2}, {4, 3}, {1, 1}}, away, 6, 5));
    click(4);  // a 6 or a 5 from point 4 while point 6 is taken: no
    click(6);  // the exact number
    click(6);  // the 5 then moves 6/1
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 6-off 6-1  "});

    show(ownBoard({{4, 2}, {2, 1}}, away, 6, 5));
    click(2);  // a larger die only for the rearmost checker
    click(4);
    click(4);
    clickDice();
    // While a checker stands on the 7 point nothing bears off: not by a click, and not in the
    // play the dice hand in. Here 6/off waits until the 4 has brought the last one home.
    show(ownBoard({{7, 1}, {6, 1}, {3, 13}}, kWhite, 6, 4));
    click(6);
    EXPECT_EQ(black(6), 1);
    click(7);
    click(6);
    clickDice();
    // With points 1 and 2 held, 8/3 is the roll's only play: 6/off does not follow it.
    show(ownBoard({{8, 1}, {7, 1}, {6, 1}, {4, 12}}, {{1, 2}, {2, 2}, {17, 3}, {19, 5}}, 6, 5));
    click(8);
    clickDice();
    EXPECT_EQ(host.sent, (QStringList{"move 6-off 6-1  ", "move 4-off 4-off  ", "move 7-3 6-off  ", "move 8-3  "}));
}

TEST_F(MoveInputTest, TheRollIsPlayedInFullAndALoneDieMustBeTheLarger) {
    // 6-5: 12/7 leaves no 6 (7/1 and 11/5 are shut, nothing bears off), 11/6 12/6 plays both.
    show(ownBoard({{12, 1}, {11, 1}, {2, 13}}, {{1, 2}, {5, 2}}, 6, 5));
    click(12, 2);
    EXPECT_EQ(black(12), 1);
    click(11, 2);
    click(12);
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 11-6 12-6  "});

    // 6-3: either die alone, never both; the 6 it must be.
    show(ownBoard({{9, 1}, {10, 1}, {2, 13}}, {{7, 2}, {4, 2}}, 6, 3));
    ASSERT_EQ(match.legalMoveCtr, 1);
    click(9, 2);
    EXPECT_EQ(black(6), 1);
    clickDice();
    clickDice();  // a second click does not wave the rule through
    EXPECT_EQ(env.messages(), QStringList(2, "Official rules of Backgammon require you move large number "));
    clicks.UndoMove();
    click(9);
    clickDice();
    EXPECT_EQ(host.sent, (QStringList{"move 11-6 12-6  ", "move 9-3  "}));
}

// 6-5 with the checker on 20 shut in: after 13/7 the 5 has one play, 7/2, and no second one,
// as nothing bears off while 20 is out. That one play keeps the roll whole, so 13/7 is let
// through and 7/2 follows.
TEST_F(MoveInputTest, AFirstMoveGoesWhenTheOtherDieHasASinglePlayLeft) {
    show(ownBoard({{20, 1}, {13, 1}, {2, 13}}, {{14, 2}, {15, 2}}, 6, 5));
    ASSERT_EQ(match.legalMoveCtr, 2);
    click(13);
    EXPECT_EQ(black(7), 1);
    click(7);
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 13-7 7-2  "});
}

TEST_F(MoveInputTest, DoublesMoveFourCheckersAndADanceIsLeftToTheServer) {
    show(ownBoard(kBlack, kWhite, 2, 2));
    for (int point : {13, 13, 6, 6, 8})
        click(point);
    EXPECT_EQ(black(8), 3);  // a fifth checker stays
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 13-11 13-11 6-4 6-4  "});

    show(ownBoard({{26, 2}, {13, 5}, {8, 3}, {6, 5}}, {{19, 2}, {22, 2}, {12, 5}, {17, 3}, {1, 3}}, 6, 3));
    // Nothing comes in: the server passes the turn ("You can't move."); no click sends a move.
    click(26);
    EXPECT_EQ(host.sent.size(), 1);
}

TEST_F(MoveInputTest, BeforeTheRollTheCubeDoublesAndTheDiceAcceptOnTheSecondClick) {
    match.gameInit = true;  // the first board of a match is drawn without dice
    show(ownBoard(kBlack, kWhite, 0, 0));
    host.pickUp = "Double";
    const QPoint cube = board.cubeSpots()[0] + QPoint(5, 5);
    clicks.BoardShow_MouseDown(1, 0, cube.x(), cube.y());
    prefs.prfDisableCube = true;
    clicks.BoardShow_MouseDown(1, 0, cube.x(), cube.y());
    EXPECT_EQ(env.messages(), (QStringList{"Do you want to double?", "Cube has been disabled in preferences."}));

    match.isDoubled = true;
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"double "});
    clickDice();
    EXPECT_EQ(host.sent, (QStringList{"double ", "accept "}));
    EXPECT_FALSE(match.isDoubled);
}

}  // namespace
