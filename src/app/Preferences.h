#pragma once
// Every persisted preference, loaded once at start and written back once at exit.
#include <QString>

class SettingsStore;

struct Preferences {
    bool prfTalkingWavs = false;
    bool prfAnimateCheckersB = false;
    bool prfAnimateCheckersW = false;
    bool isAnimInit = false;
    bool prfGagged = false;
    int prfAnimDelay = 0;       // stored under "speed"
    bool prfConnectAuto = false;
    double prfDelay = 0;        // seconds; stored under "delay"
    bool prfDisconnect = false;
    bool prfFriendView = false;
    int prfGnuPlyHint = 0;
    int prfGnuPlyEval = 0;
    QString prfHost;            // stored under "Host"
    int prfPort = 0;            // stored under "Port"
    int prfChatFont = 0;
    bool prfDisableSounds = false;
    bool prfSDouble = false, prfSDropped = false, prfSFriends = false, prfSHit = false, prfSKibitz = false;
    bool prfSShout = false, prfSMove = false, prfSWelcome = false, prfSWon = false, prfSLost = false;
    bool prfSDance = false, prfSRoll = false;
    bool prfToggleReady = false;
    bool prfSaveAll = false;
    int prfLastMatchLength = 0;
    bool prfInitSettings = false;
    bool prfNack = false;
    bool prfDisableCube = false;
    bool prfChance = false;
    bool prfFirstTimer = false;
    bool prfLoadSaved = false;
    bool prfAskRepbot = false;
    int prfScrollVal = 0;
    bool prfFullScreen = false;
    int prfFullScreenX = 0, prfFullScreenY = 0;  // pixels
    int prfRegSizex = 0, prfRegSizey = 0;        // pixels; stored under "width", "height"

    QString prfFontListAll, prfFontListReady, prfFontListFriends;
    double prfFontListAllsize = 0, prfFontListReadysize = 0, prfFontListFriendssize = 0;
    qint64 prfColorListAll = 0, prfColorListReady = 0, prfColorListFriends = 0;
    qint64 prfBackListAll = 0, prfBackListReady = 0, prfBackListFriends = 0;
    QString prfFontOutputKibitz, prfFontOutputShouts, prfFontOutputServer;
    double prfFontOutputKibitzsize = 0, prfFontOutputShoutssize = 0, prfFontOutputServersize = 0;
    qint64 prfColorOutputKibitz = 0, prfColorOutputShouts = 0, prfColorOutputServer = 0;
    qint64 prfBackOutputKibitz = 0, prfBackOutputShouts = 0, prfBackOutputServer = 0;

    // Luck-talk file chosen per category in the preferences window.
    QString prfCombogvl, prfCombogl, prfCombogun, prfCombogvun, prfCombovl, prfCombol, prfComboun, prfCombovun;

    QString prfBackground;
    QString prfBoardStyle;

    int cWidth = 0, cHeight = 0;      // chat window size, pixels; "chatwidth", "chatheight"
    int chatXloc = 0, chatYloc = 0;

    int htmlCounter = 0;              // the daily welcome page shown last; "prfhtmlCounter"
    QString jellypath;                // the last folder of the .pos dialogs
};

// The main window's state at shutdown, which decides some of the keys written.
struct WindowPlacement {
    bool normal = true;   // neither minimised nor maximised
    bool visible = true;
    int left = 0, top = 0, width = 0, height = 0;  // pixels
};

// The game server asked for when no host is stored.
inline const QString kDefaultHost = QStringLiteral("fibs.com");
inline constexpr int kDefaultPort = 4321;

void LoadPreferences(Preferences &prefs, const SettingsStore &store, int screenWidthPixels);
void SavePreferences(Preferences &prefs, SettingsStore &store, const WindowPlacement &window);
