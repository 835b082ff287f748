#include "engine/GnubgBridge.h"

#include "app/Program.h"
#include "engine/EngineFiles.h"
#include "engine/MoveGenerator.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// gnubg shares our stdout with its banner and its own remarks; only lines with this mark
// are replies.
const QByteArray kMarker = QByteArrayLiteral("@@KORVEX ");

constexpr int kStartMs = 5000;

std::vector<int> boardArgs(const EngineBoard &board) {
    return {board.begin(), board.end()};
}

std::vector<int> operator+(std::vector<int> a, const std::vector<int> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool isDie(int d) {
    return d >= 1 && d <= 6;
}

// One side of the engine board in the rules' counting: borne-off checkers are what is
// missing of fifteen.
SideCounts sideOf(const EngineBoard &board, int row) {
    SideCounts side{};
    int onBoard = 0;
    for (int p = 1; p <= 25; ++p) {
        side[std::size_t(p)] = board[std::size_t(row * 25 + p - 1)];
        onBoard += side[std::size_t(p)];
    }
    side[0] = std::max(0, 15 - onBoard);
    return side;
}

std::vector<int> integers(const QString &text) {
    std::vector<int> values;
    for (const QString &word : text.split(' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        values.push_back(word.toInt(&ok));
        if (!ok)
            throw EngineError("GNU Backgammon answered something unreadable: " + text.toStdString());
    }
    return values;
}

}  // namespace

GnubgBridge::GnubgBridge() : GnubgBridge(EngineFiles::program, Program::path(QStringLiteral("engine/bridge.py"))) {}

GnubgBridge::GnubgBridge(const QString &program, const QString &script) : program_(program), script_(script) {
    QObject::connect(&process_, &QProcess::readyReadStandardOutput, &guard_, [this] { readReplies(); });
    QObject::connect(&process_, &QProcess::finished, &guard_, [this] { dropLuck(); });
}

GnubgBridge::~GnubgBridge() {
    QObject::disconnect(&process_, nullptr, &guard_, nullptr);
    stop();
}

// --- the process ---------------------------------------------------------------------------

bool GnubgBridge::start(QString &why) {
    if (!folder_.isValid()) {
        why = QStringLiteral("no private folder for GNU Backgammon: ") + folder_.errorString();
        return false;
    }
    if (!QFileInfo(script_).isFile()) {
        why = QStringLiteral("the engine bridge ") + script_ + QStringLiteral(" is missing");
        return false;
    }
    received_.clear();
    process_.setProgram(program_);
    process_.setArguments({QStringLiteral("-t"), QStringLiteral("-q"), QStringLiteral("-r"), QStringLiteral("-s"),
                           folder_.path(), QStringLiteral("-p"), script_});
    // The bridge reads gnubg's cube verdict from its English words.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("C"));
    process_.setProcessEnvironment(env);
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start();
    if (!process_.waitForStarted(kStartMs)) {
        why = QStringLiteral("GNU Backgammon (") + program_ + QStringLiteral(") could not be started: ") +
              process_.errorString();
        process_.kill();
        return false;
    }
    return true;
}

void GnubgBridge::stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(2000);
    }
    dropLuck();
}

void GnubgBridge::dropLuck() {
    luckRunning_.reset();
    luckWaiting_.reset();
    luckInFlight_ = 0;
}

int GnubgBridge::timeLimit(int plies) const {
    if (limitOverride_ > 0)
        return limitOverride_;
    if (plies <= 1)
        return 5000;
    if (plies == 2)
        return 30000;
    return 180000;
}

// --- the line protocol ---------------------------------------------------------------------

int GnubgBridge::send(const QString &verb, const std::vector<int> &args) {
    const int id = ++lastId_;
    QByteArray line = QByteArray::number(id) + ' ' + verb.toLatin1();
    for (int v : args)
        line += ' ' + QByteArray::number(v);
    process_.write(line + '\n');
    return id;
}

void GnubgBridge::readReplies() {
    received_ += process_.readAllStandardOutput();
    qsizetype end;
    while ((end = received_.indexOf('\n')) >= 0) {
        const QByteArray line = received_.left(end).trimmed();
        received_.remove(0, end + 1);
        if (!line.startsWith(kMarker))
            continue;
        const QString rest = QString::fromLatin1(line.mid(kMarker.size()));
        const int idEnd = rest.indexOf(' ');
        const int id = rest.left(idEnd).toInt();
        const QString body = idEnd < 0 ? QString() : rest.mid(idEnd + 1);
        Reply reply;
        reply.ok = body == QLatin1String("ok") || body.startsWith(QLatin1String("ok "));
        reply.text = reply.ok ? body.mid(2).trimmed() : body.startsWith(QLatin1String("err ")) ? body.mid(4) : body;
        if (id != 0 && id == waitingId_)
            waitingReply_ = reply;
        else if (id != 0 && id == luckInFlight_)
            luckReply(reply);
        // Anything else answers a request given up on; it is dropped.
    }
}

std::vector<int> GnubgBridge::request(const QString &verb, const std::vector<int> &args, int timeoutMs) {
    for (int attempt = 1;; ++attempt) {
        if (!isRunning()) {
            QString why;
            if (!start(why))
                throw EngineError(why.toStdString());
        }
        waitingReply_.reset();
        waitingId_ = send(verb, args);
        QElapsedTimer clock;
        clock.start();
        while (!waitingReply_ && isRunning()) {
            const qint64 left = timeoutMs - clock.elapsed();
            if (left <= 0)
                break;
            process_.waitForReadyRead(int(left));
            readReplies();
        }
        waitingId_ = 0;
        if (waitingReply_) {
            if (!waitingReply_->ok)
                throw EngineRefusal("GNU Backgammon refused the request: " + waitingReply_->text.toStdString());
            return integers(waitingReply_->text);
        }
        if (isRunning()) {
            // Slow beyond reason: whatever it is doing, a fresh bridge serves the next request.
            stop();
            throw EngineError(QStringLiteral("GNU Backgammon did not answer within %1 ms").arg(timeoutMs).toStdString());
        }
        if (attempt == 2)
            throw EngineError("GNU Backgammon stopped working");
    }
}

std::vector<int> GnubgBridge::cubeArgs(const CubeRecord &c) const {
    if (c.matchLength > kLongestEngineMatch)
        throw EngineRefusal(QStringLiteral("GNU Backgammon plays matches of up to %1 points, not %2")
                              .arg(kLongestEngineMatch)
                              .arg(c.matchLength)
                              .toStdString());
    // gnubg refuses a score that has already reached the match's length.
    const int length = std::max(0, c.matchLength);
    auto score = [&](int s) { return length > 0 ? std::clamp(s, 0, length - 1) : std::max(0, s); };
    return {std::max(1, c.cube), std::clamp(c.owner, -1, 1), c.onRoll ? 1 : 0, length,
            score(c.score[0]), score(c.score[1]), c.crawford ? 1 : 0, c.jacoby ? 1 : 0, c.beavers ? 1 : 0};
}

// --- the engine's operations ---------------------------------------------------------------

void GnubgBridge::restart() {
    stop();
    vbEvalInitialise();
}

void GnubgBridge::vbEvalInitialise() {
    // Started now so that the first request finds it ready; a failure is reported by that
    // request, which tries once more.
    QString why;
    if (!isRunning())
        start(why);
}

void GnubgBridge::vbSetEvalContext(const EvalRecord &context) {
    context_ = context;
}

void GnubgBridge::vbSetCubeInfo(const CubeRecord &cube) {
    cube_ = cube;
}

void GnubgBridge::vbEvaluatePosition(const EngineBoard &board, EngineOutput &output) {
    const int plies = std::clamp(context_.plies, 0, 7);
    const std::vector<int> r =
        request(QStringLiteral("eval"), boardArgs(board) + cubeArgs(cube_) + std::vector<int>{plies}, timeLimit(plies));
    if (r.size() < 3)
        throw EngineError("GNU Backgammon gave too few chances");
    for (int i = 0; i < 3; ++i)
        output[std::size_t(i + 1)] = std::clamp(r[std::size_t(i)], 0, 10000);
}

void GnubgBridge::vbEvaluatePositionCubeful(const EngineBoard &board, EngineOutput &output, int) {
    const int plies = std::clamp(context_.plies, 0, 7);
    const std::vector<int> r =
        request(QStringLiteral("cube"), boardArgs(board) + cubeArgs(cube_) + std::vector<int>{plies}, timeLimit(plies));
    if (r.size() < 2)
        throw EngineError("GNU Backgammon gave no cube verdict");
    output[0] = r[0];
    output[1] = r[1];
}

void GnubgBridge::vbFindBestMove(EngineMoves &moves, int die1, int die2, const EngineBoard &board) {
    moves[0] = -1;
    if (!isDie(die1) || !isDie(die2))
        return;  // no dice, no move
    const int plies = std::clamp(context_.plies, 0, 7);
    const std::vector<int> r = request(QStringLiteral("move"),
                                       boardArgs(board) + cubeArgs(cube_) + std::vector<int>{plies, die1, die2},
                                       timeLimit(plies));
    std::copy_n(r.begin(), std::min<std::size_t>(r.size(), 9), moves.begin());
}

void GnubgBridge::vbFindPubevalMove(int die1, int die2, const EngineBoard &board, EngineMoves &moves) {
    // Our own move generator: any legal play uses the dice the roll must use.
    moves[0] = -1;
    const std::vector<Play> plays = MoveGenerator(sideOf(board, 1), sideOf(board, 0)).legalPlays(die1, die2);
    if (plays.empty())
        return;
    const Play &play = plays.front();
    int k = 0;
    for (int i = 0; i < play.count; ++i) {
        moves[std::size_t(k++)] = play.steps[std::size_t(i)].from - 1;
        moves[std::size_t(k++)] = play.steps[std::size_t(i)].to - 1;
    }
    moves[std::size_t(k)] = -1;
}

// --- luck, worked out while play goes on ----------------------------------------------------

int GnubgBridge::rollIndex(int die1, int die2) {
    const int lo = std::min(die1, die2), hi = std::max(die1, die2);
    // Rows 1-1…1-6 (6), 2-2…2-6 (5), …: the rows before `lo` hold 6 + 5 + … entries.
    return (lo - 1) * (14 - lo) / 2 + (hi - lo);
}

int GnubgBridge::luckOf(const std::array<int, kRolls> &equities, int die1, int die2) {
    double total = 0;
    for (int lo = 1; lo <= 6; ++lo)
        for (int hi = lo; hi <= 6; ++hi)
            total += (lo == hi ? 1 : 2) * double(equities[std::size_t(rollIndex(lo, hi))]);
    const double luck = (equities[std::size_t(rollIndex(die1, die2))] - total / 36.0) / 1e6;
    return int(std::nearbyint(luck * kLuckScale));
}

void GnubgBridge::vbLuckAnalysis(const EngineBoard &board, int die1, int die2, int, LuckDone done) {
    // A match too long for the engine gets no comment rather than a question it cannot answer.
    if (!isDie(die1) || !isDie(die2) || !done || cube_.matchLength > kLongestEngineMatch)
        return;
    if (luckCache_ && luckCache_->board == board && luckCache_->cube == cube_) {
        done(luckOf(luckCache_->equities, die1, die2));
        return;
    }
    LuckJob job{board, cube_, die1, die2, std::move(done), {}, 0};
    // A rating still waiting its turn is stale once a newer roll is asked about.
    if (luckRunning_)
        luckWaiting_ = std::move(job);
    else
        luckRunning_ = std::move(job);
    // The first roll goes out after the caller's own requests.
    if (!luckPumpQueued_) {
        luckPumpQueued_ = true;
        QTimer::singleShot(0, &guard_, [this] {
            luckPumpQueued_ = false;
            pumpLuck();
        });
    }
}

void GnubgBridge::pumpLuck() {
    if (luckInFlight_ != 0)
        return;
    // A roll of the position just rated needs no more work.
    while (luckRunning_ && luckCache_ && luckCache_->board == luckRunning_->board && luckCache_->cube == luckRunning_->cube) {
        LuckJob known = std::move(*luckRunning_);
        luckRunning_ = std::move(luckWaiting_);
        luckWaiting_.reset();
        known.done(luckOf(luckCache_->equities, known.die1, known.die2));
    }
    if (!luckRunning_)
        return;
    if (!isRunning()) {
        dropLuck();  // a comment is not worth a restart; the next request does that
        return;
    }
    LuckJob &job = *luckRunning_;
    int lo = 1, hi = 1;
    for (int i = 0; i < job.next; ++i)
        if (++hi > 6)
            hi = ++lo;
    luckInFlight_ = send(QStringLiteral("rollequity"),
                         boardArgs(job.board) + cubeArgs(job.cube) + std::vector<int>{lo, hi});
}

void GnubgBridge::luckReply(const Reply &reply) {
    luckInFlight_ = 0;
    if (!luckRunning_)
        return;
    std::vector<int> value;
    if (reply.ok) {
        try {
            value = integers(reply.text);
        } catch (const EngineError &) {
        }
    }
    if (value.empty()) {
        luckRunning_ = std::move(luckWaiting_);
        luckWaiting_.reset();
    } else {
        LuckJob &job = *luckRunning_;
        job.equities[std::size_t(job.next++)] = value.front();
        if (job.next == kRolls) {
            LuckJob finished = std::move(job);
            luckRunning_ = std::move(luckWaiting_);
            luckWaiting_.reset();
            luckCache_ = LuckCache{finished.board, finished.cube, finished.equities};
            finished.done(luckOf(finished.equities, finished.die1, finished.die2));
        }
    }
    pumpLuck();
}
