#pragma once
// Chooses the board style folder under pics/ and loads its pictures.
#include <QString>

class SettingsStore;

class BoardStyle {
public:
    // With an empty `style` the stored "prfBoardStyle" is used, or the default for the
    // screen's width. Returns the style in use.
    QString SetNewBoardStyle(const QString &style, const SettingsStore &store, int screenWidthPixels);

    const QString &name() const { return name_; }

private:
    QString name_;
};
