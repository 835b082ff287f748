// A match log becomes a JF .mat file: the layout byte for byte, the phrases of the server's
// own lines, and GNU Backgammon importing the result with the log's final score.
#include "engine/GnubgInstalled.h"
#include "records/GnubgMatOracle.h"
#include "records/LogFiles.h"
#include "records/MatConverter.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A 3-point match against GnuBG: a drop, then a game opened by GnuBG.
const QStringList kExampleLog = {
    "** Player GnuBG has joined you for a 3 point match.",
    "Starting a new game with GnuBG.",
    "You rolled 5 , GnuBG rolled 3",
    "It's your turn to move.",
    "You move 13-8 13-10",
    "GnuBG rolls 4 and 2.",
    "GnuBG moves 1-5 12-14 .",
    "You roll 6 and 1.",
    "You move 13-7 8-7",
    "GnuBG doubles. Type 'accept' or 'reject'.",
    "You give up. GnuBG wins 1 point.",
    "score in 3 point match: You-0 GnuBG-1",
    "Starting a new game with GnuBG.",
    "You rolled 2 , GnuBG rolled 6",
    "GnuBG makes the first move.",
    "GnuBG moves 1-7 12-14 .",
    "You roll 3 and 3.",
    "You can't move.",
};

const QString kExampleMat = QStringLiteral(
    " 3 point match\r\n"
    "\r\n"
    " Game 1\r\n"
    " GnuBG : 0                       You : 0\r\n"
    " 1)                              53: 13/8 13/10 \r\n"
    " 2) 42: 24/20 13/11              61: 13/7 8/7 \r\n"
    " 3)  Doubles => 2                 Drops\r\n"
    " Wins 1 points                   \r\n"
    "\r\n"
    " Game 2\r\n"
    " GnuBG : 1                       You : 0\r\n"
    " 1) 26: 24/18 13/11              33: \r\n");

// A whole 3-point match as the server tells it, in the server's own phrases, the user's
// moves as the client records them. The board lines say the user moves from 24 down to 1.
QStringList serverMatch() {
    const QString board = "board:You:Nortally:3:%1:%2:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:"
                          "0:0:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0";
    return {"** You are now playing a 3 point match with Nortally",
            board.arg(0).arg(0),
            "Starting a new game with Nortally.",
            "You rolled 5, Nortally rolled 3",
            "It's your turn to move.",
            "You move 13-8 13-10 ",
            "Nortally rolls 3 and 5.",
            "Nortally moves 12-15 12-17 .",
            "You double. Please wait for Nortally to accept or reject.",
            "Nortally accepts the double.  The cube shows 2.",
            "You roll 6 and 4.",
            "You move 24-18 13-9 ",
            "Nortally wants to resign. You will win 2 points. Type 'accept' or 'reject'.",
            "You accept and win 2 points.",
            "score in 3 point match: You-2 Nortally-0",
            board.arg(2).arg(0),
            "Starting a new game with Nortally.",
            "You rolled 2, Nortally rolled 6",
            "Nortally makes the first move.",
            "Nortally moves 1-7 12-14 .",
            "You roll 6 and 4.",
            "You move 24-18 18-14 ",
            "You want to resign. Nortally will win 1 point. Type 'accept' or 'reject'.",
            "Nortally accepts and wins 1 point.",
            "score in 3 point match: You-2 Nortally-1",
            board.arg(2).arg(1),
            "Starting a new game with Nortally.",
            "You rolled 1, Nortally rolled 4",
            "Nortally makes the first move.",
            "Nortally moves 1-2 12-16 .",
            "You roll 3 and 1.",
            "You move 8-5 6-5 ",
            "Nortally doubles. Type 'accept' or 'reject'.",
            "You give up. Nortally wins 1 point.",
            "score in 3 point match: You-2 Nortally-2",
            board.arg(2).arg(2),
            "Starting a new game with Nortally.",
            "You rolled 6, Nortally rolled 1",
            "It's your turn to move.",
            "You move 13-7 8-7 ",
            "Nortally rolls 6 and 6.",
            "Nortally moves 12-18 12-18 17-23 17-23 .",
            "You roll 6 and 6.",
            "You move 13-7 13-7 13-7 8-2 ",
            "Nortally wants to resign. You will win 1 point. Type 'accept' or 'reject'.",
            "You accept and win 1 point.",
            "You win the 3 point match 3-2 ."};
}

// The same match on a board numbered the other way round: the user from 1 up to 24.
QStringList mirrored(const QStringList &log) {
    QStringList out;
    static const QRegularExpression number("\\d+");
    for (QString line : log) {
        if (line.startsWith("board:")) {
            QStringList fields = line.split(':');
            fields[43] = "25";
            fields[44] = "0";
            line = fields.join(':');
        } else if (line.startsWith("You move ") || line.startsWith("Nortally moves ")) {
            QString flipped;
            qsizetype last = 0;
            for (auto it = number.globalMatch(line); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                flipped += line.mid(last, m.capturedStart() - last) + QString::number(25 - m.captured().toInt());
                last = m.capturedEnd();
            }
            line = flipped + line.mid(last);
        }
        out << line;
    }
    return out;
}

QString writeMat(const QTemporaryDir &dir, const QString &name, const QStringList &log) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(MatConverter::convert(log).text.toLatin1());
    return path;
}

TEST(MatConverterTest, TheWorkedExampleIsWrittenByteForByteAndGnubgReadsItAndAWholeOfflineMatch) {
    QList<int> reported;
    const MatConverter::Result mat = MatConverter::convert(kExampleLog, [&](int percent) { reported << percent; });
    EXPECT_TRUE(mat.hasMatchStart);
    EXPECT_EQ(mat.text, kExampleMat);
    // Once per change of the share done, ending at the whole.
    ASSERT_EQ(reported.size(), kExampleLog.size());
    EXPECT_EQ(reported.last(), 100);

    SKIP_WITHOUT_GNUBG();
    // And a 5-point match against GnuBG as the offline game logged it.
    QStringList offline;
    ASSERT_TRUE(LogFiles::readLines(KORVEX_FIXTURES_DIR "/../match-logs/gnubg-5-point.log", offline));
    QTemporaryDir dir;
    const QList<MatVerdict> verdicts =
        gnubgReads({writeMat(dir, "example.mat", kExampleLog), writeMat(dir, "offline.mat", offline)});
    ASSERT_EQ(verdicts.size(), 2);
    for (const MatVerdict &verdict : verdicts)
        EXPECT_TRUE(verdict.complaints.isEmpty()) << verdict.complaints.join('\n').toStdString();
    EXPECT_EQ(verdicts.at(0).score, finalScore(kExampleLog, "GnuBG"));
    EXPECT_EQ(verdicts.at(1).score, finalScore(offline, "GnuBG"));
    EXPECT_EQ(verdicts.at(1).score, (QMap<QString, int>{{"You", 5}, {"GnuBG", 2}}));
}

TEST(MatConverterTest, AServerMatchEitherWayRoundConvertsToOneFileGnubgTakesWhole) {
    const QStringList log = serverMatch();
    const MatConverter::Result mat = MatConverter::convert(log);
    ASSERT_TRUE(mat.hasMatchStart);
    EXPECT_EQ(MatConverter::convert(mirrored(log)).text, mat.text);
    const QStringList lines = mat.text.split("\r\n");
    // The user's double ends his half; the take opens a numbered line. An accepted
    // resignation is a win line alone.
    EXPECT_TRUE(lines.contains(QString(" 2) 35: 13/10 13/8").leftJustified(33) + "  Doubles => 2"))
        << mat.text.toStdString();
    EXPECT_TRUE(lines.contains(QString(" 3)  Takes").leftJustified(33) + "64: 24/18 13/9 "));
    EXPECT_TRUE(lines.contains(QString(33, ' ') + " Wins 2 points"));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.at(lines.size() - 2), QString(33, ' ') + " Wins 1 points and the match");
    EXPECT_TRUE(lines.contains(" Nortally : 2                    You : 2"));

    SKIP_WITHOUT_GNUBG();
    QTemporaryDir dir;
    const MatVerdict verdict = gnubgReads({writeMat(dir, "server.mat", log)}).value(0);
    EXPECT_TRUE(verdict.complaints.isEmpty()) << verdict.complaints.join('\n').toStdString();
    EXPECT_EQ(verdict.score, finalScore(log, "Nortally"));
}

TEST(MatConverterTest, OddLogsNeitherOverflowNorStopHalfWay) {
    // No match start: nothing a reader would take.
    EXPECT_FALSE(MatConverter::convert(kExampleLog.mid(1)).hasMatchStart);

    // Words that should be numbers and are not leave their phrase out; the rest goes on.
    QStringList odd = kExampleLog;
    odd[2] = "You rolled x , GnuBG rolled 3";
    odd[11] = "score in 3 point match: You-0 GnuBG-one";
    const QString text = MatConverter::convert(odd).text;
    EXPECT_TRUE(text.contains(" GnuBG : 0                       You : 0\r\n 1) 26: 24/18 13/11")) << text.toStdString();

    // Forty doubles: the cube stops at the largest value it can hold.
    QStringList cubes = kExampleLog.mid(0, 2);
    for (int i = 0; i < 40; ++i)
        cubes << "GnuBG doubles. Type 'accept' or 'reject'." << "You accept the double. The cube shows 2.";
    const QString cubeText = MatConverter::convert(cubes).text;
    EXPECT_TRUE(cubeText.contains("\r\n" + QString("20)  Doubles => 1048576").leftJustified(33) + " Takes\r\n"));
    EXPECT_TRUE(cubeText.contains("\r\n30)  Doubles => 1073741824"));
    EXPECT_TRUE(cubeText.contains("\r\n40)  Doubles => 1073741824"));
    EXPECT_FALSE(cubeText.contains("Doubles => -") || cubeText.contains("Doubles => 0"));

    // From move 10 on the number loses its leading blank.
    QStringList long_ = kExampleLog.mid(0, 5);
    for (int i = 0; i < 10; ++i)
        long_ << "GnuBG rolls 6 and 5." << "GnuBG can't move.";
    EXPECT_TRUE(MatConverter::convert(long_).text.endsWith(" 9) 65: " + QString(25, ' ') + "\r\n10) 65: " +
                                                           QString(25, ' ') + "\r\n11) 65: " + QString(25, ' ') +
                                                           "\r\n"));

    // A forced move is written from its sixth word, once, however the server repeats it.
    QStringList forced = kExampleLog.mid(0, 4);
    forced << "The only possible move is 13-8 13-10 ." << "You move 13-8 13-10";
    EXPECT_TRUE(MatConverter::convert(forced).text.endsWith(" 1)" + QString(30, ' ') + "53: 13/8 13/10 \r\n"));

    // A match that ends with its own line alone: the last game's win comes from the final score.
    EXPECT_TRUE(MatConverter::convert(kExampleLog + QStringList{"GnuBG wins the 3 point match 3-0"})
                    .text.endsWith("\r\n Wins 2 points and the match\r\n"));

    // A second match in one log: the file holds that match alone.
    EXPECT_EQ(MatConverter::convert(kExampleLog + kExampleLog).text, kExampleMat);

    // Beyond the 16-bit counters of old: forty thousand lines.
    QStringList many = kExampleLog;
    while (many.size() < 40000)
        many << kExampleLog.mid(12);
    const QString manyText = MatConverter::convert(many).text;
    EXPECT_TRUE(manyText.contains(" Game 6666\r\n"));
    EXPECT_FALSE(manyText.contains(" Game 6667\r\n"));
}

// The match's end stands on its winner's win line, in the winner's column, however the last
// game was won; and a resignation's win line is written at once, with the points it names.
TEST(MatConverterTest, TheMatchEndFollowsItsWinLineInTheWinnersColumn) {
    QStringList start = kExampleLog.mid(0, 9);
    start[0] = "** Player GnuBG has joined you for a 1 point match.";
    const QString right(33, ' ');
    const struct {
        const char *how;
        QStringList ending;
        QString lastLine;
    } endings[] = {
        {"GnuBG's double dropped",
         {"GnuBG doubles. Type 'accept' or 'reject'.", "You give up. GnuBG wins 1 point",
          "score in 1 point match: You-0 GnuBG-1", "GnuBG wins the 1 point match 1-0"},
         " Wins 1 points and the match"},
        {"the user's resignation",
         {"You want to resign. GnuBG will win 1 point. Type 'accept' or 'reject'.", "GnuBG accepts and wins 1 point.",
          "GnuBG wins the 1 point match 1-0 ."},
         " Wins 1 points and the match"},
        {"GnuBG's game, told by the final score alone", {"GnuBG wins the 1 point match 1-0"},
         " Wins 1 points and the match"},
        {"the user's double dropped",
         {"GnuBG rolls 4 and 2.", "GnuBG moves 12-16 12-14 .", "You double. Please wait for GnuBG to accept or reject.",
          "GnuBG gives up. You win 1 point.", "You win the 1 point match 1-0"},
         right + " Wins 1 points and the match"},
        {"GnuBG's resignation",
         {"GnuBG wants to resign. You will win 1 point. Type 'accept' or 'reject'.", "You accept and win 1 point.",
          "You win the 1 point match 1-0 ."},
         right + " Wins 1 points and the match"},
    };
    QTemporaryDir dir;
    QStringList files;
    for (const auto &end : endings) {
        const QString text = MatConverter::convert(start + end.ending).text;
        EXPECT_TRUE(text.endsWith("\r\n" + end.lastLine + "\r\n")) << end.how << "\n" << text.toStdString();
        files << writeMat(dir, QString::number(files.size()) + ".mat", start + end.ending);
    }

    // GnuBG accepts a resignation of 2 points and nothing follows, not even the next game.
    const QStringList resigned = kExampleLog.mid(0, 9) +
                                 QStringList{"GnuBG doubles. Type 'accept' or 'reject'.",
                                             "You accept the double. The cube shows 2.",
                                             "You want to resign. GnuBG will win 2 points. Type 'accept' or 'reject'.",
                                             "GnuBG accepts and wins 2 points."};
    EXPECT_TRUE(MatConverter::convert(resigned).text.endsWith("\r\n" + QString(" Wins 2 points").leftJustified(33) +
                                                              "\r\n"));
    files << writeMat(dir, "resigned.mat", resigned);

    // A log that lost its last game's lines (a dropped match, rescued in part) names the
    // match's winner right after the other player's win: that line is left as it is.
    const QStringList gnubgWon = kExampleLog.mid(0, 12) + QStringList{"You win the 3 point match 3-1"};
    const QStringList userWon =
        kExampleLog.mid(0, 9) + QStringList{"GnuBG rolls 4 and 2.", "GnuBG moves 12-16 12-14 .",
                                            "You double. Please wait for GnuBG to accept or reject.",
                                            "GnuBG gives up. You win 1 point.", "score in 3 point match: You-1 GnuBG-0",
                                            "GnuBG wins the 3 point match 3-1"};
    for (const auto &[log, winLine] : {std::pair{gnubgWon, QString(" Wins 1 points").leftJustified(33)},
                                       std::pair{userWon, right + " Wins 1 points"}}) {
        const QString text = MatConverter::convert(log).text;
        EXPECT_TRUE(text.endsWith("\r\n" + winLine + "\r\n")) << text.toStdString();
        EXPECT_FALSE(text.contains("and the match")) << text.toStdString();
    }

    SKIP_WITHOUT_GNUBG();
    const QList<MatVerdict> verdicts = gnubgReads(files);
    ASSERT_EQ(verdicts.size(), files.size());
    for (int i = 0; i < verdicts.size(); ++i) {
        const QMap<QString, int> score = i < files.size() - 1 ? finalScore(start + endings[i].ending, "GnuBG")
                                                              : QMap<QString, int>{{"GnuBG", 2}, {"You", 0}};
        EXPECT_TRUE(verdicts.at(i).complaints.isEmpty()) << files.at(i).toStdString() << "\n"
                                                         << verdicts.at(i).complaints.join('\n').toStdString();
        EXPECT_EQ(verdicts.at(i).score, score) << files.at(i).toStdString();
        EXPECT_EQ(verdicts.at(i).games, 1) << files.at(i).toStdString();
    }
}

}  // namespace
