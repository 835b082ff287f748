#pragma once
// The screen's mouse pointer while the program waits for the server.
#include <QApplication>

namespace MousePointer {

inline void hourglass() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

// Back to the default, however many waits were started.
inline void restoreDefault() {
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

}  // namespace MousePointer
