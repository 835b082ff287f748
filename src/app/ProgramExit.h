#pragma once
// The program's end, once the user has closed the main window: the work under way unwinds
// at once instead of going on out of sight, and what had arrived is read out before the
// files are kept.
namespace ProgramExit {

// The exit has begun: from now on every wait under way returns at once and no later one
// waits, checkers jump, no box waits for an answer, no sound plays, no command goes to the
// server, self-play plays no further turn and the engine is asked nothing more. What the
// server had sent is still read, at reading speed, and a text under way is read to its end.
void begin();
bool begun();

// The exit keeps what it keeps (settings, logs, statistics). A box of its own, saying what
// could not be kept, is shown meanwhile.
void markKeeping();

// The exit has kept what it keeps: from now on no file is written and no box is shown, so
// what the unwinding work still does changes nothing on disk and holds nobody up.
void markKept();
bool kept();

// A box asked for now is answered at once, with the answer that changes nothing.
bool boxesAnsweredAtOnce();

// Back to a running program: for tests that go on after closing a main window.
void reset();

}  // namespace ProgramExit
