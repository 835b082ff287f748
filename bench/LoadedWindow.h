#pragma once
// The real main window, loaded offscreen in a program folder and settings of its own, with
// every message box answered: what the window benchmarks time their work on.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "connection/frmLogin.h"
#include "mainform/Mainform.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Runs events until `done` holds; false when `timeoutMs` passes first.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

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
    // Logs in as a user of long standing would, through the login window, to a server on
    // 127.0.0.1 at `port`; false when the window does not connect in time.
    bool logInAt(quint16 port) {
        window->prefs.prfFirstTimer = false;  // an account made long ago
        window->prefs.prfLoadSaved = false;   // no saved-games page to fetch
        window->prefs.prfHost = QStringLiteral("127.0.0.1");
        window->prefs.prfPort = port;
        window->mnuConnect->trigger();
        if (!window->frmLoginWindow)
            return false;
        window->frmLoginWindow->txtUsername->setText(QStringLiteral("alice"));
        window->frmLoginWindow->txtPassword->setText(QStringLiteral("secret"));
        window->frmLoginWindow->cmdOK->click();
        return waitUntil([this] { return window->flags.isConnected; }, 5000);
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
