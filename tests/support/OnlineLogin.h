#pragma once
// Logs the main window in to a scripted server as a user does: Play Online, the login
// window's boxes, Connect.
#include <QString>

class Mainform;
class ScriptedServer;

// Starts the server, connects the window to it and waits for the connection; false when
// the server could not start or the window did not connect in time.
bool logInTo(Mainform &window, ScriptedServer &server, const QString &user = QStringLiteral("alice"),
             const QString &password = QStringLiteral("secret"), int timeoutMs = 5000);
