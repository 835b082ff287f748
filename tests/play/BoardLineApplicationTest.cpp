#include "app/SettingsText.h"
#include "play/GameFixture.h"
#include "play/LinePosition.h"

namespace {

class BoardLineApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.host.captions[GameLabel::Player1] = "You";
        f.host.captions[GameLabel::Player2] = "someplayer";
    }
    GameFixture f;
};

TEST(BoardLineTest, FieldsAreSplitWithEmptyOnesDroppedAndReadAsWholeNumbers) {
    const QString text = "board:You:GnuBG:3:0:0::-2:x: 7 :1.5:99999999999:-12:-2147483648:2147483648:1e1:-";
    const BoardLine line(text);
    ASSERT_EQ(line.count(), 16);
    EXPECT_EQ(line.field(7), u"-2");
    EXPECT_EQ(line.field(17), QStringView());
    EXPECT_EQ(line.number(7), -2);
    EXPECT_EQ(line.number(12), -12);
    EXPECT_EQ(line.number(13), -2147483648);
    // Only digits after an optional minus, within 32 bits: no blanks round them, no fraction,
    // no exponent.
    for (int n : {8, 9, 10, 11, 14, 15, 16, 17})
        EXPECT_THROW(line.number(n), std::runtime_error) << n;
    EXPECT_EQ(BoardLine(text, u" :,").count(), 16);
}

// A position read from a line and written back out gives the line's own 26 counts.
TEST_F(BoardLineApplicationTest, EveryServerBoardLineReadsIntoRecordsAndBackUnchanged) {
    const QStringList lines = fixtureBoardLines();
    ASSERT_GE(lines.size(), 7);
    // Checkers on both bars, plain and mirrored, two on one and one on the other: each side's
    // sign, at the end it enters from.
    const QStringList withBars = {withFields(kOpeningLine, {{7, "-2"}, {8, "0"}, {32, "1"}, {31, "1"}}),
                                  withFields(lines[0], {{7, "-2"}, {10, "0"}, {12, "0"}, {32, "1"}, {27, "0"}})};
    for (const QString &text : lines + withBars) {
        const BoardLine line(text);
        const bool mirrored = line.is(BoardLine::Bar, u"0");
        LinePosition::read(line, mirrored, f.records, f.geometry);
        const auto counts = LinePosition::write(f.records, mirrored);
        for (int p = 0; p <= 25; ++p)
            EXPECT_EQ(counts[std::size_t(p)], line.position(p)) << "position " << p << " of " << text.toStdString();
        int black = 0, white = 0;
        for (int i = 1; i <= 15; ++i) {
            black += f.records.blackCheckers[i].isParked() ? 0 : 1;
            white += f.records.whiteCheckers[i].isParked() ? 0 : 1;
        }
        EXPECT_EQ(black, 15) << text.toStdString();
        EXPECT_EQ(white, 15) << text.toStdString();
    }
    LinePosition::read(BoardLine(withBars[1]), true, f.records, f.geometry);
    EXPECT_EQ(f.black(Position::blackBar), 2);
    EXPECT_EQ(f.white(Position::whiteBar), 1);
}

TEST_F(BoardLineApplicationTest, PlainLineWithTheUsersRollSetsDiceStatusAndLegalMoves) {
    f.flags.isConnected = true;
    f.input.MoveRec[0] = {13, 7};
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{34, "2"}, {35, "5"}}));
    for (auto [point, n] : kOpeningBlack)
        EXPECT_EQ(f.black(point), n);
    for (auto [point, n] : kOpeningWhite)
        EXPECT_EQ(f.white(point), n);
    EXPECT_EQ(f.match.die1, 5);
    EXPECT_EQ(f.match.die2, 2);
    EXPECT_TRUE(f.match.ismyTurn);
    EXPECT_EQ(f.host.status, "You rolled 5 and 2");
    EXPECT_EQ(f.host.pickUp, "Pick Up");
    EXPECT_EQ(f.match.legalMoveCtr, 2);
    EXPECT_EQ(f.match.theCubeVal, 1);
    EXPECT_TRUE(f.input.MoveRec[0].isEmpty());
    EXPECT_EQ(f.host.pips.blackPips, 167);
    EXPECT_EQ(f.host.pips.whitePips, 167);
    // The user's dice are drawn at the right, where the board was empty before.
    const QImage &dice = f.pictures().picBlackDice;
    const QPoint at(SettingsText::roundEven(f.board.size().width() * 0.7) + dice.width() / 12,
                    SettingsText::roundEven(f.board.size().height() * 0.47) + dice.height() / 4);
    EXPECT_NE(f.shown(at), f.board.BoardEmpty().pixel(at));
}

TEST_F(BoardLineApplicationTest, OpponentsRollAndDanceCounts) {
    // A log played back offline is watched: its opponent's roll offers no cube.
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{36, "3"}, {37, "1"}}));
    EXPECT_FALSE(f.host.pickUpEnabled);
    f.flags.isConnected = true;
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{36, "3"}, {37, "1"}}));
    EXPECT_FALSE(f.match.ismyTurn);
    EXPECT_EQ(f.host.status, "someplayer rolled 3 and 1");
    EXPECT_EQ(f.host.pickUp, "Double");
    EXPECT_TRUE(f.host.pickUpEnabled);
    EXPECT_TRUE(f.input.mayMove);
    EXPECT_EQ(f.match.legalMoveCtr, 0);  // counted only for the engine's turn offline

    // The user on the bar against a closed board cannot move.
    const QString dance = "board:You:someplayer:3:0:0:0:0:0:0:0:0:10:0:0:0:0:0:-3:4:0:0:0:0:0:-2:-2:-2:-2:-2:-2:1:1:"
                          "6:4:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0";
    f.boards.ShowBoardFromString(dance);
    EXPECT_EQ(f.black(26), 1);
    EXPECT_EQ(f.match.legalMoveCtr, 0);
    EXPECT_EQ(f.host.status, "You rolled 6 and 4");
}

TEST_F(BoardLineApplicationTest, AllDiceZeroChangesNeitherDiceNorTurn) {
    f.match.die1 = 4;
    f.match.die2 = 3;
    f.match.ismyTurn = false;
    f.boards.ShowBoardFromString(kOpeningLine);
    EXPECT_EQ(f.match.die1, 4);
    EXPECT_EQ(f.match.die2, 3);
    EXPECT_FALSE(f.match.ismyTurn);  // the turn field counts only at a match's start
    f.match.gameInit = true;
    f.boards.ShowBoardFromString(kOpeningLine);
    EXPECT_TRUE(f.match.ismyTurn);
}

TEST_F(BoardLineApplicationTest, CubeOwnerPendingDoubleAndTheNoDoublingPicture) {
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{38, "2"}, {39, "1"}, {40, "0"}}));
    EXPECT_EQ(f.match.theCubeVal, 2);
    EXPECT_TRUE(f.match.blackOwnsCube);
    EXPECT_EQ(f.host.noDoublingPictures, 0);
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{38, "1"}, {39, "1"}, {40, "0"}}));
    EXPECT_EQ(f.match.theCubeVal, 1);
    EXPECT_FALSE(f.match.blackOwnsCube);
    EXPECT_EQ(f.host.noDoublingPictures, 1);

    f.match.gameInit = true;
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{38, "2"}, {39, "0"}, {41, "1"}}));
    EXPECT_FALSE(f.host.acceptRejectEnabled);  // a log played back: nothing to answer
    f.flags.isConnected = true;
    f.match.gameInit = true;
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{38, "2"}, {39, "0"}, {41, "1"}}));
    EXPECT_TRUE(f.host.acceptRejectEnabled);
    // A cube too high to double again is offered as it stands.
    f.host.acceptRejectEnabled = false;
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{38, "2147483647"}, {39, "0"}, {41, "1"}}));
    EXPECT_EQ(f.match.theCubeVal, 2147483647);
    EXPECT_TRUE(f.host.acceptRejectEnabled);
    EXPECT_TRUE(f.env.messages().isEmpty());

    // Offline the program keeps the cube; its own lines do not reset it.
    f.flags.isBot = true;
    f.match.theCubeVal = 4;
    f.boards.ShowBoardFromString(kOpeningLine);
    EXPECT_EQ(f.match.theCubeVal, 4);
}

TEST_F(BoardLineApplicationTest, OfflineTurnsGoToTheEngineHooks) {
    f.flags.isBot = true;
    f.flags.isPlaying = true;
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{34, "6"}, {35, "2"}}));
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{36, "6"}, {37, "6"}}));
    EXPECT_EQ(f.host.offline, (QStringList{"user rolled", "engine rolled"}));
    EXPECT_EQ(f.match.legalMoveCtr, 4);  // the engine's own count, for its own side
}

TEST_F(BoardLineApplicationTest, MirroredLineNumbersThePointsFromTheOtherEnd) {
    f.flags.isBot = true;
    const QString line = withFields(kOpeningLine, {{8, "2"}, {31, "-2"}, {45, "0"}});
    f.boards.ShowReverseBoardfromString(line);
    EXPECT_FALSE(f.flags.isBot);
    EXPECT_EQ(f.white(24), 2);
    EXPECT_EQ(f.black(1), 2);

    // A watched player's roll on the mirrored board: the user is not asked to double.
    const QStringList watchedLines = fixtureBoardLines().filter("joe_white");
    ASSERT_FALSE(watchedLines.isEmpty());
    const QString watched = watchedLines.first();  // black_jack rolled 6-2
    f.host.pickUp = "Pick Up";
    f.boards.ShowReverseBoardfromString(watched);
    EXPECT_EQ(f.match.die1, 6);
    EXPECT_FALSE(f.match.ismyTurn);
    EXPECT_EQ(f.host.pickUp, "Pick Up");
    EXPECT_EQ(f.white(25), 5);  // the opponent's checkers borne off
    EXPECT_EQ(f.white(24), 6);
    EXPECT_EQ(f.black(1), 4);
    f.flags.isPlaying = f.flags.isConnected = true;
    f.boards.ShowReverseBoardfromString(watched);
    EXPECT_EQ(f.host.pickUp, "Double");

    f.match.bestMovePlayer = "24-18 13-11";
    f.boards.ShowReverseBoardfromString(withFields(line, {{34, "6"}, {35, "2"}}));
    EXPECT_EQ(f.match.bestMovePlayer, "1-7  12-14  ");
    EXPECT_EQ(f.host.status, "You rolled 6 and 2");
    EXPECT_EQ(BoardLineApplication::mirroredMoveText("bar-22 6-off 4-3 4-3 2-1"), "bar-3  19-off  21-22  21-22  23  24  ");
}

TEST_F(BoardLineApplicationTest, TooManyCheckersIsReportedAndStopsTheLine) {
    f.boards.ShowBoardFromString(withFields(kOpeningLine, {{13, "16"}, {34, "6"}, {35, "1"}}));
    EXPECT_EQ(f.env.messages(), QStringList{"Error in ShowBoardFromString Subscript out of range"});
    EXPECT_EQ(f.match.die1, 0);
    f.env.clearMessages();
    f.boards.ShowReverseBoardfromString(withFields(kOpeningLine, {{38, "x"}}));
    EXPECT_EQ(f.env.messages(), QStringList{"Error in ShowReverseBoardfrom StringType mismatch"});
}

// The most negative number a field can hold has no positive counterpart; such a count, on a
// point, a bar or a tray, is refused like any other count past fifteen.
TEST_F(BoardLineApplicationTest, ACountBeyondFifteenEitherWayIsRefusedBeforeItIsCounted) {
    for (int field : {7, 8, 32, 46, 47}) {
        for (const char *count : {"-2147483648", "2147483647", "-16"}) {
            f.env.clearMessages();
            f.boards.ShowBoardFromString(withFields(kOpeningLine, {{field, count}, {34, "6"}, {35, "1"}}));
            EXPECT_EQ(f.env.messages(), QStringList{"Error in ShowBoardFromString Subscript out of range"})
                << field << " " << count;
            EXPECT_EQ(f.match.die1, 0);
        }
    }
    f.env.clearMessages();
    f.boards.ShowReverseBoardfromString(withFields(kOpeningLine, {{20, "-2147483648"}, {43, "-1"}, {45, "0"}}));
    EXPECT_EQ(f.env.messages(), QStringList{"Error in ShowReverseBoardfrom StringSubscript out of range"});
}

}  // namespace
