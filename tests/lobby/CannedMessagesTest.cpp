#include "lobby/CannedMessages.h"
#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using Action = CannedMenu::Action;

// A player whose own name holds the word must not make the replacement start over for ever.
TEST(CannedMessagesTest, PlayerNameIsReplacedInOnePassWhateverTheCase) {
    EXPECT_EQ(CannedMessages::ReplacePlayerName("gg playername", "PlayerNameX"), "gg PlayerNameX");
    EXPECT_EQ(CannedMessages::ReplacePlayerName("hi PlayerName, bye PLAYERNAME!", "bob"), "hi bob, bye bob!");
    EXPECT_EQ(CannedMessages::ReplacePlayerName("no token", "bob"), "no token");
}

QByteArray numberedLines(int count) {
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    return text;
}

TEST(CannedMessagesTest, EachFileFillsItsOwnMenuUpToItsSize) {
    TestEnvironment env;
    const QString folder = env.programFolder() + '/';
    env.writeFile("kibitz.txt", numberedLines(25));
    env.writeFile("shouts.txt", numberedLines(25));
    CannedMenu kibitz(CannedMenu::Kind::Kibitz), shouts(CannedMenu::Kind::Shouts), server(CannedMenu::Kind::Server);
    EXPECT_EQ(kibitz.load(folder + "kibitz.txt"), "");
    EXPECT_EQ(shouts.load(folder + "shouts.txt"), "");
    ASSERT_EQ(kibitz.entries().size(), 21);
    EXPECT_EQ(kibitz.entries().last(), "line 21");
    EXPECT_EQ(shouts.entries().size(), 19);

    // A missing file is no error: its menu keeps the placeholder, which leads to the file.
    EXPECT_EQ(server.load(folder + "server.txt"), "");
    EXPECT_EQ(server.entries(), QStringList{"Usage FIBS Online"});
    EXPECT_EQ(server.choose(0, true, "bob").what, Action::OpenFile);
    kibitz.load(folder + "missing.txt");
    EXPECT_EQ(kibitz.choose(0, true, "bob").what, Action::OpenFile);  // never sent as a kibitz

    // A shortened file leaves no stale entry behind.
    env.writeFile("kibitz.txt", numberedLines(5));
    kibitz.load(folder + "kibitz.txt");
    EXPECT_EQ(kibitz.entries().size(), 5);
    EXPECT_EQ(kibitz.choose(7, true, "bob").what, Action::Nothing);
}

}  // namespace
