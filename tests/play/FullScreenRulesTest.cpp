// The full-screen board's rules the window tests do not reach: an empty background folder,
// a board as tall as the screen, and a strip on a second screen.
#include "play/FullScreenRules.h"

#include <gtest/gtest.h>

namespace {

using namespace FullScreenRules;

TEST(FullScreenRulesTest, EdgesOfTheBackgroundThePointerAndTheStrip) {
    const Background none = chooseBackground({}, "gone.jpg");
    EXPECT_EQ((std::pair{none.file, none.setting}), (std::pair{QString(), QString("gone.jpg")}));
    EXPECT_EQ(chooseBackground({"a.jpg", "b.png"}, "b.png").file, "b.png");

    // A board that reaches the top of the screen lets the strip come only from the bottom tenth.
    const View tall = offBoard(900, 1000, 5);
    EXPECT_FALSE(tall.strip || tall.panels || tall.status);
    EXPECT_TRUE(offBoard(100, 1000, 6).strip);
    EXPECT_EQ(overBoard("GnuBG Wins").status, false);  // the words count as written

    const QRect left(0, 0, 1280, 1000), right(1280, 0, 1920, 1050);
    EXPECT_EQ(stripPlace({1400, 100}, {900, 60}, {left, right}, left), QPoint(1400, 100));
    EXPECT_EQ(stripPlace({-300, 5000}, {900, 60}, {left, right}, left), QPoint(0, 940));
}

}  // namespace
