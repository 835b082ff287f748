#pragma once
// A modal window that a test drives from a timer holds the test in the window's own event
// loop until it closes. Should the test's clicks leave it open, the test would wait for
// ever: past a deadline the window is closed and the test fails, saying what stayed open.
#include <QString>

class QWidget;

constexpr int kModalDeadlineMs = 10000;

// Closes `modal` (rejects it, when it is a dialog) if it is still shown `ms` after this call,
// and fails the running test with `what`. A dialog that finishes first ends the watch.
void closeAtDeadline(QWidget *modal, const QString &what, int ms = kModalDeadlineMs);
