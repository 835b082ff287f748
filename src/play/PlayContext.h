#pragma once
// Everything the user's play works with: the server's game (board, records, state and the
// window as the game sees it), the window's play controls, the pictures clicks are measured
// against, the match log and the board's orientation.
#include "play/GameContext.h"

#include <QStringList>

class PlayHost;
struct BoardPictures;

struct PlayContext {
    GameContext game;
    PlayHost &play;
    const BoardPictures &pictures;
    QStringList &matchLog;
    const bool &isReverseBoard;  // the last board was drawn mirrored: moves go out as 25 - n
};
