#pragma once
// The engine's operations answered by GNU Backgammon: one long-lived gnubg child process
// running our bridge script, one request line and one reply line at a time.
#include "engine/EngineBackend.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <optional>
#include <vector>

class GnubgBridge : public EngineBackend {
public:
    // The installed gnubg and the bridge script of the program folder.
    GnubgBridge();
    GnubgBridge(const QString &program, const QString &script);
    ~GnubgBridge() override;

    GnubgBridge(const GnubgBridge &) = delete;
    GnubgBridge &operator=(const GnubgBridge &) = delete;

    void vbEvalInitialise() override;
    void restart() override;
    void vbSetEvalContext(const EvalRecord &context) override;
    void vbSetCubeInfo(const CubeRecord &cube) override;
    void vbEvaluatePosition(const EngineBoard &board, EngineOutput &output) override;
    void vbEvaluatePositionCubeful(const EngineBoard &board, EngineOutput &output, int reserved) override;
    void vbFindBestMove(EngineMoves &moves, int die1, int die2, const EngineBoard &board) override;
    void vbLuckAnalysis(const EngineBoard &board, int die1, int die2, int reserved, LuckDone done) override;
    void vbFindPubevalMove(int die1, int die2, const EngineBoard &board, EngineMoves &moves) override;

    // One request of the bridge's line protocol and the integers of its reply. A bridge that
    // is not running is started; one that dies on the way is started again once and asked
    // again. Throws EngineError on the bridge's refusal, a second death or the time limit.
    std::vector<int> request(const QString &verb, const std::vector<int> &args, int timeoutMs);

    // The time limit for a request at this look-ahead: a 4-ply move can take half a minute.
    int timeLimit(int plies) const;
    // Tests shorten every limit to this many milliseconds; 0 restores the usual ones.
    void setTimeLimitOverride(int ms) { limitOverride_ = ms; }

    qint64 processId() const { return process_.processId(); }
    bool isRunning() const { return process_.state() == QProcess::Running; }

    // Luck is the roller's equity after his best play of the roll thrown, less the average
    // of that equity over all 36 rolls, times kLuckScale: 4000 is 0.30 of a point (GNU
    // Backgammon's own mark for a lucky roll), 10000 is 0.75, -5000 is -0.375 and -8000 is
    // -0.60 (its mark for a very unlucky one). Equities are cubeless, at 0 ply.
    static constexpr int kLuckScale = 13333;
    static constexpr int kRolls = 21;
    // `equities` in millionths of a point, one per roll in the order 1-1, 1-2 … 1-6, 2-2 … 6-6.
    static int luckOf(const std::array<int, kRolls> &equities, int die1, int die2);
    static int rollIndex(int die1, int die2);

private:
    struct Reply {
        bool ok = false;
        QString text;  // the integers, or the refusal
    };
    struct LuckJob {
        EngineBoard board{};
        CubeRecord cube;
        int die1 = 0, die2 = 0;
        LuckDone done;
        std::array<int, kRolls> equities{};
        int next = 0;
    };

    bool start(QString &why);
    void stop();
    int send(const QString &verb, const std::vector<int> &args);
    void readReplies();
    void dropLuck();
    void pumpLuck();
    void luckReply(const Reply &reply);
    std::vector<int> cubeArgs(const CubeRecord &cube) const;

    QString program_;
    QString script_;
    QTemporaryDir folder_;  // gnubg's settings folder, private to this process
    QProcess process_;
    QObject guard_;         // ends queued luck work with the bridge
    QByteArray received_;
    int lastId_ = 0;
    int waitingId_ = 0;
    std::optional<Reply> waitingReply_;
    int limitOverride_ = 0;

    EvalRecord context_;
    CubeRecord cube_;

    // Luck is worked out one roll per request while play goes on, so that a request the
    // board waits for never queues behind more than one of them.
    std::optional<LuckJob> luckRunning_;
    std::optional<LuckJob> luckWaiting_;
    int luckInFlight_ = 0;
    bool luckPumpQueued_ = false;
    // The last position rated: hints and plays of the same roll ask about it again.
    struct LuckCache {
        EngineBoard board{};
        CubeRecord cube;
        std::array<int, kRolls> equities{};
    };
    std::optional<LuckCache> luckCache_;
};
