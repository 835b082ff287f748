#pragma once
// The main window's run-time state that every subsystem reads and writes: the match,
// the state flags and the shared lists. Owned by Mainform, passed by reference.
#include "app/AutoInvite.h"
#include "app/SavedGame.h"
#include "app/ServerSwitches.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <limits>
#include <vector>

struct MatchState {
    int theMatchLength = 0;
    int theOldMatchLength = 0;
    int theMatchscore1 = 0;   // the user's
    int theMatchscore2 = 0;   // the opponent's
    int theCubeVal = 0;
    int cubeBeforeOffer = 0;  // the cube's value before the double now waiting for an answer
    int die1 = 0, die2 = 0;
    int MovesToMake = 0;      // checkers the server says the user must move
    int legalMoveCtr = 0;
    int numWatchers1 = 0;
    int isCrawford = 0, isJacoby = 0, isBeaver = 0;
    bool ismyTurn = false;
    bool blackOwnsCube = false;
    bool cubeChanged = false;
    bool isCubeDead = false;
    bool isCubeClicked = false;
    bool isDoubled = false;
    bool AskToDouble = false;
    bool gameInit = false;
    bool gameOver = false;
    bool isMatchOver = false;
    bool isMatch = false;
    bool isGame = false;
    bool isNewMatch = false;
    QString theCubeAction;
    QString bestMovePlayer, bestMoveOpp;

    // The cube after one more double. The server's cube is taken as it comes; one already
    // too high to double again stays where it is rather than overflow.
    int doubledCube() const {
        return theCubeVal <= std::numeric_limits<int>::max() / 2 ? theCubeVal * 2 : theCubeVal;
    }
    QString initFileName;
    QDateTime timeCtr;
};

struct StateFlags {
    bool isConnected = false;
    bool loginSent = false;  // the login line has gone out on this connection
    bool isPlaying = false;
    bool isWatching = false;
    bool isReady = false;
    bool isAway = false;
    bool isLogging = false;
    bool isExitClicked = false;
    bool isDebugging = false;
    bool isBot = false;
    bool selfPlay = false;
    bool endList = false;
    bool initOutput = false;
    bool saveAutoFlag = false;
    bool saveJFMat = false;
    bool isToggleDoubleClicked = false;
    bool replayStep = false;
    ServerSwitches serverSwitches;  // forgotten at every offline state
    QString whoSays;
    QString tokenPlayer;
};

// The lists that live for the whole run.
struct SharedLists {
    QStringList matchLog;   // lines of the running own match, as received
    QStringList watchLog;   // lines of the watched match
    std::vector<AutoInvite> autoInviteList;
    std::vector<SavedGame> savedGames;
    QStringList friendsList;
};
