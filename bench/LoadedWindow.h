#pragma once
// The real main window, loaded offscreen in a program folder and settings of its own, with
// every message box answered: what the window benchmarks time their work on.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "mainform/Mainform.h"

#include <QTemporaryDir>
#include <memory>

struct LoadedWindow {
    LoadedWindow() {
        Program::setFolder(programFolder.path());
        SettingsStore::setFolder(settingsFolder.path());
        SettingsStore().write(QStringLiteral("isAnimInit"), QStringLiteral("True"));
        Dialogs::setHandler([](const Dialogs::Request &) { return Dialogs::Reply{}; });
        window = std::make_unique<Mainform>();
        loaded = window->Form_Load();
        window->show();
        window->prefs.prfDisableSounds = true;
    }
    ~LoadedWindow() {
        window.reset();
        Dialogs::setHandler({});
    }
    LoadedWindow(const LoadedWindow &) = delete;
    LoadedWindow &operator=(const LoadedWindow &) = delete;

    QTemporaryDir programFolder, settingsFolder;
    std::unique_ptr<Mainform> window;
    bool loaded = false;
};
