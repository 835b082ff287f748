#pragma once
// The rules of moving checkers: the legal plays of a roll for the side on roll, and how many
// dice they use. Every legal play uses the most dice any play can, so that number alone says
// how many checkers must move; it is asked on every board line and has to be instant.
#include "engine/GnuBoard.h"

#include <array>
#include <cstdint>
#include <vector>

// One die's worth of one checker, in the moving side's own numbering.
struct CheckerStep {
    int from = 0;      // 25 = the bar
    int to = 0;        // 0 = borne off
    int die = 0;
    bool hit = false;  // landed on a lone opponent checker

    bool operator==(const CheckerStep &) const = default;
};

// One legal play: its steps in the order they are made, and where it leaves the checkers.
struct Play {
    std::array<CheckerStep, 4> steps{};
    int count = 0;              // steps made, which is dice used
    SideCounts after{};         // the moving side's checkers afterwards
    std::uint32_t hitPoints = 0;  // bit p: the opponent's blot on point p (mover's numbering) went to the bar
};

class MoveGenerator {
public:
    // Both sides in their own numbering; `opponent` decides which points are closed and
    // where blots stand.
    MoveGenerator(const SideCounts &own, const SideCounts &opponent);

    // The most dice (0 to 4) any legal play of the roll uses.
    int diceCount(int die1, int die2) const;

    // When only one die can be played: the die that must be (the larger when it can be),
    // 0 otherwise.
    int onlyDie(int die1, int die2) const;

    // Every legal play, one for each distinct outcome (where the checkers end and which
    // blots were hit): all use diceCount() dice, and when only one die of two can be
    // played it is the larger one if that can be played at all.
    std::vector<Play> legalPlays(int die1, int die2) const;

private:
    struct State {
        std::array<std::uint8_t, 26> n{};
        std::uint32_t occupied = 0;  // bit p, 1 to 25: the side has a checker there
        std::uint32_t hits = 0;
    };
    struct Collector;

    int steps(const State &s, int die, CheckerStep *out) const;
    static void apply(State &s, const CheckerStep &step);
    static void undo(State &s, const CheckerStep &step);
    int deepest(State &s, const int *dice, int depth, int total, int below) const;
    void collect(State &s, const int *dice, int depth, int total, int below, Collector &c) const;

    State start_;
    std::uint32_t closed_ = 0;  // bit p: the opponent holds point p with two or more
    std::uint32_t blots_ = 0;   // bit p: the opponent has a single checker on point p
};

// The number of checkers the side on roll of `gnuBoard` must move with these dice (0 when
// it cannot move). `dieMoved` becomes 1 when only one die can be played and it is `die1`,
// the larger of two different dice; 0 otherwise.
int PubEvalMoveCount(const GnuBoard &gnuBoard, bool userOnRoll, int die1, int die2, int &dieMoved);
