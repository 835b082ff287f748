// The main window's side of the user's play: the board's clicks, the Pick Up, Accept, Reject,
// Undo, Refresh and cube buttons, the Action menu, the status blink and the tray panel.
#include "board/BoardShow.h"
#include "mainform/Mainform.h"
#include "mainform/MainformPlayHost.h"
#include "play/ResignRules.h"

#include <QAction>
#include <QLabel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

int buttonNumber(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

// Mouse presses the buttons and the tray panel tell apart from their keyboard use: Pick Up
// acts only when pressed, and offers the cube only when the mouse pressed it; only the bare
// panel rolls.
class PressWatcher : public QObject {
public:
    explicit PressWatcher(Mainform &window) : QObject(&window), w_(window) {
        setObjectName(QStringLiteral("pressWatcher"));
        for (QObject *watched : {static_cast<QObject *>(w_.cmdPickUp), static_cast<QObject *>(w_.cmdAccept),
                                 static_cast<QObject *>(w_.Picture2)})
            watched->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        // A button that is off takes no press, mouse or key.
        if (watched == w_.cmdPickUp && !w_.cmdPickUp->isEnabled())
            return false;
        if (watched == w_.cmdPickUp && event->type() == QEvent::KeyPress && pressesButton(event))
            w_.actions.cmdPickUp_KeyDown();
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        if (watched == w_.cmdPickUp)
            w_.actions.cmdPickUp_MouseDown();
        else if (watched == w_.cmdAccept)
            w_.boardInput.cmdAccept_MouseDown();
        else if (watched == w_.Picture2 &&
                 !w_.Picture2->childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            w_.Picture2_Click();
        return false;
    }

private:
    // The keys a focused push button clicks on.
    static bool pressesButton(const QEvent *event) {
        const int key = static_cast<const QKeyEvent *>(event)->key();
        return key == Qt::Key_Space || key == Qt::Key_Select;
    }

    Mainform &w_;
};

}  // namespace

void Mainform::wirePlay() {
    connect(boardShow, &BoardShow::mousePressed, this, [this](Qt::MouseButton button, QPoint at) {
        BoardShow_MouseDown(buttonNumber(button), 0, at.x(), at.y());
    });
    pressWatcher_ = new PressWatcher(*this);
    connect(cmdPickUp, &QPushButton::clicked, this, [this] { actions.cmdPickUp_Click(); });
    connect(cmdAccept, &QPushButton::clicked, this, [this] { actions.cmdAccept_Click(); });
    connect(cmdReject, &QPushButton::clicked, this, [this] { actions.cmdReject_Click(); });
    connect(cmdUndo, &QPushButton::clicked, this, &Mainform::UndoMove);
    connect(cmdRefresh, &QPushButton::clicked, this, &Mainform::cmdRefresh_Click);
    connect(cmdDouble2, &QPushButton::clicked, this, [this] { actions.cmdDouble2_Click(); });
    connect(cmdToggleReady, &QPushButton::clicked, this, [this] { actions.cmdToggleReady_Click(); });
    connect(cmdgreedy, &QPushButton::clicked, this, [this] { actions.mnuGreedy_Click(); });
    connect(cmdTrophy, &QPushButton::clicked, this, [this] { actions.cmdTrophy_Click(); });
    connect(cmdMoney, &QPushButton::clicked, this, [this] { actions.cmdMoney_Click(); });
    cmdPickUp->setToolTip(
        QStringLiteral("Double and/or Pick-up dice...You can also pick up up the dice by clicking on them"));
    cmdReject->setToolTip(QStringLiteral("Reject / Pass"));
    cmdRefresh->setToolTip(QStringLiteral("Refresh the board position."));
    cmdDouble2->setToolTip(QStringLiteral("Toggle Auto Roll"));

    auto menu = [this](const char *name, auto handler) {
        if (QAction *action = findChild<QAction *>(QLatin1String(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    menu("mnuRoll", [this] { DoRoll(); });
    menu("mnuAccept", [this] { actions.mnuAccept_Click(); });
    menu("mnuReject", [this] { actions.mnuReject_Click(); });
    menu("mnuResign", [this] { actions.mnuResign_Click(); });
    menu("mnuUndo", [this] { UndoMove(); });
    menu("mnuRefresh", [this] { cmdRefresh_Click(); });
    menu("mnuLeave", [this] { actions.mnuLeave_Click(); });
    menu("mnuGreedy", [this] { actions.mnuGreedy_Click(); });
    menu("mnuSetBoardstyle", [this] { actions.mnuSetBoardstyle_Click(); });
    menu("mnuToggleMoreboards", [this] { actions.mnuToggleMoreboards_Click(); });
    menu("mnuReady", [this] { actions.cmdToggleReady_Click(); });
}

void Mainform::BoardShow_MouseDown(int button, int shift, double x, double y) {
    boardInput.BoardShow_MouseDown(button, shift, x, y);
}

void Mainform::UndoMove() {
    boardInput.UndoMove();
}

void Mainform::cmdRefresh_Click() {
    actions.cmdRefresh_Click();
}

void Mainform::DoRoll() {
    actions.DoRoll();
}

QString Mainform::GetResignType(int side) const {
    return ResignRules::GetResignType(checkers, side);
}

// The winner's checkers go off the board, and the board shows them there: the pip counts
// always belong to the position drawn.
void Mainform::WinnerBlack() {
    ResignRules::WinnerBlack(checkers, boardGeometry);
    board.showMiddleGameboard();
}

void Mainform::WinnerWhite() {
    ResignRules::WinnerWhite(checkers, boardGeometry);
    board.showMiddleGameboard();
}

// The server's question may come before, or without, the board line of the opponent's roll
// that would otherwise have made it the user's turn: the question itself makes it so.
void Mainform::askedToRollOrDouble() {
    if (!flags.isPlaying || lblPlayer1->text() != QLatin1String("You"))
        return;
    match.ismyTurn = true;
    match.die1 = 0;
    match.die2 = 0;
    actions.resetTurnMarks();
    cmdPickUp->setText(QStringLiteral("Double"));
    cmdPickUp->setEnabled(true);
}

// --- the end of a double -----------------------------------------------------------------

void Mainform::putAwayDouble() {
    match.isDoubled = false;
    match.isCubeClicked = false;
    playHost.enableAcceptButtons(false);
    playHost.enableAcceptMenus(false);
    Timer1->stop();
}

// A passed double leaves the cube as it was before the offer.
void Mainform::doubleRefused() {
    putAwayDouble();
    match.ismyTurn = false;  // the game is over
    if (match.cubeBeforeOffer > 0) {
        match.theCubeVal = match.cubeBeforeOffer;
        match.cubeBeforeOffer = 0;
    }
    board.showMiddleGameboard();
}

void Mainform::showFinalScore(int score1, int score2) {
    putAwayDouble();
    cmdPickUp->setEnabled(false);  // no turn is left to end, no cube to offer
    match.theMatchscore1 = score1;
    match.theMatchscore2 = score2;
    setCaption(lblScore1, QString::number(score1));
    setCaption(lblScore2, QString::number(score2));
}

// --- the status line ---------------------------------------------------------------------

void Mainform::Timer1_Timer() {
    setCaption(lblStatus, statusBlink.tick(lblStatus->text()));
    // Someone else's match needs nothing of the user.
    if (lblPlayer1->text() != QLatin1String("You") && flags.isConnected)
        Timer1->stop();
}

void Mainform::Picture2_Click() {
    Timer1->stop();
    setCaption(lblStatus, QString());
    if (lblMatch->text() != QLatin1String("1"))
        DoRoll();
}

// --- MainformPlayHost ------------------------------------------------------------------

QString MainformPlayHost::pickUpCaption() const { return w_.cmdPickUp->text(); }
bool MainformPlayHost::pickUpEnabled() const { return w_.cmdPickUp->isEnabled(); }
void MainformPlayHost::enableUndo(bool enabled) { w_.cmdUndo->setEnabled(enabled); }

void MainformPlayHost::enableAcceptButtons(bool enabled) {
    w_.cmdAccept->setEnabled(enabled);
    w_.cmdReject->setEnabled(enabled);
}

void MainformPlayHost::enableAcceptMenus(bool enabled) {
    w_.mnuAccept->setEnabled(enabled);
    w_.mnuReject->setEnabled(enabled);
}

void MainformPlayHost::stopBlink() { w_.Timer1->stop(); }
void MainformPlayHost::setCubeTogglePicture(bool askToDouble) { w_.setCubeTogglePicture(askToDouble); }
void MainformPlayHost::WinnerWhite() { w_.WinnerWhite(); }
