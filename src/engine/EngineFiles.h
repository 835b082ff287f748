#pragma once
// Where the engine layer finds GNU Backgammon.
#include <QString>

namespace EngineFiles {
inline const QString program = QStringLiteral("/usr/games/gnubg");
inline const QString weights = QStringLiteral("/usr/lib/gnubg/gnubg.wd");
}  // namespace EngineFiles
