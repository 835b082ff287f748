#pragma once
// The user's actions on the running match: the Pick Up / Double button that ends a turn, the
// answers to a double or a resignation, resigning, rolling, refreshing the board, leaving,
// and the server's switches. Online each sends its one command; the offline game's part is
// the play host's.
#include "play/PlayContext.h"

#include <QString>

#include <functional>

class MatchActions {
public:
    explicit MatchActions(const PlayContext &context) : c_(context) {}

    void cmdPickUp_MouseDown();
    // A key that presses the button asks for the pick-up; the cube is offered by the mouse only.
    void cmdPickUp_KeyDown();
    // The button, from the mouse or the keyboard, and a click on the dice: it acts only when
    // one of them asked for it. While the button reads "Double" it offers the cube; otherwise
    // the dice are picked up: the turn ends once the moves made are the roll's legal play
    // (else nothing, or the larger-die rule is told), a game the move has won is scored, and
    // the moves go to the server ("move 13-7 8-7  ") or to GnuBG.
    void cmdPickUp_Click();
    // The turn goes in as it stands, without the checks of a pick-up: GnuBG's play of the
    // user's side in self-play.
    void handInMove();
    // A click on the cube: the user doubles when it is his turn, before his roll, and the
    // cube is his to turn. It never ends the turn.
    void offerDouble();
    void mnuAccept_Click();
    void cmdAccept_Click() { mnuAccept_Click(); }
    void mnuReject_Click();
    void cmdReject_Click();
    void mnuResign_Click();
    void DoRoll();
    // Online the server rolls ("roll "); offline the dice are rolled at home.
    void RollDiceOffline();
    void cmdRefresh_Click();
    void mnuLeave_Click();
    void mnuGreedy_Click();
    void cmdDouble2_Click();
    // The button and the menu entry: the server keeps the state and says what it became.
    void cmdToggleReady_Click();
    void mnuSetBoardstyle_Click();
    void mnuToggleMoreboards_Click();
    void cmdTrophy_Click();
    void cmdMoney_Click();

    // The board found that a double can no longer change the match: the server is told not
    // to ask about doubling, once, and the client remembers that it was the one to say so.
    void doublingNoLongerMatters();
    // A new game has begun (the score changed): when the client had switched the question
    // off and a double can matter to the user again, it is switched back on.
    void doublingMayMatterAgain(int score1, int matchLength);

    // The move input starts the turn afresh: nothing moved, no die chosen, moves allowed.
    void resetTurnMarks();

private:
    bool sendIfConnected(const QString &command);
    void alone(const std::function<void()> &work);
    void offerCube();
    bool doubleBranch();
    void pickUpDice();
    void moveBranch();
    // The moves of the turn go into the match's record as "You move 13-7 8-7".
    void recordMoves();

    PlayContext c_;
    bool inPickUp_ = false;
    bool doublingSwitchedOff_ = false;
};
