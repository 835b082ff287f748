#include "lobby/FriendsFile.h"

#include "app/Utilities.h"

#include <QFile>

namespace {

struct Content {
    QByteArray bytes;
    QString error;
};

Content readAll(const QString &path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    Content content{file.readAll(), {}};
    if (file.error() != QFileDevice::NoError)
        content.error = file.errorString();
    return content;
}

// The file's lines, each with its own line end, so that a rewrite keeps what it does not change.
QList<QByteArray> linesWithEnds(const QByteArray &bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        lines << bytes.mid(start, end - start);
        start = end;
    }
    return lines;
}

QString withoutEnd(const QByteArray &line) {
    QByteArray text = line;
    while (text.endsWith('\n') || text.endsWith('\r'))
        text.chop(1);
    return QString::fromLatin1(text);
}

QString append(const QString &path, const QString &line) {
    Content content = readAll(path);
    if (!content.error.isEmpty())
        return content.error;  // a file that cannot be read is not replaced by one line
    if (!content.bytes.isEmpty() && !content.bytes.endsWith('\n'))
        content.bytes += "\r\n";
    content.bytes += line.toLatin1() + "\r\n";
    return WriteWholeFile(path, content.bytes);
}

}  // namespace

QString FriendsFile::nameOf(const QString &line) {
    const QString text = line.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2).trimmed();
    return text;
}

FriendsFile::Names FriendsFile::read(const QString &path) {
    const Content content = readAll(path);
    Names result;
    result.error = content.error;
    for (const QByteArray &line : linesWithEnds(content.bytes)) {
        const QString name = nameOf(withoutEnd(line));
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
    const Content content = readAll(path);
    if (!content.error.isEmpty())
        return content.error;
    QByteArray kept;
    for (const QByteArray &line : linesWithEnds(content.bytes))
        if (nameOf(withoutEnd(line)) != name)
            kept += line;
    if (kept == content.bytes)
        return {};
    return WriteWholeFile(path, kept);
}

QString FriendsFile::addQuestion(const QString &name) {
    return QStringLiteral("Do you want to add (") + name + QStringLiteral(") ") + QStringLiteral(" to you Buddy list");
}

QString FriendsFile::removeQuestion(const QString &name) {
    return QStringLiteral("Do you want to remove  (") + name + QStringLiteral(") ") +
           QStringLiteral(" from you Buddy list");
}
