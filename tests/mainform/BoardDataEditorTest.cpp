// The board style and its coordinates from the preferences: "Configure Board Data" tries a
// trial the coordinate reader can read, on a board of its own, and Save switches styles whole.
#include "app/SettingsStore.h"
#include "app/frmPreferences.h"
#include "board/BoardShow.h"
#include "mainform/Mainform.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class BoardDataEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.copyData();
        SettingsStore().write("isAnimInit", "True");
        window = std::make_unique<Mainform>();
        ASSERT_TRUE(window->Form_Load());
        window->show();
    }
    frmPreferences *openPreferences() {
        window->findChild<QAction *>("mnuPreference")->trigger();
        return window->preferencesWindow;
    }
    QLineEdit *box(const char *name) { return window->preferencesWindow->findChild<QLineEdit *>(name); }
    void click(const char *button) { window->preferencesWindow->findChild<QPushButton *>(button)->click(); }
    QByteArray styleFile(const char *name) const {
        QFile file(window->boardStyle.folder() + '/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
};

TEST_F(BoardDataEditorTest, OnlyWhatTheReaderReadsIsTriedAndTheTrialIsDrawnAloneThenKeptOrDropped) {
    const QByteArray data = styleFile("data.txt");
    const QImage shown = window->boardShow->picture();
    const int left = window->boardGeometry.sp_left;
    openPreferences();
    for (const char *refused : {"40000", "1e9", " ", ""}) {
        box("txt_sp_left")->setText(refused);
        click("cmdUpdate");
    }
    EXPECT_EQ(env.messages(), QStringList(4, "Entries must be numeric and no blanks"));
    EXPECT_EQ(styleFile("testdata.txt"), "(none)");
    // Each value fits, the places they give do not.
    const QString offset = box("txt_sp_chipOffset")->text();
    box("txt_sp_left")->setText(QString::number(left));
    box("txt_sp_chipOffset")->setText("3000");
    click("cmdUpdate");
    EXPECT_EQ(env.messages().last(), "These entries place checkers out of range");
    EXPECT_EQ(styleFile("testdata.txt"), "(none)");
    box("txt_sp_chipOffset")->setText(offset);

    box("txt_sp_left")->setText("12.5");
    box("txt_sp_top")->setText("13.5");
    click("cmdUpdate");
    QByteArray trial;
    for (const char *key : {"sp_left", "sp_top", "sp_bottom", "sp_bar", "sp_bearOffx", "sp_bearOffy", "sp_chipOffset",
                            "sp_cubex"})
        trial += QByteArray(key) + ' ' + box((QByteArray("txt_") + key).constData())->text().toLatin1() + "\r\n";
    EXPECT_EQ(styleFile("testdata.txt"), trial);
    EXPECT_EQ((std::pair{window->boardGeometry.sp_left, window->boardGeometry.sp_top}), (std::pair{12, 14}));
    // The preview is drawn; the game's board, checkers and dice know nothing of it.
    EXPECT_NE(window->boardShow->picture(), shown);
    EXPECT_EQ(window->board.shownBoard(), shown);
    EXPECT_EQ(window->checkers.blackCheckers.countOn(Position::parked), 15);
    EXPECT_EQ(window->match.die1, 0);

    click("cmdCancel");
    EXPECT_EQ(styleFile("testdata.txt"), "(none)");
    EXPECT_EQ(window->boardGeometry.sp_left, left);
    EXPECT_EQ(window->boardShow->picture(), shown);

    openPreferences();
    box("txt_sp_left")->setText("70");
    click("cmdUpdate");
    const QByteArray kept = styleFile("testdata.txt");
    click("cmdOK");
    EXPECT_EQ(styleFile("data.txt"), kept);
    EXPECT_NE(kept, data);
    EXPECT_EQ(styleFile("testdata.txt"), "(none)");
    EXPECT_EQ(window->boardGeometry.sp_left, 70);

    // GnuBG's match is on: nothing is tried, nothing of the match changes.
    window->flags.isBot = window->match.isMatch = true;
    window->match.die1 = 3;
    env.clearMessages();
    openPreferences();
    click("cmdUpdate");
    EXPECT_EQ(env.messages().size(), 1);
    EXPECT_EQ(styleFile("testdata.txt"), "(none)");
    EXPECT_EQ(window->match.die1, 3);
}

TEST_F(BoardDataEditorTest, AStyleThatDoesNotLoadWholeLeavesTheBoardAndAGoodOneRedrawsThePosition) {
    const QString style = window->prefs.prfBoardStyle;
    const QString other = style == "Default" ? "original small" : "Default";
    env.writeFile("pics/Broken/board.jpg", env.readFile("pics/" + other + "/board.jpg"));  // and nothing else
    window->checkers.blackCheckers.fill({{6, 5}, {8, 3}}, window->boardGeometry);
    window->board.showMiddleGameboard();
    window->mnuFull->trigger();
    const QImage picture = window->boardStyle.pictures().thepicture;
    const QImage shown = window->boardShow->picture();

    openPreferences()->findChild<QComboBox *>("comboBoards")->setCurrentText("Broken");
    click("cmdOK");
    EXPECT_EQ(env.messages(), QStringList{"There was an error loading BoardStyle..missing or invalid data"});
    EXPECT_EQ((std::pair{window->prefs.prfBoardStyle, window->boardStyle.name()}), (std::pair{style, style}));
    EXPECT_EQ(window->boardStyle.pictures().thepicture, picture);
    EXPECT_EQ(window->boardShow->picture(), shown);
    EXPECT_FALSE(window->prefs.prfFullScreen);  // a style is applied to the window, never to the full screen

    openPreferences()->findChild<QComboBox *>("comboBoards")->setCurrentText(other);
    click("cmdOK");
    EXPECT_EQ(window->prefs.prfBoardStyle, other);
    EXPECT_NE(window->boardShow->size(), shown.size());
    const CheckerRec &first = window->checkers.blackCheckers[1];
    EXPECT_EQ(QPoint(first.x, first.y), window->boardGeometry.pointSlots(6, 1));
    EXPECT_EQ(window->boardShow->picture(), window->board.BoardBuffer());
    EXPECT_NE(window->boardShow->picture(), window->board.BoardEmpty());
}

}  // namespace
