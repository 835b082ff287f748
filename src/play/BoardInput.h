#pragma once
// The user's hand on the board: a click on a black checker moves it by a die when the rules
// allow it, a click on the dice ends the turn or accepts a double, a click on the cube
// doubles and a click on the right half rolls. Undo takes the turn's moves back.
#include "play/PlayContext.h"

class MatchActions;

class BoardInput {
public:
    BoardInput(const PlayContext &context, MatchActions &actions) : c_(context), actions_(actions) {}

    // `button` 1 is the left button (the larger die first), 2 the right one; x and y are
    // pixels of the board picture.
    void BoardShow_MouseDown(int button, int shift, double x, double y);
    // The click falls on black checker `index`: anywhere on its column, in its half of the board.
    bool CheckerClickedBlack(int index, double x, double y) const;
    // Black checker `index` may move by die `dieNumber` (1 or 2); a user who cannot come in
    // from the bar sends his empty move instead.
    bool CanBlackMove(int index, int &target, int dieNumber);
    // Puts the checkers back where they stood when the dice were shown.
    void UndoMove();
    void cmdAccept_MouseDown();

private:
    bool moveChecker(double x, double y);
    bool clickedDice(double x, double y);
    bool clickedCube(double x, double y);
    bool clickedOfferedCube(double x, double y);  // offline: GnuBG's double

    PlayContext c_;
    MatchActions &actions_;
};
