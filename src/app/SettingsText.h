#pragma once
// How setting texts turn into values and back: the parse kinds the settings loader uses.
#include <QColor>
#include <QString>
#include <optional>

namespace SettingsText {

// True unless the text is exactly "False" (so "false" and "" read as True).
bool notFalse(const QString &s);
// True only when the text is exactly "True".
bool isTrue(const QString &s);
// The value of exactly "True" or "False"; nothing for any other text.
std::optional<bool> exactBool(const QString &s);
// "True"/"False" in any case, or a number (0 is False); nothing otherwise.
std::optional<bool> toBool(const QString &s);

// A number as the user may have typed it, blanks around allowed.
bool isNumeric(const QString &s);
std::optional<double> toDouble(const QString &s);
// Rounded to the nearest integer, halves to the even neighbour; nothing when not a number
// or outside [min, max].
std::optional<int> toInt(const QString &s, int min, int max);
std::optional<int> toInt16(const QString &s);
std::optional<int> toInt32(const QString &s);

// Round half to even, as every fractional-to-integer conversion of the program does.
int roundEven(double value);

QString fromBool(bool value);
QString fromNumber(double value);

// Colours are stored as 0x00BBGGRR numbers.
QColor colorFromStored(qint64 bgr);
qint64 colorToStored(const QColor &color);

}  // namespace SettingsText
