#pragma once
// An engine that plays by the rules without judging: its move is the first legal play of the
// roll, its chances and cube verdicts are what the test sets, per side on roll. It plays
// whole matches in no time and says what the test wants said.
#include "engine/EngineBackend.h"
#include "engine/GnuBoard.h"
#include "engine/MoveGenerator.h"

#include <QStringList>

#include <functional>

class RuleEngine : public EngineBackend {
public:
    // `gnuBoard` tells the user's row from GnuBG's in a question.
    explicit RuleEngine(const GnuBoard &gnuBoard) : gnuBoard_(gnuBoard) {}

    // Cube outputs (element 0: 1 double, 2 too good; element 1: 1 take) for the side on roll:
    // [0] the user, [1] GnuBG.
    std::array<std::array<int, 2>, 2> verdict{};
    std::array<int, 3> chances{5000, 0, 0};  // win, gammon, backgammon of the side on roll
    QStringList asked;                       // "cube 0", "move 1", ... side on roll
    int failingMoves = 0;                    // the next moves asked for go unanswered
    int restarts = 0;

    void vbEvalInitialise() override {}
    void restart() override { ++restarts; }
    void vbSetEvalContext(const EvalRecord &) override {}
    void vbSetCubeInfo(const CubeRecord &) override {}
    void vbEvaluatePosition(const EngineBoard &board, EngineOutput &out) override {
        asked << QStringLiteral("evaluate %1").arg(side(board));
        for (std::size_t i = 0; i < 3; ++i)
            out[i + 1] = chances[i];
    }
    void vbEvaluatePositionCubeful(const EngineBoard &board, EngineOutput &out, int) override {
        const int s = side(board);
        asked << QStringLiteral("cube %1").arg(s);
        out[0] = verdict[std::size_t(s)][0];
        out[1] = verdict[std::size_t(s)][1];
    }
    void vbFindBestMove(EngineMoves &moves, int die1, int die2, const EngineBoard &board) override {
        asked << QStringLiteral("move %1").arg(side(board));
        if (failingMoves > 0) {
            --failingMoves;
            throw EngineError("GNU Backgammon did not answer within 5000 ms");
        }
        const std::vector<Play> plays = MoveGenerator(row(board, 1), row(board, 0)).legalPlays(die1, die2);
        moves.fill(-1);
        if (plays.empty())
            return;
        const Play &play = plays.front();
        for (int i = 0; i < play.count; ++i) {
            moves[std::size_t(2 * i)] = play.steps[std::size_t(i)].from - 1;
            moves[std::size_t(2 * i + 1)] = play.steps[std::size_t(i)].to - 1;
        }
    }
    void vbLuckAnalysis(const EngineBoard &, int, int, int, LuckDone) override {}
    void vbFindPubevalMove(int, int, const EngineBoard &, EngineMoves &) override {}

private:
    static SideCounts row(const EngineBoard &board, int r) {
        SideCounts side{};
        int on = 0;
        for (int p = 1; p <= 25; ++p) {
            side[std::size_t(p)] = board[std::size_t(25 * r + p - 1)];
            on += side[std::size_t(p)];
        }
        side[0] = 15 - on;
        return side;
    }
    // 0 when the user's checkers are the side on roll, 1 when GnuBG's are; a position the
    // same from both seats (the opening) counts as the user's.
    int side(const EngineBoard &board) const {
        const SideCounts onRoll = row(board, 1);
        for (int p = 1; p <= 25; ++p)
            if (onRoll[std::size_t(p)] != gnuBoard_[0][std::size_t(p)])
                return 1;
        return 0;
    }

    const GnuBoard &gnuBoard_;
};
