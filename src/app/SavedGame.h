#pragma once
// An opponent with whom the server keeps saved (interrupted) matches.
#include <QString>

struct SavedGame {
    QString name;
    int count = 0;
};
