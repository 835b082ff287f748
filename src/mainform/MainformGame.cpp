// The main window's side of the server's game: board and move lines reach the board through
// the reader, checkers slide, and the pip counts and the Crawford rule follow the position.
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "mainform/Mainform.h"
#include "mainform/MainformGameHost.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

void Mainform::wireGame() {
    board.hooks.slide = [this](Side side, QPoint from, QPoint to) { checkerAnimation.slide(side, from, to); };
    board.hooks.hitting = [this](Side side) { checkerAnimation.hitting(side); };
    board.hooks.GetPips = [this] { GetPips(); };
    board.hooks.clearMoveRecords = [this] { moveInput.clearMoveRecords(); };
    checkerAnimation.setStatus = [this](const QString &text) { setCaption(lblStatus, text); };
}

void Mainform::ProcessBoardOutput(const QString &line) {
    boardLineReader.ProcessBoardOutput(line);
}

void Mainform::GetPips() {
    pips = PipCount::of(checkers);
    setCaption(lblpipb, QString::number(pips.blackPips));
    setCaption(lblpipw, QString::number(pips.whitePips));
    if (flags.isBot && (pips.whitePips == 0 || pips.blackPips == 0))
        match.gameOver = true;
}

void Mainform::CheckCrawford(int didCrawford) {
    auto number = [](const QLabel *label) { return SettingsText::toInt32(label->text()).value_or(0); };
    switch (matchRules.CheckCrawford(number(lblScore1), number(lblScore2), number(lblMatch), match, didCrawford)) {
    case MatchRules::CubePicture::Doubling: setCubeTogglePicture(true); break;
    case MatchRules::CubePicture::NoDoubling: setCubeTogglePicture(false); break;
    case MatchRules::CubePicture::Unchanged: break;
    }
    actions.doublingMayMatterAgain(number(lblScore1), number(lblMatch));
}

// --- MainformGameHost ---------------------------------------------------------------------

namespace {
QLabel *label(Mainform &w, GameLabel which) {
    switch (which) {
    case GameLabel::Player1: return w.lblPlayer1;
    case GameLabel::Player2: return w.lblPlayer2;
    case GameLabel::Match: return w.lblMatch;
    case GameLabel::Score1: return w.lblScore1;
    case GameLabel::Score2: return w.lblScore2;
    }
    return w.lblPlayer1;
}
}  // namespace

QString MainformGameHost::caption(GameLabel which) const { return label(w_, which)->text(); }
void MainformGameHost::setCaption(GameLabel which, const QString &text) {
    w_.setCaption(label(w_, which), text);
}

void MainformGameHost::setStatus(const QString &text) {
    w_.setCaption(w_.lblStatus, text);
}
void MainformGameHost::setPickUpCaption(const QString &caption) { w_.cmdPickUp->setText(caption); }
void MainformGameHost::enablePickUp(bool enabled) { w_.cmdPickUp->setEnabled(enabled); }

void MainformGameHost::enableAcceptReject() {
    w_.cmdAccept->setEnabled(true);
    w_.cmdReject->setEnabled(true);
    w_.mnuAccept->setEnabled(true);
    w_.mnuReject->setEnabled(true);
}

void MainformGameHost::showNoDoublingPicture() { w_.setCubeTogglePicture(false); }
void MainformGameHost::CheckCrawford(int didCrawford) { w_.CheckCrawford(didCrawford); }
void MainformGameHost::GetPips() { w_.GetPips(); }
const GnuBoard &MainformGameHost::gnuBoard() const { return w_.pips.gnuBoard; }
bool MainformGameHost::socketConnected() const { return w_.server.isConnected(); }
void MainformGameHost::send(const QString &command) { w_.server.send(command); }
void MainformGameHost::sleep(int milliseconds) { PlainSleep(milliseconds); }
