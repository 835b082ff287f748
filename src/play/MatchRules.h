#pragma once
// Rules of a match that outlast a game: the Crawford game.
struct MatchState;

class MatchRules {
public:
    enum class CubePicture { Unchanged, Doubling, NoDoubling };  // tbarcube1, tbarcube2

    // Runs when a board line shows a new score. The game after a player first comes within
    // one point of the match is the Crawford game, without doubling; a 0-0 score starts a new
    // match. Returns the picture the cube button should take.
    // The server's lines say whether the match's Crawford game has been played
    // (`didCrawford` 0 or 1), and that decides; the offline game's own lines do not (-1), and
    // the rule then follows the scores as they come.
    CubePicture CheckCrawford(int score1, int score2, int matchLength, MatchState &match, int didCrawford = -1);

    bool postCrawford = false;  // this match's Crawford game has been played
};
