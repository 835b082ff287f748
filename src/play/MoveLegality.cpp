#include "play/MoveLegality.h"

#include "app/AppState.h"
#include "board/CheckerRec.h"
#include "engine/MoveGenerator.h"
#include "play/PipCount.h"

#include <algorithm>

bool MoveLegality::CanMoveThere(int target) const {
    return records_.whiteCheckers.countOn(target) <= 1;
}

bool MoveLegality::IsDancingBlack() const {
    const CheckerSet &white = records_.whiteCheckers;
    return white.countOn(25 - match_.die1) > 1 && white.countOn(25 - match_.die2) > 1;
}

bool MoveLegality::CanBlackBearoff(const CheckerRec &checker, int &target) const {
    const CheckerSet &black = records_.blackCheckers;
    for (int i = 1; i <= CheckerSet::size; ++i)
        if (black[i].point > 6 && black[i].point != Position::blackTray)
            return false;
    // A die larger than the checker needs may only take the rearmost one.
    if (target < 0) {
        for (int i = 1; i <= CheckerSet::size; ++i)
            if (!black[i].isParked() && black[i].point != Position::blackTray && black[i].point > checker.point)
                return false;
    }
    target = Position::blackTray;
    return true;
}

bool MoveLegality::blackOnBar() const {
    return records_.blackCheckers.countOn(Position::blackBar) > 0;
}

bool MoveLegality::CanBlackMove(int index, int &target, int dieNumber, int movesMade) const {
    const CheckerRec &checker = records_.blackCheckers[index];
    const int p = checker.point;
    if (p == Position::blackTray || checker.isParked())
        return false;
    if (p != Position::blackBar && blackOnBar())
        return false;
    if (dieNumber != 1 && dieNumber != 2)
        return false;
    const int n = dieNumber == 1 ? match_.die1 : match_.die2;
    if (n < 1 || n > 6)
        return false;

    bool ok;
    if (p == Position::blackBar) {
        target = 25 - n;
        ok = CanMoveThere(target);
    } else if (p - n > 0) {
        target = p - n;
        ok = CanMoveThere(target);
    } else {
        target = p - n;
        ok = CanBlackBearoff(checker, target);
    }
    return ok && keepsRollPlayable(p, target, n, movesMade);
}

GnuBoard MoveLegality::atRoll() const {
    CheckerRecords roll;
    roll.blackCheckers = records_.blackAtRoll;
    roll.whiteCheckers = records_.whiteAtRoll;
    return PipCount::of(roll).gnuBoard;
}

int MoveLegality::legalCount() const {
    const GnuBoard start = atRoll();
    return MoveGenerator(start[0], start[1]).diceCount(match_.die1, match_.die2);
}

bool MoveLegality::isLegalPlay() const {
    const GnuBoard start = atRoll();
    const GnuBoard now = PipCount::of(records_).gnuBoard;
    const std::vector<Play> plays = MoveGenerator(start[0], start[1]).legalPlays(match_.die1, match_.die2);
    if (plays.empty())
        return now[0] == start[0];
    // The opponent does not move during the user's turn, so a blot that is gone was hit.
    std::uint32_t hits = 0;
    for (int p = 1; p <= 24; ++p)
        if (start[1][std::size_t(25 - p)] == 1 && now[1][std::size_t(25 - p)] == 0)
            hits |= std::uint32_t(1) << p;
    return std::any_of(plays.begin(), plays.end(),
                       [&](const Play &play) { return play.after == now[0] && play.hitPoints == hits; });
}

bool MoveLegality::keepsRollPlayable(int from, int target, int die, int movesMade) const {
    const GnuBoard now = PipCount::of(records_).gnuBoard;
    SideCounts own = now[0];
    SideCounts other = now[1];
    const int f = from == Position::blackBar ? 25 : from;
    const int t = target == Position::blackTray || target < 1 ? 0 : target;
    if (f < 1 || f > 25 || own[std::size_t(f)] < 1)
        return false;
    --own[std::size_t(f)];
    ++own[std::size_t(t)];
    if (t >= 1 && other[std::size_t(25 - t)] == 1) {
        other[std::size_t(25 - t)] = 0;
        ++other[25];
    }

    const int made = movesMade + 1;
    int rest = 0;
    if (match_.die1 != match_.die2) {
        if (made == 1) {
            const int otherDie = die == match_.die1 ? match_.die2 : match_.die1;
            rest = MoveGenerator(own, other).diceCount(otherDie, otherDie) > 0 ? 1 : 0;
        }
    } else if (made < 4) {
        rest = std::min(4 - made, MoveGenerator(own, other).diceCount(die, die));
    }
    return made + rest >= legalCount();
}
