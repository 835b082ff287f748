#pragma once
// What the board-line reader, the board-line application and the move lines need of the
// main window besides the board itself: its labels and buttons, the connection, the waits,
// and the rules and engine kept elsewhere. The main window provides it; tests record it.
#include "engine/GnuBoard.h"

#include <QString>

enum class GameLabel { Player1, Player2, Match, Score1, Score2 };  // lblPlayer1 ... lblScore2

class GameHost {
public:
    virtual ~GameHost() = default;

    virtual QString caption(GameLabel label) const = 0;
    virtual void setCaption(GameLabel label, const QString &text) = 0;
    virtual void setStatus(const QString &text) = 0;           // lblStatus
    virtual void setPickUpCaption(const QString &caption) = 0;  // cmdPickUp: "Pick Up" or "Double"
    virtual void enablePickUp(bool enabled) = 0;
    virtual void enableAcceptReject() = 0;                     // the buttons and the menu entries
    virtual void showNoDoublingPicture() = 0;                  // cmdDouble2 takes tbarcube2

    // `didCrawford`: the board line's own field, or -1 for the offline game's lines.
    virtual void CheckCrawford(int didCrawford) = 0;
    // Recounts gnuBoard and the pip counts from the checker records.
    virtual void GetPips() = 0;
    virtual const GnuBoard &gnuBoard() const = 0;

    virtual bool socketConnected() const = 0;
    virtual void send(const QString &command) = 0;
    // Waits while the board repaints; nothing else is taken meanwhile.
    virtual void sleep(int milliseconds) = 0;

    // The engine's part of an offline game: after the user's roll, after its own roll, after
    // its own move has been shown.
    virtual void offlineUserRolled() {}
    virtual void offlineEngineRolled() {}
    virtual void offlineEngineMoved() {}
};
