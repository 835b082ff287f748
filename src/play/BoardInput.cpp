#include "play/BoardInput.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "board/BoardDrawing.h"
#include "board/BoardStyle.h"
#include "board/CheckerMoves.h"
#include "engine/MoveGenerator.h"
#include "play/GameHost.h"
#include "play/MatchActions.h"
#include "play/MoveInput.h"
#include "play/MoveLegality.h"
#include "play/PlayHost.h"

#include <exception>

namespace {

void report(const char *text, const std::exception &error) {
    Dialogs::message(QLatin1String(text) + QString::fromLocal8Bit(error.what()));
}

}  // namespace

void BoardInput::BoardShow_MouseDown(int button, int, double x, double y) {
    MatchState &m = c_.game.match;
    MoveInput &in = c_.game.input;
    if (c_.game.flags.isBot && clickedOfferedCube(x, y))
        return;
    if (!m.ismyTurn)
        return;
    try {
        c_.play.stopBlink();
        if (in.resetPending) {
            in.movesMade = in.dieChoice = in.diceUsed = in.firstDie = 0;
            in.mayMove = true;
            in.resetPending = false;
        }
        if (in.diceUsed != 0) {
            if (in.firstDie == 1)
                in.dieChoice = 2;
            else if (in.firstDie == 2)
                in.dieChoice = 1;
        } else {
            in.dieChoice = button;
            in.firstDie = button;
        }
        if (in.movesMade == 0)
            in.mayMove = true;

        if (moveChecker(x, y) || !c_.game.flags.isPlaying)
            return;
        if (clickedDice(x, y) || clickedCube(x, y))
            return;

        const bool rightHalf = x > 0.5 * c_.game.board.size().width();
        const bool mayRoll = c_.game.flags.isBot ? m.ismyTurn && m.die1 == 0 && m.die2 == 0 && !m.gameOver
                                                 : m.ismyTurn && m.die1 == 0;
        if (rightHalf && mayRoll)
            actions_.RollDiceOffline();
    } catch (const std::exception &error) {
        report("Error in Click in BoardShow", error);
    }
}

// True when the click fell on a black checker, whether or not it moved.
bool BoardInput::moveChecker(double x, double y) {
    MatchState &m = c_.game.match;
    MoveInput &in = c_.game.input;
    CheckerSet &black = c_.game.checkers.blackCheckers;
    if (!m.ismyTurn || !c_.game.flags.isPlaying || !in.mayMove || m.die1 < 1 || m.die2 < 1)
        return false;

    bool hit = false;
    for (int i = 1; i <= CheckerSet::size; ++i) {
        // The empty move of a user who dances has gone in: the turn is over.
        if (!m.ismyTurn)
            break;
        if (!CheckerClickedBlack(i, x, y))
            continue;
        hit = true;
        // While a checker waits on the bar nothing else moves; the turn's input starts afresh.
        if (black.countOn(Position::blackBar) > 0 && black[i].point != Position::blackBar) {
            if (in.movesMade > 0)
                UndoMove();
            in.movesMade = in.dieChoice = in.diceUsed = in.firstDie = 0;
            in.mayMove = true;
            in.resetPending = false;
            return true;
        }
        int target = 0;
        if (in.diceUsed == 0 && !CanBlackMove(i, target, 1) && CanBlackMove(i, target, 2)) {
            in.firstDie = 2;
            in.dieChoice = 2;
        }
        if (!CanBlackMove(i, target, in.dieChoice)) {
            if (in.movesMade == 0)
                in.dieChoice = 0;
            continue;
        }
        c_.play.enableUndo(true);
        c_.game.host.enablePickUp(true);
        ++in.movesMade;
        ++in.diceUsed;
        const bool doubles = c_.game.board.rolledDoubles();
        if ((doubles && in.movesMade > 3) || (!doubles && in.movesMade > 1))
            in.mayMove = false;
        if (in.movesMade <= int(in.MoveRec.size()))
            in.MoveRec[std::size_t(in.movesMade - 1)] = MoveRecEntry{black[i].point, target};
        int checker = i;
        c_.game.moves.MoveBlackChecker(checker, target, true);
        return true;
    }
    return hit;
}

bool BoardInput::CheckerClickedBlack(int index, double x, double y) const {
    try {
        const CheckerRec &checker = c_.game.checkers.blackCheckers[index];
        const double w = c_.pictures.ChipNearBlack.width();
        const double h = c_.game.board.size().height();
        if (!(checker.x - 2 < x && x < checker.x + w + 2))
            return false;
        return (y < 0.43 * h && checker.y < h / 2) || (y > 0.55 * h && checker.y > h / 2);
    } catch (const std::exception &error) {
        report("Error in CheckerClickedBlack", error);
        return false;
    }
}

bool BoardInput::CanBlackMove(int index, int &target, int dieNumber) {
    try {
        const MoveLegality rules(c_.game.checkers, c_.game.match);
        if (c_.game.checkers.blackCheckers.countOn(Position::blackBar) > 0 && rules.IsDancingBlack()) {
            // Nothing can come in: a pick-up the user has asked for hands in the empty move.
            if (c_.game.match.ismyTurn)
                actions_.cmdPickUp_Click();
            return false;
        }
        return rules.CanBlackMove(index, target, dieNumber, c_.game.input.movesMade);
    } catch (const std::exception &error) {
        report("Error in CanBlackMove", error);
        return false;
    }
}

bool BoardInput::clickedDice(double x, double y) {
    MatchState &m = c_.game.match;
    const QImage &dice = c_.pictures.picBlackDice;
    const double x1 = 0.7 * c_.game.board.size().width();
    const double x2 = x1 + 2 * (dice.width() / 6.0);
    const double y1 = 0.45 * c_.game.board.size().height();
    const double y2 = y1 + dice.height();

    if (x1 - 10 < x && x < x2 + 40 && y1 - 10 < y && y < y2 + 10 && m.isDoubled) {
        // The first click arms, the second accepts.
        if (m.isCubeClicked) {
            c_.game.input.acceptClicked = true;
            c_.game.host.setStatus(QStringLiteral("You accept.."));
            actions_.cmdAccept_Click();
            m.isCubeClicked = false;
        } else {
            m.isCubeClicked = true;
        }
        return true;
    }
    // On the dice the user picks them up, the way the button does.
    if (m.die1 > 0 && m.die2 > 0 && x1 - 10 < x && x < x2 + 20 && y1 - 5 < y && y < y2 + 10 &&
        c_.play.pickUpCaption() == QLatin1String("Pick Up")) {
        c_.game.input.pickUpClicked = true;
        actions_.cmdPickUp_Click();
        return true;
    }
    return false;
}

bool BoardInput::clickedCube(double x, double y) {
    MatchState &m = c_.game.match;
    const QImage &cubes = c_.pictures.picCube64;
    const QPoint spot = c_.game.board.cubeSpots()[m.theCubeVal == 1 ? 0 : 3];
    const bool inside = spot.x() <= x && x < spot.x() + cubes.width() / 6.0 && spot.y() <= y &&
                        y < spot.y() + cubes.height();
    if (!inside || !m.ismyTurn || m.die1 != 0 || m.die2 != 0)
        return false;
    if (c_.game.prefs.prfDisableCube)
        Dialogs::message(QStringLiteral("Cube has been disabled in preferences."));
    else
        actions_.offerDouble();
    return true;
}

// GnuBG's double stands on the user's side of the board while the status line says "Click
// the cube to accept": one click on it takes the double.
bool BoardInput::clickedOfferedCube(double x, double y) {
    MatchState &m = c_.game.match;
    if (!m.isDoubled || m.isMatchOver)
        return false;
    const QImage &cubes = c_.pictures.picCube64;
    const QPoint spot = c_.game.board.cubeSpots()[1];
    if (!(spot.x() <= x && x < spot.x() + cubes.width() / 7.0 && spot.y() <= y && y < spot.y() + cubes.height()))
        return false;
    c_.game.input.acceptClicked = true;
    c_.game.host.setStatus(QStringLiteral("You accept.."));
    actions_.cmdAccept_Click();
    return true;
}

void BoardInput::UndoMove() {
    MatchState &m = c_.game.match;
    MoveInput &in = c_.game.input;
    CheckerRecords &records = c_.game.checkers;
    try {
        bool moved = false;
        for (int i = 1; i <= CheckerSet::size && !moved; ++i)
            moved = records.blackCheckers[i].point != records.blackAtRoll[i].point;
        if (!moved)
            return;
        in.clearMoveRecords();
        records.blackCheckers = records.blackAtRoll;
        records.whiteCheckers = records.whiteAtRoll;
        c_.game.board.showMiddleGameboard();
        in.resetPending = true;
        m.ismyTurn = true;
        c_.game.board.ShowBlackDice();
        c_.game.host.GetPips();
        m.legalMoveCtr = PubEvalMoveCount(c_.game.host.gnuBoard(), true, m.die1, m.die2, in.dieMoved);
        c_.game.host.setStatus(m.legalMoveCtr == 1
                                   ? QStringLiteral("There is only 1 legal move")
                                   : QStringLiteral("There are ") + QString::number(m.legalMoveCtr) +
                                         QStringLiteral(" legal moves"));
    } catch (const std::exception &error) {
        report("Error in cmdRoll/UndoClick", error);
    }
}

void BoardInput::cmdAccept_MouseDown() {
    c_.game.input.acceptClicked = true;
}
