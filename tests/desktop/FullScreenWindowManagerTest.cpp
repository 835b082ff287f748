// Full screen under a real window manager (openbox, in an X display the test starts): the
// strip of menus and buttons shows in front of the full-screen board whenever the pointer
// calls it, so "Full Screen Off" is always reachable, and it is just its menus and one row of
// buttons beside the board's panels. Where no such display can start, the test is skipped.
#include "app/SettingsStore.h"
#include "app/frmExit.h"
#include "board/BoardShow.h"
#include "mainform/Mainform.h"
#include "mainform/Startup.h"
#include "play/frmHide.h"
#include "support/TestEnvironment.h"
#include "support/WindowManagerSession.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Wide enough for every menu and button in one row beside the score panel.
constexpr QSize kScreen(1920, 1080);

std::unique_ptr<WindowManagerSession> session;
std::unique_ptr<QApplication> application;

class FullScreenWindowManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        session = std::make_unique<WindowManagerSession>(kScreen);
        qputenv("QT_QPA_PLATFORM", session->started() ? "xcb" : "offscreen");
        if (session->started())
            qputenv("DISPLAY", session->display().toLatin1());
        static int argc = 1;
        static char name[] = "test_desktop";
        static char *argv[] = {name, nullptr};
        application = std::make_unique<QApplication>(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    static void TearDownTestSuite() {
        application.reset();
        session.reset();
    }
    void SetUp() override {
        if (!session->started())
            GTEST_SKIP() << session->failure().toStdString();
        frmExit::setQuitHook([] {});
    }
    void TearDown() override { frmExit::setQuitHook({}); }

    TestEnvironment env;
};

TEST_F(FullScreenWindowManagerTest, AProgramStartedInFullScreenShowsItsStripInFrontAndLeavesFullScreenThere) {
    env.copyData();
    SettingsStore stored;
    stored.write("isAnimInit", "True");
    stored.write("prfFullScreen", "True");
    stored.sync();
    std::unique_ptr<Mainform> window(Startup::Main());
    ASSERT_TRUE(window);
    frmHide *full = window->frmHideWindow;
    ASSERT_TRUE(full && QTest::qWaitForWindowActive(full));

    // Over the board the strip goes; in the bottom tenth of the screen it comes back.
    const QPoint board = full->boardShow->mapToGlobal(full->boardShow->rect().center());
    const QPoint bottom(kScreen.width() / 2, kScreen.height() - 4);
    ASSERT_TRUE(session->movePointer(board));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
    ASSERT_TRUE(session->movePointer(bottom));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible() && full->picContainerScore->isVisible(); }, 5000));
    QTest::qWait(300);  // the window manager maps and stacks it

    // Just the menus and one row of buttons, clear of the panels.
    const int stripHeight = window->menuBar()->height() + window->Picture1->height();
    EXPECT_EQ(window->height(), stripHeight);
    for (const QPushButton *button : window->Picture1->findChildren<QPushButton *>())
        EXPECT_EQ(button->y(), window->cmdExit->y()) << button->objectName().toStdString();
    for (const QRect &panel : full->panelAreas())
        EXPECT_FALSE(window->frameGeometry().intersects(panel));

    // The user's own clicks reach Options > Full Screen Off.
    QMenuBar *menus = window->menuBar();
    ASSERT_TRUE(session->click(menus->mapToGlobal(menus->actionGeometry(window->mnuOptions->menuAction()).center())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->mnuOptions->isVisible(); }, 5000))
        << "the click on Options did not reach the strip";
    QTest::qWait(200);
    const QRect entry = window->mnuOptions->actionGeometry(window->mnuFull);
    ASSERT_TRUE(session->click(window->mnuOptions->mapToGlobal(entry.center())));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->prefs.prfFullScreen && !full->isVisible(); }, 5000));

    // Full Screen On from the menu: the strip is in front of the board at once.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(300);  // the window manager frames the window in its normal mode
    window->mnuFull->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(full));
    ASSERT_TRUE(session->movePointer(bottom));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->height() == stripHeight && WindowManagerSession::isAbove(window.get(), full); }, 5000));
    window->mnuExit_Click();
}

}  // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
