#pragma once
// How long ago the server stamped a stored message.
#include <QString>
#include <QtGlobal>

// " minutes ago ", " hours ago " or " days ago " after the count; empty for a stamp in the
// future or 30 days old or more.
QString FormatTimeAgo(qint64 stamp, qint64 nowUtcSeconds);
QString FormatTimeAgo(qint64 stamp);
