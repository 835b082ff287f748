#include "connection/PasswordCodec.h"

namespace {
constexpr int kShortMark = 32;  // no character code reaches 320, so "32" opens only short groups
}

QString EncodePassword(const QString &plain) {
    QString digits;
    digits.reserve(plain.size() * 4);
    for (const QChar c : plain) {
        // The wire and the store are Latin-1; anything else could not be sent anyway.
        const int code = c.unicode() > 0xFF ? '?' : c.unicode();
        if (code < 100)
            // Two digits always, so that codes below 10 read back as they were.
            digits += QString::number(kShortMark) + QString::number(code).rightJustified(2, u'0');
        else
            digits += QString::number(code);
    }
    QString stored;
    stored.reserve(digits.size());
    for (const QChar d : digits)
        stored += QChar(d.unicode() - u'0' + 1);
    return stored;
}

std::optional<QString> DecodePassword(const QString &stored) {
    QByteArray digits;
    digits.reserve(stored.size());
    for (const QChar c : stored) {
        const int digit = c.unicode() - 1;
        if (digit < 0 || digit > 9)
            return std::nullopt;
        digits += char('0' + digit);
    }
    QString plain;
    qsizetype i = 0;
    while (i < digits.size()) {
        const bool isShort = digits.mid(i, 2) == "32";
        const qsizetype at = isShort ? i + 2 : i;
        const qsizetype width = isShort ? 2 : 3;
        if (at + width > digits.size())
            return std::nullopt;
        const int code = digits.mid(at, width).toInt();
        if (code > 0xFF)
            return std::nullopt;
        plain += QChar(code);
        i = at + width;
    }
    return plain;
}
