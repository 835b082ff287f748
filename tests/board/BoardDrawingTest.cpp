#include "board/BoardFixture.h"

#include "app/SettingsText.h"

namespace {

class BoardDrawingTest : public ::testing::TestWithParam<const char *> {
protected:
    BoardFixture f{QString::fromLatin1(GetParam())};

    void drawPosition(const std::vector<std::pair<int, int>> &black, const std::vector<std::pair<int, int>> &white) {
        f.records.blackCheckers.fill(black, f.geometry);
        f.records.whiteCheckers.fill(white, f.geometry);
        f.board.showMiddleGameboard();
    }
    // Every pixel of `area` shows `picture` (at `from` in it) where the picture is not the key,
    // and, unless the sprite lies over others, the empty board where it is.
    void expectSprite(const QImage &picture, QRect from, QPoint at, bool overEmpty = true) {
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < from.width(); ++x) {
                const QRgb s = picture.pixel(from.x() + x, from.y() + y);
                const QPoint p = at + QPoint(x, y);
                if (!(s & 0xffffff) && !overEmpty)
                    continue;
                const QRgb expected = (s & 0xffffff) ? s : f.board.BoardEmpty().pixel(p);
                ASSERT_EQ(f.shown(p), expected) << "at " << p.x() << "," << p.y();
            }
    }
    QRect cubeCell(int cell) const {
        const int w = f.pictures().picCube64.width() / 7;
        return QRect((cell - 1) * w, 0, w, f.pictures().picCube64.height());
    }
};

TEST_P(BoardDrawingTest, ThePositionIsDrawnWhereTheRecordsSay) {
    drawPosition({{24, 2}, {13, 5}, {8, 3}, {26, 2}, {27, 3}}, {{1, 2}, {12, 5}, {17, 3}, {28, 1}, {25, 4}});
    const QImage &chips = f.pictures().ChipNearBlack;
    const int cw = chips.width(), hh = chips.height() / 2;
    expectSprite(chips, QRect(0, 0, cw, hh), f.place(13, 5));      // top of a stack of five
    expectSprite(chips, QRect(0, hh, cw, hh), f.place(17, 3));
    expectSprite(chips, QRect(0, 0, cw, hh), f.place(26, 2));      // round on the bar
    expectSprite(chips, QRect(0, hh, cw, hh), f.place(28, 1));
    const QImage &flats = f.pictures().picFlatB;
    expectSprite(flats, QRect(0, 0, flats.width(), flats.height() / 2), f.place(27, 3));  // flat in the tray
    expectSprite(flats, QRect(0, flats.height() / 2, flats.width(), flats.height() / 2), f.place(25, 4));
    EXPECT_EQ(f.board.shownBoard(), f.board.BoardBuffer());
    // A place nobody stands on shows the empty board.
    EXPECT_EQ(f.shown(f.middle(f.place(6, 1))), f.board.BoardEmpty().pixel(f.middle(f.place(6, 1))));
}

TEST_P(BoardDrawingTest, FifteenOnAPointAndFullTraysStayApart) {
    drawPosition({{6, 15}}, {{25, 15}});
    // The third row lies over the first two.
    expectSprite(f.pictures().ChipNearBlack, QRect(0, 0, f.pictures().ChipNearBlack.width(),
                                                   f.pictures().ChipNearBlack.height() / 2), f.place(6, 15), false);
    drawPosition({{27, 15}}, {{25, 15}});
    const int flat = f.pictures().picFlatB.height() / 2;
    const int upperEnd = f.place(25, 15).y() + flat;
    EXPECT_LT(upperEnd, f.place(27, 15).y());
    EXPECT_LE(f.place(27, 1).y() + flat, f.board.size().height());
    EXPECT_EQ(f.shown(f.place(27, 15) + QPoint(5, flat / 2)), f.pictures().picFlatB.pixel(5, flat / 2));
}

TEST_P(BoardDrawingTest, UnusedRecordsAreParkedAndNotDrawn) {
    drawPosition({{6, 15}}, {{19, 15}});
    drawPosition({{27, 14}}, {{19, 2}});  // a position with fewer checkers than before
    EXPECT_TRUE(f.records.blackCheckers[15].isParked());
    EXPECT_EQ(f.records.whiteCheckers.countOn(19), 2);
    const QPoint leftBehind = f.middle(f.place(6, 1));
    EXPECT_EQ(f.shown(leftBehind), f.board.BoardEmpty().pixel(leftBehind));
}

TEST_P(BoardDrawingTest, TheCubeStandsAtEachOfItsPlaces) {
    drawPosition(kOpeningBlack, kOpeningWhite);
    expectSprite(f.pictures().picCube64, cubeCell(1), f.board.cubeSpots()[0]);  // centred, whatever the place
    const QPoint middleSpot = f.board.cubeSpots()[0];
    EXPECT_EQ(f.board.cubeSpots()[3].x(), f.geometry.sp_cubex);

    for (auto [place, value, cell] : {std::tuple{3, 2, 2}, {4, 16, 5}, {1, 8, 4}, {2, 32, 6}, {3, 64, 1}}) {
        f.board.ShowCube(place, value);
        expectSprite(f.pictures().picCube64, cubeCell(cell), f.board.cubeSpots()[std::size_t(place)]);
        // Only one cube at a time.
        EXPECT_EQ(f.shown(middleSpot + QPoint(3, 3)), f.board.BoardEmpty().pixel(middleSpot + QPoint(3, 3)));
    }
    f.board.ShowCube(4, 256);  // past the strip's faces: a cube of its own, not nothing
    const QPoint far = f.board.cubeSpots()[4] + QPoint(cubeCell(1).width() / 2, 3);
    EXPECT_NE(f.shown(far), f.board.BoardEmpty().pixel(far));

    f.match.cubeChanged = true;
    f.board.ShowCube(3, 3);  // no such cube: every cube erased, none drawn
    for (const QPoint &spot : f.board.cubeSpots())
        EXPECT_EQ(f.shown(spot + QPoint(4, 4)), f.board.BoardEmpty().pixel(spot + QPoint(4, 4)));
    EXPECT_FALSE(f.match.cubeChanged);

    f.match.isCrawford = 1;
    f.board.ShowCube(4, 8);
    expectSprite(f.pictures().picCube64, cubeCell(7), f.board.cubeSpots()[0]);
}

TEST_P(BoardDrawingTest, DiceShowTheirFacesAndClearingRestoresTheBoard) {
    f.board.showMiddleGameboard();
    f.match.die1 = 5;
    f.match.die2 = 2;
    f.records.blackCheckers.fill(kOpeningBlack, f.geometry);
    f.board.ShowBlackDice();
    const QImage &dice = f.pictures().picBlackDice;
    const int fw = dice.width() / 6, fh = dice.height() / 2;
    const QPoint first(SettingsText::roundEven(f.board.size().width() * 0.7), SettingsText::roundEven(f.board.size().height() * 0.47));
    expectSprite(dice, QRect(4 * fw, 0, fw, fh), first);
    expectSprite(dice, QRect(fw, 0, fw, fh), first + QPoint(fw + 3, 0));
    EXPECT_FALSE(f.board.rolledDoubles());
    EXPECT_EQ(f.records.blackAtRoll, f.records.blackCheckers);

    f.match.die2 = 5;
    f.board.ShowWhitedice();  // erases the user's dice first
    const QPoint white(SettingsText::roundEven(f.board.size().width() * 0.25), first.y());
    expectSprite(dice, QRect(4 * fw, fh, fw, fh), white + QPoint(fw + 3, 0));
    EXPECT_TRUE(f.board.rolledDoubles());
    EXPECT_EQ(f.shown(first + QPoint(fw / 2, fh / 2)), f.board.BoardEmpty().pixel(first + QPoint(fw / 2, fh / 2)));

    const QImage before = f.board.shownBoard();
    f.board.ClearDice("Both");  // not one of the three words: nothing goes
    EXPECT_EQ(f.board.shownBoard(), before);
    f.board.ClearDice("white");
    EXPECT_EQ(f.board.shownBoard(), f.board.BoardBuffer());
    const QRect area(white, QSize(3 * fw, fh));
    EXPECT_EQ(f.board.shownBoard().copy(area), f.board.BoardEmpty().copy(area));
}

INSTANTIATE_TEST_SUITE_P(BothStyles, BoardDrawingTest, ::testing::Values("Default", "original small"));

TEST(BoardDiceTest, PausesFollowWhoRolledAndHow) {
    BoardFixture f("Default");
    f.match.die1 = f.match.die2 = 3;
    f.prefs.prfDelay = 0;
    f.flags.selfPlay = true;
    f.flags.isBot = true;
    f.board.ShowWhitedice();
    EXPECT_EQ(f.sleeps, (std::vector<int>{0, 1500, 500}));
    f.sleeps.clear();
    f.board.ShowBlackDice();
    EXPECT_TRUE(f.sleeps.empty());

    f.prefs.prfSRoll = true;
    f.flags = StateFlags{};
    f.flags.isWatching = true;
    f.prefs.prfDelay = 1.25;
    f.board.ShowBlackDice();
    EXPECT_EQ(f.sleeps, (std::vector<int>{1250, 500}));
    EXPECT_EQ(f.sounds, QStringList{"dice1"});
}

TEST(BoardDoublingTest, DoublingIsSwitchedOffOnceItCannotMatter) {
    BoardFixture f("Default");
    f.length = "5";
    f.score = "3";
    f.match.theCubeVal = 1;
    f.match.AskToDouble = true;
    f.flags.isPlaying = true;
    f.board.showMiddleGameboard();
    EXPECT_TRUE(f.match.AskToDouble);  // 3 + 1 is short of 5

    f.match.theCubeVal = 2;
    f.board.showMiddleGameboard();
    f.board.showMiddleGameboard();
    EXPECT_FALSE(f.match.AskToDouble);
    EXPECT_EQ(f.doublingOffCalls, 1);

    // Against the engine the question is dropped without telling anyone.
    f.match.AskToDouble = true;
    f.flags.isBot = true;
    f.match.isMatch = true;
    f.match.theCubeVal = 1;
    f.match.isCrawford = 1;
    f.board.showMiddleGameboard();
    EXPECT_FALSE(f.match.AskToDouble);
    EXPECT_EQ(f.doublingOffCalls, 1);

    // Without a number to judge by, the rule waits.
    f.match.AskToDouble = true;
    for (auto [length, score] : {std::pair{"unlimited", "3"}, {"5", ""}}) {
        f.length = length;
        f.score = score;
        f.board.showMiddleGameboard();
        EXPECT_TRUE(f.match.AskToDouble);
    }
    EXPECT_TRUE(f.env.messages().isEmpty());
}

}  // namespace
