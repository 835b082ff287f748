#include "app/Program.h"
#include "board/BoardGeometry.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

// The sizes of the worked example: a checker 30 wide and high, flat checkers 10 thick,
// a board 400 high.
const SpriteSizes kSizes{30, 30, 10.0, 400};

class BoardGeometryTest : public ::testing::Test {
protected:
    void read(const QByteArray &text) {
        env.writeFile("pics/Test/data.txt", text);
        geometry.ReadFromDisk(env.programFolder() + "/pics/Test", "data.txt", kSizes);
    }
    TestEnvironment env;
    BoardGeometry geometry;
};

TEST_F(BoardGeometryTest, ReadsKeysWithBlanksOrEqualsAndRoundsHalvesToEven) {
    read("sp_left 23\r\nsp_top=35\nsp_bottom = 61\r\nsp_bar  12.5\r\nsp_bearOffx 13.5\r\n"
         "sp_chipOffset 1 px\r\nSP_CUBEX 40\r\nsp_cubex 7\r\nsp_cubex 9\r\nnonsense\r\nsp_bearOffy");
    EXPECT_EQ(geometry.sp_left, 23);
    EXPECT_EQ(geometry.sp_top, 35);
    EXPECT_EQ(geometry.sp_bottom, 61);
    EXPECT_EQ(geometry.sp_bar, 12);
    EXPECT_EQ(geometry.sp_bearOffx, 14);
    EXPECT_EQ(geometry.sp_chipOffset, 0);  // three pieces: skipped
    EXPECT_EQ(geometry.sp_cubex, 9);       // capitals skipped, the last one counts
    EXPECT_EQ(geometry.sp_bearOffy, 0);    // missing keys keep their value
    EXPECT_TRUE(env.messages().isEmpty());

    read("sp_top 5\r\n");
    EXPECT_EQ(geometry.sp_left, 23);
    EXPECT_EQ(geometry.sp_top, 5);
}

TEST_F(BoardGeometryTest, BuildsTheTableOfTheWorkedExample) {
    read("sp_left 20\r\nsp_chipOffset 2\r\nsp_bar 40\r\nsp_bearOffx 6\r\nsp_top 10\r\nsp_bottom 45\r\n");
    auto x = [&](int position) { return geometry.pointSlots(position, 1).x(); };
    for (auto [point, expected] : {std::pair{12, 20}, {13, 20}, {11, 52}, {7, 180}, {18, 180}, {6, 252}, {19, 252},
                                   {1, 412}, {24, 412}, {26, 216}, {28, 216}, {25, 448}, {27, 448}})
        EXPECT_EQ(x(point), expected) << point;

    // First row touching, second and third rows a fifth of a checker (6) toward the middle.
    const int lower[] = {355, 325, 295, 265, 235, 229, 259, 289, 319, 349, 343, 313, 283, 253, 223};
    const int upper[] = {10, 40, 70, 100, 130, 136, 106, 76, 46, 16, 22, 52, 82, 112, 142};
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(geometry.pointSlots(5, n), QPoint(x(5), lower[n - 1])) << n;
        EXPECT_EQ(geometry.pointSlots(20, n), QPoint(x(20), upper[n - 1])) << n;
        EXPECT_EQ(geometry.pointSlots(26, n).y(), upper[n - 1] + 14);
        EXPECT_EQ(geometry.pointSlots(28, n).y(), lower[n - 1] - 14);
        EXPECT_EQ(geometry.pointSlots(25, n).y(), 10 + 10 * (n - 1));        // down from the top
        EXPECT_EQ(geometry.pointSlots(27, n).y(), 375 - 10 * (n - 1));       // up from 400 - 45 + 30 - 10
    }
    EXPECT_TRUE(geometry.isTrayPlace(x(27)));
    EXPECT_FALSE(geometry.isTrayPlace(x(1) + 10));
    EXPECT_THROW(geometry.pointSlots(29, 1), std::out_of_range);
    EXPECT_THROW(geometry.pointSlots(3, 16), std::out_of_range);
}

TEST_F(BoardGeometryTest, AMissingFileIsReportedAndTheTableBuiltFromWhatIsKnown) {
    geometry.ReadFromDisk(env.programFolder() + "/pics/Test", "data.txt", kSizes);
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_EQ(env.messages()[0], "Versions Korvex 4.0 and higher require a data.txt file in the board pic folders. "
                                 "Data.txt file can be found in current downloads");
    EXPECT_EQ(geometry.pointSlots(12, 1).x(), 0);
    EXPECT_EQ(geometry.pointSlots(1, 1).x(), 11 * 30);
}

TEST_F(BoardGeometryTest, ABadValueKeepsWhatCameBeforeItAndTheTableAsItWas) {
    read("sp_left 20\r\nsp_chipOffset 2\r\n");
    const QPoint before = geometry.pointSlots(1, 1);
    env.clearMessages();
    read("sp_left 35\r\nsp_top 8\r\nsp_bar 35px\r\nsp_cubex 3\r\n");
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages()[0].startsWith("An error occured while reading data.txt at line 3."));
    EXPECT_FALSE(env.messages()[0].contains("Data.dat"));
    EXPECT_EQ(geometry.sp_left, 35);
    EXPECT_EQ(geometry.sp_top, 8);
    EXPECT_EQ(geometry.sp_cubex, 0);
    EXPECT_EQ(geometry.pointSlots(1, 1), before);

    env.clearMessages();
    read("sp_left 40000\r\n");  // beyond what a coordinate can be
    EXPECT_EQ(env.messages().size(), 1);
    EXPECT_EQ(geometry.sp_left, 35);

    // Every value fits, but point 1 would stand at x 35 + 11 x 3030.
    env.clearMessages();
    read("sp_chipOffset 3000\r\n");
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages()[0].startsWith("An error occured while reading data.txt"));
    EXPECT_EQ(geometry.pointSlots(1, 1), before);
}

TEST_F(BoardGeometryTest, LinesEndedByCrAloneAndAByteOrderMarkAreRead) {
    read("\xEF\xBB\xBFsp_left 23\rsp_top=35\rsp_bar 12\r");
    EXPECT_EQ((std::array{geometry.sp_left, geometry.sp_top, geometry.sp_bar}), (std::array{23, 35, 12}));
    EXPECT_EQ(geometry.pointSlots(12, 1).x(), 23);
    EXPECT_TRUE(env.messages().isEmpty());
}

}  // namespace
