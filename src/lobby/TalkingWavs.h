#pragma once
// The talking waves users send each other by name.
#include <QString>
#include <QStringList>

namespace TalkingWavs {
// The entries of the Sounds menu: the ordinary files of the folder, alphabetically, at
// most 39. A missing folder gives none.
QStringList menuEntries(const QString &folder);
inline const QString emptyCaption = QStringLiteral("Extra Sound effects (online)");
}  // namespace TalkingWavs
