#pragma once
// A board line made into the window's state: the checker records, cube, turn, dice, status
// and the number of checkers the roll must move; then the board is redrawn.
#include "play/GameContext.h"

#include <QString>

class BoardLine;

class BoardLineApplication {
public:
    explicit BoardLineApplication(const GameContext &context) : c_(context) {}

    // The line's player is the user, moving from 24 toward 1 as the board is drawn.
    void ShowBoardFromString(const QString &line);
    // The line counts the other way round; the board is drawn mirrored so the user still
    // moves toward the lower right.
    void ShowReverseBoardfromString(const QString &line);

    // A move text written for the plain board, renumbered for the mirrored one.
    static QString mirroredMoveText(const QString &moves);

private:
    void applyCubeAndRedraw(const BoardLine &f, bool readCube);
    void userRolled(const BoardLine &f);
    void takeDice(int a, int b);
    void countLegalMoves();
    bool matchControlsApply() const;

    GameContext c_;
};
