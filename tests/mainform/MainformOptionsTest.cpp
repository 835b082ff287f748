// The Options, More Games and Help menus of the running main window.
#include "app/SettingsStore.h"
#include "app/WebLinks.h"
#include "app/frmAbout.h"
#include "app/frmCheckUpdate.h"
#include "app/frmHelp.h"
#include "app/frmPreferences.h"
#include "board/BoardShow.h"
#include "app/Dialogs.h"
#include "mainform/Mainform.h"
#include "support/OnlineLogin.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"
#include "support/WindowManagerSession.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

void trigger(Mainform &window, const char *entry) {
    QAction *action = window.findChild<QAction *>(entry);
    ASSERT_TRUE(action && action->isEnabled()) << entry;
    action->trigger();
}

TEST(MainformOptionsTest, PreferencesSavedFromTheMenuReachTheWindowAndTheSettingsFile) {
    TestEnvironment env;
    env.copyData();
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    trigger(window, "mnuPreference");
    frmPreferences *preferences = window.preferencesWindow;
    ASSERT_TRUE(preferences && preferences->isVisible());

    preferences->findChild<QRadioButton *>("opFriends")->setChecked(true);
    env.queueFont(QFont("DejaVu Serif", 13));
    env.queueColor(QColor(10, 20, 30));
    preferences->findChild<QPushButton *>("cmdChangeFont")->click();
    env.queueColor(QColor(200, 210, 220));
    preferences->findChild<QPushButton *>("cmdChangeBk2")->click();  // the Kibitz pane, chosen at opening
    preferences->findChild<QCheckBox *>("prfChance")->setChecked(false);
    const QSize oldBoard = window.boardShow->size();
    const QString otherStyle = window.prefs.prfBoardStyle == "Default" ? "original small" : "Default";
    preferences->findChild<QComboBox *>("comboBoards")->setCurrentText(otherStyle);
    preferences->findChild<QPushButton *>("cmdOK")->click();

    EXPECT_FALSE(preferences->isVisible());
    EXPECT_EQ(window.List4->font().family(), "DejaVu Serif");
    EXPECT_EQ(window.List4->palette().color(QPalette::Text), QColor(10, 20, 30));
    EXPECT_EQ(window.txtKibitzoutput->palette().color(QPalette::Base), QColor(200, 210, 220));
    EXPECT_TRUE(window.lblwinsB->isHidden());
    EXPECT_TRUE(window.boardStyle.folder().endsWith(otherStyle));
    EXPECT_NE(window.boardShow->size(), oldBoard);

    // What Save stored is what the next start reads.
    SettingsStore store;
    SavePreferences(window.prefs, store, window.placement());
    Preferences next;
    LoadPreferences(next, store, 1280);
    EXPECT_EQ((std::tuple{next.prfFontListFriends, next.prfFontListFriendssize, next.prfColorListFriends,
                          next.prfBackOutputKibitz, next.prfChance}),
              (std::tuple{QString("DejaVu Serif"), 13.0, qint64(30 * 65536 + 20 * 256 + 10),
                          qint64(220 * 65536 + 210 * 256 + 200), false}));
}

// The winning chances are the engine's, offline: online they stay hidden whatever Save says.
TEST(MainformOptionsTest, SavingPreferencesOnlineLeavesTheWinningChancesHidden) {
    TestEnvironment env;
    env.copyData();
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    window.prefs.prfFirstTimer = false;  // an account made
    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex");
    ASSERT_TRUE(logInTo(window, server));
    trigger(window, "mnuPreference");
    frmPreferences *preferences = window.preferencesWindow;
    ASSERT_TRUE(preferences && preferences->isVisible());
    preferences->findChild<QCheckBox *>("prfChance")->setChecked(true);
    preferences->findChild<QPushButton *>("cmdOK")->click();
    EXPECT_FALSE(preferences->isVisible());
    EXPECT_TRUE(window.prefs.prfChance);
    EXPECT_TRUE(window.lblwinsB->isHidden());
    EXPECT_TRUE(window.lblwinsW->isHidden());
}

TEST(MainformOptionsTest, LinksHelpAboutAndUpdateAnswerFromTheMenus) {
    TestEnvironment env;
    env.copyData();
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    for (const char *entry : {"mnuLanternhall", "mnuPoker", "mnuGin", "mnuBlackjack"})
        trigger(window, entry);
    window.picAd->show();  // a screen under 1024 pixels wide, like the test's, hides it
    QTest::mouseClick(window.picAd, Qt::LeftButton);
    // The home-page link under the board answers the mouse and the keyboard.
    ASSERT_TRUE(window.Label3->isVisible());
    QTest::mouseClick(window.Label3, Qt::LeftButton, {}, window.Label3->rect().center());
    window.Label3->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.Label3, Qt::Key_Tab);  // from the label onto its link
    QTest::keyClick(window.Label3, Qt::Key_Return);
    EXPECT_EQ(env.opened(), (QStringList{WebLinks::onlinePage(), WebLinks::homePage(), WebLinks::homePage(),
                                         WebLinks::partnerReferral(), WebLinks::onlinePage(), WebLinks::homePage(),
                                         WebLinks::homePage()}));
    EXPECT_EQ(window.cmdToggleReady->toolTip(), "Toggle Ready");

    trigger(window, "mnuNotes");
    trigger(window, "mnuNotes");  // the open window comes to the front; no second one
    EXPECT_EQ(window.findChildren<frmHelp *>().size(), 1);
    trigger(window, "mnuAbout");
    ASSERT_TRUE(window.findChild<frmAbout *>());
    trigger(window, "mnuChecUpdate");
    auto *update = window.findChild<frmCheckUpdate *>();
    ASSERT_TRUE(update && update->isVisible());
    update->cmdOK_Click();
    EXPECT_TRUE(env.messages().isEmpty());
}

// Preferences stands above the main window: when the user goes back to the main window, and
// after it has opened a font, colour or message box (each above it) or a list file.
TEST(MainformOptionsTest, PreferencesStaysAboveTheMainWindow) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TestEnvironment env;
    env.copyData();
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Real boxes from here on, as the window manager stacks them.
    Dialogs::setHandler({});
    Dialogs::setChooserHandlers({}, {});
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    trigger(window, "mnuPreference");
    frmPreferences *preferences = window.preferencesWindow;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preferences));
    ASSERT_TRUE(QTest::qWaitFor([&] { return WindowManagerSession::isAbove(preferences, &window); }, 5000));

    auto stillAbove = [&](const char *after) {
        QTest::qWait(300);
        EXPECT_TRUE(WindowManagerSession::isAbove(preferences, &window)) << after;
    };
    window.raise();
    window.activateWindow();
    stillAbove("the main window was brought to the front");

    for (const char *button : {"cmdChangeFont", "cmdChangeBk", "cmdOK"}) {
        if (QByteArray(button) == "cmdOK")
            preferences->findChild<QLineEdit *>("prfDelay")->setText("9");  // refused, with a message
        bool boxAbove = false;
        WindowManagerSession::whenShown(QApplication::activeModalWidget, [&](QWidget *box) {
            boxAbove = WindowManagerSession::isAbove(box, preferences);
            box->close();
        });
        QTest::mouseClick(preferences->findChild<QPushButton *>(button), Qt::LeftButton);
        EXPECT_TRUE(boxAbove) << button;
        stillAbove(button);
    }
    ASSERT_TRUE(preferences->isVisible());
    QTest::mouseClick(preferences->findChild<QPushButton *>("cmdKibitz"), Qt::LeftButton);
    EXPECT_EQ(env.opened().size(), 1);
    window.raise();
    window.activateWindow();
    stillAbove("Edit kibitz.txt and a return to the main window");
}

// The help pages name what the windows hold, and say where the full-screen panels stand.
TEST(MainformOptionsTest, TheHelpPagesNameEveryToolbarButtonAndMenuAndWhereTheScoreIs) {
    TestEnvironment env;
    Mainform window;
    auto read = [](const char *name) {
        QFile page(QStringLiteral(KORVEX_DATA_DIR "/help/") + QLatin1String(name));
        EXPECT_TRUE(page.open(QIODevice::ReadOnly)) << name;
        return QString::fromUtf8(page.readAll()).simplified();
    };
    const QString help = read("window.html");
    const QList<QPushButton *> buttons = window.Picture1->findChildren<QPushButton *>();
    EXPECT_GE(buttons.size(), 17);
    for (const QPushButton *button : buttons)
        EXPECT_TRUE(help.contains(button->text(), Qt::CaseInsensitive)) << button->text().toStdString();
    for (const QAction *menu : window.menuBar()->actions()) {
        const QString title = menu->text().remove(u'&');
        EXPECT_TRUE(help.contains("<b>" + title + "</b>")) << title.toStdString();
    }
    // Each entry of the Edit menu is told under Edit.
    const qsizetype edit = help.indexOf("<li><b>Edit</b>");
    ASSERT_GE(edit, 0);
    const QString item = help.mid(edit, help.indexOf("</li>", edit) - edit);
    for (const QAction *entry : window.mnuEdit->actions())
        EXPECT_TRUE(item.contains(entry->text())) << entry->text().toStdString();

    const QString fullScreen = read("fullscreen.html");
    EXPECT_TRUE(fullScreen.contains("the score in the top right corner")) << fullScreen.toStdString();
}

}  // namespace
