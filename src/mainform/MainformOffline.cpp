// The main window's side of the offline match against GNU Backgammon: the Game menu's offline
// entry, the hint and self-play entry, Esc to stop self-play, the winning-chance labels, and
// the window as the offline game, the board lines and the user's actions reach it.
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/ProgramExit.h"
#include "mainform/Mainform.h"
#include "mainform/MainformGameHost.h"
#include "mainform/MainformOfflineHost.h"
#include "mainform/MainformPlayHost.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>

#include <optional>

namespace {
constexpr int kEscape = 27;

// GnuBG's side of the game runs to its end before the user's next click or key: one taken
// while it runs would act on a board that is no longer the one clicked, or let go of the
// engine while it answers. Esc, which stops self-play, is let through. Online the same
// handlers pass through here without a turn of GnuBG's, and nothing is refused. Once the
// program's exit has begun no step of the game starts.
template <typename Work>
auto engineTurn(const StateFlags &flags, Work work) {
    if (ProgramExit::begun())
        return decltype(work())();
    std::optional<InputRefusal> refusal;
    if (flags.isBot)
        refusal.emplace();
    return work();
}
}  // namespace

void Mainform::wireOffline() {
    connect(mnuNew, &QAction::triggered, this, &Mainform::mnuNew_Click);
    if (QAction *hint = findChild<QAction *>(QStringLiteral("mnutoggledouble")))
        connect(hint, &QAction::triggered, this, &Mainform::mnutoggledouble_Click);
    connect(cmdDouble, &QPushButton::clicked, this, &Mainform::mnutoggledouble_Click);
    cmdDouble->setToolTip(QStringLiteral("Ask GnuBG Hint"));
    cmdDouble->setEnabled(false);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Form_KeyPress(kEscape); });
    InputRefusal::letThrough(escape);
}

void Mainform::mnuNew_Click() {
    if (flags.isConnected) {
        Dialogs::message(QStringLiteral("You must disconnect from FIBS to play offline"));
        return;
    }
    MousePointer::hourglass();
    startGnuBG();
    if (match.theMatchLength == 0) {
        match.theMatchLength = prefs.prfLastMatchLength;
        match.theOldMatchLength = prefs.prfLastMatchLength;
    }
    lists.matchLog.clear();
    flags.isPlaying = false;
    // The invitation window waits for the user's choice of length: no hourglass over it.
    MousePointer::restoreDefault();
    ProcessDblClick(QStringLiteral("n/a GnuBG n/a  n/a "));
    MousePointer::restoreDefault();
}

void Mainform::startGnuBG() {
    if (!flags.isBot || !gnuObject) {
        flags.isExitClicked = false;
        board.HideBlueScreen();
        setCaption(lblStatus, QStringLiteral("Initializing GnuBG"));
        if (!gnuObject) {
            const InputRefusal refusal;  // the engine starts up without a click running inside it
            gnuObject = std::make_unique<GnuVB>(pips.gnuBoard, match, flags, prefs);
        }
        setCaption(lblStatus, QStringLiteral("Done"));
        flags.isBot = true;
        cmdDouble->setEnabled(true);
        cmdDouble->setToolTip(QStringLiteral("Hint"));
    }
    gnuObject->hooks.showChances = [this](const QString &winsB, const QString &winsW) {
        offlineHost.showChanceLabels(winsB, winsW);
    };
}

bool Mainform::offlineMatchRunning() const {
    return flags.isBot && flags.isPlaying;
}

void Mainform::playPosition(const JfPosition &position) {
    engineTurn(flags, [&] { offline.playPosition(position); });
}

void Mainform::newGnubgGame() {
    engineTurn(flags, [this] { offline.newGnubgGame(); });
}

void Mainform::ShowStartBoard() {
    engineTurn(flags, [this] { offline.ShowStartBoard(); });
}

void Mainform::OfflineGameOver(const QString &resignType) {
    engineTurn(flags, [&] { offline.OfflineGameOver(resignType); });
}

void Mainform::mnutoggledouble_Click() {
    engineTurn(flags, [this] { offline.mnutoggledouble_Click(); });
}

void Mainform::Form_KeyPress(int key) {
    if (key != kEscape || !flags.selfPlay)
        return;
    if (Dialogs::message(QStringLiteral("Quit auto play?"), QStringLiteral("Korvex"), Dialogs::Buttons::YesNo) ==
        Dialogs::Answer::Yes)
        flags.selfPlay = false;
}

// --- MainformOfflineHost -------------------------------------------------------------------

GnuVB *MainformOfflineHost::engine() { return w_.gnuObject.get(); }
void MainformOfflineHost::SplitFibString(const QString &text) { w_.SplitFibString(text); }
void MainformOfflineHost::ShowTerminal(const QString &text) { w_.ShowTerminal(text); }

void MainformOfflineHost::clearTerminal() {
    w_.opTerminal->setChecked(true);
    w_.opTerminal_Click();
    w_.txtTerminal->clear();
}

void MainformOfflineHost::hideAd() { w_.picAd->hide(); }

void MainformOfflineHost::showChanceLabels(const QString &winsB, const QString &winsW) {
    w_.lblwinsB->setText(winsB);
    w_.lblwinsW->setText(winsW);
    w_.lblwinsB->setVisible(w_.prefs.prfChance);
    w_.lblwinsW->setVisible(w_.prefs.prfChance);
}

void MainformOfflineHost::bringToFront() {
    w_.raise();
    w_.activateWindow();
}

void MainformOfflineHost::startBlink() { w_.Timer1->start(); }
void MainformOfflineHost::RollDiceOffline() { w_.actions.RollDiceOffline(); }
void MainformOfflineHost::cmdPickUp_Click() { w_.actions.cmdPickUp_Click(); }
void MainformOfflineHost::handInMove() { w_.actions.handInMove(); }
void MainformOfflineHost::cmdUndo_Click() { w_.UndoMove(); }
void MainformOfflineHost::cmdAccept_Click() { w_.actions.cmdAccept_Click(); }
void MainformOfflineHost::cmdReject_Click() { w_.actions.cmdReject_Click(); }
void MainformOfflineHost::ShowBlackMovesFromString(const QString &line) { w_.moveLines.ShowBlackMovesFromString(line); }
void MainformOfflineHost::ShowWhiteMovesFromString(const QString &line) { w_.moveLines.ShowWhiteMovesFromString(line); }
void MainformOfflineHost::WinnerBlack() { w_.WinnerBlack(); }
void MainformOfflineHost::animateUserMoves(bool on) { w_.checkerAnimation.animateUserMoves = on; }

// --- the board lines' and the user's actions' offline turns -----------------------------------

void MainformGameHost::offlineUserRolled() { engineTurn(w_.flags, [this] { w_.offline.userRolled(); }); }
void MainformGameHost::offlineEngineRolled() { engineTurn(w_.flags, [this] { w_.offline.engineRolled(); }); }
void MainformGameHost::offlineEngineMoved() { engineTurn(w_.flags, [this] { w_.offline.engineMoved(); }); }

void MainformPlayHost::rollDiceLocally() { engineTurn(w_.flags, [this] { w_.offline.rollDiceLocally(); }); }
void MainformPlayHost::OfflineGameOver(const QString &resignType) {
    engineTurn(w_.flags, [&] { w_.offline.OfflineGameOver(resignType); });
}
void MainformPlayHost::ShowStartBoard() { engineTurn(w_.flags, [this] { w_.offline.ShowStartBoard(); }); }
void MainformPlayHost::mnuNew_Click() { w_.mnuNew_Click(); }
bool MainformPlayHost::mayDoubleOffline() { return w_.offline.mayDouble(); }
bool MainformPlayHost::engineAnswersDouble() {
    return engineTurn(w_.flags, [this] { return w_.offline.engineAnswersDouble(); });
}
void MainformPlayHost::engineWinningChances() { engineTurn(w_.flags, [this] { w_.offline.engineWinningChances(); }); }
void MainformPlayHost::engineTurnAfterUserMove() {
    engineTurn(w_.flags, [this] { w_.offline.engineTurnAfterUserMove(); });
}
void MainformPlayHost::userAcceptsEngineDouble() {
    engineTurn(w_.flags, [this] { w_.offline.userAcceptsEngineDouble(); });
}
bool MainformPlayHost::userRejectsEngineDouble() {
    return engineTurn(w_.flags, [this] { return w_.offline.userRejectsEngineDouble(); });
}
