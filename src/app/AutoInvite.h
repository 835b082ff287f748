#pragma once
// A player to invite again automatically, with the points to invite with.
#include <QString>

struct AutoInvite {
    QString name;
    QString points;  // a match length, "S" to resume a saved match, or "U" for unlimited
};
