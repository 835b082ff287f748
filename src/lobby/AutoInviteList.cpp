#include "lobby/AutoInviteList.h"

#include "app/SplitString.h"

#include <algorithm>

std::vector<AutoInvite> AutoInviteList::fromFriends(const QStringList &friendRows,
                                                    const std::vector<StatsRecord> &stats, const QString &user) {
    std::vector<AutoInvite> list;
    for (const QString &row : friendRows) {
        const QStringList pieces = SplitWords(row, QStringLiteral(".: "));
        if (pieces.size() < 4)
            continue;
        const QString &name = pieces.at(1);
        if (name.compare(user, Qt::CaseInsensitive) == 0 || name.compare(u"RepBot", Qt::CaseInsensitive) == 0)
            continue;
        const auto record = std::find_if(stats.begin(), stats.end(),
                                         [&](const StatsRecord &r) { return r.name.trimmed() == name; });
        // A length of 0 is no match the invitation would offer.
        const int points = record != stats.end() && record->lastLength > 0 ? record->lastLength : 1;
        list.push_back({name, QString::number(points)});
    }
    return list;
}

QString AutoInviteList::listText(const std::vector<AutoInvite> &list) {
    QString text;
    for (const AutoInvite &entry : list)
        text += entry.name + QStringLiteral("  ") + entry.points + QStringLiteral("\r\n");
    return text;
}
