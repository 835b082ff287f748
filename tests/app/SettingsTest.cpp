#include "app/Preferences.h"
#include "app/SettingsStore.h"
#include "app/SettingsText.h"
#include "support/TestEnvironment.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <initializer_list>
#include <tuple>
#include <utility>

namespace {

constexpr int kScreen = 1024;

Preferences load(const SettingsStore &store) {
    Preferences p;
    LoadPreferences(p, store, kScreen);
    return p;
}

class SettingsTest : public ::testing::Test {
protected:
    TestEnvironment env;
    SettingsStore store;

    Preferences loadWith(const QString &key, const QString &value) {
        store.write(key, value);
        return load(store);
    }
};

TEST_F(SettingsTest, FreshStoreGivesEveryDefault) {
    const Preferences p = load(store);
    EXPECT_TRUE(p.prfTalkingWavs);
    EXPECT_TRUE(p.prfAnimateCheckersB);
    EXPECT_TRUE(p.prfAnimateCheckersW);
    EXPECT_FALSE(p.isAnimInit);
    EXPECT_FALSE(p.prfGagged);
    EXPECT_EQ(p.prfAnimDelay, 0);
    EXPECT_FALSE(p.prfConnectAuto);
    EXPECT_DOUBLE_EQ(p.prfDelay, 1.0);
    EXPECT_TRUE(p.prfDisconnect);
    EXPECT_TRUE(p.prfFriendView);
    EXPECT_EQ(p.prfGnuPlyHint, 0);
    EXPECT_EQ(p.prfGnuPlyEval, 0);
    EXPECT_EQ(p.prfHost, kDefaultHost);
    EXPECT_EQ(p.prfPort, 4321);
    EXPECT_EQ(p.prfChatFont, 8);
    EXPECT_FALSE(p.prfDisableSounds);
    for (bool on : {p.prfSDouble, p.prfSDropped, p.prfSFriends, p.prfSHit, p.prfSKibitz, p.prfSMove, p.prfSWelcome,
                    p.prfToggleReady, p.prfSWon, p.prfSLost, p.prfSDance, p.prfSaveAll})
        EXPECT_TRUE(on);
    EXPECT_FALSE(p.prfSShout);
    EXPECT_FALSE(p.prfSRoll);
    EXPECT_EQ(p.prfLastMatchLength, 1);
    EXPECT_FALSE(p.prfInitSettings);
    EXPECT_FALSE(p.prfNack);
    EXPECT_FALSE(p.prfDisableCube);
    EXPECT_FALSE(p.prfChance);
    EXPECT_TRUE(p.prfFirstTimer);
    EXPECT_FALSE(p.prfLoadSaved);
    EXPECT_TRUE(p.prfAskRepbot);
    EXPECT_EQ(p.prfScrollVal, 1000);
    EXPECT_FALSE(p.prfFullScreen);
    EXPECT_EQ(p.prfFontListAll, "Courier New");
    EXPECT_EQ(p.prfFontListFriends, "Courier New");
    EXPECT_DOUBLE_EQ(p.prfFontListAllsize, 9);
    EXPECT_EQ(p.prfColorListAll, 65280);
    EXPECT_EQ(p.prfColorListReady, 65280);
    EXPECT_EQ(p.prfColorListFriends, 16776960);
    EXPECT_EQ(p.prfBackListAll, 0);
    EXPECT_EQ(p.prfFontOutputServer, "Arial");
    EXPECT_DOUBLE_EQ(p.prfFontOutputKibitzsize, 9);
    EXPECT_EQ(p.prfColorOutputKibitz, 16777215);
    EXPECT_EQ(p.prfColorOutputShouts, 16777215);
    EXPECT_EQ(p.prfColorOutputServer, 192);
    EXPECT_EQ(p.prfBackOutputServer, 0);
    EXPECT_EQ(p.htmlCounter, -2);
    EXPECT_EQ(p.prfFullScreenX, 0);
    EXPECT_TRUE(p.prfBackground.isEmpty());
    EXPECT_TRUE(p.jellypath.isEmpty());
    // The chat window takes 0.3 of the screen's width, both ways.
    EXPECT_EQ(p.cWidth, 307);
    EXPECT_EQ(p.cHeight, 307);
    EXPECT_EQ(p.chatXloc, 0);
    EXPECT_EQ(p.prfRegSizex, 0);
}

// A copy of the store in a machine-wide folder, or an organisation-wide file, is not this
// user's: nothing in it is read.
TEST_F(SettingsTest, OnlyTheUsersOwnStoreIsRead) {
    QTemporaryDir machine;
    for (const QString &file : {machine.filePath("Korvex/Korvex.ini"), machine.filePath("Korvex.ini"),
                                env.settingsFolder() + "/Korvex.ini"}) {
        QSettings other(file, QSettings::IniFormat);
        other.setValue("Preferences/Port", "1234");
        other.setValue("Preferences/prfScrollVal", "5");
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, machine.path());
    SettingsStore reopened;
    EXPECT_FALSE(reopened.contains("Port"));
    EXPECT_EQ(load(reopened).prfPort, 4321);
    EXPECT_EQ(load(reopened).prfScrollVal, 1000);
}

TEST_F(SettingsTest, EachParseKindReadsTheTextsThatMatter) {
    // Only the exact "False" switches a default-on flag off; only the exact "True" turns the
    // strict ones on.
    EXPECT_TRUE(loadWith("prfTalkingWavs", "false").prfTalkingWavs);
    EXPECT_TRUE(loadWith("prfTalkingWavs", "").prfTalkingWavs);
    EXPECT_FALSE(loadWith("prfTalkingWavs", "False").prfTalkingWavs);
    EXPECT_FALSE(loadWith("prfFirstTimer", "true").prfFirstTimer);
    EXPECT_TRUE(loadWith("prfFirstTimer", "True").prfFirstTimer);
    EXPECT_FALSE(loadWith("prfConnectAuto", "yes").prfConnectAuto);
    EXPECT_TRUE(loadWith("prfConnectAuto", "True").prfConnectAuto);
    EXPECT_TRUE(loadWith("prfFullScreen", "true").prfFullScreen);
    EXPECT_TRUE(loadWith("prfFullScreen", "-1").prfFullScreen);
    EXPECT_FALSE(loadWith("prfFullScreen", "0").prfFullScreen);
    EXPECT_FALSE(loadWith("prfFullScreen", "abc").prfFullScreen);

    // Numbers round halves to the even neighbour.
    EXPECT_EQ(loadWith("prfScrollVal", "12.5").prfScrollVal, 12);
    EXPECT_EQ(loadWith("prfScrollVal", "13.5").prfScrollVal, 14);
    EXPECT_EQ(loadWith("speed", "abc").prfAnimDelay, 0);
    EXPECT_EQ(loadWith("speed", "12.5").prfAnimDelay, 12);
    EXPECT_DOUBLE_EQ(loadWith("delay", "2.5").prfDelay, 2.5);
    EXPECT_DOUBLE_EQ(loadWith("delay", "").prfDelay, 1.0);
    EXPECT_DOUBLE_EQ(loadWith("delay", "abc").prfDelay, 1.0);
    EXPECT_EQ(loadWith("prfLastMatchLength", "abc").prfLastMatchLength, 1);
    EXPECT_EQ(loadWith("prfGnuPlyEval", "2").prfGnuPlyEval, 2);
    // A hand-edited number that does not convert must not stop the program.
    EXPECT_EQ(loadWith("prfColorListAll", "abc").prfColorListAll, 65280);

    EXPECT_EQ(loadWith("Host", "").prfHost, kDefaultHost);
    EXPECT_EQ(loadWith("Host", "localhost").prfHost, "localhost");
    EXPECT_EQ(loadWith("chatwidth", "500").cWidth, 500);
    EXPECT_EQ(loadWith("width", "2400").prfRegSizex, 2400);
}

TEST_F(SettingsTest, PortOutsideTheValidRangeKeepsTheDefault) {
    EXPECT_EQ(loadWith("Port", "4322").prfPort, 4322);
    EXPECT_EQ(loadWith("Port", "65535").prfPort, 65535);
    EXPECT_EQ(loadWith("Port", "70000").prfPort, 4321);
    EXPECT_EQ(loadWith("Port", "0").prfPort, 4321);
    EXPECT_EQ(loadWith("Port", "-5").prfPort, 4321);
    EXPECT_EQ(loadWith("Port", "abc").prfPort, 4321);
}

// A hand-edited number that the setting cannot hold is read as if the key were absent.
TEST_F(SettingsTest, ANumberOutsideItsRangeFallsBackToItsDefault) {
    // The values these keys give, in the order of the edits below.
    const auto ranged = [](const Preferences &q) {
        return std::tuple{q.prfRegSizex,   q.prfRegSizey,         q.prfDelay,           q.cWidth,
                          q.cHeight,       q.prfScrollVal,        q.prfLastMatchLength, q.prfFontListAllsize,
                          q.prfFontOutputServersize, q.prfGnuPlyHint, q.prfGnuPlyEval,  q.prfChatFont,
                          q.prfAnimDelay,  q.prfColorListAll,     q.prfBackOutputKibitz, q.htmlCounter,
                          q.prfFullScreenX};
    };
    const auto defaults = ranged(load(store));
    const std::pair<const char *, const char *> edits[] = {
        {"width", "2147483647"},     {"height", "99999999"},         {"delay", "-5"},
        {"chatwidth", "-32768"},     {"chatheight", "40000"},        {"prfScrollVal", "-3"},
        {"prfLastMatchLength", "-7"}, {"prfFontListAllsize", "1e308"}, {"prfFontOutputServersize", "0"},
        {"prfGnuPlyHint", "99"},     {"prfGnuPlyEval", "-1"},        {"prfChatFont", "40000"},
        {"speed", "-20"},            {"prfColorListAll", "-1"},      {"prfBackOutputKibitz", "16777216"},
        {"prfhtmlCounter", "-30000"}, {"prfFullScreenX", "99999"}};
    for (const auto &[key, value] : edits)
        store.write(key, value);
    EXPECT_EQ(ranged(load(store)), defaults);

    // The edges themselves are kept, the lowest as much as the highest, for every setting
    // that has a range. (No highest is given where the range is all a number can hold.)
    using Read = double (*)(const Preferences &);
    const struct {
        const char *key;
        const char *lowest, *highest;
        Read read;
    } edges[] = {
        {"width", "1", "32767", [](const Preferences &q) { return double(q.prfRegSizex); }},
        {"height", "1", "32767", [](const Preferences &q) { return double(q.prfRegSizey); }},
        {"chatwidth", "1", "32767", [](const Preferences &q) { return double(q.cWidth); }},
        {"chatheight", "1", "32767", [](const Preferences &q) { return double(q.cHeight); }},
        {"chatXloc", "-32768", "32767", [](const Preferences &q) { return double(q.chatXloc); }},
        {"chatYloc", "-32768", "32767", [](const Preferences &q) { return double(q.chatYloc); }},
        {"speed", "0", nullptr, [](const Preferences &q) { return double(q.prfAnimDelay); }},
        {"delay", "0", "5", [](const Preferences &q) { return q.prfDelay; }},
        {"prfGnuPlyHint", "0", "7", [](const Preferences &q) { return double(q.prfGnuPlyHint); }},
        {"prfGnuPlyEval", "0", "7", [](const Preferences &q) { return double(q.prfGnuPlyEval); }},
        {"Port", "1", "65535", [](const Preferences &q) { return double(q.prfPort); }},
        {"prfChatFont", "1", "512", [](const Preferences &q) { return double(q.prfChatFont); }},
        {"prfLastMatchLength", "1", "32767", [](const Preferences &q) { return double(q.prfLastMatchLength); }},
        {"prfScrollVal", "0", "1000", [](const Preferences &q) { return double(q.prfScrollVal); }},
        {"prfColorListAll", "0", "16777215", [](const Preferences &q) { return double(q.prfColorListAll); }},
        {"prfColorListReady", "0", "16777215", [](const Preferences &q) { return double(q.prfColorListReady); }},
        {"prfColorListFriends", "0", "16777215", [](const Preferences &q) { return double(q.prfColorListFriends); }},
        {"prfBackListAll", "0", "16777215", [](const Preferences &q) { return double(q.prfBackListAll); }},
        {"prfBackListReady", "0", "16777215", [](const Preferences &q) { return double(q.prfBackListReady); }},
        {"prfBackListFriends", "0", "16777215", [](const Preferences &q) { return double(q.prfBackListFriends); }},
        {"prfColorOutputKibitz", "0", "16777215", [](const Preferences &q) { return double(q.prfColorOutputKibitz); }},
        {"prfColorOutputShouts", "0", "16777215", [](const Preferences &q) { return double(q.prfColorOutputShouts); }},
        {"prfColorOutputServer", "0", "16777215", [](const Preferences &q) { return double(q.prfColorOutputServer); }},
        {"prfBackOutputKibitz", "0", "16777215", [](const Preferences &q) { return double(q.prfBackOutputKibitz); }},
        {"prfBackOutputShouts", "0", "16777215", [](const Preferences &q) { return double(q.prfBackOutputShouts); }},
        {"prfBackOutputServer", "0", "16777215", [](const Preferences &q) { return double(q.prfBackOutputServer); }},
        {"prfFontListAllsize", "1", "512", [](const Preferences &q) { return q.prfFontListAllsize; }},
        {"prfFontListReadysize", "1", "512", [](const Preferences &q) { return q.prfFontListReadysize; }},
        {"prfFontListFriendssize", "1", "512", [](const Preferences &q) { return q.prfFontListFriendssize; }},
        {"prfFontOutputKibitzsize", "1", "512", [](const Preferences &q) { return q.prfFontOutputKibitzsize; }},
        {"prfFontOutputShoutssize", "1", "512", [](const Preferences &q) { return q.prfFontOutputShoutssize; }},
        {"prfFontOutputServersize", "1", "512", [](const Preferences &q) { return q.prfFontOutputServersize; }},
        {"prfhtmlCounter", "-2", "10", [](const Preferences &q) { return double(q.htmlCounter); }},
        {"prfFullScreenX", "-32768", "32767", [](const Preferences &q) { return double(q.prfFullScreenX); }},
        {"prfFullScreenY", "-32768", "32767", [](const Preferences &q) { return double(q.prfFullScreenY); }},
    };
    for (const auto &edge : edges) {
        for (const char *value : {edge.lowest, edge.highest}) {
            if (!value)
                continue;
            EXPECT_DOUBLE_EQ(edge.read(loadWith(edge.key, value)), QString(value).toDouble())
                << edge.key << " = " << value;
        }
    }
}

TEST_F(SettingsTest, NonNumericChatFontFallsBackToTheDefault) {
    EXPECT_EQ(loadWith("prfChatFont", "abc").prfChatFont, 8);
    EXPECT_EQ(loadWith("prfChatFont", "10").prfChatFont, 10);
}

// A hand-edited text that is no number reads as its key's default, as a number out of range
// does. The animation delay is held to what the speed slider sets: slower than the slowest
// is the slowest.
TEST_F(SettingsTest, ATextThatIsNoNumberFallsBackToItsDefault) {
    const auto numbers = [](const Preferences &q) {
        return std::tuple{q.prfLastMatchLength, q.prfFontListAllsize, q.prfFontOutputKibitzsize, q.prfDelay,
                          q.prfScrollVal,       q.prfGnuPlyEval,      q.prfColorListFriends,     q.prfBackListAll,
                          q.htmlCounter,        q.prfFullScreenX,     q.chatXloc,                q.cWidth,
                          q.prfAnimDelay};
    };
    const auto defaults = numbers(load(store));
    for (const auto &[key, value] : std::initializer_list<std::pair<const char *, const char *>>{
             {"prfLastMatchLength", "abc"}, {"prfFontListAllsize", "2e308"}, {"prfFontOutputKibitzsize", "nan"},
             {"delay", "five"},             {"prfScrollVal", "1,000"},       {"prfGnuPlyEval", " "},
             {"prfColorListFriends", "cyan"}, {"prfBackListAll", "-inf"},    {"prfhtmlCounter", "x"},
             {"prfFullScreenX", "0x10"},    {"chatXloc", "left"},            {"chatwidth", "wide"},
             {"speed", "fast"}})
        store.write(key, value);
    EXPECT_EQ(numbers(load(store)), defaults);

    EXPECT_EQ(loadWith("speed", "999999999").prfAnimDelay, 6000);
    EXPECT_EQ(loadWith("speed", "6000").prfAnimDelay, 6000);
    EXPECT_EQ(loadWith("speed", "5999.5").prfAnimDelay, 6000);
    EXPECT_EQ(loadWith("speed", "-1").prfAnimDelay, 0);
}

TEST_F(SettingsTest, WritingConditionsFollowTheValues) {
    Preferences p = load(store);
    p.prfAnimDelay = -3;
    p.prfScrollVal = 0;
    p.prfBoardStyle.clear();
    p.prfFullScreen = false;
    WindowPlacement window{true, true, 10, 20, 1300, 900};
    SavePreferences(p, store, window);
    EXPECT_EQ(store.read("speed", "?"), "0");
    EXPECT_FALSE(store.contains("prfScrollVal"));
    EXPECT_FALSE(store.contains("prfBoardStyle"));
    EXPECT_FALSE(store.contains("prfBackground"));
    EXPECT_FALSE(store.contains("jellypath"));
    EXPECT_FALSE(store.contains("prfFullScreenX"));
    EXPECT_EQ(store.read("width", "?"), "1300");
    EXPECT_EQ(store.read("height", "?"), "900");
    EXPECT_EQ(store.read("Port", "?"), "4321");
    EXPECT_EQ(store.read("prfPort", "?"), "4321");
    EXPECT_EQ(store.read("delay", "?"), "1");
    EXPECT_EQ(store.read("prfFontListAllsize", "?"), "9");
    EXPECT_EQ(store.read("prfTalkingWavs", "?"), "True");
    EXPECT_EQ(store.read("prfSShout", "?"), "False");
}

TEST_F(SettingsTest, FullScreenOrMaximisedWindowWritesNeitherPlaceNorSize) {
    Preferences p = load(store);
    p.prfFullScreen = true;
    SavePreferences(p, store, WindowPlacement{false, true, 40, 50, 800, 100});
    EXPECT_FALSE(store.contains("prfFullScreenX"));
    EXPECT_FALSE(store.contains("width"));

    SavePreferences(p, store, WindowPlacement{true, true, 40, 50, 800, 100});
    EXPECT_EQ(store.read("prfFullScreenX", "?"), "40");
    EXPECT_EQ(store.read("prfFullScreenY", "?"), "50");
    EXPECT_EQ(p.prfFullScreenX, 40);
    EXPECT_FALSE(store.contains("width"));  // the strip is not the normal size
}

TEST_F(SettingsTest, SaveThenLoadRoundTrips) {
    Preferences p = load(store);
    p.prfTalkingWavs = false;
    p.prfSShout = true;
    p.prfAnimDelay = 37;
    p.prfDelay = 2.5;
    p.prfHost = "127.0.0.1";
    p.prfPort = 4000;
    p.prfChatFont = 10;
    p.prfFontListAllsize = 10.5;
    p.prfColorOutputServer = 0x00FF8040;
    p.prfBoardStyle = "original small";
    p.prfBackground = "felt.jpg";
    p.jellypath = "/home/u/positions";
    p.htmlCounter = 3;
    p.prfFirstTimer = false;
    p.prfAskRepbot = false;
    p.prfLoadSaved = true;
    p.prfScrollVal = 500;
    p.cWidth = 420;
    p.chatXloc = 33;
    p.isAnimInit = true;
    p.prfCombol = "nice_roll.wav";
    SavePreferences(p, store, WindowPlacement{true, true, 0, 0, 1500, 950});
    ASSERT_TRUE(store.sync());

    SettingsStore reopened;
    Preferences q;
    LoadPreferences(q, reopened, kScreen);
    EXPECT_FALSE(q.prfTalkingWavs);
    EXPECT_TRUE(q.prfSShout);
    EXPECT_EQ(q.prfAnimDelay, 37);
    EXPECT_DOUBLE_EQ(q.prfDelay, 2.5);
    EXPECT_EQ(q.prfHost, "127.0.0.1");
    EXPECT_EQ(q.prfPort, 4000);
    EXPECT_EQ(q.prfChatFont, 10);
    EXPECT_DOUBLE_EQ(q.prfFontListAllsize, 10.5);
    EXPECT_EQ(q.prfColorOutputServer, 0x00FF8040);
    EXPECT_EQ(q.prfBackground, "felt.jpg");
    EXPECT_EQ(q.jellypath, "/home/u/positions");
    EXPECT_EQ(q.htmlCounter, 3);
    EXPECT_FALSE(q.prfFirstTimer);
    EXPECT_FALSE(q.prfAskRepbot);
    EXPECT_TRUE(q.prfLoadSaved);
    EXPECT_EQ(q.prfScrollVal, 500);
    EXPECT_EQ(q.cWidth, 420);
    EXPECT_EQ(q.chatXloc, 33);
    EXPECT_TRUE(q.isAnimInit);
    EXPECT_EQ(q.prfCombol, "nice_roll.wav");
    EXPECT_EQ(q.prfRegSizex, 1500);
    EXPECT_EQ(q.prfRegSizey, 950);
    EXPECT_EQ(reopened.read("prfBoardStyle", ""), "original small");

    // The store lives where the application and section say.
    QSettings raw(store.fileName(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Preferences/Port").toString(), "4000");
}

TEST(SettingsTextTest, ColoursAreStoredBlueGreenRed) {
    using namespace SettingsText;
    EXPECT_EQ(colorFromStored(65280), QColor(0, 255, 0));
    EXPECT_EQ(colorFromStored(16776960), QColor(0, 255, 255));
    EXPECT_EQ(colorFromStored(192), QColor(192, 0, 0));
    EXPECT_EQ(colorToStored(QColor(0x40, 0x80, 0xFF)), 0x00FF8040);
    EXPECT_EQ(colorToStored(colorFromStored(0x00123456)), 0x00123456);
}

}  // namespace
