// The lobby in the main window: the row a right click chooses and the menu it opens, the
// friends and gag files, the editor, the auto-invite list, what the entries send to the
// scripted server, and one whole session from the login to the files on disk.
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "app/Utilities.h"
#include "lobby/AutoInviteList.h"
#include "lobby/FriendsFile.h"
#include "lobby/frmChat.h"
#include "lobby/frmEdit.h"
#include "lobby/frmInvite.h"
#include "lobby/frmMessage.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"
#include "support/FileSizeLimit.h"
#include "support/OnlineLogin.h"
#include "support/QuickWindow.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"
#include "support/WindowManagerSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

QStringList captions(const QMenu *menu) {
    QStringList c;
    for (const QAction *a : menu->actions())
        c << a->text();
    return c;
}

QStringList names(const QListWidget *list) {
    QStringList n;
    for (int i = 0; i < list->count(); ++i)
        n << list->item(i)->text().mid(3).section(' ', 0, 0);
    return n;
}

QPoint rowAt(QListWidget *list, int row) {
    return list->visualItemRect(list->item(row)).center();
}

class LobbyTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No waits: the list refresh paces its commands for a real server.
        window = loadQuickWindow(env);
        ASSERT_TRUE(window);
        window->resize(1400, 900);
        env.clearMessages();
    }
    void TearDown() override {
        setWaitFactor(1);
        window->mnupopup->hide();
        if (window->editWindow)
            window->editWindow->close();
    }
    // Online as far as the lists know, without a server.
    void listsOnline() {
        window->List1->show();
        window->playerList->UpdatePlayerList("nobody", "none", "");  // the run's first refresh
        window->flags.isConnected = true;
    }
    static QString whoLine(const QString &name, const QString &rating, bool ready = false) {
        return QStringLiteral("5 %1 - - %2 0 %3 914 23 1306926526 h.example.net - -").arg(name).arg(int(ready)).arg(rating);
    }
    void add(const QString &name, const QString &rating, bool ready = false) {
        window->playerList->UpdatePlayerList(name, "ready", whoLine(name, rating, ready));
    }
    static void press(QListWidget *list, Qt::MouseButton button, const QPoint &at) {
        QTest::mousePress(list->viewport(), button, {}, at);
    }
    QAction *entry(const char *name) const { return window->findChild<QAction *>(QLatin1String(name)); }
    // Right-clicks the player's row and picks the entry from the menu that opens.
    void fromPlayerMenu(QListWidget *list, const QString &name, const char *entryName) {
        const int row = int(names(list).indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        press(list, Qt::RightButton, rowAt(list, row));
        ASSERT_TRUE(window->mnupopup->isVisible());
        window->mnupopup->hide();
        entry(entryName)->trigger();
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

// The editor and the away window, with a host of their own in place of the main window.
struct FakeLobbyHost : FriendsEditorHost, AwayWindowHost {
    const std::vector<StatsRecord> &statsRecords() const override { return stats; }
    bool online() const override { return connected; }
    bool send(const QString &command) override { sent << command; return true; }
    void setEditorEntriesEnabled(bool enabled) override { entriesEnabled = enabled; }
    void friendsChanged() override { ++changes; }
    mnuClick *mnuObject() override { return &menus; }
    bool isAway() const override { return away; }

    std::vector<StatsRecord> stats;
    bool connected = true, away = false, entriesEnabled = true;
    int changes = 0;
    QStringList sent;
    mnuClick menus;
};

TEST(LobbyWindowsTest, ANewUserAddsAFirstFriendAndOkWhileAwayComesBack) {
    TestEnvironment env;
    FakeLobbyHost host;
    auto *editor = new frmEdit(host, frmEdit::Mode::Friends);  // it goes when closed
    editor->show();
    EXPECT_FALSE(host.entriesEnabled);
    QTest::mousePress(editor->List1->viewport(), Qt::RightButton, {}, QPoint(10, 10));
    ASSERT_TRUE(editor->mnupopup->isVisible());
    EXPECT_TRUE(editor->mnuAdd->isEnabled());
    EXPECT_FALSE(editor->mnuRemove->isEnabled());
    EXPECT_FALSE(editor->mnuSend->isEnabled());
    editor->mnupopup->hide();
    env.queueInput("bob");
    editor->mnuAdd->trigger();
    EXPECT_EQ(env.readFile("friends.dat"), "\"bob\"\r\n");
    EXPECT_EQ(editor->List1->count(), 1);
    EXPECT_EQ(host.changes, 1);
    editor->close();
    EXPECT_TRUE(host.entriesEnabled);

    frmMessage away(host);
    away.show();
    away.Combo1->setEditText("dinner");
    away.Command1->click();
    host.away = true;  // the server said so while the window was open
    away.show();
    away.Command1->click();
    host.connected = false;
    away.show();
    away.Command1->click();
    EXPECT_FALSE(away.isVisible());
    EXPECT_EQ(host.sent, (QStringList{"away dinner ", "back "}));
}

// The friends editor and the chat windows stand above the other windows; under a window
// manager the boxes they open show above them, never hidden behind with the program waiting.
TEST(LobbyWindowsTest, TheBoxesOfTheEditorAndAChatWindowShowAboveThem) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TestEnvironment env;
    Dialogs::setHandler({});  // real boxes, which the window manager stacks
    struct OfflineChat : ChatWindowHost {
        Preferences p;
        Preferences &prefs() override { return p; }
        bool socketConnected() const override { return false; }
        bool send(const QString &) override { return false; }
        void playKibitzSound() override {}
    } chatHost;
    FakeLobbyHost host;
    auto *editor = new frmEdit(host, frmEdit::Mode::Friends);
    auto *chat = new frmChat(chatHost);
    chat->txtChatSend->setText("hi");
    const std::pair<QWidget *, std::function<void()>> windows[] = {{editor, [editor] { editor->mnuAdd->trigger(); }},
                                                                    {chat, [chat] { chat->txtChatSend_KeyPress(); }}};
    for (const auto &[window, openBox] : windows) {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        bool boxAbove = false;
        WindowManagerSession::whenShown(QApplication::activeModalWidget, [&](QWidget *box) {
            boxAbove = WindowManagerSession::isAbove(box, window);
            box->close();
        });
        openBox();
        EXPECT_TRUE(boxAbove) << window->objectName().toStdString();
        window->close();
    }
}

TEST_F(LobbyTest, RightClickChoosesTheRowUnderThePointerAndNothingElse) {
    listsOnline();
    EXPECT_EQ(captions(window->mnupopup), (QStringList{"Invite", "Watch", "Join", "Whois", "Look", "Chat", "Ignore ",
                                                       "RepBot", "Friends (Add/Remove)", "Sort", "Refresh"}));
    EXPECT_EQ(captions(window->findChild<QMenu *>("mnuRepbot")),
              (QStringList{"List RepBot", "Ask RepBot", "Vouch for..", "Complain about..", "Withdraw..."}));
    EXPECT_EQ(captions(window->findChild<QMenu *>("mnuSort")), (QStringList{"Sort Rating", "Sort Name"}));

    press(window->List1, Qt::RightButton, QPoint(20, 20));  // an empty list
    EXPECT_FALSE(window->mnupopup->isVisible());
    add("anna", "1700.00");
    add("bob", "1600.00");
    add("carl", "1500.00");
    press(window->List1, Qt::RightButton, rowAt(window->List1, 1));
    EXPECT_EQ(window->List1->currentRow(), 1);
    EXPECT_EQ(window->flags.tokenPlayer, "bob");
    EXPECT_TRUE(window->mnupopup->isVisible());
    window->mnupopup->hide();

    // Below the last row: the choice stays, and no menu offers to act on the nearest row.
    press(window->List1, Qt::RightButton, rowAt(window->List1, 2) + QPoint(0, 40));
    EXPECT_EQ(window->selectedPlayer, "bob");
    EXPECT_FALSE(window->mnupopup->isVisible());
    // Other buttons and the keys choose as the list does, and show no menu.
    QTest::mouseClick(window->List1->viewport(), Qt::LeftButton, {}, rowAt(window->List1, 0));
    EXPECT_EQ(window->selectedPlayer, "anna");
    QTest::mouseClick(window->List1->viewport(), Qt::MiddleButton, {}, rowAt(window->List1, 0));
    EXPECT_FALSE(window->mnupopup->isVisible());
    QTest::keyClick(window->List1, Qt::Key_Down);
    EXPECT_EQ(window->selectedPlayer, "bob");

    // Esc in the friends list lets go of the friend chosen there.
    window->List4->addItem("-  erin          1500 914 ");
    window->List4->setCurrentRow(0);
    QTest::keyClick(window->List4, Qt::Key_Escape);
    EXPECT_TRUE(window->List4->selectedItems().isEmpty());

    // The opponent's name in the match header opens the same menu for him, and no row of
    // another player stays chosen beside him.
    window->lblPlayer2->setText("dave");
    QTest::mousePress(window->lblPlayer2, Qt::RightButton);
    EXPECT_EQ(window->selectedPlayer, "dave");
    EXPECT_TRUE(window->List1->selectedItems().isEmpty());
    EXPECT_EQ(window->flags.whoSays, "dave");
    EXPECT_TRUE(window->mnupopup->isVisible());
}

TEST_F(LobbyTest, FriendsAreChangedInTheFileAsItIsNowAndTheEditorShowsStatistics) {
    listsOnline();
    const QString path = env.programFolder() + "/friends.dat";
    env.writeFile("friends.dat", "\"bob\"\r\n\"carl\"\r\n\"bob\"\r\n\r\ndave\r\n\"bobby\"\r\n");
    EXPECT_EQ(FriendsFile::remove(path, "bob"), "");
    EXPECT_EQ(env.readFile("friends.dat"), "\"carl\"\r\n\r\ndave\r\n\"bobby\"\r\n");
    add("carl", "1500.00");  // the first list reads friends.dat
    add("erin", "1400.00");

    // A write the disk cuts short leaves the old file whole, and the user is told.
    window->selectedPlayer = "erin";
    {
        FileSizeLimit limit(4);
        window->mnuListAddBuddy_Click();
    }
    EXPECT_EQ(env.readFile("friends.dat"), "\"carl\"\r\n\r\ndave\r\n\"bobby\"\r\n");
    EXPECT_TRUE(env.messages().last().startsWith("friends.dat was left as it was: "));

    // The editor refuses a friend already there; below the names its menu offers only "Add".
    window->mnuEditFriends_Click();
    frmEdit *editor = window->editWindow;
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->windowTitle(), "Friends.dat");
    // Until a row is clicked the number boxes say there is nothing to show, also once the
    // list has the keyboard.
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    auto figures = [](const frmEdit *e) {
        return e->txtGames->text() + "/" + e->txtWon->text() + "/" + e->txtRatio->text();
    };
    EXPECT_EQ(figures(editor), "n/a/n/a/100 %");
    EXPECT_FALSE(window->findChild<QAction *>("mnuEditStats")->isEnabled());
    env.queueInput("carl");
    editor->mnuAdd_Click();
    EXPECT_EQ(env.messages().last(), "That user is already on your friends list");
    EXPECT_EQ(env.readFile("friends.dat"), "\"carl\"\r\n\r\ndave\r\n\"bobby\"\r\n");
    auto offered = [editor] {
        return QString("%1%2%3").arg(int(editor->mnuAdd->isEnabled())).arg(int(editor->mnuRemove->isEnabled()))
            .arg(int(editor->mnuSend->isEnabled()));
    };
    QTest::mousePress(editor->List1->viewport(), Qt::RightButton, {}, QPoint(5, editor->List1->height() - 5));
    EXPECT_TRUE(editor->mnupopup->isVisible());
    EXPECT_EQ(offered(), "100");
    editor->mnupopup->hide();
    QTest::mousePress(editor->List1->viewport(), Qt::RightButton, {}, rowAt(editor->List1, 1));
    EXPECT_TRUE(editor->mnupopup->isVisible());
    EXPECT_EQ(offered(), "111");
    editor->mnupopup->hide();

    // A friend added here is among the main window's friends at once, counted, and stays
    // there when his next who line comes.
    env.queueInput("erin");
    editor->mnuAdd_Click();
    EXPECT_EQ(names(window->List4), (QStringList{"carl", "erin"}));
    EXPECT_EQ(window->lblFriends->text(), "2");
    add("erin", "1450.00");
    EXPECT_EQ(names(window->List4), (QStringList{"carl", "erin"}));

    // The boxes show the chosen friend's figures, and are empty again once no row is chosen:
    // the choice let go, the list read afresh, the friend removed.
    window->playerStats.records = {{"carl", 3, 2, 5, ""}, {"erin", 4, 1, 3, ""}};
    auto choose = [editor](const QString &name) {
        const QList<QListWidgetItem *> rows = editor->List1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1) << name.toStdString();
        editor->List1->setCurrentItem(rows.first());
    };
    choose("carl");
    EXPECT_EQ(figures(editor), "3/2/67 %");
    editor->List1->clearSelection();
    EXPECT_EQ(figures(editor), "//");
    choose("erin");
    EXPECT_EQ(figures(editor), "4/1/25 %");
    env.queueInput("fred");
    editor->mnuAdd_Click();
    EXPECT_EQ(figures(editor), "//");
    choose("erin");
    editor->mnuRemove_Click();
    EXPECT_EQ(env.readFile("friends.dat"), "\"carl\"\r\n\r\ndave\r\n\"bobby\"\r\n\"fred\"\r\n");
    EXPECT_EQ(figures(editor), "//");
    editor->cmdClose->click();
    EXPECT_FALSE(editor->isVisible());

    // The statistics viewer: points played and won, and the ratio where there is one.
    window->playerStats.records = {{"bob", 3, 2, 5, ""}, {" carl ", 0, 0, 1, ""}};
    ASSERT_TRUE(entry("mnuEditStats")->isEnabled());
    entry("mnuEditStats")->trigger();
    frmEdit *viewer = window->editWindow;
    EXPECT_EQ(viewer->windowTitle(), "Stats.dat");
    EXPECT_FALSE(viewer->mnuRemove->isEnabled());
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_EQ(figures(viewer), "n/a/n/a/100 %");
    viewer->List1->setCurrentRow(0);
    EXPECT_EQ(viewer->txtGames->text() + "/" + viewer->txtWon->text() + "/" + viewer->txtRatio->text(), "3/2/67 %");
    viewer->List1->setCurrentRow(1);
    EXPECT_EQ(viewer->txtGames->text() + "/" + viewer->txtWon->text() + "/" + viewer->txtRatio->text(), "0/0/");
    QTest::keyClick(viewer->List1, Qt::Key_Escape);
    EXPECT_FALSE(viewer->isVisible());
}

// FIBS sends a who line whenever a player's state changes, so lines come between the click
// that chooses a player and the entry that acts on him.
TEST_F(LobbyTest, EveryPlayerMenuEntryActsOnTheChosenPlayerWhateverLinesComeMeanwhile) {
    window->playerList->UpdatePlayerList("nobody", "none", "");  // the run's first refresh, offline
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").awaitLine("show watchers ").hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(server.waitForLines(1));
    auto arrives = [this](const QString &line) { window->SplitFibString(line + "\r\n"); };
    arrives(whoLine("anna", "1700.00"));
    arrives(whoLine("bob", "1600.00"));
    arrives(whoLine("bobby", "1550.00"));
    arrives(whoLine("carl", "1500.00"));
    auto chosenRows = [this] {
        QStringList rows;
        for (const QListWidgetItem *item : window->List1->selectedItems())
            rows << item->text().mid(3).section(' ', 0, 0);
        return rows;
    };

    // While the menu is open, bob's row moves to the top and then changes in place: the row
    // chosen stays his.
    press(window->List1, Qt::RightButton, rowAt(window->List1, 1));
    ASSERT_TRUE(window->mnupopup->isVisible());
    arrives(whoLine("bob", "1800.00"));
    EXPECT_EQ(names(window->List1), (QStringList{"bob", "anna", "bobby", "carl"}));
    EXPECT_EQ(chosenRows(), QStringList{"bob"});
    window->mnupopup->hide();
    entry("mnuWatch")->trigger();
    arrives(whoLine("bob", "1800.00"));
    EXPECT_EQ(chosenRows(), QStringList{"bob"});
    entry("mnuWhois")->trigger();
    entry("mnuChat")->trigger();
    const QList<frmChat *> chats = window->findChildren<frmChat *>();
    ASSERT_EQ(chats.size(), 1);
    EXPECT_EQ(chats.first()->windowTitle(), frmChat::conversationCaption("bob"));
    entry("mnuInvite")->trigger();
    ASSERT_EQ(frmInvite::openWindows().size(), 1);
    EXPECT_EQ(frmInvite::openWindows().first()->windowTitle(), "Invitation bob");
    frmInvite::closeAll();

    // Gone, he leaves no one chosen, and no entry acts on a neighbour or on him.
    arrives("8 bob bob logs out.");
    EXPECT_TRUE(chosenRows().isEmpty());
    EXPECT_EQ(window->selectedPlayer, "");
    env.clearMessages();
    env.queueInput("");  // "Friends (Add/Remove)" asks whom to add
    for (const char *name : {"mnuWatch", "mnuWhois", "mnuLook", "mnuRepBotAsk", "mnuChat", "mnuInvite", "mnuIgnore",
                             "mnuListAddBuddy", "mnuWatchers"})
        entry(name)->trigger();
    EXPECT_EQ(window->findChildren<frmChat *>().size(), 1);
    EXPECT_TRUE(frmInvite::openWindows().isEmpty());
    EXPECT_EQ(env.messages(), QStringList{"Enter a name to add to the buddy list"});
    ASSERT_TRUE(server.waitForScriptEnd());
    EXPECT_EQ(server.linesReceived().mid(1), (QStringList{"watch bob ", "whois bob ", "show watchers "}));
    window->closeChatWindows();
}

TEST_F(LobbyTest, PopupSortsTheShownListAndAutoInviteTakesTheFriends) {
    listsOnline();
    env.writeFile("friends.dat", "\"anna\"\r\n\"carl\"\r\n");
    add("anna", "1500.00", true);
    add("Bob", "1700.00", true);
    add("carl", "1600.00");
    EXPECT_EQ(names(window->List4), (QStringList{"carl", "anna"}));

    // The sorts touch the list shown; the hidden ones keep their order, and the friends list
    // is never sorted.
    window->opReady->setChecked(true);
    entry("mnusortName")->trigger();
    EXPECT_EQ(names(window->List2), (QStringList{"anna", "Bob"}));
    EXPECT_EQ(names(window->List1), (QStringList{"Bob", "carl", "anna"}));
    window->opFriends->setChecked(true);
    entry("mnuSortRating")->trigger();
    entry("mnusortName")->trigger();
    EXPECT_EQ(names(window->List1), (QStringList{"Bob", "carl", "anna"}));
    EXPECT_EQ(names(window->List2), (QStringList{"anna", "Bob"}));
    EXPECT_EQ(names(window->List4), (QStringList{"carl", "anna"}));

    entry("mnuAutoFriends")->trigger();
    QStringList invited;
    for (const AutoInvite &entry : window->lists.autoInviteList)
        invited << entry.name;
    EXPECT_EQ(invited, (QStringList{"carl", "anna"}));
}

TEST_F(LobbyTest, IgnoreGagsTheChosenPlayerOnly) {
    listsOnline();
    window->prefs.prfGagged = true;
    add("bob", "1500.00");
    add("carl", "1400.00");
    window->mnuIgnore_Click();  // no one chosen: nothing asked, nothing written
    EXPECT_TRUE(env.messages().isEmpty());
    window->List1->setCurrentRow(0);
    window->mnuIgnore_Click();
    EXPECT_EQ(env.messages(), QStringList{"Do you want to ignore (bob) ?"});
    EXPECT_EQ(env.readFile("gaglist.txt"), "bob\r\n");
    EXPECT_TRUE(window->gagList.IsGagged("BOB"));
    EXPECT_EQ(window->List1->count(), 1);
}

TEST_F(LobbyTest, AutoInviteLeavesOutTheUserAndTheRobot) {
    const QStringList rows{"-  bob 1500 914 ", "-  carl 1500 914 ", "-  alice 1500 914 ", "-  RepBot 1500 914 ",
                           "-  zed 1500 914 "};
    const std::vector<StatsRecord> stats{{"bob", 9, 4, 7, ""}, {"alice", 1, 1, 3, ""}, {"zed", 2, 1, 0, ""}};
    EXPECT_EQ(AutoInviteList::listText(AutoInviteList::fromFriends(rows, stats, "alice")),
              "bob  7\r\ncarl  1\r\nzed  1\r\n");

    QStringList boxes;
    Dialogs::setHandler([&boxes](const Dialogs::Request &r) {
        boxes << r.title + ": " + r.text;
        return Dialogs::Reply{};
    });
    window->lists.autoInviteList = {{"bob", "5"}};
    window->mnuAutoClear_Click();
    EXPECT_EQ(window->lblStatus->text(), "Auto Invite Cleared");
    window->lists.autoInviteList = {{"carl", "3"}};
    window->mnuAutoShow_Click();
    EXPECT_EQ(boxes, (QStringList{"Korvex: There is no one on Auto Invite", "Auto Invite List..: carl  3\r\n"}));
    Dialogs::setHandler({});
}

TEST_F(LobbyTest, StatusRepBotAndMessageEntriesSendTheirCommands) {
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").awaitLine("back ").pause(100).hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(server.waitForLines(1));

    entry("mnuRepBotAsk")->trigger();  // no one chosen: nothing
    window->selectedPlayer = "bob";
    for (const char *name : {"mnuRepbotList", "mnuRepBotAsk", "mnuRepbotVouch", "mnuRepbotComplain",
                             "mnuRepbotWithdraw", "mnuNotify", "mnuNotify", "mnuReport"})
        entry(name)->trigger();
    EXPECT_FALSE(entry("mnuNotify")->isCheckable());  // the server alone knows that switch
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

    // Away: Esc sends nothing; Enter is Ok, with an empty text; already away: "back " at once.
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

TEST_F(LobbyTest, AWholeSessionSortsMarksAwayKeepsFriendsAndAsksRepBot) {
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
        .sendLines({"You're away. Please type 'back'", "8 carl carl logs out."})
        .awaitLine("tell RepBot ask dave ")
        .awaitLine("back ")
        .sendLines({"Welcome back."})
        .pause(200)
        .hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List1->count() == 4; }, 5000));
    EXPECT_EQ(names(window->List1), (QStringList{"Bob", "carl", "alice", "dave"}));

    // By name, whatever the case.
    window->cmdSort->click();
    EXPECT_EQ(window->cmdSort->text(), "Sort by rating");
    EXPECT_EQ(names(window->List1), (QStringList{"alice", "Bob", "carl", "dave"}));

    // Away with a message: the user's own row is marked once the server agrees. A log-out
    // after the sort takes out that player's row, which stands elsewhere now, in the box as
    // in the model.
    window->mnuAway_Click();
    window->awayWindow->Combo1->setEditText("having dinner");
    window->awayWindow->Command1->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->List1->count() == 3; }, 5000));
    EXPECT_TRUE(window->flags.isAway);
    EXPECT_EQ(names(window->List1), (QStringList{"alice", "Bob", "dave"}));
    ASSERT_EQ(window->playerList->rows(PlayerList::Which::All).size(), window->List1->count());
    for (int i = 0; i < window->List1->count(); ++i)
        EXPECT_EQ(window->playerList->rows(PlayerList::Which::All).at(i), window->List1->item(i)->text());
    EXPECT_TRUE(window->List1->item(0)->text().startsWith("A* alice"));

    // Bob becomes a friend from the player menu, and stops being one from the friends view.
    fromPlayerMenu(window->List1, "Bob", "mnuListAddBuddy");
    EXPECT_EQ(env.readFile("friends.dat"), "\"Bob\"\r\n");
    EXPECT_TRUE(window->opFriends->isChecked());
    EXPECT_EQ(names(window->List4), QStringList{"Bob"});
    EXPECT_EQ(window->lblFriends->text(), "1");
    fromPlayerMenu(window->List4, "Bob", "mnuListAddBuddy");
    EXPECT_EQ(env.readFile("friends.dat"), "");
    EXPECT_EQ(window->List4->count(), 0);
    EXPECT_EQ(window->lblFriends->text(), "0");

    // RepBot is asked about the player under the pointer; back, the row's mark returns.
    window->opAll->setChecked(true);
    fromPlayerMenu(window->List1, "dave", "mnuRepBotAsk");
    window->mnuAway_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isAway; }, 5000));
    EXPECT_TRUE(window->List1->item(0)->text().startsWith("R* alice"));
    ASSERT_TRUE(server.waitForScriptEnd());
    EXPECT_TRUE(server.bytesReceived().contains("\r\naway having dinner \r\ntell RepBot ask dave \r\nback \r\n"));
    EXPECT_EQ(env.messages().filter("Do you want to remove  (Bob)  from you Buddy list").size(), 1);
}

}  // namespace
