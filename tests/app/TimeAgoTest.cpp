#include "app/TimeAgo.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(TimeAgoTest, AgesUnderAMonthAreToldAndOlderOrFutureStampsAreNot) {
    const qint64 now = 1'700'000'000;
    EXPECT_EQ(FormatTimeAgo(now - 120, now), QStringLiteral("2 minutes ago "));
    EXPECT_EQ(FormatTimeAgo(now - 3 * 3600, now), QStringLiteral("3 hours ago "));
    EXPECT_EQ(FormatTimeAgo(now - 29 * 86400 - 86399, now), QStringLiteral("29 days ago "));
    EXPECT_EQ(FormatTimeAgo(now - 30 * 86400, now), QString());
    EXPECT_EQ(FormatTimeAgo(now, now), QString());
    EXPECT_EQ(FormatTimeAgo(now + 5, now), QString());
}

// A message's stamp comes from the server; one far in the past must not overflow the age.
TEST(TimeAgoTest, AStampAtTheBottomOfTheRangeIsTooOldToTell) {
    EXPECT_EQ(FormatTimeAgo(std::numeric_limits<qint64>::min(), 1'700'000'000), QString());
    EXPECT_EQ(FormatTimeAgo(std::numeric_limits<qint64>::min() + 1, 0), QString());
    EXPECT_EQ(FormatTimeAgo(std::numeric_limits<qint64>::min()), QString());
}

TEST(TimeAgoTest, EachUnitStartsAtItsFirstWholeCount) {
    const qint64 now = 1'700'000'000;
    EXPECT_EQ(FormatTimeAgo(now - 59, now), QStringLiteral("0 minutes ago "));
    EXPECT_EQ(FormatTimeAgo(now - 3599, now), QStringLiteral("59 minutes ago "));
    EXPECT_EQ(FormatTimeAgo(now - 3600, now), QStringLiteral("1 hours ago "));
    EXPECT_EQ(FormatTimeAgo(now - 86400, now), QStringLiteral("1 days ago "));
}

}  // namespace
