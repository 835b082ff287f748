#pragma once
// The first reader of everything the server sends: cuts the text into lines and words,
// notices the start of the user's own match, records match lines, routes chat and board
// lines, and hands the rest to the line filter.
#include "app/ServerSwitches.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class ServerLineHost;

class ServerLineDispatcher {
public:
    explicit ServerLineDispatcher(ServerLineHost &host);

    // Where a text comes from: the server or the program's own game, or a saved log played
    // back, which stops being read when the program goes online.
    enum class Source { Live, PlayedBack };

    // Text that arrives while an earlier text is still being handled (during one of its
    // pauses or message boxes) waits and is handled, in order, when that one is done. The
    // user's input that a line's waits held acts once that line is read, before the next.
    // Once the program's exit has begun no log played back is read any more.
    void SplitFibString(const QString &data, Source source = Source::Live);

    // Drops every played-back text: those waiting, and the rest of one being read, whose
    // line under way is the last read of it. True when there was any.
    bool dropPlayedBack();

    // Runs `then` once every text handed over so far has been read: at once when none is
    // being read, otherwise when the pass under way has emptied its queue.
    void whenIdle(std::function<void()> then);
    // A text is being read: one handed over now would wait in the queue.
    bool isBusy() const { return running_; }

    // The rest of `line` from the first blank at or after 1-based `start`, the blank kept;
    // empty when there is none.
    static QString truncateString(int start, const QString &line);

    // The server sometimes glues the next line straight onto a board line's last field
    // (the one-digit count of redoubles); this gives the two lines apart.
    static QStringList separateGluedLine(const QString &line);

    int errorCount() const { return errorCount_; }

private:
    void dispatch(const QString &data);
    void detectMatchStart(const QStringList &lines);
    void readLine(const QString &line);
    void handleLine(const QString &line, const QStringList &w);
    bool switchOn(ServerSwitches::Switch which);
    void ownInformation(const QStringList &w);
    void shoutRule(const QString &line, const QStringList &w, bool &echoLine);
    void kibitzRule(const QString &line, const QStringList &w);
    void sayRule(const QString &line, const QStringList &w, bool &echoLine);
    void chatSound(const QStringList &w);
    void reportError(const QString &description);

    struct Text {
        QString data;
        Source source = Source::Live;
    };

    ServerLineHost &host_;
    std::deque<Text> waiting_;
    Source reading_ = Source::Live;  // where the text being read comes from
    bool dropRest_ = false;          // the rest of the text being read is not read
    std::vector<std::function<void()>> whenIdle_;
    bool running_ = false;
    int lampState_ = 1;
    bool welcomeShown_ = false;
    int errorCount_ = 0;
};
