#include "app/SettingsStore.h"

namespace {
const QString kGroup = QStringLiteral("Preferences");
}

SettingsStore::SettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korvex"),
                                            QStringLiteral("Korvex"))) {
    // The store is this user's alone: a copy left in a machine-wide folder, or an
    // organisation-wide file beside it, would fill in values the user never saved.
    settings_->setFallbacksEnabled(false);
    settings_->beginGroup(kGroup);
}

QString SettingsStore::read(const QString &key, const QString &defaultText) const {
    const QVariant value = settings_->value(key);
    if (!value.isValid())
        return defaultText;
    return value.toString();
}

void SettingsStore::write(const QString &key, const QString &value) {
    settings_->setValue(key, value);
}

void SettingsStore::remove(const QString &key) {
    settings_->remove(key);
}

bool SettingsStore::contains(const QString &key) const {
    return settings_->contains(key);
}

bool SettingsStore::sync() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

void SettingsStore::setFolder(const QString &folder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

QString SettingsStore::fileName() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korvex"), QStringLiteral("Korvex"))
        .fileName();
}
