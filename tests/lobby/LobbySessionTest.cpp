// The lobby against the scripted server: what the player menu, the status entries and the
// away window send, and one whole session from the login to the files on disk.
#include "app/Utilities.h"
#include "lobby/frmEdit.h"
#include "lobby/frmMessage.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"
#include "support/OnlineLogin.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class LobbySessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.copyData();
        setWaitFactor(0);  // the list refresh paces its commands for a real server
        window = std::make_unique<Mainform>();
        ASSERT_TRUE(window->Form_Load());
        window->resize(1400, 900);
        window->show();
        window->prefs.prfFirstTimer = false;
        window->prefs.prfInitSettings = true;
        window->prefs.prfDisableSounds = true;
    }
    void TearDown() override { setWaitFactor(1); }

    QAction *entry(const char *name) const { return window->findChild<QAction *>(QLatin1String(name)); }
    // Right-clicks the row of `name` in the list shown and picks `entryName` from the menu.
    void fromPlayerMenu(QListWidget *list, const QString &name, const char *entryName) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->text().mid(3).section(' ', 0, 0) != name)
                continue;
            QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualItemRect(list->item(i)).center());
            ASSERT_TRUE(window->mnupopup->isVisible());
            window->mnupopup->hide();
            entry(entryName)->trigger();
            return;
        }
        FAIL() << "no row for " << name.toStdString();
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(LobbySessionTest, StatusAndRepBotEntriesSendTheirCommands) {
    // Offline nothing goes out and nothing opens.
    window->selectedPlayer = "bob";
    for (const char *name : {"mnuRepBotAsk", "mnuNotify", "mnuReport", "mnuAway"})
        entry(name)->trigger();
    window->opAll_Click();
    EXPECT_FALSE(window->awayWindow);

    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").awaitLine("back ").pause(100).hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(server.waitForLines(1));

    window->selectedPlayer.clear();
    entry("mnuRepBotAsk")->trigger();  // no one chosen: nothing
    window->selectedPlayer = "bob";
    for (const char *name : {"mnuRepbotList", "mnuRepBotAsk", "mnuRepbotVouch", "mnuRepbotComplain",
                             "mnuRepbotWithdraw", "mnuNotify", "mnuNotify", "mnuReport"})
        entry(name)->trigger();
    EXPECT_FALSE(entry("mnuNotify")->isCheckable());  // the server alone knows the switch
    // "All" on an empty list asks the server for it, at each click.
    window->opReady->setChecked(true);
    window->opAll->setChecked(true);
    window->opAll_Click();

    // A message from the friends editor goes to the friend chosen there, and to no one else.
    env.writeFile("friends.dat", "\"bob\"\r\n");
    window->mnuEditFriends_Click();
    env.queueInput("good luck");
    window->editWindow->mnuSend_Click();
    window->editWindow->List1->setCurrentRow(0);
    window->editWindow->mnuSend_Click();
    window->editWindow->close();

    // Away: the window, Enter for Ok, an empty text; Esc sends nothing; away already: "back ".
    entry("mnuAway")->trigger();
    ASSERT_TRUE(window->awayWindow);
    EXPECT_EQ(window->awayWindow->windowTitle(), "Away Message");
    QTest::keyClick(window->awayWindow->Combo1, Qt::Key_Escape);
    EXPECT_FALSE(window->awayWindow->isVisible());
    entry("mnuAway")->trigger();
    QTest::keyClick(window->awayWindow->Combo1, Qt::Key_Return);
    EXPECT_FALSE(window->awayWindow->isVisible());
    window->flags.isAway = true;
    entry("mnuAway")->trigger();
    EXPECT_FALSE(window->awayWindow->isVisible());

    ASSERT_TRUE(server.waitForScriptEnd());
    EXPECT_EQ(server.linesReceived().mid(1),
              (QStringList{"tell RepBot list bob ", "tell RepBot ask bob ", "tell RepBot vouch bob ",
                           "tell RepBot complain bob ", "tell RepBot withdraw bob ", "toggle notify", "toggle notify",
                           "toggle report", "rawwho ", "rawwho ", "message bob good luck ", "away  ", "back "}));
}

TEST_F(LobbySessionTest, AWholeSessionSortsMarksAwayKeepsFriendsAndAsksRepBot) {
    const QStringList players{"5 alice - - 1 0 1550.20 300 1 1306926526 a.example.com Korvex4 0 28 -",
                              "5 Bob - - 0 0 1700.50 900 1 1306926526 b.example.com - -",
                              "5 carl dave - 0 0 1650.10 800 2 1306926526 c.example.com - -",
                              "5 dave carl - 0 0 1500.00 300 2 1306926526 d.example.com - -"};
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3", "4", players.first()})
        .awaitLine("who away")
        .sendLines(players + QStringList{"6"})
        .awaitLine("away having dinner ")
        .sendLines({"You're away. Please type 'back'"})
        .awaitLine("tell RepBot ask carl ")
        .awaitLine("back ")
        .sendLines({"Welcome back."})
        .pause(200)
        .hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List1->count() == 4; }, 5000));
    auto names = [](const QListWidget *list) {
        QStringList n;
        for (int i = 0; i < list->count(); ++i)
            n << list->item(i)->text().mid(3).section(' ', 0, 0);
        return n;
    };
    EXPECT_EQ(names(window->List1), (QStringList{"Bob", "carl", "alice", "dave"}));

    // By name, whatever the case; the rows stay the model's.
    window->cmdSort->click();
    EXPECT_EQ(names(window->List1), (QStringList{"alice", "Bob", "carl", "dave"}));

    // Away with a message: the user's own row is marked once the server agrees.
    window->mnuAway_Click();
    window->awayWindow->Combo1->setEditText("having dinner");
    window->awayWindow->Command1->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->flags.isAway; }, 5000));
    EXPECT_TRUE(window->List1->item(0)->text().startsWith("A* alice"));

    // Bob becomes a friend from the player menu, and leaves the friends again.
    fromPlayerMenu(window->List1, "Bob", "mnuListAddBuddy");
    EXPECT_EQ(env.readFile("friends.dat"), "\"Bob\"\r\n");
    EXPECT_TRUE(window->opFriends->isChecked());
    EXPECT_EQ(names(window->List4), QStringList{"Bob"});
    fromPlayerMenu(window->List4, "Bob", "mnuListAddBuddy");
    EXPECT_EQ(env.readFile("friends.dat"), "");
    EXPECT_EQ(window->List4->count(), 0);

    // RepBot is asked about the player under the pointer.
    window->opAll->setChecked(true);
    fromPlayerMenu(window->List1, "carl", "mnuRepBotAsk");
    window->mnuAway_Click();  // back
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isAway; }, 5000));
    EXPECT_TRUE(window->List1->item(0)->text().startsWith("R* alice"));
    ASSERT_TRUE(server.waitForScriptEnd());

    const QByteArray wire = server.bytesReceived();
    EXPECT_TRUE(wire.contains("\r\naway having dinner \r\ntell RepBot ask carl \r\nback \r\n"));
    EXPECT_EQ(env.messages().filter("Save complete").size(), 1);
    EXPECT_EQ(env.messages().filter("Do you want to remove  (Bob)  from you Buddy list").size(), 1);
}

}  // namespace
