#include "connection/BoardLine.h"

#include "app/SettingsText.h"

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

int BoardLine::number(int n) const {
    const QStringView text = field(n);
    // Nearly every field is a short run of digits; anything else goes the long way.
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (negative)
        ++i;
    if (text.size() > i && text.size() - i <= 9) {
        int value = 0;
        for (; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                break;
            value = value * 10 + (c - u'0');
        }
        if (i == text.size())
            return negative ? -value : value;
    }
    const QString whole = text.toString();
    if (!SettingsText::isNumeric(whole))
        throw std::runtime_error("Type mismatch");
    const auto value = SettingsText::toInt32(whole);
    if (!value)
        throw std::runtime_error("Overflow");
    return *value;
}
