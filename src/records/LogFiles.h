#pragma once
// Writing record lines to the log folder.
#include <QString>
#include <QStringList>

namespace LogFiles {
// Writes the lines, one per line, replacing the file whole; false when it could not be written.
bool writeLines(const QString &path, const QStringList &lines);
// The first "watched<N>.log" in the folder that does not exist yet, N counting from 1.
QString nextWatchedLog(const QString &logFolder);
}  // namespace LogFiles
