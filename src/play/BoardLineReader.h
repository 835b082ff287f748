#pragma once
// The reader of board and move lines (`ProcessBoardOutput`): keeps the name, match and score
// labels, draws a board line plain or mirrored, tells the user's own match from a watched one,
// and hands move lines to the side that moved.
#include "play/GameContext.h"

#include <QString>

class BoardLine;
class BoardLineApplication;
class MoveLines;

class BoardLineReader {
public:
    BoardLineReader(const GameContext &context, BoardLineApplication &boards, MoveLines &moves)
        : c_(context), boards_(boards), moves_(moves) {}

    // A board line, a move line, or any line the dispatcher hands over; never throws.
    void ProcessBoardOutput(const QString &line);

    // A match starts at whatever score: the next board is checked for the Crawford game even
    // when its score is the last one's.
    void newMatch() { lastScore1_ = lastScore2_ = lastMatchLength_ = -1; }
    // The user starts watching: the next board is drawn whatever it holds, so that the match
    // shown before does not stay until the next roll.
    void watchingStarts() { watchStartPending_ = true; }

    // The last drawn board was mirrored: the line counted the user's points from the other
    // end, and move lines and the user's own moves are renumbered 25 - n.
    bool isReverseBoard = false;
    // "toggle ready " has gone out and the server has not yet reported the user not ready.
    bool readyTogglePending = false;

private:
    void showBoard(const QString &line, const BoardLine &w);
    void setLabels(const BoardLine &w);
    void ownOrWatched(const BoardLine &w);
    void showMoves(const QString &line, const BoardLine &w);
    void takeTurnFrom(const BoardLine &w);

    GameContext c_;
    BoardLineApplication &boards_;
    MoveLines &moves_;
    // A move line could not be read to its end: the next board line is drawn whatever it
    // holds, and the turn is taken from it.
    bool redrawPending_ = false;
    bool watchStartPending_ = false;
    // The score and length of the last board drawn; the Crawford check runs when they change.
    int lastScore1_ = 0, lastScore2_ = 0, lastMatchLength_ = 0, lastDidCrawford_ = 0;
};
