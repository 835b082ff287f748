// Plays one self-played match against GNU Backgammon at 0 ply on the main window, with the
// checkers' slides and the waits that pace a game for the eye left out, and prints how many
// milliseconds the match took from its first board to its last line. The offline-match
// benchmark runs this process: the main window needs a widget application of its own.
#include "app/InputGuards.h"
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "mainform/Mainform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    InstallInputGuards();
    const int length = argc > 1 ? std::atoi(argv[1]) : 1;
    QTemporaryDir settings;
    Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));
    SettingsStore::setFolder(settings.path());
    SettingsStore().write("isAnimInit", "True");
    Dialogs::setHandler([](const Dialogs::Request &) { return Dialogs::Reply{}; });
    setWaitFactor(0);

    Mainform window;
    if (!window.Form_Load())
        return 1;
    window.show();
    Preferences &p = window.prefs;
    p.prfDisableSounds = true;
    p.prfAnimateCheckersB = false;
    p.prfAnimateCheckersW = false;
    p.prfGnuPlyEval = 0;
    p.prfGnuPlyHint = 0;
    window.checkerAnimation.frameWait = nullptr;
    window.gnuObject = std::make_unique<GnuVB>(window.pips.gnuBoard, window.match, window.flags, window.prefs);
    // The engine is started before the clock: what is timed is the match.
    window.gnuObject->GetCubeAction_BestMove(0, 1, length, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("gwc"), 0);

    QElapsedTimer clock;
    clock.start();
    // What the invitation window does when the user picks GnuBG, the length and self-play.
    window.match.theMatchLength = length;
    window.match.theOldMatchLength = length;
    window.match.isNewMatch = true;
    window.flags.isLogging = false;
    window.flags.selfPlay = true;
    window.SplitFibString(QStringLiteral("** Player GnuBG has joined you for a %1 point match.").arg(length));
    window.newGnubgGame();
    const qint64 elapsed = clock.elapsed();

    if (!window.match.isMatchOver)
        return 2;
    std::printf("%lld\n", static_cast<long long>(elapsed));
    std::fflush(nullptr);
    // Leaving at once skips the destructors: the engine's folder and the settings go first.
    window.gnuObject.reset();
    settings.remove();
    std::_Exit(0);
}
