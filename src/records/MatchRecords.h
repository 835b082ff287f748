#pragma once
// The match records: the own match's log written when it ends or drops, a dropped match
// resumed from its file, logs converted to JF .mat, and a saved log played back.
#include "records/LogPlayback.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

// The main window's state the records read and write.
struct RecordsState {
    QStringList &matchLog;
    bool &isLogging;
    bool &isPlaying;
    bool &isWatching;
    bool &selfPlay;
    bool &saveAutoFlag;
    bool &replayStep;
    QString &initFileName;
};

// What the records need of the main window.
class RecordsHost {
public:
    virtual ~RecordsHost() = default;
    virtual QString logFolder() const = 0;        // the program folder's log/
    virtual QString matFolder() const = 0;        // jellypath, else the program folder's jf_mat/
    virtual QString opponentCaption() const = 0;  // lblPlayer2
    virtual void message(const QString &text) = 0;
    virtual void setStatus(const QString &text) = 0;
    virtual void showTerminal(const QString &text) = 0;
    // The progress window and the hourglass, while a conversion runs.
    virtual void showProgressWindow(const QString &job) = 0;
    virtual void showProgress(int percent) = 0;
    virtual void hideProgressWindow() = 0;
    // The playback: its blocks go to the dispatcher, its games to List1.
    virtual void SplitFibString(const QString &text) = 0;
    virtual void showGameRows(const QStringList &rows) = 0;
    virtual void enablePlaybackButtons(bool enabled) = 0;
};

class MatchRecords {
public:
    MatchRecords(const RecordsState &state, RecordsHost &host);

    // The moment a log is saved; tests set their own.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // The own match has ended: its lines become a stamped .log and its .mat, the record
    // is emptied and logging ends. Nothing is written in self-play.
    void SaveAuto();
    // The own match was interrupted: its lines become the opponent's .tmp for a resume.
    void SaveDropped();
    // `name` offers to resume, or is asked to: his .tmp is read and kept for the match.
    void LoadDropped(const QString &name);
    // A finished match whose save waits for the player list is saved now.
    void savePendingMatch();
    // An own match starts with `line` (before its lines are recorded).
    void ownMatchStarts(const QString &line);

    enum class Conversion { Saved, NoMatchStart, Unreadable, NotWritten };
    // Writes the log's .mat, with the progress window, and says how it went.
    Conversion ConvertLog2Mat(const QString &logPath);

    // Playback of a saved log's lines: the first board is shown at once.
    void startPlayback(const QStringList &lines);
    void cmdStep_Click();
    void cmdAuto_Click();
    void cmdBack_Click();
    void jumpToGame(int row);
    bool isPlaybackFileOpen() const { return playback_.isOpen(); }
    void closePlaybackFile();
    const LogPlayback &playback() const { return playback_; }

    // No log file stays open between calls: every file is written whole at once.
    bool isLogFileOpen() const { return false; }
    void closeLogFile() {}

private:
    Conversion convertLines(const QString &logPath, const QStringList &lines);
    bool readDropped(const QString &name, QStringList &lines) const;
    void joinDroppedPart();
    void showNextBlock();
    void autoTick();

    RecordsState s_;
    RecordsHost &host_;
    QString resumeWith_;       // the opponent whose dropped match was read
    QStringList resumeLines_;  // and its lines, recorded once that match starts again
    // The running record goes on from this opponent's .tmp, which goes once the match is saved.
    QString resumedFrom_;
    // A match was loaded whose opponent its line did not name: his board line will.
    bool resumeUnjoined_ = false;
    LogPlayback playback_;
    QTimer autoTimer_;         // auto mode: one block per tick, the clicks in between
};
