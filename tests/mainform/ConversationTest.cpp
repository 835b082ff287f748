// Conversations through the main window against the scripted server: private chat windows,
// the shouts window, the canned lines and the talking waves.
#include "app/frmExit.h"
#include "app/SettingsStore.h"
#include "lobby/frmChat.h"
#include "mainform/Mainform.h"
#include "support/OnlineLogin.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ConversationTest : public ::testing::Test {
protected:
    void SetUp() override {
        frmExit::setQuitHook([] {});
        env.copyData();
    }
    void start() {
        window = std::make_unique<Mainform>();
        ASSERT_TRUE(window->Form_Load());
        window->resize(1400, 900);
        window->show();
        window->prefs.prfFirstTimer = false;
        window->prefs.prfInitSettings = true;
        window->prefs.prfDisableSounds = true;
    }
    void TearDown() override {
        window.reset();
        frmExit::setQuitHook({});
    }
    void type(frmChat *chat, const QString &text) {
        chat->txtChatSend->setText(text);
        QTest::keyClick(chat->txtChatSend, Qt::Key_Return);
    }
    QAction *entry(const char *name) { return window->findChild<QAction *>(QLatin1String(name)); }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(ConversationTest, ASayOpensItsWindowAndTheAnswerGoesOutAsATell) {
    start();
    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3", "12 bob hi there"})
        .awaitLine("tell bob")
        .sendLines({"16 bob fine, and you?", "12 bob good"})
        .pause(100)
        .hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    window->txtkibitz->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([] { return frmChat::find("Chat (bob)") != nullptr; }, 5000));
    frmChat *bob = frmChat::find("Chat (bob)");
    EXPECT_TRUE(bob->isVisible());
    EXPECT_TRUE(bob->testAttribute(Qt::WA_ShowWithoutActivating));  // the keyboard stays in the kibitz box
    EXPECT_EQ(bob->txtReceive->toPlainText(), "bob: hi there \n");

    type(bob, "fine, and you?");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 5000));
    EXPECT_EQ(server.linesReceived().last(), "tell bob fine, and you?");
    EXPECT_EQ(frmChat::openWindows().size(), 1);
    EXPECT_EQ(bob->txtReceive->toPlainText(), "bob: hi there \nYou: fine, and you? \nbob: good \n");

    // Offline the answer stays in the box and the user is told why.
    type(bob, "hello?");
    EXPECT_EQ(env.messages(), QStringList{"Could not send message..check your connection and try again"});
    EXPECT_EQ(bob->txtChatSend->text(), "hello?");

    // A closed window's size, in whole pixels, is the next one's, into the next run.
    bob->resize(760, 500);
    bob->mnuBigger->trigger();
    bob->close();
    EXPECT_FALSE(frmChat::find("Chat (bob)"));
    window->lblPlayer2->setText("carl");
    QTest::mouseDClick(window->lblPlayer2, Qt::LeftButton);
    frmChat *carl = frmChat::find("Chat (carl)");
    ASSERT_TRUE(carl);
    EXPECT_EQ(carl->chatWith, "carl");
    EXPECT_EQ(carl->size(), QSize(760, 500));
    EXPECT_FALSE(carl->testAttribute(Qt::WA_ShowWithoutActivating));
    carl->resize(780, 520);
    window->close();
    QSettings written(SettingsStore::fileName(), QSettings::IniFormat);
    EXPECT_EQ(written.value("Preferences/chatwidth").toString(), "780");
    EXPECT_EQ(written.value("Preferences/prfChatFont").toString(), "10");
}

TEST_F(ConversationTest, CannedLinesShoutsWindowAndTalkingWavesOnline) {
    // kibitz.txt of the user's own, shouts.txt gone: the other two menus load all the same.
    env.writeFile("kibitz.txt", "good game playername\r\n");
    QFile::remove(env.programFolder() + "/shouts.txt");
    env.writeFile("talking wavs/laugh & cry.wav", "RIFF....WAVE");
    start();
    QAction *laugh = nullptr;
    for (QAction *sound : window->mnuSoundSelect)
        if (sound->data() == "laugh & cry.wav")
            laugh = sound;
    ASSERT_TRUE(laugh);
    EXPECT_EQ(laugh->text(), "laugh && cry.wav");

    ScriptedServer server;
    server.send("login: ")
        .awaitLine("login Korvex")
        .sendLines({"3"})
        .awaitLine("k laugh & cry.wav")
        .sendLines({"13 carl hey all"})
        .pause(100)
        .hangUp();
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(server.waitForLines(1));
    EXPECT_EQ(env.messages(), QStringList());
    EXPECT_EQ(entry("mnuShouts0")->text(), "Usage (FIBS) online");
    EXPECT_EQ(entry("mnuServer0")->data().toString(), "who ready");
    ASSERT_TRUE(entry("mnuChatShouts")->isVisible());

    // Shift and a press in the kibitz box offer the same lines.
    QTest::mouseClick(window->txtkibitz, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_FALSE(window->mnuKibitz1->isVisible());
    QTest::mouseClick(window->txtkibitz, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(window->mnuKibitz1->isVisible());
    window->mnuKibitz1->hide();

    window->txtShouts->setPlainText("dave shouts: earlier\n");
    entry("mnuChatShouts")->trigger();
    frmChat *shouts = frmChat::find("Shouts..");
    ASSERT_TRUE(shouts);
    type(shouts, "hi all");
    window->flags.tokenPlayer = "bob";
    entry("mnukibitz0")->trigger();
    window->prefs.prfDisableSounds = false;  // a talking wave is only offered with sounds on
    laugh->trigger();
    window->prefs.prfDisableSounds = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->flags.isConnected; }, 5000));
    EXPECT_EQ(server.linesReceived().mid(1), (QStringList{"shout hi all", "k good game bob ", "k laugh & cry.wav"}));
    EXPECT_EQ(shouts->txtReceive->toPlainText(), "dave shouts: earlier\ncarl shouts: hey all \n");

    // Offline the Shouts placeholder does nothing (there is no shouts.txt to open); the Server
    // lines lead to their file, and when nothing can open it the user is told which.
    entry("mnuShouts0")->trigger();
    EXPECT_EQ(env.opened(), QStringList());
    EXPECT_EQ(env.messages(), QStringList());
    env.setOpenSucceeds(false);
    entry("mnuServer1")->trigger();
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages().first().contains(env.programFolder() + "/server.txt"));
    EXPECT_FALSE(entry("mnuChatShouts")->isVisible());
}

}  // namespace
