#pragma once
// Logs the main window in to a scripted server as a user does: Play Online, the login
// window's boxes, Connect.
#include <QString>
#include <QtGlobal>

class Mainform;
class ScriptedServer;

// Starts the server, connects the window to it and waits for the connection; false when
// the server could not start or the window did not connect in time.
bool logInTo(Mainform &window, ScriptedServer &server, const QString &user = QStringLiteral("alice"),
             const QString &password = QStringLiteral("secret"), int timeoutMs = 5000);

// The same against a server of the test's own already listening on 127.0.0.1 at `port`.
bool logInAt(Mainform &window, quint16 port, const QString &user = QStringLiteral("alice"),
             const QString &password = QStringLiteral("secret"), int timeoutMs = 5000);
