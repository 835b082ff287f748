// The player lists in the main window: the row a right click chooses and the menu it opens,
// the views, sorting through the model, the friends and gag files, the editor and the
// auto-invite list.
#include "lobby/AutoInviteList.h"
#include "lobby/FriendsFile.h"
#include "lobby/frmEdit.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"
#include "support/FileSizeLimit.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString who(const QString &name, const QString &rating, int ready = 0) {
    return QStringLiteral("5 %1 - - %2 0 %3 914 23 1306926526 h.example.net - -").arg(name).arg(ready).arg(rating);
}

QStringList texts(const QListWidget *list) {
    QStringList t;
    for (int i = 0; i < list->count(); ++i)
        t << list->item(i)->text();
    return t;
}

QStringList captions(const QMenu *menu) {
    QStringList c;
    for (const QAction *a : menu->actions())
        if (!a->isSeparator())
            c << a->text();
    return c;
}

class PlayerMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.copyData();
        window = std::make_unique<Mainform>();
        ASSERT_TRUE(window->Form_Load());
        window->resize(1400, 900);
        window->show();
        window->prefs.prfDisableSounds = true;
        window->List1->show();
        // The first line of the run asks for the whole list; let that pass.
        window->playerList->UpdatePlayerList("nobody", "none", "");
        window->flags.isConnected = true;
        env.clearMessages();
    }
    void TearDown() override {
        window->mnupopup->hide();
        if (window->editWindow)
            window->editWindow->close();
    }
    void add(const QString &name, const QString &rating, int ready = 0) {
        window->playerList->UpdatePlayerList(name, "ready", who(name, rating, ready));
    }
    static void rightPress(QListWidget *list, const QPoint &at) {
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    }
    QStringList model(PlayerList::Which which) const { return window->playerList->rows(which); }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(PlayerMenuTest, RightClickChoosesTheRowUnderThePointerAndNothingElse) {
    EXPECT_EQ(captions(window->mnupopup), (QStringList{"Invite", "Watch", "Join", "Whois", "Look", "Chat", "Ignore ",
                                                       "RepBot", "Friends (Add/Remove)", "Sort", "Refresh"}));
    EXPECT_EQ(captions(window->findChild<QMenu *>("mnuRepbot")),
              (QStringList{"List RepBot", "Ask RepBot", "Vouch for..", "Complain about..", "Withdraw..."}));
    EXPECT_EQ(captions(window->findChild<QMenu *>("mnuSort")), (QStringList{"Sort Rating", "Sort Name"}));

    // A right click on an empty list chooses no one and shows nothing.
    rightPress(window->List1, QPoint(20, 20));
    EXPECT_FALSE(window->mnupopup->isVisible());

    add("anna", "1700.00");
    add("bob", "1600.00");
    add("carl", "1500.00");
    rightPress(window->List1, window->List1->visualItemRect(window->List1->item(1)).center());
    EXPECT_EQ(window->List1->currentRow(), 1);
    EXPECT_EQ(window->selectedPlayer, "bob");
    EXPECT_EQ(window->flags.tokenPlayer, "bob");
    EXPECT_TRUE(window->mnupopup->isVisible());
    window->mnupopup->hide();

    // Below the last row: the choice stays, and no menu offers to act on the nearest row.
    const QRect last = window->List1->visualItemRect(window->List1->item(2));
    rightPress(window->List1, QPoint(last.center().x(), last.bottom() + 40));
    EXPECT_EQ(window->selectedPlayer, "bob");
    EXPECT_EQ(window->List1->currentRow(), 1);
    EXPECT_FALSE(window->mnupopup->isVisible());

    // Other buttons choose as the list does, and show no menu.
    QTest::mouseClick(window->List1->viewport(), Qt::LeftButton, {},
                      window->List1->visualItemRect(window->List1->item(0)).center());
    EXPECT_EQ(window->selectedPlayer, "anna");
    QTest::mouseClick(window->List1->viewport(), Qt::MiddleButton, {},
                      window->List1->visualItemRect(window->List1->item(0)).center());
    EXPECT_FALSE(window->mnupopup->isVisible());
    // Choosing with the keys counts as well.
    window->List1->setFocus();
    QTest::keyClick(window->List1, Qt::Key_Down);
    EXPECT_EQ(window->selectedPlayer, "bob");

    // Esc in the friends list lets go of the friend chosen there.
    window->opFriends->setEnabled(true);
    window->opFriends->setChecked(true);
    window->List4->addItem("-  erin          1500 914 ");
    window->List4->setCurrentRow(0);
    QTest::keyClick(window->List4, Qt::Key_Escape);
    EXPECT_TRUE(window->List4->selectedItems().isEmpty());

    // The opponent's name in the match header opens the same menu for him.
    window->lblPlayer2->setText("dave");
    QTest::mousePress(window->lblPlayer2, Qt::RightButton);
    EXPECT_EQ(window->selectedPlayer, "dave");
    EXPECT_EQ(window->flags.whoSays, "dave");
    EXPECT_TRUE(window->mnupopup->isVisible());
}

TEST_F(PlayerMenuTest, SortingMovesTheModelsRowsAndTheBoxesFollow) {
    add("anna", "1500.00", 1);
    add("Carl", "1700.00", 1);
    add("bob", "1600.00", 1);
    const QStringList ready = texts(window->List2);

    window->findChild<QAction *>("mnusortName")->trigger();
    EXPECT_EQ(texts(window->List1), model(PlayerList::Which::All));
    EXPECT_TRUE(texts(window->List1).at(1).contains(" bob "));
    EXPECT_EQ(texts(window->List2), ready);  // the hidden list is left as it was
    EXPECT_FALSE(window->playerList->sortByName);

    // A log-out takes out the player's own row, in the box as in the model.
    window->List1->setCurrentRow(1);
    window->selectedPlayer.clear();
    window->playerList->UpdatePlayerList("bob", "logout", "8 bob bob logs out.");
    EXPECT_EQ(texts(window->List1), model(PlayerList::Which::All));
    EXPECT_EQ(model(PlayerList::Which::All).filter(" bob ").size(), 0);
    // Rows the server changes choose no one.
    EXPECT_EQ(window->selectedPlayer, "");

    // The button changes the order for good, and back.
    window->cmdSort->setEnabled(true);
    window->cmdSort->click();
    EXPECT_EQ(window->cmdSort->text(), "Sort by rating");
    EXPECT_TRUE(window->playerList->sortByName);
    add("abe", "1400.00");
    EXPECT_TRUE(texts(window->List1).first().contains(" abe "));
    window->cmdSort->click();
    EXPECT_EQ(window->cmdSort->text(), "Sort by name");
    EXPECT_FALSE(window->playerList->sortByName);
    EXPECT_TRUE(texts(window->List1).first().contains(" Carl "));
    EXPECT_EQ(texts(window->List1), model(PlayerList::Which::All));

    // Away marks change the model's row too.
    window->ShowAway(true);  // no login window: no name to mark
    EXPECT_EQ(texts(window->List1), model(PlayerList::Which::All));
}

TEST_F(PlayerMenuTest, FriendsAreAddedAndRemovedInTheFileAsItIsNow) {
    env.writeFile("friends.dat", "\"bob\"\r\n\"carl\"\r\n\"bob\"\r\n\r\ndave\r\n");
    add("bob", "1500.00");
    add("erin", "1400.00");

    // No one chosen: the user is asked for a name, and Yes adds it.
    env.queueInput(" erin ");
    window->mnuListAddBuddy_Click();
    EXPECT_EQ(env.messages(), (QStringList{"Enter a name to add to the buddy list",
                                           "Do you want to add (erin)  to you Buddy list",
                                           "Save complete. You will see that user on the list when they are logged on"}));
    EXPECT_EQ(env.readFile("friends.dat"), "\"bob\"\r\n\"carl\"\r\n\"bob\"\r\n\r\ndave\r\n\"erin\"\r\n");
    EXPECT_TRUE(window->opFriends->isChecked());
    EXPECT_EQ(texts(window->List4).size(), 2);
    EXPECT_EQ(window->selectedPlayer, "");

    // bob chosen in the friends view is removed: every line naming him, and only those.
    env.clearMessages();
    window->List4->setCurrentRow(texts(window->List4).indexOf(model(PlayerList::Which::Friends).filter(" bob ").first()));
    window->mnuListAddBuddy_Click();
    EXPECT_EQ(env.messages(), QStringList{"Do you want to remove  (bob)  from you Buddy list"});
    EXPECT_EQ(env.readFile("friends.dat"), "\"carl\"\r\n\r\ndave\r\n\"erin\"\r\n");
    EXPECT_EQ(window->lists.friendsList, (QStringList{"carl", "dave", "erin"}));
    EXPECT_EQ(model(PlayerList::Which::Friends).size(), 1);

    // A write that fails leaves the old file whole, and says so.
    env.clearMessages();
    window->List4->setCurrentRow(0);
    {
        FileSizeLimit limit(4);
        window->mnuListAddBuddy_Click();
    }
    EXPECT_EQ(env.readFile("friends.dat"), "\"carl\"\r\n\r\ndave\r\n\"erin\"\r\n");
    ASSERT_EQ(env.messages().size(), 2);
    EXPECT_TRUE(env.messages().last().startsWith("friends.dat was left as it was: "));

    // The editor refuses a friend already there and leaves the file alone.
    window->mnuEditFriends_Click();
    frmEdit *editor = window->editWindow;
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->windowTitle(), "Friends.dat");
    EXPECT_EQ(texts(editor->List1), (QStringList{"carl", "dave", "erin"}));
    EXPECT_FALSE(window->findChild<QAction *>("mnuEditStats")->isEnabled());
    env.clearMessages();
    env.queueInput("carl");
    editor->mnuAdd_Click();
    EXPECT_EQ(env.messages().last(), "That user is already on your friends list");
    EXPECT_EQ(env.readFile("friends.dat"), "\"carl\"\r\n\r\ndave\r\n\"erin\"\r\n");
    // Its own menu opens on a name, not below them.
    QTest::mousePress(editor->List1->viewport(), Qt::RightButton, {},
                      editor->List1->visualItemRect(editor->List1->item(2)).center());
    EXPECT_TRUE(editor->mnupopup->isVisible());
    editor->mnupopup->hide();
    QTest::mousePress(editor->List1->viewport(), Qt::RightButton, {}, QPoint(5, editor->List1->height() - 5));
    EXPECT_FALSE(editor->mnupopup->isVisible());
    editor->List1->setCurrentRow(-1);
    // Nothing chosen, nothing removed or sent.
    env.clearMessages();
    editor->mnuRemove_Click();
    window->flags.isConnected = false;
    editor->mnuSend_Click();
    EXPECT_EQ(env.messages(), QStringList{"You must be online (FIBS)  to use this feature"});
    editor->close();
    EXPECT_TRUE(window->findChild<QAction *>("mnuEditStats")->isEnabled());
}

TEST_F(PlayerMenuTest, IgnoreAddsTheChosenPlayerToTheGagList) {
    window->prefs.prfGagged = true;
    add("bob", "1500.00");
    add("carl", "1400.00");
    // No one chosen: nothing asked, nothing written.
    window->mnuIgnore_Click();
    EXPECT_TRUE(env.messages().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(env.programFolder() + "/gaglist.txt"));

    window->List1->setCurrentRow(0);
    window->mnuIgnore_Click();
    EXPECT_EQ(env.messages(), QStringList{"Do you want to ignore (bob) ?"});
    EXPECT_EQ(env.readFile("gaglist.txt"), "bob\r\n");
    EXPECT_TRUE(window->gagList.IsGagged("BOB"));
    EXPECT_EQ(model(PlayerList::Which::All).size(), 1);  // gagged players are not shown
}

TEST_F(PlayerMenuTest, StatisticsViewShowsPointsWonAndTheRatio) {
    window->playerStats.records = {{"bob", 3, 2, 5, ""}, {" carl ", 0, 0, 1, ""}};
    window->mnuEditStats_Click();
    frmEdit *viewer = window->editWindow;
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->windowTitle(), "Stats.dat");
    EXPECT_FALSE(viewer->mnuRemove->isEnabled());
    EXPECT_EQ(viewer->txtGames->text(), "n/a");
    viewer->List1->setCurrentRow(0);
    EXPECT_EQ(viewer->txtGames->text(), "3");
    EXPECT_EQ(viewer->txtWon->text(), "2");
    EXPECT_EQ(viewer->txtRatio->text(), "67 %");
    viewer->List1->setCurrentRow(1);
    EXPECT_EQ(viewer->txtGames->text(), "0");
    EXPECT_EQ(viewer->txtRatio->text(), "");
    // A second editor waits for the first to close.
    window->mnuEditFriends_Click();
    EXPECT_EQ(window->editWindow, viewer);
}

TEST_F(PlayerMenuTest, AutoInviteFriendsLeavesOutTheUserAndTheRobot) {
    const QStringList rows{"-  bob           1500 914 ", "-  carl          1500 914 ", "-  alice         1500 914 ",
                           "-  RepBot        1500 914 ", "-  zed           1500 914 "};
    const std::vector<StatsRecord> stats{{"bob", 9, 4, 7, ""}, {"alice", 1, 1, 3, ""}, {"repbot", 1, 0, 1, ""},
                                         {"zed", 2, 1, 0, ""}};
    const auto list = AutoInviteList::fromFriends(rows, stats, "alice");
    EXPECT_EQ(AutoInviteList::listText(list), "bob  7\r\ncarl  1\r\nzed  1\r\n");

    QStringList titles;
    Dialogs::setHandler([&titles](const Dialogs::Request &r) {
        titles << r.title + ": " + r.text;
        return Dialogs::Reply{};
    });
    window->lists.autoInviteList = {{"bob", "5"}};
    window->mnuAutoClear_Click();
    EXPECT_EQ(window->lblStatus->text(), "Auto Invite Cleared");
    EXPECT_TRUE(window->lists.autoInviteList.empty());
    window->lists.autoInviteList = {{"carl", "3"}, {"dave", " "}};
    window->mnuAutoShow_Click();
    EXPECT_EQ(titles, (QStringList{"Korvex: There is no one on Auto Invite",
                                   "Auto Invite List..: carl  3\r\ndave   \r\n"}));
    Dialogs::setHandler({});
}

}  // namespace
