#include "app/Preferences.h"
#include "app/SettingsStore.h"
#include "app/SettingsText.h"
#include "support/TestEnvironment.h"

#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <bit>
#include <initializer_list>
#include <iterator>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>

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

// Every key the save writes, with the setting it holds and a value for it away from the
// default, no two alike; the switches take theirs from the round (see below). A key written
// from another setting's value, or read into another setting, shows as a wrong value.
using Setting = std::variant<bool Preferences::*, int Preferences::*, double Preferences::*, qint64 Preferences::*,
                             QString Preferences::*>;
struct SavedKey {
    const char *key;
    Setting setting;
    const char *value = nullptr;  // none for a switch
    bool readByLoad = true;       // false: another part of the program reads it
};
const SavedKey kSavedKeys[] = {
    {"prfFullScreen", &Preferences::prfFullScreen},
    {"prfFullScreenX", &Preferences::prfFullScreenX, "-41"},
    {"prfFullScreenY", &Preferences::prfFullScreenY, "-42"},
    {"prfhtmlCounter", &Preferences::htmlCounter, "3"},
    {"prfFontListAllsize", &Preferences::prfFontListAllsize, "12.5"},
    {"prfFontListReadysize", &Preferences::prfFontListReadysize, "13.5"},
    {"prfFontListFriendssize", &Preferences::prfFontListFriendssize, "14.5"},
    {"prfFontListAll", &Preferences::prfFontListAll, "Font A"},
    {"prfFontListReady", &Preferences::prfFontListReady, "Font B"},
    {"prfFontListFriends", &Preferences::prfFontListFriends, "Font C"},
    {"prfColorListAll", &Preferences::prfColorListAll, "101"},
    {"prfColorListReady", &Preferences::prfColorListReady, "102"},
    {"prfColorListFriends", &Preferences::prfColorListFriends, "103"},
    {"prfBackListAll", &Preferences::prfBackListAll, "104"},
    {"prfBackListReady", &Preferences::prfBackListReady, "105"},
    {"prfBackListFriends", &Preferences::prfBackListFriends, "106"},
    {"prfFontOutputKibitz", &Preferences::prfFontOutputKibitz, "Font D"},
    {"prfFontOutputShouts", &Preferences::prfFontOutputShouts, "Font E"},
    {"prfFontOutputServer", &Preferences::prfFontOutputServer, "Font F"},
    {"prfFontOutputKibitzsize", &Preferences::prfFontOutputKibitzsize, "15.5"},
    {"prfFontOutputShoutssize", &Preferences::prfFontOutputShoutssize, "16.5"},
    {"prfFontOutputServersize", &Preferences::prfFontOutputServersize, "17.5"},
    {"prfColorOutputKibitz", &Preferences::prfColorOutputKibitz, "107"},
    {"prfColorOutputShouts", &Preferences::prfColorOutputShouts, "108"},
    {"prfColorOutputServer", &Preferences::prfColorOutputServer, "109"},
    {"prfBackOutputKibitz", &Preferences::prfBackOutputKibitz, "110"},
    {"prfBackOutputShouts", &Preferences::prfBackOutputShouts, "111"},
    {"prfBackOutputServer", &Preferences::prfBackOutputServer, "112"},
    {"prfCombogvl", &Preferences::prfCombogvl, "gvl.wav"},
    {"prfCombogl", &Preferences::prfCombogl, "gl.wav"},
    {"prfCombogun", &Preferences::prfCombogun, "gun.wav"},
    {"prfCombogvun", &Preferences::prfCombogvun, "gvun.wav"},
    {"prfCombovl", &Preferences::prfCombovl, "vl.wav"},
    {"prfCombol", &Preferences::prfCombol, "l.wav"},
    {"prfComboun", &Preferences::prfComboun, "un.wav"},
    {"prfCombovun", &Preferences::prfCombovun, "vun.wav"},
    {"prfGagged", &Preferences::prfGagged},
    {"prfTalkingWavs", &Preferences::prfTalkingWavs},
    {"prfAnimateCheckersB", &Preferences::prfAnimateCheckersB},
    {"prfAnimateCheckersW", &Preferences::prfAnimateCheckersW},
    {"speed", &Preferences::prfAnimDelay, "38"},
    {"prfConnectAuto", &Preferences::prfConnectAuto},
    {"prfDelay", &Preferences::prfDelay, "2.5"},
    {"prfDisconnect", &Preferences::prfDisconnect},
    {"isAnimInit", &Preferences::isAnimInit},
    {"prfFriendView", &Preferences::prfFriendView},
    {"prfGnuPlyHint", &Preferences::prfGnuPlyHint, "4"},
    {"prfGnuPlyEval", &Preferences::prfGnuPlyEval, "5"},
    {"prfHost", &Preferences::prfHost, "fibs.example.org"},
    {"prfPort", &Preferences::prfPort, "4000"},
    {"prfChatFont", &Preferences::prfChatFont, "11"},
    {"prfSDouble", &Preferences::prfSDouble},
    {"prfSDropped", &Preferences::prfSDropped},
    {"prfDisableSounds", &Preferences::prfDisableSounds},
    {"prfSFriends", &Preferences::prfSFriends},
    {"prfSHit", &Preferences::prfSHit},
    {"prfSKibitz", &Preferences::prfSKibitz},
    {"prfSMove", &Preferences::prfSMove},
    {"prfSShout", &Preferences::prfSShout},
    {"prfSWelcome", &Preferences::prfSWelcome},
    {"prfToggleReady", &Preferences::prfToggleReady},
    {"prfSWon", &Preferences::prfSWon},
    {"prfSLost", &Preferences::prfSLost},
    {"prfSDance", &Preferences::prfSDance},
    {"prfSRoll", &Preferences::prfSRoll},
    {"prfSaveAll", &Preferences::prfSaveAll},
    {"prfLastMatchLength", &Preferences::prfLastMatchLength, "19"},
    {"prfDisableCube", &Preferences::prfDisableCube},
    {"prfInitSettings", &Preferences::prfInitSettings},
    {"prfNack", &Preferences::prfNack},
    {"prfChance", &Preferences::prfChance},
    {"prfFirstTimer", &Preferences::prfFirstTimer},
    {"prfBoardStyle", &Preferences::prfBoardStyle, "Style G", false},  // the board style's own loader
    {"prfLoadSaved", &Preferences::prfLoadSaved},
    {"prfAskRepbot", &Preferences::prfAskRepbot},
    {"prfBackground", &Preferences::prfBackground, "felt.jpg"},
    {"jellypath", &Preferences::jellypath, "/home/u/positions"},
    {"delay", &Preferences::prfDelay, "2.5"},
    {"prfScrollVal", &Preferences::prfScrollVal, "500"},
    {"Host", &Preferences::prfHost, "fibs.example.org"},
    {"Port", &Preferences::prfPort, "4000"},
    {"chatwidth", &Preferences::cWidth, "420"},
    {"chatheight", &Preferences::cHeight, "430"},
    {"chatXloc", &Preferences::chatXloc, "33"},
    {"chatYloc", &Preferences::chatYloc, "34"},
    {"width", &Preferences::prfRegSizex, "1500"},   // the window's size when it was last normal
    {"height", &Preferences::prfRegSizey, "950"},
};

bool isSwitch(const SavedKey &k) {
    return std::holds_alternative<bool Preferences::*>(k.setting);
}

// A setting's value as the store holds it.
QString textOf(const Preferences &p, const Setting &setting) {
    return std::visit(
        [&](auto member) -> QString {
            const auto &value = p.*member;
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, QString>)
                return value;
            else if constexpr (std::is_same_v<T, bool>)
                return SettingsText::fromBool(value);
            else
                return SettingsText::fromNumber(double(value));
        },
        setting);
}

// The setting a key holds, as read back: its value as the store writes it, taken as a number.
double readBack(const Preferences &q, const char *key) {
    const auto k = std::find_if(std::begin(kSavedKeys), std::end(kSavedKeys),
                                [&](const SavedKey &saved) { return QLatin1String(saved.key) == QLatin1String(key); });
    return k == std::end(kSavedKeys) ? qQNaN() : textOf(q, k->setting).toDouble();
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
        {"prfLastMatchLength", "0"}, {"prfFontListAllsize", "1e308"}, {"prfFontOutputServersize", "0"},
        {"prfGnuPlyHint", "99"},     {"prfGnuPlyEval", "-1"},        {"prfChatFont", "40000"},
        {"speed", "-20"},            {"prfColorListAll", "-1"},      {"prfBackOutputKibitz", "16777216"},
        {"prfhtmlCounter", "-30000"}, {"prfFullScreenX", "99999"}};
    for (const auto &[key, value] : edits)
        store.write(key, value);
    EXPECT_EQ(ranged(load(store)), defaults);

    // The edges themselves are kept, the lowest as much as the highest, for every setting
    // that has a range. (No highest is given where the range is all a number can hold.)
    const struct {
        const char *key;
        const char *lowest, *highest;
    } edges[] = {
        {"width", "1", "32767"}, {"height", "1", "32767"}, {"chatwidth", "1", "32767"}, {"chatheight", "1", "32767"},
        {"chatXloc", "-32768", "32767"}, {"chatYloc", "-32768", "32767"}, {"speed", "0", nullptr},
        {"delay", "0", "5"}, {"prfGnuPlyHint", "0", "7"}, {"prfGnuPlyEval", "0", "7"}, {"Port", "1", "65535"},
        {"prfChatFont", "1", "512"}, {"prfLastMatchLength", "1", "32767"}, {"prfScrollVal", "0", "1000"},
        {"prfColorListAll", "0", "16777215"}, {"prfColorListReady", "0", "16777215"},
        {"prfColorListFriends", "0", "16777215"}, {"prfBackListAll", "0", "16777215"},
        {"prfBackListReady", "0", "16777215"}, {"prfBackListFriends", "0", "16777215"},
        {"prfColorOutputKibitz", "0", "16777215"}, {"prfColorOutputShouts", "0", "16777215"},
        {"prfColorOutputServer", "0", "16777215"}, {"prfBackOutputKibitz", "0", "16777215"},
        {"prfBackOutputShouts", "0", "16777215"}, {"prfBackOutputServer", "0", "16777215"},
        {"prfFontListAllsize", "1", "512"}, {"prfFontListReadysize", "1", "512"},
        {"prfFontListFriendssize", "1", "512"}, {"prfFontOutputKibitzsize", "1", "512"},
        {"prfFontOutputShoutssize", "1", "512"}, {"prfFontOutputServersize", "1", "512"},
        {"prfhtmlCounter", "-2", "10"}, {"prfFullScreenX", "-32768", "32767"}, {"prfFullScreenY", "-32768", "32767"},
    };
    for (const auto &edge : edges) {
        for (const char *value : {edge.lowest, edge.highest}) {
            if (!value)
                continue;
            EXPECT_DOUBLE_EQ(readBack(loadWith(edge.key, value), edge.key), QString(value).toDouble())
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

// Round 0 turns every switch away from its default. A switch has only two values, so many
// share one there; the later rounds give switch n bit (round - 1) of n + 1, and any two
// switches differ in some round.
Preferences filled(const Preferences &defaults, int round) {
    Preferences p = defaults;
    int n = 0;
    for (const SavedKey &k : kSavedKeys) {
        std::visit(
            [&](auto member) {
                auto &value = p.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, QString>)
                    value = QString(k.value);
                else if constexpr (std::is_same_v<T, bool>)
                    value = round == 0 ? !(defaults.*member) : (((n++ + 1) >> (round - 1)) & 1) != 0;
                else
                    value = T(QString(k.value).toDouble());
            },
            k.setting);
    }
    return p;
}

TEST_F(SettingsTest, EverySavedKeyComesBackAsItsOwnSetting) {
    const Preferences defaults = load(store);
    const int switches = int(std::count_if(std::begin(kSavedKeys), std::end(kSavedKeys), isSwitch));
    const Preferences awayFromDefaults = filled(defaults, 0);
    for (const SavedKey &k : kSavedKeys) {
        if (!isSwitch(k)) {
            EXPECT_NE(textOf(awayFromDefaults, k.setting), textOf(defaults, k.setting)) << k.key;
        }
    }

    // The keys in the store's file, in the section the program keeps them in.
    auto storedKeys = [this] {
        QSettings raw(store.fileName(), QSettings::IniFormat);
        raw.beginGroup("Preferences");
        return raw.childKeys();
    };
    QSet<QString> everSaved;
    for (int round = 0; round <= int(std::bit_width(unsigned(switches))); ++round) {
        for (const QString &key : storedKeys())
            store.remove(key);
        Preferences p = filled(defaults, round);
        // Full screen, the window's corner is saved; otherwise its size.
        SavePreferences(p, store, WindowPlacement{true, true, p.prfFullScreenX, p.prfFullScreenY, p.prfRegSizex,
                                                  p.prfRegSizey});
        ASSERT_TRUE(store.sync());
        const QStringList saved = storedKeys();
        for (const QString &key : saved)
            EXPECT_TRUE(std::any_of(std::begin(kSavedKeys), std::end(kSavedKeys),
                                    [&](const SavedKey &k) { return key == k.key; }))
                << key.toStdString() << " is saved but missing from this test";

        SettingsStore reopened;
        const Preferences q = load(reopened);
        for (const SavedKey &k : kSavedKeys) {
            if (!saved.contains(k.key))
                continue;
            everSaved.insert(k.key);
            EXPECT_EQ(reopened.read(k.key, "?"), textOf(p, k.setting)) << k.key << ", round " << round;
            if (k.readByLoad) {
                EXPECT_EQ(textOf(q, k.setting), textOf(p, k.setting)) << k.key << ", round " << round;
            }
        }
    }
    for (const SavedKey &k : kSavedKeys)
        EXPECT_TRUE(everSaved.contains(k.key)) << k.key << " is never saved";
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
