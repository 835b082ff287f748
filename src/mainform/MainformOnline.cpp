// The main window's online and offline looks: the offline state every disconnect returns
// to, the Connect / Disconnect / Exit button, and the server settings sent once.
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "connection/ServerLineDispatcher.h"
#include "connection/frmLogin.h"
#include "lobby/frmInvite.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"
#include "records/LogFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <optional>

namespace {
const char *const kOnlineMenus[] = {
    "mnuIgnore",      "mnuLeave",     "mnuListAddBuddy", "mnuListRefresh",     "mnuLook",   "mnuNotify",
    "mnuReady",       "mnuRefresh",   "mnuRepbot",       "mnuRepBotAsk",       "mnuReport", "mnuSetBoardstyle",
    "mnuSort",        "mnuStopWatch", "mnutoggledouble", "mnuToggleMoreboards", "mnuWatch", "mnuWatchers",
    "mnuWhois",       "mnuAway",      "mnuGreedy",       "mnuAutoInvite",      "mnuJoin",   "mnuSaved",
    "mnuChat",        "mnuInvite"};
}  // namespace

void Mainform::setMenuEnabled(const char *name, bool enabled) {
    if (QAction *action = findChild<QAction *>(QLatin1String(name)))
        action->setEnabled(enabled);
    else if (QMenu *menu = findChild<QMenu *>(QLatin1String(name)))
        menu->menuAction()->setEnabled(enabled);  // as the online look switches it back on
}

void Mainform::showOnlineLook() {
    for (QWidget *w : std::initializer_list<QWidget *>{cmdAuto, cmdBack, cmdStep, cmdMoney, cmdTrophy, cmdDouble})
        w->setEnabled(false);
    mnuConnect->setEnabled(false);
    setMenuEnabled("mnuLoadJFPos", false);
    mnuNew->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{cmdUndo, cmdAccept, cmdgreedy, cmdRefresh, cmdReject,
                                                       cmdToggleReady, cmdDouble2, cmdSort, opAll, opFriends, opReady,
                                                       lblAll, lblReady, lblFriends})
        w->setEnabled(true);
    for (const char *name : kOnlineMenus)
        setMenuEnabled(name, true);
    for (const char *name : {"mnudisconnect", "mnuToggle", "mnuAccept", "mnuReject"})
        setMenuEnabled(name, true);
    cmdExit->setText(QStringLiteral("Disconnect"));
    Label1->show();
    lblwinsB->hide();
    lblwinsW->hide();
    List1->clear();
}

void Mainform::NeutralizeSettings() {
    lblTime->setText(QStringLiteral("offline"));
    if (playerList)
        playerList->clear();
    List3->clear();
    txtKibitzoutput->clear();
    txtTerminal->clear();
    txtShouts->clear();
    for (QLabel *counter : {lblFriends, lblAll, lblReady})
        counter->setText(QStringLiteral("0"));
    mnuConnect->setEnabled(true);
    mnudisconnect->setEnabled(false);
    if (QAction *shouts = findChild<QAction *>(QStringLiteral("mnuChatShouts")))
        shouts->setVisible(false);
    if (records.isLogFileOpen())
        records.closeLogFile();
    // Going offline ends any watching.
    saveWatchedLog();
    flags.isWatching = false;
    // The next connection's own-information line tells the switches afresh; start-up
    // toggles still waiting for it keep waiting.
    flags.serverSwitches.state = {};

    flags.initOutput = true;
    flags.isConnected = false;
    flags.isPlaying = false;
    flags.isLogging = false;
    flags.isBot = false;
    match.isMatch = false;
    flags.isReady = false;
    flags.isAway = false;
    match.AskToDouble = true;
    match.MovesToMake = 0;
    match.legalMoveCtr = 0;
    moveInput.movesMade = 0;
    moveInput.dieChoice = 0;
    moveInput.diceUsed = 0;
    moveInput.firstDie = 0;
    moveInput.mayMove = true;
    moveInput.resetPending = false;
    lists.autoInviteList.clear();

    for (QPushButton *b : {cmdUndo, cmdAccept, cmdgreedy, cmdRefresh, cmdReject, cmdToggleReady, cmdDouble2, cmdPickUp})
        b->setEnabled(false);
    cmdTrophy->setEnabled(true);
    mnuAccept->setEnabled(false);
    mnuReject->setEnabled(false);
    Label1->hide();
    for (frmInvite *invitation : frmInvite::openWindows())
        invitation->chkSelfPlay->setEnabled(true);
    setCaption(lblStatus, QStringLiteral("Korvex Backgammon ver.") + Program::versionString());
    for (QWidget *w : std::initializer_list<QWidget *>{cmdSort, opAll, opFriends, opReady, lblAll, lblReady, lblFriends})
        w->setEnabled(false);

    // A finished match still waiting for its save is saved, not called lost; a match that
    // was being recorded is kept rather than lost.
    records.savePendingMatch();
    if (prefs.prfSaveAll && !lists.matchLog.isEmpty()) {
        if (LogFiles::writeLines(Program::path(QStringLiteral("log/oops.log")), lists.matchLog)) {
            lists.matchLog.clear();
            Dialogs::message(QStringLiteral("oops.log file contains lost game data"));
        } else {
            Dialogs::message(QStringLiteral("error in neutralize settings ") +
                             QStringLiteral("the lost game data could not be written to log/oops.log"));
        }
    }
    for (const char *name : kOnlineMenus)
        setMenuEnabled(name, false);
    setMenuEnabled("mnuLoadJFPos", true);
    mnuNew->setEnabled(true);
    MousePointer::restoreDefault();
}

void Mainform::cmdExit_Click() {
    const QString caption = cmdExit->text();
    if (flags.isPlaying) {
        QString question, title;
        if (caption == QLatin1String("Disconnect")) {
            question = QStringLiteral("Do you want to Disconnect?");
            title = QStringLiteral("Confirming Disconnect");
        } else if (caption == QLatin1String("Connect")) {
            question = QStringLiteral("Do you want to end this game and connect?");
            title = QStringLiteral("Confirming Connect");
        } else {
            question = QStringLiteral("Do you really want to exit?");
            title = QStringLiteral("Confirming");
        }
        if (!Dialogs::ask(question, title)) {
            // The press marked the window as closing; answered No, it is not, and the board
            // must go on being shown.
            flags.isExitClicked = false;
            return;
        }
        flags.isExitClicked = true;
    }
    if (flags.isExitClicked && caption == QLatin1String("Disconnect")) {
        flags.isExitClicked = false;
        afterTheLastLine([this] { disconnectFromServer(); });
        return;
    }
    if (flags.isExitClicked && caption == QLatin1String("Connect")) {
        flags.isExitClicked = false;
        mnuConnect_Click();
        return;
    }
    if (flags.isExitClicked && caption == QLatin1String("Exit"))
        close();
}

// The Disconnect steps, once the lines received before the click have been read.
void Mainform::disconnectFromServer() {
    flags.initOutput = true;
    if (playerList)
        playerList->clear();
    List3->clear();
    for (QLabel *counter : {lblFriends, lblAll, lblReady})
        counter->setText(QStringLiteral("0"));
    MousePointer::restoreDefault();
    mnuConnect->setEnabled(true);
    mnudisconnect->setEnabled(false);
    flags.isLogging = false;
    opTerminal->setChecked(true);
    if (records.isLogFileOpen())
        records.closeLogFile();
    cmdExit->setText(QStringLiteral("Exit"));
    unloadLoginWindow();
    NeutralizeSettings();
}

void Mainform::afterTheLastLine(std::function<void()> then) {
    afterLastLine_.push_back(std::move(then));
    if (readingOut_)
        return;  // the reading under way ends with it too
    readingOut_ = std::make_unique<WaitsOff>();
    // The connection hands on what it holds; the dispatcher then reads its queue out.
    server.finishReading([this] {
        dispatcher->whenIdle([this] {
            readingOut_.reset();
            std::vector<std::function<void()>> steps;
            steps.swap(afterLastLine_);
            for (const auto &step : steps)
                step();
        });
    });
}

void Mainform::saveWatchedLog() {
    if (lists.watchLog.isEmpty())
        return;
    // Lines that could not be written stay for the next try; the caller goes on either way.
    const QString path = LogFiles::nextWatchedLog(Program::path(QStringLiteral("log")));
    if (LogFiles::writeLines(path, lists.watchLog))
        lists.watchLog.clear();
}

void Mainform::mnudisconnect_Click() {
    flags.isExitClicked = true;
    cmdExit_Click();
}

// Which of the toggles are needed only the server's own-information line tells: one
// sent for a switch already on would turn it off. Until that line comes, they wait for it.
void Mainform::SendStartupToggles() {
    ServerSwitches &switches = flags.serverSwitches;
    if (!switches.known(ServerSwitches::Moreboards)) {
        switches.startupTogglesWaiting = true;
        return;
    }
    switches.startupTogglesWaiting = false;
    const struct {
        const char *command;
        std::optional<ServerSwitches::Switch> turnsOn;
    } steps[] = {{"set boardstyle 3 ", std::nullopt},
                 {"toggle moreboards ", ServerSwitches::Moreboards},
                 {"toggle notify ", ServerSwitches::Notify},
                 {"toggle report ", ServerSwitches::Report}};
    for (const auto &step : steps) {
        if (step.turnsOn && switches.isOn(*step.turnsOn))
            continue;
        if (server.isConnected()) {
            server.send(QLatin1String(step.command));
            if (step.turnsOn)
                switches.set(*step.turnsOn, true);
            runEvents();
            Pause(1000);
        }
        runEvents();
    }
}
