// The main window's side of the match records: the Game menu's View Saved and Convert Log
// entries, the playback buttons and the jump from a game row of List1, the progress window,
// and the window as the records reach it.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "board/BoardShow.h"
#include "connection/ServerLineDispatcher.h"
#include "mainform/Mainform.h"
#include "records/LogFiles.h"
#include "records/frmsave.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>

namespace {
const QString kLogFilter = QStringLiteral("Log Files (*.log)");
}  // namespace

void Mainform::wireRecords() {
    if (QAction *view = findChild<QAction *>(QStringLiteral("mnuViewSaved")))
        connect(view, &QAction::triggered, this, &Mainform::mnuViewSaved_Click);
    if (QAction *convert = findChild<QAction *>(QStringLiteral("mnuLog2mat")))
        connect(convert, &QAction::triggered, this, &Mainform::mnuLog2mat_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &Mainform::mnuViewSaved_Click);
    cmdOpen->setToolTip(QStringLiteral("Open a saved log file."));
    connect(cmdStep, &QPushButton::clicked, this, [this] { records.cmdStep_Click(); });
    connect(cmdAuto, &QPushButton::clicked, this, [this] { records.cmdAuto_Click(); });
    connect(cmdBack, &QPushButton::clicked, this, [this] { records.cmdBack_Click(); });
    // A key on Play Auto would start it again; the button takes clicks only.
    cmdAuto->setFocusPolicy(Qt::NoFocus);
    // Offline, List1 holds the games of the log played back.
    connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (!flags.isConnected)
            records.jumpToGame(List1->row(item));
    });
    recordsHost.enablePlaybackButtons(false);
}

void Mainform::mnuViewSaved_Click() {
    if (flags.isConnected) {
        Dialogs::message(QStringLiteral("Can't view saved while online"));
        return;
    }
    if (offlineMatchRunning() && !Dialogs::ask(QStringLiteral("Do you want to end this game and open a log?"),
                                               QStringLiteral("Confirming Open Log")))
        return;
    WebBrowser1->hide();
    picAd->hide();
    const QString file = Dialogs::openFile(QStringLiteral("Play back saved FIBs log file"),
                                           Program::path(QStringLiteral("log")), QStringLiteral("session"),
                                           kLogFilter);
    if (file.isEmpty())
        return;
    QStringList lines;
    if (!FileExists(file) || !LogFiles::readLines(file, lines)) {
        Dialogs::message(QStringLiteral("The file could not be opened.. sorry"));
        return;
    }
    records.closePlaybackFile();
    NeutralizeSettings();
    flags.isPlaying = false;
    flags.isBot = false;
    gnuObject.reset();
    cmdDouble->setEnabled(false);  // no engine to ask, and a replay is only watched
    flags.isExitClicked = false;
    board.HideBlueScreen();
    records.startPlayback(lines);
}

// Once online nothing more of a log played back is read. The line under way when the
// playback ends is read to its end, and what it made of the match state is forgotten then:
// a board read online would take the replay for a match being watched or played.
void Mainform::endPlayback() {
    if (records.isPlaybackFileOpen())
        records.closePlaybackFile();
    if (!dispatcher->dropPlayedBack())
        return;
    dispatcher->whenIdle([this] {
        flags.isWatching = false;
        flags.isPlaying = false;
        flags.isLogging = false;
        lists.watchLog.clear();
        lists.matchLog.clear();
    });
}

void Mainform::mnuLog2mat_Click() {
    if (flags.isConnected) {
        Dialogs::message(QStringLiteral("Can't convert while online"));
        return;
    }
    const QString file = Dialogs::openFile(QStringLiteral("Convert log to JF.mat"),
                                           Program::path(QStringLiteral("log")), QStringLiteral("select a log file"),
                                           kLogFilter);
    if (file.isEmpty())
        return;
    if (!FileExists(file)) {
        Dialogs::message(QStringLiteral("That file is empty"));
        return;
    }
    records.ConvertLog2Mat(file);
}

void Mainform::LoadDropped(const QString &name) {
    records.LoadDropped(name);
}

bool Mainform::progressWindowVisible() const {
    return frmsaveWindow && frmsaveWindow->isVisible();
}

// --- MainformRecordsHost ----------------------------------------------------------------------

QString MainformRecordsHost::logFolder() const { return Program::path(QStringLiteral("log")); }

QString MainformRecordsHost::matFolder() const {
    return w_.prefs.jellypath.isEmpty() ? Program::path(QStringLiteral("jf_mat")) : w_.prefs.jellypath;
}

QString MainformRecordsHost::opponentCaption() const { return w_.lblPlayer2->text(); }
void MainformRecordsHost::message(const QString &text) { Dialogs::message(text); }

void MainformRecordsHost::setStatus(const QString &text) { w_.setCaption(w_.lblStatus, text); }

void MainformRecordsHost::showTerminal(const QString &text) { w_.ShowTerminal(text); }

void MainformRecordsHost::showProgressWindow(const QString &job) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    delete w_.frmsaveWindow.data();
    w_.frmsaveWindow = new frmsave(&w_);
    w_.frmsaveWindow->Label2->setText(job);
    w_.frmsaveWindow->centreOnOwner();
    w_.frmsaveWindow->show();
    w_.frmsaveWindow->repaint();
}

void MainformRecordsHost::showProgress(int percent) {
    if (w_.frmsaveWindow)
        w_.frmsaveWindow->ShowProgress(percent);
}

void MainformRecordsHost::hideProgressWindow() {
    delete w_.frmsaveWindow.data();
    QApplication::restoreOverrideCursor();
}

void MainformRecordsHost::SplitFibString(const QString &text) {
    w_.dispatcher->SplitFibString(text, ServerLineDispatcher::Source::PlayedBack);
}

void MainformRecordsHost::showGameRows(const QStringList &rows) {
    w_.List1->clear();
    w_.List1->addItems(rows);
    w_.WebBrowser1->hide();
    w_.List1->show();
    w_.List1->setEnabled(true);
}

void MainformRecordsHost::enablePlaybackButtons(bool enabled) {
    for (QPushButton *b : {w_.cmdAuto, w_.cmdBack, w_.cmdStep})
        b->setEnabled(enabled);
}
