#include "connection/TelnetFilter.h"

#include <cstring>

namespace {
constexpr char kIac = char(0xFF);
constexpr int kSequenceLength = 3;
}  // namespace

QByteArrayView TelnetFilter::filter(QByteArrayView chunk, QByteArray &scratch) {
    const char *p = chunk.data();
    const char *end = p + chunk.size();
    if (toSkip_ == 0 && (chunk.isEmpty() || !std::memchr(p, kIac, size_t(chunk.size()))))
        return chunk;

    scratch.clear();
    scratch.reserve(chunk.size());
    while (p < end) {
        if (toSkip_ > 0) {
            const qsizetype n = qMin<qsizetype>(toSkip_, end - p);
            p += n;
            toSkip_ -= int(n);
            continue;
        }
        const char *iac = static_cast<const char *>(std::memchr(p, kIac, size_t(end - p)));
        if (!iac) {
            scratch.append(p, end - p);
            break;
        }
        scratch.append(p, iac - p);
        p = iac;
        toSkip_ = kSequenceLength;
    }
    return scratch;
}
