// The main window's road for server lines: the dispatcher and the line filter, the panes
// and player lists they fill, and the two typing boxes that send the user's own lines.
#include "app/Program.h"
#include "app/Utilities.h"
#include "connection/LineAssembler.h"
#include "connection/LineFilter.h"
#include "connection/ServerLineDispatcher.h"
#include "lobby/ChatInput.h"
#include "lobby/ChatPanes.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"
#include "mainform/MainformLineHost.h"

#include <QCheckBox>
#include <QPixmap>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>

void Mainform::buildLineReaders() {
    lineHost = std::make_unique<MainformLineHost>(*this);
    dispatcher = std::make_unique<ServerLineDispatcher>(*lineHost);
    lineFilter = std::make_unique<LineFilter>(*lineHost);
    // The server's text waits in the socket, not in the dispatcher's queue, while the
    // dispatcher reads a text of the program's own.
    server.holdWhileBusy([this] { return dispatcher && dispatcher->isBusy(); },
                         [this](std::function<void()> then) { dispatcher->whenIdle(std::move(then)); });

    playerList = std::make_unique<PlayerList>(*lineHost, playerListObserver());
    playerList->friendsFile = Program::path(QStringLiteral("friends.dat"));

    ChatPanes::Sounds sounds;
    sounds.effect = [this](const QString &name) { PlayWav(name, false, prefs); };
    sounds.talking = [this](const QString &file) {
        // A voice a chat line names plays beside the text; the line is never held up for it.
        if (!prefs.prfDisableSounds && prefs.prfTalkingWavs && Program::isSafeFileName(file)) {
            const QString path = Program::path(QStringLiteral("talking wavs/") + file);
            if (FileExists(path))
                PlaySoundFile(path);
        }
    };
    chatPanes = std::make_unique<ChatPanes>(txtKibitzoutput, txtShouts, txtTerminal, ckAutoScroll, prefs, sounds);
    // Said once the cut line itself has been read, after it in the server pane.
    connect(&server, &ServerConnection::lineCut, this, [this] {
        dispatcher->whenIdle([this] {
            ShowTerminal(QStringLiteral("A server line of more than %1 characters was cut short.")
                             .arg(LineAssembler::kLineLimit));
        });
    });

    lblAll = new QLabel(QStringLiteral("0"), opAll->parentWidget());
    lblAll->setObjectName(QStringLiteral("lblAll"));
    lblReady = new QLabel(QStringLiteral("0"), opAll->parentWidget());
    lblReady->setObjectName(QStringLiteral("lblReady"));
    lblFriends = new QLabel(QStringLiteral("0"), opAll->parentWidget());
    lblFriends->setObjectName(QStringLiteral("lblFriends"));

    txtkibitz->installEventFilter(this);
    txtType->installEventFilter(this);
    connect(cmdShoutsSend, &QPushButton::clicked, this, &Mainform::cmdShoutsSend_Click);
    connect(opShouts, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opShouts_Click();
    });
    connect(opTerminal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opTerminal_Click();
    });
    cmdExit->setFocusPolicy(Qt::NoFocus);  // keys on the button do nothing
    connect(cmdExit, &QPushButton::pressed, this, [this] { flags.isExitClicked = true; });
    connect(cmdExit, &QPushButton::clicked, this, &Mainform::cmdExit_Click);
    connect(mnudisconnect, &QAction::triggered, this, &Mainform::mnudisconnect_Click);
    connect(Timer1, &QTimer::timeout, this, &Mainform::Timer1_Timer);
}

void Mainform::SplitFibString(const QString &data) {
    dispatcher->SplitFibString(data);
}

void Mainform::ShowKibitz(const QString &text) { chatPanes->ShowKibitz(text); }
void Mainform::ShowShout(const QString &text) { chatPanes->ShowShout(text); }
void Mainform::ShowTerminal(const QString &text) { chatPanes->ShowTerminal(text); }

bool Mainform::handleTypingKey(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (watched == txtkibitz)
        txtkibitz_KeyPress();
    else if (watched == txtType)
        cmdShoutsSend_Click();
    else
        return false;
    return true;
}

void Mainform::txtkibitz_KeyPress() {
    if (server.isConnected())
        server.send(ChatInput::kibitzCommand(txtkibitz->text(), opWhisper->isChecked()));
    txtkibitz->clear();
}

void Mainform::cmdShoutsSend_Click() {
    if (server.isConnected())
        server.send(ChatInput::typingCommand(txtType->text(), opShouts->isChecked()));
    txtType->clear();
}

void Mainform::opShouts_Click() {
    txtShouts->show();
    txtTerminal->hide();
    txtShouts->moveCursor(QTextCursor::End);
}

void Mainform::opTerminal_Click() {
    txtTerminal->show();
    txtShouts->hide();
    txtTerminal->moveCursor(QTextCursor::End);
}

void Mainform::setReadyPicture(bool ready) {
    const QPixmap picture(Program::path(ready ? QStringLiteral("pics/picReadyOn.bmp") : QStringLiteral("pics/picReadyOff.bmp")));
    cmdToggleReady->setIcon(picture);
}

void Mainform::setCubeTogglePicture(bool askToDouble) {
    cmdDouble2->setIcon(askToDouble ? tbarcube1 : tbarcube2);
}
