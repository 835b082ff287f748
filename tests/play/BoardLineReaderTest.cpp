#include "play/GameFixture.h"
#include "play/LinePosition.h"

#include <array>

namespace {

class BoardLineReaderTest : public ::testing::Test {
protected:
    void SetUp() override { f.flags.isConnected = true; }
    void read(const QString &line) { f.reader.ProcessBoardOutput(line); }
    QString label(GameLabel which) { return f.host.caption(which); }
    GameFixture f;
};

TEST_F(BoardLineReaderTest, TheFirstBoardOfAMatchIsDrawnPlainWithItsLabels) {
    f.match.gameInit = true;
    read(withFields(kOpeningLine, {{4, "5"}, {5, "1"}, {6, "3"}}));
    EXPECT_FALSE(f.match.gameInit);
    EXPECT_FALSE(f.reader.isReverseBoard);
    EXPECT_EQ(f.black(13), 5);
    EXPECT_EQ(label(GameLabel::Player1), "You");
    EXPECT_EQ(label(GameLabel::Player2), "someplayer");
    EXPECT_EQ(label(GameLabel::Match), "5");
    EXPECT_EQ(label(GameLabel::Score1), "1");
    EXPECT_EQ(label(GameLabel::Score2), "3");
    EXPECT_EQ(f.match.theMatchLength, 5);
    EXPECT_EQ(f.match.theMatchscore1, 1);
    EXPECT_EQ(f.match.theMatchscore2, 3);
    EXPECT_TRUE(f.flags.isPlaying);
    EXPECT_FALSE(f.flags.isWatching);
    EXPECT_TRUE(f.flags.isLogging);
}

// An unlimited match has no length: the server writes 0 there. Its board is taken like any
// other, scores and all, though both scores are past that length.
TEST_F(BoardLineReaderTest, AnUnlimitedMatchsBoardIsTakenAndDrawn) {
    const QStringList played = fixtureBoardLines().filter("board:joe_white:black_jack:2:1:1:");
    ASSERT_EQ(played.size(), 1);  // drawn plain, joe_white rolled 5-1, cube at 2
    f.match.theMatchLength = 5;
    read(withFields(played.first(), {{BoardLine::MatchLength, "0"}}));
    EXPECT_EQ(f.env.messages(), QStringList());
    EXPECT_EQ(label(GameLabel::Match), "0");
    EXPECT_EQ(f.match.theMatchLength, 0);
    EXPECT_EQ(f.match.theMatchscore1, 1);
    EXPECT_EQ(f.match.theMatchscore2, 1);
    EXPECT_EQ(f.match.die1, 5);
    EXPECT_EQ(f.match.theCubeVal, 2);
    EXPECT_EQ(f.black(4), 3);
    EXPECT_EQ(f.white(22), 4);
    EXPECT_EQ(f.shown(f.middle(f.place(4, 1))), f.checkerMiddle(Side::Black));
    EXPECT_EQ(f.shown(f.middle(f.place(22, 1))), f.checkerMiddle(Side::White));
}

TEST_F(BoardLineReaderTest, LaterBoardsAreDrawnOnlyWithDiceOnThem) {
    read(kOpeningLine);  // no dice, not a match's start
    EXPECT_EQ(f.black(13), 0);
    EXPECT_TRUE(label(GameLabel::Player1).isEmpty());

    const QString shortLine = kOpeningLine.left(kOpeningLine.lastIndexOf(':'));  // 52 fields
    f.match.gameInit = true;
    read(withFields(shortLine, {{34, "3"}, {35, "1"}}));
    EXPECT_EQ(f.black(13), 0);
    EXPECT_TRUE(f.match.gameInit);

    read(withFields(kOpeningLine, {{36, "4"}, {37, "2"}}));
    EXPECT_EQ(f.black(13), 5);
    EXPECT_EQ(f.match.die1, 4);

    read(withFields(kOpeningLine, {{34, "3"}, {35, "1"}, {45, "7"}}));  // neither direction
    EXPECT_EQ(f.match.die1, 4);
    EXPECT_TRUE(f.env.messages().isEmpty());
}

TEST_F(BoardLineReaderTest, MirroredBoardsKeepTheMatchStateAndRenumberMoveLines) {
    f.match.theMatchLength = 9;
    const QStringList fixtures = fixtureBoardLines();
    ASSERT_FALSE(fixtures.isEmpty());
    const QString mirrored = fixtures.first();  // You against GibbonTestA, bar 0
    f.match.gameInit = true;
    read(mirrored);
    EXPECT_TRUE(f.reader.isReverseBoard);
    EXPECT_EQ(label(GameLabel::Match), "2");
    EXPECT_EQ(f.match.theMatchLength, 9);
    EXPECT_EQ(f.black(22), 1);  // the user's checker on the server's point 3

    read("You move 3-5 12-14");
    EXPECT_EQ(f.black(22), 0);
    EXPECT_EQ(f.black(20), 2);
    EXPECT_EQ(f.black(11), 1);
    read("GibbonTestA moves 20-17");
    EXPECT_EQ(f.white(8), 1);
    EXPECT_EQ(f.white(5), 0);
}

TEST_F(BoardLineReaderTest, TheCrawfordCheckRunsWhenScoreOrLengthChanges) {
    const QString roll = withFields(kOpeningLine, {{34, "6"}, {35, "1"}});
    read(roll);
    read(roll);
    EXPECT_EQ(f.host.crawfordChecks, 1);  // the first board of a run is checked too
    read(withFields(roll, {{4, "5"}}));
    read(withFields(roll, {{4, "5"}}));
    EXPECT_EQ(f.host.crawfordChecks, 2);
    read(withFields(roll, {{4, "5"}, {6, "4"}}));
    read(withFields(roll, {{4, "5"}, {5, "1"}, {6, "4"}}));
    EXPECT_EQ(f.host.crawfordChecks, 4);
    EXPECT_EQ(f.host.lastDidCrawford, 0);
    // The line's own word on the Crawford game goes with it; the offline game's lines have none.
    read(withFields(roll, {{4, "5"}, {5, "1"}, {6, "4"}, {52, "1"}}));
    EXPECT_EQ(f.host.crawfordChecks, 5);
    EXPECT_EQ(f.host.lastDidCrawford, 1);
    f.flags.isBot = true;
    read(withFields(roll, {{4, "5"}, {5, "2"}, {6, "4"}}));
    EXPECT_EQ(f.host.lastDidCrawford, -1);
}

TEST_F(BoardLineReaderTest, ToggleReadyGoesOutOnceUntilTheServerAnswers) {
    f.prefs.prfToggleReady = true;
    f.flags.isReady = true;
    f.match.gameInit = true;
    read(withFields(kOpeningLine, {{36, "3"}, {37, "1"}}));  // the opponent is on roll
    read("someplayer moves 17-20 19-20");
    read(withFields(kOpeningLine, {{36, "5"}, {37, "2"}}));
    EXPECT_EQ(f.host.sent, QStringList{"toggle ready "});

    f.flags.isReady = false;  // "** You're now refusing to play with someone."
    read(withFields(kOpeningLine, {{36, "5"}, {37, "2"}}));
    f.flags.isReady = true;  // the user made himself ready again
    read(withFields(kOpeningLine, {{36, "5"}, {37, "2"}}));
    EXPECT_EQ(f.host.sent, (QStringList{"toggle ready ", "toggle ready "}));

    f.host.sent.clear();
    f.flags.isReady = false;
    read(kOpeningLine);
    f.flags.isReady = true;
    f.host.connected = false;
    read(kOpeningLine);
    f.host.connected = true;
    read(withFields(kOpeningLine, {{34, "5"}, {35, "2"}}));  // the user's own turn
    EXPECT_TRUE(f.host.sent.isEmpty());
}

TEST_F(BoardLineReaderTest, MoveLinesGoToTheSideThatMoved) {
    f.match.gameInit = true;
    read(kOpeningLine);
    f.match.gameInit = true;
    read("You move 8-5 6-5");
    EXPECT_EQ(f.black(5), 2);
    EXPECT_FALSE(f.match.gameInit);
    read("someplayer move 1-3");  // only the user's own lines say "move"
    EXPECT_EQ(f.white(1), 2);
    read("someplayer moves 1-3 1-4 .");
    EXPECT_EQ(f.white(3), 1);
    EXPECT_EQ(f.white(4), 1);
    EXPECT_TRUE(f.match.ismyTurn);
    read("carl moves 13-7");
    read("You");
    EXPECT_EQ(f.black(7), 0);
    EXPECT_EQ(f.env.messages(), QStringList());

    // Another player's name means watching, but only board lines from the server decide it,
    // by the name the line itself gives first: the label still reads "You" from the match
    // before while a watched board without dice is not drawn. Watching is never logged.
    const QString watched = withFields(kOpeningLine, {{2, "joe"}});
    f.flags.isLogging = false;
    f.flags.isConnected = false;
    read(watched);
    EXPECT_FALSE(f.flags.isWatching);
    f.flags.isConnected = true;
    read("joe moves 1-2");
    EXPECT_FALSE(f.flags.isWatching);
    read(watched);
    EXPECT_EQ(label(GameLabel::Player1), "You");
    EXPECT_TRUE(f.flags.isWatching);
    EXPECT_FALSE(f.flags.isPlaying);
    EXPECT_FALSE(f.flags.isLogging);
    read(kOpeningLine);
    EXPECT_TRUE(f.flags.isPlaying && f.flags.isLogging);
    EXPECT_FALSE(f.flags.isWatching);
}

TEST_F(BoardLineReaderTest, AMoveLineItCannotReadIsMendedByTheNextBoardLine) {
    f.match.gameInit = true;
    read(withFields(kOpeningLine, {{33, "-1"}, {36, "6"}, {37, "1"}}));  // the opponent rolled 6-1
    read("someplayer moves 1-7* 12-zz");  // a hit mark is read, "zz" is not
    EXPECT_EQ(f.white(7), 1);
    EXPECT_TRUE(f.env.messages().isEmpty());

    // The server's board after the move has no dice on it, but it is drawn all the same and
    // gives the user the turn, so a click on the board rolls.
    const QString after = withFields(kOpeningLine, {{7 + 1, "-1"}, {7 + 7, "-1"}, {7 + 12, "-4"}, {7 + 14, "-1"}});
    f.match.ismyTurn = false;
    f.match.die1 = 6;
    read(after);
    EXPECT_EQ(f.white(14), 1);  // the checker the bad move named stands where the server says
    EXPECT_TRUE(f.match.ismyTurn);
    EXPECT_EQ(f.match.die1, 0);

    // Once mended, dice-less boards are passed over again.
    read(withFields(after, {{7 + 14, "0"}, {7 + 15, "-1"}}));
    EXPECT_EQ(f.white(14), 1);
}

// A board no game can give is refused whole with the reader's box: whatever it says, the
// checkers, cube, dice, score and labels stay those of the board before it.
TEST_F(BoardLineReaderTest, AnImpossibleBoardIsRefusedWholeAndChangesNothing) {
    f.match.gameInit = true;
    read(withFields(kOpeningLine, {{4, "5"}, {5, "1"}, {6, "2"}, {34, "6"}, {35, "2"}, {38, "2"}, {39, "1"}}));
    ASSERT_EQ(f.env.messages(), QStringList());
    struct Game {
        std::array<int, 26> position;
        int cube, die1, die2, length, score1, score2;
        bool ownsCube, myTurn, reversed;
        QMap<GameLabel, QString> labels;
        bool operator==(const Game &) const = default;
    };
    auto game = [&] {
        const MatchState &m = f.match;
        return Game{LinePosition::write(f.records, false), m.theCubeVal, m.die1, m.die2, m.theMatchLength,
                    m.theMatchscore1, m.theMatchscore2, m.blackOwnsCube, m.ismyTurn, f.reader.isReverseBoard,
                    f.host.captions};
    };
    const Game before = game();

    // The opponent's roll on another position, with another cube: drawn at once if taken.
    const QString next = withFields(kOpeningLine, {{4, "5"}, {8, "-1"}, {9, "-1"}, {36, "5"}, {37, "3"}, {38, "4"}});
    const std::vector<std::pair<QMap<int, QString>, const char *>> impossible{
        {{{36, "9"}, {37, "7"}}, "Invalid dice"},
        {{{38, "3"}}, "Invalid cube"},
        {{{38, "2147483647"}}, "Invalid cube"},
        {{{4, "-5"}}, "Invalid match length"},
        {{{5, "-2"}}, "Invalid score"},
        {{{5, "9"}, {6, "7"}}, "Invalid score"},  // both past the length of 5
        {{{48, "-1"}}, "Invalid checker count"},  // on the bar
        {{{47, "-3"}}, "Invalid checker count"},  // borne off
        {{{31, "3"}}, "Invalid checker count"},   // sixteen of the user's
        {{{9, "-2"}}, "Invalid checker count"},   // sixteen of the opponent's
        {{{8, "-2"}, {45, "0"}}, "Invalid checker count"},  // mirrored, sixteen of the user's
    };
    const auto refused = [&](const QString &line, const char *description) {
        f.env.clearMessages();
        read(line);
        EXPECT_EQ(f.env.messages(), QStringList{QStringLiteral("Error in ProcessBoardOutput  ") + description})
            << line.toStdString();
        EXPECT_TRUE(game() == before) << line.toStdString();
    };
    for (const auto &[fields, description] : impossible)
        refused(withFields(next, fields), description);

    // A number is digits only. A blank or a comma in a colon's place shifts every field after
    // it for the board but not for the labels: each would show another board.
    refused(withFields(next, {{4, "1e1"}}), "Type mismatch");
    refused(withFields(next, {{36, "2.5"}}), "Type mismatch");
    refused(withFields(next, {{52, "yes"}}), "Type mismatch");  // the Crawford field, read for the labels
    const auto bent = [&](int field, const QString &separator) {
        QStringList parts = next.split(':');
        const QString joined = parts.takeAt(field);
        parts[field - 1] += separator + joined;
        return parts.join(':');
    };
    refused(bent(1, " "), "Invalid field separator");  // "board You:someplayer:…"
    refused(bent(35, ","), "Invalid field separator");  // "0,5:3": the dice read as 4-3
    refused(" :" + next, "Invalid field separator");     // drawn one field off, "board" as the name

    // Past the length is a match's last board; the next possible board is taken as it comes,
    // a blank after its last field separating nothing.
    f.env.clearMessages();
    read(withFields(next, {{5, "7"}}) + ' ');
    EXPECT_EQ(f.env.messages(), QStringList());
    EXPECT_EQ(f.match.theMatchscore1, 7);
    EXPECT_EQ(f.match.theCubeVal, 4);
    EXPECT_EQ(f.white(1), 1);
}

TEST_F(BoardLineReaderTest, AScoreThatIsNoNumberIsReported) {
    f.match.gameInit = true;
    read(withFields(kOpeningLine, {{5, "x"}}));
    EXPECT_EQ(f.env.messages(), QStringList{"Error in ProcessBoardOutput  Type mismatch"});
}

}  // namespace
