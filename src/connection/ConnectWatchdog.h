#pragma once
// Counts the one-second ticks of a connection attempt and says when to give up on it.
class ConnectWatchdog {
public:
    // Ticks an attempt may spend before the next one gives it up.
    explicit ConnectWatchdog(int patience = 10) : patience_(patience) {}

    struct Verdict {
        int attemptsLeft = 0;   // the count the caption shows; 0 when nothing is counted
        bool timedOut = false;  // give the attempt up now
    };

    // Every attempt gets the whole patience, however long an earlier one took.
    void reset() { ticks_ = 0; }

    // One tick. `attempting` is true while the host is looked up or the socket connects.
    Verdict tick(bool attempting);

    int ticks() const { return ticks_; }

private:
    int patience_;
    int ticks_ = 0;
};
