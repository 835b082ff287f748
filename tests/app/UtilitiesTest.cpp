#include "app/DailyPage.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "support/ModalDeadline.h"
#include "support/TestEnvironment.h"
#include "support/UserInput.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(PauseTest, WaitsInTheEventLoopSoTimersRunMeanwhile) {
    bool fired = false;
    QTimer::singleShot(10, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    Pause(60);
    EXPECT_TRUE(fired);
    EXPECT_GE(clock.elapsed(), 55);
}

TEST(PauseTest, ZeroReturnsAtOnceWithoutHandlingEvents) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    Pause(0);
    Pause(-5);
    EXPECT_FALSE(ran);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

// A click made while the board is drawn does not act during the wait, nor is it lost: it
// acts once the wait is over, as the button was pressed.
TEST(PlainSleepTest, AClickDuringTheWaitActsOnceItIsOver) {
    CountingButton button;
    QTimer::singleShot(20, [&] { button.click(); });
    PlainSleep(100);
    EXPECT_EQ(button.clicks(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(button.clicks(), 1);
}

// A box that a timer opens inside a wait is answered at once, by a click and by Return: the
// wait cannot end before the box does.
TEST(PlainSleepTest, ABoxOpenedDuringTheWaitTakesItsAnswerAtOnce) {
    for (const bool byKey : {false, true}) {
        int answer = -1;
        QTimer::singleShot(30, [&] { answer = openBoxAndAnswer(byKey); });
        PlainSleep(200);
        EXPECT_EQ(answer, QMessageBox::Ok) << (byKey ? "Return" : "a click on OK");
    }

    // A list the box drops down is the box's too, though it names no window as its own.
    bool picked = false;
    QTimer::singleShot(30, [&] {
        QDialog box;
        QMenu suggestions;
        QAction *suggestion = suggestions.addAction(QStringLiteral("gnubg-5-point.log"));
        QObject::connect(suggestion, &QAction::triggered, &box, [&] {
            picked = true;
            box.accept();
        });
        closeAtDeadline(&box, QStringLiteral("The box opened during the wait"), 3000);
        QTimer::singleShot(50, &box, [&] {
            suggestions.popup(box.mapToGlobal(QPoint(10, 10)));
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&suggestions));
            QTest::mouseClick(suggestions.windowHandle(), Qt::LeftButton, {},
                              suggestions.actionGeometry(suggestion).center());
        });
        box.exec();
    });
    PlainSleep(200);
    EXPECT_TRUE(picked);
}

// The Esc held in a wait closes the menu before the click held after it is handed on, so the
// click, which the menu's item had taken, no longer has anywhere to go.
TEST(PlainSleepTest, AClickHeldBehindAnEscThatClosesTheMenuRunsNoItem) {
    QMenu menu;
    QAction *item = menu.addAction(QStringLiteral("Play offline against the computer"));
    int ran = 0;
    QObject::connect(item, &QAction::triggered, [&] { ++ran; });
    menu.popup(QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QTimer::singleShot(20, [&] {
        QTest::keyClick(menu.windowHandle(), Qt::Key_Escape);
        QTest::mouseClick(menu.windowHandle(), Qt::LeftButton, {}, menu.actionGeometry(item).center());
    });
    PlainSleep(100);
    EXPECT_TRUE(menu.isVisible());
    QTest::qWait(100);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(ran, 0);
}

// A shortcut pressed during a wait acts once, after it. One that a box opened after the wait
// finds up is kept from acting by the box, as a key pressed then would be.
TEST(PlainSleepTest, AShortcutDuringTheWaitActsOnceAfterItUnlessABoxIsUp) {
    QWidget window;
    window.resize(200, 100);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QShortcut shortcut(QKeySequence(Qt::CTRL | Qt::Key_N), &window);
    int acted = 0;
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++acted; });
    const auto pressDuringAWait = [&] {
        QTimer::singleShot(20, [&] { QTest::keyClick(window.windowHandle(), Qt::Key_N, Qt::ControlModifier); });
        PlainSleep(100);
    };

    pressDuringAWait();
    EXPECT_EQ(acted, 0);
    QTest::qWait(50);
    EXPECT_EQ(acted, 1);

    pressDuringAWait();
    QMessageBox box(QMessageBox::Information, QStringLiteral("Korvex"), QStringLiteral("Match over"), QMessageBox::Ok);
    closeAtDeadline(&box, QStringLiteral("The box opened after the wait"), 3000);
    int actedWhileUp = -1;
    QTimer::singleShot(200, &box, [&] {
        actedWhileUp = acted;
        box.accept();
    });
    box.exec();
    EXPECT_EQ(actedWhileUp, 1);
}

TEST(DailyPageTest, CyclesFromTheDefaultCounter) {
    int counter = -2;
    QStringList shown;
    for (int i = 0; i < 14; ++i)
        shown << DailyPage::next(counter);
    const QStringList expected{"html/intro.html",   "html/intro.html",   "html/daily1.html", "html/daily2.html",
                               "html/daily3.html",  "html/daily4.html",  "html/daily5.html", "html/daily6.html",
                               "html/daily7.html",  "html/daily8.html",  "html/daily9.html", "html/daily10.html",
                               "html/intro.html",   "html/daily1.html"};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(counter, 1);
    counter = 32767;  // a hand-edited counter restarts the cycle rather than overflowing
    EXPECT_EQ(DailyPage::next(counter), "html/intro.html");
}

TEST(FileTest, EmptyOrMissingFilesDoNotExist) {
    TestEnvironment env;
    env.writeFile("empty.txt", "");
    env.writeFile("full.txt", "x");
    EXPECT_FALSE(FileExists(env.programFolder() + "/empty.txt"));
    EXPECT_FALSE(FileExists(env.programFolder() + "/missing.txt"));
    EXPECT_FALSE(FileExists(env.programFolder()));
    EXPECT_TRUE(FileExists(env.programFolder() + "/full.txt"));
}

TEST(ProgramTest, PathsAreFoundWhateverTheCase) {
    TestEnvironment env;
    env.writeFile("pics/default/data.txt", "x");
    EXPECT_EQ(Program::path("pics/Default/data.txt"), env.programFolder() + "/pics/default/data.txt");
    EXPECT_EQ(Program::path("pics/New/data.txt"), env.programFolder() + "/pics/New/data.txt");
    EXPECT_TRUE(Program::isSafeFileName("hello.wav"));
    for (const char *bad : {"../x.wav", "a/b.wav", "a\\b.wav", "..", ""})
        EXPECT_FALSE(Program::isSafeFileName(bad)) << bad;
}

TEST(PlayWavTest, SilentWhenSoundsAreOffOrTheFileIsMissingOrUnsafe) {
    TestEnvironment env;
    env.copyData();
    Preferences prefs;
    prefs.prfTalkingWavs = true;
    QElapsedTimer clock;
    clock.start();
    PlayWav("no-such-sound", false, prefs);
    PlayWav("../../etc/passwd", true, prefs);
    PlayWav("", true, prefs);
    prefs.prfDisableSounds = true;
    PlayWav("hello.wav", true, prefs);  // would wait for the voice if it played
    PlayWav("move", false, prefs);
    EXPECT_LT(clock.elapsed(), 500);

    // A name from the server never climbs out of the sound folders, even to a file that exists.
    env.writeFile("outside.wav", "RIFF");
    EXPECT_EQ(WavFile("move", false), env.programFolder() + "/wavs/move.wav");
    EXPECT_EQ(WavFile("hello.wav", true), env.programFolder() + "/talking wavs/hello.wav");
    EXPECT_EQ(WavFile("../outside", false), QString());
    EXPECT_EQ(WavFile("../outside.wav", true), QString());
    EXPECT_EQ(WavFile("no-such-sound", false), QString());
}

// With no program to open an address or a file, the user is told which one.
TEST(OpenTest, AnAddressNothingCanOpenIsNamedToTheUser) {
    TestEnvironment env;
    EXPECT_TRUE(OpenOrSay("https://example.org/"));
    EXPECT_TRUE(env.messages().isEmpty());
    env.setOpenSucceeds(false);
    EXPECT_FALSE(OpenOrSay("https://example.org/"));
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages().first().contains("https://example.org/"));
    EXPECT_EQ(env.opened().size(), 2);
}

TEST(DownloadTest, UnreachableAddressesFailQuickly) {
    // Nothing listens on this loopback port.
    EXPECT_FALSE(CheckInternetConnection("http://127.0.0.1:9/", 2000));
    TestEnvironment env;
    EXPECT_FALSE(DownloadFile("http://127.0.0.1:9/update.txt", env.programFolder() + "/update.txt", 2000));
    EXPECT_FALSE(QFileInfo::exists(env.programFolder() + "/update.txt"));
}

}  // namespace
