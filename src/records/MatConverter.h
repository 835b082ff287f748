#pragma once
// Turns the lines of a saved match log into a JF .mat match file's text.
#include <QString>
#include <QStringList>
#include <functional>

namespace MatConverter {

struct Result {
    QString text;                 // the whole file, its last line ended by CR LF
    bool hasMatchStart = false;   // a log without one makes no file a reader takes
};

// The conversion reads nothing but `lines`. `progress` hears the share of lines done,
// 0 to 100, once each time it changes.
Result convert(const QStringList &lines, const std::function<void(int percent)> &progress = {});

// The .mat beside nothing else: the log's complete base name and ".mat" in `folder`.
QString matPathFor(const QString &logPath, const QString &folder);

}  // namespace MatConverter
