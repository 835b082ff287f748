#include "records/SavedGamesList.h"

#include "app/SplitString.h"
#include "app/Utilities.h"
#include "app/WebLinks.h"
#include "records/LogFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace {

// Under this size the copy cannot hold the list: with prfLoadSaved it is fetched at once.
constexpr qint64 kSmallestPage = 100;
constexpr int kDaysToReminder = 7;

// The login goes on after it, so the message does not send the user out of the program.
const QString kFileError = QStringLiteral("Error reading the file  Lists of FIBS Saved Matches. ");

// The progress window stays exactly as long as the reading, whatever way it ends.
class ProgressShown {
public:
    ProgressShown(SavedGamesHost &host, const QString &job) : host_(host) { host_.showProgressWindow(job); }
    ~ProgressShown() { host_.hideProgressWindow(); }
    ProgressShown(const ProgressShown &) = delete;
    ProgressShown &operator=(const ProgressShown &) = delete;

private:
    SavedGamesHost &host_;
};

// An empty copy dated now: the first run's copy is new, not a week old.
void createIfMissing(const QString &path) {
    if (!QFileInfo::exists(path))
        WriteWholeFile(path, QByteArray());
}

}  // namespace

// The hourglass and Play Online off, for as long as one is held.
struct SavedGamesList::Busy {
    explicit Busy(SavedGamesHost &host) : host_(host) { host_.setBusy(true); }
    ~Busy() { host_.setBusy(false); }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;
    SavedGamesHost &host_;
};

SavedGamesList::SavedGamesList(std::vector<SavedGame> &games, SavedGamesHost &host)
    : pageUrl(WebLinks::savedGamesPage()), games_(games), host_(host) {}

SavedGamesList::~SavedGamesList() = default;

QString SavedGamesList::pageCopy() const {
    const QDir folder(host_.programFolder());
    const QString htm = folder.filePath(QStringLiteral("list.htm"));
    return FileExists(htm) ? htm : folder.filePath(QStringLiteral("list.html"));
}

QString SavedGamesList::lineCopy() const {
    return QDir(host_.programFolder()).filePath(QStringLiteral("tmpsaved.txt"));
}

void SavedGamesList::LoadSavedGamesList(bool updateWithoutAsking, std::function<void()> then) {
    if (busy_)
        return;
    busy_ = std::make_unique<Busy>(host_);
    then_ = std::move(then);
    const QString page = pageCopy();
    createIfMissing(page);
    createIfMissing(lineCopy());

    const QFileInfo copy(page);
    int days = int(copy.lastModified().date().daysTo(clock().date()));
    if (copy.size() < kSmallestPage && updateWithoutAsking)
        days = kDaysToReminder;
    bool update = updateWithoutAsking;
    if (days >= kDaysToReminder && !updateWithoutAsking) {
        update = host_.ask(QStringLiteral("Local copy of fibs/savedgames/list.html has expired..update now?"),
                           QStringLiteral("Reminder..."));
        if (!update) {
            // Dated today, the copy is not asked about again for another week.
            QFile old(page);
            const QByteArray bytes = old.open(QIODevice::ReadOnly) ? old.readAll() : QByteArray();
            WriteWholeFile(page, bytes + " \r\n");
        }
    }
    if (update && days > 0) {
        host_.setStatus(QStringLiteral("loading savedgames list...."));
        download.DownloadFile(pageUrl, page, [this](DownloadURL::Outcome outcome, const QString &why) {
            downloaded(outcome, why);
        });
        return;
    }
    finish();
}

void SavedGamesList::downloaded(DownloadURL::Outcome outcome, const QString &why) {
    switch (outcome) {
    case DownloadURL::Outcome::Saved: {
        // The page's lines, the last one kept whether or not a line feed ends it.
        QStringList lines;
        if (!LogFiles::readLines(pageCopy(), lines))
            fileError(QStringLiteral("could not read ") + pageCopy());
        else if (!LogFiles::writeLines(lineCopy(), lines))
            fileError(QStringLiteral("could not write ") + lineCopy());
        break;
    }
    case DownloadURL::Outcome::Unreachable:
        host_.message(QStringLiteral("No connection could be made to the FIBS web site for the list of saved "
                                     "matches (") +
                      why + QStringLiteral(").\r\nThe site may be down, or this computer may not be online."));
        break;
    case DownloadURL::Outcome::NotWritten:
        fileError(why);
        break;
    }
    finish();
}

void SavedGamesList::fileError(const QString &why) {
    host_.message(kFileError + why);
    // The next Play Online starts the copies afresh.
    const QDir folder(host_.programFolder());
    for (const char *name : {"list.htm", "list.html", "tmpsaved.txt"})
        QFile::remove(folder.filePath(QLatin1String(name)));
}

void SavedGamesList::readLineCopy() {
    if (!FileExists(lineCopy()))
        return;
    QStringList lines;
    if (!LogFiles::readLines(lineCopy(), lines)) {
        fileError(QStringLiteral("could not read ") + lineCopy());
        return;
    }
    host_.setStatus(QStringLiteral("parsing savedgames.log..."));
    const ProgressShown shown(host_, QStringLiteral("parsing savedgames.."));
    int shownPercent = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<SavedGame> game = parseLine(lines.at(i)))
            games_.push_back(*game);
        const int percent = int((100 * (i + 1) + lines.size() / 2) / lines.size());
        if (percent != shownPercent)
            host_.showProgress(shownPercent = percent);
    }
}

void SavedGamesList::finish() {
    // Read once a run: a newer copy fetched later is read by the next run.
    if (games_.empty())
        readLineCopy();
    host_.setStatus(QStringLiteral("connecting to FIBS...."));
    busy_.reset();
    if (const auto then = std::exchange(then_, nullptr))
        then();
}

void SavedGamesList::abort() {
    download.abort();
    then_ = nullptr;
    busy_.reset();
}

std::optional<SavedGame> SavedGamesList::parseLine(const QString &line) {
    const QStringList pieces = SplitWords(line, QStringLiteral("<>/ \r\n"));
    if (pieces.size() <= 3)
        return std::nullopt;
    return SavedGame{pieces.at(1), int(pieces.size()) - 4};
}
