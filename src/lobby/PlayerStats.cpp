#include "lobby/PlayerStats.h"

#include "app/SplitString.h"
#include "app/Utilities.h"

#include <algorithm>
#include <limits>

namespace {
// Totals come from stats.dat and match lengths from the server; a sum that would pass the
// largest count stops there.
int addPoints(int total, int points) {
    return int(std::min<qint64>(qint64(total) + points, std::numeric_limits<int>::max()));
}

// A "~" or a line break inside a field would split the record when it is read back.
QString fieldText(QString text) {
    for (QChar &c : text)
        if (c == '~' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}
}  // namespace

void PlayerStats::LoadStatsFile(const QString &path) {
    records.clear();
    const TextFile text = ReadTextFile(path);
    readWhole_ = text.error.isEmpty();
    StatsRecord working;  // a last length that is not a number keeps the previous line's
    for (const QString &line : text.lines) {
        Pieces fields;
        SplitString(fields, line, QStringLiteral("~"), 1);
        // A line whose figures are not numbers is skipped; the lines after it still count.
        bool playedOk = false, wonOk = false;
        const int played = fields.item(2).trimmed().toInt(&playedOk);
        const int won = fields.item(3).trimmed().toInt(&wonOk);
        if (fields.count() < 4 || !playedOk || !wonOk) {
            readWhole_ = readWhole_ && line.trimmed().isEmpty();
            continue;
        }
        working.name = fields.item(1);
        working.played = played;
        working.won = won;
        bool numeric = false;
        const int last = fields.item(4).trimmed().toInt(&numeric);
        if (numeric)
            working.lastLength = last;
        working.note = fields.count() == 5 ? fields.item(5) : QStringLiteral("player notes");
        records.push_back(working);
    }
}

bool PlayerStats::SaveStatsFile(const QString &path) const {
    if (records.empty())
        return true;
    if (!readWhole_)
        return false;  // the lines it could not read would be lost
    QStringList lines;
    for (const StatsRecord &r : records)
        if (!r.name.isEmpty())
            lines << fieldText(r.name) + '~' + QString::number(r.played) + '~' + QString::number(r.won) + '~' +
                         QString::number(r.lastLength) + '~' + fieldText(r.note);
    return WriteWholeFile(path, TextFileBytes(lines)).isEmpty();
}

void PlayerStats::MakeStats(const QString &name, int points, bool won) {
    points = std::max(points, 0);  // no match is shorter than nothing
    for (StatsRecord &r : records) {
        if (r.name.trimmed() == name) {
            r.played = addPoints(r.played, points);
            if (won)
                r.won = addPoints(r.won, points);
            r.lastLength = points;
            return;
        }
    }
    records.push_back({name, points, won ? points : 0, points, QString()});
}
