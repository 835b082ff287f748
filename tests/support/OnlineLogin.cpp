#include "support/OnlineLogin.h"

#include "connection/frmLogin.h"
#include "mainform/Mainform.h"
#include "support/ScriptedServer.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

bool logInTo(Mainform &window, ScriptedServer &server, const QString &user, const QString &password, int timeoutMs) {
    return server.start() && logInAt(window, server.port(), user, password, timeoutMs);
}

bool logInAt(Mainform &window, quint16 port, const QString &user, const QString &password, int timeoutMs) {
    window.prefs.prfHost = ScriptedServer::host();
    window.prefs.prfPort = port;
    window.mnuConnect->trigger();
    frmLogin *login = window.frmLoginWindow;
    if (!login)
        return false;
    login->txtUsername->setText(user);
    login->txtPassword->setText(password);
    login->cmdOK->click();
    return QTest::qWaitFor([&] { return window.flags.isConnected; }, timeoutMs);
}
