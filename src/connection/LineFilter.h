#pragma once
// The second reader of every server line: the plain-text messages. It sends the automatic
// replies (the login, board-style and toggle fixes, joins), keeps the status line, buttons
// and play state in step with the server, and echoes every line into the server pane.
#include <QString>
#include <QStringList>

class ServerLineHost;

class LineFilter {
public:
    explicit LineFilter(ServerLineHost &host);

    void FilterOutput(const QString &line);

    // The login line the client answers the server's "login:" prompt with.
    static QString loginCommand(const QString &version, const QString &user, const QString &password);
    // The line, cut into words, by which the user starts watching: "You're now watching bob.",
    // on some servers "You are now watching bob.".
    static bool startsWatching(const QStringList &words);

    bool firstPass = true;  // the welcome text has not been shown yet in this run

private:
    void applyRules(const QString &line, const QStringList &w);
    void sendUnguarded(const QString &command);
    void sendGuarded(const QString &command);
    void playUnder(bool setting, const QString &sound);
    void savedGame(const QString &line);
    void login();
    void doubleOffered(const QString &line, const QStringList &w);
    void noMovePossible(const QString &line, const QStringList &w);
    void resignationOffered(const QStringList &w);
    void checkResignation(const QStringList &w);
    void gameEnd(const QString &line, const QStringList &w);
    void matchEnd(const QStringList &w);

    ServerLineHost &host_;
    bool guestSeen_ = false;
};
