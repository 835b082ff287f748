#include "lobby/PlayerStats.h"

#include "app/SplitString.h"

#include <QFile>
#include <QSaveFile>

namespace {
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (!file.atEnd()) {
        QString line = QString::fromLatin1(file.readLine());
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        Pieces fields;
        SplitString(fields, line, QStringLiteral("~"), 1);
        if (fields.count() < 4)
            continue;
        StatsRecord record;
        record.name = fields.item(1);
        record.played = fields.item(2).trimmed().toInt();
        record.won = fields.item(3).trimmed().toInt();
        record.lastLength = fields.item(4).trimmed().toInt();
        record.note = fields.count() >= 5 ? fields.item(5) : QStringLiteral("player notes");
        records.push_back(record);
    }
}

bool PlayerStats::SaveStatsFile(const QString &path) const {
    if (records.empty())
        return true;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const StatsRecord &r : records) {
        if (r.name.isEmpty())
            continue;
        const QString line = fieldText(r.name) + '~' + QString::number(r.played) + '~' + QString::number(r.won) + '~' +
                             QString::number(r.lastLength) + '~' + fieldText(r.note) + QStringLiteral("\r\n");
        file.write(line.toLatin1());
    }
    return file.commit();
}
