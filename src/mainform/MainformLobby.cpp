// The main window's lobby side: the player lists' views, order and away marks, the player
// menu and the row it acts on, friends and the gag list, the auto-invite list, RepBot and
// the user's own switches, opening invitation windows, what is known of a player, and the
// line filter's rules about other players.
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/Program.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"
#include "app/Utilities.h"
#include "lobby/AutoInviteList.h"
#include "lobby/FriendsFile.h"
#include "lobby/frmEdit.h"
#include "lobby/frmInvite.h"
#include "lobby/frmMessage.h"
#include "lobby/InviteDecision.h"
#include "lobby/PlayerList.h"
#include "lobby/PlayerRecord.h"
#include "mainform/Mainform.h"
#include "mainform/MainformLineHost.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextEdit>

namespace {

// Hands a control's presses and keys to the lobby, leaving other events alone.
class LobbyEvents : public QObject {
public:
    LobbyEvents(QObject *parent, std::function<bool(QObject *, QEvent *)> handle)
        : QObject(parent), handle_(std::move(handle)) {}
    bool eventFilter(QObject *watched, QEvent *event) override { return handle_(watched, event); }

private:
    std::function<bool(QObject *, QEvent *)> handle_;
};

// The one account for which a right click on the sort button counts the clients in the list.
const QString kClientCountAccount = QStringLiteral("korvex");

}  // namespace

void Mainform::buildLobbyActions() {
    auto on = [this](const char *name, void (Mainform::*handler)()) {
        if (QAction *action = findChild<QAction *>(QLatin1String(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    on("mnuInvite", &Mainform::mnuInvite_Click);
    on("mnuJoin", &Mainform::mnuJoin_Click);
    on("mnuLook", &Mainform::mnuLook_Click);
    on("mnuWatch", &Mainform::mnuWatch_Click);
    on("mnuStopWatch", &Mainform::mnuStopWatch_Click);
    on("mnuWatchers", &Mainform::mnuWatchers_Click);
    on("mnuWhois", &Mainform::mnuWhois_Click);
    on("mnuSortRating", &Mainform::mnuSortRating_Click);
    on("mnusortName", &Mainform::mnusortName_Click);
    on("mnuListAddBuddy", &Mainform::mnuListAddBuddy_Click);
    on("mnuIgnore", &Mainform::mnuIgnore_Click);
    on("mnuEditFriends", &Mainform::mnuEditFriends_Click);
    on("mnuEditStats", &Mainform::mnuEditStats_Click);
    on("mnuAutoShow", &Mainform::mnuAutoShow_Click);
    on("mnuAutoFriends", &Mainform::mnuAutoFriends_Click);
    on("mnuAutoClear", &Mainform::mnuAutoClear_Click);
    on("mnuAway", &Mainform::mnuAway_Click);
    on("mnuNotify", &Mainform::mnuNotify_Click);
    on("mnuReport", &Mainform::mnuReport_Click);
    on("mnuRepBotAsk", &Mainform::mnuRepBotAsk_Click);
    on("mnuRepbotComplain", &Mainform::mnuRepbotComplain_Click);
    on("mnuRepbotList", &Mainform::mnuRepbotList_Click);
    on("mnuRepbotVouch", &Mainform::mnuRepbotVouch_Click);
    on("mnuRepbotWithdraw", &Mainform::mnuRepbotWithdraw_Click);
    if (QAction *refresh = findChild<QAction *>(QStringLiteral("mnuListRefresh")))
        connect(refresh, &QAction::triggered, this, [this] {
            if (playerList)
                playerList->mnuListRefresh_Click();
        });

    cmdSort->setToolTip(QStringLiteral("Sort the player list"));
    cmdSort->setEnabled(false);
    connect(cmdSort, &QPushButton::clicked, this, &Mainform::cmdSort_Click);

    connect(opAll, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opAll_Click();
    });
    connect(opReady, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opReady_Click();
    });
    connect(opFriends, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opFriends_Click();
    });

    auto *events = new LobbyEvents(this, [this](QObject *watched, QEvent *event) { return lobbyEvent(watched, event); });
    events->setObjectName(QStringLiteral("lobbyEvents"));
    lobbyEvents_ = events;
    for (QListWidget *list : {List1, List2, List3, List4}) {
        // The right button is the player menu's, and only on a row.
        list->setContextMenuPolicy(Qt::PreventContextMenu);
        list->viewport()->installEventFilter(events);
        if (list == List1)
            connect(list, &QListWidget::itemClicked, this, &Mainform::List1_Click);
        else
            connect(list, &QListWidget::itemClicked, this, [this, list] { listClick(list); });
        // Rows chosen with the keys count as well; rows the server changes do not (the list
        // boxes follow the model with their signals blocked).
        connect(list, &QListWidget::currentRowChanged, this, [this, list] {
            if (list == List1)
                List1_Click();
            else
                listClick(list);
        });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem *item) {
                    if (!item->text().isEmpty())
                        ProcessDblClick(item->text());
                });
    }
    List4->installEventFilter(events);
    cmdSort->installEventFilter(events);
    lblPlayer2->installEventFilter(events);
}

namespace {

// The player a row names, as the player menu takes it: its second piece, when it has the
// pieces of a row.
QString playerOfRow(const QString &row) {
    const QStringList pieces = SplitWords(row, QStringLiteral(".: "));
    return pieces.size() >= 4 ? pieces.at(1) : QString();
}

bool isChosenRow(const QListWidget *box, int index) {
    const QListWidgetItem *item = box->item(index);
    return item && box->currentRow() == index && item->isSelected();
}

// The row of `player` in a list box, or -1.
int rowOfPlayer(const QListWidget *box, const QString &player) {
    for (int i = 0; !player.isEmpty() && i < box->count(); ++i)
        if (playerOfRow(box->item(i)->text()) == player)
            return i;
    return -1;
}

void letGoOfRows(QListWidget *box) {
    const QSignalBlocker quiet(box);
    box->setCurrentRow(-1);
    box->clearSelection();
}

}  // namespace

// The list boxes follow the rows with their signals blocked, so a row the server changes is
// never taken for the user's choice. The row the user chose stays chosen when a who line
// puts it back elsewhere; when it does not come back, no one is chosen.
PlayerList::Observer Mainform::playerListObserver() {
    auto listBox = [this](PlayerList::Which which) {
        return which == PlayerList::Which::All ? List1 : which == PlayerList::Which::Ready ? List2 : List4;
    };
    PlayerList::Observer observer;
    observer.inserted = [this, listBox](PlayerList::Which which, int index, const QString &row) {
        QListWidget *box = listBox(which);
        const QSignalBlocker quiet(box);
        box->insertItem(index, row);
        QString &left = leftRows_[size_t(which)];
        if (!left.isEmpty() && playerOfRow(row) == left) {
            box->setCurrentRow(index);
            left.clear();
        }
    };
    observer.removed = [this, listBox](PlayerList::Which which, int index) {
        QListWidget *box = listBox(which);
        const bool chosen = isChosenRow(box, index);
        if (chosen)
            leftRows_[size_t(which)] = playerOfRow(box->item(index)->text());
        {
            const QSignalBlocker quiet(box);
            delete box->takeItem(index);
        }
        if (chosen)
            letGoOfRows(box);  // the list would choose the next row in its place
    };
    observer.cleared = [this, listBox](PlayerList::Which which) {
        QListWidget *box = listBox(which);
        if (const QListWidgetItem *item = box->currentItem(); item && item->isSelected())
            leftRows_[size_t(which)] = playerOfRow(item->text());
        const QSignalBlocker quiet(box);
        box->clear();
    };
    observer.replaced = [listBox](PlayerList::Which which, int index, const QString &row) {
        QListWidget *box = listBox(which);
        const QSignalBlocker quiet(box);
        if (QListWidgetItem *item = box->item(index))
            item->setText(row);
    };
    observer.reordered = [this, listBox](PlayerList::Which which) {
        QListWidget *box = listBox(which);
        const QSignalBlocker quiet(box);
        const QListWidgetItem *current = box->currentItem();
        const QString chosen = current && current->isSelected() ? current->text() : QString();
        box->setUpdatesEnabled(false);
        box->clear();
        const QStringList &rows = playerList->rows(which);
        box->addItems(rows);
        // The row the user had chosen stays chosen where it now stands.
        if (!chosen.isEmpty()) {
            const int row = int(rows.indexOf(chosen));
            if (row >= 0)
                box->setCurrentRow(row);
        }
        box->setUpdatesEnabled(true);
    };
    observer.settled = [this] {
        for (QString &left : leftRows_) {
            if (!left.isEmpty() && left == selectedPlayer)
                selectedPlayer.clear();
            left.clear();
        }
    };
    observer.departed = [this](const QString &name) {
        if (name == selectedPlayer)
            selectedPlayer.clear();
    };
    return observer;
}

bool Mainform::lobbyEvent(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        if (watched == cmdSort) {
            cmdSort_MouseDown(button);
            return false;
        }
        if (watched == lblPlayer2) {
            lblPlayer2_MouseDown(button);
            return false;
        }
        for (QListWidget *list : {List1, List2, List3, List4}) {
            if (watched != list->viewport())
                continue;
            board.HideBlueScreen();
            if (button != Qt::RightButton)
                return false;
            if (mnuObject)
                mnuObject->ProcessMouseDown(*this, list, button,
                                            static_cast<QMouseEvent *>(event)->position().toPoint());
            return true;
        }
    }
    if (watched == List4 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        // Without a chosen friend, the friends entry of the player menu adds instead of removing.
        letGoOfRows(List4);
        return true;
    }
    return false;
}

void Mainform::List1_Click() {
    if (flags.isConnected)
        listClick(List1);
}

void Mainform::listClick(QListWidget *list) {
    const QListWidgetItem *item = list->currentItem();
    if (item && item->isSelected() && !item->text().isEmpty())
        SelectListPlayer(item->text());
}

void Mainform::popAMenu() {
    mnupopup->popup(QCursor::pos());
}

void Mainform::lblPlayer2_MouseDown(Qt::MouseButton button) {
    const QString opponent = lblPlayer2->text().trimmed();
    if (button != Qt::RightButton || opponent.isEmpty())
        return;
    flags.whoSays = opponent;
    selectedPlayer = opponent;
    showChosenRow();
    popAMenu();
}

void Mainform::showChosenRow() {
    for (QListWidget *list : {List1, List2, List3, List4}) {
        letGoOfRows(list);
        if (const int row = list->isHidden() ? -1 : rowOfPlayer(list, selectedPlayer); row >= 0) {
            const QSignalBlocker quiet(list);
            list->setCurrentRow(row);
        }
    }
}

QString Mainform::chosenRow() const {
    if (selectedPlayer.isEmpty())
        return {};
    for (const QListWidget *list : {List1, List2, List3, List4})
        if (const int row = list->isHidden() ? -1 : rowOfPlayer(list, selectedPlayer); row >= 0)
            return list->item(row)->text();
    if (playerList)
        for (const QString &row : playerList->rows(PlayerList::Which::All))
            if (playerOfRow(row) == selectedPlayer)
                return row;
    return {};
}

// --- views and order ------------------------------------------------------------------

void Mainform::showView(QListWidget *shown) {
    for (QListWidget *list : {List1, List2, List3, List4}) {
        letGoOfRows(list);
        list->setVisible(list == shown);
    }
}

void Mainform::opAll_Click() {
    board.HideBlueScreen();
    showView(List1);
    if (List1->count() == 0 && flags.isConnected && server.isConnected()) {
        MousePointer::hourglass();
        server.send(QStringLiteral("rawwho "));
    }
}

void Mainform::opReady_Click() {
    board.HideBlueScreen();
    showView(List2);
}

void Mainform::opFriends_Click() {
    {
        const QSignalBlocker quiet(opFriends);
        opFriends->setChecked(true);
    }
    if (playerList)
        playerList->ShowFriends(playerList->friendsFile);
    showView(List4);
}

void Mainform::ShowAway(bool isAway) {
    if (playerList)
        playerList->ShowAway(isAway, lineHost->theusername());
}

// The lists of the view the user sees are sorted; `wholeList` sorts the all-players list
// also when it is not shown, because its new rows are placed by the order it is sorted in.
void Mainform::sortLists(bool byName, bool wholeList) {
    if (!playerList)
        return;
    MousePointer::hourglass();
    if (!List1->isHidden() || wholeList)
        playerList->sortRows(PlayerList::Which::All, byName);
    if (!List2->isHidden())
        playerList->sortRows(PlayerList::Which::Ready, byName);
    MousePointer::restoreDefault();
}

void Mainform::mnuSortRating_Click() {
    sortLists(false, false);
}

void Mainform::mnusortName_Click() {
    sortLists(true, false);
}

void Mainform::cmdSort_Click() {
    if (!playerList)
        return;
    const bool byName = !playerList->sortByName;
    cmdSort->setText(byName ? QStringLiteral("Sort by rating") : QStringLiteral("Sort by name"));
    playerList->sortByName = byName;
    sortLists(byName, true);
}

void Mainform::cmdSort_MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton || !playerList || lineHost->theusername() != kClientCountAccount)
        return;
    int own = 0, javafibs = 0;
    for (const QString &row : playerList->rows(PlayerList::Which::All)) {
        own += row.contains(QLatin1String("Korvex")) ? 1 : 0;
        javafibs += row.contains(QLatin1String("javafibs")) ? 1 : 0;
        javafibs += row.contains(QLatin1String("____")) ? 1 : 0;
    }
    Dialogs::message(QStringLiteral("korvex %1 javafibs %2").arg(own).arg(javafibs));
}

// --- friends, the gag list and the editor ----------------------------------------------

void Mainform::mnuListAddBuddy_Click() {
    if (selectedPlayer.isEmpty())
        selectedPlayer = Dialogs::input(QStringLiteral("Enter a name to add to the buddy list"),
                                        QStringLiteral("Buddy List"))
                             .trimmed();
    const QString name = selectedPlayer;
    if (name.isEmpty())
        return;
    const QString path = Program::path(QStringLiteral("friends.dat"));
    const bool remove = !List4->isHidden() && !List4->selectedItems().isEmpty();
    QString error;
    if (remove) {
        if (!Dialogs::ask(FriendsFile::removeQuestion(name), QStringLiteral("Remove from List")))
            return;
        error = FriendsFile::remove(path, name);
    } else {
        if (!Dialogs::ask(FriendsFile::addQuestion(name), QStringLiteral("Add to Buddy List")))
            return;
        error = FriendsFile::add(path, name);
    }
    if (!error.isEmpty()) {
        Dialogs::message(QStringLiteral("friends.dat was left as it was: ") + error);
        return;
    }
    selectedPlayer.clear();
    if (playerList)
        playerList->reloadFriends();
    opFriends_Click();
    if (!remove)
        Dialogs::message(QStringLiteral("Save complete. You will see that user on the list when they are logged on"));
}

void Mainform::mnuIgnore_Click() {
    const QString name = selectedPlayer.trimmed();
    if (name.isEmpty())
        return;
    if (!Dialogs::ask(QStringLiteral("Do you want to ignore (") + name + QStringLiteral(") ?"),
                      QStringLiteral("Filter out noise")))
        return;
    const QString path = Program::path(QStringLiteral("gaglist.txt"));
    if (const QString error = FriendsFile::appendLine(path, name); !error.isEmpty()) {
        Dialogs::message(QStringLiteral("gaglist.txt was left as it was: ") + error);
        return;
    }
    gagList.LoadGagList(path);
    if (playerList)
        playerList->dropGagged();
}

// One editor at a time; one just closed is on its way out.
void Mainform::mnuEditFriends_Click() {
    if (!editWindow || !editWindow->isVisible())
        (editWindow = new frmEdit(lobbyHost, frmEdit::Mode::Friends, this))->show();
}

void Mainform::mnuEditStats_Click() {
    if (!editWindow || !editWindow->isVisible())
        (editWindow = new frmEdit(lobbyHost, frmEdit::Mode::Stats, this))->show();
}

bool MainformLobbyHost::online() const { return w_.flags.isConnected && w_.server.isConnected(); }
bool MainformLobbyHost::send(const QString &command) { return w_.server.send(command); }
const std::vector<StatsRecord> &MainformLobbyHost::statsRecords() const { return w_.playerStats.records; }
bool MainformLobbyHost::isAway() const { return w_.flags.isAway; }
mnuClick *MainformLobbyHost::mnuObject() { return w_.mnuObject.get(); }
Preferences &MainformLobbyHost::prefs() { return w_.prefs; }
StateFlags &MainformLobbyHost::flags() { return w_.flags; }
MatchState &MainformLobbyHost::match() { return w_.match; }
SharedLists &MainformLobbyHost::lists() { return w_.lists; }
PlayerStats &MainformLobbyHost::playerStats() { return w_.playerStats; }
void MainformLobbyHost::HideBlueScreen() { w_.board.HideBlueScreen(); }
void MainformLobbyHost::setReadyPicture(bool ready) { w_.setReadyPicture(ready); }
void MainformLobbyHost::setStatus(const QString &text) { w_.setCaption(w_.lblStatus, text); }
void MainformLobbyHost::SplitFibString(const QString &text) { w_.SplitFibString(text); }
void MainformLobbyHost::newGnubgGame() { w_.newGnubgGame(); }
void MainformLobbyHost::LoadDropped(const QString &name) { w_.LoadDropped(name); }

void MainformLobbyHost::setEditorEntriesEnabled(bool enabled) {
    for (const char *name : {"mnuEditFriends", "mnuEditStats"})
        w_.setMenuEnabled(name, enabled);
}

void MainformLobbyHost::friendsChanged() {
    if (w_.playerList)
        w_.playerList->reloadFriends();
}

// --- the auto-invite list -----------------------------------------------------------------

void Mainform::mnuAutoShow_Click() {
    if (lists.autoInviteList.empty()) {
        Dialogs::message(QStringLiteral("There is no one on Auto Invite"));
        return;
    }
    Dialogs::message(AutoInviteList::listText(lists.autoInviteList), QStringLiteral("Auto Invite List.."));
}

void Mainform::mnuAutoFriends_Click() {
    lists.autoInviteList = AutoInviteList::fromFriends(playerList ? playerList->rows(PlayerList::Which::Friends)
                                                                  : QStringList(),
                                                       playerStats.records, lineHost->theusername());
    mnuAutoShow_Click();
}

void Mainform::mnuAutoClear_Click() {
    lists.autoInviteList.clear();
    lineHost->setStatus(QStringLiteral("Auto Invite Cleared"));
    mnuAutoShow_Click();
}

// --- the user's own state and RepBot ----------------------------------------------------

void Mainform::mnuAway_Click() {
    // A socket that is closing takes no command.
    if (!flags.isConnected || !server.isConnected())
        return;
    if (flags.isAway) {
        server.send(QStringLiteral("back "));
        return;
    }
    if (!awayWindow)
        awayWindow = new frmMessage(lobbyHost, this);
    awayWindow->show();
    awayWindow->raise();
    awayWindow->activateWindow();
}

void Mainform::mnuNotify_Click() {
    if (server.isConnected())
        server.send(QStringLiteral("toggle notify"));
}

void Mainform::mnuReport_Click() {
    if (server.isConnected())
        server.send(QStringLiteral("toggle report"));
}

void Mainform::tellRepBot(const char *verb) {
    if (!selectedPlayer.isEmpty() && flags.isConnected && server.isConnected())
        server.send(QStringLiteral("tell RepBot ") + QLatin1String(verb) + u' ' + selectedPlayer + u' ');
}

void Mainform::mnuRepBotAsk_Click() { tellRepBot("ask"); }
void Mainform::mnuRepbotComplain_Click() { tellRepBot("complain"); }
void Mainform::mnuRepbotList_Click() { tellRepBot("list"); }
void Mainform::mnuRepbotVouch_Click() { tellRepBot("vouch"); }
void Mainform::mnuRepbotWithdraw_Click() { tellRepBot("withdraw"); }

void Mainform::ProcessDblClick(const QString &row) {
    frmInvite::closeAll();
    const QStringList pieces = SplitWords(row, QStringLiteral(".: "));
    if (pieces.size() >= 4) {
        auto *window = new frmInvite(lobbyHost, this);
        window->lblInvite->setText(pieces.at(1));
        window->lblRating->setText(pieces.at(2));
        window->lblExper->setText(pieces.at(3));
        if (match.theOldMatchLength == 0)
            match.theOldMatchLength = prefs.prfLastMatchLength;
        window->Combo1->setEditText(QString::number(match.theOldMatchLength));
        if (pieces.at(0) == QLatin1String("P"))
            window->cmdInvite->setText(QStringLiteral("Auto Invite"));
        window->lblPlayed->setText(QStringLiteral("0"));
        window->lblScore->setText(QStringLiteral("0"));
        window->setWindowTitle(QStringLiteral("Invitation ") + pieces.at(1));
        GetStats(pieces.at(1));
        if (flags.isBot) {
            window->Combo1->setEditText(QString::number(match.theOldMatchLength));
            window->cmdWatch->setEnabled(false);
            window->exec();
        } else {
            window->cmdWatch->setEnabled(true);
            window->show();
        }
    }
    frmInvite::resetCascade();
}

void Mainform::SelectListPlayer(const QString &row) {
    const QString player = playerOfRow(row);
    if (player.isEmpty())
        return;
    selectedPlayer = player;
    flags.tokenPlayer = selectedPlayer;
}

void Mainform::mnuInvite_Click() {
    if (const QString row = chosenRow(); !row.isEmpty())
        ProcessDblClick(row);
    frmInvite::resetCascade();
}

void Mainform::mnuJoin_Click() {
    if (server.isConnected() && flags.isPlaying)
        server.send(QStringLiteral("join "));
}

void Mainform::mnuLook_Click() {
    if (!selectedPlayer.isEmpty() && flags.isConnected && server.isConnected())
        server.send(QStringLiteral("look ") + selectedPlayer + ' ');
}

void Mainform::mnuWatch_Click() {
    if (!selectedPlayer.isEmpty() && flags.isConnected)
        server.send(QStringLiteral("watch ") + selectedPlayer + ' ');
}

void Mainform::mnuStopWatch_Click() {
    if (!server.isConnected()) {
        Dialogs::message(QStringLiteral("Connection to Fibs is not open"));
        return;
    }
    server.send(QStringLiteral("unwatch"));
}

void Mainform::mnuWatchers_Click() {
    if (server.isConnected())
        server.send(QStringLiteral("show watchers "));
}

void Mainform::mnuWhois_Click() {
    if (selectedPlayer.isEmpty() || !flags.isConnected || !server.isConnected())
        return;
    server.send(QStringLiteral("whois ") + selectedPlayer + ' ');
    opTerminal->setChecked(true);
    opTerminal_Click();
}

int Mainform::GetNumDropped(const QString &name) const {
    for (const SavedGame &game : lists.savedGames)
        if (game.name == name)
            return game.count;
    return 0;
}

void Mainform::GetStats(const QString &name) {
    QString rating, experience;
    int saved = 0;
    bool listed = false;
    for (int i = 0; i < List1->count() && !listed; ++i) {
        if (PlayerRecord::fromRow(List1->item(i)->text(), name, rating, experience)) {
            listed = true;
            saved = GetNumDropped(name);
        }
    }
    if (!listed && flags.isConnected)
        server.send(QStringLiteral("whois ") + name + ' ');

    const auto &records = playerStats.records;
    const auto record =
        std::find_if(records.begin(), records.end(), [&](const StatsRecord &r) { return r.name.trimmed() == name; });

    frmInvite *window = nullptr;
    for (frmInvite *w : frmInvite::openWindows())
        if (w->windowTitle() == QStringLiteral("Invitation ") + name) {
            window = w;
            break;
        }
    if (!window)
        return;
    if (!rating.isEmpty() && !experience.isEmpty()) {
        window->lblRating->setText(rating);
        window->lblExper->setText(experience);
        window->lblBot->setVisible(PlayerRecord::isRobot(name));
        if (!lists.savedGames.empty()) {
            window->lblSaved->setText(QString::number(saved));
            const int mark = PlayerRecord::savedMark(saved);
            if (!(mark == 3 && PlayerRecord::isRobot(name))) {
                window->Image1->setVisible(mark == 1);
                window->Image2->setVisible(mark == 2);
                window->Image3->setVisible(mark == 3);
            }
        }
    }
    if (record != records.end()) {
        window->lblPlayed->setText(QString::number(record->played));
        const QString caption = window->cmdInvite->text();
        if (caption == QLatin1String("Invite") || caption == QLatin1String("Auto Invite"))
            window->Combo1->setEditText(QString::number(record->lastLength));
        window->txtComment->setText(record->note);
        if (record->played >= 1)
            window->lblScore->setText(QString::number(PlayerRecord::wonPercent(record->won, record->played)));
    }
}

void Mainform::resumeOnlyWarning(const QString &, const QStringList &) {
    // A window already marked is not marked again: each warning goes to the next invitation.
    for (frmInvite *window : frmInvite::openWindows()) {
        if (!window->windowTitle().contains(QLatin1String("Invitation")))
            continue;
        window->cmdInvite->setText(QStringLiteral("Invite"));
        window->Combo1->setEditText(QStringLiteral("S"));
        window->setWindowTitle(QStringLiteral("Warning !! Resume Only"));
        break;
    }
}

void Mainform::playerInformation(const QString &, const QStringList &w) {
    infoName_ = w.at(2);
}

void Mainform::playerRating(const QString &line, const QStringList &w) {
    setCaption(lblStatus, line);
    if (w.size() != 4)
        return;
    for (frmInvite *window : frmInvite::openWindows())
        if (window->windowTitle() == QStringLiteral("Invitation ") + infoName_) {
            window->lblRating->setText(w.at(1));
            window->lblExper->setText(w.at(3));
            break;
        }
}

frmInvite *Mainform::openServerInvitation(const QString &inviter) {
    match.MovesToMake = 0;
    if (gagList.IsGagged(inviter))
        return nullptr;
    if (!prefs.prfDisableSounds)
        PlayWav(QStringLiteral("bell"), false, prefs);
    auto *window = new frmInvite(lobbyHost, this);
    window->show();
    window->setWindowTitle(QStringLiteral("Invitation ") + inviter);
    window->cmdInvite->setText(QStringLiteral("Join"));
    window->cmdWatch->setText(QStringLiteral("Decline"));
    window->lblInvite->setText(' ' + inviter);
    flags.tokenPlayer = inviter;
    return window;
}

void Mainform::invitationToPlay(const QString &, const QStringList &w) {
    frmInvite *window = openServerInvitation(w.at(0));
    if (!window)
        return;
    // An unlimited match names no length; "S" stands in for it.
    window->Combo1->setEditText(w.size() >= 6 && InviteDecision::isNumeric(w.at(5)) ? w.at(5) : QStringLiteral("S"));
    GetStats(w.at(0));
    runEvents();
    Pause(200);
    if (prefs.prfAskRepbot && server.isConnected())
        server.send(QStringLiteral("tell RepBot ask ") + w.at(0) + ' ');
}

void Mainform::invitationToResume(const QString &, const QStringList &w) {
    frmInvite *window = openServerInvitation(w.at(0));
    if (!window)
        return;
    window->Combo1->setEditText(QStringLiteral("S"));
    GetStats(w.at(0));
    LoadDropped(w.at(0));
}

void Mainform::userStartsWatching(const QString &line, const QStringList &) {
    setCaption(lblStatus, line);
    flags.isPlaying = false;
    flags.isWatching = true;
    boardLineReader.watchingStarts();
}

void Mainform::watcherOfUser(const QString &line, const QStringList &w) {
    if (gagList.IsGagged(w.at(0)))
        return;
    ShowKibitz(line);
    if (w.at(1) == QLatin1String("stops"))
        match.numWatchers1 = qMax(0, match.numWatchers1 - 1);  // a watcher from before the count began
    else
        ++match.numWatchers1;
}
