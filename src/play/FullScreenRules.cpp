#include "play/FullScreenRules.h"

#include "app/Program.h"

#include <QDir>
#include <algorithm>

namespace FullScreenRules {

QStringList backgroundFiles(const QString &folder) {
    static const QStringList pictures{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.bmp"),
                                      QStringLiteral("*.png"), QStringLiteral("*.gif")};
    return QDir(folder).entryList(pictures, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
}

Background chooseBackground(const QStringList &files, const QString &stored) {
    // A name from the settings file is only ever a file of the folder, never a way out of it.
    if (Program::isSafeFileName(stored) && files.contains(stored))
        return {stored, stored};
    if (files.isEmpty())
        return {QString(), stored};
    return {files.first(), files.first()};
}

View overBoard(const QString &status) {
    View v;
    v.status = status.contains(QLatin1String("resign")) || status.contains(QLatin1String("win"));
    return v;
}

View offBoard(int y, int height, int boardTop) {
    View v;
    v.bottom = y > 0.9 * height;
    // A board that leaves room above it leaves the strip in view; one that reaches the top
    // of the screen lets the strip come only from the bottom tenth.
    v.strip = boardTop > 5 || v.bottom;
    v.panels = v.bottom;
    if (v.strip)
        v.status = true;
    return v;
}

QPoint stripPlace(QPoint stored, QSize size, const QList<QRect> &screens, const QRect &fallback) {
    const QRect strip(stored, size);
    for (const QRect &screen : screens)
        if (screen.contains(strip))
            return stored;
    const int x = std::max(fallback.left(), std::min(stored.x(), fallback.right() + 1 - size.width()));
    const int y = std::max(fallback.top(), std::min(stored.y(), fallback.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace FullScreenRules
