// Recorded server lines, bent out of shape, fed to the real main window: fields dropped,
// doubled, cut short or replaced by numbers at the edges of what a field can hold, and move
// lines with points off the board. A bad line may be reported; none may crash the window,
// overflow a number or leave the cube or the checkers in an impossible state.
#include "app/Utilities.h"
#include "connection/ServerLineDispatcher.h"
#include "mainform/Mainform.h"
#include "support/QuickWindow.h"
#include "support/TestEnvironment.h"

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>
#include <random>

namespace {

const QStringList kOddValues{
    "", "0", "-1", "-15", "16", "99", "7", "-2147483648", "2147483647", "2147483648", "99999999999", "1e9", "abc",
    "bar", "off", "-", "1.5", "nan", "25", "26", "28", "29", "30", "65536", "1073741824", "536870912", "-32768",
    "32768", "-9223372036854775808", "moves", "move", "board", "doubles.", "::", "bar-0", "25-30", "off-off"};
const QStringList kMoveEnds{"bar", "off", "0",  "25", "26",     "27",     "28",    "29", "-1", "30", "1",
                            "6",   "24",  "13", "7",  "32767", "-32768", "40000", "x",  "",   "12"};

class Mutator {
public:
    explicit Mutator(unsigned seed) : rng_(seed) {}
    int below(int n) { return int(rng_() % unsigned(n)); }
    const QString &pick(const QStringList &from) { return from[below(int(from.size()))]; }

    QString mutate(const QString &line) {
        const QString sep = below(4) == 0 ? QStringLiteral("-")
                            : line.startsWith(QLatin1String("board:")) ? QStringLiteral(":")
                                                                       : QStringLiteral(" ");
        QStringList f = line.split(sep);
        for (int k = 1 + below(4); k > 0 && !f.isEmpty(); --k) {
            const int i = below(int(f.size()));
            switch (below(6)) {
            case 0: case 1: f[i] = pick(kOddValues); break;
            case 2: f.removeAt(i); break;
            case 3: f.insert(i, f[i]); break;
            case 4: f.erase(f.begin() + i, f.end()); break;
            default: f[i] = QString::number(below(61) - 30); break;
            }
        }
        return f.join(sep);
    }

    QString moveLine(const QStringList &names) {
        QString line = pick(names) + (below(2) ? QStringLiteral(" moves") : QStringLiteral(" move"));
        for (int k = below(6); k > 0; --k)
            line += ' ' + pick(kMoveEnds) + '-' + pick(kMoveEnds);
        return line + QStringLiteral(" .");
    }

private:
    std::mt19937 rng_;
};

class MutatedLineSweepTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Without the pauses that let a viewer follow the game.
        window = loadQuickWindow(env);
        ASSERT_TRUE(window);
        window->flags.endList = true;

        QDirIterator files(QStringLiteral(KORVEX_FIXTURES_DIR), {"*.txt"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            for (QString line : QString::fromLatin1(file.readAll()).split('\n'))
                if (!line.remove('\r').trimmed().isEmpty())
                    recorded << line;
        }
        ASSERT_GT(recorded.size(), 100);
    }
    void TearDown() override { setWaitFactor(1); }

    void feed(const QString &data) {
        window->SplitFibString(data);
        env.clearMessages();
        ASSERT_GE(window->match.theCubeVal, 0) << data.toStdString();
        for (const CheckerSet *side : {&window->checkers.blackCheckers, &window->checkers.whiteCheckers})
            for (int i = 1; i <= CheckerSet::size; ++i)
                ASSERT_TRUE((*side)[i].point >= 0 && (*side)[i].point <= 28) << data.toStdString();
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
    QStringList recorded;
};

// Every field of every recorded line in turn at the ends of the number range, each line
// followed by an offer to double the cube it may have set.
TEST_F(MutatedLineSweepTest, EveryFieldAtTheEndsOfTheNumberRange) {
    for (const QString &line : std::as_const(recorded)) {
        const bool board = line.startsWith(QLatin1String("board:"));
        const QString sep = board ? QStringLiteral(":") : QStringLiteral(" ");
        const QStringList fields = line.split(sep);
        for (int i = 1; i < fields.size(); ++i) {
            bool number = false;
            fields[i].toLongLong(&number);
            if (!number)
                continue;
            for (const char *value : {"-2147483648", "2147483647", "-9223372036854775808"}) {
                QStringList bent = fields;
                bent[i] = QLatin1String(value);
                feed(bent.join(sep) + (board ? QStringLiteral("\r\nbob doubles.\r\n") : QStringLiteral("\r\n")));
                if (HasFatalFailure())
                    return;
            }
        }
    }
}

TEST_F(MutatedLineSweepTest, NoBentServerLineBreaksTheWindow) {
    Mutator mutator(20240611);
    for (int round = 0; round < 1200; ++round) {
        if (round % 200 == 0) {
            window->flags.isConnected = mutator.below(2);
            window->flags.isPlaying = mutator.below(2);
        }
        QString data;
        if (mutator.below(3) == 0) {
            window->match.ismyTurn = true;
            data = mutator.moveLine({"You", window->lblPlayer1->text(), window->lblPlayer2->text()}) + "\r\n";
        } else {
            for (int k = 1 + mutator.below(4); k > 0; --k) {
                const QString &line = mutator.pick(recorded);
                data += (mutator.below(3) ? mutator.mutate(line) : line) + "\r\n";
            }
        }
        feed(data);
        if (HasFatalFailure())
            return;
    }
}

}  // namespace
