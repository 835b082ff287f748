#include "connection/frmLogin.h"

#include "app/Dialogs.h"
#include "app/MousePointer.h"
#include "connection/DataLamp.h"
#include "connection/PasswordCodec.h"
#include "mainform/Mainform.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

namespace {

// Controls of the main window are found by name, so that those other parts of the
// program add later take part without this list changing.
void setEnabledByName(QObject *root, std::initializer_list<const char *> names, bool enabled) {
    for (const char *name : names) {
        QObject *o = root->findChild<QObject *>(QLatin1String(name));
        if (auto *menu = qobject_cast<QMenu *>(o))
            menu->menuAction()->setEnabled(enabled);
        else if (auto *action = qobject_cast<QAction *>(o))
            action->setEnabled(enabled);
        else if (auto *widget = qobject_cast<QWidget *>(o))
            widget->setEnabled(enabled);
    }
}

void setVisibleByName(QObject *root, std::initializer_list<const char *> names, bool visible) {
    for (const char *name : names)
        if (auto *widget = root->findChild<QWidget *>(QLatin1String(name)))
            widget->setVisible(visible);
}

}  // namespace

frmLogin::frmLogin(Mainform &main) : QDialog(&main), main_(main) {
    setObjectName(QStringLiteral("frmLogin"));
    setAttribute(Qt::WA_DeleteOnClose, false);  // Form_Unload decides when it goes
    setWindowIcon(main.windowIcon());

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

    ServerConnection &server = main_.server;
    connect(&server, &ServerConnection::connected, this, &frmLogin::Winsock1_Connect);
    connect(&server, &ServerConnection::textReceived, this, &frmLogin::Winsock1_DataArrival);
    connect(&server, &ServerConnection::closedByServer, this, &frmLogin::Winsock1_Close);
    connect(&server, &ServerConnection::failed, this, &frmLogin::Winsock1_Error);

    Form_Load();
}

void frmLogin::Form_Load() {
    setWindowTitle(QStringLiteral("Connect .."));
    SettingsStore &store = main_.store;
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
    move(qMax(0, main_.width() / 2 - width() / 2), qMax(0, qRound(main_.height() / 2.5) - height()));
}

void frmLogin::Form_Activate() {
    main_.WebBrowser1->hide();
    main_.server.setRemote(main_.prefs.prfHost, quint16(main_.prefs.prfPort));
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
    const bool wasConnected = main_.server.isConnected();
    Form_Unload();
    if (wasConnected)
        main_.NeutralizeSettings();
}

void frmLogin::reject() {
    close();
}

void frmLogin::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;

    // The name counts once Connect has taken it; one only typed is not kept.
    SettingsStore &store = main_.store;
    store.write(QStringLiteral("username"), theusername);
    if (Check1->isChecked()) {
        store.write(QStringLiteral("password"), EncodePassword(thepassword));
        store.write(QStringLiteral("remember"), QStringLiteral("True"));
    } else {
        store.write(QStringLiteral("password"), QString());
        store.write(QStringLiteral("remember"), QStringLiteral("False"));
    }
    store.sync();

    if (main_.server.isAttempting())
        MousePointer::restoreDefault();  // the wait ends with the attempt
    main_.server.disconnect(this);
    main_.server.close();
    hide();
    deleteLater();
}

void frmLogin::cmdOK_Click() {
    main_.Timer2->start();
    main_.picAd->hide();

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
    if (main_.server.isAttempting() || main_.server.isConnected())
        return;
    theusername = user;
    thepassword = txtPassword->text();
    if (main_.server.connectToServer())
        MousePointer::hourglass();
}

void frmLogin::cmdGuest_Click() {
    main_.showAccountWindow();
    Form_Unload();
}

void frmLogin::cmdCancel_Click() {
    main_.cmdExit->setText(QStringLiteral("Exit"));
    unloadByUser();
}

void frmLogin::Winsock1_Connect() {
    if (!main_.server.isConnected())
        return;
    main_.flags.isConnected = true;
    setWindowTitle(QStringLiteral("Connected...."));
    main_.flags.isPlaying = false;
    main_.flags.isBot = false;
    main_.flags.selfPlay = false;
    // The attempt is over; waiting for the login is not the user's wait.
    MousePointer::restoreDefault();
    switchMainToOnlineLook();
}

void frmLogin::switchMainToOnlineLook() {
    Mainform &m = main_;
    setEnabledByName(&m, {"cmdAuto", "cmdBack", "cmdStep", "cmdMoney", "cmdTrophy", "cmdDouble",
                          "mnuConnect", "mnuLoadJFPos", "mnuNew"},
                     false);
    setEnabledByName(&m, {"cmdUndo", "cmdAccept", "cmdgreedy", "cmdRefresh", "cmdReject", "cmdToggleReady",
                          "cmdDouble2", "cmdSort", "opAll", "opFriends", "opReady", "lblAll", "lblReady",
                          "lblFriends", "mnudisconnect", "mnuIgnore", "mnuLeave", "mnuListAddBuddy",
                          "mnuListRefresh", "mnuLook", "mnuNotify", "mnuReady", "mnuRefresh", "mnuRepbot",
                          "mnuRepBotAsk", "mnuReport", "mnuSetBoardstyle", "mnuSort", "mnuStopWatch", "mnuToggle",
                          "mnutoggledouble", "mnuToggleMoreboards", "mnuWatch", "mnuWatchers", "mnuWhois",
                          "mnuAway", "mnuGreedy", "mnuAutoInvite", "mnuJoin", "mnuSaved", "mnuChat", "mnuInvite",
                          "mnuAccept", "mnuReject"},
                     true);
    m.cmdExit->setText(QStringLiteral("Disconnect"));
    m.Label1->show();
    setVisibleByName(&m, {"lblwinsB", "lblwinsW"}, false);
    m.List1->clear();
}

void frmLogin::Winsock1_DataArrival(const QString &text) {
    main_.SplitFibString(text);
}

void frmLogin::Winsock1_Close() {
    // The server drops a connection whose login it refuses while this window still shows.
    if (isVisible())
        setWindowTitle(QStringLiteral("Login Failed..check username/password"));
    // The lines it sent before hanging up are read before the window goes offline. A match
    // cut off this way is one the server keeps for its resume, like one lost to a socket
    // error: its record is kept for the resume too.
    Mainform &main = main_;
    main.afterTheLastLine([&main] {
        if (main.flags.isPlaying)
            main.records.SaveDropped();
        main.NeutralizeSettings();
    });
    QCoreApplication::processEvents();
}

void frmLogin::Winsock1_Error(QAbstractSocket::SocketError error, const QString &description) {
    // A line being read when the error came is finished before the window goes offline.
    Mainform &main = main_;
    QPointer<frmLogin> self(this);
    main.afterTheLastLine([&main, self, error, description] {
        // The match in progress is kept for its resume before the offline state rescues,
        // and empties, the record.
        if (main.flags.isPlaying)
            main.records.SaveDropped();
        main.NeutralizeSettings();
        MousePointer::restoreDefault();
        QString status = description + QStringLiteral("\r\n");
        if (error == QAbstractSocket::HostNotFoundError || status.contains(QLatin1String("Host not found"))) {
            status = QStringLiteral("You are not online..");
            main.Timer1->start();
        }
        main.setCaption(main.lblStatus, status);
        if (self)
            self->Form_Unload();
    });
}
