#include "app/SplitString.h"

#include "app/Dialogs.h"

#include <algorithm>
#include <array>

namespace {
constexpr int kInvalidArgument = 10010;

struct SplitError {
    QString source;
    int number;
    QString description;
};

SplitError invalidOptions() {
    return {QStringLiteral("SplitString()"), kInvalidArgument,
            QStringLiteral("An invalid argument was passed into the SplitOptions parameter.")};
}

// Words of one ASCII character ("5", "-", "0" and "1" stand in every player line) are
// shared rather than each allocated: a login brings thousands of such lines.
const QString &oneCharacterWord(char16_t c) {
    static const std::array<QString, 128> words = [] {
        std::array<QString, 128> w;
        for (char16_t i = 0; i < 128; ++i)
            w[i] = QString(QChar(i));
        return w;
    }();
    return words[c];
}

QString key(int n) {
    return QStringLiteral("String%1").arg(n);
}

void splitInto(Pieces &coll, const QString &text, const QString &delimiters, int options) {
    const int mode = options & 3;
    const int keep = options & 28;
    if (mode != 1 && mode != 2)
        throw invalidOptions();

    int added = 0;
    auto addPiece = [&](const QString &piece) {
        if (!piece.isEmpty())
            coll.add(key(++added), piece);
    };

    QString carried;  // separator waiting to start the next piece (keep == 16)
    qsizetype start = 0;
    qsizetype pos = 0;
    const qsizetype sepLength = mode == 1 ? 1 : delimiters.size();
    while (pos < text.size() && sepLength > 0) {
        const bool atSeparator = mode == 1 ? delimiters.contains(text.at(pos))
                                           : QStringView(text).mid(pos).startsWith(delimiters);
        if (!atSeparator) {
            ++pos;
            continue;
        }
        const QString piece = text.mid(start, pos - start);
        const QString separator = text.mid(pos, sepLength);
        switch (keep) {
        case 0: addPiece(piece); break;
        case 4: addPiece(piece); addPiece(separator); break;
        case 8: addPiece(piece + separator); break;
        case 16: addPiece(carried + piece); carried = separator; break;
        default: throw invalidOptions();
        }
        pos += sepLength;
        start = pos;
    }
    addPiece(carried + text.mid(start));
}
}  // namespace

QString Pieces::item(int index) const {
    if (index < 1 || index > count())
        return {};
    return items_[size_t(index - 1)].second;
}

QString Pieces::value(const QString &k) const {
    for (const auto &[itemKey, itemValue] : items_)
        if (itemKey == k)
            return itemValue;
    return {};
}

bool Pieces::contains(const QString &k) const {
    return std::any_of(items_.begin(), items_.end(), [&](const auto &item) { return item.first == k; });
}

void Pieces::add(const QString &k, const QString &v) {
    remove(k);
    items_.emplace_back(k, v);
}

void Pieces::remove(const QString &k) {
    std::erase_if(items_, [&](const auto &item) { return item.first == k; });
}

QStringList Pieces::toList() const {
    QStringList list;
    for (const auto &item : items_)
        list << item.second;
    return list;
}

void SplitString(Pieces &coll, const QString &text, const QString &delimiters, int options) {
    const QString original = text;
    try {
        splitInto(coll, text, delimiters, options);
    } catch (const SplitError &error) {
        const QString message =
            QStringLiteral("An error occurred while attempting to split: \r\n\r\n'") + original +
            QStringLiteral("'\r\n\r\n") + error.source + QStringLiteral(" - ") + QString::number(error.number) +
            QStringLiteral(": ") + error.description +
            QStringLiteral("\r\n\r\nThe string has been restored and placed into the collection\r\n"
                           "you passed in as the first  argument to this function.");
        Dialogs::message(message, QStringLiteral("SplitString Error: Invalid Argument"), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Critical);
        const int count = coll.count();
        for (int n = 1; n <= count; ++n)
            coll.remove(key(n));
        coll.add(key(1), original);
    }
}

QStringList SplitWords(const QString &text, const QString &delimiters) {
    // Every server line passes through here, several thousand at a login: ASCII delimiters
    // are looked up in a table, and the list grows once for a usual line's words.
    std::array<bool, 128> ascii{};
    bool beyondAscii = false;
    for (QChar d : delimiters) {
        if (d.unicode() < 128)
            ascii[d.unicode()] = true;
        else
            beyondAscii = true;
    }
    auto separates = [&](QChar c) {
        const char16_t u = c.unicode();
        if (u < 128)
            return ascii[u];
        return beyondAscii && delimiters.contains(c);
    };
    QStringList words;
    words.reserve(16);
    const QChar *const data = text.constData();
    const qsizetype size = text.size();
    qsizetype start = 0;
    auto addWord = [&](qsizetype from, qsizetype to) {
        if (to - from == 1 && data[from].unicode() < 128)
            words.append(oneCharacterWord(data[from].unicode()));
        else
            words.emplaceBack(data + from, to - from);
    };
    for (qsizetype i = 0; i < size; ++i) {
        if (separates(data[i])) {
            if (i > start)
                addWord(start, i);
            start = i + 1;
        }
    }
    if (start < size)
        addWord(start, size);
    return words;
}
