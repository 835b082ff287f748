#pragma once
// Everything the server's game is shown with: the window's side (GameHost), the program's
// state, the checker records and the board that draws and moves them.
class BoardDrawing;
class BoardGeometry;
class CheckerMoves;
class GameHost;
struct CheckerRecords;
struct MatchState;
struct MoveInput;
struct Preferences;
struct StateFlags;

struct GameContext {
    GameHost &host;
    const Preferences &prefs;
    MatchState &match;
    StateFlags &flags;
    MoveInput &input;
    CheckerRecords &checkers;
    const BoardGeometry &geometry;
    BoardDrawing &board;
    CheckerMoves &moves;
};
