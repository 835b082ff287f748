#include "lobby/GagList.h"

#include <QFile>

void GagList::LoadGagList(const QString &path) {
    names_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine()).trimmed();
        if (!line.isEmpty())
            names_ << line;
    }
}

bool GagList::IsGagged(const QString &name) const {
    for (const QString &gagged : names_)
        if (gagged.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
