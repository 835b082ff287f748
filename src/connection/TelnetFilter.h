#pragma once
// Drops the telnet negotiation the server mixes into its text (byte 255 and the two
// bytes after it), also when a sequence is cut between two reads.
#include <QByteArray>
#include <QByteArrayView>

class TelnetFilter {
public:
    // The bytes of `chunk` without negotiation. Returns `chunk` itself when it holds none,
    // otherwise a view of `scratch`, which it fills.
    QByteArrayView filter(QByteArrayView chunk, QByteArray &scratch);
    void clear() { toSkip_ = 0; }

private:
    int toSkip_ = 0;  // bytes of a sequence still to come from the next read
};
