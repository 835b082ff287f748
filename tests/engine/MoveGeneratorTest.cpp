#include "engine/MoveRules.h"

#include <gtest/gtest.h>

namespace {

// The opponent's checkers given at the mover's point numbers (25 still the bar).
SideCounts against(std::initializer_list<std::pair<int, int>> checkers) {
    SideCounts s{};
    int on = 0;
    for (const auto &[point, count] : checkers) {
        s[std::size_t(point == 25 ? 25 : 25 - point)] += count;
        on += count;
    }
    s[0] = 15 - on;
    return s;
}

struct Case {
    SideCounts own, opponent;
    std::vector<Play> plays(int d1, int d2) const { return MoveGenerator(own, opponent).legalPlays(d1, d2); }
    int count(int d1, int d2) const { return MoveGenerator(own, opponent).diceCount(d1, d2); }
    bool allows(int d1, int d2, const std::vector<std::pair<int, int>> &steps) const {
        return contains(plays(d1, d2), outcomeOf(own, opponent, steps));
    }
};

const Case kOpening{side({{24, 2}, {13, 5}, {8, 3}, {6, 5}}), against({{1, 2}, {12, 5}, {17, 3}, {19, 5}})};

TEST(MoveGeneratorTest, OpeningRollsUseBothDiceAndDoublesUseFour) {
    for (int d1 = 1; d1 <= 6; ++d1)
        for (int d2 = 1; d2 <= 6; ++d2)
            EXPECT_EQ(kOpening.count(d1, d2), d1 == d2 ? 4 : 2) << d1 << "-" << d2;
    EXPECT_TRUE(kOpening.allows(3, 1, {{8, 5}, {6, 5}}));
    EXPECT_TRUE(kOpening.allows(6, 5, {{24, 18}, {18, 13}}));
    EXPECT_FALSE(kOpening.allows(6, 5, {{24, 18}}));       // one die short
    EXPECT_FALSE(kOpening.allows(6, 5, {{24, 18}, {13, 7}, {8, 3}}));
    EXPECT_FALSE(kOpening.allows(5, 5, {{13, 8}, {13, 8}, {8, 3}, {6, 1}}));  // the 1 is held
    EXPECT_EQ(kOpening.count(0, 3), 0);
    EXPECT_EQ(kOpening.count(7, 3), 0);
    EXPECT_TRUE(kOpening.plays(3, 9).empty());
}

TEST(MoveGeneratorTest, CheckersOnTheBarEnterBeforeAnythingMoves) {
    const Case one{side({{25, 1}, {13, 14}}), against({{19, 2}})};
    EXPECT_EQ(one.count(6, 4), 2);
    const auto plays = one.plays(6, 4);
    EXPECT_EQ(plays.size(), 2u);
    EXPECT_TRUE(one.allows(6, 4, {{25, 21}, {21, 15}}));
    EXPECT_TRUE(one.allows(6, 4, {{25, 21}, {13, 7}}));
    EXPECT_FALSE(one.allows(6, 4, {{13, 7}, {13, 9}}));

    const Case two{side({{25, 2}, {13, 13}}), against({{19, 2}})};
    EXPECT_EQ(two.count(6, 4), 1);  // the second cannot come in, so nothing else moves
    EXPECT_EQ(two.plays(6, 4).size(), 1u);
    EXPECT_TRUE(two.allows(6, 4, {{25, 21}}));
    EXPECT_EQ(two.count(4, 4), 4);
    EXPECT_TRUE(two.allows(4, 4, {{25, 21}, {25, 21}, {21, 17}, {21, 17}}));

    const Case dance{side({{25, 1}, {13, 14}}), against({{19, 2}, {21, 3}})};
    EXPECT_EQ(dance.count(6, 4), 0);
    EXPECT_TRUE(dance.plays(6, 4).empty());
    EXPECT_EQ(dance.count(6, 6), 0);
}

TEST(MoveGeneratorTest, ClosedPointsStopAStepAndAllowAnotherRoute) {
    const Case blocked{side({{13, 1}}), against({{7, 2}, {9, 2}})};
    EXPECT_EQ(blocked.count(6, 4), 0);
    const Case around{side({{13, 1}}), against({{7, 2}})};
    EXPECT_EQ(around.count(6, 4), 2);
    EXPECT_EQ(around.plays(6, 4).size(), 1u);
    EXPECT_TRUE(around.allows(6, 4, {{13, 9}, {9, 3}}));
}

TEST(MoveGeneratorTest, HittingABlotIsAPlayOfItsOwn) {
    const Case c{side({{8, 1}, {20, 14}}), against({{5, 1}})};
    const auto plays = c.plays(3, 2);
    EXPECT_TRUE(c.allows(3, 2, {{8, 5}, {5, 3}}));
    EXPECT_TRUE(c.allows(3, 2, {{8, 6}, {6, 3}}));
    const Outcome hit = outcomeOf(c.own, c.opponent, {{8, 5}, {5, 3}});
    const Outcome quiet = outcomeOf(c.own, c.opponent, {{8, 6}, {6, 3}});
    EXPECT_EQ(hit.after, quiet.after);
    EXPECT_NE(hit.hitPoints, quiet.hitPoints);
    int runs = 0;  // 20/17/15 and 20/18/15 lead to one place
    const Outcome run = outcomeOf(c.own, c.opponent, {{20, 17}, {17, 15}});
    for (const Play &p : plays)
        runs += p.after == run.after && p.hitPoints == run.hitPoints ? 1 : 0;
    EXPECT_EQ(runs, 1);
    // Only the first landing on the blot's point hits it.
    for (const Play &p : plays) {
        bool taken = false;
        for (int i = 0; i < p.count; ++i) {
            const CheckerStep &step = p.steps[std::size_t(i)];
            EXPECT_EQ(step.hit, step.to == 5 && !taken);
            taken = taken || step.to == 5;
        }
    }
}

TEST(MoveGeneratorTest, BearingOffExactlyOrWithALargerDieFromTheHighestPoint) {
    const Case exact{side({{6, 1}, {4, 1}, {1, 13}}), against({{20, 2}})};
    EXPECT_EQ(exact.count(6, 4), 2);
    EXPECT_TRUE(exact.allows(6, 4, {{6, 0}, {4, 0}}));

    const Case larger{side({{5, 1}, {3, 1}}), against({{20, 2}})};
    EXPECT_EQ(larger.count(6, 6), 2);  // nothing is left for the other two sixes
    EXPECT_TRUE(larger.allows(6, 4, {{5, 0}, {3, 0}}));
    EXPECT_TRUE(larger.allows(6, 4, {{5, 1}, {3, 0}}));
    EXPECT_EQ(larger.plays(6, 4).size(), 2u);
    // A 4 cannot take the checker on 3 off while the one on 5 stands behind it.
    EXPECT_EQ(larger.count(4, 4), 3);
    EXPECT_EQ(larger.plays(4, 4).size(), 1u);
    EXPECT_TRUE(larger.allows(4, 4, {{5, 1}, {3, 0}, {1, 0}}));

    // Nothing comes off while a checker is outside; once it is in, the second die bears off.
    const Case outside{side({{8, 1}, {2, 14}}), against({{20, 2}})};
    EXPECT_EQ(outside.count(6, 2), 2);
    EXPECT_EQ(outside.plays(6, 2).size(), 1u);  // 8/2/off and 8/6/off end alike
    EXPECT_TRUE(outside.allows(6, 2, {{8, 6}, {6, 0}}));
}

TEST(MoveGeneratorTest, TheMostDiceMustBePlayed) {
    // 24/18 leads nowhere; only 24/21/15 uses both dice.
    const Case both{side({{24, 1}, {1, 14}}), against({{18, 2}})};
    EXPECT_EQ(both.count(6, 3), 2);
    EXPECT_EQ(both.plays(6, 3).size(), 1u);
    EXPECT_TRUE(both.allows(6, 3, {{24, 21}, {21, 15}}));

    const Case three{side({{16, 1}}), against({{4, 2}})};
    EXPECT_EQ(three.count(3, 3), 3);
    EXPECT_EQ(three.plays(3, 3).size(), 1u);
    EXPECT_TRUE(three.allows(3, 3, {{16, 13}, {13, 10}, {10, 7}}));
}

TEST(MoveGeneratorTest, WhenOnlyOneDieCanBePlayedItIsTheLargerOneIfPossible) {
    const Case either{side({{12, 1}}), against({{2, 2}})};
    EXPECT_EQ(either.count(6, 4), 1);
    EXPECT_EQ(either.plays(6, 4).size(), 1u);
    EXPECT_TRUE(either.allows(6, 4, {{12, 6}}));
    EXPECT_EQ(MoveGenerator(either.own, either.opponent).onlyDie(6, 4), 6);
    EXPECT_EQ(MoveGenerator(either.own, either.opponent).onlyDie(4, 6), 6);

    const Case smaller{side({{12, 1}}), against({{2, 2}, {6, 2}})};
    EXPECT_EQ(smaller.count(6, 4), 1);
    EXPECT_TRUE(smaller.allows(6, 4, {{12, 8}}));
    EXPECT_EQ(MoveGenerator(smaller.own, smaller.opponent).onlyDie(6, 4), 4);
    EXPECT_EQ(MoveGenerator(kOpening.own, kOpening.opponent).onlyDie(6, 4), 0);
}

TEST(MoveGeneratorTest, PubEvalMoveCountMovesTheSideOnRollAndNamesTheOnlyDie) {
    GnuBoard board{};
    board[0] = side({{12, 1}});                  // the user
    board[1] = side({{23, 2}, {19, 2}, {5, 1}});  // closes the user's 2 and 6; a blot on the user's 20
    int dieMoved = -1;
    EXPECT_EQ(PubEvalMoveCount(board, true, 6, 4, dieMoved), 1);
    EXPECT_EQ(dieMoved, 0);  // only the 4 goes
    board[1] = side({{23, 2}, {5, 1}});
    EXPECT_EQ(PubEvalMoveCount(board, true, 6, 4, dieMoved), 1);
    EXPECT_EQ(dieMoved, 1);
    EXPECT_EQ(PubEvalMoveCount(board, true, 4, 4, dieMoved), 3);  // 12/8/4, then 4/off and the rest is off
    EXPECT_EQ(dieMoved, 0);

    board[1] = side({{25, 1}, {5, 14}});  // the opponent on its bar, the user's 1 to 6 open
    board[0] = side({{13, 15}});
    EXPECT_EQ(PubEvalMoveCount(board, false, 6, 5, dieMoved), 2);
    board[0] = side({{6, 2}, {5, 2}, {4, 2}, {3, 2}, {2, 2}, {1, 2}, {13, 3}});
    EXPECT_EQ(PubEvalMoveCount(board, false, 6, 5, dieMoved), 0);  // shut out
}

}  // namespace
