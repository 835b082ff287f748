#pragma once
// friends.dat and gaglist.txt, the user's two lists of players. Every change reads the file
// afresh and writes it whole, with CR LF line ends, so a change never works from a stale or
// partial copy and a failed write leaves the old file as it was. CR, LF and CR LF all end a
// line read.
#include <QString>
#include <QStringList>

namespace FriendsFile {

struct Names {
    QStringList names;
    QString error;  // empty when the file was read, or is not there yet
};

// The name a line of friends.dat holds: the line between its double quotes when it has
// both, the line itself when it was written by hand without them.
QString nameOf(const QString &line);

// The friends in file order; blank lines are skipped. A missing file is no friends.
Names read(const QString &path);

// Each returns an empty text, or why the file was left as it was.
// Appends the friend as a quoted line.
QString add(const QString &path, const QString &name);
// Drops every line that names exactly `name`; every other line stays.
QString remove(const QString &path, const QString &name);
// Appends a plain line, as gaglist.txt holds them.
QString appendLine(const QString &path, const QString &line);

// What the user is asked before a friend is added or removed.
QString addQuestion(const QString &name);
QString removeQuestion(const QString &name);

}  // namespace FriendsFile
