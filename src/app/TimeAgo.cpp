#include "app/TimeAgo.h"

#include <QDateTime>

QString FormatTimeAgo(qint64 stamp, qint64 now) {
    // A month or more ago says nothing either; checked before subtracting, so that a stamp
    // far in the past cannot overflow the difference.
    if (now <= stamp || stamp <= now - 30 * qint64(86400))
        return {};
    const qint64 d = now - stamp;
    if (d / 60 < 60)
        return QString::number(d / 60) + QStringLiteral(" minutes ago ");
    if (d / 3600 < 24)
        return QString::number(d / 3600) + QStringLiteral(" hours ago ");
    if (d / 86400 < 30)
        return QString::number(d / 86400) + QStringLiteral(" days ago ");
    return {};
}

QString FormatTimeAgo(qint64 stamp) {
    // The real UTC clock, so summer time does not shift every age by an hour.
    return FormatTimeAgo(stamp, QDateTime::currentSecsSinceEpoch());
}
