#pragma once
// The main window as the server-line readers see it.
#include "connection/ServerLineHost.h"

class Mainform;

class MainformLineHost : public ServerLineHost {
public:
    explicit MainformLineHost(Mainform &window) : w_(window) {}

    Preferences &prefs() override;
    StateFlags &flags() override;
    MatchState &match() override;
    SharedLists &lists() override;
    bool IsGagged(const QString &name) const override;
    void MakeStats(const QString &name, int points, bool won) override;

    bool socketConnected() const override;
    bool send(const QString &command) override;
    void pause(int milliseconds) override;
    void sleep(int milliseconds) override;
    void letEventsRun() override;

    void hideLoginWindow() override;
    QString loginUserText() const override;
    QString loginPasswordText() const override;
    QString theusername() const override;
    void setLoginCaption(const QString &caption) override;
    void loginRefused() override;

    void setStatus(const QString &text) override;
    void blinkStatus() override;
    void showDataArrival(int lampState) override;
    void setReadyPicture(bool ready) override;
    void setCubeTogglePicture(bool askToDouble) override;
    void enableAcceptReject() override;
    void askedToRollOrDouble() override;
    void doubleRefused() override;
    void showFinalScore(int score1, int score2) override;
    void clearKibitzInput() override;
    QString player1Caption() const override;
    QString player2Caption() const override;
    void message(const QString &text) override;

    void ShowKibitz(const QString &text) override;
    void ShowShout(const QString &text) override;
    void ShowTerminal(const QString &text) override;
    bool showInChatWindow(const QString &caption, const QString &text) override;
    void openChatWindow(const QString &partner, const QString &text) override;
    bool progressWindowVisible() const override;
    void UpdatePlayerList(const QString &name, const QString &kind, const QString &line) override;
    void ShowAway(bool away) override;
    void playChatSound(const QString &fileName) override;
    void playSound(const QString &name) override;

    void ProcessBoardOutput(const QString &line) override;
    void FilterOutput(const QString &line) override;
    void resetMoveInput() override;
    void UndoMove() override;
    void cmdRefresh_Click() override;
    QString GetResignType(int side) override;
    void WinnerBlack() override;
    void WinnerWhite() override;
    void ClearDice(const QString &side) override;
    void ShowCube(int place, int value) override;
    void SaveDropped() override;
    void SaveAuto() override;
    void ownMatchStarts(const QString &line) override;
    void watchingEnded() override;

    void SendStartupToggles() override;
    void opFriends_Click() override;
    void setListCounters(int all, int ready, int friends) override;
    void showList1() override;

    void resumeOnlyWarning(const QString &line, const QStringList &words) override;
    void playerInformation(const QString &line, const QStringList &words) override;
    void playerRating(const QString &line, const QStringList &words) override;
    void invitationToPlay(const QString &line, const QStringList &words) override;
    void invitationToResume(const QString &line, const QStringList &words) override;
    void userStartsWatching(const QString &line, const QStringList &words) override;
    void watcherOfUser(const QString &line, const QStringList &words) override;

private:
    Mainform &w_;
};
