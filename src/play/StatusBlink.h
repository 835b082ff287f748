#pragma once
// The status line's blink: one tick blanks it, the next shows the text again, so the eye
// goes to it while the user has something to do.
#include <QString>

class StatusBlink {
public:
    // One tick of the blinker given what the status line shows now; returns what it shows next.
    QString tick(const QString &status);

private:
    bool blanked_ = false;
    QString saved_;  // the last text the line showed
};
