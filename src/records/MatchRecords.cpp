#include "records/MatchRecords.h"

#include "app/Utilities.h"
#include "records/LogFiles.h"
#include "records/MatConverter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <utility>

namespace {

const QString kDroppedError = QStringLiteral("Error in SaveDropped ");

// The progress window stays exactly as long as the conversion, whatever way it ends.
class ProgressShown {
public:
    ProgressShown(RecordsHost &host, const QString &job) : host_(host) { host_.showProgressWindow(job); }
    ~ProgressShown() { host_.hideProgressWindow(); }
    ProgressShown(const ProgressShown &) = delete;
    ProgressShown &operator=(const ProgressShown &) = delete;

private:
    RecordsHost &host_;
};

// The opponent the server's "Your running match was loaded." line names: "bob has joined
// you." after the user's invitation, "You are now playing with bob." after his.
QString opponentInLoadedLine(const QString &line) {
    static const QRegularExpression joined(QStringLiteral("(\\w+) has joined you\\b"));
    static const QRegularExpression playing(QStringLiteral("\\bplaying with (\\w+)"));
    for (const QRegularExpression *form : {&joined, &playing})
        if (const QRegularExpressionMatch m = form->match(line); m.hasMatch())
            return m.captured(1);
    return {};
}

// The opponent on the first board line of the user's own match in `lines`.
QString opponentOnFirstBoard(const QStringList &lines) {
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("board:")))
            continue;
        const QStringList fields = line.split(QLatin1Char(':'));
        return fields.size() > 2 && fields.at(1) == QLatin1String("You") ? fields.at(2) : QString();
    }
    return {};
}

bool writeText(const QString &path, const QString &text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return WriteWholeFile(path, text.toLatin1()).isEmpty();
}

}  // namespace

MatchRecords::MatchRecords(const RecordsState &state, RecordsHost &host) : s_(state), host_(host) {
    autoTimer_.setSingleShot(true);
    autoTimer_.setInterval(0);
    QObject::connect(&autoTimer_, &QTimer::timeout, &autoTimer_, [this] { autoTick(); });
}

// --- the own match's log ----------------------------------------------------------------------

void MatchRecords::SaveAuto() {
    if (s_.selfPlay) {
        // A match GnuBG played on both sides to its end is no match of the user's: nothing
        // of it is written, now or later as lost lines.
        s_.matchLog.clear();
        s_.saveAutoFlag = false;
        return;
    }
    joinDroppedPart();
    // The record ends here whatever becomes of it: nothing of this match may open the next.
    const QStringList lines = s_.matchLog;
    const QString resumedFrom = std::exchange(resumedFrom_, QString());
    const QString name = LogFiles::isPlayerName(s_.initFileName) ? s_.initFileName : QStringLiteral("session");
    s_.matchLog.clear();
    s_.isLogging = false;
    s_.isPlaying = false;
    s_.saveAutoFlag = false;
    s_.initFileName.clear();
    if (lines.isEmpty()) {
        host_.message(QStringLiteral("sorry..no data was saved"));
        return;
    }
    // The clock is read once: a match saved at midnight is stamped with one day.
    const QString path = LogFiles::newMatchLog(host_.logFolder(), clock(), name);
    if (LogFiles::writeLines(path, lines)) {
        // The part before the drop is in this log now.
        if (!resumedFrom.isEmpty())
            QFile::remove(LogFiles::droppedMatchLog(host_.logFolder(), resumedFrom));
        convertLines(path, lines);
        return;
    }
    const QString oops = QDir(host_.logFolder()).filePath(QStringLiteral("oops.log"));
    const bool kept = LogFiles::writeLines(oops, lines);
    host_.message(QStringLiteral("The match log could not be written to ") + path +
                  (kept ? QStringLiteral("\r\nIts lines are kept in ") + oops
                        : QStringLiteral("\r\nNor could its lines be kept in ") + oops));
}

void MatchRecords::SaveDropped() {
    // Only an own match being recorded is written; an empty record would replace the one
    // a dropped match left for its resume.
    if (s_.matchLog.isEmpty() || !s_.isLogging || s_.isWatching)
        return;
    joinDroppedPart();
    const QString name = host_.opponentCaption();
    if (!LogFiles::isPlayerName(name)) {
        host_.message(kDroppedError + QStringLiteral("no file can be named after the opponent \"") + name + '"');
        return;
    }
    const QString path = LogFiles::droppedMatchLog(host_.logFolder(), name);
    if (!LogFiles::writeLines(path, s_.matchLog)) {
        host_.message(kDroppedError + QStringLiteral("could not write ") + path);
        return;
    }
    s_.matchLog.clear();
    resumedFrom_.clear();  // the file holds the whole match again, for the next resume
}

bool MatchRecords::readDropped(const QString &name, QStringList &lines) const {
    return LogFiles::isPlayerName(name) && LogFiles::readLines(LogFiles::droppedMatchLog(host_.logFolder(), name), lines);
}

void MatchRecords::LoadDropped(const QString &name) {
    QStringList lines;
    if (!readDropped(name, lines)) {
        host_.setStatus(QStringLiteral("This resume will not save as JF.mat"));
        return;
    }
    // Only an offer so far: the running record is not touched until the match is resumed.
    resumeWith_ = name;
    resumeLines_ = lines;
}

void MatchRecords::savePendingMatch() {
    if (!s_.saveAutoFlag)
        return;
    if (s_.matchLog.isEmpty())
        s_.saveAutoFlag = false;
    else
        SaveAuto();
}

void MatchRecords::ownMatchStarts(const QString &line) {
    // A finished match still waiting for its save is written before this one's lines come;
    // a log played back would feed its lines into this match's board.
    savePendingMatch();
    if (playback_.isOpen())
        closePlaybackFile();
    // The record holds this match alone: whatever is left from before is no part of it, but
    // a resumed match goes on from the lines kept when it dropped.
    s_.matchLog.clear();
    resumedFrom_.clear();
    resumeUnjoined_ = false;
    const QString offered = std::exchange(resumeWith_, QString());
    const QStringList offeredLines = std::exchange(resumeLines_, QStringList());
    if (!line.contains(QLatin1String("Your running match was loaded.")))
        return;
    const QStringList words = line.split(QRegularExpression(QStringLiteral("[ .:]+")), Qt::SkipEmptyParts);
    if (!offered.isEmpty() && words.contains(offered)) {
        s_.matchLog = offeredLines;
        resumedFrom_ = offered;
        return;
    }
    // However the match came to be resumed (the user's own invitation with a length, one
    // typed in the server pane, a Join), its record goes on from the part kept at the drop.
    const QString opponent = opponentInLoadedLine(line);
    QStringList lines;
    if (readDropped(opponent, lines)) {
        s_.matchLog = lines;
        resumedFrom_ = opponent;
    } else {
        resumeUnjoined_ = true;
    }
}

// A loaded match whose line named no opponent with a dropped part: the record's own board
// line names him, and his part goes in front once the record is written.
void MatchRecords::joinDroppedPart() {
    if (!std::exchange(resumeUnjoined_, false))
        return;
    const QString opponent = opponentOnFirstBoard(s_.matchLog);
    QStringList lines;
    if (!readDropped(opponent, lines))
        return;
    s_.matchLog = lines + s_.matchLog;
    resumedFrom_ = opponent;
}

// --- JF .mat --------------------------------------------------------------------------------

MatchRecords::Conversion MatchRecords::ConvertLog2Mat(const QString &logPath) {
    QStringList lines;
    if (!LogFiles::readLines(logPath, lines)) {
        host_.message(QStringLiteral("The log could not be read: ") + logPath);
        return Conversion::Unreadable;
    }
    return convertLines(logPath, lines);
}

MatchRecords::Conversion MatchRecords::convertLines(const QString &logPath, const QStringList &lines) {
    const QString matPath = MatConverter::matPathFor(logPath, host_.matFolder());
    Conversion result = Conversion::Saved;
    {
        const ProgressShown shown(host_, QStringLiteral("converting to jf.mat.."));
        const MatConverter::Result mat =
            MatConverter::convert(lines, [this](int percent) { host_.showProgress(percent); });
        if (!mat.hasMatchStart)
            result = Conversion::NoMatchStart;
        else if (!writeText(matPath, mat.text))
            result = Conversion::NotWritten;
    }
    QString status;
    switch (result) {
    case Conversion::Saved: status = QStringLiteral("Korvex.log and JF.mat files saved.."); break;
    case Conversion::NoMatchStart: status = QStringLiteral("No JF.mat written: the log holds no match start"); break;
    default: host_.message(QStringLiteral("The JF.mat file could not be written: ") + matPath); return result;
    }
    host_.setStatus(status);
    host_.showTerminal(status);
    // The folder follows the last JF .pos saved: the user is told where to look.
    if (result == Conversion::Saved)
        host_.showTerminal(QStringLiteral("JF.mat file ") + QFileInfo(matPath).fileName() +
                           QStringLiteral(" written to ") + QDir::toNativeSeparators(QFileInfo(matPath).absolutePath()));
    return result;
}

// --- playback ---------------------------------------------------------------------------------

void MatchRecords::startPlayback(const QStringList &lines) {
    autoTimer_.stop();
    playback_.open(lines);
    host_.showGameRows(playback_.gameRows());
    host_.enablePlaybackButtons(true);
    cmdStep_Click();
}

void MatchRecords::cmdStep_Click() {
    s_.replayStep = true;
    autoTimer_.stop();
    showNextBlock();
}

void MatchRecords::cmdAuto_Click() {
    if (!playback_.isOpen())
        return;
    s_.replayStep = false;
    autoTimer_.start();
}

void MatchRecords::autoTick() {
    if (s_.replayStep)
        return;
    showNextBlock();
    // The next block waits until this one has been read, its pauses and animation included.
    if (playback_.isOpen() && !s_.replayStep)
        autoTimer_.start();
}

void MatchRecords::cmdBack_Click() {
    s_.replayStep = true;
    autoTimer_.stop();
    const QString line = playback_.back();
    if (!line.isEmpty())
        host_.SplitFibString(line + QStringLiteral("\r\n"));
}

void MatchRecords::jumpToGame(int row) {
    const QString line = playback_.jump(row);
    if (!line.isEmpty())
        host_.SplitFibString(line + QStringLiteral("\r\n"));
}

void MatchRecords::showNextBlock() {
    if (!playback_.isOpen())
        return;
    const LogPlayback::Block block = playback_.nextBlock();
    if (!block.text.isEmpty())
        host_.SplitFibString(block.text);
    // A click read during that block may have gone on, or closed the log, already.
    if (block.end && playback_.isOpen()) {
        closePlaybackFile();
        host_.message(QStringLiteral("End of file"));
    }
}

void MatchRecords::closePlaybackFile() {
    autoTimer_.stop();
    playback_.close();
    host_.enablePlaybackButtons(false);
}
