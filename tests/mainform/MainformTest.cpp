#include "app/InputGuards.h"
#include "app/frmExit.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "board/BoardShow.h"
#include "lobby/frmChat.h"
#include "mainform/Mainform.h"
#include "mainform/Startup.h"
#include "play/frmHide.h"
#include "support/ChildTest.h"
#include "support/TestEnvironment.h"
#include "support/WindowManagerSession.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainformTest : public ::testing::Test {
protected:
    void SetUp() override {
        frmExit::setQuitHook([this] { ++quits; });
    }
    void TearDown() override { frmExit::setQuitHook({}); }

    TestEnvironment env;
    int quits = 0;
};

// The lobby's and the play's filters call into the window: were they still there while the
// window's controls are deleted, they would be called on a window already half gone.
TEST_F(MainformTest, TheFiltersGoBeforeTheControlsTheyWatch) {
    auto window = std::make_unique<Mainform>();
    QList<QPointer<QObject>> filters;
    for (const char *name : {"lobbyEvents", "pressWatcher"}) {
        filters << window->findChild<QObject *>(name, Qt::FindDirectChildrenOnly);
        ASSERT_TRUE(filters.back()) << name;
    }
    int left = -1;
    QObject::connect(window->cmdSort, &QObject::destroyed, [&] {
        left = int(std::count_if(filters.begin(), filters.end(), [](const QPointer<QObject> &f) { return !f.isNull(); }));
    });
    window.reset();
    EXPECT_EQ(left, 0);
}

TEST_F(MainformTest, LoadsShowsAndWritesItsSettingsAtExit) {
    env.copyData();
    env.writeFile("stats.dat", "bob~3~1~5~slow roller\r\n");
    env.storeSettings({{"prfhtmlCounter", "2"}, {"prfSShout", "True"}});

    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    QCoreApplication::processEvents();

    EXPECT_EQ(window.prefs.htmlCounter, 3);
    EXPECT_TRUE(window.WebBrowser1->source().toString().endsWith("html/daily3.html"));
    EXPECT_TRUE(window.flags.endList);
    EXPECT_TRUE(window.match.AskToDouble);
    EXPECT_TRUE(window.prefs.isAnimInit);
    EXPECT_EQ(window.playerStats.records.size(), 1u);
    EXPECT_FALSE(window.mnuSoundSelect.isEmpty());
    EXPECT_EQ(window.mnuFull->text(), "Full Screen On");
    EXPECT_EQ(window.cmdExit->text(), "Connect");
    EXPECT_FALSE(window.cmdAccept->isEnabled());

    // The panes keep their places as the window changes size.
    for (QSize size : {QSize(1400, 900), QSize(1100, 760)}) {
        window.resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.picList->width(), window.centralWidget()->width() - window.boardShow->width());
        EXPECT_EQ(window.txtShouts->geometry(), window.txtTerminal->geometry());
        EXPECT_EQ(window.Frame1->y(), window.txtShouts->y() + window.txtShouts->height());
        EXPECT_EQ(window.WebBrowser1->geometry(), window.List1->geometry());
        // The panel under the board keeps its share of the height, but never covers the board.
        const int room = window.centralWidget()->height() - window.Picture1->height() - window.boardShow->height();
        EXPECT_EQ(window.Picture2->height(), qMin(qRound(window.centralWidget()->height() * 0.3), room));
    }

    window.playerStats.records.push_back({"amy", 5, 5, 5, "new"});
    window.prefs.prfSShout = false;
    window.mnuExit_Click();
    EXPECT_TRUE(window.flags.isExitClicked);
    EXPECT_FALSE(window.isVisible());
    ASSERT_TRUE(window.exitWindow);
    EXPECT_TRUE(window.exitWindow->isVisible());

    // Settings and statistics are on disk as soon as the window has closed.
    QSettings written(SettingsStore::fileName(), QSettings::IniFormat);
    EXPECT_EQ(written.value("Preferences/prfhtmlCounter").toString(), "3");
    EXPECT_EQ(written.value("Preferences/prfSShout").toString(), "False");
    EXPECT_EQ(written.value("Preferences/Port").toString(), "4321");
    EXPECT_EQ(env.readFile("stats.dat"), "bob~3~1~5~slow roller\r\namy~5~5~5~new\r\n");

    // The exit window fades out on its own and ends the program once.
    QTRY_COMPARE_WITH_TIMEOUT(quits, 1, 6000);
    EXPECT_FALSE(window.exitWindow->isVisible());
}

// Sizes stored on a larger screen (or edited by hand) fit the screen the windows open on.
TEST_F(MainformTest, StoredSizesFitTheScreenTheWindowsOpenOn) {
    env.copyData();
    {
        SettingsStore store;
        for (const char *key : {"width", "height", "chatwidth", "chatheight"})
            store.write(key, "30000");
        store.write("isAnimInit", "True");
        store.sync();
    }
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    const QRect screen = window.screen()->availableGeometry();
    // As wide as the screen, unless the board and the narrowest player list need more.
    EXPECT_EQ(window.width(), qMax(screen.width(), window.boardShow->width() + 288));
    EXPECT_LE(window.height(), screen.height());
    const frmChat *chat = window.openChat("bob", false);
    EXPECT_LE(chat->width(), screen.width());
    EXPECT_LE(chat->height(), screen.height());
    window.mnuExit_Click();
}

// A screen shorter than the board's layout, under a window manager: the window and its frame
// fit it, and the names and scores under the board stay clear of it, at start and after full screen.
TEST_F(MainformTest, TheFramedWindowFitsAShortScreenAndKeepsTheScoresInSight) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside(QSize(1280, 800));
    env.copyData();
    env.storeSettings({{"prfBoardStyle", "Default"}, {"isAnimInit", "True"}});
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->availableGeometry();
    auto fits = [&] {
        // framed by the window manager, and within the screen
        return window.frameGeometry() != window.geometry() && screen.contains(window.frameGeometry());
    };
    auto check = [&](const char *when) {
        EXPECT_TRUE(QTest::qWaitFor(fits, 5000)) << when;
        EXPECT_GE(window.Picture2->y(), window.boardShow->y() + window.boardShow->height()) << when;
    };
    check("at start");
    window.mnuFull->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.frmHideWindow && window.frmHideWindow->isVisible(); }, 5000));
    QTest::qWait(300);  // the window manager frames the strip, as a user's next click would find it
    window.mnuFull->trigger();
    check("after full screen");
    window.mnuExit_Click();
}

// The smallest screen the default board is made for, under a window manager: the framed window
// fits it from the start, with the counts beside All, Ready and Friends whole, and the
// full-screen strip shows every one of its buttons.
TEST_F(MainformTest, AtTenTwentyFourBySevenSixtyEightEverythingFits) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside(QSize(1024, 768));
    env.copyData();
    env.storeSettings({{"isAnimInit", "True"}});
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->availableGeometry();
    auto framedOnScreen = [&] {
        return window.frameGeometry() != window.geometry() && screen.contains(window.frameGeometry());
    };
    auto inSight = [&](const QWidget *w) {
        for (const QWidget *in = w; in != &window; in = in->parentWidget())
            if (!in->parentWidget()->rect().contains(in->geometry()))
                return false;
        return w->isVisible();
    };
    ASSERT_TRUE(QTest::qWaitFor(framedOnScreen, 5000)) << "at start";
    QTest::qWait(300);  // nothing the window manager does next pushes it off
    EXPECT_TRUE(framedOnScreen());
    window.lblAll->setText("312");
    window.lblReady->setText("104");
    window.lblFriends->setText("12");
    for (const QWidget *w : std::initializer_list<const QWidget *>{window.opAll, window.opReady, window.opFriends,
                                                                   window.lblAll, window.lblReady, window.lblFriends})
        EXPECT_TRUE(inSight(w) && w->width() >= w->sizeHint().width()) << w->objectName().toStdString();

    window.mnuFull->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.frmHideWindow && window.frmHideWindow->isVisible(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor(framedOnScreen, 5000)) << "the strip";
    for (const QPushButton *button : window.Picture1->findChildren<QPushButton *>()) {
        const int caption = button->fontMetrics().horizontalAdvance(button->text()) +
                            (button->icon().isNull() ? 0 : button->iconSize().width());
        EXPECT_TRUE(inSight(button) && button->width() > caption) << button->text().toStdString();
    }
    window.mnuFull->trigger();
    EXPECT_TRUE(QTest::qWaitFor(framedOnScreen, 5000)) << "after full screen";
    window.mnuExit_Click();
}

TEST_F(MainformTest, SecondRunSeesWhatTheFirstWrote) {
    {
        Mainform first;
        ASSERT_TRUE(first.Form_Load());
        first.prefs.prfHost = "127.0.0.1";
        first.prefs.prfPort = 4000;
        first.close();
    }
    Mainform second;
    EXPECT_EQ(second.prefs.prfHost, "127.0.0.1");
    EXPECT_EQ(second.prefs.prfPort, 4000);
    EXPECT_EQ(second.prefs.htmlCounter, -1);  // one start has gone by
}

TEST_F(MainformTest, EmptyProgramFolderStillLoads) {
    // No talking wavs, no pages, no statistics: the program comes up all the same.
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    ASSERT_EQ(window.mnuSoundSelect.size(), 1);
    EXPECT_EQ(window.mnuSoundSelect.first()->text(), "Extra Sound effects (online)");
    EXPECT_TRUE(window.playerStats.records.empty());
    window.close();
    EXPECT_FALSE(QFileInfo::exists(env.programFolder() + "/stats.dat"));
}

TEST_F(MainformTest, StatisticsNotReadWholeAreLeftAsTheyWereAndTheUserIsTold) {
    env.writeFile("stats.dat", "ann~1~1~1~x\rnotes on bob\r");
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.playerStats.MakeStats("ann", 3, true);
    window.close();
    EXPECT_EQ(env.readFile("stats.dat"), "ann~1~1~1~x\rnotes on bob\r");
    EXPECT_TRUE(env.messages().last().startsWith("stats.dat was left as it was"));
}

TEST_F(MainformTest, MissingProgramFolderEndsTheLoadWithTheMessage) {
    Program::setFolder(env.programFolder() + "/gone");
    Mainform window;
    EXPECT_FALSE(window.Form_Load());
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages().first().startsWith(" Oops: Could not find some required files\r\n"));
    window.close();
    // Nothing is saved on this road.
    EXPECT_FALSE(QSettings(SettingsStore::fileName(), QSettings::IniFormat).contains("Preferences/Port"));
}

TEST_F(MainformTest, EngineFileWarningsNameTheFilesChecked) {
    env.writeFile("engine/gnubg", "binary");
    env.writeFile("engine/empty.wd", "");
    const QString folder = env.programFolder() + "/engine/";
    EXPECT_TRUE(Startup::engineFileWarnings(folder + "gnubg", folder + "gnubg").isEmpty());
    EXPECT_EQ(Startup::engineFileWarnings(folder + "gnubg", folder + "empty.wd"),
              QStringList{"The file <" + folder + "empty.wd> is the wrong version"});
    EXPECT_EQ(Startup::engineFileWarnings(folder + "none", folder + "none.wd").size(), 2);
}

// The window closed while a server line's handling sleeps (the second and a half after a
// player "can't move"): the sleep ends there and then, no later line is read, and the exit
// window ends the program.
// A main window that goes takes its exit window with it: the fade its close began ends no
// program that runs on after it, as the next test.
TEST_F(MainformTest, AnExitWindowGoesWithItsMainWindow) {
    {
        Mainform window;
        ASSERT_TRUE(window.Form_Load());
        window.close();
    }
    QTest::qWait(1000);
    EXPECT_EQ(quits, 0);
}

TEST_F(MainformTest, ExitWindowAsksOnceAndFadesInTwentyTicks) {
    frmExit exit(false);
    exit.Form_Load();
    ASSERT_TRUE(exit.isVisible());
    exit.Command1_Click();
    EXPECT_TRUE(exit.isVisible());  // refused: the fade runs first
    EXPECT_EQ(quits, 0);
    QTRY_COMPARE_WITH_TIMEOUT(quits, 1, 2000);
    exit.Command1_Click();
    QTest::qWait(100);
    EXPECT_EQ(quits, 1);
}

// The start routine brings the input guards with it: in a process that has none, a click
// during GnuBG's turn acts until the routine has run, and never after.
TEST(StartupTest, TheStartRoutineBringsTheInputGuards) {
    if (!BareProcess::inside())
        return BareProcess::runCurrentTestInside();
    TestEnvironment env;
    env.copyData();
    QPushButton roll(QStringLiteral("Roll"));
    int rolled = 0;
    QObject::connect(&roll, &QPushButton::clicked, [&rolled] { ++rolled; });
    roll.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&roll));
    const auto clickDuringGnubgsTurn = [&roll] {
        const InputRefusal turn;
        QTest::mouseClick(&roll, Qt::LeftButton);
    };
    clickDuringGnubgsTurn();
    ASSERT_EQ(rolled, 1) << "the process had its guards before the start routine ran";
    std::unique_ptr<Mainform> window(Startup::Main());
    ASSERT_TRUE(window);
    clickDuringGnubgsTurn();
    EXPECT_EQ(rolled, 1);
    window->close();
}

// The program itself, as a user starts it under a window manager: once the window manager's
// close (Alt+F4) reaches its window, it has kept its settings and its process has ended
// within a second and a half, the exit window's fade included.
TEST(StartupTest, TheProgramEndsOnceItsWindowIsClosed) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TestEnvironment env;
    env.copyData();  // the program folder is the executable's own
    const QString program = env.programFolder() + "/korvex";
    ASSERT_TRUE(QFile::copy(QStringLiteral(KORVEX_PROGRAM), program));
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", env.settingsFolder());
    QProcess korvex;
    korvex.setProcessEnvironment(environment);
    korvex.setProcessChannelMode(QProcess::MergedChannels);
    korvex.start(program);
    QProcess search;
    search.start("xdotool", {"search", "--sync", "--onlyvisible", "--name", "^Korvex"});
    ASSERT_TRUE(search.waitForFinished(15000)) << "the main window never came up";
    const QString id = QString::fromLatin1(search.readAllStandardOutput()).split('\n').value(0).trimmed();
    ASSERT_FALSE(id.isEmpty());
    // Alt+F4 closes the window that has the window manager's focus.
    const auto active = [&id] {
        QProcess::execute("xdotool", {"windowactivate", "--sync", id});
        QProcess ask;
        ask.start("xdotool", {"getactivewindow"});
        return ask.waitForFinished(5000) && QString::fromLatin1(ask.readAllStandardOutput()).trimmed() == id;
    };
    ASSERT_TRUE(QTest::qWaitFor(active, 10000)) << "the main window never had the focus";
    QElapsedTimer sinceClose;
    sinceClose.start();
    ASSERT_TRUE(WindowManagerSession::key("alt+F4"));
    ASSERT_TRUE(korvex.waitForFinished(5000)) << korvex.readAll().toStdString();
    EXPECT_LE(sinceClose.elapsed(), 1500);
    EXPECT_EQ(korvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(korvex.exitCode(), 0);
    EXPECT_TRUE(QSettings(env.settingsFolder() + "/Korvex/Korvex.ini", QSettings::IniFormat)
                    .contains("Preferences/Port"));
}

}  // namespace
