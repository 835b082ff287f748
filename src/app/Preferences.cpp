#include "app/Preferences.h"

#include "app/PreferencesRules.h"
#include "app/SettingsStore.h"
#include "app/SettingsText.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

using namespace SettingsText;

namespace {

constexpr int kInt16Min = -32768;
constexpr int kInt16Max = 32767;
constexpr qint64 kWhite = 0xFFFFFF;
// The largest size the font chooser offers.
constexpr double kLargestFont = 512;
// The longest pause the preferences window lets the user set between roll and move, seconds.
constexpr double kLongestDelay = 5;
// GnuBG looks no further ahead than this.
constexpr int kDeepestPlies = 7;

// Reads one key with its default and hands the text to a parse rule.
struct Reader {
    const SettingsStore &store;
    QString text(const char *key, const char *defaultText) const {
        return store.read(QLatin1String(key), QLatin1String(defaultText));
    }
    void notFalse(bool &v, const char *key, const char *def) const { v = SettingsText::notFalse(text(key, def)); }
    void isTrue(bool &v, const char *key, const char *def) const { v = SettingsText::isTrue(text(key, def)); }
    // Plain number reads. A text that is no number, or a number outside what the setting can
    // hold (only possible when the store was edited by hand), gives its default, as if the
    // key were absent.
    template <typename T>
    void number(T &v, const char *key, const char *def, double min, double max) const {
        const T fallback = T(*toDouble(QLatin1String(def)));
        const auto n = toDouble(text(key, def));
        if (!n) {
            v = fallback;
            return;
        }
        const double value = std::is_integral_v<T> ? std::nearbyint(*n) : *n;
        v = value >= min && value <= max ? T(value) : fallback;
    }
    void int16(int &v, const char *key, const char *def, int min = kInt16Min, int max = kInt16Max) const {
        number(v, key, def, min, max);
    }
    void colour(qint64 &v, const char *key, const char *def) const { number(v, key, def, 0, kWhite); }
    void fontSize(double &v, const char *key, const char *def) const { number(v, key, def, 1, kLargestFont); }
};

// "0", and any text that is no size a window can have, stand for the share of the screen.
void readChatSize(int &value, const QString &s, int screenWidthPixels) {
    value = toInt(s, 1, kInt16Max).value_or(roundEven(0.3 * screenWidthPixels));
}

}  // namespace

void LoadPreferences(Preferences &p, const SettingsStore &store, int screenWidthPixels) {
    const Reader r{store};

    readChatSize(p.cWidth, r.text("chatwidth", "0"), screenWidthPixels);
    readChatSize(p.cHeight, r.text("chatheight", "0"), screenWidthPixels);  // from the width, as always
    for (auto [var, key] : {std::pair{&p.chatXloc, "chatXloc"}, std::pair{&p.chatYloc, "chatYloc"}}) {
        const QString s = r.text(key, "0");
        *var = 0;
        if (s != QLatin1String("0"))
            r.int16(*var, key, "0");
    }
    for (auto [var, key] : {std::pair{&p.prfRegSizex, "width"}, std::pair{&p.prfRegSizey, "height"}}) {
        const QString s = r.text(key, "0");
        if (s != QLatin1String("0"))
            r.int16(*var, key, "0", 1, kInt16Max);
    }
    if (const QString s = r.text("jellypath", ""); !s.isEmpty())
        p.jellypath = s;
    if (const QString s = r.text("prfBackground", ""); !s.isEmpty())
        p.prfBackground = s;

    r.notFalse(p.prfTalkingWavs, "prfTalkingWavs", "True");
    r.notFalse(p.prfAnimateCheckersB, "prfAnimateCheckersB", "True");
    r.notFalse(p.isAnimInit, "isAnimInit", "False");
    r.notFalse(p.prfGagged, "prfGagged", "False");
    r.notFalse(p.prfAnimateCheckersW, "prfAnimateCheckersW", "True");
    // The frame wait goes no slower than the speed slider's slowest, so a longer one (typed
    // into the preferences) is read as the slowest; one below 0, or no number, as the default.
    if (const auto speed = toDouble(r.text("speed", "0")); speed && *speed >= 0)
        p.prfAnimDelay = roundEven(std::min(*speed, double(PreferencesRules::animDelayForSlider(0))));
    else
        p.prfAnimDelay = 0;
    if (const auto b = exactBool(r.text("prfConnectAuto", "False")))
        p.prfConnectAuto = *b;
    r.number(p.prfDelay, "delay", "1", 0, kLongestDelay);
    r.notFalse(p.prfDisconnect, "prfDisconnect", "True");
    r.notFalse(p.prfFriendView, "prfFriendView", "True");
    r.int16(p.prfGnuPlyHint, "prfGnuPlyHint", "0", 0, kDeepestPlies);
    r.int16(p.prfGnuPlyEval, "prfGnuPlyEval", "0", 0, kDeepestPlies);
    if (const QString s = r.text("Host", ""); !s.isEmpty())
        p.prfHost = s;
    else
        p.prfHost = kDefaultHost;
    // A port outside 1-65535 is refused and the default kept.
    p.prfPort = toInt(r.text("Port", "4321"), 1, 65535).value_or(kDefaultPort);
    // A chat font size that is not a number falls back to the default rather than 0.
    p.prfChatFont = toInt(r.text("prfChatFont", "8"), 1, int(kLargestFont)).value_or(8);
    r.notFalse(p.prfDisableSounds, "prfDisableSounds", "False");
    r.notFalse(p.prfSDouble, "prfSDouble", "True");
    r.notFalse(p.prfSDropped, "prfSDropped", "True");
    r.notFalse(p.prfSFriends, "prfSFriends", "True");
    r.notFalse(p.prfSHit, "prfSHit", "True");
    r.notFalse(p.prfSKibitz, "prfSKibitz", "True");
    r.notFalse(p.prfSMove, "prfSMove", "True");
    r.notFalse(p.prfSShout, "prfSShout", "False");
    r.notFalse(p.prfSWelcome, "prfSWelcome", "True");
    r.notFalse(p.prfToggleReady, "prfToggleReady", "True");
    r.notFalse(p.prfSWon, "prfSWon", "True");
    r.notFalse(p.prfSLost, "prfSLost", "True");
    r.notFalse(p.prfSRoll, "prfSRoll", "False");
    r.notFalse(p.prfSDance, "prfSDance", "True");
    r.notFalse(p.prfSaveAll, "prfSaveAll", "True");
    r.int16(p.prfLastMatchLength, "prfLastMatchLength", "1", 1, kInt16Max);
    r.notFalse(p.prfInitSettings, "prfInitSettings", "False");
    r.notFalse(p.prfNack, "prfNack", "False");
    r.notFalse(p.prfDisableCube, "prfDisableCube", "False");
    r.notFalse(p.prfChance, "prfChance", "False");
    r.isTrue(p.prfFirstTimer, "prfFirstTimer", "True");
    r.isTrue(p.prfLoadSaved, "prfLoadSaved", "False");
    r.isTrue(p.prfAskRepbot, "prfAskRepbot", "True");
    r.int16(p.prfScrollVal, "prfScrollVal", "1000", 0, 1000);
    if (const auto b = toBool(r.text("prfFullScreen", "False")))
        p.prfFullScreen = *b;

    p.prfFontListAll = r.text("prfFontListAll", "Courier New");
    p.prfFontListReady = r.text("prfFontListReady", "Courier New");
    p.prfFontListFriends = r.text("prfFontListFriends", "Courier New");
    r.colour(p.prfColorListAll, "prfColorListAll", "65280");
    r.colour(p.prfColorListReady, "prfColorListReady", "65280");
    r.colour(p.prfColorListFriends, "prfColorListFriends", "16776960");
    r.colour(p.prfBackListAll, "prfBackListAll", "0");
    r.colour(p.prfBackListReady, "prfBackListReady", "0");
    r.colour(p.prfBackListFriends, "prfBackListFriends", "0");
    r.fontSize(p.prfFontListAllsize, "prfFontListAllsize", "9");
    r.fontSize(p.prfFontListReadysize, "prfFontListReadysize", "9");
    r.fontSize(p.prfFontListFriendssize, "prfFontListFriendssize", "9");
    p.prfFontOutputKibitz = r.text("prfFontOutputKibitz", "Arial");
    p.prfFontOutputShouts = r.text("prfFontOutputShouts", "Arial");
    p.prfFontOutputServer = r.text("prfFontOutputServer", "Arial");
    r.colour(p.prfColorOutputKibitz, "prfColorOutputKibitz", "16777215");
    r.colour(p.prfColorOutputShouts, "prfColorOutputShouts", "16777215");
    r.colour(p.prfColorOutputServer, "prfColorOutputServer", "192");
    r.colour(p.prfBackOutputKibitz, "prfBackOutputKibitz", "0");
    r.colour(p.prfBackOutputShouts, "prfBackOutputShouts", "0");
    r.colour(p.prfBackOutputServer, "prfBackOutputServer", "0");
    r.fontSize(p.prfFontOutputKibitzsize, "prfFontOutputKibitzsize", "9");
    r.fontSize(p.prfFontOutputShoutssize, "prfFontOutputShoutssize", "9");
    r.fontSize(p.prfFontOutputServersize, "prfFontOutputServersize", "9");
    // The luck-talk picks are written at every exit; read back, they survive a restart.
    for (const auto &[var, key] : {std::pair{&p.prfCombogvl, "prfCombogvl"}, std::pair{&p.prfCombogl, "prfCombogl"},
                                   std::pair{&p.prfCombogun, "prfCombogun"}, std::pair{&p.prfCombogvun, "prfCombogvun"},
                                   std::pair{&p.prfCombovl, "prfCombovl"}, std::pair{&p.prfCombol, "prfCombol"},
                                   std::pair{&p.prfComboun, "prfComboun"}, std::pair{&p.prfCombovun, "prfCombovun"}})
        *var = r.text(key, "");
    r.int16(p.htmlCounter, "prfhtmlCounter", "-2", -2, 10);
    r.int16(p.prfFullScreenX, "prfFullScreenX", "0");
    r.int16(p.prfFullScreenY, "prfFullScreenY", "0");
}

void SavePreferences(Preferences &p, SettingsStore &store, const WindowPlacement &window) {
    auto put = [&](const char *key, const QString &value) { store.write(QLatin1String(key), value); };
    auto putBool = [&](const char *key, bool value) { put(key, fromBool(value)); };
    auto putNum = [&](const char *key, double value) { put(key, fromNumber(value)); };

    putBool("prfFullScreen", p.prfFullScreen);
    if (p.prfFullScreen && window.normal) {
        p.prfFullScreenX = window.left;
        p.prfFullScreenY = window.top;
        putNum("prfFullScreenX", p.prfFullScreenX);
        putNum("prfFullScreenY", p.prfFullScreenY);
    }
    putNum("prfhtmlCounter", p.htmlCounter);
    putNum("prfFontListAllsize", p.prfFontListAllsize);
    putNum("prfFontListReadysize", p.prfFontListReadysize);
    putNum("prfFontListFriendssize", p.prfFontListFriendssize);
    put("prfFontListAll", p.prfFontListAll);
    put("prfFontListReady", p.prfFontListReady);
    put("prfFontListFriends", p.prfFontListFriends);
    putNum("prfColorListAll", p.prfColorListAll);
    putNum("prfColorListReady", p.prfColorListReady);
    putNum("prfColorListFriends", p.prfColorListFriends);
    putNum("prfBackListAll", p.prfBackListAll);
    putNum("prfBackListReady", p.prfBackListReady);
    putNum("prfBackListFriends", p.prfBackListFriends);
    put("prfFontOutputKibitz", p.prfFontOutputKibitz);
    put("prfFontOutputShouts", p.prfFontOutputShouts);
    put("prfFontOutputServer", p.prfFontOutputServer);
    putNum("prfFontOutputKibitzsize", p.prfFontOutputKibitzsize);
    putNum("prfFontOutputShoutssize", p.prfFontOutputShoutssize);
    putNum("prfFontOutputServersize", p.prfFontOutputServersize);
    putNum("prfColorOutputKibitz", p.prfColorOutputKibitz);
    putNum("prfColorOutputShouts", p.prfColorOutputShouts);
    putNum("prfColorOutputServer", p.prfColorOutputServer);
    putNum("prfBackOutputKibitz", p.prfBackOutputKibitz);
    putNum("prfBackOutputShouts", p.prfBackOutputShouts);
    putNum("prfBackOutputServer", p.prfBackOutputServer);
    put("prfCombogvl", p.prfCombogvl);
    put("prfCombogl", p.prfCombogl);
    put("prfCombogun", p.prfCombogun);
    put("prfCombogvun", p.prfCombogvun);
    put("prfCombovl", p.prfCombovl);
    put("prfCombol", p.prfCombol);
    put("prfComboun", p.prfComboun);
    put("prfCombovun", p.prfCombovun);
    putBool("prfGagged", p.prfGagged);
    putBool("prfTalkingWavs", p.prfTalkingWavs);
    putBool("prfAnimateCheckersB", p.prfAnimateCheckersB);
    putBool("prfAnimateCheckersW", p.prfAnimateCheckersW);
    putNum("speed", p.prfAnimDelay >= 1 ? p.prfAnimDelay : 0);
    putBool("prfConnectAuto", p.prfConnectAuto);
    putNum("prfDelay", p.prfDelay);
    putBool("prfDisconnect", p.prfDisconnect);
    putBool("isAnimInit", p.isAnimInit);
    putBool("prfFriendView", p.prfFriendView);
    putNum("prfGnuPlyHint", p.prfGnuPlyHint);
    putNum("prfGnuPlyEval", p.prfGnuPlyEval);
    put("prfHost", p.prfHost);
    putNum("prfPort", p.prfPort);
    putNum("prfChatFont", p.prfChatFont);
    putBool("prfSDouble", p.prfSDouble);
    putBool("prfSDropped", p.prfSDropped);
    putBool("prfDisableSounds", p.prfDisableSounds);
    putBool("prfSFriends", p.prfSFriends);
    putBool("prfSHit", p.prfSHit);
    putBool("prfSKibitz", p.prfSKibitz);
    putBool("prfSMove", p.prfSMove);
    putBool("prfSShout", p.prfSShout);
    putBool("prfSWelcome", p.prfSWelcome);
    putBool("prfToggleReady", p.prfToggleReady);
    putBool("prfSWon", p.prfSWon);
    putBool("prfSLost", p.prfSLost);
    putBool("prfSDance", p.prfSDance);
    putBool("prfSRoll", p.prfSRoll);
    putBool("prfSaveAll", p.prfSaveAll);
    putNum("prfLastMatchLength", p.prfLastMatchLength);
    putBool("prfDisableCube", p.prfDisableCube);
    putBool("prfInitSettings", p.prfInitSettings);
    putBool("prfNack", p.prfNack);
    putBool("prfChance", p.prfChance);
    putBool("prfFirstTimer", p.prfFirstTimer);
    if (!p.prfBoardStyle.isEmpty())
        put("prfBoardStyle", p.prfBoardStyle);
    putBool("prfLoadSaved", p.prfLoadSaved);
    putBool("prfAskRepbot", p.prfAskRepbot);
    if (!p.prfBackground.isEmpty())
        put("prfBackground", p.prfBackground);
    if (!p.jellypath.isEmpty())
        put("jellypath", p.jellypath);
    putNum("delay", p.prfDelay);
    if (p.prfScrollVal > 0)
        putNum("prfScrollVal", p.prfScrollVal);
    if (!p.prfHost.isEmpty())
        put("Host", p.prfHost);
    if (p.prfPort > 0)
        putNum("Port", p.prfPort);
    putNum("chatwidth", p.cWidth);
    putNum("chatheight", p.cHeight);
    putNum("chatXloc", p.chatXloc);
    putNum("chatYloc", p.chatYloc);
    if (window.normal && window.visible && !p.prfFullScreen) {
        putNum("width", window.width);
        putNum("height", window.height);
    }
}
