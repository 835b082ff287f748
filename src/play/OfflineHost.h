#pragma once
// What the offline game needs of the main window besides the board, the game host and the
// play host: the engine object, the road of server lines, the server pane, a few controls,
// and the user's actions as the window runs them.
#include <QString>

class GnuVB;

class OfflineHost {
public:
    virtual ~OfflineHost() = default;

    virtual GnuVB *engine() = 0;  // gnuObject; none before the first offline game
    virtual void SplitFibString(const QString &text) = 0;
    virtual void ShowTerminal(const QString &text) = 0;
    virtual void clearTerminal() = 0;  // the server pane chosen and emptied
    virtual void hideAd() = 0;         // picAd
    // The winning-chance labels lblwinsB and lblwinsW, shown with these captions.
    virtual void showChanceLabels(const QString &winsB, const QString &winsW) = 0;
    virtual void bringToFront() = 0;
    virtual void startBlink() = 0;  // Timer1

    virtual void RollDiceOffline() = 0;
    virtual void cmdPickUp_Click() = 0;
    virtual void handInMove() = 0;  // the user's side's move, as the engine played it
    virtual void cmdUndo_Click() = 0;
    virtual void cmdAccept_Click() = 0;
    virtual void cmdReject_Click() = 0;
    virtual void ShowBlackMovesFromString(const QString &line) = 0;
    virtual void ShowWhiteMovesFromString(const QString &line) = 0;
    virtual void WinnerBlack() = 0;
    // The user's checkers slide while the engine shows a move for him, whatever the setting.
    virtual void animateUserMoves(bool on) = 0;
};
