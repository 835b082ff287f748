#pragma once
// Whether GNU Backgammon is there for the tests that play against it. Without it the engine
// tests fail once, saying what to install, and each test that needs it is skipped rather
// than failing in its own way.
#include "engine/EngineFiles.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <string>

inline bool gnubgInstalled() {
    return QFileInfo(EngineFiles::program).isExecutable();
}

inline std::string gnubgMissing() {
    return "GNU Backgammon is not installed at " + EngineFiles::program.toStdString() + "; install the gnubg package";
}

// Ends the calling test, or its fixture's set-up, as skipped when GNU Backgammon is missing.
#define SKIP_WITHOUT_GNUBG()       \
    if (!gnubgInstalled())         \
    GTEST_SKIP() << gnubgMissing()
