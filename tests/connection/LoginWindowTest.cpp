#include "app/Program.h"
#include "app/SettingsStore.h"
#include "connection/DataLamp.h"
#include "connection/frmAccount.h"
#include "connection/frmLogin.h"
#include "connection/PasswordCodec.h"
#include "mainform/Mainform.h"
#include "support/QuickWindow.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class LoginWindowTest : public ::testing::Test {
protected:
    void SetUp() override { makeWindow(); }

    void makeWindow() {
        window = std::make_unique<Mainform>();
        window->NeutralizeSettings();
        window->prefs.prfFirstTimer = false;
        window->prefs.prfHost = ScriptedServer::host();
        window->Timer2->setInterval(10);  // the one-second timer, sped up
    }

    frmLogin *openLogin(quint16 port, const QString &user = "bob", const QString &password = "secret") {
        window->prefs.prfPort = port;
        window->mnuConnect->trigger();
        frmLogin *login = window->frmLoginWindow;
        if (login) {
            login->txtUsername->setText(user);
            login->txtPassword->setText(password);
        }
        return login;
    }

    bool waitFor(const std::function<bool()> &condition, int ms = 5000) { return QTest::qWaitFor(condition, ms); }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(LoginWindowTest, PlayOnlineOpensTheRightWindowWithTheRememberedCredentials) {
    {
        SettingsStore store;
        store.write("username", "bob");
        store.write("password", EncodePassword(QString::fromLatin1("se cr\xE9t")));
        store.write("remember", "True");
    }
    frmLogin *login = openLogin(4321, "", "");
    ASSERT_TRUE(login);
    login->Form_Unload();
    window->mnuConnect->trigger();  // a fresh window each time
    login = window->frmLoginWindow;
    ASSERT_TRUE(login);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->windowTitle(), "Connect ..");
    EXPECT_EQ(login->txtUsername->text(), "bob");
    EXPECT_EQ(login->txtPassword->text(), QString::fromLatin1("se cr\xE9t"));
    EXPECT_TRUE(login->Check1->isChecked());
    EXPECT_FALSE(window->frmAccountWindow);

    // A first-time user gets the new-account window instead.
    login->Form_Unload();
    window->prefs.prfFirstTimer = true;
    window->mnuConnect->trigger();
    ASSERT_TRUE(window->frmAccountWindow);
    EXPECT_TRUE(window->frmAccountWindow->isVisible());
    EXPECT_FALSE(window->frmLoginWindow && window->frmLoginWindow->isVisible());
}

TEST_F(LoginWindowTest, CredentialsAreStoredScrambledOrForgotten) {
    frmLogin *login = openLogin(4321, "amy", "pw 9x");
    login->theusername = "amy";
    login->thepassword = "pw 9x";
    login->Check1->setChecked(true);
    login->Form_Unload();
    SettingsStore store;
    EXPECT_EQ(store.read("username", {}), "amy");
    EXPECT_EQ(store.read("password", {}), EncodePassword("pw 9x"));
    EXPECT_EQ(store.read("remember", {}), "True");

    window->mnuConnect->trigger();
    login = window->frmLoginWindow;
    EXPECT_EQ(login->txtPassword->text(), "pw 9x");
    login->txtUsername->setText("typed-but-never-confirmed");
    login->Check1->setChecked(false);
    login->Form_Unload();
    EXPECT_EQ(store.read("username", {}), "amy");
    EXPECT_EQ(store.read("password", "x"), "");
    EXPECT_EQ(store.read("remember", {}), "False");

    // Not in the stored format: said so, and the box stays empty.
    store.write("password", "plain text");
    store.write("remember", "");
    window->mnuConnect->trigger();
    EXPECT_TRUE(env.messages().contains("Password could not be retrieved"));
    EXPECT_TRUE(window->frmLoginWindow->Check1->isChecked());  // anything but "False" ticks it
    EXPECT_EQ(window->frmLoginWindow->txtPassword->text(), "");
}

TEST_F(LoginWindowTest, ConnectRefusesGuestAndEmptyBoxes) {
    frmLogin *login = openLogin(4321, "guest", "pw");
    login->cmdOK->click();
    EXPECT_TRUE(window->Timer2->isActive());
    login->txtUsername->setText("bob");
    login->txtPassword->clear();
    login->cmdOK->click();
    EXPECT_EQ(env.messages(), (QStringList{"To create a username, please read the help file topic getting started",
                                           "The username or password box is empty"}));
    EXPECT_EQ(window->server.state(), QAbstractSocket::UnconnectedState);
}

TEST_F(LoginWindowTest, ConnectsShowsServerTextAndEndsOfflineWhenTheServerHangsUp) {
    env.copyData();  // the lamp's pictures
    makeWindow();
    ScriptedServer server;
    server.send("\r\n   Welcome to the test server\r\n\r\nlogin: ")
        .pause(100)
        .sendInPieces(ScriptedServer::fixture("clip12-19_chat/lepton-GameHelperUnitTest.txt"), 7, 5)
        .awaitLine("who", 10000)  // the test has seen the lamp and the clock
        .hangUp();
    ASSERT_TRUE(server.start());

    frmLogin *login = openLogin(server.port());
    login->cmdOK->click();
    ASSERT_TRUE(waitFor([&] { return window->flags.isConnected; }));
    EXPECT_EQ(login->windowTitle(), "Connected....");
    EXPECT_EQ(window->cmdExit->text(), "Disconnect");
    EXPECT_FALSE(window->mnuConnect->isEnabled());
    EXPECT_TRUE(window->mnudisconnect->isEnabled());
    EXPECT_TRUE(window->mnuAccept->isEnabled());
    EXPECT_TRUE(window->Label1->isVisibleTo(window.get()));
    EXPECT_EQ(login->theusername, "bob");

    // The lamp flashes on its own while connected; the clock, and with it the idle lamp,
    // run once the server has sent the user's own information.
    ASSERT_TRUE(waitFor([&] { return window->Label1->state() == 2; }));
    const char *pictures[] = {"pics/picTerminal1.bmp", "pics/picTerminal2.bmp", "pics/picterminal3.bmp"};
    const QImage shown = window->Label1->grab().toImage(), picture(Program::path(pictures[window->Label1->state()]));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(shown.size(), picture.size());
    EXPECT_EQ(shown.pixel(shown.rect().center()), picture.pixel(picture.rect().center()));
    EXPECT_EQ(window->lblTime->text(), "offline");
    window->flags.initOutput = false;
    ASSERT_TRUE(waitFor([&] { return window->lblTime->text() != "offline"; }));
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d [AP]M$").match(window->lblTime->text()).hasMatch());
    window->server.send("who");  // the server may hang up now

    // The server's text reaches the server pane, and the prompt is answered with the login.
    ASSERT_TRUE(waitFor([&] { return window->txtTerminal->toPlainText().simplified().contains("Welcome to the test server"); }));
    ASSERT_TRUE(server.waitForLines(1));
    EXPECT_EQ(server.linesReceived().first(), "login Korvex" + Program::versionString() + " 1008 bob secret");
    ASSERT_TRUE(server.waitForScriptEnd());
    ASSERT_TRUE(waitFor([&] { return !window->flags.isConnected; }));
    EXPECT_EQ(login->windowTitle(), "Login Failed..check username/password");
    EXPECT_TRUE(window->mnuConnect->isEnabled());
    EXPECT_EQ(window->lblTime->text(), "offline");
    EXPECT_FALSE(window->Label1->isVisibleTo(window.get()));
    EXPECT_EQ(window->frmLoginWindow, login);  // stays loaded after a hang-up
}

// A server that refuses the name or password prompts for the login again instead of hanging
// up. The login line goes out once per connection; the prompt after it tells the user, ends
// the connection and leaves the window for the next try. The prompts come after telnet's
// CR NUL, which is no text.
TEST_F(LoginWindowTest, ARefusedLoginIsSentOnceToldAndTriedAgain) {
    ScriptedServer server;
    server.send(QByteArray("\r\n\r\0login: ", 11)).awaitLine("login Korvex").send(QByteArray("\r\n\0login: ", 10)).pause(3000);
    ASSERT_TRUE(server.start());
    frmLogin *login = openLogin(server.port(), "bob", "wrong");
    login->cmdOK->click();
    const QString failed = "Login Failed..check username/password";
    ASSERT_TRUE(waitFor([&] { return env.messages().contains(failed); })) << env.messages().join('|').toStdString();
    EXPECT_TRUE(server.waitForClientGone());
    QTest::qWait(100);  // any further answer would be on its way by now
    const QString loginLine = "login Korvex" + Program::versionString() + " 1008 bob ";
    EXPECT_EQ(server.linesReceived(), QStringList{loginLine + "wrong"});
    EXPECT_EQ(env.messages(), QStringList{failed});
    EXPECT_FALSE(window->flags.isConnected);
    EXPECT_TRUE(window->mnuConnect->isEnabled());
    EXPECT_EQ(window->server.state(), QAbstractSocket::UnconnectedState);
    ASSERT_EQ(window->frmLoginWindow, login);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(login->windowTitle(), failed);

    // The second try is a connection of its own, whose first prompt is answered once.
    login->txtPassword->setText("right");
    login->cmdOK->click();
    ASSERT_TRUE(waitFor([&] { return env.messages().size() == 2; })) << env.messages().join('|').toStdString();
    EXPECT_EQ(server.connectionCount(), 2);
    EXPECT_EQ(server.linesReceived(), (QStringList{loginLine + "wrong", loginLine + "right"}));
    EXPECT_FALSE(window->flags.isConnected);
    EXPECT_TRUE(login->isVisible());
}

TEST_F(LoginWindowTest, RefusedAndUnknownServersEndOfflineWithTheirMessage) {
    QPointer<frmLogin> login = openLogin(portWithNobodyListening());
    login->cmdOK->click();
    ASSERT_TRUE(waitFor([&] { return login.isNull(); }));  // unloaded
    EXPECT_EQ(window->lblStatus->text(), "Connection refused");  // the status line is one line
    EXPECT_FALSE(window->flags.isConnected);
    EXPECT_TRUE(window->mnuConnect->isEnabled());
    EXPECT_FALSE(window->Timer1->isActive());

    window->prefs.prfHost = "no-such-server.invalid";
    login = openLogin(4321);
    login->cmdOK->click();
    ASSERT_TRUE(waitFor([&] { return login.isNull(); }, 10000));
    EXPECT_EQ(window->lblStatus->text(), "You are not online..");
    EXPECT_TRUE(window->Timer1->isActive());
    EXPECT_EQ(SettingsStore().read("username", {}), "bob");
}

// What the board showed belongs to a game the failed connection has ended: it is blanked.
TEST_F(LoginWindowTest, ASocketErrorBlanksTheBoard) {
    window.reset();  // one loaded whole, with a board
    window = loadQuickWindow(env);
    ASSERT_TRUE(window);
    window->prefs.prfHost = ScriptedServer::host();
    window->ShowStartBoard();
    ASSERT_TRUE(window->board.shownBoard() != window->board.BoardEmpty());
    QPointer<frmLogin> login = openLogin(portWithNobodyListening());
    ASSERT_TRUE(login);
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return login.isNull(); }));
    EXPECT_EQ(window->lblStatus->text(), "Connection refused");
    EXPECT_TRUE(window->board.shownBoard() == window->board.BoardEmpty());
    EXPECT_TRUE(window->board.BoardBuffer() == window->board.BoardEmpty());
}

TEST_F(LoginWindowTest, UnansweredAttemptIsCountedDownAndGivenUp) {
    UnansweringPort silent;
    ASSERT_TRUE(silent.open());
    frmLogin *login = openLogin(silent.port());
    QStringList captions;
    QObject::connect(login, &QWidget::windowTitleChanged, [&](const QString &t) { captions << t; });

    login->cmdOK->click();
    ASSERT_TRUE(waitFor([&] { return captions.contains("Attempt timed out"); }));
    QStringList expected;
    for (int n = 10; n >= 0; --n)
        expected << QString("Connection attempt %1").arg(n);
    expected << "Attempt timed out";
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(env.messages(), QStringList{"FIBS is not responding"});
    EXPECT_EQ(window->server.state(), QAbstractSocket::UnconnectedState);
    EXPECT_EQ(window->frmLoginWindow, login);  // the window stays for another try

    // The next attempt gets all ten ticks again.
    captions.clear();
    login->cmdOK->click();
    ASSERT_TRUE(waitFor([&] { return !captions.isEmpty(); }));
    EXPECT_EQ(captions.first(), "Connection attempt 10");
    EXPECT_TRUE(QGuiApplication::overrideCursor());
    login->cmdCancel->click();
    EXPECT_FALSE(QGuiApplication::overrideCursor());
    EXPECT_EQ(window->cmdExit->text(), "Exit");
    EXPECT_EQ(window->server.state(), QAbstractSocket::UnconnectedState);
}

TEST_F(LoginWindowTest, ClosingTheLoginWindowWhileConnectedGoesOffline) {
    ScriptedServer server;
    server.send("login: ");
    ASSERT_TRUE(server.start());
    frmLogin *login = openLogin(server.port());
    login->cmdOK->click();
    ASSERT_TRUE(waitFor([&] { return window->flags.isConnected; }));
    login->close();
    EXPECT_TRUE(server.waitForClientGone());
    EXPECT_FALSE(window->flags.isConnected);
    EXPECT_TRUE(window->mnuConnect->isEnabled());
    EXPECT_FALSE(window->server.send("who "));
}

TEST(LampTickerTest, FlashesEveryEleventhTickWhileConnected) {
    LampTicker t;
    for (int i = 1; i <= 10; ++i)
        ASSERT_FALSE(t.tick(true)) << i;
    EXPECT_TRUE(t.tick(true));
    // Offline the count waits at its limit, and the first connected tick flashes.
    for (int i = 0; i < 100000; ++i)
        ASSERT_FALSE(t.tick(false));
    EXPECT_TRUE(t.tick(true));
    EXPECT_FALSE(t.tick(true));
}

}  // namespace
