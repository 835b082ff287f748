#pragma once
// Whether GNU Backgammon is there for the tests that play against it. Without it the engine
// tests fail once, saying what to install, and each test that needs it is skipped rather
// than failing in its own way.
#include "engine/EngineFiles.h"

#include <QByteArray>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
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

// GNU Backgammon's whole answer to a script of commands, run in a home of its own (it keeps
// its settings in HOME): "set confirm new off" goes before the script and "quit" after it.
inline QString gnubgAnswer(const QByteArray &script, int timeoutMs = 30000) {
    QTemporaryDir home;
    QProcess gnubg;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    gnubg.setProcessEnvironment(environment);
    gnubg.setProcessChannelMode(QProcess::MergedChannels);
    gnubg.start(EngineFiles::program, {QStringLiteral("-t"), QStringLiteral("-q")});
    gnubg.write("set confirm new off\n" + script + "quit\n");
    gnubg.closeWriteChannel();
    const bool finished = gnubg.waitForFinished(timeoutMs);
    QString answer = QString::fromLocal8Bit(gnubg.readAll());
    if (!finished) {
        gnubg.kill();
        gnubg.waitForFinished(1000);
        answer += QStringLiteral("\nGNU Backgammon did not finish within %1 s\n").arg(timeoutMs / 1000);
    }
    return answer;
}
