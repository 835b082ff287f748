#pragma once
// The lines the offline game writes in the server's own words: the board line of a roll or
// of a game's start ("board:You:GnuBG:…"), and the reports of a game's and a match's end.
#include "engine/GnuBoard.h"

#include <QString>

namespace OfflineLines {

// Whose dice a board line shows: the user's (fields 34, 35) or GnuBG's (fields 36, 37).
enum class Roller { You, GnuBG };

// The position part of a board line, fields 7 to 32 each followed by ":": GnuBG's bar as a
// negative count, points 1 to 24 in the user's numbering (the user's checkers positive,
// GnuBG's negative), the user's bar.
QString positionFields(const GnuBoard &board);

// The board line of a fresh roll of `die1` and `die2` in the position `board`. The cube
// fields say who may double: both while the cube is centred, else its owner.
QString rollLine(int matchLength, int score1, int score2, const GnuBoard &board, Roller roller, int die1, int die2,
                 int cube, bool userOwnsCube);

// The board line that starts a game: the starting position (nackgammon's when asked) with
// the opening roll, GnuBG's die `gnubgDie` and the user's `userDie`, as the first mover's dice.
QString startLine(int matchLength, int score1, int score2, bool nackgammon, Roller firstMover, int gnubgDie,
                  int userDie);

// Points a game is worth: the cube (0 counting as 1) once, twice for "resign g " (a gammon),
// three times for "resign b " (a backgammon).
int gamePoints(int cube, const QString &resignLevel);

// The reports of a game won on the way to the match's end.
QString gameWon(bool userWon, int points);         // "You win the game and get 1 point. Congratulations!"
QString winBox(bool userWon, int points);          // "You win 2 points"
QString scoreLine(int matchLength, int score1, int score2);  // "score in 3 point match: You-1 GnuBG-0"
// "You win the 3 point match 3-1" / "GnuBG wins the 3 point match 3-1", the winner's score first.
QString matchWon(bool userWon, int matchLength, int score1, int score2);

}  // namespace OfflineLines
