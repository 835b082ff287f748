#include "lobby/FriendsFile.h"

#include "app/Utilities.h"

namespace {

// A file that cannot be read is not replaced by what little is known of it.
QString append(const QString &path, const QString &line) {
    TextFile text = ReadTextFile(path);
    if (!text.error.isEmpty())
        return text.error;
    text.lines << line;
    return WriteWholeFile(path, TextFileBytes(text.lines));
}

}  // namespace

QString FriendsFile::nameOf(const QString &line) {
    const QString text = line.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2).trimmed();
    return text;
}

FriendsFile::Names FriendsFile::read(const QString &path) {
    const TextFile text = ReadTextFile(path);
    Names result;
    result.error = text.error;
    for (const QString &line : text.lines) {
        const QString name = nameOf(line);
        if (!name.isEmpty())
            result.names << name;
    }
    return result;
}

QString FriendsFile::add(const QString &path, const QString &name) {
    return append(path, u'"' + name + u'"');
}

QString FriendsFile::appendLine(const QString &path, const QString &line) {
    return append(path, line);
}

QString FriendsFile::remove(const QString &path, const QString &name) {
    const TextFile text = ReadTextFile(path);
    if (!text.error.isEmpty())
        return text.error;
    QStringList kept;
    for (const QString &line : text.lines)
        if (nameOf(line) != name)
            kept << line;
    if (kept.size() == text.lines.size())
        return {};
    return WriteWholeFile(path, TextFileBytes(kept));
}

QString FriendsFile::addQuestion(const QString &name) {
    return QStringLiteral("Do you want to add (") + name + QStringLiteral(") ") + QStringLiteral(" to you Buddy list");
}

QString FriendsFile::removeQuestion(const QString &name) {
    return QStringLiteral("Do you want to remove  (") + name + QStringLiteral(") ") +
           QStringLiteral(" from you Buddy list");
}
