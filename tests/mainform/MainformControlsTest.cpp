// Every menu entry and button of the main window either does something or is switched off,
// in the offline look and in the online look; and what the server or a player writes is
// shown as text, never as markup.
#include "board/BoardShow.h"
#include "mainform/Mainform.h"
#include "support/OnlineLogin.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

// How many connections a signal has. QObject keeps the count to itself; its address taken
// through a class of our own is ours to call.
struct SignalReceivers : QObject {
    static int of(const QObject *object, const char *signal) {
        return (object->*(&SignalReceivers::receivers))(signal);
    }
};

// A menu listens to its own entries; an entry that does something has more listeners.
int menuOwnListeners() {
    QMenu menu;
    return SignalReceivers::of(menu.addAction(QStringLiteral("bare")), SIGNAL(triggered(bool)));
}

void collectDeadEntries(const QMenu *menu, QStringList &dead) {
    static const int own = menuOwnListeners();
    for (QAction *entry : menu->actions()) {
        if (entry->menu()) {
            collectDeadEntries(entry->menu(), dead);
            continue;
        }
        if (entry->isSeparator() || !entry->isEnabled() || !entry->isVisible())
            continue;
        if (SignalReceivers::of(entry, SIGNAL(triggered(bool))) <= own &&
            SignalReceivers::of(entry, SIGNAL(toggled(bool))) == 0)
            dead << menu->title() + " > " + entry->text();
    }
}

QStringList deadControls(const Mainform &window) {
    QStringList dead;
    for (QAction *top : window.menuBar()->actions())
        if (top->menu())
            collectDeadEntries(top->menu(), dead);
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        if (!button->isEnabled() || button->window() != &window)
            continue;
        if (SignalReceivers::of(button, SIGNAL(clicked(bool))) == 0 &&
            SignalReceivers::of(button, SIGNAL(pressed())) == 0)
            dead << button->objectName();
    }
    return dead;
}

TEST(MainformControlsTest, NoEntryOrButtonIsEnabledAndDeadOfflineOrOnline) {
    TestEnvironment env;
    env.copyData();
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    EXPECT_EQ(deadControls(window), QStringList());
    {
        // The walk finds an entry nobody listens to.
        std::unique_ptr<QAction> probe(window.mnuOptions->addAction("Probe"));
        EXPECT_EQ(deadControls(window), QStringList{"&Options > Probe"});
    }

    // The menu bar as the user finds it.
    QStringList titles;
    for (QAction *top : window.menuBar()->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList{"&Game", "&Action", "&Edit", "Player List", "&Options", "&Kibitz", "&Shouts",
                                   "&Server", "Sounds", "More Games", "Help"}));
    QStringList editEntries;
    for (QAction *entry : window.mnuEdit->actions())
        editEntries << entry->text();
    EXPECT_EQ(editEntries, (QStringList{"Edit Friends", "View Stats"}));

    window.prefs.prfFirstTimer = false;  // an account exists: Play Online opens the login window
    window.prefs.prfInitSettings = true;
    window.prefs.prfDisableSounds = true;
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").sendLines({"3", "4"});
    ASSERT_TRUE(logInTo(window, server));
    ASSERT_TRUE(server.waitForScriptEnd());
    EXPECT_TRUE(window.findChild<QAction *>("mnuReady")->isEnabled());
    EXPECT_FALSE(window.findChild<QAction *>("mnuJoinList")->isEnabled());  // the player menu's Join acts on no one
    // Submenus the offline look switched off open again online.
    for (const char *name : {"mnuRepbot", "mnuSort", "mnuAutoInvite"})
        EXPECT_TRUE(window.findChild<QMenu *>(name)->isEnabled()) << name;
    EXPECT_EQ(deadControls(window), QStringList());

    // Ready, from the button and from the menu, asks the server.
    window.cmdToggleReady->click();
    window.findChild<QAction *>("mnuReady")->trigger();
    ASSERT_TRUE(server.waitForLines(3));
    EXPECT_EQ(server.linesReceived().mid(1), (QStringList{"toggle ready ", "toggle ready "}));
}

TEST(MainformControlsTest, TheScoreBoardShowsWholeNamesAsPlainText) {
    TestEnvironment env;
    env.copyData();
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    for (const QLabel *label : {window.lblPlayer1, window.lblPlayer2, window.lblStatus, window.lblScore1,
                                window.lblScore2, window.lblMatch, window.lblTime})
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();

    // The names share the right half of the tray, the scores sit under them, the match
    // length between the scores, every label inside the panel.
    window.lblPlayer2->setText("GammonBot_VII");
    EXPECT_GE(window.lblPlayer2->width(), window.lblPlayer2->fontMetrics().horizontalAdvance("GammonBot_VII"));
    EXPECT_EQ(window.lblPlayer2->x(), qRound(window.boardShow->width() * 0.75));
    EXPECT_LT(window.lblScore1->x(), window.lblMatch->x());
    EXPECT_LT(window.lblMatch->x(), window.lblScore2->x());
    EXPECT_GT(window.lblScore1->y(), window.lblPlayer1->y());
    for (const QLabel *label : {window.lblPlayer1, window.lblPlayer2, window.lblScore1, window.lblScore2,
                                window.lblMatch, window.lblpipb, window.lblpipw, window.lblStatus})
        EXPECT_TRUE(window.Picture2->rect().contains(label->geometry())) << label->objectName().toStdString();
}

}  // namespace
