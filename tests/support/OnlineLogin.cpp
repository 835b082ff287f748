#include "support/OnlineLogin.h"

#include "connection/ServerConnection.h"
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
    // The connection is seen coming up by its signal: a server that floods at once can keep
    // the round of events that brought it up busy until the window has read the flood and
    // gone offline again.
    bool cameUp = false;
    const QMetaObject::Connection watch =
        QObject::connect(&window.server, &ServerConnection::connected, [&cameUp] { cameUp = true; });
    login->txtUsername->setText(user);
    login->txtPassword->setText(password);
    login->cmdOK->click();
    const bool connected = QTest::qWaitFor([&cameUp] { return cameUp; }, timeoutMs);
    QObject::disconnect(watch);
    return connected;
}
