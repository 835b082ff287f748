#include "connection/frmAccount.h"

#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/Preferences.h"
#include "app/SettingsStore.h"
#include "connection/LineAssembler.h"
#include "connection/PasswordCodec.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTimer>

namespace {
constexpr int kDialogueTickMs = 2000;
constexpr int kBlinkMs = 500;
constexpr int kMinimumLength = 4;
}  // namespace

frmAccount::frmAccount(AccountHost &host, QWidget *parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("frmAccount"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(QStringLiteral("Create a new fibs username/password  "));
    Winsock1.setDelivery(ServerConnection::Delivery::Raw);

    Timer2 = new QTimer(this);
    Timer2->setInterval(kBlinkMs);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->hide();
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtUsername = new QLineEdit(this);
    txtUsername->setObjectName(QStringLiteral("txtUsername"));
    Timer1 = new QTimer(this);
    Timer1->setInterval(kDialogueTickMs);
    cmdCreate = new QPushButton(QStringLiteral("Create my new account"), this);
    cmdCreate->setObjectName(QStringLiteral("cmdCreate"));
    cmdCreate->setDefault(true);
    cmdExit = new QPushButton(QStringLiteral("I already have a fibs account"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setTextFormat(Qt::PlainText);  // the server's words
    Label2 = new QLabel(QStringLiteral("Password"), this);
    Label1 = new QLabel(QStringLiteral("Username"), this);

    // The characters the server accepts in a name and a password. Editing keys and
    // pasting work as in any box; text with other characters is refused whole.
    txtUsername->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z_]*")), txtUsername));
    txtPassword->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z]*")), txtPassword));

    auto *grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtUsername, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtPassword, 1, 1);
    grid->addWidget(cmdCreate, 2, 0, 1, 2);
    grid->addWidget(cmdExit, 3, 0, 1, 2);
    grid->addWidget(lblStatus, 4, 0, 1, 2);
    // The keyboard goes from the name to the password to the buttons, whatever order the
    // controls were made in.
    setTabOrder(txtUsername, txtPassword);
    setTabOrder(txtPassword, cmdCreate);
    setTabOrder(cmdCreate, cmdExit);
    // The whole caption in the title bar: its text, set bold as title bars do, and room for
    // the bar's icon and buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + 8 * fontMetrics().height());

    connect(txtUsername, &QLineEdit::textChanged, this, &frmAccount::updateCreateButton);
    connect(txtPassword, &QLineEdit::textChanged, this, &frmAccount::updateCreateButton);
    connect(cmdCreate, &QPushButton::clicked, this, &frmAccount::cmdCreate_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmAccount::cmdExit_Click);
    connect(Timer1, &QTimer::timeout, this, &frmAccount::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmAccount::Timer2_Timer);
    connect(&Winsock1, &ServerConnection::connected, this, &frmAccount::Winsock1_Connect);
    connect(&Winsock1, &ServerConnection::textReceived, this, &frmAccount::Winsock1_DataArrival);
    connect(&Winsock1, &ServerConnection::failed, this, &frmAccount::Winsock1_Error);

    Form_Load();
}

void frmAccount::Form_Load() {
    Timer1->stop();
    Timer2->stop();
    Winsock1.close();
    dialogue_.reset();
    setReceived(QString());
    txtUsername->clear();
    txtPassword->clear();
    lblStatus->setText(QStringLiteral("status"));
    setStatusColour(Qt::black);
    cmdCreate->setEnabled(false);
    txtUsername->setFocus();
    Winsock1.setRemote(host_.prefs().prfHost, quint16(host_.prefs().prfPort));
}

void frmAccount::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Load();
}

void frmAccount::closeEvent(QCloseEvent *event) {
    event->accept();
    unload();
}

void frmAccount::reject() {
    close();
}

void frmAccount::unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    Timer1->stop();
    Timer2->stop();
    if (Winsock1.isAttempting())
        MousePointer::restoreDefault();  // the wait ends with the attempt
    Winsock1.close();
    hide();
    deleteLater();
}

void frmAccount::updateCreateButton() {
    cmdCreate->setEnabled(txtUsername->text().size() >= kMinimumLength &&
                          txtPassword->text().size() >= kMinimumLength);
}

void frmAccount::setStatusColour(const QColor &colour) {
    QPalette palette = lblStatus->palette();
    palette.setColor(QPalette::WindowText, colour);
    lblStatus->setPalette(palette);
}

void frmAccount::cmdCreate_Click() {
    if (Winsock1.isConnected()) {
        Timer1->start();
        lblStatus->setText(QStringLiteral("Please wait..."));
    } else if (Winsock1.connectToServer()) {
        MousePointer::hourglass();
    }
}

void frmAccount::Winsock1_Connect() {
    if (!Winsock1.isConnected())
        return;
    MousePointer::restoreDefault();
    lblStatus->setText(QStringLiteral("Connected.."));
    Timer1->start();
    Timer2->start();
}

// The server could not be reached, or dropped the registration: said on the status line,
// blinking, as the main window says it for the login; "Create" tries again. The main
// window's status line, which told of the connection on its way, says it too.
void frmAccount::Winsock1_Error(QAbstractSocket::SocketError error, const QString &description) {
    MousePointer::restoreDefault();
    Timer1->stop();
    dialogue_.reset();
    setReceived(QString());
    const QString status = ServerConnection::failureStatus(error, description).text;
    lblStatus->setText(status);
    host_.setStatus(status);
    Timer2->start();
}

void frmAccount::setReceived(const QString &text) {
    received_ = text;
    Text1->setPlainText(received_);
}

void frmAccount::Winsock1_DataArrival(const QString &text) {
    received_ += text;
    if (received_.size() > LineAssembler::kLineLimit)
        received_.remove(0, received_.size() - LineAssembler::kLineLimit);
}

void frmAccount::Timer1_Timer() {
    Text1->setPlainText(received_);
    const QString username = txtUsername->text();
    const AccountDialogue::Action a = dialogue_.tick(received_, username, txtPassword->text());
    if (a.replaceText)
        setReceived(a.text);
    if (!a.send.isNull())
        Winsock1.send(a.send);
    if (!a.status.isNull())
        lblStatus->setText(a.status);

    switch (a.event) {
    case AccountDialogue::Event::None:
        break;
    case AccountDialogue::Event::NameTaken:
        Dialogs::message(QStringLiteral("The user name ") + username + QStringLiteral(" is already taken"));
        txtUsername->clear();
        txtUsername->setFocus();
        Timer1->stop();
        cmdCreate->setEnabled(false);
        break;
    case AccountDialogue::Event::Registered:
        Timer1->stop();
        SaveAccountSettings();
        // Hidden, not closed: the server ends this connection after "bye ".
        hide();
        host_.showLoginWindow();
        break;
    case AccountDialogue::Event::GivenUp: {
        Timer1->stop();
        const QString problem = QStringLiteral("There was a problem creating a new account..please try again");
        // The main status line, which told of the connection on its way, no longer claims it.
        host_.setStatus(problem);
        Dialogs::message(problem);
        unload();
        break;
    }
        break;
    }
}

void frmAccount::Timer2_Timer() {
    const QColor colour = lblStatus->palette().color(QPalette::WindowText);
    if (colour == QColor(Qt::black))
        setStatusColour(Qt::white);
    else if (colour == QColor(Qt::white))
        setStatusColour(Qt::black);
}

void frmAccount::cmdExit_Click() {
    host_.prefs().prfFirstTimer = false;
    hide();
    host_.showLoginWindow();
    unload();
}

void frmAccount::SaveAccountSettings() {
    host_.prefs().prfFirstTimer = false;
    SettingsStore &store = host_.store();
    store.write(QStringLiteral("username"), txtUsername->text());
    store.write(QStringLiteral("password"), EncodePassword(txtPassword->text()));
    store.write(QStringLiteral("remember"), QStringLiteral("True"));
    store.sync();
    runEvents();
}
