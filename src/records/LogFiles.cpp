#include "records/LogFiles.h"

#include "app/Utilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool LogFiles::writeLines(const QString &path, const QStringList &lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return WriteWholeFile(path, bytes).isEmpty();
}

bool LogFiles::readLines(const QString &path, QStringList &lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    lines.clear();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        // A CR left on a line would end up inside the last word a reader compares.
        const qsizetype length = end > start && bytes.at(end - 1) == '\r' ? end - 1 - start : end - start;
        lines << QString::fromLatin1(bytes.constData() + start, length);
        start = next;
    }
    return true;
}

bool LogFiles::isPlayerName(const QString &name) {
    if (name.isEmpty())
        return false;
    for (QChar c : name)
        if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == QLatin1Char('_')))
            return false;
    return true;
}

QString LogFiles::newMatchLog(const QString &logFolder, const QDateTime &now, const QString &name) {
    const QString base = QDir(logFolder).filePath(now.toString(QStringLiteral("yyyyMMddhhmm")) + '_' + name);
    QString path = base + QStringLiteral(".log");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = base + QStringLiteral("_%1.log").arg(n);
    return path;
}

QString LogFiles::droppedMatchLog(const QString &logFolder, const QString &name) {
    return QDir(logFolder).filePath(name + QStringLiteral(".tmp"));
}

QString LogFiles::nextWatchedLog(const QString &logFolder) {
    for (int n = 1;; ++n) {
        const QString path = logFolder + QStringLiteral("/watched%1.log").arg(n);
        if (!QFileInfo::exists(path))
            return path;
    }
}
