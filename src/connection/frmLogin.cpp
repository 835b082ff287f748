#include "connection/frmLogin.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/Preferences.h"
#include "app/SettingsStore.h"
#include "connection/PasswordCodec.h"
#include "connection/ServerConnection.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {
const QString kLoginFailed = QStringLiteral("Login Failed..check username/password");
}  // namespace

frmLogin::frmLogin(LoginHost &host, QWidget *parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("frmLogin"));
    setAttribute(Qt::WA_DeleteOnClose, false);  // Form_Unload decides when it goes
    if (parent)
        setWindowIcon(parent->windowIcon());

    cmdGuest = new QPushButton(QStringLiteral("Create"), this);
    cmdGuest->setObjectName(QStringLiteral("cmdGuest"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    Check1 = new QCheckBox(QStringLiteral("Remember Password"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    txtUsername = new QLineEdit(this);
    txtUsername->setObjectName(QStringLiteral("txtUsername"));
    cmdOK = new QPushButton(QStringLiteral("Connect"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    lblLabels[0] = new QLabel(QStringLiteral("&User Name:"), this);
    lblLabels[0]->setBuddy(txtUsername);
    lblLabels[1] = new QLabel(QStringLiteral("&Password:"), this);
    lblLabels[1]->setBuddy(txtPassword);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblLabels[0], 0, 0);
    grid->addWidget(txtUsername, 0, 1);
    grid->addWidget(lblLabels[1], 1, 0);
    grid->addWidget(txtPassword, 1, 1);
    grid->addWidget(Check1, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdGuest);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdGuest, &QPushButton::clicked, this, &frmLogin::cmdGuest_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    ServerConnection &server = host_.server();
    connect(&server, &ServerConnection::connected, this, &frmLogin::Winsock1_Connect);
    connect(&server, &ServerConnection::textReceived, this, &frmLogin::Winsock1_DataArrival);
    connect(&server, &ServerConnection::closedByServer, this, &frmLogin::Winsock1_Close);
    connect(&server, &ServerConnection::failed, this, &frmLogin::Winsock1_Error);

    Form_Load();
}

void frmLogin::Form_Load() {
    setWindowTitle(QStringLiteral("Connect .."));
    SettingsStore &store = host_.store();
    Check1->setChecked(store.read(QStringLiteral("remember"), QStringLiteral("False")) != QLatin1String("False"));
    theusername = store.read(QStringLiteral("username"), QString());
    const QString stored = store.read(QStringLiteral("password"), QString());
    if (!stored.isEmpty()) {
        if (const auto password = DecodePassword(stored))
            thepassword = *password;
        else
            Dialogs::message(QStringLiteral("Password could not be retrieved"));
    }
    if (!theusername.isEmpty())
        txtUsername->setText(theusername);
    if (Check1->isChecked() && !thepassword.isEmpty())
        txtPassword->setText(thepassword);

    adjustSize();
    if (const QWidget *main = parentWidget())
        move(qMax(0, main->width() / 2 - width() / 2), qMax(0, qRound(main->height() / 2.5) - height()));
}

void frmLogin::Form_Activate() {
    host_.hideStartPage();
    host_.server().setRemote(host_.prefs().prfHost, quint16(host_.prefs().prfPort));
}

void frmLogin::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmLogin::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void frmLogin::closeEvent(QCloseEvent *event) {
    event->accept();
    unloadByUser();
}

// The user closing the window drops the connection with it; the main window must not go
// on looking online over a closed socket.
void frmLogin::unloadByUser() {
    const bool wasConnected = host_.server().isConnected();
    Form_Unload();
    if (wasConnected)
        host_.NeutralizeSettings();
}

void frmLogin::reject() {
    close();
}

void frmLogin::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;

    // The name counts once Connect has taken it; one only typed is not kept.
    SettingsStore &store = host_.store();
    store.write(QStringLiteral("username"), theusername);
    if (Check1->isChecked()) {
        store.write(QStringLiteral("password"), EncodePassword(thepassword));
        store.write(QStringLiteral("remember"), QStringLiteral("True"));
    } else {
        store.write(QStringLiteral("password"), QString());
        store.write(QStringLiteral("remember"), QStringLiteral("False"));
    }
    store.sync();

    if (host_.server().isAttempting())
        MousePointer::restoreDefault();  // the wait ends with the attempt
    host_.server().disconnect(this);
    host_.server().close();
    hide();
    deleteLater();
}

void frmLogin::cmdOK_Click() {
    host_.startConnectWatchdog();
    host_.hideAd();

    const QString user = txtUsername->text();
    if (user == QLatin1String("Guest") || user == QLatin1String("guest")) {
        Dialogs::message(QStringLiteral("To create a username, please read the help file topic getting started"));
        return;
    }
    if (user.isEmpty() || txtPassword->text().isEmpty()) {
        Dialogs::message(QStringLiteral("The username or password box is empty"));
        return;
    }
    // A second click while the first attempt runs, or once it has succeeded, must not
    // cost the connection.
    if (host_.server().isAttempting() || host_.server().isConnected())
        return;
    theusername = user;
    thepassword = txtPassword->text();
    if (host_.server().connectToServer())
        MousePointer::hourglass();
}

void frmLogin::cmdGuest_Click() {
    host_.showAccountWindow();
    Form_Unload();
}

void frmLogin::cmdCancel_Click() {
    host_.loginCancelled();
    unloadByUser();
}

void frmLogin::Winsock1_Connect() {
    if (!host_.server().isConnected())
        return;
    StateFlags &flags = host_.flags();
    flags.isConnected = true;
    flags.loginSent = false;
    setWindowTitle(QStringLiteral("Connected...."));
    flags.isPlaying = false;
    flags.isBot = false;
    flags.selfPlay = false;
    // The attempt is over; waiting for the login is not the user's wait.
    MousePointer::restoreDefault();
    host_.endPlayback();
    host_.showOnlineLook();
}

void frmLogin::Winsock1_DataArrival(const QString &text) {
    host_.SplitFibString(text);
}

void frmLogin::Winsock1_Close() {
    // The server drops a connection whose login it refuses while this window still shows.
    if (isVisible())
        setWindowTitle(kLoginFailed);
    // The lines it sent before hanging up are read before the window goes offline. A match
    // cut off this way is one the server keeps for its resume, like one lost to a socket
    // error: its record is kept for the resume too.
    LoginHost &host = host_;
    host.afterTheLastLine([&host] {
        if (host.flags().isPlaying)
            host.SaveDropped();
        host.NeutralizeSettings();
    });
    runEvents();
}

void frmLogin::Winsock1_Error(QAbstractSocket::SocketError error, const QString &description) {
    // A line being read when the error came is finished before the window goes offline.
    LoginHost &host = host_;
    QPointer<frmLogin> self(this);
    host.afterTheLastLine([&host, self, error, description] {
        // The match in progress is kept for its resume before the offline state rescues,
        // and empties, the record.
        if (host.flags().isPlaying)
            host.SaveDropped();
        host.blankBoard();
        host.NeutralizeSettings();
        MousePointer::restoreDefault();
        const ServerConnection::FailureStatus status = ServerConnection::failureStatus(error, description);
        if (status.notOnline)
            host.blinkStatus();
        host.setStatus(status.text);
        if (self)
            self->Form_Unload();
    });
}

void frmLogin::loginRefused() {
    // Closed at once: the prompts the server goes on sending are not read.
    host_.server().close();
    setWindowTitle(kLoginFailed);
    LoginHost &host = host_;
    QPointer<frmLogin> self(this);
    host.afterTheLastLine([&host, self] {
        host.NeutralizeSettings();
        if (self) {
            self->show();
            self->raise();
            self->activateWindow();
        }
        Dialogs::message(kLoginFailed);
    });
}
