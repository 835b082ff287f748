// Full screen from the running program: the mode and the strip, the full-screen board that
// shows and plays exactly as the main board, its panels, and the twins of the board labels.
#include "app/SettingsStore.h"
#include "app/frmExit.h"
#include "board/BoardShow.h"
#include "lobby/frmInvite.h"
#include "mainform/Mainform.h"
#include "mainform/Startup.h"
#include "play/frmHide.h"
#include "support/OnlineLogin.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"
#include "support/WindowManagerSession.h"

#include <QAction>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kOpening = "0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0";

QString board(const QString &position, const QString &dice, const QString &score = "0:0") {
    return "board:You:someplayer:3:" + score + ":" + position + ":1:" + dice + ":1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0";
}

class FullScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        frmExit::setQuitHook([] {});
        env.copyData();
        SettingsStore().write("isAnimInit", "True");
    }
    void TearDown() override { frmExit::setQuitHook({}); }

    std::unique_ptr<Mainform> load() {
        auto window = std::make_unique<Mainform>();
        EXPECT_TRUE(window->Form_Load());
        window->show();
        window->prefs.prfDisableSounds = true;
        return window;
    }
    // The eight board labels and their twins, as (main, twin) captions.
    static QStringList untwinned(const Mainform &w) {
        const frmHide *f = w.frmHideWindow;
        QStringList differ;
        for (const auto &[own, twin] : {std::pair{w.lblPlayer1, f->lblPlayer1}, {w.lblPlayer2, f->lblPlayer2},
                                        {w.lblpipb, f->lblpip1}, {w.lblpipw, f->lblpip2}, {w.lblStatus, f->lblStatus},
                                        {w.lblMatch, f->lblMatch}, {w.lblScore1, f->lblScore1},
                                        {w.lblScore2, f->lblScore2}})
            if (own->text() != twin->text())
                differ << own->objectName() + ": " + own->text() + " / " + twin->text();
        return differ;
    }

    TestEnvironment env;
};

TEST_F(FullScreenTest, TheMenuTheWindowsCloseAndTheNextStartAllFollowOneSetting) {
    auto window = load();
    window->prefs.prfBackground = "../picAd.png";  // a picture, but never one outside the folder
    window->prefs.prfFullScreenX = 40;
    window->prefs.prfFullScreenY = 130;
    const QSize normal = window->geometry().size();
    window->mnuFull->trigger();
    auto mode = [&] { return std::pair{window->prefs.prfFullScreen, window->mnuFull->text()}; };
    frmHide *full = window->frmHideWindow;
    ASSERT_TRUE(full && full->isVisible() && full->isFullScreen());
    EXPECT_EQ(mode(), (std::pair{true, QString("Full Screen Off")}));
    // The strip stands where it was left, under the score panel.
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_EQ(window->pos(), QPoint(40, 130));
    EXPECT_EQ(window->height(), window->menuBar()->height() + window->Picture1->height());
    auto background = [&] { return QStringList{full->backgroundFile(), window->prefs.prfBackground}; };
    EXPECT_EQ(background(), (QStringList{"dusk.jpg", "dusk.jpg"}));
    full->File1->setCurrentRow(2);
    EXPECT_EQ(background(), (QStringList{"slate.jpg", "slate.jpg"}));

    // Offline the kibitz box keeps what was typed.
    full->txtkibitz->setText("gl");
    QTest::keyClick(full->txtkibitz, Qt::Key_Return);
    EXPECT_EQ(full->txtkibitz->text(), "gl");

    window->move(60, 150);
    window->mnuFull->trigger();
    EXPECT_FALSE(full->isVisible());
    EXPECT_EQ(mode(), (std::pair{false, QString("Full Screen On")}));
    const QSize frame = window->frameGeometry().size() - window->size();
    EXPECT_EQ(window->geometry().size(), normal.boundedTo(screen.size() - frame));
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_EQ((std::pair{window->prefs.prfFullScreenX, window->prefs.prfFullScreenY}), (std::pair{60, 150}));

    // The strip goes back to its place; closing the full-screen window leaves the mode.
    window->mnuFull->trigger();
    EXPECT_EQ(window->pos(), QPoint(60, 150));
    window->hide();  // the pointer was over the board
    full->close();
    EXPECT_EQ(mode(), (std::pair{false, QString("Full Screen On")}));
    EXPECT_TRUE(window->isVisible());

    // A stored strip off every screen comes back onto this one; exit keeps mode and place.
    window->prefs.prfFullScreenX = 5000;
    window->prefs.prfFullScreenY = 5000;
    window->mnuFull->trigger();
    window->mnuExit_Click();
    EXPECT_TRUE(screen.contains(QRect(window->pos(), window->size())));
    QSettings written(SettingsStore::fileName(), QSettings::IniFormat);
    EXPECT_EQ(written.value("Preferences/prfFullScreen").toString(), "True");
    EXPECT_EQ(written.value("Preferences/prfFullScreenX").toInt(), window->x());
    EXPECT_EQ(written.value("Preferences/prfBackground").toString(), "slate.jpg");
    EXPECT_FALSE(written.contains("Preferences/width"));

    auto next = load();
    ASSERT_TRUE(next->frmHideWindow && next->frmHideWindow->isVisible());
    EXPECT_EQ(next->pos(), window->pos());
    EXPECT_EQ(next->mnuFull->text(), "Full Screen Off");
}

TEST_F(FullScreenTest, MinimizingTheStripTakesTheBoardAlongAndNothingWaitsInALoop) {
    auto window = load();
    window->flags.selfPlay = true;  // GnuBG playing both sides
    window->showMinimized();
    window->showNormal();
    window->setCaption(window->lblStatus, "GnuBG rolled 6 and 4");
    EXPECT_FALSE(window->frmHideWindow);  // never made just to be asked

    window->mnuFull->trigger();
    window->showMinimized();
    EXPECT_FALSE(window->frmHideWindow->isVisible());
    window->showNormal();
    EXPECT_TRUE(window->frmHideWindow->isVisible());
}

TEST_F(FullScreenTest, ThePointerClearsTheScreenAndTheTwinsFollowEveryWriter) {
    auto window = load();
    window->mnuFull->trigger();
    frmHide *full = window->frmHideWindow;
    window->ShowKibitz("bob kibitzes: nice move");
    full->Form_MouseMove(full->height() - 2);
    EXPECT_TRUE(window->isVisible() && full->lblStatus->isVisible());
    EXPECT_TRUE(full->picContainer->isVisible() && full->File1->isVisible() && full->picContainerScore->isVisible());
    EXPECT_EQ(full->txtKibitzoutput->toPlainText(), window->txtKibitzoutput->toPlainText());
    // The window that gets the keyboard keeps it for its kibitz box.
    full->activateWindow();
    full->txtkibitz->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), full->txtkibitz);

    window->setCaption(window->lblStatus, "GnuBG wins the match");
    QMouseEvent over(QEvent::MouseMove, QPointF(20, 20), full->boardShow->mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(full->boardShow, &over);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(full->picContainer->isVisible() || full->File1->isVisible() || full->picContainerScore->isVisible());
    EXPECT_TRUE(full->lblStatus->isVisible());
    window->setCaption(window->lblStatus, "It's your turn to roll or double");
    full->BoardShow_MouseMove();
    EXPECT_FALSE(full->lblStatus->isVisible());

    // The writers that once went round the twins, and the ones that never did.
    window->NeutralizeSettings();
    EXPECT_EQ(untwinned(*window), QStringList());
    window->invitationToPlay("bob wants to play a 5 point match with you.",
                             {"bob", "wants", "to", "play", "a", "5", "point", "match", "with", "you."});
    ASSERT_EQ(frmInvite::openWindows().size(), 1);
    QTest::mouseClick(frmInvite::openWindows().at(0)->cmdWatch, Qt::LeftButton);
    EXPECT_EQ(window->lblStatus->text(), "You declined the invitation");
    EXPECT_EQ(untwinned(*window), QStringList());
    window->ProcessBoardOutput(board(kOpening, "0:0:6:4", "2:1"));  // each score to its own twin
    EXPECT_EQ(window->lblScore1->text(), "2");
    EXPECT_EQ(untwinned(*window), QStringList());
    window->Timer1_Timer();  // the blink stopped in its blank phase
    window->Timer1->stop();
    EXPECT_EQ(window->lblStatus->text(), "");
    EXPECT_EQ(untwinned(*window), QStringList());
}

TEST_F(FullScreenTest, TheFullScreenBoardShowsAndPlaysExactlyAsTheMainBoard) {
    auto window = load();
    window->prefs.prfAnimateCheckersB = true;
    window->prefs.prfAnimDelay = 1;
    window->prefs.prfFirstTimer = false;
    window->prefs.prfInitSettings = true;
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3", "4", "** Player someplayer has joined you for a 3 point match.", board(kOpening, "6:1:0:0")})
        .awaitLine("move ")
        .awaitLine("k a b")
        .hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    window->mnuFull->trigger();
    frmHide *full = window->frmHideWindow;
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->match.die1 == 6; }, 10000));
    EXPECT_EQ(full->boardShow->picture(), window->boardShow->picture());

    auto checker = [&](int position) {
        const CheckerRec &c = window->checkers.blackCheckers[window->checkers.blackCheckers.firstOn(position)];
        return QPoint(c.x + 20, c.y + 20);
    };
    QTest::mouseClick(full->boardShow, Qt::LeftButton, {}, checker(13));
    EXPECT_EQ(window->checkers.blackCheckers.countOn(7), 1);
    EXPECT_EQ(full->boardShow->picture(), window->boardShow->picture());
    QTest::mouseClick(full->boardShow, Qt::RightButton, {}, checker(8));
    const QSize size = window->board.size();
    const QPoint dice(int(size.width() * 0.7) + 6, int(size.height() * 0.45) + 6);
    QTest::mouseClick(full->boardShow, Qt::LeftButton, {}, dice);

    // The kibitz box speaks through the one road of commands: one line, whatever was typed.
    full->txtkibitz->setText("a\nb");
    QTest::keyClick(full->txtkibitz, Qt::Key_Return);
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join('\n').toStdString();
    EXPECT_EQ(server.linesReceived().mid(2), (QStringList{"move 13-7 8-7  ", "k a b"}));
    EXPECT_TRUE(full->txtkibitz->text().isEmpty());
}

// Under a real window manager (openbox): a program started in full screen shows its strip in
// front of the board whenever the pointer calls it, so "Full Screen Off" is always reachable,
// and the strip is just its menus and one row of buttons beside the board's panels.
TEST_F(FullScreenTest, AProgramStartedInFullScreenShowsItsStripInFrontAndLeavesFullScreenThere) {
    // Wide enough for every menu and button in one row beside the score panel.
    constexpr QSize kScreen(1920, 1080);
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside(kScreen);
    SettingsStore stored;
    stored.write("prfFullScreen", "True");
    stored.sync();
    std::unique_ptr<Mainform> window(Startup::Main());
    ASSERT_TRUE(window);
    frmHide *full = window->frmHideWindow;
    ASSERT_TRUE(full && QTest::qWaitForWindowActive(full));

    // Over the board the strip goes; in the bottom tenth of the screen it comes back.
    const QPoint board = full->boardShow->mapToGlobal(full->boardShow->rect().center());
    const QPoint bottom(kScreen.width() / 2, kScreen.height() - 4);
    ASSERT_TRUE(WindowManagerSession::movePointer(board));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
    ASSERT_TRUE(WindowManagerSession::movePointer(bottom));
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
    ASSERT_TRUE(WindowManagerSession::click(
        menus->mapToGlobal(menus->actionGeometry(window->mnuOptions->menuAction()).center())));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->mnuOptions->isVisible(); }, 5000))
        << "the click on Options did not reach the strip";
    QTest::qWait(200);
    const QRect entry = window->mnuOptions->actionGeometry(window->mnuFull);
    ASSERT_TRUE(WindowManagerSession::click(window->mnuOptions->mapToGlobal(entry.center())));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->prefs.prfFullScreen && !full->isVisible(); }, 5000));

    // Full Screen On from the menu: the strip is in front of the board at once.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(300);  // the window manager frames the window in its normal mode
    window->mnuFull->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(full));
    ASSERT_TRUE(WindowManagerSession::movePointer(bottom));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->height() == stripHeight && WindowManagerSession::isAbove(window.get(), full); }, 5000));
    window->mnuExit_Click();
}

}  // namespace
