#pragma once
// The backgammon engine's eight operations, as the engine class calls them: the real one is
// GNU Backgammon behind a bridge process, tests put a recording stand-in in its place.
#include <QString>

#include <array>
#include <functional>
#include <stdexcept>

// Two rows of 25: row 0 the side not on roll, row 1 the side on roll. In a row, point p (1 to
// 24, that side's own numbering) sits at p - 1 and the bar at 24; borne-off checkers are not
// passed.
using EngineBoard = std::array<int, 50>;

// What the engine writes back, by element (chances in hundredths of a percent, 0 to 10000):
// evaluate: [1] the side on roll wins, [2] wins a gammon, [3] wins a backgammon;
// cubeful evaluate: [0] 1 double, 2 too good to double, else no double; [1] 1 the other takes.
using EngineOutput = std::array<int, 256>;

// Up to four checker moves as (from, to) pairs in elements 0 to 7, counted from 0 in the
// mover's numbering (0 to 23 the points, 24 the bar, -1 borne off); a from of -1 ends them.
using EngineMoves = std::array<int, 256>;

// The longest match GNU Backgammon plays: beyond it its answers mean nothing, and from 152
// points on it falls over at every request.
constexpr int kLongestEngineMatch = 64;

// Match and cube as the engine is to see them.
struct CubeRecord {
    int cube = 1;
    int owner = 0;      // -1 centred, 1 the side on roll, 0 its opponent
    int onRoll = 0;     // which score belongs to the side on roll: 1 = score[1]
    int matchLength = 0;  // 0 = unlimited
    std::array<int, 2> score{};
    int crawford = 0;
    int jacoby = 0;
    int beavers = 0;

    bool operator==(const CubeRecord &) const = default;
};

// Look-ahead of the evaluations that follow. Only the plies change; the move filter of 8
// candidates within 0.16 equity and the missing noise stay as they are.
struct EvalRecord {
    int plies = 1;
    int moveCandidates = 8;
    int moveTolerance = 1600;  // ten-thousandths
    int noise = 0;
    int cubeful = 0;

    bool operator==(const EvalRecord &) const = default;
};

// A failing engine: its text is the cause the user is shown after "error in GetCubAction: ".
struct EngineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A question the engine will not answer however often it is asked (a match longer than it
// plays, a request it refuses): starting it afresh would not help.
struct EngineRefusal : EngineError {
    using EngineError::EngineError;
};

class EngineBackend {
public:
    virtual ~EngineBackend() = default;

    // Gets the engine ready; a failure here shows itself at the first call that needs it.
    virtual void vbEvalInitialise() = 0;
    // A call has failed: the engine is started afresh for the next one.
    virtual void restart() {}
    virtual void vbSetEvalContext(const EvalRecord &context) = 0;
    virtual void vbSetCubeInfo(const CubeRecord &cube) = 0;

    // The calls below throw EngineError when the engine cannot answer.
    virtual void vbEvaluatePosition(const EngineBoard &board, EngineOutput &output) = 0;
    virtual void vbEvaluatePositionCubeful(const EngineBoard &board, EngineOutput &output, int reserved) = 0;
    virtual void vbFindBestMove(EngineMoves &moves, int die1, int die2, const EngineBoard &board) = 0;

    // The luck of the roll for the side on roll: positive lucky, negative unlucky (the scale is
    // the back end's to document). It may take longer than the board should wait, so `done`
    // runs when the rating is known, perhaps after this returns, and never if the engine fails.
    using LuckDone = std::function<void(int luck)>;
    virtual void vbLuckAnalysis(const EngineBoard &board, int die1, int die2, int reserved, LuckDone done) = 0;

    // Any legal play of the side on roll, instantly: only the number of checkers it moves counts.
    virtual void vbFindPubevalMove(int die1, int die2, const EngineBoard &board, EngineMoves &moves) = 0;
};
