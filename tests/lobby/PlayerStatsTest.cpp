#include "lobby/FriendsFile.h"
#include "lobby/GagList.h"
#include "lobby/PlayerStats.h"
#include "lobby/TalkingWavs.h"
#include "support/FileSizeLimit.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayerStatsTest, NoRecordLeavesTheFileUntouched) {
    TestEnvironment env;
    env.writeFile("stats.dat", "old~1~1~1~keep me\r\n");
    PlayerStats stats;
    EXPECT_TRUE(stats.SaveStatsFile(env.programFolder() + "/stats.dat"));
    EXPECT_EQ(env.readFile("stats.dat"), "old~1~1~1~keep me\r\n");
}

TEST(PlayerStatsTest, WritesOneLinePerNamedRecord) {
    TestEnvironment env;
    PlayerStats stats;
    stats.records = {{"", 9, 9, 9, "skipped"}, {"bob", 3, 1, 5, "likes to double"}, {"eve", 0, 0, 1, ""}};
    ASSERT_TRUE(stats.SaveStatsFile(env.programFolder() + "/stats.dat"));
    EXPECT_EQ(env.readFile("stats.dat"), "bob~3~1~5~likes to double\r\neve~0~0~1~\r\n");

    // A disk too full for the new file leaves the old one whole.
    stats.records.push_back({"amy", 7, 2, 3, "x"});
    {
        FileSizeLimit limit(10);
        EXPECT_FALSE(stats.SaveStatsFile(env.programFolder() + "/stats.dat"));
    }
    EXPECT_EQ(env.readFile("stats.dat"), "bob~3~1~5~likes to double\r\neve~0~0~1~\r\n");
}

TEST(PlayerStatsTest, NotesCannotBreakTheRecordApart) {
    TestEnvironment env;
    PlayerStats stats;
    stats.records = {{"bob", 3, 1, 5, "cube~happy\r\nand slow"}, {"amy", 7, 2, 3, "x"}};
    ASSERT_TRUE(stats.SaveStatsFile(env.programFolder() + "/stats.dat"));

    PlayerStats reread;
    reread.LoadStatsFile(env.programFolder() + "/stats.dat");
    ASSERT_EQ(reread.records.size(), 2u);
    EXPECT_EQ(reread.records[0].name, "bob");
    EXPECT_EQ(reread.records[0].note, "cube happy  and slow");
    EXPECT_EQ(reread.records[1].played, 7);
    EXPECT_EQ(reread.records[1].won, 2);
    EXPECT_EQ(reread.records[1].lastLength, 3);
}

TEST(PlayerStatsTest, ReadingSkipsShortLinesAndDefaultsTheNote) {
    TestEnvironment env;
    env.writeFile("stats.dat", "bob~3~1~5\r\nbroken~1\r\namy~7~2~3~quick\n");
    PlayerStats stats;
    stats.LoadStatsFile(env.programFolder() + "/stats.dat");
    ASSERT_EQ(stats.records.size(), 2u);
    EXPECT_EQ(stats.records[0].note, "player notes");
    EXPECT_EQ(stats.records[1].note, "quick");

    stats.LoadStatsFile(env.programFolder() + "/missing.dat");
    EXPECT_TRUE(stats.records.empty());
}

// The totals come from stats.dat and the match length from the server's line.
TEST(PlayerStatsTest, TotalsStopAtTheLargestCountAndANegativeLengthCountsNothing) {
    TestEnvironment env;
    env.writeFile("stats.dat", "bob~2147483600~2147483640~3~\r\n");
    PlayerStats stats;
    stats.LoadStatsFile(env.programFolder() + "/stats.dat");
    ASSERT_EQ(stats.records.size(), 1u);
    stats.MakeStats("bob", 2147483647, true);
    EXPECT_EQ(stats.records[0].played, 2147483647);
    EXPECT_EQ(stats.records[0].won, 2147483647);
    stats.MakeStats("bob", -7, false);
    EXPECT_EQ(stats.records[0].played, 2147483647);
    EXPECT_EQ(stats.records[0].lastLength, 0);
    stats.MakeStats("amy", -3, true);
    EXPECT_EQ(stats.records[1].played, 0);
    EXPECT_EQ(stats.records[1].won, 0);
}

// Files written by hand, or on another system, end their lines in CR, LF or CR LF.
TEST(PlayerStatsTest, EveryLineEndReadsAlikeAndAFileNotReadWholeIsNotRewritten) {
    TestEnvironment env;
    const QString stats = env.programFolder() + "/stats.dat";
    env.writeFile("stats.dat", "ann~10~7~5~likes backgames\rbob~4~1~3\nCarl~2~2~1~x\r\n");
    PlayerStats players;
    players.LoadStatsFile(stats);
    ASSERT_EQ(players.records.size(), 3u);
    EXPECT_EQ(players.records[0].note, "likes backgames");
    EXPECT_EQ(players.records[2].name, "Carl");
    players.MakeStats("bob", 5, true);
    ASSERT_TRUE(players.SaveStatsFile(stats));
    EXPECT_EQ(env.readFile("stats.dat"), "ann~10~7~5~likes backgames\r\nbob~9~6~5~player notes\r\nCarl~2~2~1~x\r\n");

    // A line that is no record would be lost by a rewrite.
    env.writeFile("stats.dat", "ann~10~7~5~x\rnotes on bob\r");
    players.LoadStatsFile(stats);
    players.MakeStats("bob", 5, true);
    EXPECT_FALSE(players.SaveStatsFile(stats));
    EXPECT_EQ(env.readFile("stats.dat"), "ann~10~7~5~x\rnotes on bob\r");

    env.writeFile("gaglist.txt", "Spammer\rloud_one\r");
    GagList gags;
    gags.LoadGagList(env.programFolder() + "/gaglist.txt");
    EXPECT_EQ(gags.names(), (QStringList{"Spammer", "loud_one"}));
    const QString friends = env.programFolder() + "/friends.dat";
    env.writeFile("friends.dat", "\"bob\"\r\"carl\"\r");
    EXPECT_EQ(FriendsFile::read(friends).names, (QStringList{"bob", "carl"}));
    EXPECT_EQ(FriendsFile::add(friends, "dave"), "");
    EXPECT_EQ(env.readFile("friends.dat"), "\"bob\"\r\n\"carl\"\r\n\"dave\"\r\n");
}

TEST(GagListTest, NamesMatchWhateverTheCase) {
    TestEnvironment env;
    env.writeFile("gaglist.txt", "Spammer\r\n\r\nloud_one\n");
    GagList gags;
    gags.LoadGagList(env.programFolder() + "/gaglist.txt");
    EXPECT_TRUE(gags.IsGagged("spammer"));
    EXPECT_TRUE(gags.IsGagged("LOUD_ONE"));
    EXPECT_FALSE(gags.IsGagged("friend"));
    gags.LoadGagList(env.programFolder() + "/none.txt");
    EXPECT_FALSE(gags.IsGagged("spammer"));
}

TEST(TalkingWavsTest, MenuHoldsAtMostThirtyNineFilesOfTheFolder) {
    TestEnvironment env;
    for (int i = 0; i < 45; ++i)
        env.writeFile(QStringLiteral("talking wavs/w%1.wav").arg(i, 2, 10, QChar('0')), "RIFF");
    env.writeFile("talking wavs/u_lucky/inside.wav", "RIFF");
    const QStringList entries = TalkingWavs::menuEntries(env.programFolder() + "/talking wavs");
    ASSERT_EQ(entries.size(), 39);
    EXPECT_EQ(entries.first(), "w00.wav");
    EXPECT_EQ(entries.last(), "w38.wav");
    EXPECT_TRUE(TalkingWavs::menuEntries(env.programFolder() + "/nothing here").isEmpty());
}

}  // namespace
