#include "connection/ConnectWatchdog.h"

ConnectWatchdog::Verdict ConnectWatchdog::tick(bool attempting) {
    Verdict verdict;
    if (!attempting)
        return verdict;
    ++ticks_;
    verdict.attemptsLeft = patience_ + 1 - ticks_;
    if (ticks_ > patience_) {
        verdict.timedOut = true;
        ticks_ = 0;
    }
    return verdict;
}
