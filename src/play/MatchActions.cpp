#include "play/MatchActions.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "board/BoardDrawing.h"
#include "play/GameHost.h"
#include "play/MoveInput.h"
#include "play/MoveLegality.h"
#include "play/MoveText.h"
#include "play/PlayHost.h"
#include "play/ResignRules.h"

#include <exception>
#include <functional>

namespace {

// Holds a flag up while a handler runs, so a click that arrives during one of its waits
// finds it busy.
class Running {
public:
    explicit Running(bool &flag) : flag_(flag) { flag_ = true; }
    ~Running() { flag_ = false; }
    Running(const Running &) = delete;
    Running &operator=(const Running &) = delete;

private:
    bool &flag_;
};

}  // namespace

bool MatchActions::sendIfConnected(const QString &command) {
    if (!c_.game.host.socketConnected())
        return false;
    c_.game.host.send(command);
    return true;
}

void MatchActions::resetTurnMarks() {
    MoveInput &in = c_.game.input;
    in.movesMade = in.dieChoice = in.diceUsed = in.firstDie = 0;
    in.mayMove = true;
    in.resetPending = false;
}

// --- the end of a turn ---------------------------------------------------------------

void MatchActions::cmdPickUp_MouseDown() {
    c_.game.input.pickUpClicked = true;
}

void MatchActions::cmdPickUp_KeyDown() {
    if (c_.play.pickUpCaption() == QLatin1String("Pick Up"))
        c_.game.input.pickUpClicked = true;
}

// A second press while the first is still asking or waiting would send a second move or a
// second double: one runs at a time.
void MatchActions::alone(const std::function<void()> &work) {
    if (inPickUp_)
        return;
    Running running(inPickUp_);
    try {
        work();
    } catch (const std::exception &error) {
        Dialogs::message(QStringLiteral("Error in cmdPickupclick") + QString::fromLocal8Bit(error.what()));
    }
}

void MatchActions::cmdPickUp_Click() {
    MoveInput &in = c_.game.input;
    if (!in.pickUpClicked)
        return;  // nothing acts that the user did not ask for
    if (c_.play.pickUpCaption() == QLatin1String("Double")) {
        offerCube();
        return;
    }
    alone([&] {
        // Asked once: a pick-up that was refused is not taken up by a later click elsewhere.
        in.pickUpClicked = false;
        pickUpDice();
    });
}

void MatchActions::handInMove() {
    alone([this] {
        if (!c_.game.match.isDoubled)
            moveBranch();
    });
}

void MatchActions::offerDouble() {
    const MatchState &m = c_.game.match;
    const bool cubeIsFree = m.theCubeVal <= 1 || m.blackOwnsCube;
    if (!m.ismyTurn || m.die1 != 0 || m.die2 != 0 || m.isDoubled || !cubeIsFree)
        return;
    offerCube();
}

// The button and the cube offer it alike; once offered, the turn's marks are cleared.
void MatchActions::offerCube() {
    alone([this] {
        if (doubleBranch()) {
            c_.game.input.movesMade = 0;
            c_.game.input.pickUpClicked = false;
        }
    });
}

// False when the procedure ends here with the turn's marks left as they are.
bool MatchActions::doubleBranch() {
    const MatchState &m = c_.game.match;
    // Only a match of the user's own has a cube for him to turn; a log played back has none.
    if (m.isCrawford == 1 || !c_.game.flags.isPlaying)
        return false;
    if (c_.game.flags.isBot && !c_.game.host.socketConnected() && !c_.play.mayDoubleOffline())
        return false;
    if (!c_.game.flags.selfPlay &&
        !Dialogs::ask(QStringLiteral("Do you want to double?"), QStringLiteral("Confirming Double")))
        return false;
    if (sendIfConnected(QStringLiteral("double "))) {
        c_.game.host.setStatus(QStringLiteral("Waiting for ") + c_.game.host.caption(GameLabel::Player2) +
                               QStringLiteral(" to accept or give-up"));
        return true;
    }
    if (c_.game.flags.isBot)
        return c_.play.engineAnswersDouble();
    return true;
}

void MatchActions::recordMoves() {
    const StateFlags &f = c_.game.flags;
    if (!f.selfPlay && f.isLogging)
        c_.matchLog << c_.game.host.caption(GameLabel::Player1) + QStringLiteral(" move ") +
                           MoveText::of(c_.game.input.MoveRec, c_.isReverseBoard);
}

// The user's turn ends here, whichever way he picked up the dice.
void MatchActions::pickUpDice() {
    MatchState &m = c_.game.match;
    MoveInput &in = c_.game.input;
    const StateFlags &f = c_.game.flags;
    if (m.die1 <= 0 || m.die2 <= 0 || !c_.play.pickUpEnabled() || m.isDoubled || !m.ismyTurn || !f.isPlaying)
        return;
    // The move that bore off the last checker ends the game here, without the hand-over that
    // records a move: it belongs in the match's record all the same, before the result.
    if (m.gameOver && f.isBot && in.movesMade > 0) {
        recordMoves();
        in.clearMoveRecords();
    }
    c_.play.OfflineGameOver(QString());
    if (in.movesMade == m.legalMoveCtr && !m.gameOver) {
        // The count alone lets a smaller die stand where the larger one had to be played.
        if (!MoveLegality(c_.game.checkers, m).isLegalPlay()) {
            Dialogs::message(QStringLiteral("Official rules of Backgammon require you move large number "));
            return;
        }
        // The hand-over clears the rest of the turn's marks.
        m.legalMoveCtr = 0;
        m.die1 = 0;
        m.die2 = 0;
        moveBranch();
    } else if (m.gameOver && f.isPlaying) {
        c_.play.ShowStartBoard();
    }
}

void MatchActions::moveBranch() {
    MatchState &m = c_.game.match;
    const StateFlags &f = c_.game.flags;
    MoveInput &in = c_.game.input;
    GameHost &host = c_.game.host;

    c_.game.board.ClearDice(QStringLiteral("black"));
    c_.play.enableUndo(false);
    m.ismyTurn = false;
    in.dieChoice = in.diceUsed = in.firstDie = 0;
    in.mayMove = true;
    in.resetPending = false;
    if (f.isBot && c_.game.prefs.prfChance)
        c_.play.engineWinningChances();

    const QString moves = MoveText::of(in.MoveRec, c_.isReverseBoard);
    host.setStatus(QStringLiteral(" "));
    recordMoves();
    if (f.isConnected) {
        host.send(QStringLiteral("move ") + moves + QLatin1Char(' '));
        host.setStatus(QStringLiteral("Waiting for  ") + host.caption(GameLabel::Player2));
    } else {
        m.theCubeAction.clear();
        c_.play.engineTurnAfterUserMove();
    }
    in.clearMoveRecords();
    in.movesMade = 0;
    in.pickUpClicked = false;
}

// --- a double or a resignation on offer ---------------------------------------------

void MatchActions::mnuAccept_Click() {
    MatchState &m = c_.game.match;
    c_.play.enableAcceptMenus(false);
    c_.play.stopBlink();
    if (sendIfConnected(QStringLiteral("accept "))) {
        m.blackOwnsCube = true;
        c_.game.board.showMiddleGameboard();
        m.isDoubled = false;
        m.isCubeClicked = false;
        c_.play.enableAcceptButtons(false);
    }
    if (c_.game.flags.isBot)
        c_.play.userAcceptsEngineDouble();
}

void MatchActions::mnuReject_Click() {
    MatchState &m = c_.game.match;
    c_.play.stopBlink();
    c_.play.enableAcceptButtons(false);
    c_.play.enableAcceptMenus(false);
    if (!sendIfConnected(QStringLiteral("reject")) && m.isDoubled && !c_.play.userRejectsEngineDouble())
        return;
    m.isDoubled = false;
    m.isCubeClicked = false;
}

void MatchActions::cmdReject_Click() {
    if (c_.game.host.socketConnected() || !c_.game.match.isMatchOver)
        mnuReject_Click();
}

// --- giving up, rolling, the board again ---------------------------------------------

void MatchActions::mnuResign_Click() {
    // The position decides how much is given up; the user only confirms.
    const QString level = ResignRules::GetResignType(c_.game.checkers, 0);
    QString question, title;
    if (level == QLatin1String("resign b ")) {
        question = QStringLiteral("Do you want to resign 'backgammon' ?");
        title = QStringLiteral("Resign Backgammon");
    } else if (level == QLatin1String("resign g ")) {
        question = QStringLiteral("Do you want to resign 'gammon' ?");
        title = QStringLiteral("Resign Gammon");
    } else {
        question = QStringLiteral("Do you want to resign 'normal ?");
        title = QStringLiteral("Resign Normal");
    }
    if (!Dialogs::ask(question, title))
        return;
    if (!sendIfConnected(level) && c_.game.flags.isBot) {
        // The result is told over the board it was given up on.
        c_.play.WinnerWhite();
        c_.play.OfflineGameOver(QString());
        if (c_.game.match.gameOver && !c_.game.match.isMatchOver)
            c_.play.ShowStartBoard();
    }
    if (!c_.game.flags.isBot)
        c_.game.host.setStatus(QStringLiteral("Sending resign request.."));
}

void MatchActions::DoRoll() {
    if (sendIfConnected(QStringLiteral("roll ")))
        return;
    if (c_.game.match.ismyTurn && !c_.game.match.gameOver)
        c_.play.rollDiceLocally();
}

void MatchActions::RollDiceOffline() {
    if (!sendIfConnected(QStringLiteral("roll ")))
        c_.play.rollDiceLocally();
}

void MatchActions::cmdRefresh_Click() {
    MatchState &m = c_.game.match;
    // Without the server there is no board to ask for, and clearing the dice mid-turn would
    // let the roller throw again.
    if (!c_.game.host.socketConnected()) {
        Dialogs::message(QStringLiteral("Connection to Fibs is not open"));
        return;
    }
    resetTurnMarks();
    m.gameInit = true;
    m.die1 = 0;
    m.die2 = 0;
    c_.game.input.clearMoveRecords();
    c_.game.host.GetPips();
    if (!sendIfConnected(QStringLiteral("board ")))
        Dialogs::message(QStringLiteral("Connection to Fibs is not open"));
}

void MatchActions::mnuLeave_Click() {
    if (c_.game.flags.isPlaying)
        sendIfConnected(QStringLiteral("leave "));
}

void MatchActions::mnuGreedy_Click() {
    if (ResignRules::hasContact(c_.game.checkers))
        Dialogs::message(QStringLiteral("Greedy Bearoff  with contact ?.. Not a good idea"));
    else
        sendIfConnected(QStringLiteral("toggle greedy"));
}

// --- the server's switches -----------------------------------------------------------

void MatchActions::cmdDouble2_Click() {
    // The user sets the question himself from now on.
    if (sendIfConnected(ServerSwitches::toggleCommand(ServerSwitches::Double))) {
        doublingSwitchedOff_ = false;
        c_.game.flags.serverSwitches.toggled(ServerSwitches::Double);
    }
}

void MatchActions::cmdToggleReady_Click() {
    sendIfConnected(QStringLiteral("toggle ready "));
}

// Where the server's switch is known, "toggle double " goes out only when it stands the
// other way; where it is not, the client goes by what it said itself before.
void MatchActions::doublingNoLongerMatters() {
    c_.play.setCubeTogglePicture(false);
    ServerSwitches &switches = c_.game.flags.serverSwitches;
    // Said once: a second "toggle double " would switch the question back on.
    const bool asked = switches.known(ServerSwitches::Double) ? switches.isOn(ServerSwitches::Double)
                                                               : !doublingSwitchedOff_;
    if (asked && sendIfConnected(ServerSwitches::toggleCommand(ServerSwitches::Double))) {
        doublingSwitchedOff_ = true;
        switches.toggled(ServerSwitches::Double);
    }
}

void MatchActions::doublingMayMatterAgain(int score1, int matchLength) {
    // A new game starts with the cube at 1; in the Crawford game, or one point short of the
    // match, a double still decides nothing for the user.
    if (!doublingSwitchedOff_ || c_.game.match.isCrawford == 1 || score1 + 1 >= matchLength)
        return;
    ServerSwitches &switches = c_.game.flags.serverSwitches;
    if (switches.isOn(ServerSwitches::Double)) {
        doublingSwitchedOff_ = false;  // already back on, by the user or the server
        return;
    }
    if (sendIfConnected(ServerSwitches::toggleCommand(ServerSwitches::Double))) {
        doublingSwitchedOff_ = false;
        switches.toggled(ServerSwitches::Double);
    }
}

void MatchActions::mnuSetBoardstyle_Click() {
    sendIfConnected(QStringLiteral("set boardstyle 3 "));
}

void MatchActions::mnuToggleMoreboards_Click() {
    sendIfConnected(QStringLiteral("toggle moreboards "));
}

// --- games against the engine ---------------------------------------------------------

void MatchActions::cmdTrophy_Click() {
    MatchState &m = c_.game.match;
    if (m.gameOver) {
        c_.play.mnuNew_Click();
        return;
    }
    if (Dialogs::ask(QStringLiteral("Do you want to start a new match?"), QStringLiteral("New Match.."))) {
        m.isNewMatch = true;
        c_.play.mnuNew_Click();
    }
}

void MatchActions::cmdMoney_Click() {
    // A money game against GnuBG is not defined; the question is all there is.
    if (!c_.game.match.gameOver)
        Dialogs::ask(QStringLiteral("Do you want to start a new game?"), QStringLiteral("New Game.."));
}
