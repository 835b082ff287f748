#include "connection/TelnetFilter.h"

#include <cstring>

namespace {
constexpr char kIac = char(0xFF);
constexpr char kSe = char(0xF0);   // end of a subnegotiation
constexpr char kSb = char(0xFA);   // start of a subnegotiation
constexpr unsigned char kWill = 0xFB, kDont = 0xFE;  // WILL, WONT, DO, DONT take an option byte

bool holdsNothingToTakeOut(QByteArrayView chunk) {
    const char *p = chunk.data();
    const size_t n = size_t(chunk.size());
    return !std::memchr(p, kIac, n) && !std::memchr(p, '\0', n);
}
}  // namespace

QByteArrayView TelnetFilter::filter(QByteArrayView chunk, QByteArray &scratch) {
    if (chunk.isEmpty())
        return chunk;
    if (state_ == State::Text && holdsNothingToTakeOut(chunk))
        return chunk;

    scratch.clear();
    scratch.reserve(chunk.size());
    const char *p = chunk.data();
    const char *const end = p + chunk.size();
    while (p < end) {
        if (state_ == State::Text) {
            const char *run = p;
            while (p < end && *p != kIac && *p != '\0')
                ++p;
            scratch.append(run, p - run);
            if (p < end && *p++ == kIac)
                state_ = State::Command;
            continue;
        }
        const char c = *p++;
        switch (state_) {
        case State::Text:
            break;
        case State::Command:
            if (c == kIac) {
                scratch.append(kIac);  // a doubled 255 is the byte itself
                state_ = State::Text;
            } else if (c == kSb) {
                subnegotiated_ = 0;
                state_ = State::Subnegotiation;
            } else if (uchar(c) >= kWill && uchar(c) <= kDont) {
                state_ = State::Option;
            } else {
                state_ = State::Text;  // a command without an option: NOP, GA and the like
            }
            break;
        case State::Option:
            state_ = State::Text;
            break;
        case State::Subnegotiation:
        case State::SubCommand:
            // IAC SE ends it, however near the limit it comes; 255 255 is a payload byte, and
            // payload past the limit is read again, as text: a 255 just before it is the
            // start of a command there, so that 255 255 is still the byte itself.
            if (state_ == State::Subnegotiation && c == kIac) {
                state_ = State::SubCommand;
            } else if (state_ == State::SubCommand && c == kSe) {
                state_ = State::Text;
            } else if (++subnegotiated_ > kSubnegotiationLimit) {
                state_ = state_ == State::SubCommand ? State::Command : State::Text;
                --p;
            } else {
                state_ = State::Subnegotiation;
            }
            break;
        }
    }
    return scratch;
}
