#pragma once
// The main window as the preferences window sees it: what Save applies at once, and the
// board data the window shows.
#include <QString>
#include <array>

class PreferencesHost {
public:
    virtual ~PreferencesHost() = default;

    // The board's geometry in force: left, top, bottom, bar, bearOffx, bearOffy,
    // chipOffset, cubex.
    virtual std::array<int, 8> boardData() const = 0;
    // The folder the board's pictures and its coordinate file come from.
    virtual QString styleFolder() const = 0;
    // Reads the style's data.txt again, after a trial was thrown away, and draws the board
    // with it.
    virtual void rereadBoardData() = 0;
    // True while a match is played or watched: the board is the game's then, not the editor's.
    virtual bool matchOnBoard() const = 0;
    // True when the board's places, worked out from these values (in the order above), all
    // stay in the 16-bit range the coordinate reader allows.
    virtual bool boardDataFits(const std::array<int, 8> &values) const = 0;
    // Reads the style folder's testdata.txt and draws a fixed position with it.
    virtual void previewBoardData() = 0;
    // data.txt has taken the trial's values: the board is drawn with them.
    virtual void boardDataKept() = 0;
    // Loads the style `prfBoardStyle` now names and lays the board out with it; a style
    // that does not load leaves the old one, and its name, in place.
    virtual void applyBoardStyle() = 0;
    // Fonts and colours of the player lists and the panes.
    virtual void applyListAndPaneStyles() = 0;
    virtual void showWinChances(bool shown) = 0;
    virtual void reloadGagList() = 0;
};
