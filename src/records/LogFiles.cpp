#include "records/LogFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

bool LogFiles::writeLines(const QString &path, const QStringList &lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &line : lines)
        file.write(line.toLatin1() + "\r\n");
    return file.commit();
}

QString LogFiles::nextWatchedLog(const QString &logFolder) {
    for (int n = 1;; ++n) {
        const QString path = logFolder + QStringLiteral("/watched%1.log").arg(n);
        if (!QFileInfo::exists(path))
            return path;
    }
}
