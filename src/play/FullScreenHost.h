#pragma once
// The main window as the full-screen board sees it.
#include <QString>

class FullScreenHost {
public:
    virtual ~FullScreenHost() = default;

    // The main window, which is the strip of menus and buttons while the board has the screen.
    virtual void showStrip(bool shown) = 0;
    // The main window's names, scores, match length, pips and status into their twins.
    virtual void copyCaptions() = 0;
    // The main window's kibitz pane, its text and its look, into the full-screen one.
    virtual void copyKibitzPane() = 0;
    virtual bool connected() const = 0;
    // Sends what the user typed as a kibitz, through the one road of every command.
    virtual void sendKibitz(const QString &text) = 0;
    // The window was closed by the user or the window manager: the board goes back home.
    virtual void fullScreenClosed() = 0;
    // Esc, which stops GnuBG playing for the user.
    virtual void escapePressed() = 0;
};
