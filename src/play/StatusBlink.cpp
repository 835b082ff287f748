#include "play/StatusBlink.h"

QString StatusBlink::tick(const QString &status) {
    // A text set while the line was blank is the one shown from now on.
    if (!status.isEmpty())
        saved_ = status;
    blanked_ = !blanked_;
    return blanked_ ? QString() : saved_;
}
