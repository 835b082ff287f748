// The move generator against GNU Backgammon: on many random positions and rolls, the best
// play GNU Backgammon finds must use as many dice as ours say and must be one of our plays.
#include "engine/EngineFiles.h"
#include "engine/GnubgInstalled.h"
#include "engine/MoveRules.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <sstream>

namespace {

constexpr int kPositions = 10000;
// Every call into GNU Backgammon waits about 10 ms for its worker thread while using almost
// no processor, so a few processes side by side cut the waiting without crowding the machine.
constexpr int kProcesses = 10;

struct Position {
    SideCounts mover{}, opponent{};
    int die1 = 0, die2 = 0;
};

// Random legal positions of several kinds, so that contact, blocks, the bar, races and
// bear-offs all come up often.
class PositionMaker {
public:
    explicit PositionMaker(unsigned seed) : rng_(seed) {}

    Position next(int kind) {
        for (;;) {
            Position p;
            switch (kind % 4) {
            case 0: contact(p); break;
            case 1: race(p); break;
            case 2: blocked(p); break;
            default: sparse(p); break;
            }
            if (p.mover[0] < 15 && p.opponent[0] < 15) {
                p.die1 = die();
                p.die2 = die();
                return p;
            }
        }
    }

private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    int die() { return uniform(1, 6); }
    bool chance(int percent) { return uniform(1, 100) <= percent; }

    // Puts `count` checkers of one side on random points of [lo, hi] (the mover's numbering)
    // that the other side does not hold.
    void scatter(Position &p, bool mover, int count, int lo, int hi) {
        SideCounts &own = mover ? p.mover : p.opponent;
        const SideCounts &other = mover ? p.opponent : p.mover;
        for (int placed = 0, tries = 0; placed < count && tries < 1000; ++tries) {
            const int point = uniform(lo, hi);
            const std::size_t ownIndex = std::size_t(mover ? point : 25 - point);
            const std::size_t otherIndex = std::size_t(mover ? 25 - point : point);
            if (other[otherIndex] > 0)
                continue;
            ++own[ownIndex];
            ++placed;
        }
    }
    void finish(SideCounts &s) {
        int on = 0;
        for (int i = 1; i <= 25; ++i)
            on += s[std::size_t(i)];
        s[0] = 15 - on;
    }
    int someOnBar() { return chance(60) ? 0 : chance(60) ? 1 : uniform(2, 4); }

    void contact(Position &p) {
        p.mover[25] = someOnBar();
        p.opponent[25] = someOnBar();
        scatter(p, true, 15 - p.mover[25] - (chance(80) ? 0 : uniform(1, 5)), 1, 24);
        scatter(p, false, 15 - p.opponent[25] - (chance(80) ? 0 : uniform(1, 5)), 1, 24);
        finish(p.mover);
        finish(p.opponent);
    }
    void race(Position &p) {
        const int off = uniform(0, 13);
        const int outside = chance(50) ? 0 : uniform(1, 2);
        scatter(p, true, outside, 7, 12);
        scatter(p, true, 15 - off - outside, 1, 6);
        if (chance(30))
            p.opponent[25] = 1;
        scatter(p, false, uniform(1, 15 - p.opponent[25]), 1, 24);
        finish(p.mover);
        finish(p.opponent);
    }
    void blocked(Position &p) {
        const int start = uniform(1, 19);
        for (int point = start; point < start + uniform(3, 6) && point <= 24; ++point)
            p.opponent[std::size_t(25 - point)] = uniform(2, 3);
        p.mover[25] = chance(50) ? uniform(1, 3) : 0;
        scatter(p, true, 15 - p.mover[25], 1, 24);
        int used = 0;
        for (int i = 1; i <= 25; ++i)
            used += p.opponent[std::size_t(i)];
        scatter(p, false, std::max(0, 15 - used - uniform(0, 4)), 1, 24);
        finish(p.mover);
        finish(p.opponent);
    }
    void sparse(Position &p) {
        p.mover[25] = chance(25) ? 1 : 0;
        p.opponent[25] = chance(25) ? 1 : 0;
        scatter(p, true, uniform(1, 5), 1, 24);
        scatter(p, false, uniform(1, 5), 1, 24);
        finish(p.mover);
        finish(p.opponent);
    }

    std::mt19937 rng_;
};

// GNU Backgammon's boards are two tuples of points 1 to 24 and the bar, the side on roll second.
const char *kScript = R"(import gnubg
cube = gnubg.cubeinfo(1, -1, 1, 0, (0, 0), 0, 0)
plain = {'cubeful': 0, 'plies': 0, 'deterministic': 1, 'prune': 0, 'noise': 0.0}
out = open(OUTPUT, 'w')
for line in open(INPUT):
    f = [int(x) for x in line.split()]
    try:
        best = gnubg.findbestmove((tuple(f[3:28]), tuple(f[28:53])), cube, plain, (f[1], f[2]))
        out.write('%d %s\n' % (f[0], ' '.join(str(x) for x in best)))
    except Exception as e:
        out.write('%d ERR %s\n' % (f[0], str(e).replace('\n', ' ')))
out.write('END\n')
out.close()
)";

std::string describe(const Position &p) {
    std::ostringstream s;
    s << "dice " << p.die1 << "-" << p.die2 << "; mover (off, 1..24, bar):";
    for (int v : p.mover)
        s << ' ' << v;
    s << "; opponent:";
    for (int v : p.opponent)
        s << ' ' << v;
    return s.str();
}

TEST(MoveGeneratorGnubgTest, AgreesWithGnuBackgammonOnRandomPositions) {
    SKIP_WITHOUT_GNUBG();

    PositionMaker maker(20240611u);
    std::vector<Position> positions;
    for (int i = 0; i < kPositions; ++i)
        positions.push_back(maker.next(i));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int r = 0; r < kProcesses; ++r) {
        const QString base = dir.filePath(QStringLiteral("run%1").arg(r));
        QDir().mkpath(base + QStringLiteral("/settings"));
        QFile input(base + QStringLiteral("/positions.txt"));
        ASSERT_TRUE(input.open(QIODevice::WriteOnly));
        QTextStream in(&input);
        for (int i = r; i < kPositions; i += kProcesses) {
            const Position &p = positions[std::size_t(i)];
            in << i << ' ' << p.die1 << ' ' << p.die2;
            for (const SideCounts *s : {&p.opponent, &p.mover})
                for (int k = 1; k <= 25; ++k)
                    in << ' ' << (*s)[std::size_t(k)];
            in << '\n';
        }
        in.flush();
        input.close();
        QFile script(base + QStringLiteral("/compare.py"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("INPUT = '%1/positions.txt'\nOUTPUT = '%1/plays.txt'\n").arg(base).toUtf8());
        script.write(kScript);
        script.close();

        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(EngineFiles::program, {QStringLiteral("-t"), QStringLiteral("-q"), QStringLiteral("-r"),
                                              QStringLiteral("-s"), base + QStringLiteral("/settings"),
                                              QStringLiteral("-p"), base + QStringLiteral("/compare.py")});
        runs.push_back(std::move(process));
    }

    std::vector<QString> answers{std::size_t(kPositions)};
    for (int r = 0; r < kProcesses; ++r) {
        QProcess &process = *runs[std::size_t(r)];
        ASSERT_TRUE(process.waitForFinished(90000)) << "GNU Backgammon did not finish within 90 s";
        QFile output(dir.filePath(QStringLiteral("run%1/plays.txt").arg(r)));
        ASSERT_TRUE(output.open(QIODevice::ReadOnly)) << process.readAll().toStdString();
        const QStringList lines = QString::fromUtf8(output.readAll()).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.value(lines.size() - 1), QStringLiteral("END")) << process.readAll().toStdString();
        for (const QString &line : lines.mid(0, lines.size() - 1)) {
            const int index = line.section(' ', 0, 0).toInt();
            answers[std::size_t(index)] = line.section(' ', 1);
        }
    }

    int failures = 0;
    int diceSeen[5] = {};
    for (int i = 0; i < kPositions && failures < 5; ++i) {
        const Position &p = positions[std::size_t(i)];
        const QString &answer = answers[std::size_t(i)];
        ASSERT_FALSE(answer.startsWith(QStringLiteral("ERR"))) << answer.toStdString() << " at " << describe(p);
        std::vector<std::pair<int, int>> steps;
        const QStringList numbers = answer.split(' ', Qt::SkipEmptyParts);
        for (int k = 0; k + 1 < numbers.size(); k += 2)
            if (numbers[k].toInt() != 0)  // unused pairs are zeros
                steps.emplace_back(numbers[k].toInt(), numbers[k + 1].toInt());

        const MoveGenerator rules(p.mover, p.opponent);
        const int count = rules.diceCount(p.die1, p.die2);
        const std::vector<Play> plays = rules.legalPlays(p.die1, p.die2);
        ++diceSeen[count];
        bool ok = count == int(steps.size()) && (plays.empty() ? count == 0 : plays.front().count == count);
        if (ok && count > 0)
            ok = contains(plays, outcomeOf(p.mover, p.opponent, steps));
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "position " << i << ": " << describe(p) << "\n GNU Backgammon plays "
                          << answer.toStdString() << " (" << steps.size() << " dice); ours use " << count
                          << " dice in " << plays.size() << " plays";
        }
    }
    EXPECT_EQ(failures, 0);
    // The positions must really exercise every case, dances and partial plays included.
    for (int n = 0; n <= 4; ++n)
        EXPECT_GT(diceSeen[n], 20) << "too few positions where " << n << " dice can be played";
}

}  // namespace
