#include "app/SplitString.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

Pieces split(const QString &text, const QString &delimiters, int options = 1) {
    Pieces pieces;
    SplitString(pieces, text, delimiters, options);
    return pieces;
}

TEST(SplitStringTest, RunsOfDelimitersMakeNoEmptyPieces) {
    const Pieces a = split("a b", " :");
    ASSERT_EQ(a.count(), 2);
    EXPECT_EQ(a.value("String1"), "a");
    EXPECT_EQ(a.value("String2"), "b");

    const Pieces who = split("  who: x", " :");
    ASSERT_EQ(who.count(), 2);
    EXPECT_EQ(who.value("String1"), "who");
    EXPECT_EQ(who.value("String2"), "x");
    EXPECT_FALSE(who.contains("String3"));

    EXPECT_EQ(split("abc", "").toList(), QStringList{"abc"});
    EXPECT_EQ(split("", " ").count(), 0);
    EXPECT_EQ(split(" :: : ", " :").count(), 0);
}

TEST(SplitStringTest, DelimiterSetsOfTheCallers) {
    // A player row, a stats.dat line, chat text and a log line, as their readers cut them.
    EXPECT_EQ(split("5 bob - - 1 0 1623.45 1201 3 1040564 host.example.com - -", " :.").item(7), "1623");
    EXPECT_EQ(split("bob~10~4~5~good cube handling", "~").toList(),
              (QStringList{"bob", "10", "4", "5", "good cube handling"}));
    EXPECT_EQ(split("12 alice Hello >there\r\n", "> \r\n").toList(),
              (QStringList{"12", "alice", "Hello", "there"}));
    EXPECT_EQ(split("bob moves 24-18, 13-10.", ":. -,\"").toList(),
              (QStringList{"bob", "moves", "24", "18", "13", "10"}));
    EXPECT_EQ(SplitWords("  a::b  c", " :"), (QStringList{"a", "b", "c"}));
}

TEST(SplitStringTest, WholeTextSeparatorAndKeptSeparators) {
    EXPECT_EQ(split("a--b----c", "--", 2).toList(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(split("a b", " ", 1 + 4).toList(), (QStringList{"a", " ", "b"}));
    EXPECT_EQ(split("a b c", " ", 1 + 8).toList(), (QStringList{"a ", "b ", "c"}));
    EXPECT_EQ(split("a b c", " ", 1 + 16).toList(), (QStringList{"a", " b", " c"}));
}

TEST(SplitStringTest, InvalidOptionsShowTheErrorAndKeepTheWholeText) {
    TestEnvironment env;
    const Pieces pieces = split("one two", " ", 0);
    EXPECT_EQ(pieces.toList(), QStringList{"one two"});
    ASSERT_EQ(env.messages().size(), 1);
    const QStringList lines = env.messages().first().split("\r\n");
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], "An error occurred while attempting to split: ");
    EXPECT_EQ(lines[2], "'one two'");
    EXPECT_EQ(lines[4], "SplitString() - 10010: An invalid argument was passed into the SplitOptions parameter.");

    // A bad upper field is only noticed at the first separator.
    env.clearMessages();
    EXPECT_EQ(split("nodelimiter", " ", 1 + 12).toList(), QStringList{"nodelimiter"});
    EXPECT_TRUE(env.messages().isEmpty());
    EXPECT_EQ(split("a b", " ", 1 + 12).toList(), QStringList{"a b"});
    EXPECT_EQ(env.messages().size(), 1);
}

}  // namespace
