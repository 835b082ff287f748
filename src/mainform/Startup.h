#pragma once
// The program's start: the main window, then the check of the engine's files.
#include <QString>
#include <QStringList>

class Mainform;

namespace Startup {
// The warnings for engine files that are missing or empty, in the order they are shown.
QStringList engineFileWarnings(const QString &program, const QString &weights);

// The start routine: sets the application up (its input guards, its name, its end by the
// exit window), creates, loads and shows the main window and checks the engine's files.
// Returns the window, or nullptr when loading failed and the program must end.
Mainform *Main();
}  // namespace Startup
