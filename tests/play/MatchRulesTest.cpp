#include "app/AppState.h"
#include "play/MatchRules.h"

#include <gtest/gtest.h>

namespace {

using Picture = MatchRules::CubePicture;

TEST(MatchRulesTest, TheCrawfordGameComesOncePerMatch) {
    MatchRules rules;
    MatchState m;
    EXPECT_EQ(rules.CheckCrawford(0, 0, 5, m), Picture::Doubling);
    EXPECT_TRUE(m.AskToDouble);
    EXPECT_EQ(rules.CheckCrawford(2, 1, 5, m), Picture::Unchanged);
    EXPECT_EQ(m.isCrawford, 0);

    EXPECT_EQ(rules.CheckCrawford(4, 2, 5, m), Picture::NoDoubling);
    EXPECT_EQ(m.isCrawford, 1);
    EXPECT_FALSE(m.AskToDouble);

    EXPECT_EQ(rules.CheckCrawford(4, 3, 5, m), Picture::Unchanged);  // the Crawford game is over
    EXPECT_EQ(m.isCrawford, 0);
    EXPECT_TRUE(m.AskToDouble);
    EXPECT_EQ(rules.CheckCrawford(4, 4, 5, m), Picture::Unchanged);
    EXPECT_EQ(m.isCrawford, 0);

    // A new match starts over.
    EXPECT_EQ(rules.CheckCrawford(0, 0, 3, m), Picture::Doubling);
    EXPECT_FALSE(rules.postCrawford);
    EXPECT_EQ(rules.CheckCrawford(1, 2, 3, m), Picture::NoDoubling);
    EXPECT_EQ(m.isCrawford, 1);
    // In a one-point match doubling never matters.
    EXPECT_EQ(rules.CheckCrawford(0, 0, 1, m), Picture::NoDoubling);
    EXPECT_FALSE(m.AskToDouble);
}

TEST(MatchRulesTest, TheServersLineDecidesTheCrawfordGame) {
    MatchRules rules;
    MatchState m;
    // A match resumed at 4-2 whose Crawford game was played before: doubling is allowed.
    EXPECT_EQ(rules.CheckCrawford(4, 2, 5, m, 1), Picture::Unchanged);
    EXPECT_EQ(m.isCrawford, 0);
    EXPECT_TRUE(rules.postCrawford);

    // The next match is resumed in its Crawford game: what the last match left counts for nothing.
    EXPECT_EQ(rules.CheckCrawford(2, 6, 7, m, 0), Picture::NoDoubling);
    EXPECT_EQ(m.isCrawford, 1);
    EXPECT_FALSE(m.AskToDouble);
    EXPECT_EQ(rules.CheckCrawford(2, 6, 7, m, 1), Picture::Doubling);  // played: the line says so
    EXPECT_EQ(m.isCrawford, 0);
    EXPECT_TRUE(m.AskToDouble);
}

}  // namespace
