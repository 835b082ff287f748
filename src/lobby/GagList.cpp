#include "lobby/GagList.h"

#include "app/Utilities.h"

void GagList::LoadGagList(const QString &path) {
    names_.clear();
    for (const QString &line : ReadTextFile(path).lines)
        if (const QString name = line.trimmed(); !name.isEmpty())
            names_ << name;
}

bool GagList::IsGagged(const QString &name) const {
    for (const QString &gagged : names_)
        if (gagged.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
