#pragma once
// Takes the telnet protocol out of the server's bytes, also where a sequence is cut between
// two reads: negotiation (byte 255 and its command) and subnegotiations are dropped whole,
// a doubled 255 is the data byte 255, and NUL bytes, which telnet puts after a bare CR, are
// no text and go too.
#include <QByteArray>
#include <QByteArrayView>

class TelnetFilter {
public:
    // A subnegotiation holds a few bytes; one whose payload runs on past this many without
    // its end is taken for text again, so a broken server cannot silence the rest of the
    // session. One that ends within it is dropped whole.
    static constexpr int kSubnegotiationLimit = 4096;

    // The text bytes of `chunk`. Returns `chunk` itself when it holds nothing to take out,
    // otherwise a view of `scratch`, which it fills.
    QByteArrayView filter(QByteArrayView chunk, QByteArray &scratch);
    void clear() {
        state_ = State::Text;
        subnegotiated_ = 0;
    }

private:
    enum class State {
        Text,
        Command,        // after a 255
        Option,         // after 255 and WILL, WONT, DO or DONT: the option byte is next
        Subnegotiation, // inside 255 SB ...
        SubCommand,     // a 255 inside a subnegotiation: SE ends it
    };
    State state_ = State::Text;
    int subnegotiated_ = 0;  // payload bytes of the running subnegotiation so far
};
