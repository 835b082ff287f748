// The user's clicks on board lines as the server sends them: which checker moves by which
// die, what the rules refuse, undo, and the move command the dice click sends.
#include "PlayFixture.h"

#include "board/MoveText.h"

namespace {

// The opening position of the user's side and the opponent's, as the tests vary it.
const std::initializer_list<std::pair<int, int>> kBlack{{24, 2}, {13, 5}, {8, 3}, {6, 5}};
const std::initializer_list<std::pair<int, int>> kWhite{{1, 2}, {12, 5}, {17, 3}, {19, 5}};
// The opponent with nothing left in the user's home board.
const std::initializer_list<std::pair<int, int>> kWhiteAway{{24, 2}, {12, 5}, {17, 3}, {19, 5}};

class MoveInputTest : public ::testing::Test, public PlayFixture {};

TEST_F(MoveInputTest, LeftClickTakesTheLargerDieFirstAndTheDiceSendTheMove) {
    show(ownBoard(kBlack, kWhite, 6, 1));
    ASSERT_TRUE(match.ismyTurn);
    ASSERT_EQ(match.legalMoveCtr, 2);

    clickDice();  // nothing moved yet: the turn stays open
    EXPECT_TRUE(host.sent.isEmpty());
    click(8, 2);  // the right button takes the 1 first
    EXPECT_EQ(black(7), 1);
    click(8);     // and the next click, whichever button, the 6
    EXPECT_EQ(black(2), 1);
    EXPECT_TRUE(play.undoEnabled);
    EXPECT_TRUE(host.pickUpEnabled);

    clicks.UndoMove();
    EXPECT_EQ(black(13), 5);
    EXPECT_EQ(black(8), 3);
    EXPECT_EQ(host.status, "There are 2 legal moves");
    EXPECT_TRUE(match.ismyTurn);

    click(13);
    click(8, 2);
    click(6);  // two dice, two moves
    EXPECT_EQ(black(7), 2);
    EXPECT_EQ(black(6), 5);
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 13-7 8-7  "});
    EXPECT_EQ(matchLog, QStringList{"You move 13-7 8-7 "});
    EXPECT_FALSE(match.ismyTurn);
    EXPECT_EQ(host.status, "Waiting for  someplayer");
    clickDice();  // the turn is over
    EXPECT_EQ(host.sent.size(), 1);
}

TEST_F(MoveInputTest, TheMirroredBoardSendsTheServersNumbers) {
    // The same opening told from the other end: the user's checkers count negative, point
    // p of the line is the user's 25 - p.
    QString line = ownBoard({}, {}, 6, 1);
    line = withFields(line, {{7 + 1, "-2"}, {7 + 6, "5"}, {7 + 8, "3"}, {7 + 12, "-5"}, {7 + 13, "5"},
                             {7 + 17, "-3"}, {7 + 19, "-5"}, {7 + 24, "2"}, {45, "0"}, {46, "0"}, {47, "0"}});
    show(line);
    ASSERT_TRUE(reader.isReverseBoard);
    ASSERT_EQ(black(13), 5);
    click(13);
    click(8);
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 12-18 17-18  "});

    std::array<MoveRecEntry, 4> moves{MoveRecEntry{26, 21}, MoveRecEntry{4, 27}};
    EXPECT_EQ(MoveText::of(moves, false), "bar-21 4-off ");
    EXPECT_EQ(MoveText::of(moves, true), "bar-4 21-off ");
    EXPECT_EQ(MoveText::of({}, true), "");
}

TEST_F(MoveInputTest, TheBarComesFirstAndClosedPointsStayShut) {
    // 6-3 with a checker on the bar: the 6 would land on the opponent's closed 19.
    show(ownBoard({{26, 1}, {13, 5}, {8, 3}, {6, 5}, {24, 1}}, kWhite, 6, 3));
    click(13);  // nothing else moves while a checker waits on the bar
    EXPECT_EQ(black(13), 5);
    EXPECT_EQ(black(7), 0);
    click(26);  // a left click, but only the 3 comes in
    EXPECT_EQ(black(26), 0);
    EXPECT_EQ(black(22), 1);
    click(24);  // the 6 is left: 24/18
    EXPECT_EQ(black(18), 1);

    // Entering on a lone opponent checker hits it; undo puts it back.
    show(ownBoard({{26, 1}, {13, 5}, {8, 3}, {6, 5}, {24, 1}}, {{12, 5}, {17, 3}, {19, 5}, {22, 1}, {1, 1}}, 3, 1));
    click(26);
    EXPECT_EQ(black(22), 1);
    EXPECT_EQ(white(28), 1);
    clicks.UndoMove();
    EXPECT_EQ(white(22), 1);
    EXPECT_EQ(black(26), 1);
}

TEST_F(MoveInputTest, BearingOffTakesTheExactPointOrTheRearmostChecker) {
    show(ownBoard({{6, 2}, {4, 3}, {1, 1}}, kWhiteAway, 6, 5));
    click(4);  // a 6 on point 4 while point 6 is taken: no
    EXPECT_EQ(black(4), 3);
    click(6);  // the exact number
    EXPECT_EQ(black(27), 10);
    click(6);  // the 5 takes 6/1, not off
    EXPECT_EQ(black(1), 2);
    clickDice();
    EXPECT_EQ(lastSent(), "move 6-off 6-1  ");

    show(ownBoard({{4, 2}, {2, 1}}, kWhiteAway, 6, 5));
    click(2);  // a larger die only for the rearmost checker
    EXPECT_EQ(black(2), 1);
    click(4);
    click(4);
    EXPECT_EQ(black(27), 14);
    clickDice();
    EXPECT_EQ(lastSent(), "move 4-off 4-off  ");
}

TEST_F(MoveInputTest, AStepThatLeavesTheOtherDieUnplayableIsRefused) {
    // 6-5: 12/7 leaves no 6 (7/1 is shut, 11/5 too, no bearing off yet), while 11/6 12/6
    // plays both dice.
    show(ownBoard({{12, 1}, {11, 1}, {2, 13}}, {{1, 2}, {5, 2}}, 6, 5));
    ASSERT_EQ(match.legalMoveCtr, 2);
    click(12, 2);
    EXPECT_EQ(black(12), 1);
    EXPECT_EQ(black(7), 0);
    click(11, 2);
    EXPECT_EQ(black(6), 1);
    click(12);
    EXPECT_EQ(black(6), 2);
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 11-6 12-6  "});
}

TEST_F(MoveInputTest, WhenOnlyOneDieCanBePlayedItMustBeTheLarger) {
    // 6-3: either die alone, never both (10 is stuck behind 7 and 4, nothing is home).
    show(ownBoard({{9, 1}, {10, 1}, {2, 13}}, {{7, 2}, {4, 2}}, 6, 3));
    ASSERT_EQ(match.legalMoveCtr, 1);
    click(9, 2);
    EXPECT_EQ(black(6), 1);
    click(10);  // one move is all the roll has
    EXPECT_EQ(black(10), 1);
    clickDice();
    clickDice();  // a second click does not wave the rule through
    EXPECT_TRUE(host.sent.isEmpty());
    EXPECT_EQ(env.messages(), QStringList(2, "Official rules of Backgammon require you move large number "));

    clicks.UndoMove();
    click(9);
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 9-3  "});
}

TEST_F(MoveInputTest, DoublesMoveFourTimes) {
    show(ownBoard(kBlack, kWhite, 2, 2));
    ASSERT_EQ(match.legalMoveCtr, 4);
    for (int point : {13, 13, 6, 6})
        click(point);
    click(8);  // a fifth checker stays
    EXPECT_EQ(black(8), 3);
    EXPECT_EQ(black(11), 2);
    EXPECT_EQ(black(4), 2);
    clickDice();
    EXPECT_EQ(host.sent, QStringList{"move 13-11 13-11 6-4 6-4  "});
}

TEST_F(MoveInputTest, AUserWhoDancesSendsTheEmptyMoveOnce) {
    show(ownBoard({{26, 2}, {13, 5}, {8, 3}, {6, 5}}, {{19, 2}, {22, 2}, {12, 5}, {17, 3}, {1, 3}}, 6, 3));
    ASSERT_EQ(match.legalMoveCtr, 0);
    click(26);
    EXPECT_EQ(host.sent, QStringList{"move  "});
    EXPECT_FALSE(match.ismyTurn);
    EXPECT_EQ(black(26), 2);
}

TEST_F(MoveInputTest, ClicksOffTheCheckersRollDoubleOrAcceptOnlyWhenTheyMayTo) {
    // Before the roll: the right half rolls, the cube doubles.
    match.gameInit = true;  // the first board of a match is drawn without dice
    show(ownBoard(kBlack, kWhite, 0, 0));
    ASSERT_TRUE(match.ismyTurn);
    clicks.BoardShow_MouseDown(1, 0, board.size().width() * 0.8, board.size().height() * 0.5);
    EXPECT_EQ(host.sent, QStringList{"roll "});
    host.pickUp = "Double";
    board.ShowCube(0, 1);
    const QPoint cube = board.cubeSpots()[0] + QPoint(5, 5);
    clicks.BoardShow_MouseDown(1, 0, cube.x(), cube.y());
    EXPECT_EQ(host.sent.last(), "double ");
    EXPECT_EQ(env.messages().last(), "Do you want to double?");
    prefs.prfDisableCube = true;
    clicks.BoardShow_MouseDown(1, 0, cube.x(), cube.y());
    EXPECT_EQ(env.messages().last(), "Cube has been disabled in preferences.");
    EXPECT_EQ(host.sent.size(), 2);

    // A double on offer: the first click on the dice arms, the second accepts.
    match.isDoubled = true;
    clickDice();
    EXPECT_TRUE(host.sent.size() == 2 && match.isCubeClicked);
    clickDice();
    EXPECT_EQ(host.sent.last(), "accept ");
    EXPECT_FALSE(match.isDoubled);

    // Not the user's turn: nothing at all.
    match.ismyTurn = false;
    clicks.BoardShow_MouseDown(1, 0, board.size().width() * 0.8, board.size().height() * 0.5);
    EXPECT_EQ(host.sent.size(), 3);
}

}  // namespace
