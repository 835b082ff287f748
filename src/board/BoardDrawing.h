#pragma once
// The drawn board: the empty board, the back buffer every drawing goes into first, and the
// copy of it on the boards on screen; the whole-board redraw, the dice and the cube.
#include "board/BoardDisplay.h"
#include "board/CheckerRec.h"
#include "board/TransparentBlit.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <utility>

struct BoardPictures;
class BoardGeometry;
struct MatchState;
struct StateFlags;
struct Preferences;

// What the board needs of the window and of the rest of the program. An empty hook does
// nothing (and a question answers "no").
struct BoardHooks {
    std::function<void(const QString &name)> playSound;  // an effect of wavs/, nothing when sounds are off
    std::function<void(int milliseconds)> sleep;          // the board repaints, nothing else runs
    std::function<QString()> scoreCaption;                // lblScore1: the user's score as shown
    std::function<QString()> matchCaption;                // lblMatch: the match length as shown
    std::function<void()> doublingNoLongerMatters;        // cmdDouble2 takes tbarcube2 and is clicked
    std::function<void()> clearMoveRecords;               // the MoveRec entries of the turn
    std::function<void()> GetPips;
    std::function<bool()> panelShown;                     // Picture2, the panel under the board
    std::function<void()> showPanel;
    // Slides a checker's sprite from its old place to its new one; the board then draws it there.
    std::function<void(Side side, QPoint from, QPoint to)> slide;
    // `side` has landed on a blot, which goes to the bar next.
    std::function<void(Side side)> hitting;
};

class BoardDrawing {
public:
    BoardDrawing(const BoardPictures &pictures, const BoardGeometry &geometry, CheckerRecords &records,
                 MatchState &match, StateFlags &flags, const Preferences &prefs);

    BoardHooks hooks;

    void setBoardShow(BoardDisplay *display) { boardShow_ = display; }
    // The full-screen board once its window exists; until then only the main board is drawn.
    void setFullScreenBoard(BoardDisplay *display) { fullScreen_ = display; }

    // A style was loaded: the empty board and the back buffer take its board picture.
    void setEmptyBoard(const QImage &picture);

    const QImage &BoardEmpty() const { return empty_; }
    const QImage &BoardBuffer() const { return buffer_; }
    const QImage &shownBoard() const { return shown_; }  // what BoardShow shows
    QSize size() const { return buffer_.size(); }

    // The whole position from the checker records, with the cube; no dice.
    void showMiddleGameboard();
    // The board without checkers, dice or cube, as the style's picture shows it.
    void showEmptyBoard();
    // The board once more as it was last shown: the checkers where the records have them,
    // the cube where it was last put (on offer included) and the dice still up, in the style
    // and coordinates now in use. Nothing of the turn changes.
    void redraw();
    void ClearDice(const QString &which);  // "black", "white" or "both"
    void ClearAllCubes();
    // place 0 the middle, 1 and 2 the user's and the opponent's half (a double offered),
    // 3 the user's side, 4 the opponent's side.
    void ShowCube(int place, int value);
    void ShowBlackDice();
    void ShowWhitedice();
    // Brings the board and the panel under it into view the first time a board is shown.
    void HideBlueScreen();

    bool rolledDoubles() const { return rolledDoubles_; }
    const std::array<QPoint, 5> &cubeSpots() const { return cubeSpots_; }

    // --- for the checker moves and the animation
    SpriteRect checkerSprite(Side side) const;
    SpriteRect flatSprite(Side side) const;
    const QImage &checkerSheet() const;
    // Draws a checker into the back buffer: flat in a tray, upright elsewhere.
    void drawChecker(Side side, int x, int y);
    void drawUprightChecker(Side side, int x, int y);
    // Copies a rectangle of the empty board into the back buffer.
    void erase(int x, int y, int width, int height);
    // The boards on screen take the back buffer; only `changed` needs repainting.
    void showBuffer(const QRect &changed);
    void showBuffer() { showBuffer(QRect(QPoint(0, 0), size())); }
    // The boards on screen show `picture`, which the back buffer does not keep (a frame of a slide).
    void showPicture(const QImage &picture, const QRect &changed);

private:
    void drawCheckers();
    void showDice(Side side);
    void drawDice(Side side, int die1, int die2);
    void applyDoublingRule();
    void sleep(int milliseconds);
    void play(const QString &name);

    const BoardPictures &pictures_;
    const BoardGeometry &geometry_;
    CheckerRecords &records_;
    MatchState &match_;
    StateFlags &flags_;
    const Preferences &prefs_;

    QImage empty_, buffer_, shown_;
    BoardDisplay *boardShow_ = nullptr;
    BoardDisplay *fullScreen_ = nullptr;
    std::array<QPoint, 5> cubeSpots_{};
    bool rolledDoubles_ = false;
    // What is up on the board besides the checkers, for a redraw.
    struct ShownDice {
        Side side;
        int die1, die2;
    };
    std::optional<ShownDice> shownDice_;
    std::optional<std::pair<int, int>> shownCube_;  // place and value
};
