#pragma once
// GNU Backgammon's reading of .mat files, the judge of what the converter writes: every file
// is imported in one gnubg process, and what gnubg complained of and the score it shows
// afterwards are kept per file. And the final score a match log itself tells.
#include "engine/EngineFiles.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

struct MatVerdict {
    QStringList complaints;   // invalid moves, files not taken
    QMap<QString, int> score; // each player's points after the import
};

inline QList<MatVerdict> gnubgReads(const QStringList &matFiles) {
    QTemporaryDir home;  // gnubg keeps its settings in HOME
    QProcess gnubg;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    gnubg.setProcessEnvironment(environment);
    gnubg.setProcessChannelMode(QProcess::MergedChannels);
    gnubg.start(EngineFiles::program, {QStringLiteral("-t"), QStringLiteral("-q")});
    QByteArray script = "set confirm new off\n";
    for (int i = 0; i < matFiles.size(); ++i)
        script += "import mat " + matFiles.at(i).toLocal8Bit() + "\nshow score\nfile_" + QByteArray::number(i) + "_done\n";
    gnubg.write(script + "quit\n");
    gnubg.closeWriteChannel();
    gnubg.waitForFinished(60000);
    const QString output = QString::fromLocal8Bit(gnubg.readAll());

    static const QRegularExpression marker(QStringLiteral("Unknown keyword `file_\\d+_done'\\."));
    static const QRegularExpression scoreLine(QStringLiteral("The score \\(after \\d+ games?\\) is: (.*) \\("));
    static const QRegularExpression player(QStringLiteral("(\\S+) (\\d+)"));
    QList<MatVerdict> verdicts;
    const QStringList parts = output.split(marker);
    for (int i = 0; i < matFiles.size() && i < parts.size(); ++i) {
        MatVerdict verdict;
        for (const QString &line : parts.at(i).split(QLatin1Char('\n')))
            if (line.contains(QLatin1String("WARNING")) || line.contains(QLatin1String("not a valid")) ||
                line.contains(QLatin1String("No such file")))
                verdict.complaints << line.trimmed();
        const QRegularExpressionMatch score = scoreLine.match(parts.at(i));
        for (const QString &side : score.captured(1).split(QStringLiteral(", "))) {
            const QRegularExpressionMatch m = player.match(side);
            if (m.hasMatch())
                verdict.score[m.captured(1)] = m.captured(2).toInt();
        }
        verdicts << verdict;
    }
    while (verdicts.size() < matFiles.size())
        verdicts << MatVerdict{{QStringLiteral("gnubg gave no answer")}, {}};
    return verdicts;
}

// The score a log ends with: its match's final line ("You win the 3 point match 3-1"), or
// else its last "score in 3 point match: You-1 GnuBG-0". `opponent` names the other side.
inline QMap<QString, int> finalScore(const QStringList &log, const QString &opponent) {
    static const QRegularExpression won(QStringLiteral("^(\\S+) wins? the \\d+ point match (\\d+)-(\\d+)"));
    static const QRegularExpression score(QStringLiteral("^score in \\d+ point match: (\\S+)-(\\d+) (\\S+)-(\\d+)"));
    for (auto line = log.crbegin(); line != log.crend(); ++line) {
        if (const QRegularExpressionMatch m = won.match(*line); m.hasMatch()) {
            const bool you = m.captured(1) == QLatin1String("You");
            return {{QStringLiteral("You"), m.captured(you ? 2 : 3).toInt()},
                    {opponent, m.captured(you ? 3 : 2).toInt()}};
        }
        if (const QRegularExpressionMatch m = score.match(*line); m.hasMatch())
            return {{m.captured(1), m.captured(2).toInt()}, {m.captured(3), m.captured(4).toInt()}};
    }
    return {};
}
