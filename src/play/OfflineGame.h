#pragma once
// A match against GNU Backgammon without the server. Every position is written as the board
// line the server would have sent and every message as its plain line, and both go through
// the dispatcher, so board, labels, panes and match log behave as online. The engine's part
// of a turn runs as its board line is read: it rolls, moves, offers and answers the cube and
// resigns; in self-play it plays the user's side too.
#include "play/PlayContext.h"

#include <QString>

#include <functional>
#include <random>

class OfflineHost;
struct JfPosition;

class OfflineGame {
public:
    OfflineGame(const PlayContext &context, OfflineHost &host);

    // A new match of `theMatchLength` points when one was asked for, and its first game.
    void newGnubgGame();
    // A match of `position.matchLength` points whose game goes on from `position`: the
    // user's dice are rolled at once. The position has been checked as a JF .pos file is.
    void playPosition(const JfPosition &position);
    // A game: the opening roll, then the starting board; in self-play the whole game and
    // those after it, until the match ends or self-play is stopped.
    void ShowStartBoard();
    // The roller's dice, thrown here, when none are showing.
    void rollDiceLocally();
    // Scores the game once a side has borne off every checker: by the cube and by the kind
    // of win, `resignLevel` ("resign n ", "resign g ", "resign b ") or, when empty, what the
    // loser's position says. Each game is scored once.
    void OfflineGameOver(const QString &resignLevel);
    // The hint: before the roll the cube verdict, after it the engine's move shown and taken
    // back. In self-play the engine doubles or rolls, or plays and submits the move.
    void mnutoggledouble_Click();

    // The engine's part of the turns, as the board and move lines arrive.
    void userRolled();
    void engineRolled();
    void engineMoved();

    // The user's actions against the engine.
    bool userMayDouble() const;       // cube centred or the user's, doubling on, not Crawford, game on
    bool mayDouble();                 // the same on his turn before the roll, telling him when the cube is off
    bool engineAnswersDouble();       // false when GnuBG passed: the game is over
    void engineWinningChances();
    void engineTurnAfterUserMove();
    void userAcceptsEngineDouble();
    bool userRejectsEngineDouble();   // false when giving up lost the match

    // One die, 1 to 6. The generator behind it is seeded once; tests script the dice here.
    std::function<int()> rollDie;

private:
    QString ask(int side, int die1, int die2, const QString &mode, int plies);
    QString askWithCube(int side, int cube, int die1, int die2, const QString &mode, int plies);
    bool engineFailed() const;  // the last question went unanswered, even after a restart
    int delayMs() const;  // prfDelay in milliseconds
    bool cubeFinished() const;
    void feed(const QString &text);
    void log(const QString &line);
    void report(const QString &line);  // logged and shown in the server pane
    void engineDoubles(int answerWait);
    void endMatch(bool userWon);
    void scoreGame(bool userWon, int points);
    void cubeAdvice();
    void moveAdvice();
    void runSelfPlay();
    void answerDoubleForUser();
    void showPlayedMove(const QString &moves);

    PlayContext c_;
    OfflineHost &host_;
    std::mt19937 generator_;
    bool gameScored_ = false;
    bool selfPlayRunning_ = false;
    int fed_ = 0;  // texts handed to the dispatcher: self-play's sign of progress
    // GnuBG's double that self-play answers for the user once its line has been read.
    QString pendingAnswer_;
    int pendingWait_ = 0;
};
