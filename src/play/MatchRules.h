#pragma once
// Rules of a match that outlast a game: the Crawford game.
struct MatchState;

class MatchRules {
public:
    enum class CubePicture { Unchanged, Doubling, NoDoubling };  // tbarcube1, tbarcube2

    // Runs when a board line shows a new score. The game after a player first comes within
    // one point of the match is the Crawford game, without doubling; a 0-0 score starts a new
    // match. Returns the picture the cube button should take.
    CubePicture CheckCrawford(int score1, int score2, int matchLength, MatchState &match);

    bool postCrawford = false;  // this match's Crawford game has been played
};
