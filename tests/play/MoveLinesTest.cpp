#include "play/GameFixture.h"

namespace {

using Moves = std::vector<LineMove>;

TEST(MoveLinesReadTest, OneToFourPairsWithBarAndOffForEitherSideAndDirection) {
    EXPECT_EQ(MoveLines::read("gflohr moves 8-5 6-5 .", Side::White, false), (Moves{{8, 5}, {6, 5}}));
    EXPECT_EQ(MoveLines::read("gflohr moves 17-20 17-20 19-20 19-20 .", Side::Black, false).size(), 4u);
    EXPECT_EQ(MoveLines::read("GibbonTestB moves 2-off", Side::White, false), (Moves{{2, 25}}));
    EXPECT_EQ(MoveLines::read("GibbonTestB moves 2-off", Side::Black, false), (Moves{{2, 27}}));
    EXPECT_EQ(MoveLines::read("gflohr moves bar-1 bar-3 .", Side::White, false), (Moves{{28, 1}, {28, 3}}));
    EXPECT_EQ(MoveLines::read("gflohr moves bar-1 bar-3 .", Side::Black, true), (Moves{{26, 24}, {26, 22}}));
    EXPECT_EQ(MoveLines::read("gflohr moves 24-off 22-off .", Side::White, true), (Moves{{1, 25}, {3, 25}}));
    EXPECT_EQ(MoveLines::read("You move 6-5", Side::Black, false), (Moves{{6, 5}}));
    // Other servers mark hits and call the tray "home".
    EXPECT_EQ(MoveLines::read("bob moves 1-7* 5-home", Side::White, false), (Moves{{1, 7}, {5, 25}}));

    EXPECT_TRUE(MoveLines::read("You move 6-5", Side::White, false).empty());  // "move" is the user's word
    EXPECT_TRUE(MoveLines::read("x moves 1-2 3", Side::White, false).empty());
    EXPECT_TRUE(MoveLines::read("x moves 1-2 3-4 5-6 7-8 9-10", Side::White, false).empty());
    EXPECT_TRUE(MoveLines::read("x moves", Side::White, false).empty());
    EXPECT_TRUE(MoveLines::read("x rolls 1-2", Side::White, false).empty());
    EXPECT_THROW(MoveLines::read("x moves a-3", Side::White, false), std::runtime_error);
    // The bar and the trays are named, never numbered 0 or 25.
    for (const char *line : {"bob moves 25-20 .", "bob moves 3-0 .", "bob moves 0-5 ."})
        for (Side side : {Side::White, Side::Black})
            EXPECT_THROW(MoveLines::read(line, side, false), std::runtime_error) << line;

    int read = 0;
    for (const char *file : {"move/gibbon-test-clip-reader.txt", "clip03-04_motd/lepton-GameHelperUnitTest.txt"})
        for (const QString &line : ScriptedServer::fixtureLines(QLatin1String(file)))
            if (line.contains(" moves ")) {
                const Moves moves = MoveLines::read(line, Side::White, false);
                EXPECT_FALSE(moves.empty()) << line.toStdString();
                ++read;
            }
    EXPECT_EQ(read, 12);
}

class MoveLinesTest : public ::testing::Test {
protected:
    void start(const std::vector<std::pair<int, int>> &black, const std::vector<std::pair<int, int>> &white) {
        f.records.blackCheckers.fill(black, f.geometry);
        f.records.whiteCheckers.fill(white, f.geometry);
        f.board.showMiddleGameboard();
    }
    GameFixture f;
};

TEST_F(MoveLinesTest, EachMoveTakesTheFirstCheckerOnItsPointInTurn) {
    start(kOpeningBlack, kOpeningWhite);
    f.lines.ShowBlackMovesFromString("You move 8-5 6-5");
    EXPECT_EQ(f.black(5), 2);
    EXPECT_EQ(f.black(8), 2);
    EXPECT_EQ(f.black(6), 4);
    EXPECT_EQ(f.host.sleeps, (std::vector<int>{100, 100}));
    EXPECT_EQ(f.sounds, (QStringList{"move", "move"}));

    // A point without a checker is passed over and the next move still goes.
    f.host.sleeps.clear();
    f.lines.ShowBlackMovesFromString("You move 9-5 6-5");
    EXPECT_EQ(f.black(5), 3);
    EXPECT_EQ(f.host.sleeps, (std::vector<int>{100}));
}

TEST_F(MoveLinesTest, MirroredLinesCountFromTheOtherEnd) {
    start({{17, 1}, {19, 1}, {1, 13}}, {{24, 15}});
    f.lines.ShowBlackReverseMovesFromString("gflohr moves 8-5 6-5 .");
    EXPECT_EQ(f.black(20), 2);
    EXPECT_EQ(f.black(17) + f.black(19), 0);

    f.lines.ShowBlackReverseMovesFromString("gflohr moves 24-off .");
    EXPECT_EQ(f.black(27), 1);
    f.lines.ShowWhiteReverseMovesFromString("joe moves 1-off 1-3 .");  // the user's 24 and 22
    EXPECT_EQ(f.white(25), 1);
    EXPECT_EQ(f.white(22), 1);
}

TEST_F(MoveLinesTest, TheOpponentEntersHitsAndBearsOffThenItIsTheUsersTurn) {
    start({{5, 1}, {6, 14}}, {{28, 2}, {20, 13}});
    f.match.die1 = 4;
    f.match.die2 = 3;
    f.lines.ShowWhiteMovesFromString("bob moves bar-3 bar-5 .");
    EXPECT_EQ(f.white(3), 1);
    EXPECT_EQ(f.white(5), 1);
    EXPECT_EQ(f.black(26), 1);  // the blot on 5 went to the bar
    EXPECT_EQ(f.sounds, (QStringList{"move", "hit"}));
    EXPECT_EQ(f.match.die1, 0);
    EXPECT_EQ(f.match.die2, 0);
    EXPECT_TRUE(f.match.ismyTurn);

    f.lines.ShowWhiteMovesFromString("bob moves 20-off 20-off .");
    EXPECT_EQ(f.white(25), 2);
    EXPECT_TRUE(f.host.offline.isEmpty());

    // A line of the wrong shape moves nothing, but the opponent's turn still ends.
    f.match.ismyTurn = false;
    f.match.die1 = 6;
    f.lines.ShowWhiteMovesFromString("bob moves 20-14 20");
    EXPECT_EQ(f.white(20), 11);
    EXPECT_TRUE(f.match.ismyTurn);
    EXPECT_EQ(f.match.die1, 0);

    f.flags.isBot = true;
    f.match.gameOver = true;
    f.lines.ShowWhiteMovesFromString("GnuBG moves 20-14 20-18 ");
    EXPECT_FALSE(f.match.gameOver);
    EXPECT_EQ(f.host.offline, QStringList{"engine moved"});
}

TEST_F(MoveLinesTest, AnUnreadableLineShowsItsMovesUpToTheBadPointWithoutABox) {
    start(kOpeningBlack, kOpeningWhite);
    f.lines.ShowBlackMovesFromString("You move x-5");
    EXPECT_TRUE(f.lines.lastLineUnreadable());
    f.match.ismyTurn = false;
    f.lines.ShowWhiteReverseMovesFromString("bob moves 24-22 y-5");  // the user's 1 to 3
    EXPECT_TRUE(f.lines.lastLineUnreadable());
    EXPECT_TRUE(f.env.messages().isEmpty());
    EXPECT_EQ(f.white(1), 1);  // the move before the bad one was shown
    EXPECT_EQ(f.white(3), 1);
    EXPECT_TRUE(f.match.ismyTurn);  // the opponent has moved, however it was written
    f.lines.ShowWhiteMovesFromString("bob moves 12-14");
    EXPECT_FALSE(f.lines.lastLineUnreadable());
}

}  // namespace
