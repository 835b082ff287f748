#pragma once
// The engine class: every question the board and the offline game ask GNU Backgammon (the
// winning chances, whether it resigns, the cube verdict, its best move) and the spoken
// comments on lucky and unlucky rolls.
#include "engine/EngineBackend.h"
#include "engine/GnuBoard.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct MatchState;
struct Preferences;
struct StateFlags;

class GnuVB {
public:
    // Reaches into the main window only through these; each has a default but showChances.
    struct Hooks {
        // Captions for the winning-chance labels `lblwinsB` (the side on roll) and `lblwinsW`.
        std::function<void(const QString &lblwinsB, const QString &lblwinsW)> showChances;
        // The luck-talk list of a class folder under "talking wavs" ("u_lucky" …): the file
        // names the preferences window offers for it.
        std::function<QStringList(const QString &folder)> luckList;
        // Plays a comment, named by its class folder and file ("u_lucky/nice_roll.wav").
        std::function<void(const QString &wave)> talk;
        // A uniform number in [0, 1).
        std::function<double()> random;
    };

    // Starts the engine; `engine` defaults to GNU Backgammon behind its bridge process. The
    // engine reads `gnuBoard` at every call, so the board code keeps it current.
    GnuVB(const GnuBoard &gnuBoard, MatchState &match, StateFlags &flags, const Preferences &prefs,
          std::unique_ptr<EngineBackend> engine = nullptr);
    ~GnuVB();

    GnuVB(const GnuVB &) = delete;
    GnuVB &operator=(const GnuVB &) = delete;

    // side 0 asks from the user's seat, any other value from the engine's. scoreA is the
    // user's score, scoreB the engine's. `mode` is "gwc", "resign", "cube" or "move"; the
    // result is "" for "gwc"; "resign n ", "resign g " or "" for "resign"; "DOUBLE TAKE",
    // "DOUBLE PASS", "NO DOUBLE", "TOO GOOD" or "" for "cube"; the move text ("13-7  8-7  ")
    // for "move". With die1 above 0 the roll's luck is rated for the side asked about and
    // commented on once known. An engine that fails is restarted and asked once more; if it
    // fails again the message box names the step and the cause.
    QString GetCubeAction_BestMove(int side, int cube, int matchLen, int scoreA, int scoreB, int crawford, int jacoby,
                                   int beavers, int die1, int die2, const QString &mode, int plies);

    Hooks hooks;

    // The last call got no answer, even from the engine started afresh; the user was told
    // why and its result is empty.
    bool lastCallFailed() const;

    // What the winning-chance labels show now.
    const QString &lblwinsB() const;
    const QString &lblwinsW() const;

    // A chance in hundredths of a percent as the labels write it: 5523 -> "55.23%", 10000 -> "100%".
    static QString chanceText(int hundredths);
    // True when the board could be a real position: no negative counts, at most fifteen
    // checkers a side, never both sides on one point.
    static bool isPossible(const GnuBoard &board);

private:
    // The engine and everything a call works with. A handler that runs while a call waits
    // may let go of this object (going online does); the call keeps its work alive and
    // finishes, and the engine ends when the call has returned.
    class Work;
    std::shared_ptr<Work> work_;
};
