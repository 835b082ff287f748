// The offline game's own lines: board lines byte for byte (start of a game, the user's and
// GnuBG's rolls, cube, bars and trays), each read by GNU Backgammon's own board-line reader;
// the points a game is worth and the reports of games and matches.
#include "engine/GnubgBoardReader.h"
#include "engine/GnubgInstalled.h"
#include "play/OfflineLines.h"

#include <gtest/gtest.h>

namespace {

using OfflineLines::Roller;

// The opening position counted per side, each in its own numbering.
GnuBoard opening() {
    GnuBoard b{};
    for (SideCounts &side : b) {
        side[24] = 2;
        side[13] = 5;
        side[8] = 3;
        side[6] = 5;
    }
    return b;
}

// The user with one on the bar, 4 on his 6, 3 on his 5 and 7 off; GnuBG with two on the bar,
// 3 on its ace point (the user's 24), 2 on its 18 (the user's 7) and 8 off.
GnuBoard lateGame() {
    GnuBoard b{};
    b[0][25] = 1;
    b[0][6] = 4;
    b[0][5] = 3;
    b[0][0] = 7;
    b[1][25] = 2;
    b[1][1] = 3;
    b[1][18] = 2;
    b[1][0] = 8;
    return b;
}

const QString kOpeningFields = "0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:";
const QString kLateFields = "-2:0:0:0:0:3:4:-2:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:-3:1:";

TEST(OfflineLinesTest, PositionFieldsCountTheUserUpAndGnuBGDownWithBothBars) {
    EXPECT_EQ(OfflineLines::positionFields(opening()), kOpeningFields);
    EXPECT_EQ(OfflineLines::positionFields(lateGame()), kLateFields);
}

TEST(OfflineLinesTest, RollLinesPutTheDiceOnTheRollersSideAndTheCubeWithItsOwner) {
    EXPECT_EQ(OfflineLines::rollLine(3, 0, 0, opening(), Roller::You, 5, 2, 1, false),
              "board:You:GnuBG:3:0:0:" + kOpeningFields + "1:5:2:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:1:0:0");
    EXPECT_EQ(OfflineLines::rollLine(3, 0, 0, opening(), Roller::GnuBG, 5, 2, 1, true),
              "board:You:GnuBG:3:0:0:" + kOpeningFields + "1:0:0:5:2:1:1:1:0:1:-1:0:25:0:0:0:0:2:1:0:0");
    EXPECT_EQ(OfflineLines::rollLine(7, 2, 4, lateGame(), Roller::GnuBG, 4, 1, 2, true),
              "board:You:GnuBG:7:2:4:" + kLateFields + "1:0:0:4:1:2:1:1:0:1:-1:0:25:7:8:0:0:2:1:0:0");
    EXPECT_EQ(OfflineLines::rollLine(7, 2, 4, lateGame(), Roller::You, 6, 6, 4, false),
              "board:You:GnuBG:7:2:4:" + kLateFields + "1:6:6:0:0:4:0:1:0:1:-1:0:25:7:8:0:0:2:1:0:0");
}

TEST(OfflineLinesTest, StartLinesGiveTheOpeningDiceToTheFirstMover) {
    EXPECT_EQ(OfflineLines::startLine(3, 0, 0, false, Roller::You, 3, 5),
              "board:You:GnuBG:3:0:0:" + kOpeningFields + "1:3:5:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:1:0:0");
    EXPECT_EQ(OfflineLines::startLine(5, 2, 1, true, Roller::GnuBG, 6, 1),
              "board:You:GnuBG:5:2:1:0:-2:-2:0:0:0:4:0:3:0:0:0:-4:4:0:0:0:-3:0:-4:0:0:0:2:2:0:1:0:0:6:1:"
              "1:1:1:0:1:-1:0:25:0:0:0:0:2:1:0:0");
}

TEST(OfflineLinesTest, EveryKindOfLineReadsInGnuBackgammon) {
    SKIP_WITHOUT_GNUBG();
    GnubgBoardReader gnubg;
    ASSERT_TRUE(gnubg.ready()) << "GNU Backgammon (" << EngineFiles::program.toStdString() << ") did not start";
    const QStringList lines = {
        OfflineLines::startLine(3, 0, 0, false, Roller::You, 3, 5),
        OfflineLines::startLine(5, 2, 1, true, Roller::GnuBG, 6, 1),
        OfflineLines::rollLine(3, 0, 0, opening(), Roller::You, 5, 2, 1, false),
        OfflineLines::rollLine(3, 0, 0, opening(), Roller::GnuBG, 5, 2, 1, false),
        OfflineLines::rollLine(7, 2, 4, lateGame(), Roller::GnuBG, 4, 1, 2, true),
        OfflineLines::rollLine(7, 2, 4, lateGame(), Roller::You, 6, 6, 4, false),
    };
    for (const QString &line : lines) {
        EXPECT_EQ(line.split(':').size(), 53) << line.toStdString();
        EXPECT_TRUE(gnubg.accepts(line)) << line.toStdString() << " -> " << gnubg.read(line).toStdString();
    }
    // A cube part joined on with a second colon leaves an empty field, which it refuses.
    QString doubled = lines[2];
    doubled.replace(":0:0:1:1:1:0:1:-1:0:25:", ":0:0::1:1:1:0:1:-1:0:25:");
    EXPECT_TRUE(gnubg.read(doubled).startsWith("Error"));
}

TEST(OfflineLinesTest, AGameIsWorthTheCubeOnceTwiceOrThrice) {
    EXPECT_EQ(OfflineLines::gamePoints(0, ""), 1);
    EXPECT_EQ(OfflineLines::gamePoints(1, "resign n "), 1);
    EXPECT_EQ(OfflineLines::gamePoints(4, ""), 4);
    EXPECT_EQ(OfflineLines::gamePoints(2, "resign g "), 4);
    EXPECT_EQ(OfflineLines::gamePoints(2, "resign b "), 6);
}

TEST(OfflineLinesTest, ReportsOfGamesAndMatches) {
    EXPECT_EQ(OfflineLines::gameWon(true, 1), "You win the game and get 1 point. Congratulations!");
    EXPECT_EQ(OfflineLines::gameWon(true, 4), "You win the game and get 4 points. Congratulations!");
    EXPECT_EQ(OfflineLines::gameWon(false, 1), "GnuBG wins the game and gets 1 points. Sorry.");
    EXPECT_EQ(OfflineLines::winBox(true, 1), "You win 1 point");
    EXPECT_EQ(OfflineLines::winBox(false, 6), "GnuBG wins 6 points");
    EXPECT_EQ(OfflineLines::scoreLine(3, 1, 0), "score in 3 point match: You-1 GnuBG-0");
    EXPECT_EQ(OfflineLines::matchWon(true, 3, 3, 1), "You win the 3 point match 3-1");
    EXPECT_EQ(OfflineLines::matchWon(false, 3, 1, 4), "GnuBG wins the 3 point match 4-1");
}

}  // namespace
