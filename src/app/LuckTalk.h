#pragma once
// The luck-talk lists: one folder of spoken remarks under "talking wavs" for each side and
// luck class, and the file the user picked in each.
#include <QString>
#include <QStringList>
#include <array>

struct Preferences;

namespace LuckTalk {

struct Category {
    const char *folder;  // under "talking wavs"
    const char *combo;   // the preferences window's list
    QString Preferences::*setting;
    int row;             // 0 GnuBG, 1 the user
    int column;          // very lucky, lucky, unlucky, very unlucky
};

const std::array<Category, 8> &categories();

// The files of one category folder, by name; a folder that is missing or cannot be read
// gives none.
QStringList files(const QString &folder);

// The file a pick in a list plays; empty for a name that could leave its folder, or a file
// that is not there.
QString previewPath(const QString &folder, const QString &name);

}  // namespace LuckTalk
