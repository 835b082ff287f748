#include "app/Program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QString &folderOverride() {
    static QString path;
    return path;
}
}  // namespace

namespace Program {

QString versionString() {
    return QStringLiteral("%1.%2.%3").arg(KORVEX_VERSION_MAJOR).arg(KORVEX_VERSION_MINOR).arg(KORVEX_VERSION_PATCH);
}

QString folder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setFolder(const QString &path) {
    folderOverride() = QDir::cleanPath(path);
}

QString path(const QString &relative) {
    QString current = folder();
    const QStringList parts = QDir::fromNativeSeparators(relative).split('/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString exact = current + '/' + part;
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        QString found;
        const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString &entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                found = entry;
                break;
            }
        }
        current += '/' + (found.isEmpty() ? part : found);
    }
    return current;
}

bool isSafeFileName(const QString &name) {
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && !name.contains(QLatin1String("..")) &&
           !name.contains(QChar(0));
}

}  // namespace Program
