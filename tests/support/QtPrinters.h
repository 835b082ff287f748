#pragma once
// Lets test failures show Qt texts as text, and places as numbers.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '{';
    for (const QString &s : l)
        *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}
inline void PrintTo(const QPoint &p, std::ostream *os) {
    *os << '(' << p.x() << ',' << p.y() << ')';
}
inline void PrintTo(const QRect &r, std::ostream *os) {
    *os << '(' << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height() << ')';
}
