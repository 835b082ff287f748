#include "app/Preferences.h"

#include "app/SettingsStore.h"
#include "app/SettingsText.h"

using namespace SettingsText;

namespace {

// Reads one key with its default and hands the text to a parse rule.
struct Reader {
    const SettingsStore &store;
    QString text(const char *key, const char *defaultText) const {
        return store.read(QLatin1String(key), QLatin1String(defaultText));
    }
    void notFalse(bool &v, const char *key, const char *def) const { v = SettingsText::notFalse(text(key, def)); }
    void isTrue(bool &v, const char *key, const char *def) const { v = SettingsText::isTrue(text(key, def)); }
    // Plain number reads: a text that does not convert (only possible when the store was
    // edited by hand) keeps the value the variable had.
    void int16(int &v, const char *key, const char *def) const {
        if (const auto n = toInt16(text(key, def)))
            v = *n;
    }
    void int32(qint64 &v, const char *key, const char *def) const {
        if (const auto n = toInt32(text(key, def)))
            v = *n;
    }
    void single(double &v, const char *key, const char *def) const {
        if (const auto n = toDouble(text(key, def)))
            v = *n;
    }
};

void readChatSize(int &value, const QString &s, int screenWidthPixels) {
    if (s == QLatin1String("0")) {
        value = roundEven(0.3 * screenWidthPixels);
        return;
    }
    if (const auto n = toInt16(s))
        value = *n;
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
            if (const auto n = toInt32(s))
                *var = *n;
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
    p.prfAnimDelay = toInt32(r.text("speed", "0")).value_or(0);
    if (const auto b = exactBool(r.text("prfConnectAuto", "False")))
        p.prfConnectAuto = *b;
    if (const auto d = toDouble(r.text("delay", "1")))
        p.prfDelay = *d;
    r.notFalse(p.prfDisconnect, "prfDisconnect", "True");
    r.notFalse(p.prfFriendView, "prfFriendView", "True");
    r.int16(p.prfGnuPlyHint, "prfGnuPlyHint", "0");
    r.int16(p.prfGnuPlyEval, "prfGnuPlyEval", "0");
    if (const QString s = r.text("Host", ""); !s.isEmpty())
        p.prfHost = s;
    else
        p.prfHost = kDefaultHost;
    // A port outside 1-65535 is refused and the default kept.
    p.prfPort = toInt(r.text("Port", "4321"), 1, 65535).value_or(kDefaultPort);
    // A chat font size that is not a number falls back to the default rather than 0.
    p.prfChatFont = toInt16(r.text("prfChatFont", "8")).value_or(8);
    if (p.prfChatFont <= 0)
        p.prfChatFont = 8;
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
    r.int16(p.prfLastMatchLength, "prfLastMatchLength", "1");
    r.notFalse(p.prfInitSettings, "prfInitSettings", "False");
    r.notFalse(p.prfNack, "prfNack", "False");
    r.notFalse(p.prfDisableCube, "prfDisableCube", "False");
    r.notFalse(p.prfChance, "prfChance", "False");
    r.isTrue(p.prfFirstTimer, "prfFirstTimer", "True");
    r.isTrue(p.prfLoadSaved, "prfLoadSaved", "False");
    r.isTrue(p.prfAskRepbot, "prfAskRepbot", "True");
    r.int16(p.prfScrollVal, "prfScrollVal", "1000");
    if (const auto b = toBool(r.text("prfFullScreen", "False")))
        p.prfFullScreen = *b;

    p.prfFontListAll = r.text("prfFontListAll", "Courier New");
    p.prfFontListReady = r.text("prfFontListReady", "Courier New");
    p.prfFontListFriends = r.text("prfFontListFriends", "Courier New");
    r.int32(p.prfColorListAll, "prfColorListAll", "65280");
    r.int32(p.prfColorListReady, "prfColorListReady", "65280");
    r.int32(p.prfColorListFriends, "prfColorListFriends", "16776960");
    r.int32(p.prfBackListAll, "prfBackListAll", "0");
    r.int32(p.prfBackListReady, "prfBackListReady", "0");
    r.int32(p.prfBackListFriends, "prfBackListFriends", "0");
    r.single(p.prfFontListAllsize, "prfFontListAllsize", "9");
    r.single(p.prfFontListReadysize, "prfFontListReadysize", "9");
    r.single(p.prfFontListFriendssize, "prfFontListFriendssize", "9");
    p.prfFontOutputKibitz = r.text("prfFontOutputKibitz", "Arial");
    p.prfFontOutputShouts = r.text("prfFontOutputShouts", "Arial");
    p.prfFontOutputServer = r.text("prfFontOutputServer", "Arial");
    r.int32(p.prfColorOutputKibitz, "prfColorOutputKibitz", "16777215");
    r.int32(p.prfColorOutputShouts, "prfColorOutputShouts", "16777215");
    r.int32(p.prfColorOutputServer, "prfColorOutputServer", "192");
    r.int32(p.prfBackOutputKibitz, "prfBackOutputKibitz", "0");
    r.int32(p.prfBackOutputShouts, "prfBackOutputShouts", "0");
    r.int32(p.prfBackOutputServer, "prfBackOutputServer", "0");
    r.single(p.prfFontOutputKibitzsize, "prfFontOutputKibitzsize", "9");
    r.single(p.prfFontOutputShoutssize, "prfFontOutputShoutssize", "9");
    r.single(p.prfFontOutputServersize, "prfFontOutputServersize", "9");
    // The luck-talk picks are written at every exit; read back, they survive a restart.
    for (const auto &[var, key] : {std::pair{&p.prfCombogvl, "prfCombogvl"}, std::pair{&p.prfCombogl, "prfCombogl"},
                                   std::pair{&p.prfCombogun, "prfCombogun"}, std::pair{&p.prfCombogvun, "prfCombogvun"},
                                   std::pair{&p.prfCombovl, "prfCombovl"}, std::pair{&p.prfCombol, "prfCombol"},
                                   std::pair{&p.prfComboun, "prfComboun"}, std::pair{&p.prfCombovun, "prfCombovun"}})
        *var = r.text(key, "");
    r.int16(p.htmlCounter, "prfhtmlCounter", "-2");
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
