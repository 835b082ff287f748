#include "lobby/TalkingWavs.h"

#include <QDir>

QStringList TalkingWavs::menuEntries(const QString &folder) {
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (files.size() > 39)
        files = files.mid(0, 39);
    return files;
}
