// The main window's online and offline looks: the offline state every disconnect returns
// to, the Connect / Disconnect / Exit button, and the server settings sent once.
#include "app/Dialogs.h"
#include "app/MousePointer.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "connection/frmLogin.h"
#include "lobby/frmInvite.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"
#include "records/LogFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

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
        menu->setEnabled(enabled);
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
    setMenuEnabled("mnuChatShouts", false);
    if (records.isLogFileOpen())
        records.closeLogFile();

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
    lblStatus->setText(QStringLiteral("Korvex Backgammon ver.") + Program::versionString());
    for (QWidget *w : std::initializer_list<QWidget *>{opAll, opFriends, opReady, lblAll, lblReady, lblFriends})
        w->setEnabled(false);

    // A match that was being recorded is kept rather than lost.
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
        if (!Dialogs::ask(question, title))
            return;
        flags.isExitClicked = true;
    }
    if (flags.isExitClicked && caption == QLatin1String("Disconnect")) {
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
        if (!lists.watchLog.isEmpty()) {
            const QString watched = LogFiles::nextWatchedLog(Program::path(QStringLiteral("log")));
            LogFiles::writeLines(watched, lists.watchLog);  // a failure here must not stop the disconnect
        }
        flags.isExitClicked = false;
        cmdExit->setText(QStringLiteral("Exit"));
        unloadLoginWindow();
        NeutralizeSettings();
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

void Mainform::mnudisconnect_Click() {
    flags.isExitClicked = true;
    cmdExit_Click();
}

void Mainform::SendStartupToggles() {
    for (const char *command : {"set boardstyle 3 ", "toggle moreboards ", "toggle notify ", "toggle report "}) {
        if (server.isConnected()) {
            server.send(QLatin1String(command));
            QCoreApplication::processEvents();
            Pause(1000);
        }
        QCoreApplication::processEvents();
    }
}
