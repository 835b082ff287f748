#include "app/SettingsStore.h"
#include "connection/frmAccount.h"
#include "connection/frmLogin.h"
#include "connection/LineAssembler.h"
#include "connection/PasswordCodec.h"
#include "mainform/Mainform.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class AccountWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<Mainform>();
        window->NeutralizeSettings();
        window->prefs.prfFirstTimer = true;
        window->prefs.prfHost = ScriptedServer::host();
    }

    frmAccount *open(quint16 port) {
        window->prefs.prfPort = port;
        window->mnuConnect->trigger();
        frmAccount *account = window->frmAccountWindow;
        account->Timer1->setInterval(15);  // one dialogue step per tick, sped up
        return account;
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

// The server's side of a registration in which the first name is taken.
void scriptRegistration(ScriptedServer &server) {
    const QByteArray echoOff = ScriptedServer::telnet(251, 1), echoOn = ScriptedServer::telnet(252, 1);
    server.send("\r\nWelcome to the test server\r\n\r\nlogin: ")
        .awaitLine("guest")
        .sendInPieces("\r\nWelcome to the server. You just logged in as guest.\r\nPlease register before using it.\r\n"
                      "Type 'name username'.\r\nONE USERNAME PER PERSON ONLY!!!\r\n> ",
                      11)
        .awaitLine("name bob")
        .send("** Please use another name. 'bob' is already used by someone else.\r\n> ")
        .awaitLine("name alice_b")
        .send(QByteArray(2 << 20, '*'))  // two megabytes without a line end
        .send("Your name will be alice_b.\r\n")
        .pause(40)
        .send(echoOff + "Please give your password: ")
        .awaitLine("Secret1")
        .send(echoOn + "\r\n" + echoOff + "Please retype your password: ")
        .awaitLine("Secret1")
        .send(echoOn + "\r\nYou are registered.\r\nType 'help beginner' to get started.\r\n> ")
        .awaitLine("set boardstyle 3")
        .send("Value of 'boardstyle' set to 3.\r\n> ")
        .awaitLine("toggle moreboards")
        .send("** Will send rawboard after every move.\r\n> ")
        .awaitLine("bye")
        .send("Goodbye.\r\n")
        .hangUp();
}

TEST_F(AccountWindowTest, RegistersAgainstTheServerAndHandsOverToTheLoginWindow) {
    ScriptedServer server;
    scriptRegistration(server);
    ASSERT_TRUE(server.start());

    frmAccount *account = open(server.port());
    ASSERT_TRUE(account->isVisible());
    EXPECT_EQ(account->windowTitle(), "Create a new fibs username/password  ");
    int mostKept = 0;
    QObject::connect(account->Text1, &QPlainTextEdit::textChanged, account, [&] {
        mostKept = qMax(mostKept, int(account->Text1->toPlainText().size()));
    });
    EXPECT_FALSE(account->cmdCreate->isEnabled());
    QTest::keyClicks(account->txtUsername, "bob");
    QTest::keyClicks(account->txtPassword, "Secret1");
    EXPECT_FALSE(account->cmdCreate->isEnabled());  // three letters are not enough
    QTest::keyClicks(account->txtUsername, "_");
    EXPECT_TRUE(account->cmdCreate->isEnabled());
    QTest::keyClick(account->txtUsername, Qt::Key_Backspace);  // Backspace edits
    EXPECT_EQ(account->txtUsername->text(), "bob");
    QTest::keyClick(account->txtUsername, 'b');
    account->cmdCreate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !env.messages().isEmpty(); }, 5000));
    EXPECT_FALSE(account->Timer1->isActive());
    EXPECT_EQ(env.messages(), QStringList{"The user name bobb is already taken"});
    EXPECT_EQ(server.linesReceived(), (QStringList{"guest", "name bobb"}));
    EXPECT_EQ(account->lblStatus->text(), "type another username");
    EXPECT_EQ(account->txtUsername->text(), "");
    EXPECT_FALSE(account->cmdCreate->isEnabled());

    QTest::keyClicks(account->txtUsername, "alice_b");
    account->cmdCreate->click();  // over the connection still open
    ASSERT_TRUE(server.waitForScriptEnd(10000)) << server.failures().join("; ").toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return account->isHidden(); }, 5000));

    EXPECT_EQ(server.linesReceived(), (QStringList{"guest", "name bobb", "name alice_b", "Secret1", "Secret1",
                                                   "set boardstyle 3 ", "toggle moreboards ", "bye "}));
    EXPECT_GT(mostKept, 0);
    EXPECT_LE(mostKept, LineAssembler::kLineLimit);  // no more of the flood than a server line holds
    SettingsStore store;
    EXPECT_EQ(store.read("username", {}), "alice_b");
    EXPECT_EQ(store.read("password", {}), EncodePassword("Secret1"));
    EXPECT_EQ(store.read("remember", {}), "True");
    EXPECT_FALSE(window->prefs.prfFirstTimer);
    frmLogin *login = window->frmLoginWindow;
    ASSERT_TRUE(login);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->txtUsername->text(), "alice_b");
    EXPECT_EQ(login->txtPassword->text(), "Secret1");
    EXPECT_TRUE(login->Check1->isChecked());

    // Shown again later, the window starts afresh instead of carrying the finished
    // registration into a "Create" that would store an account never made.
    account->show();
    EXPECT_EQ(account->dialogue().step(), 0);
    EXPECT_EQ(account->Text1->toPlainText(), "");
    EXPECT_EQ(account->txtUsername->text(), "");
    EXPECT_EQ(account->txtPassword->text(), "");
    EXPECT_EQ(account->lblStatus->text(), "status");
    EXPECT_FALSE(account->cmdCreate->isEnabled());
    EXPECT_FALSE(account->Timer1->isActive());
    EXPECT_EQ(account->Winsock1.state(), QAbstractSocket::UnconnectedState);
}

// The keyboard starts in the name box and Enter is "Create"; a server that cannot be reached
// is said on the status line, blinking, as the login says it, and the hourglass ends with the
// attempt. The whole caption fits the window's title bar.
TEST_F(AccountWindowTest, AnUnreachableServerIsSaidToAUserOnTheKeyboard) {
    frmAccount *account = open(portWithNobodyListening());
    QFont title = account->font();
    title.setBold(true);
    EXPECT_GT(account->width(), QFontMetrics(title).horizontalAdvance(account->windowTitle()) + 60);

    ASSERT_EQ(account->focusWidget(), account->txtUsername);
    QTest::keyClicks(account->focusWidget(), "alice");
    QTest::keyClick(account->focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(account->focusWidget(), "Secret1");
    EXPECT_EQ(account->txtUsername->text(), "alice");
    EXPECT_EQ(account->txtPassword->text(), "Secret1");
    QTest::keyClick(account->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QGuiApplication::overrideCursor());
    ASSERT_TRUE(QTest::qWaitFor([&] { return account->lblStatus->text() != "status"; }, 5000));
    EXPECT_EQ(account->lblStatus->text(), "Connection refused");
    EXPECT_FALSE(QGuiApplication::overrideCursor());
    EXPECT_TRUE(account->Timer2->isActive());
    EXPECT_TRUE(account->isVisible());
    EXPECT_TRUE(env.messages().isEmpty());
}

// Reached from the login window, which told the main window's status line that FIBS is
// being connected to: when the server cannot be reached that line says so too, rather than
// go on claiming a connection on its way.
TEST_F(AccountWindowTest, AnUnreachableServerIsSaidOnTheMainStatusLineToo) {
    window->prefs.prfFirstTimer = false;
    window->prefs.prfPort = portWithNobodyListening();
    window->mnuConnect->trigger();
    frmLogin *login = window->frmLoginWindow;
    ASSERT_TRUE(login && login->isVisible());
    EXPECT_EQ(window->lblStatus->text(), "connecting to FIBS....");
    login->cmdGuest->click();
    frmAccount *account = window->frmAccountWindow;
    ASSERT_TRUE(account && account->isVisible());
    QTest::keyClicks(account->txtUsername, "alice");
    QTest::keyClicks(account->txtPassword, "Secret1");
    account->cmdCreate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return account->lblStatus->text() != "status"; }, 5000))
        << "the attempt never ended";
    EXPECT_EQ(account->lblStatus->text(), "Connection refused");
    EXPECT_EQ(window->lblStatus->text(), "Connection refused");
}

// A server that stops answering half-way: the registration is given up, and the main status
// line says so rather than go on claiming the connection.
TEST_F(AccountWindowTest, ARegistrationGivenUpIsSaidOnTheMainStatusLine) {
    ScriptedServer server;
    server.send("login: ").awaitLine("guest").pause(10000);
    ASSERT_TRUE(server.start());
    window->setCaption(window->lblStatus, "connecting to FIBS....");
    frmAccount *account = open(server.port());
    QTest::keyClicks(account->txtUsername, "alice");
    QTest::keyClicks(account->txtPassword, "Secret1");
    account->cmdCreate->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !env.messages().isEmpty(); }, 8000)) << "the registration never gave up";
    const QString problem = "There was a problem creating a new account..please try again";
    EXPECT_EQ(env.messages(), QStringList{problem});
    EXPECT_EQ(window->lblStatus->text(), problem);
}

TEST_F(AccountWindowTest, BoxesTakeOnlyTheServersCharacters) {
    frmAccount *account = open(4321);
    QTest::keyClicks(account->txtUsername, "ab1 c:d_E");
    EXPECT_EQ(account->txtUsername->text(), "abcd_E");
    QTest::keyClicks(account->txtPassword, "pa ss_9Z!");
    EXPECT_EQ(account->txtPassword->text(), "pass9Z");

    QGuiApplication::clipboard()->setText("x y\r\nz");
    account->txtUsername->clear();
    account->txtUsername->paste();
    EXPECT_EQ(account->txtUsername->text(), "");
    QGuiApplication::clipboard()->setText("good_name");
    account->txtUsername->paste();
    EXPECT_EQ(account->txtUsername->text(), "good_name");
}

TEST_F(AccountWindowTest, AlreadyHaveAnAccountGoesToTheLoginWindow) {
    frmAccount *account = open(4321);
    QPointer<frmAccount> watch = account;
    account->cmdExit->click();
    EXPECT_FALSE(window->prefs.prfFirstTimer);
    ASSERT_TRUE(window->frmLoginWindow);
    EXPECT_TRUE(window->frmLoginWindow->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 2000));

    // "Create" in the login window brings a new-account window back.
    window->frmLoginWindow->cmdGuest->click();
    ASSERT_TRUE(window->frmAccountWindow);
    EXPECT_TRUE(window->frmAccountWindow->isVisible());
}

TEST_F(AccountWindowTest, StatusLineBlinksBlackAndWhite) {
    frmAccount *account = open(4321);
    auto colour = [&] { return account->lblStatus->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(Qt::black));
    account->Timer2_Timer();
    EXPECT_EQ(colour(), QColor(Qt::white));
    account->Timer2_Timer();
    EXPECT_EQ(colour(), QColor(Qt::black));
}

}  // namespace
