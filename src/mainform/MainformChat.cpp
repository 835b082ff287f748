// The main window's conversations: the private chat windows and the shouts window, the
// canned lines of the Kibitz, Shouts and Server menus, and the talking waves of the
// Sounds menu.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "connection/frmLogin.h"
#include "lobby/frmChat.h"
#include "mainform/Mainform.h"
#include "mainform/MainformChatHost.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>

namespace {

// Canned kibitz lines of this account go into the kibitz box instead of out, so that new
// lines can be tried without saying them.
const QString kTryOutAccount = QStringLiteral("korvex_tryout");

// Hands one kind of event of a control to the main window.
class EventHook : public QObject {
public:
    using Handler = std::function<bool(QEvent *)>;
    EventHook(QObject *watched, Handler handler) : QObject(watched), handler_(std::move(handler)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override { return handler_(event); }

private:
    Handler handler_;
};

}  // namespace

Preferences &MainformChatHost::prefs() { return w_.prefs; }
bool MainformChatHost::socketConnected() const { return w_.server.isConnected(); }
bool MainformChatHost::send(const QString &command) { return w_.server.send(command); }
void MainformChatHost::playKibitzSound() { PlayWav(QStringLiteral("kibitz"), false, w_.prefs); }

void Mainform::wireChat() {
    chatHost = std::make_unique<MainformChatHost>(*this);
    if (QAction *chat = findChild<QAction *>(QStringLiteral("mnuChat")))
        connect(chat, &QAction::triggered, this, &Mainform::mnuChat_Click);
    if (QAction *shouts = findChild<QAction *>(QStringLiteral("mnuChatShouts")))
        connect(shouts, &QAction::triggered, this, &Mainform::mnuChatShouts_Click);

    new EventHook(lblPlayer2, [this](QEvent *event) {
        if (event->type() == QEvent::MouseButtonDblClick)
            lblPlayer2_DblClick();
        return false;
    });
    new EventHook(txtkibitz, [this](QEvent *event) {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->modifiers() != Qt::ShiftModifier)
            return false;
        txtKibitz_MouseDown(mouse->modifiers(), mouse->globalPosition().toPoint());
        return true;
    });

    fillCannedMenu(mnuKibitz1, kibitzLines, "mnukibitz", &Mainform::mnukibitz_Click);
    fillCannedMenu(mnuShout1, shoutLines, "mnuShouts", &Mainform::mnuShouts_Click);
    fillCannedMenu(mnuServer1, serverLines, "mnuServer", &Mainform::mnuServer_Click);
}

// --- chat windows

frmChat *Mainform::openChat(const QString &partner, bool takeFocus) {
    auto *window = new frmChat(*chatHost, this);
    window->setWindowTitle(frmChat::conversationCaption(partner));
    window->chatWith = partner;
    // Keys meant for the kibitz box must not turn into a tell to whoever wrote last.
    window->setAttribute(Qt::WA_ShowWithoutActivating, !takeFocus);
    window->show();
    if (takeFocus) {
        window->raise();
        window->activateWindow();
        window->txtChatSend->setFocus();
    }
    return window;
}

// A conversation with the chosen player; with no one chosen, none.
void Mainform::mnuChat_Click() {
    if (selectedPlayer.isEmpty())
        return;
    flags.whoSays = selectedPlayer;
    openChat(flags.whoSays, true);
}

void Mainform::mnuChatShouts_Click() {
    auto *window = new frmChat(*chatHost, this);
    window->setWindowTitle(frmChat::shoutsCaption);
    window->txtReceive->setPlainText(txtShouts->toPlainText());
    window->txtReceive->moveCursor(QTextCursor::End);
    window->show();
    window->raise();
    window->activateWindow();
    window->txtChatSend->setFocus();
}

void Mainform::lblPlayer2_DblClick() {
    flags.whoSays = lblPlayer2->text();
    openChat(flags.whoSays, true);
}

void Mainform::closeChatWindows() {
    frmChat::closeAll();
}

// --- canned lines

void Mainform::fillCannedMenu(QMenu *menu, const CannedMenu &lines, const char *entryName,
                              void (Mainform::*chosen)(int)) {
    menu->clear();
    const QStringList &entries = lines.entries();
    for (int i = 0; i < entries.size(); ++i) {
        QAction *entry = menu->addAction(QString(entries.at(i)).replace('&', QLatin1String("&&")));
        entry->setObjectName(QLatin1String(entryName) + QString::number(i));
        entry->setData(entries.at(i));
        connect(entry, &QAction::triggered, this, [this, chosen, i] { (this->*chosen)(i); });
    }
}

// Each file alone: one that is missing leaves only its own menu with its placeholder.
void Mainform::LoadKibitzMenu() {
    const struct {
        QMenu *menu;
        CannedMenu *lines;
        const char *entryName;
        void (Mainform::*chosen)(int);
    } menus[] = {{mnuKibitz1, &kibitzLines, "mnukibitz", &Mainform::mnukibitz_Click},
                 {mnuShout1, &shoutLines, "mnuShouts", &Mainform::mnuShouts_Click},
                 {mnuServer1, &serverLines, "mnuServer", &Mainform::mnuServer_Click}};
    for (const auto &m : menus) {
        const QString error = m.lines->load(Program::path(m.lines->fileName()));
        if (!error.isEmpty())
            Dialogs::message(QStringLiteral("Error in load kibitz menu ") + m.lines->fileName() + QStringLiteral(": ") +
                             error);
        fillCannedMenu(m.menu, *m.lines, m.entryName, m.chosen);
    }
}

void Mainform::doCannedAction(const CannedMenu &lines, const CannedMenu::Action &action) {
    switch (action.what) {
    case CannedMenu::Action::Nothing:
        break;
    case CannedMenu::Action::OpenFile:
        OpenOrSay(Program::path(lines.fileName()));
        break;
    case CannedMenu::Action::Send:
        server.send(action.text);
        break;
    case CannedMenu::Action::FillKibitzBox:
        txtkibitz->setText(action.text);
        break;
    case CannedMenu::Action::FillTypingBox:
        txtType->setText(action.text);
        break;
    }
}

void Mainform::mnukibitz_Click(int index) {
    if (!txtkibitz->isVisible())
        return;
    const bool tryOut = frmLoginWindow && frmLoginWindow->theusername == kTryOutAccount;
    doCannedAction(kibitzLines, kibitzLines.choose(index, flags.isConnected, flags.tokenPlayer, tryOut));
}

void Mainform::mnuShouts_Click(int index) {
    doCannedAction(shoutLines, shoutLines.choose(index, flags.isConnected, flags.tokenPlayer));
}

void Mainform::mnuServer_Click(int index) {
    doCannedAction(serverLines, serverLines.choose(index, flags.isConnected, flags.tokenPlayer));
}

// Shift alone with any button in the kibitz box offers the canned kibitz lines.
void Mainform::txtKibitz_MouseDown(Qt::KeyboardModifiers shift, const QPoint &globalPos) {
    if (shift == Qt::ShiftModifier)
        mnuKibitz1->popup(globalPos);
}

// --- talking waves

// The wave is not played here: it plays when the server's echo of the kibitz comes back.
void Mainform::mnuSoundSelect_Click(int index) {
    if (prefs.prfDisableSounds || index < 0 || index >= mnuSoundSelect.size())
        return;
    if (!prefs.prfTalkingWavs) {
        Dialogs::message(QStringLiteral("Enable talking wavs in Sound Preferences to use this feature"));
        return;
    }
    const QString name = mnuSoundSelect.at(index)->data().toString();
    if (Program::isSafeFileName(name) && FileExists(Program::path(QStringLiteral("talking wavs/") + name)) &&
        flags.isConnected)
        server.send(QStringLiteral("k ") + name);
}
