// The preferences window against a stand-in main window: what Save stores and refuses, the
// animation slider, the board-data trial file, the luck-talk lists and the list files.
#include "app/Preferences.h"
#include "app/PreferencesHost.h"
#include "app/PreferencesRules.h"
#include "app/frmPreferences.h"
#include "support/TestEnvironment.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct FakeHost : PreferencesHost {
    QString folder;
    int rereads = 0, styles = 0, paneStyles = 0, gagReloads = 0;
    bool chancesShown = true;
    std::array<int, 8> boardData() const override { return {40, 30, 28, 12, 9, 0, 3, 15}; }
    QString styleFolder() const override { return folder; }
    void rereadBoardData() override { ++rereads; }
    bool onBoard = false;
    int previews = 0, kept = 0;
    bool matchOnBoard() const override { return onBoard; }
    bool boardDataFits(const std::array<int, 8> &) const override { return true; }
    void previewBoardData() override { ++previews; }
    void boardDataKept() override { ++kept; }
    void applyBoardStyle() override { ++styles; }
    void applyListAndPaneStyles() override { ++paneStyles; }
    void showWinChances(bool shown) override { chancesShown = shown; }
    void reloadGagList() override { ++gagReloads; }
};

class PreferencesWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.writeFile("pics/Default/board.jpg", "");
        env.writeFile("pics/original small/data.txt", "");
        env.writeFile("pics/backgrounds/felt.jpg", "");
        host.folder = env.programFolder() + "/pics/Default";
        prefs.prfBoardStyle = "Default";
        prefs.prfHost = "fibs.com";
        prefs.prfPort = 4321;
        prefs.prfDelay = 1;
        prefs.prfAnimDelay = 700;  // as calibrated: the slider stands at 400 for it
        prefs.prfScrollVal = 400;
        prefs.prfSHit = true;
    }
    template <typename T> T *control(const char *name) { return window->findChild<T *>(name); }
    void open() {
        if (!window)
            window = std::make_unique<frmPreferences>(prefs, host);
        window->show();
    }
    void type(const char *box, const QString &text) { control<QLineEdit>(box)->setText(text); }

    TestEnvironment env;
    Preferences prefs;
    FakeHost host;
    std::unique_ptr<frmPreferences> window;
};

TEST_F(PreferencesWindowTest, ARefusedValueStoresNothingAndKeepsTheWindowOpen) {
    open();
    EXPECT_EQ(control<QLineEdit>("prfHost")->text(), "fibs.com");
    EXPECT_EQ(control<QLineEdit>("prfPort")->text(), "4321");
    control<QCheckBox>("prfSHit")->setChecked(false);
    QStringList refusals;
    for (const auto &[box, text] : std::vector<std::pair<const char *, QString>>{{"prfDelay", "5.01"},
                                                                                  {"prfDelay", "-0.5"},
                                                                                  {"prfPort", "70000"},
                                                                                  {"prfPort", "x"},
                                                                                  {"prfHost", "fibs .com"},
                                                                                  {"prfAnimDelay", "1e12"}}) {
        const QString before = control<QLineEdit>(box)->text();
        type(box, text);
        env.clearMessages();
        window->cmdOK_Click();
        EXPECT_EQ(env.messages().size(), 1) << box << " " << text.toStdString();
        refusals << env.messages().value(0);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(prefs.prfSHit) << "a sound switch was stored before " << box << " was refused";
        type(box, before);
    }
    EXPECT_EQ(refusals.first(), "Replay Delay must be a number  from 0 to 5");
    EXPECT_EQ((std::tuple{prefs.prfDelay, prefs.prfPort, prefs.prfHost, prefs.prfAnimDelay, host.paneStyles}),
              (std::tuple{1.0, 4321, QString("fibs.com"), 700, 0}));

    // Right values are all stored; empty boxes and text that is no number keep what was there.
    type("prfDelay", "5");
    type("prfPort", " 4000 ");
    type("prfHost", "");
    type("prfAnimDelay", "12.5");
    env.clearMessages();
    window->cmdOK_Click();
    EXPECT_TRUE(env.messages().isEmpty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ((std::tuple{prefs.prfDelay, prefs.prfPort, prefs.prfHost, prefs.prfAnimDelay, prefs.prfSHit}),
              (std::tuple{5.0, 4000, QString("fibs.com"), 12, false}));
    EXPECT_EQ(host.paneStyles, 1);
    open();
    type("prfDelay", "abc");
    type("prfAnimDelay", "-3");
    window->cmdOK_Click();
    EXPECT_EQ(prefs.prfDelay, 5.0);
    EXPECT_EQ(prefs.prfAnimDelay, 12);
    EXPECT_EQ(control<QLineEdit>("prfAnimDelay")->text(), "");
}

TEST_F(PreferencesWindowTest, OpeningKeepsTheCalibratedSpeedAndTheSliderActsAtOnce) {
    EXPECT_EQ(PreferencesRules::animDelayForSlider(0), 6000);
    EXPECT_EQ(PreferencesRules::animDelayForSlider(499), 511);
    EXPECT_EQ(PreferencesRules::animDelayForSlider(1000), 0);

    open();
    EXPECT_EQ(control<QSlider>("hScroll1")->value(), 400);
    EXPECT_EQ(control<QLineEdit>("prfAnimDelay")->text(), "700");
    EXPECT_EQ(prefs.prfAnimDelay, 700);
    window->cmdOK_Click();
    EXPECT_EQ(prefs.prfAnimDelay, 700);

    open();
    control<QSlider>("hScroll1")->setValue(500);
    EXPECT_EQ(prefs.prfAnimDelay, 500);
    EXPECT_EQ(control<QLineEdit>("prfAnimDelay")->text(), "500");
    QTest::keyClick(window.get(), Qt::Key_Escape);  // Esc is Cancel: the speed of the opening returns
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prefs.prfAnimDelay, 700);
    EXPECT_EQ(prefs.prfScrollVal, 400);

    open();
    control<QSlider>("hScroll1")->setValue(900);
    window->cmdOK_Click();
    EXPECT_EQ((std::pair{prefs.prfAnimDelay, prefs.prfScrollVal}), (std::pair{100, 900}));
}

TEST_F(PreferencesWindowTest, ABoardDataTrialBecomesDataTxtOnlyWhenWrittenWhole) {
    env.writeFile("pics/Default/data.txt", "sp_left 40\r\n");
    env.writeFile("pics/Default/testdata.txt", "sp_left 44\r\n");
    open();
    EXPECT_EQ(control<QLineEdit>("txt_sp_left")->text(), "40");
    EXPECT_EQ(control<QLineEdit>("txt_sp_cubex")->text(), "15");
    window->cmdOK_Click();
    EXPECT_EQ(env.readFile("pics/Default/data.txt"), "sp_left 44\r\n");
    EXPECT_FALSE(QFileInfo::exists(host.folder + "/testdata.txt"));

    // data.txt cannot be written: the trial stays for another try and the user is told.
    QFile::remove(host.folder + "/data.txt");
    QDir().mkpath(host.folder + "/data.txt");
    env.writeFile("pics/Default/testdata.txt", "sp_left 48\r\n");
    open();
    window->cmdOK_Click();
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages().first().contains(host.folder + "/data.txt"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(env.readFile("pics/Default/testdata.txt"), "sp_left 48\r\n");

    // Cancel throws the trial away and reads the style's own data again.
    window->cmdCancel_Click();
    EXPECT_FALSE(QFileInfo::exists(host.folder + "/testdata.txt"));
    EXPECT_EQ(host.rereads, 1);

    // A trial is never carried into another style.
    env.writeFile("pics/Default/testdata.txt", "sp_left 52\r\n");
    open();
    control<QComboBox>("comboBoards")->setCurrentText("original small");
    window->cmdOK_Click();
    EXPECT_FALSE(QFileInfo::exists(host.folder + "/testdata.txt"));
    EXPECT_EQ(prefs.prfBoardStyle, "original small");
    EXPECT_EQ(host.styles, 1);
}

TEST_F(PreferencesWindowTest, StyleListSkipsTheBackgroundsAndKeepsAStyleItCannotFind) {
    env.writeFile("pics/Backgrounds/x.jpg", "");
    prefs.prfBoardStyle = "gone";
    open();
    auto *styles = control<QComboBox>("comboBoards");
    QStringList items;
    for (int i = 0; i < styles->count(); ++i)
        items << styles->itemText(i);
    EXPECT_EQ(items, (QStringList{"gone", "Backgrounds", "Default", "original small"}));
    window->cmdOK_Click();
    EXPECT_EQ(host.styles, 0);  // saving what was shown changes no style
}

TEST_F(PreferencesWindowTest, EachLuckListHoldsItsOwnFolderAndPlaysFromIt) {
    env.writeFile("talking wavs/u_lucky/b_nice.wav", "RIFF");
    env.writeFile("talking wavs/u_lucky/a_good.wav", "RIFF");
    env.writeFile("talking wavs/g_lucky/mine.wav", "RIFF");
    env.writeFile("talking wavs/g_vunlucky/.keep", "");
    prefs.prfCombol = "b_nice.wav";
    open();
    auto items = [&](const char *name) {
        QStringList names;
        for (int i = 0; i < control<QComboBox>(name)->count(); ++i)
            names << control<QComboBox>(name)->itemText(i);
        return names;
    };
    EXPECT_EQ(items("combol"), (QStringList{"a_good.wav", "b_nice.wav"}));
    EXPECT_EQ(items("combogl"), QStringList{"mine.wav"});
    EXPECT_EQ(items("combogvl"), QStringList());  // missing folder: nothing, and nothing borrowed
    EXPECT_EQ(items("combogvun"), QStringList());
    EXPECT_TRUE(env.messages().isEmpty());
    EXPECT_EQ(control<QComboBox>("combol")->currentText(), "b_nice.wav");

    QStringList played;
    window->playPreview = [&](const QString &path) { played << path; };
    auto *list = control<QComboBox>("combol");
    list->setCurrentIndex(0);
    emit list->activated(0);
    EXPECT_EQ(played, QStringList{env.programFolder() + "/talking wavs/u_lucky/a_good.wav"});
    window->cmdOK_Click();
    EXPECT_EQ(prefs.prfCombol, "a_good.wav");
    EXPECT_EQ(prefs.prfCombogvl, "");
}

TEST_F(PreferencesWindowTest, ListFilesOpenEvenWhenEmptyAndMissingOnesAreSaid) {
    env.writeFile("gaglist.txt", "");
    open();
    window->cmdGag_Click();
    window->cmdKibitz_Click();  // missing: made empty, then opened
    EXPECT_EQ(env.opened(), (QStringList{QUrl::fromLocalFile(env.programFolder() + "/gaglist.txt").toString(),
                                         QUrl::fromLocalFile(env.programFolder() + "/kibitz.txt").toString()}));
    EXPECT_TRUE(QFileInfo::exists(env.programFolder() + "/kibitz.txt"));
    window->Command1_Click();
    EXPECT_EQ(env.messages(),
              QStringList{"Create a server.txt similar to kibitz.txt and shout.txt to use this feature"});
    EXPECT_EQ(env.opened().size(), 2);

    env.clearMessages();
    env.setOpenSucceeds(false);
    window->cmdGag_Click();
    ASSERT_EQ(env.messages().size(), 1);
    EXPECT_TRUE(env.messages().first().contains(env.programFolder() + "/gaglist.txt"));

    window->cmdOK_Click();
    EXPECT_EQ(host.gagReloads, 1);
}

TEST_F(PreferencesWindowTest, ChosenFontsAndColoursAreWhatSaveStores) {
    prefs.prfFontOutputServer = "DejaVu Sans";
    prefs.prfFontOutputServersize = 9;
    prefs.prfChance = true;
    open();
    control<QRadioButton>("opServer")->setChecked(true);
    EXPECT_FALSE(control<QFrame>("lblServer2")->isHidden());
    EXPECT_TRUE(control<QFrame>("lblKibitz2")->isHidden());
    QFont mono("DejaVu Sans Mono");
    mono.setPointSizeF(14);
    env.queueFont(mono);
    env.queueColor(QColor(255, 0, 0));  // text colour asked right after the font
    window->cmdChangeFont2_Click();
    env.queueColor(QColor(0, 0, 255));
    window->cmdChangeBk2_Click();
    window->cmdChangeBk_Click();  // cancelled: the All list keeps its background
    control<QCheckBox>("prfChance")->setChecked(false);
    window->cmdOK_Click();
    EXPECT_EQ(prefs.prfFontOutputServer, "DejaVu Sans Mono");
    EXPECT_EQ(prefs.prfFontOutputServersize, 14.0);
    EXPECT_EQ(prefs.prfColorOutputServer, 0x0000FF);
    EXPECT_EQ(prefs.prfBackOutputServer, 0xFF0000);
    EXPECT_EQ(prefs.prfBackListAll, 0);
    EXPECT_FALSE(host.chancesShown);
}

// The pick-only lists take no typing, closed or open (a luck list plays nothing for it), but
// the arrow keys pick; Save keeps each list's choice in its own setting. Edits survive the
// window being minimised and brought back.
TEST_F(PreferencesWindowTest, PickOnlyListsIgnoreTypingAndEditsSurviveAReturnToTheWindow) {
    env.writeFile("talking wavs/u_lucky/a_good.wav", "RIFF");
    env.writeFile("talking wavs/u_lucky/b_nice.wav", "RIFF");
    prefs.prfCombol = "a_good.wav";
    prefs.prfGnuPlyEval = 0;
    prefs.prfGnuPlyHint = 0;
    open();
    QStringList played;
    window->playPreview = [&](const QString &path) { played << path; };
    for (const auto &[name, typed] : std::vector<std::pair<const char *, const char *>>{
             {"Combo1", "2"}, {"Combo2", "3"}, {"combol", "b"}, {"comboBoards", "o"}}) {
        auto *list = control<QComboBox>(name);
        const QString before = list->currentText();
        QTest::keyClicks(list, typed);
        EXPECT_EQ(list->currentText(), before) << name;
        // Open, the highlighted row stays where it was.
        list->showPopup();
        ASSERT_TRUE(QTest::qWaitFor([list] { return list->view()->isVisible(); }, 5000)) << name;
        QTest::keyClicks(list->view(), typed);
        EXPECT_EQ(list->view()->currentIndex().row(), list->currentIndex()) << name << " open";
        QTest::keyClick(list->view(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([list] { return !list->view()->isVisible(); }, 5000)) << name;
        EXPECT_EQ(list->currentText(), before) << name;
    }
    EXPECT_TRUE(played.isEmpty());

    QTest::keyClick(control<QComboBox>("Combo1"), Qt::Key_Down);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(control<QComboBox>("Combo2"), Qt::Key_Down);
    type("prfDelay", "3");
    window->showMinimized();
    window->showNormal();
    EXPECT_EQ(control<QLineEdit>("prfDelay")->text(), "3");
    EXPECT_EQ(control<QComboBox>("Combo2")->currentText(), "3");
    window->cmdOK_Click();
    EXPECT_EQ((std::tuple{prefs.prfGnuPlyEval, prefs.prfGnuPlyHint, prefs.prfDelay}), (std::tuple{1, 3, 3.0}));
}

}  // namespace
