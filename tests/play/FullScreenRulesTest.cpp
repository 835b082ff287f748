// The full-screen board's rules: the background a setting may name, what the pointer shows,
// and where the strip may stand.
#include "play/FullScreenRules.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

using namespace FullScreenRules;

TEST(FullScreenRulesTest, ABackgroundIsAPictureOfTheFolderOrTheFirstOneOrNone) {
    TestEnvironment env;
    for (const char *file : {"b.png", "a.jpg", "readme.txt", "C.bmp"})
        env.writeFile(QStringLiteral("pics/backgrounds/") + file, "x");
    const QStringList files = backgroundFiles(env.programFolder() + "/pics/backgrounds");
    EXPECT_EQ(files, (QStringList{"a.jpg", "b.png", "C.bmp"}));
    EXPECT_TRUE(backgroundFiles(env.programFolder() + "/none").isEmpty());

    EXPECT_EQ(chooseBackground(files, "b.png").file, "b.png");
    for (const QString &stored : {QString("gone.jpg"), QString("../a.jpg"), QString("readme.txt"), QString()}) {
        const Background chosen = chooseBackground(files, stored);
        EXPECT_EQ((std::pair{chosen.file, chosen.setting}), (std::pair{QString("a.jpg"), QString("a.jpg")}));
    }
    const Background none = chooseBackground({}, "gone.jpg");
    EXPECT_EQ((std::pair{none.file, none.setting}), (std::pair{QString(), QString("gone.jpg")}));
}

TEST(FullScreenRulesTest, ThePointerOverTheBoardClearsTheScreenAndTheBottomTenthBringsItBack) {
    for (const char *status : {"GnuBG wins the match", "alice wants to resign"}) {
        const View v = overBoard(status);
        EXPECT_FALSE(v.strip || v.panels);
        EXPECT_EQ(v.status, true) << status;
    }
    EXPECT_EQ(overBoard("It's your turn. Please roll or double").status, false);
    EXPECT_EQ(overBoard("GnuBG Wins").status, false);  // the words are matched as written

    // A board with room above it leaves the strip in view; the panels come from the bottom.
    const View above = offBoard(100, 1000, 40);
    EXPECT_TRUE(above.strip && !above.panels && !above.bottom);
    const View bottom = offBoard(901, 1000, 0);
    EXPECT_TRUE(bottom.strip && bottom.panels && bottom.bottom && bottom.status == true);
    const View tall = offBoard(900, 1000, 5);
    EXPECT_FALSE(tall.strip || tall.panels || tall.status);
}

TEST(FullScreenRulesTest, AStripOffEveryScreenComesBackOntoOne) {
    const QRect left(0, 0, 1280, 1000), right(1280, 0, 1920, 1050);
    EXPECT_EQ(stripPlace({1400, 100}, {900, 60}, {left, right}, left), QPoint(1400, 100));
    EXPECT_EQ(stripPlace({5000, 5000}, {900, 60}, {left, right}, left), QPoint(380, 940));
    EXPECT_EQ(stripPlace({-300, -20}, {900, 60}, {left}, left), QPoint(0, 0));
}

}  // namespace
