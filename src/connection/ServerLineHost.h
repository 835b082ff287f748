#pragma once
// What the readers of server lines need of the rest of the program: its state, the
// connection, and the windows and board they drive. The main window provides it; tests
// provide a recording stand-in.
#include "app/AppState.h"
#include "app/Preferences.h"

#include <QString>
#include <QStringList>

class ServerLineHost {
public:
    virtual ~ServerLineHost() = default;

    virtual Preferences &prefs() = 0;
    virtual StateFlags &flags() = 0;
    virtual MatchState &match() = 0;
    virtual SharedLists &lists() = 0;
    // The lobby's lists as the readers need them: gagged senders and the match statistics.
    virtual bool IsGagged(const QString &name) const = 0;
    virtual void MakeStats(const QString &name, int points, bool won) = 0;

    // --- the connection
    virtual bool socketConnected() const = 0;
    // Sends one command; false when it could not go out (not connected).
    virtual bool send(const QString &command) = 0;
    virtual void pause(int milliseconds) = 0;        // waits with events running
    virtual void sleep(int milliseconds) = 0;        // waits without taking input
    virtual void letEventsRun() = 0;

    // --- the login window
    virtual void hideLoginWindow() = 0;
    virtual QString loginUserText() const = 0;       // what the user box reads now
    virtual QString loginPasswordText() const = 0;
    virtual QString theusername() const = 0;         // the name confirmed with Connect
    virtual void setLoginCaption(const QString &caption) = 0;
    // The server has answered the login line with a new prompt: the name or password is wrong.
    virtual void loginRefused() = 0;

    // --- the main window
    virtual void setStatus(const QString &text) = 0;
    virtual void blinkStatus() = 0;                  // switches the status blinker on
    virtual void showDataArrival(int lampState) = 0;
    virtual void setReadyPicture(bool ready) = 0;
    virtual void setCubeTogglePicture(bool askToDouble) = 0;
    virtual void enableAcceptReject() = 0;
    // The server asks the user to roll or double: his turn, before the dice.
    virtual void askedToRollOrDouble() = 0;
    // A double was passed: the offered cube goes back to its value and Accept/Reject away.
    virtual void doubleRefused() = 0;
    // The match is over; no board line will show its last score, and no turn is left to play.
    virtual void showFinalScore(int score1, int score2) = 0;
    virtual void clearKibitzInput() = 0;
    virtual QString player1Caption() const = 0;
    virtual QString player2Caption() const = 0;
    virtual void message(const QString &text) = 0;

    // --- panes, chat windows and lists
    virtual void ShowKibitz(const QString &text) = 0;
    virtual void ShowShout(const QString &text) = 0;
    virtual void ShowTerminal(const QString &text) = 0;
    // Gives the text to the first open chat window with this caption; false when none.
    virtual bool showInChatWindow(const QString &caption, const QString &text) = 0;
    virtual void openChatWindow(const QString &partner, const QString &text) = 0;
    virtual bool progressWindowVisible() const = 0;
    virtual void UpdatePlayerList(const QString &name, const QString &kind, const QString &line) = 0;
    virtual void ShowAway(bool away) = 0;
    // Plays a sound a chat line names, from the wavs folder, without waiting.
    virtual void playChatSound(const QString &fileName) = 0;
    virtual void playSound(const QString &name) = 0; // an effect from wavs/, sound settings checked by the caller

    // --- the board and the records
    virtual void ProcessBoardOutput(const QString &line) = 0;
    virtual void FilterOutput(const QString &line) = 0;
    virtual void resetMoveInput() = 0;
    virtual void UndoMove() = 0;
    virtual void cmdRefresh_Click() = 0;
    virtual QString GetResignType(int side) = 0;
    virtual void WinnerBlack() = 0;
    virtual void WinnerWhite() = 0;
    virtual void ClearDice(const QString &side) = 0;
    virtual void ShowCube(int place, int value) = 0;
    virtual void SaveDropped() = 0;
    virtual void SaveAuto() = 0;
    // The user's own match starts with `line`, before anything of it is recorded.
    virtual void ownMatchStarts(const QString &line) = 0;
    // The user no longer watches the match he was watching: its lines go to a file of their own.
    virtual void watchingEnded() = 0;

    // --- the player lists
    virtual void SendStartupToggles() = 0;
    virtual void opFriends_Click() = 0;
    virtual void setListCounters(int all, int ready, int friends) = 0;
    virtual void showList1() = 0;

    // --- the lobby's messages (invitations, ratings, watching); each gets the line and its words
    // "WARNING: ...": accepting the pending invitation would end a saved match.
    virtual void resumeOnlyWarning(const QString &line, const QStringList &words) = 0;
    // "Information about bob:", the first line of a whois answer.
    virtual void playerInformation(const QString &line, const QStringList &words) = 0;
    // "Rating: 1500.23 Experience: 400", the whois answer's rating line.
    virtual void playerRating(const QString &line, const QStringList &words) = 0;
    // "bob wants to play a 5 point match with you."
    virtual void invitationToPlay(const QString &line, const QStringList &words) = 0;
    // "bob wants to resume a saved match with you."
    virtual void invitationToResume(const QString &line, const QStringList &words) = 0;
    // "You're now watching bob.": the user starts watching a match.
    virtual void userStartsWatching(const QString &line, const QStringList &words) = 0;
    // "carl starts watching you.", "... is watching you.", "... stops watching you."
    virtual void watcherOfUser(const QString &line, const QStringList &words) = 0;
};
