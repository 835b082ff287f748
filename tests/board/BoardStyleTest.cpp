#include "app/Program.h"
#include "app/SettingsStore.h"
#include "board/BoardShow.h"
#include "board/BoardStyle.h"
#include "mainform/Mainform.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class BoardStyleTest : public ::testing::Test {
protected:
    void SetUp() override { env.copyData(); }
    QString pics(const QString &relative = {}) const { return QDir::cleanPath(env.programFolder() + "/pics/" + relative); }

    TestEnvironment env;
    SettingsStore store;
    BoardStyle style;
    QString prfBoardStyle;
};

TEST_F(BoardStyleTest, TheScreenChoosesWhenNothingIsStored) {
    EXPECT_TRUE(style.SetNewBoardStyle(prfBoardStyle, prfBoardStyle, store, 800));
    EXPECT_EQ(prfBoardStyle, "original small");
    EXPECT_EQ(style.pictures().thepicture.size(), QSize(546, 390));
    prfBoardStyle.clear();
    style.SetNewBoardStyle(prfBoardStyle, prfBoardStyle, store, 1024);
    EXPECT_EQ(prfBoardStyle, "Default");
    EXPECT_EQ(style.folder(), pics("Default"));

    store.write("prfBoardStyle", "original small");
    prfBoardStyle.clear();
    style.SetNewBoardStyle(prfBoardStyle, prfBoardStyle, store, 1600);
    EXPECT_EQ(prfBoardStyle, "original small");

    // An empty name that is not the setting itself only asks for the layout.
    EXPECT_FALSE(style.SetNewBoardStyle(QString(), prfBoardStyle, store, 1600));
}

TEST_F(BoardStyleTest, AStyleWithoutItsBoardBorrowsTheDefaultPicturesAndCoordinates) {
    QDir().mkpath(pics("Marble"));
    for (const QString &name : {QStringLiteral("Marble"), QStringLiteral("../../etc")}) {
        style.SetNewBoardStyle(name, prfBoardStyle, store, 1600);
        EXPECT_EQ(prfBoardStyle, name);
        EXPECT_EQ(style.folder(), pics("Default"));  // found although asked for as "default"
        EXPECT_EQ(style.pictures().thepicture.size(), QSize(728, 520));
    }
    EXPECT_TRUE(env.messages().isEmpty());
}

TEST_F(BoardStyleTest, AStyleMissingASpriteSheetIsAnError) {
    QDir().mkpath(pics("Broken"));
    QFile::copy(pics("Default/board.jpg"), pics("Broken/board.jpg"));
    EXPECT_THROW(style.SetNewBoardStyle("Broken", prfBoardStyle, store, 1600), std::runtime_error);
}

TEST_F(BoardStyleTest, OurSpritesKeepTheColourKey) {
    for (const char *name : {"Default", "original small"}) {
        style.SetNewBoardStyle(QString::fromLatin1(name), prfBoardStyle, store, 1600);
        const BoardPictures &p = style.pictures();
        const int cw = p.ChipNearBlack.width();
        ASSERT_EQ(p.ChipNearBlack.height(), 2 * cw);
        // A checker is erased one pixel short of its cell: the last row and column stay clear.
        for (int i = 0; i < cw; ++i)
            for (int top : {0, cw}) {
                EXPECT_EQ(p.ChipNearBlack.pixel(cw - 1, top + i) & 0xffffff, 0u);
                EXPECT_EQ(p.ChipNearBlack.pixel(i, top + cw - 1) & 0xffffff, 0u);
            }
        EXPECT_LE(p.picFlatB.width(), cw);
        for (int y = 0; y < p.picFlatB.height(); ++y)
            EXPECT_EQ(p.picFlatB.pixel(cw - 1, y) & 0xffffff, 0u);
        // No hole of transparent black inside any face.
        EXPECT_NE(p.ChipNearBlack.pixel(cw / 2, cw / 2) & 0xffffff, 0u);
        for (int face = 0; face < 6; ++face)
            for (int row = 0; row < 2; ++row) {
                const int fw = p.picBlackDice.width() / 6, fh = p.picBlackDice.height() / 2;
                EXPECT_NE(p.picBlackDice.pixel(face * fw + fw / 2, row * fh + 3) & 0xffffff, 0u);
            }
        for (int cell = 0; cell < 7; ++cell)
            EXPECT_NE(p.picCube64.pixel(cell * (p.picCube64.width() / 7) + 4, p.picCube64.height() / 2) & 0xffffff, 0u);
    }
}

TEST(MainformBoardTest, TheWindowShowsTheEmptyBoardAndFollowsAChangeOfStyle) {
    TestEnvironment env;
    env.copyData();
    env.storeSettings({{"prfBoardStyle", "Default"}});  // the test screen would choose the small style
    Mainform window;
    ASSERT_TRUE(window.Form_Load());
    window.show();
    QCoreApplication::processEvents();

    const QImage defaultBoard = window.boardStyle.pictures().thepicture;
    EXPECT_EQ(window.boardShow->picture(), defaultBoard);
    EXPECT_EQ(window.boardShow->size(), QSize(728, 520));
    EXPECT_FALSE(window.Picture2->isHidden());
    EXPECT_EQ(window.Picture2->y(), window.boardShow->y() + window.boardShow->height());
    // The test screen is shorter than this board's layout: the window fits it all the same.
    EXPECT_LE(window.frameGeometry().height(), window.screen()->availableGeometry().height());
    EXPECT_EQ(window.boardGeometry.sp_left, 78);
    EXPECT_TRUE(window.windowTitle().startsWith("Korvex       "));

    const int listWidth = window.picList->width();
    QString small = QStringLiteral("original small");
    window.SetNewBoardStyle(small);
    window.ReadFromDisk("data.txt");
    QCoreApplication::processEvents();
    EXPECT_EQ(window.prefs.prfBoardStyle, "original small");
    EXPECT_EQ(window.boardShow->size(), QSize(546, 390));
    EXPECT_EQ(window.picList->width(), listWidth);
    EXPECT_EQ(window.picList->x(), 546);
    EXPECT_EQ(window.Picture2->y(), window.boardShow->y() + window.boardShow->height());
    EXPECT_EQ(window.prefs.prfRegSizex, window.width());
    EXPECT_EQ(window.boardGeometry.sp_left, 58);

    // A position drawn on the shown board.
    window.checkers.blackCheckers.fill({{6, 5}}, window.boardGeometry);
    window.board.showMiddleGameboard();
    EXPECT_EQ(window.boardShow->picture(), window.board.BoardBuffer());
    EXPECT_NE(window.boardShow->picture(), window.board.BoardEmpty());
    window.close();
}

// The stored style's board missing or not a picture: its message, then the first style that
// loads shows the board and the status line says so; the setting stays as it was.
TEST(MainformBoardTest, AStyleThatDoesNotLoadIsToldOnceAndAnotherShowsTheBoard) {
    struct Case {
        QString stored, shown;
        QSize size;
        int left;
        void (*spoil)(const TestEnvironment &);
    };
    const Case cases[] = {
        {"Default", "original small", QSize(546, 390), 58,
         [](const TestEnvironment &env) { QDir(env.programFolder() + "/pics/Default").removeRecursively(); }},
        {"original small", "Default", QSize(728, 520), 78,
         [](const TestEnvironment &env) { env.writeFile("pics/original small/board.jpg", "not a picture"); }},
    };
    for (const Case &c : cases) {
        TestEnvironment env;
        env.copyData();
        c.spoil(env);
        env.storeSettings({{"prfBoardStyle", c.stored}});
        {
            Mainform window;
            ASSERT_TRUE(window.Form_Load());
            ASSERT_EQ(env.messages().size(), 1) << env.messages().join("|").toStdString();
            EXPECT_TRUE(env.messages()[0].startsWith("Error SetNewBoardStyle "));
            EXPECT_EQ(window.boardShow->size(), c.size);
            EXPECT_EQ(window.boardShow->picture(), window.boardStyle.pictures().thepicture);
            EXPECT_EQ(window.boardGeometry.sp_left, c.left);
            EXPECT_TRUE(window.lblStatus->text().contains(c.shown)) << window.lblStatus->text().toStdString();
            window.show();
            QCoreApplication::processEvents();
            EXPECT_LE(window.lblStatus->fontMetrics().horizontalAdvance(window.lblStatus->text()),
                      window.lblStatus->width());  // readable whole
            window.close();
        }
        EXPECT_EQ(SettingsStore().read("prfBoardStyle", QString()), c.stored);
    }
}

}  // namespace
