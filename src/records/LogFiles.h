#pragma once
// Writing record lines to the log folder and reading them back.
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace LogFiles {
// Writes the lines, one per line, replacing the file whole; false when it could not be written.
bool writeLines(const QString &path, const QStringList &lines);
// The file's lines without their line ends, empty lines kept; false when it cannot be read.
bool readLines(const QString &path, QStringList &lines);
// A name the server or a file gave that may name a file in the log folder: a player's name
// as the server allows them, letters, digits and "_".
bool isPlayerName(const QString &name);
// "<folder>/yyyyMMddhhmm_<name>.log" of the moment `now`; "_2", "_3" … before ".log" when
// that file is there already.
QString newMatchLog(const QString &logFolder, const QDateTime &now, const QString &name);
// "<folder>/<name>.tmp", the record of a dropped match against `name`.
QString droppedMatchLog(const QString &logFolder, const QString &name);
// The first "watched<N>.log" in the folder that does not exist yet, N counting from 1.
QString nextWatchedLog(const QString &logFolder);
}  // namespace LogFiles
