#pragma once
// A stand-in for the main window that records what the server-line readers do with it.
#include "connection/ServerLineHost.h"
#include "lobby/GagList.h"
#include "lobby/PlayerStats.h"
#include "support/QtPrinters.h"

#include <QStringList>

class FakeServerLineHost : public ServerLineHost {
public:
    Preferences p;
    StateFlags f;
    MatchState m;
    SharedLists l;
    GagList gagList;
    PlayerStats playerStats;

    bool connected = true;
    QStringList sent;
    QStringList calls;     // everything else, as "Name(args)"
    QStringList messages;  // message boxes
    QString status;
    QString userText = QStringLiteral("alice");
    QString passwordText = QStringLiteral("secret");
    QString confirmedName = QStringLiteral("alice");
    QString player1 = QStringLiteral("You");
    QString player2 = QStringLiteral("bob");
    QStringList openChats;  // captions of the open chat windows
    QString resignType;
    bool progressVisible = false;

    FakeServerLineHost() {
        f.isConnected = true;
        f.endList = true;
    }

    Preferences &prefs() override { return p; }
    StateFlags &flags() override { return f; }
    MatchState &match() override { return m; }
    SharedLists &lists() override { return l; }
    bool IsGagged(const QString &name) const override { return gagList.IsGagged(name); }
    void MakeStats(const QString &name, int points, bool won) override { playerStats.MakeStats(name, points, won); }

    bool socketConnected() const override { return connected; }
    bool send(const QString &command) override {
        if (!connected)
            return false;
        sent << command;
        return true;
    }
    void pause(int ms) override { calls << QStringLiteral("pause(%1)").arg(ms); }
    void sleep(int ms) override { calls << QStringLiteral("sleep(%1)").arg(ms); }
    void letEventsRun() override {}

    void hideLoginWindow() override { calls << "hideLoginWindow"; }
    QString loginUserText() const override { return userText; }
    QString loginPasswordText() const override { return passwordText; }
    QString theusername() const override { return confirmedName; }
    void setLoginCaption(const QString &c) override { calls << "loginCaption(" + c + ")"; }
    void loginRefused() override { calls << "loginRefused"; }

    void setStatus(const QString &text) override { status = text; }
    void blinkStatus() override { calls << "blink"; }
    void showDataArrival(int lamp) override { calls << QStringLiteral("lamp(%1)").arg(lamp); }
    void setReadyPicture(bool ready) override { calls << QStringLiteral("ready(%1)").arg(ready); }
    void setCubeTogglePicture(bool ask) override { calls << QStringLiteral("cubePicture(%1)").arg(ask); }
    void enableAcceptReject() override { calls << "enableAcceptReject"; }
    void askedToRollOrDouble() override { calls << "askedToRollOrDouble"; }
    void doubleRefused() override { calls << "doubleRefused"; }
    void showFinalScore(int score1, int score2) override {
        calls << QStringLiteral("showFinalScore(%1-%2)").arg(score1).arg(score2);
    }
    void clearKibitzInput() override { calls << "clearKibitzInput"; }
    QString player1Caption() const override { return player1; }
    QString player2Caption() const override { return player2; }
    void message(const QString &text) override { messages << text; }

    void ShowKibitz(const QString &t) override { calls << "ShowKibitz(" + t + ")"; }
    void ShowShout(const QString &t) override { calls << "ShowShout(" + t + ")"; }
    void ShowTerminal(const QString &t) override { calls << "ShowTerminal(" + t + ")"; }
    bool showInChatWindow(const QString &caption, const QString &text) override {
        if (!openChats.contains(caption))
            return false;
        calls << "ShowChat[" + caption + "](" + text + ")";
        return true;
    }
    void openChatWindow(const QString &partner, const QString &text) override {
        openChats << "Chat (" + partner + ")";
        calls << "openChat[" + partner + "](" + text + ")";
    }
    bool progressWindowVisible() const override { return progressVisible; }
    void UpdatePlayerList(const QString &name, const QString &kind, const QString &) override {
        calls << "UpdatePlayerList(" + name + "," + kind + ")";
    }
    void ShowAway(bool away) override { calls << QStringLiteral("ShowAway(%1)").arg(away); }
    void playChatSound(const QString &file) override { calls << "chatSound(" + file + ")"; }
    void playSound(const QString &name) override { calls << "sound(" + name + ")"; }

    void ProcessBoardOutput(const QString &line) override { calls << "ProcessBoardOutput(" + line + ")"; }
    void FilterOutput(const QString &line) override { calls << "FilterOutput(" + line + ")"; }
    void resetMoveInput() override { calls << "resetMoveInput"; }
    void UndoMove() override { calls << "UndoMove"; }
    void cmdRefresh_Click() override { calls << "cmdRefresh_Click"; }
    QString GetResignType(int) override { return resignType; }
    void WinnerBlack() override { calls << "WinnerBlack"; }
    void WinnerWhite() override { calls << "WinnerWhite"; }
    void ClearDice(const QString &side) override { calls << "ClearDice(" + side + ")"; }
    void ShowCube(int place, int value) override { calls << QStringLiteral("ShowCube(%1,%2)").arg(place).arg(value); }
    void SaveDropped() override { calls << "SaveDropped"; }
    void SaveAuto() override { calls << "SaveAuto"; }
    void ownMatchStarts(const QString &) override {}
    void watchingEnded() override { calls << "watchingEnded"; }

    void SendStartupToggles() override { calls << "SendStartupToggles"; }
    void opFriends_Click() override { calls << "opFriends_Click"; }
    void setListCounters(int a, int r, int fr) override { calls << QStringLiteral("counters(%1,%2,%3)").arg(a).arg(r).arg(fr); }
    void showList1() override { calls << "showList1"; }

    void resumeOnlyWarning(const QString &, const QStringList &) override { calls << "resumeOnlyWarning"; }
    void playerInformation(const QString &, const QStringList &) override { calls << "playerInformation"; }
    void playerRating(const QString &, const QStringList &) override { calls << "playerRating"; }
    void invitationToPlay(const QString &, const QStringList &) override { calls << "invitationToPlay"; }
    void invitationToResume(const QString &, const QStringList &) override { calls << "invitationToResume"; }
    void userStartsWatching(const QString &, const QStringList &) override { calls << "userStartsWatching"; }
    void watcherOfUser(const QString &, const QStringList &) override { calls << "watcherOfUser"; }

    bool called(const QString &call) const { return calls.contains(call); }
};
