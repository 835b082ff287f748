// A saved log read again: its games found, its steps cut at boards and doubles, one board
// back and the jump to a game.
#include "records/LogPlayback.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QString board(int score1, int score2) {
    return QStringLiteral("board:alice:bob:3:%1:%2:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:"
                          "5:3:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0")
        .arg(score1)
        .arg(score2);
}

const QStringList kLog = {
    "** Player bob has joined you for a 3 point match.",  // not shown again
    board(0, 0),
    "alice moves 13-8 13-10",
    "ok",                                     // too short to show
    "bob rolls 4 and 2.",
    board(0, 0),                              // the same game
    "bob doubles. Type 'accept' or 'reject'.",
    "alice says thank you",                   // no kind that is shown
    board(0, 0),
    "board:alice:bob:3:x:1:0:0:0:0",          // a score that is no number
    "board:alice:bob",                        // too few pieces
    board(0, 1),
    "alice moves 8-5 6-5",
    "alice moves 24-18",                      // after the last board
};

TEST(LogPlaybackTest, GamesAreTheBoardsWhoseScoreChangesAndOddBoardsStartNone) {
    LogPlayback playback;
    playback.open(kLog);
    EXPECT_EQ(playback.gameRows(), (QStringList{"alice(0)  bob(0)", "alice(0)  bob(1)"}));
    EXPECT_EQ(playback.boardLines(), (std::vector<qsizetype>{1, 5, 8, 9, 10, 11}));
    EXPECT_EQ(playback.currentBoard(), -1);
}

TEST(LogPlaybackTest, StepsRunToTheNextBoardOrDoubleAndTheLastOneToTheEnd) {
    LogPlayback playback;
    playback.open(kLog);
    QStringList blocks;
    for (LogPlayback::Block block; !block.end;) {
        block = playback.nextBlock();
        blocks << block.text;
    }
    EXPECT_EQ(blocks, (QStringList{board(0, 0) + "\r\n",
                                   "alice moves 13-8 13-10\r\nbob rolls 4 and 2.\r\n" + board(0, 0) + "\r\n",
                                   "bob doubles. Type 'accept' or 'reject'.\r\n",
                                   board(0, 0) + "\r\n",
                                   "board:alice:bob:3:x:1:0:0:0:0\r\n",
                                   "board:alice:bob\r\n",
                                   board(0, 1) + "\r\n",
                                   "alice moves 8-5 6-5\r\nalice moves 24-18\r\n"}));
}

TEST(LogPlaybackTest, BackStopsAtTheFirstBoardAndAJumpGoesOnAfterItsBoard) {
    LogPlayback playback;
    playback.open(kLog);
    playback.nextBlock();
    EXPECT_EQ(playback.back(), QString());  // the first board: nothing before it
    EXPECT_EQ(playback.currentBoard(), 1);
    playback.nextBlock();
    EXPECT_EQ(playback.back(), board(0, 0));
    EXPECT_EQ(playback.currentBoard(), 1);
    EXPECT_EQ(playback.nextBlock().text, "alice moves 13-8 13-10\r\nbob rolls 4 and 2.\r\n" + board(0, 0) + "\r\n");

    EXPECT_EQ(playback.jump(1), board(0, 1));
    EXPECT_EQ(playback.nextBlock().text, "alice moves 8-5 6-5\r\nalice moves 24-18\r\n");
    EXPECT_EQ(playback.jump(2), QString());

    // Three boards or fewer: the mark moves, nothing is shown and reading stays where it was.
    playback.open(kLog.mid(0, 6));
    playback.nextBlock();
    playback.nextBlock();
    EXPECT_EQ(playback.back(), QString());
    EXPECT_EQ(playback.currentBoard(), 1);
    EXPECT_TRUE(playback.nextBlock().end);
}

}  // namespace
