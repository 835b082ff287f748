#pragma once
// The program's end, once the user has closed the main window: the work under way unwinds
// at once instead of going on out of sight.
namespace ProgramExit {

// The exit has begun: from now on every wait under way returns at once and no later one
// waits, checkers jump, no server line is read, self-play plays no further turn and the
// engine is asked nothing more.
void begin();
bool begun();

// The exit has kept what it keeps (settings, logs, statistics): from now on no file is
// written and no box is shown, so what the unwinding work still does changes nothing on
// disk and holds nobody up.
void markKept();
bool kept();

// Back to a running program: for tests that go on after closing a main window.
void reset();

}  // namespace ProgramExit
