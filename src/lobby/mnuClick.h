#pragma once
// Handles the player lists' popup menus.
#include <QObject>

class mnuClick : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};
