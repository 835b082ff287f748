#pragma once
// The per-user settings store: application "Korvex", section "Preferences", every value text.
#include <QSettings>
#include <QString>
#include <memory>

class SettingsStore {
public:
    SettingsStore();

    QString read(const QString &key, const QString &defaultText) const;
    void write(const QString &key, const QString &value);
    void remove(const QString &key);
    bool contains(const QString &key) const;
    // Writes pending changes to disk; false when the file could not be written.
    bool sync();

    // Tests and the start-up benchmark keep their settings in a folder of their own.
    static void setFolder(const QString &folder);
    static QString fileName();

private:
    std::unique_ptr<QSettings> settings_;
};
