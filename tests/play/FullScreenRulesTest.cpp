// The full-screen board's rules the window tests do not reach: an empty background folder,
// a board as tall as the screen, a strip on a second screen, and screens of every width.
#include "play/FullScreenRules.h"
#include "support/QtPrinters.h"

#include <QDebug>
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

// The strip (menus and buttons) and the panels of the full-screen board never cover each
// other, wherever the strip was left and however wide the screen.
TEST(FullScreenRulesTest, TheStripKeepsClearOfThePanelsOnScreensFrom1280To1600Pixels) {
    const QSize board(728, 520);  // the Default style
    const int wanted = 1460;      // every menu and button side by side
    for (const QSize screen : {QSize(1280, 800), QSize(1366, 768), QSize(1600, 900)}) {
        const QRect area(QPoint(0, 0), screen);
        const QList<QRect> panels = layOut(screen, board).panels();
        const int width = stripWidth(wanted, area, panels);
        const QSize strip(width, width < wanted ? 93 : 59);  // two rows of buttons, or one
        for (const QPoint stored : {QPoint(0, 0), QPoint(screen.width() - 100, 0), QPoint(0, screen.height() - 60),
                                    QPoint(screen.width(), screen.height())}) {
            const QRect placed(stripPlace(stored, strip, {area}, area, panels), strip);
            const auto where = [&] {
                QString text;
                QDebug(&text).nospace() << screen << " from " << stored << ": " << placed;
                return text.toStdString();
            };
            EXPECT_TRUE(area.contains(placed)) << where();
            for (const QRect &panel : panels)
                EXPECT_FALSE(placed.intersects(panel)) << where() << " covers " << panel.x() << ',' << panel.y();
        }
    }

    // A strip in a panel's way moves to the nearest free side of it, and no further: on a
    // screen of 1280 x 800, a score panel top right and a kibitz panel bottom left.
    const QRect screen(0, 0, 1280, 800);
    const QList<QRect> panels{QRect(980, 0, 300, 96), QRect(0, 684, 460, 116)};
    const std::pair<QPoint, QPoint> moves[] = {
        {{860, 10}, {860, 96}},    // 86 pixels down, under the score panel
        {{600, 20}, {580, 20}},    // 20 pixels left, beside it
        {{300, 700}, {300, 624}},  // 76 pixels up, over the kibitz panel
    };
    for (const auto &[stored, nearest] : moves)
        EXPECT_EQ(stripPlace(stored, {400, 60}, {screen}, screen, panels), nearest)
            << "from " << testing::PrintToString(stored);
}

}  // namespace
