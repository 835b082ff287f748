#include "engine/GnuVB.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/ProgramExit.h"
#include "app/Utilities.h"
#include "engine/GnubgBridge.h"

#include <QDir>
#include <QRandomGenerator>

#include <algorithm>

namespace {

const QStringList kRemarks = {
    QStringLiteral("Ok, you win"),          QStringLiteral("You got lucky!"),
    QStringLiteral("Thanks for the match"), QStringLiteral("Damn dice :-)"),
    QStringLiteral("Ok.. I give up..!"),    QStringLiteral("Congratulations!!"),
    QStringLiteral("Lucky LUcky LUCKY!!"),
};

// A chance the engine rounds to 99.99 % or more is taken as certain.
constexpr int kCertain = 9999;

// Luck classes, on the engine's luck scale. The engine's own rolls need a little more to
// count as lucky than the user's.
constexpr int kUserLucky = 4000;
constexpr int kEngineLucky = 4500;
constexpr int kVeryLucky = 10000;
constexpr int kUnlucky = -5000;
constexpr int kVeryUnlucky = -8000;

EvalRecord evalRecord(int plies, int flag) {
    EvalRecord r;
    r.plies = plies;
    r.cubeful = flag;
    return r;
}

int pick(int count, double random) {
    return std::clamp(int(count * random), 0, count - 1);
}

// One call's arguments, records and board.
struct Ask {
    int side = 0;
    int cube = 1;
    int matchLen = 0;
    int scoreA = 0;
    int die1 = 0, die2 = 0;
    int plies = 0;
    CubeRecord cubeRecord;
    EngineBoard board{};
    bool possible = true;
};

}  // namespace

class GnuVB::Work {
public:
    Work(const GnuBoard &gnuBoard, MatchState &match, StateFlags &flags, const Preferences &prefs,
         std::unique_ptr<EngineBackend> engine)
        : gnuBoard_(gnuBoard), match_(match), flags_(flags), prefs_(prefs), engine_(std::move(engine)) {}

    QString call(int side, int cube, int matchLen, int scoreA, int scoreB, int crawford, int jacoby, int beavers,
                 int die1, int die2, const QString &mode, int plies);
    EngineBackend &engine() { return *engine_; }
    const QString &winsB() const { return winsB_; }
    const QString &winsW() const { return winsW_; }
    bool failed() const { return failed_; }

    Hooks hooks;  // the object's hooks as they stood when the last call began

private:
    QString answer(const Ask &ask, const QString &mode);
    EngineBoard engineBoard(int side) const;
    void showChances(int chance);
    void rateLuck(const Ask &ask, const QString &mode);
    void commentLuck(int side, int luck);
    QString resignDecision(const Ask &ask);
    QString cubeDecision(const Ask &ask);
    QString bestMove(const Ask &ask);

    const GnuBoard &gnuBoard_;
    MatchState &match_;
    StateFlags &flags_;
    const Preferences &prefs_;
    std::unique_ptr<EngineBackend> engine_;
    EngineOutput output_{};
    EngineMoves moves_{};
    QString winsB_, winsW_;
    bool failed_ = false;
};

GnuVB::GnuVB(const GnuBoard &gnuBoard, MatchState &match, StateFlags &flags, const Preferences &prefs,
             std::unique_ptr<EngineBackend> engine)
    : work_(std::make_shared<Work>(gnuBoard, match, flags, prefs,
                                   engine ? std::move(engine) : std::make_unique<GnubgBridge>())) {
    hooks.luckList = [](const QString &folder) {
        return QDir(Program::path(QStringLiteral("talking wavs/") + folder)).entryList(QDir::Files, QDir::Name);
    };
    // A comment arrives when its rating is known, which may be while the board moves on, so
    // it plays beside the game instead of holding it up.
    hooks.talk = [&prefs](const QString &wave) {
        if (prefs.prfDisableSounds || !prefs.prfTalkingWavs)
            return;
        const QString path = Program::path(QStringLiteral("talking wavs/") + wave);
        if (FileExists(path))
            PlaySoundFile(path);
    };
    hooks.random = [] { return QRandomGenerator::global()->generateDouble(); };

    MousePointer::hourglass();
    runEvents();
    EngineBackend &backend = work_->engine();
    backend.vbEvalInitialise();
    backend.vbSetEvalContext(evalRecord(1, 0));
    backend.vbSetCubeInfo(CubeRecord{1, 0, 0, 0, {0, 0}, 0, 0, 0});
    flags.isBot = true;
    MousePointer::restoreDefault();
}

GnuVB::~GnuVB() = default;

const QString &GnuVB::lblwinsB() const {
    return work_->winsB();
}

const QString &GnuVB::lblwinsW() const {
    return work_->winsW();
}

bool GnuVB::lastCallFailed() const {
    return work_->failed();
}

QString GnuVB::GetCubeAction_BestMove(int side, int cube, int matchLen, int scoreA, int scoreB, int crawford,
                                      int jacoby, int beavers, int die1, int die2, const QString &mode, int plies) {
    // From here on nothing of this object is touched: it may be gone before the call returns.
    const std::shared_ptr<Work> work = work_;
    work->hooks = hooks;
    return work->call(side, cube, matchLen, scoreA, scoreB, crawford, jacoby, beavers, die1, die2, mode, plies);
}

QString GnuVB::Work::call(int side, int cube, int matchLen, int scoreA, int scoreB, int crawford, int jacoby,
                          int beavers, int die1, int die2, const QString &mode, int plies) {
    failed_ = false;
    runEvents();
    // The program is ending, perhaps from that very round: the engine is asked nothing more,
    // and is not started again for it.
    if (ProgramExit::begun())
        return {};
    Ask ask;
    ask.side = side;
    ask.cube = cube;
    ask.matchLen = matchLen;
    ask.scoreA = scoreA;
    ask.die1 = die1;
    ask.die2 = die2;
    ask.plies = plies;
    // The engine expects the score of the side on roll second.
    const std::array<int, 2> scores = side == 0 ? std::array<int, 2>{scoreB, scoreA} : std::array<int, 2>{scoreA, scoreB};
    ask.cubeRecord = CubeRecord{cube, cube == 1 ? -1 : 1, 1, matchLen, scores, crawford, jacoby, beavers};
    ask.board = engineBoard(side);
    // A board no game can reach is answered with zeros, never shown to the engine.
    ask.possible = isPossible(gnuBoard_);

    // An engine that fails is started afresh and asked once more before the user hears of it.
    QString cause;
    for (int attempt = 1; attempt <= 2; ++attempt) {
        bool restartHelps = true;
        try {
            return answer(ask, mode);
        } catch (const EngineRefusal &refusal) {
            cause = QString::fromStdString(refusal.what());
            restartHelps = false;
        } catch (const std::exception &error) {
            cause = QString::fromStdString(error.what());
        }
        // The pointer must not stay an hourglass over a game that goes on.
        MousePointer::restoreDefault();
        if (attempt > 1 || !restartHelps)
            break;
        engine_->restart();
    }
    failed_ = true;
    Dialogs::message(QStringLiteral("error in GetCubAction: ") + cause);
    return {};
}

QString GnuVB::Work::answer(const Ask &ask, const QString &mode) {
    QString result;
    MousePointer::hourglass();
    match_.bestMoveOpp.clear();
    match_.bestMovePlayer.clear();
    std::fill_n(output_.begin(), 12, 0);
    if (mode == QLatin1String("gwc")) {
        if (ask.possible)
            engine_->vbEvaluatePosition(ask.board, output_);
        showChances(output_[1]);
    }
    if (ask.die1 > 0 && ask.possible)
        rateLuck(ask, mode);
    if (mode == QLatin1String("resign"))
        result = resignDecision(ask);
    else if (mode == QLatin1String("cube"))
        result = cubeDecision(ask);
    else if (mode == QLatin1String("move"))
        result = bestMove(ask);
    MousePointer::restoreDefault();
    return result;
}

EngineBoard GnuVB::Work::engineBoard(int side) const {
    // Row 1 is always the side asked about.
    const SideCounts &onRoll = gnuBoard_[side == 0 ? 0 : 1];
    const SideCounts &other = gnuBoard_[side == 0 ? 1 : 0];
    EngineBoard board{};
    for (int p = 1; p <= 25; ++p) {
        board[std::size_t(p - 1)] = other[std::size_t(p)];
        board[std::size_t(25 + p - 1)] = onRoll[std::size_t(p)];
    }
    return board;
}

bool GnuVB::isPossible(const GnuBoard &board) {
    for (const SideCounts &side : board) {
        int total = 0;
        for (int count : side) {
            if (count < 0)
                return false;
            total += count;
        }
        if (total > 15)
            return false;
    }
    for (int p = 1; p <= 24; ++p)
        if (board[0][std::size_t(p)] > 0 && board[1][std::size_t(25 - p)] > 0)
            return false;
    return true;
}

// --- winning chances -------------------------------------------------------------------------

QString GnuVB::chanceText(int hundredths) {
    const int h = std::clamp(hundredths, 0, 10000);
    QString text = QString::number(h / 100);
    if (h % 100 != 0) {
        QString fraction = QStringLiteral("%1").arg(h % 100, 2, 10, QLatin1Char('0'));
        if (fraction.endsWith('0'))
            fraction.chop(1);
        text += '.' + fraction;
    }
    return text + '%';
}

void GnuVB::Work::showChances(int chance) {
    winsB_ = chanceText(chance);
    winsW_ = chanceText(10000 - std::clamp(chance, 0, 10000));
    if (hooks.showChances)
        hooks.showChances(winsB_, winsW_);
}

// --- luck --------------------------------------------------------------------------------------

void GnuVB::Work::rateLuck(const Ask &ask, const QString &mode) {
    // The engine's luck is commented on only when it plays the roll.
    const bool said = ask.side == 0 || (ask.side == 1 && (mode == QLatin1String("move") || mode.isEmpty()));
    EngineBackend::LuckDone done;
    if (said && prefs_.prfTalkingWavs && !prefs_.prfDisableSounds)
        done = [this, side = ask.side](int luck) { commentLuck(side, luck); };
    engine_->vbLuckAnalysis(ask.board, ask.die1, ask.die2, 0, std::move(done));
}

void GnuVB::Work::commentLuck(int side, int luck) {
    const int lucky = side == 0 ? kUserLucky : kEngineLucky;
    const char *kind = nullptr;
    if (luck > lucky && luck < kVeryLucky)
        kind = "lucky";
    else if (luck > kVeryLucky)
        kind = "vlucky";
    else if (luck < kUnlucky && luck > kVeryUnlucky)
        kind = "unlucky";
    else if (luck < kVeryUnlucky)
        kind = "vunlucky";
    if (!kind || !prefs_.prfTalkingWavs || !hooks.luckList || !hooks.talk)
        return;
    const QString folder = QLatin1String(side == 0 ? "u_" : "g_") + QLatin1String(kind);
    const QStringList list = hooks.luckList(folder);
    if (list.isEmpty())
        return;
    hooks.talk(folder + '/' + list[pick(int(list.size()), hooks.random())]);
}

// --- the modes -----------------------------------------------------------------------------

QString GnuVB::Work::resignDecision(const Ask &ask) {
    engine_->vbSetCubeInfo(ask.cubeRecord);
    engine_->vbSetEvalContext(evalRecord(0, 1));
    if (ask.possible)
        engine_->vbEvaluatePosition(ask.board, output_);
    MousePointer::restoreDefault();
    if (ask.side != 0)
        return {};
    showChances(output_[1]);
    const int win = output_[1], gammon = output_[2], backgammon = output_[3];
    if (win < kCertain)
        return {};
    // Only a match can be lost by this game; an unlimited session resigns by the position.
    if (ask.matchLen > 0 && ask.scoreA + ask.cube >= ask.matchLen) {
        Dialogs::message(kRemarks[pick(int(kRemarks.size()), hooks.random())]);
        return QStringLiteral("resign n ");
    }
    if (gammon == 0 && backgammon == 0) {
        if (!flags_.selfPlay)
            Dialogs::message(QStringLiteral("GnuBG resigns normal"));
        return QStringLiteral("resign n ");
    }
    if (gammon >= kCertain && backgammon == 0) {
        if (!flags_.selfPlay)
            Dialogs::message(QStringLiteral("GnuBG resigns gammon"));
        return QStringLiteral("resign g ");
    }
    return {};
}

QString GnuVB::Work::cubeDecision(const Ask &ask) {
    if (prefs_.prfDisableCube)
        return {};
    engine_->vbSetCubeInfo(ask.cubeRecord);
    engine_->vbSetEvalContext(evalRecord(0, 1));
    if (ask.possible)
        engine_->vbEvaluatePositionCubeful(ask.board, output_, 0);
    MousePointer::restoreDefault();
    if (output_[0] == 1)
        return output_[1] == 1 ? QStringLiteral("DOUBLE TAKE") : QStringLiteral("DOUBLE PASS");
    if (output_[0] == 2)
        return QStringLiteral("TOO GOOD");
    return QStringLiteral("NO DOUBLE");
}

QString GnuVB::Work::bestMove(const Ask &ask) {
    engine_->vbSetCubeInfo(ask.cubeRecord);
    engine_->vbSetEvalContext(evalRecord(ask.plies, 1));
    if (ask.possible)
        engine_->vbFindBestMove(moves_, ask.die1, ask.die2, ask.board);
    else
        moves_[0] = -1;
    MousePointer::restoreDefault();
    // The user's moves are written in the user's numbering as they are; the engine's are
    // turned round into the user's numbering.
    const bool mine = match_.ismyTurn;
    auto point = [mine](int p) { return QString::number(mine ? p : 25 - p); };
    QString text;
    for (std::size_t i = 0; i <= 6; i += 2) {
        const int from = moves_[i] + 1;
        const int to = moves_[i + 1] + 1;
        if (from <= 0)
            break;
        text += (from == 25 ? QStringLiteral("bar") : point(from)) + '-';
        text += (to == 0 ? QStringLiteral("off") : point(to)) + QStringLiteral("  ");
        if (!mine)
            ++match_.legalMoveCtr;
    }
    return text;
}
