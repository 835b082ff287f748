#include "mainform/MainformLineHost.h"

#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/Program.h"
#include "app/Utilities.h"
#include "connection/frmLogin.h"
#include "connection/LineFilter.h"
#include "lobby/ChatPanes.h"
#include "lobby/frmChat.h"
#include "lobby/PlayerList.h"
#include "mainform/Mainform.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QListWidget>
#include <QTimer>

Preferences &MainformLineHost::prefs() { return w_.prefs; }
StateFlags &MainformLineHost::flags() { return w_.flags; }
MatchState &MainformLineHost::match() { return w_.match; }
SharedLists &MainformLineHost::lists() { return w_.lists; }
bool MainformLineHost::IsGagged(const QString &name) const { return w_.gagList.IsGagged(name); }
void MainformLineHost::MakeStats(const QString &name, int points, bool won) {
    w_.playerStats.MakeStats(name, points, won);
}

bool MainformLineHost::socketConnected() const { return w_.server.isConnected(); }
bool MainformLineHost::send(const QString &command) { return w_.server.send(command); }
void MainformLineHost::pause(int milliseconds) { Pause(milliseconds); }
void MainformLineHost::sleep(int milliseconds) { PlainSleep(milliseconds); }
void MainformLineHost::letEventsRun() { runEvents(); }

void MainformLineHost::hideLoginWindow() {
    if (w_.frmLoginWindow && w_.frmLoginWindow->isVisible())
        w_.frmLoginWindow->hide();
}

QString MainformLineHost::loginUserText() const {
    return w_.frmLoginWindow ? w_.frmLoginWindow->txtUsername->text() : QString();
}

QString MainformLineHost::loginPasswordText() const {
    return w_.frmLoginWindow ? w_.frmLoginWindow->txtPassword->text() : QString();
}

QString MainformLineHost::theusername() const {
    return w_.frmLoginWindow ? w_.frmLoginWindow->theusername : QString();
}

void MainformLineHost::setLoginCaption(const QString &caption) {
    if (w_.frmLoginWindow)
        w_.frmLoginWindow->setWindowTitle(caption);
}

void MainformLineHost::loginRefused() { w_.loadLoginWindow()->loginRefused(); }

void MainformLineHost::setStatus(const QString &text) {
    w_.setCaption(w_.lblStatus, text);
}
void MainformLineHost::blinkStatus() { w_.Timer1->start(); }
void MainformLineHost::showDataArrival(int lampState) { w_.ShowDataArrival(lampState); }
void MainformLineHost::setReadyPicture(bool ready) { w_.setReadyPicture(ready); }
void MainformLineHost::setCubeTogglePicture(bool askToDouble) { w_.setCubeTogglePicture(askToDouble); }

void MainformLineHost::enableAcceptReject() {
    for (QPushButton *b : {w_.cmdAccept, w_.cmdReject})
        b->setEnabled(true);
    w_.mnuAccept->setEnabled(true);
    w_.mnuReject->setEnabled(true);
}

void MainformLineHost::askedToRollOrDouble() { w_.askedToRollOrDouble(); }
void MainformLineHost::doubleRefused() { w_.doubleRefused(); }
void MainformLineHost::showFinalScore(int score1, int score2) { w_.showFinalScore(score1, score2); }

void MainformLineHost::clearKibitzInput() { w_.txtkibitz->clear(); }
QString MainformLineHost::player1Caption() const { return w_.lblPlayer1->text(); }
QString MainformLineHost::player2Caption() const { return w_.lblPlayer2->text(); }
void MainformLineHost::message(const QString &text) { Dialogs::message(text); }

void MainformLineHost::ShowKibitz(const QString &text) { w_.chatPanes->ShowKibitz(text); }
void MainformLineHost::ShowShout(const QString &text) { w_.chatPanes->ShowShout(text); }
void MainformLineHost::ShowTerminal(const QString &text) { w_.chatPanes->ShowTerminal(text); }

bool MainformLineHost::showInChatWindow(const QString &caption, const QString &text) {
    frmChat *window = frmChat::find(caption);
    if (!window)
        return false;
    window->ShowChat(text);
    return true;
}

void MainformLineHost::openChatWindow(const QString &partner, const QString &text) {
    w_.openChat(partner, false)->ShowChat(text);
}

bool MainformLineHost::progressWindowVisible() const { return w_.progressWindowVisible(); }

void MainformLineHost::UpdatePlayerList(const QString &name, const QString &kind, const QString &line) {
    w_.playerList->UpdatePlayerList(name, kind, line);
}

void MainformLineHost::ShowAway(bool away) { w_.ShowAway(away); }

void MainformLineHost::playChatSound(const QString &fileName) {
    if (!Program::isSafeFileName(fileName))
        return;
    const QString path = Program::path(QStringLiteral("wavs/") + fileName);
    if (FileExists(path))
        PlaySoundFile(path);
}

void MainformLineHost::playSound(const QString &name) { PlayWav(name, false, w_.prefs); }

void MainformLineHost::ProcessBoardOutput(const QString &line) { w_.ProcessBoardOutput(line); }
void MainformLineHost::FilterOutput(const QString &line) { w_.lineFilter->FilterOutput(line); }
void MainformLineHost::resetMoveInput() { w_.moveInput.resetPending = true; }
void MainformLineHost::UndoMove() { w_.UndoMove(); }
void MainformLineHost::cmdRefresh_Click() { w_.cmdRefresh_Click(); }
QString MainformLineHost::GetResignType(int side) { return w_.GetResignType(side); }
void MainformLineHost::WinnerBlack() { w_.WinnerBlack(); }
void MainformLineHost::WinnerWhite() { w_.WinnerWhite(); }
void MainformLineHost::ClearDice(const QString &side) { w_.board.ClearDice(side); }
void MainformLineHost::ShowCube(int place, int value) { w_.board.ShowCube(place, value); }
void MainformLineHost::SaveDropped() { w_.records.SaveDropped(); }
void MainformLineHost::SaveAuto() { w_.records.SaveAuto(); }
void MainformLineHost::ownMatchStarts(const QString &line) { w_.records.ownMatchStarts(line); }
void MainformLineHost::watchingEnded() { w_.saveWatchedLog(); }

void MainformLineHost::SendStartupToggles() { w_.SendStartupToggles(); }
void MainformLineHost::opFriends_Click() { w_.opFriends_Click(); }

void MainformLineHost::setListCounters(int all, int ready, int friends) {
    w_.lblAll->setText(QString::number(all));
    w_.lblReady->setText(QString::number(ready));
    w_.lblFriends->setText(QString::number(friends));
}

void MainformLineHost::showList1() {
    w_.WebBrowser1->hide();
    w_.List1->show();
}

void MainformLineHost::resumeOnlyWarning(const QString &line, const QStringList &words) {
    w_.resumeOnlyWarning(line, words);
}

void MainformLineHost::playerInformation(const QString &line, const QStringList &words) {
    w_.playerInformation(line, words);
}

void MainformLineHost::playerRating(const QString &line, const QStringList &words) {
    w_.playerRating(line, words);
}

void MainformLineHost::invitationToPlay(const QString &line, const QStringList &words) {
    w_.invitationToPlay(line, words);
}

void MainformLineHost::invitationToResume(const QString &line, const QStringList &words) {
    w_.invitationToResume(line, words);
}

void MainformLineHost::userStartsWatching(const QString &line, const QStringList &words) {
    w_.userStartsWatching(line, words);
}

void MainformLineHost::watcherOfUser(const QString &line, const QStringList &words) {
    w_.watcherOfUser(line, words);
}
