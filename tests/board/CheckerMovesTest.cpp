#include "board/BoardFixture.h"

namespace {

class CheckerMovesTest : public ::testing::TestWithParam<const char *> {
protected:
    BoardFixture f{QString::fromLatin1(GetParam())};

    void start(const std::vector<std::pair<int, int>> &black, const std::vector<std::pair<int, int>> &white) {
        f.records.blackCheckers.fill(black, f.geometry);
        f.records.whiteCheckers.fill(white, f.geometry);
        f.board.showMiddleGameboard();
        f.sounds.clear();
    }
    // What the single moves drew must be what a whole redraw of the records draws.
    void expectSameAsRedraw() {
        const QImage drawn = f.board.shownBoard();
        f.board.showMiddleGameboard();
        ASSERT_EQ(drawn, f.board.shownBoard());
    }
    int black(int position) const { return f.records.blackCheckers.countOn(position); }
    int white(int position) const { return f.records.whiteCheckers.countOn(position); }
};

TEST_P(CheckerMovesTest, TheTopCheckerMovesAndStacksGrow) {
    start(kOpeningBlack, kOpeningWhite);  // records 8 to 10 stand on point 8
    int checker = 8;
    f.moves.MoveBlackChecker(checker, 4, true);
    EXPECT_EQ(checker, 10);
    EXPECT_EQ(f.records.blackCheckers[8].slot, 1);
    EXPECT_EQ(f.records.blackCheckers[9].slot, 2);
    EXPECT_EQ(f.records.blackCheckers[10], (CheckerRec{4, 1, f.place(4, 1).x(), f.place(4, 1).y()}));
    const QPoint left = f.middle(f.place(8, 3));
    EXPECT_EQ(f.shown(left), f.board.BoardEmpty().pixel(left));  // erased back to the empty board
    EXPECT_EQ(f.shown(f.middle(f.place(4, 1))), f.checkerMiddle(Side::Black));
    EXPECT_EQ(f.sounds, QStringList{"move"});

    checker = 3;  // onto the five of point 6
    f.moves.MoveBlackChecker(checker, 6, true);
    EXPECT_EQ(f.records.blackCheckers[checker].slot, 6);
    EXPECT_EQ(QPoint(f.records.blackCheckers[checker].x, f.records.blackCheckers[checker].y), f.place(6, 6));
    expectSameAsRedraw();
}

TEST_P(CheckerMovesTest, TargetsOffTheBoardMeanTheSidesTray) {
    start({{3, 2}}, {{22, 3}});
    int checker = 1;
    f.moves.MoveBlackChecker(checker, 0, true);
    f.moves.MoveBlackChecker(checker = 1, -3, true);
    EXPECT_EQ(black(27), 2);
    EXPECT_EQ(f.records.blackCheckers[1].slot, 2);
    for (int target : {26, 27, 28}) {
        f.moves.MoveWhiteChecker(checker = 1, target, true);
        EXPECT_EQ(f.records.whiteCheckers[checker].point, target == 28 ? 28 : 25);
    }
    EXPECT_EQ(white(25), 2);
    EXPECT_EQ(white(28), 1);
    expectSameAsRedraw();
}

TEST_P(CheckerMovesTest, ABlotHitGoesToTheBarWithTheHitSoundAlone) {
    start({{24, 2}, {5, 1}, {6, 12}}, {{20, 1}, {1, 2}, {12, 12}});
    int checker = 1;
    f.moves.MoveBlackChecker(checker, 20, true);
    EXPECT_EQ(white(20), 0);
    EXPECT_EQ(white(28), 1);
    EXPECT_EQ(f.records.blackCheckers[checker].point, 20);
    EXPECT_EQ(f.sounds, QStringList{"hit"});
    EXPECT_EQ(f.shown(f.middle(f.place(20, 1))), f.checkerMiddle(Side::Black));
    EXPECT_EQ(f.shown(f.middle(f.place(28, 1))), f.checkerMiddle(Side::White));
    EXPECT_FALSE(f.moves.blackSoundPlayed);

    // The other way round: the black blot is wiped from its point and the white checker
    // that took its place drawn again.
    f.sounds.clear();
    checker = 4;
    f.moves.MoveWhiteChecker(checker, 5, true);
    EXPECT_EQ(black(5), 0);
    EXPECT_EQ(black(26), 1);
    EXPECT_EQ(f.shown(f.middle(f.place(5, 1))), f.checkerMiddle(Side::White));
    EXPECT_EQ(f.sounds, QStringList{"hit"});
    expectSameAsRedraw();
}

TEST_P(CheckerMovesTest, OnlyASingleOpponentCheckerOnAPointIsHit) {
    start({{24, 2}, {1, 2}}, {{20, 2}});
    // A white record that happens to lie where black's tray checker lands is no blot.
    f.records.whiteCheckers[3] = CheckerRec{19, 1, f.place(27, 1).x(), f.place(27, 1).y()};
    int checker = 1;
    f.moves.MoveBlackChecker(checker, 27, true);
    f.moves.MoveBlackChecker(checker = 1, 20, true);  // two checkers: a blocked point, not a blot
    EXPECT_EQ(white(20), 2);
    EXPECT_EQ(white(19), 1);
    EXPECT_EQ(white(28), 0);
    EXPECT_EQ(f.sounds, (QStringList{"bearoff", "move"}));
}

TEST_P(CheckerMovesTest, SoundsPlayByPriority) {
    start({{1, 4}, {9, 2}}, {{24, 2}});
    int checker = 1;
    f.moves.MoveBlackChecker(checker, 27, true);
    f.prefs.prfSMove = false;  // governs the bear-off sound only
    f.moves.MoveBlackChecker(checker = 1, 27, true);
    f.moves.MoveBlackChecker(checker = 1, 5, true);
    f.prefs.prfSMove = true;
    f.moves.MoveBlackChecker(checker = 1, 27, false);
    f.moves.MoveBlackChecker(checker = 5, 7, false);
    EXPECT_EQ(f.sounds, (QStringList{"bearoff", "move", "move", "bearoff"}));
    EXPECT_FALSE(f.moves.blackSoundPlayed);
    expectSameAsRedraw();
}

TEST_P(CheckerMovesTest, ASixteenthCheckerIsRefusedAndNothingChanges) {
    start({{6, 15}}, {{19, 15}});
    const CheckerSet before = f.records.blackCheckers;
    const QImage shown = f.board.shownBoard();
    int checker = 1;
    f.moves.MoveBlackChecker(checker, 6, true);
    ASSERT_EQ(f.env.messages(), QStringList{"Error in MoveBlackChecker  Subscript out of range"});
    EXPECT_EQ(f.records.blackCheckers, before);
    EXPECT_EQ(f.board.shownBoard(), shown);
    EXPECT_TRUE(f.sounds.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BothStyles, CheckerMovesTest, ::testing::Values("Default", "original small"));

}  // namespace
