#pragma once
// What the user's play needs of the main window besides the board and the game host: the
// buttons and menu entries it switches, the status blinker, and the offline game's turns.
// The main window provides it; tests record it.
#include <QString>

class PlayHost {
public:
    virtual ~PlayHost() = default;

    virtual QString pickUpCaption() const = 0;            // cmdPickUp: "Pick Up" or "Double"
    virtual bool pickUpEnabled() const = 0;
    virtual void enableUndo(bool enabled) = 0;             // cmdUndo
    virtual void enableAcceptButtons(bool enabled) = 0;    // cmdAccept and cmdReject
    virtual void enableAcceptMenus(bool enabled) = 0;      // mnuAccept and mnuReject
    virtual void stopBlink() = 0;                          // Timer1
    virtual void setCubeTogglePicture(bool askToDouble) = 0;  // cmdDouble2: tbarcube1 or tbarcube2

    // --- the offline game against the engine, which answers here once it comes; until
    // then these do nothing, and the questions answer as if the game simply went on.
    virtual void rollDiceLocally() {}                      // the dice are rolled at home
    virtual void OfflineGameOver(const QString &resignType) { (void)resignType; }
    virtual void ShowStartBoard() {}
    virtual void mnuNew_Click() {}
    // The user may offer GnuBG the cube now (it is centred or his, and switched on); when it
    // is switched off he is told so.
    virtual bool mayDoubleOffline() { return true; }
    // The user doubled: GnuBG takes or passes. False when it passed and the next game began.
    virtual bool engineAnswersDouble() { return true; }
    virtual void engineWinningChances() {}                 // the win-chance labels, after a move
    // The user's move is in: GnuBG's cube decision and its turn, or the next game.
    virtual void engineTurnAfterUserMove() {}
    virtual void userAcceptsEngineDouble() {}
    // False when giving up ended the match.
    virtual bool userRejectsEngineDouble() { return true; }
    // The user resigned: GnuBG's checkers all borne off, and the board drawn so.
    virtual void WinnerWhite() {}
};
