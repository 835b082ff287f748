// The main window's side of the server connection: the Play Online entry, the login and
// new-account windows it opens, the one-second timer with its clock, data lamp and
// connect watchdog.
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/Program.h"
#include "connection/DataLamp.h"
#include "connection/frmAccount.h"
#include "connection/frmLogin.h"
#include "mainform/Mainform.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QTime>
#include <QTimer>

void Mainform::buildServerControls() {
    // The clock beside the kibitz choice, the lamp at the end of the kibitz box.
    lblTime = new QLabel(Picture2);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    lblTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTime->setTextFormat(Qt::PlainText);
    lblTime->setPalette(lblStatus->palette());
    Label1 = new DataLamp(picKibitz);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setPictures(QPixmap(Program::path(QStringLiteral("pics/picTerminal1.bmp"))),
                        QPixmap(Program::path(QStringLiteral("pics/picTerminal2.bmp"))),
                        QPixmap(Program::path(QStringLiteral("pics/picterminal3.bmp"))));
    Label1->hide();

    connect(mnuConnect, &QAction::triggered, this, &Mainform::mnuConnect_Click);
    connect(Timer2, &QTimer::timeout, this, &Mainform::Timer2_Timer);
}

frmLogin *Mainform::loadLoginWindow() {
    if (!frmLoginWindow || frmLoginWindow->isUnloaded())
        frmLoginWindow = new frmLogin(connectionHost, this);
    return frmLoginWindow;
}

void Mainform::unloadLoginWindow() {
    if (frmLoginWindow)
        frmLoginWindow->Form_Unload();
    frmLoginWindow.clear();
}

frmAccount *Mainform::showAccountWindow() {
    if (!frmAccountWindow || frmAccountWindow->isUnloaded())
        frmAccountWindow = new frmAccount(connectionHost, this);
    frmAccountWindow->show();
    frmAccountWindow->raise();
    return frmAccountWindow;
}

void Mainform::mnuConnect_Click() {
    // The saved-games page of an earlier click is still on its way; that click goes on.
    if (savedGamesList.isBusy())
        return;
    lists.matchLog.clear();
    lists.autoInviteList.clear();
    flags.endList = true;
    match.AskToDouble = true;
    flags.initOutput = true;
    endPlayback();
    flags.isBot = false;
    gnuObject.reset();  // the next offline game starts the engine afresh
    flags.isPlaying = false;
    match.isMatch = false;
    match.gameInit = true;
    match.gameOver = true;
    if (QAction *shouts = findChild<QAction *>(QStringLiteral("mnuChatShouts")))
        shouts->setVisible(true);
    LoadKibitzMenu();

    if (prefs.prfFirstTimer) {
        showAccountWindow();
        return;
    }
    savedGamesList.LoadSavedGamesList(prefs.prfLoadSaved, [this] {
        // Every connection starts from a fresh login window and socket.
        unloadLoginWindow();
        loadLoginWindow()->show();
    });
}

void Mainform::ShowDataArrival(int state) {
    Label1->showState(state);
}

void Mainform::Timer2_Timer() {
    if (!flags.initOutput && flags.isConnected) {
        lblTime->setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss AP")));
        ShowDataArrival(0);
    }

    if (lampTicker.tick(server.isConnected())) {
        ShowDataArrival(1);
        runEvents();
        ShowDataArrival(2);
    }

    const ConnectWatchdog::Verdict verdict = server.watchdog().tick(server.isAttempting());
    if (verdict.attemptsLeft > 0 || verdict.timedOut) {
        if (frmLoginWindow)
            frmLoginWindow->setWindowTitle(QStringLiteral("Connection attempt ") + QString::number(verdict.attemptsLeft));
    }
    if (verdict.timedOut) {
        server.close();
        MousePointer::restoreDefault();
        Dialogs::message(QStringLiteral("FIBS is not responding"));
        if (frmLoginWindow)
            frmLoginWindow->setWindowTitle(QStringLiteral("Attempt timed out"));
    }
}
