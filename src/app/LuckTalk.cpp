#include "app/LuckTalk.h"

#include "app/Preferences.h"
#include "app/Program.h"
#include "app/Utilities.h"

#include <QDir>

namespace LuckTalk {

const std::array<Category, 8> &categories() {
    static const std::array<Category, 8> table{{
        {"g_vlucky", "combogvl", &Preferences::prfCombogvl, 0, 0},
        {"g_lucky", "combogl", &Preferences::prfCombogl, 0, 1},
        {"g_unlucky", "combogun", &Preferences::prfCombogun, 0, 2},
        {"g_vunlucky", "combogvun", &Preferences::prfCombogvun, 0, 3},
        {"u_vlucky", "combovl", &Preferences::prfCombovl, 1, 0},
        {"u_lucky", "combol", &Preferences::prfCombol, 1, 1},
        {"u_unlucky", "comboun", &Preferences::prfComboun, 1, 2},
        {"u_vunlucky", "combovun", &Preferences::prfCombovun, 1, 3},
    }};
    return table;
}

QStringList files(const QString &folder) {
    if (!Program::isSafeFileName(folder))
        return {};
    return QDir(Program::path(QStringLiteral("talking wavs/") + folder)).entryList(QDir::Files, QDir::Name);
}

QString previewPath(const QString &folder, const QString &name) {
    if (!Program::isSafeFileName(folder) || !Program::isSafeFileName(name))
        return {};
    const QString path = Program::path(QStringLiteral("talking wavs/") + folder + '/' + name);
    return FileExists(path) ? path : QString();
}

}  // namespace LuckTalk
