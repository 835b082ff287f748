#include "connection/LineAssembler.h"

#include <cstring>

namespace {

constexpr char kPrompt[] = "login:";
constexpr int kPromptLength = int(sizeof kPrompt) - 1;

// What may stand before the prompt on its line: the server starts it with a line end of
// its own, sometimes written the other way round (LF CR). Telnet's NULs are gone by then.
bool isLeadIn(char c) {
    return c == '\r' || c == ' ' || c == '\t';
}

}  // namespace

void LineAssembler::clear() {
    telnet_.clear();
    line_.clear();
    startLine();
    afterPrompt_ = false;
    dropping_ = false;
}

QString LineAssembler::takeRest() {
    const QString rest = QString::fromLatin1(line_);
    clear();
    return rest;
}

void LineAssembler::startLine() {
    mayBePrompt_ = true;
    promptMatched_ = 0;
}

// The prompt is told from a line that merely mentions it ("** Last login: ...") by
// standing at the start of its line; deciding that needs only the first few bytes, so a
// line is handed on whole unless it is the prompt, wherever the reads were cut.
const char *LineAssembler::findPrompt(const char *from, const char *to) {
    for (const char *p = from; p < to && mayBePrompt_; ++p) {
        const char c = *p;
        if (promptMatched_ == 0 && isLeadIn(c))
            continue;
        if (c != kPrompt[promptMatched_]) {
            mayBePrompt_ = false;
            break;
        }
        if (++promptMatched_ == kPromptLength)
            return p + 1;
    }
    return nullptr;
}

QStringList LineAssembler::feed(QByteArrayView chunk, QList<qsizetype> *cutLines) {
    QStringList out;
    const QByteArrayView data = telnet_.filter(chunk, scratch_);
    const char *p = data.data();
    const char *const end = p + data.size();

    QByteArray run;  // complete lines waiting to go out together
    auto flushRun = [&] {
        if (!run.isEmpty()) {
            out << QString::fromLatin1(run);
            run.clear();
        }
    };

    while (p < end) {
        if (afterPrompt_) {
            while (p < end && *p == ' ')
                ++p;
            if (p == end)
                break;
            afterPrompt_ = false;
        }
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        if (dropping_) {
            if (!lf)
                break;
            dropping_ = false;
            startLine();
            p = lf + 1;
            continue;
        }
        const char *const lineEnd = lf ? lf : end;
        const char *const segmentEnd = lf ? lf + 1 : end;
        if (mayBePrompt_) {
            // What stands before the prompt counts against the limit as any text does.
            const qsizetype room = qMax<qsizetype>(0, kLineLimit - line_.size());
            if (const char *promptEnd = findPrompt(p, p + qMin(lineEnd - p, room))) {
                flushRun();
                line_.append(p, promptEnd - p);
                out << QString::fromLatin1(line_);
                line_.clear();
                startLine();
                afterPrompt_ = true;
                p = promptEnd;
                continue;
            }
        }

        // The line end is not counted: a line of the limit's length and its CR LF loses nothing.
        const qsizetype length = line_.size() + (lineEnd - p);
        const auto endsInCr = [&] { return (lineEnd > p ? lineEnd[-1] : line_.back()) == '\r'; };
        if (length > kLineLimit && !(length == kLineLimit + 1 && endsInCr())) {
            flushRun();
            line_.truncate(kLineLimit);
            const qsizetype room = kLineLimit - line_.size();
            line_.append(p, room);
            line_.append("\r\n");
            if (cutLines)
                cutLines->append(out.size());
            out << QString::fromLatin1(line_);
            line_.clear();
            dropping_ = true;
            p += room;
            continue;
        }
        if (!lf) {
            line_.append(p, end - p);
            break;
        }
        if (run.isEmpty())
            run.reserve(line_.size() + (end - p));
        if (!line_.isEmpty()) {
            run.append(line_);
            line_.clear();
        }
        run.append(p, segmentEnd - p);
        startLine();
        p = segmentEnd;
    }
    flushRun();
    return out;
}
