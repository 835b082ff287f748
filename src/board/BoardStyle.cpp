#include "board/BoardStyle.h"

#include "app/SettingsStore.h"

QString BoardStyle::SetNewBoardStyle(const QString &style, const SettingsStore &store, int screenWidthPixels) {
    QString chosen = style;
    if (chosen.isEmpty()) {
        const QString byScreen = screenWidthPixels >= 1024 ? QStringLiteral("Default") : QStringLiteral("original small");
        chosen = store.read(QStringLiteral("prfBoardStyle"), byScreen);
    }
    name_ = chosen;
    return name_;
}
