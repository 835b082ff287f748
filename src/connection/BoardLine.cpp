#include "connection/BoardLine.h"

#include <cstdlib>
#include <limits>
#include <stdexcept>

BoardLine::BoardLine(QStringView line, QStringView delimiters) {
    qsizetype start = 0;
    const qsizetype length = line.size();
    // A plain loop over the few delimiters is several times quicker than a general search,
    // and every line the server sends during a match comes through here.
    auto separates = [&](QChar c) {
        for (QChar d : delimiters)
            if (c == d)
                return true;
        return false;
    };
    for (qsizetype i = 0; i <= length; ++i) {
        if (i < length && !separates(line[i]))
            continue;
        if (i > start) {
            if (count_ < kKept)
                fields_[std::size_t(count_)] = line.mid(start, i - start);
            ++count_;
        }
        start = i + 1;
    }
}

QStringView BoardLine::field(int n) const {
    return n >= 1 && n <= count_ && n <= kKept ? fields_[std::size_t(n - 1)] : QStringView();
}

// Only digits, after an optional minus: the server writes nothing else, and a field read
// leniently ("1e1" as 10, "2.5" as 2) would be drawn as one number while its label shows another.
int BoardLine::number(int n) const {
    const QStringView text = field(n);
    const bool negative = text.startsWith(u'-');
    const qsizetype first = negative ? 1 : 0;
    if (text.size() == first)
        throw std::runtime_error("Type mismatch");
    constexpr qint64 kLimit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    bool overflow = false;
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            throw std::runtime_error("Type mismatch");
        if (!overflow)
            value = value * 10 + (c - u'0');
        overflow = overflow || value > kLimit;
    }
    if (overflow || (!negative && value == kLimit))
        throw std::runtime_error("Overflow");
    return int(negative ? -value : value);
}

namespace {

constexpr int kCheckersPerSide = 15;

void require(bool possible, const char *what) {
    if (!possible)
        throw std::runtime_error(what);
}

}  // namespace

// The bounds are those of any game the server or the offline game can play, loose enough for
// every recorded session: dice may be 0 (not rolled), a score may pass the length (a gammon at
// the end), a length of 0 is an unlimited game and a side may have fewer than fifteen checkers.
void BoardLine::requirePossible() const {
    if (count_ < kFields)
        return;
    // Every field the board is drawn from, and the Crawford field the score check reads, is a
    // number; only one the program never reads may be something else.
    for (int n = MatchLength; n <= Colour; ++n)
        number(n);
    for (int n = PlayerOff; n <= OpponentOnBar; ++n)
        number(n);
    number(DidCrawford);

    // The labels keep the length and the scores as 16-bit numbers.
    constexpr int kLabelMax = std::numeric_limits<qint16>::max();
    const int length = number(MatchLength);
    const int score1 = number(PlayerScore);
    const int score2 = number(OpponentScore);
    require(length >= 0 && length <= kLabelMax, "Invalid match length");
    require(score1 >= 0 && score1 <= kLabelMax && score2 >= 0 && score2 <= kLabelMax, "Invalid score");
    // Only one player can reach the length: the match ends when he does.
    require(length == 0 || score1 < length || score2 < length, "Invalid score");

    for (int n = PlayerDie1; n <= OpponentDie2; ++n)
        require(number(n) >= 0 && number(n) <= 6, "Invalid dice");
    const int cube = number(Cube);
    require(cube >= 1 && (cube & (cube - 1)) == 0, "Invalid cube");

    for (int n = PlayerOff; n <= OpponentOnBar; ++n)
        require(number(n) >= 0 && number(n) <= kCheckersPerSide, "Invalid checker count");
    // On the points the player's checkers count positive (mirrored: negative); each bar is
    // counted for its side whatever its sign, as the board is laid out.
    int positive = 0, negative = 0;
    for (int p = 0; p <= 25; ++p) {
        const int v = position(p);
        require(v >= -kCheckersPerSide && v <= kCheckersPerSide, "Invalid checker count");
        if (p == 0 || p == 25)
            continue;
        if (v > 0)
            positive += v;
        else
            negative -= v;
    }
    const bool mirrored = is(Bar, u"0");
    const int firstBar = std::abs(position(0)), lastBar = std::abs(position(25));
    const int player = (mirrored ? negative + firstBar : positive + lastBar) + number(PlayerOff);
    const int opponent = (mirrored ? positive + lastBar : negative + firstBar) + number(OpponentOff);
    require(player <= kCheckersPerSide && opponent <= kCheckersPerSide, "Invalid checker count");
}
