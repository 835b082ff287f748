#pragma once
// The stored form of a remembered password: no protection, only the format earlier runs
// and the new-account window have written. Each character becomes a group of decimal
// digits ("32" and two digits for codes below 100, three digits otherwise), and each digit
// d is stored as the character with code d + 1.
#include <QString>
#include <optional>

QString EncodePassword(const QString &plain);

// The password, or nothing when `stored` is not in the format.
std::optional<QString> DecodePassword(const QString &stored);
