#include "lobby/PlayerList.h"
#include "support/FakeServerLineHost.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

QString who(const QString &name, const QString &opponent, const QString &watching, int ready, int away,
            const QString &rating, const QString &client = "Gibbon_0.1.1") {
    return QStringLiteral("5 %1 %2 %3 %4 %5 %6 914 23 1306926526 44.55.66.77 %7 foo@bar.baz")
        .arg(name, opponent, watching)
        .arg(ready)
        .arg(away)
        .arg(rating, client);
}

class PlayerListTest : public ::testing::Test {
protected:
    PlayerListTest() {
        host.f.endList = false;
        // The first line of the run asks for the whole list; let that pass.
        list.UpdatePlayerList("nobody", "none", "");
        host.sent.clear();
        host.calls.clear();
    }
    void add(const QString &line) {
        list.UpdatePlayerList(line.section(' ', 1, 1), "ready", line);
    }
    QStringList names(PlayerList::Which which) const {
        QStringList n;
        for (const QString &row : list.rows(which))
            n << row.mid(3).section(' ', 0, 0);
        return n;
    }

    FakeServerLineHost host;
    PlayerList list{host};
};

TEST_F(PlayerListTest, StatusMarksFollowTheWhoLine) {
    EXPECT_EQ(PlayerList::rowsFor(who("anna", "-", "-", 1, 0, "1500.12")).all, "R* anna          1500 914 ");
    EXPECT_EQ(PlayerList::rowsFor(who("anna", "-", "-", 1, 0, "1500.12")).ready, "R  anna          1500 914 ");
    EXPECT_TRUE(PlayerList::rowsFor(who("anna", "-", "carl", 1, 0, "1500.12")).all.startsWith("RW "));
    EXPECT_TRUE(PlayerList::rowsFor(who("anna", "-", "carl", 1, 0, "1500.12")).ready.startsWith("RW "));
    const auto playing = PlayerList::rowsFor(who("anna", "bob", "-", 1, 0, "1500.12"));
    EXPECT_TRUE(playing.all.startsWith("P  "));
    EXPECT_TRUE(playing.ready.isEmpty());
    EXPECT_TRUE(PlayerList::rowsFor(who("anna", "-", "-", 1, 1, "1500.12")).all.startsWith("R* "));
    EXPECT_TRUE(PlayerList::rowsFor(who("anna", "-", "-", 0, 1, "1500.12")).all.startsWith("A  "));
    EXPECT_TRUE(PlayerList::rowsFor(who("anna", "-", "-", 0, 0, "1500.12")).all.startsWith("-  "));
    EXPECT_TRUE(PlayerList::rowsFor("5 anna - - 1 0").all.isEmpty());
    // Long names get one blank, short ones are padded to thirteen.
    EXPECT_EQ(PlayerList::rowsFor(who("averyverylongname", "-", "-", 0, 0, "1500.1")).all,
              "-  averyverylongname 1500 914 ");
}

TEST_F(PlayerListTest, ClientColumnNamesTheClient) {
    EXPECT_EQ(PlayerList::clientText(QStringList{"5", "x", "Korvex4", "0", "28"}), "Korvex4028");
    EXPECT_EQ(PlayerList::clientText(QStringList{"5", "x", "Odesys_1"}), "odesys");
    EXPECT_EQ(PlayerList::clientText(QStringList{"5", "x", "odesys_1"}), "");
    EXPECT_EQ(PlayerList::clientText(QStringList{"5", "x", "Korvex4", "0"}), "");
    EXPECT_EQ(PlayerList::clientText(QStringList{"5", "x", "<none>"}), "javafibs");
}

TEST_F(PlayerListTest, RowsAreSortedByRatingAndReplacedByNewerLines) {
    add(who("anna", "-", "-", 1, 0, "1500.00"));
    add(who("bert", "-", "-", 0, 0, "1700.00"));
    add(who("cleo", "-", "-", 1, 0, "1600.00"));
    add(who("dirk", "-", "-", 0, 0, "1650.00"));
    add(who("emma", "-", "-", 0, 0, "1400.00"));
    add(who("finn", "-", "-", 0, 0, "1800.00"));
    EXPECT_EQ(names(PlayerList::Which::All), (QStringList{"finn", "bert", "dirk", "cleo", "anna", "emma"}));
    EXPECT_EQ(names(PlayerList::Which::Ready), (QStringList{"cleo", "anna"}));

    // cleo starts a match: her ready row goes, her all row is rewritten in place of the old one.
    add(who("cleo", "bert", "-", 0, 0, "1600.00"));
    EXPECT_EQ(names(PlayerList::Which::Ready), QStringList{"anna"});
    ASSERT_EQ(list.rows(PlayerList::Which::All).filter(" cleo ").size(), 1);
    EXPECT_TRUE(list.rows(PlayerList::Which::All).filter(" cleo ").first().startsWith("P  "));

    // The counters always match the rows, never one line behind.
    EXPECT_EQ(host.calls.filter("counters").last(), "counters(6,1,0)");

    list.UpdatePlayerList("anna", "logout", "8 anna anna drops connection.");
    EXPECT_FALSE(names(PlayerList::Which::All).contains("anna"));
    EXPECT_TRUE(names(PlayerList::Which::Ready).isEmpty());
    EXPECT_EQ(host.calls.filter("counters").last(), "counters(5,0,0)");
}

TEST_F(PlayerListTest, RowsAreSortedByNameWhenAsked) {
    list.sortByName = true;
    for (const char *name : {"mia", "bo", "zed", "al", "kai", "ned"})
        add(who(name, "-", "-", 0, 0, "1500.00"));
    EXPECT_EQ(names(PlayerList::Which::All), (QStringList{"al", "bo", "kai", "mia", "ned", "zed"}));
}

TEST_F(PlayerListTest, GaggedPlayersAreLeftOut) {
    TestEnvironment env;
    env.writeFile("gaglist.txt", "Pest\n");
    host.gagList.LoadGagList(env.programFolder() + "/gaglist.txt");
    host.p.prfGagged = true;
    add(who("pest", "-", "-", 1, 0, "1500.00"));
    EXPECT_TRUE(list.rows(PlayerList::Which::All).isEmpty());
    EXPECT_TRUE(list.rows(PlayerList::Which::Ready).isEmpty());
}

TEST_F(PlayerListTest, ReadyAutoInvitePlayerIsInvitedOnceTheGapHasPassedAndTheUserIsNotPlaying) {
    host.l.autoInviteList.push_back({"anna", "5"});
    host.p.prfToggleReady = true;
    // No match of the session has ended yet: there is no gap to wait for.
    add(who("anna", "-", "-", 1, 0, "1500.00"));
    EXPECT_EQ(host.sent, QStringList{"Invite anna 5 "});

    host.sent.clear();
    host.m.timeCtr = QDateTime::currentDateTime();
    add(who("anna", "-", "-", 1, 0, "1500.00"));
    EXPECT_TRUE(host.sent.isEmpty());

    host.m.timeCtr = QDateTime::currentDateTime().addSecs(-30);
    host.f.isPlaying = true;  // not while the user plays a match of his own
    add(who("anna", "-", "-", 1, 0, "1500.00"));
    EXPECT_TRUE(host.sent.isEmpty());

    host.f.isPlaying = false;
    add(who("anna", "-", "-", 1, 0, "1500.00"));
    EXPECT_EQ(host.sent, QStringList{"Invite anna 5 "});
    EXPECT_TRUE(host.called("sound(bell)"));
    EXPECT_TRUE(host.f.isReady);
}

TEST_F(PlayerListTest, AutoInviteResumesASavedMatchByNameAndAsksForAnUnlimitedOneInWords) {
    for (const auto &[points, command] : {std::pair{"S", "Invite anna  "}, {"U", "Invite anna unlimited "}}) {
        host.sent.clear();
        host.l.autoInviteList = {{"anna", points}};
        add(who("anna", "-", "-", 1, 0, "1500.00"));
        EXPECT_EQ(host.sent, QStringList{command}) << points;
    }
}

TEST_F(PlayerListTest, FirstCompleteListSendsTheStartUpTogglesOnce) {
    host.f.endList = true;
    host.p.prfSWelcome = true;
    add(who("anna", "-", "-", 0, 0, "1500.00"));
    add(who("bert", "-", "-", 0, 0, "1500.00"));
    EXPECT_EQ(host.calls.filter("SendStartupToggles").size(), 1);
    EXPECT_TRUE(host.p.prfInitSettings);
    EXPECT_EQ(host.calls.filter("sound(welcome)").size(), 1);
}

TEST_F(PlayerListTest, SaveWaitsForTheSecondWhoLineAfterTheMatchEnd) {
    host.f.saveAutoFlag = true;
    add(who("anna", "-", "-", 0, 0, "1500.00"));
    EXPECT_FALSE(host.called("SaveAuto"));
    add(who("bert", "-", "-", 0, 0, "1500.00"));
    EXPECT_TRUE(host.called("SaveAuto"));
    EXPECT_FALSE(host.f.saveAutoFlag);
}

TEST_F(PlayerListTest, CorruptListIsFetchedAfreshOnce) {
    const QString line = who("anna", "-", "-", 0, 0, "1500.00");
    // Rows that do not carry the player's name as a word cannot be replaced and pile up.
    for (int i = 0; i < 61; ++i)
        list.UpdatePlayerList("someone-else", "ready", line);
    EXPECT_EQ(host.sent.filter("rawwho ").size(), 1);
    EXPECT_TRUE(list.rows(PlayerList::Which::All).size() < 61);
}

TEST(PlayerListRefreshTest, FirstLineOfTheRunAsksTheServerForEveryList) {
    FakeServerLineHost host;
    PlayerList list(host);
    list.UpdatePlayerList("anna", "ready", who("anna", "-", "-", 0, 0, "1500.00"));
    EXPECT_EQ(host.sent, (QStringList{"set sortwho rating ", "who ", "set sortwho rrating ", "who ", "who ready",
                                      "who playing", "who away"}));
    EXPECT_TRUE(list.rows(PlayerList::Which::All).isEmpty());  // cleared for the fresh list
}

}  // namespace

namespace {

// --- order, away marks and friends --------------------------------------------------------

TEST_F(PlayerListTest, OneOrderPlacesAndSortsRows) {
    for (const char *name : {"anna", "Bob", "odd"})
        add(who(name, "-", "-", 0, 0, "1500.00"));
    // Names sort A to Z whatever their case, and later rows go in by that same order.
    list.sortRows(PlayerList::Which::All, true);
    list.sortByName = true;
    add(who("carl", "-", "-", 0, 0, "1400.00"));
    add(who("Abe", "-", "-", 0, 0, "1600.00"));
    EXPECT_EQ(names(PlayerList::Which::All), (QStringList{"Abe", "anna", "Bob", "carl", "odd"}));
    // By rating, a rating that is no number goes last rather than anywhere.
    list.sortByName = false;
    list.UpdatePlayerList("zed", "ready", "5 zed - - 0 0 x 3 9 1306926526 h - -");
    list.sortRows(PlayerList::Which::All, false);
    add(who("dora", "-", "-", 0, 0, "1450.00"));
    EXPECT_EQ(names(PlayerList::Which::All), (QStringList{"Abe", "anna", "Bob", "odd", "dora", "carl", "zed"}));
    // The ready list is in rating order by number, not by text.
    add(who("low", "-", "-", 1, 0, "999.00"));
    add(who("high", "-", "-", 1, 0, "1800.00"));
    EXPECT_EQ(names(PlayerList::Which::Ready), (QStringList{"high", "low"}));
}

TEST_F(PlayerListTest, AwayMarksTheUsersOwnRowOnly) {
    add(who("bobby", "-", "-", 0, 0, "1900.00"));
    add(who("bob", "-", "-", 1, 0, "1500.00"));
    list.ShowAway(false, "bob");  // nothing marked this run: the row stays whole
    list.ShowAway(true, "bob");
    list.ShowAway(true, "bob");
    EXPECT_EQ(list.rows(PlayerList::Which::All), (QStringList{"-  bobby         1900 914 ", "A* bob           1500 914 "}));
    EXPECT_EQ(list.rows(PlayerList::Which::Ready), QStringList{"A  bob           1500 914 "});
    list.ShowAway(false, "bob");
    list.ShowAway(false, "bob");
    EXPECT_EQ(list.rows(PlayerList::Which::All), (QStringList{"-  bobby         1900 914 ", "R* bob           1500 914 "}));
    EXPECT_EQ(list.rows(PlayerList::Which::Ready), QStringList{"R  bob           1500 914 "});
}

TEST_F(PlayerListTest, FriendsComeFromQuotedAndHandWrittenLines) {
    TestEnvironment env;
    env.writeFile("friends.dat", "\"bob\"\r\n\r\n\"\"\r\ndave\r\n");
    list.friendsFile = env.programFolder() + "/friends.dat";
    host.p.prfFriendView = true;
    host.p.prfSFriends = true;
    qint64 now = 0;
    list.clock = [&now] { return now; };
    host.f.endList = true;  // the first complete list reads friends.dat
    for (const char *name : {"bob", "carl", "dave"})
        add(who(name, "-", "-", 0, 0, "1500.00"));
    list.UpdatePlayerList("", "end", "6");
    EXPECT_EQ(host.l.friendsList, (QStringList{"bob", "dave"}));
    EXPECT_EQ(names(PlayerList::Which::Friends), (QStringList{"dave", "bob"}));
    // A friend who arrives turns the view to the friends; the friends of the list the server
    // gives whole, after a login or a refresh, are there already, and others coming and going
    // turn nothing.
    list.UpdatePlayerList("carl", "logout", "8 carl carl logs out.");
    add(who("dave", "-", "-", 1, 0, "1500.00"));
    EXPECT_EQ(host.calls.filter("opFriends_Click").size(), 0);

    // The friend sound keeps quiet for ten seconds after friends.dat was read.
    list.UpdatePlayerList("dave", "logout", "8 dave dave logs out.");
    EXPECT_FALSE(host.called("sound(friend)"));
    now = 10001;
    add(who("dave", "-", "-", 0, 0, "1500.00"));
    EXPECT_TRUE(host.called("sound(friend)"));
    EXPECT_EQ(host.calls.filter("opFriends_Click").size(), 1);
    list.mnuListRefresh_Click();
    add(who("bob", "-", "-", 0, 0, "1500.00"));
    EXPECT_EQ(host.calls.filter("opFriends_Click").size(), 1);
    list.UpdatePlayerList("", "end", "6");

    // A changed friends.dat is read at once; the rows and the counters follow it, and a who
    // line of the new friend keeps him among the friends.
    add(who("carl", "-", "-", 0, 0, "1600.00"));
    env.writeFile("friends.dat", "\"carl\"\r\n\"bob\"\r\n");
    list.reloadFriends();
    EXPECT_EQ(names(PlayerList::Which::Friends), (QStringList{"carl", "bob"}));
    EXPECT_EQ(host.calls.last(), "counters(2,0,2)");
    add(who("carl", "-", "-", 0, 0, "1610.00"));
    EXPECT_EQ(names(PlayerList::Which::Friends), (QStringList{"carl", "bob"}));

    // Once the last friend is gone from the file, the friends list is empty too.
    env.writeFile("friends.dat", "");
    list.reloadFriends();
    EXPECT_TRUE(list.rows(PlayerList::Which::Friends).isEmpty());
}

}  // namespace
