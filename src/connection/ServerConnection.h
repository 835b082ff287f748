#pragma once
// The one connection to the game server.
#include <QObject>
#include <QString>

class ServerConnection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool isConnected() const { return false; }
    void close() {}
};
