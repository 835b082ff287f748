#include "app/SettingsText.h"

#include <cmath>
#include <limits>

namespace SettingsText {

bool notFalse(const QString &s) {
    return s != QLatin1String("False");
}

bool isTrue(const QString &s) {
    return s == QLatin1String("True");
}

std::optional<bool> exactBool(const QString &s) {
    if (s == QLatin1String("True"))
        return true;
    if (s == QLatin1String("False"))
        return false;
    return std::nullopt;
}

std::optional<bool> toBool(const QString &s) {
    const QString t = s.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto number = toDouble(t))
        return *number != 0.0;
    return std::nullopt;
}

std::optional<double> toDouble(const QString &s) {
    const QString t = s.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);  // C locale: a point is the decimal separator
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isNumeric(const QString &s) {
    return toDouble(s).has_value();
}

int roundEven(double value) {
    const double r = std::nearbyint(value);  // the default rounding mode rounds halves to even
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

std::optional<int> toInt(const QString &s, int min, int max) {
    const auto value = toDouble(s);
    if (!value)
        return std::nullopt;
    const double r = std::nearbyint(*value);
    if (r < min || r > max)
        return std::nullopt;
    return int(r);
}

std::optional<int> toInt16(const QString &s) {
    return toInt(s, -32768, 32767);
}

std::optional<int> toInt32(const QString &s) {
    return toInt(s, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

QString fromBool(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString fromNumber(double value) {
    return QString::number(value, 'g', 15);
}

QColor colorFromStored(qint64 bgr) {
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

qint64 colorToStored(const QColor &color) {
    return qint64(color.blue()) * 65536 + qint64(color.green()) * 256 + qint64(color.red());
}

}  // namespace SettingsText
