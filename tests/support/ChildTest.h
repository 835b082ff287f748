#pragma once
// The current test run again in a child process of the test program: inside a window-manager
// session, or bare, where the tests' main sets nothing up beyond the application itself, for
// a test of what the program sets up at its own start.
#include <QProcessEnvironment>
#include <QString>

// Runs the current test again with `environment`: the child's exit code, or -1 when it
// crashed or did not finish within `timeoutMs`. What it printed goes to `output`.
int runCurrentTestInChild(const QProcessEnvironment &environment, int timeoutMs, QString &output);

namespace BareProcess {

// True in a bare child.
bool inside();

// Outside: runs the current test again in a bare child and fails with the child's output
// when it fails. The body returns after it.
void runCurrentTestInside();

}  // namespace BareProcess
