#pragma once
// The real main window, loaded offscreen in a program folder and settings of its own, with
// every message box answered: what the window benchmarks time their work on.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "connection/ServerConnection.h"
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
    // 127.0.0.1 at `port`; false, with loginFailure saying why, when the login window does
    // not open or the connection does not come up in time. The connection is seen coming up
    // by its signal: a server that floods at once can keep the round of events that brought
    // it up busy until the window has read the flood and gone offline again.
    bool logInAt(quint16 port) {
        window->prefs.prfFirstTimer = false;  // an account made long ago
        window->prefs.prfLoadSaved = false;   // no saved-games page to fetch
        window->prefs.prfHost = QStringLiteral("127.0.0.1");
        window->prefs.prfPort = port;
        window->mnuConnect->trigger();
        if (!window->frmLoginWindow) {
            loginFailure = QStringLiteral("the login window did not open");
            return false;
        }
        bool cameUp = false;
        const QMetaObject::Connection watch =
            QObject::connect(&window->server, &ServerConnection::connected, [&cameUp] { cameUp = true; });
        window->frmLoginWindow->txtUsername->setText(QStringLiteral("alice"));
        window->frmLoginWindow->txtPassword->setText(QStringLiteral("secret"));
        window->frmLoginWindow->cmdOK->click();
        const bool connected = waitUntil([&cameUp] { return cameUp; }, 5000);
        QObject::disconnect(watch);
        if (!connected)
            loginFailure = QStringLiteral("the connection did not come up within 5 s");
        return connected;
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
    QString loginFailure;
};
