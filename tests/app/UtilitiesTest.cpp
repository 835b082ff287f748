#include "app/DailyPage.h"
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/ProgramExit.h"
#include "app/Utilities.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
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

// The exit has begun and kept the program's files, for as long as one lives, even when the
// test fails on the way.
struct ExitThatKeptItsFiles {
    ExitThatKeptItsFiles() {
        ProgramExit::begin();
        ProgramExit::markKept();
    }
    ~ExitThatKeptItsFiles() { ProgramExit::reset(); }
};

// What the work still unwinding writes would overwrite what the exit has just kept.
TEST(FileTest, NothingIsWrittenOnceTheExitHasKeptTheFiles) {
    TestEnvironment env;
    env.writeFile("friends.txt", "kept by the exit");
    const ExitThatKeptItsFiles ended;
    EXPECT_FALSE(WriteWholeFile(env.programFolder() + "/friends.txt", "written afterwards").isEmpty());
    EXPECT_EQ(QString(env.readFile("friends.txt")), "kept by the exit");
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

// A question the unwinding work still asks is answered No, which leaves things as they are;
// the test's own boxes would answer Yes.
TEST(DialogsTest, AQuestionAskedOnceTheExitHasKeptItsFilesIsAnsweredNo) {
    TestEnvironment env;
    const ExitThatKeptItsFiles ended;
    EXPECT_FALSE(Dialogs::ask("Do you want to save the match?"));
    EXPECT_TRUE(env.messages().isEmpty());
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
