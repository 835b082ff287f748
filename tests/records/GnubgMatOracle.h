#pragma once
// GNU Backgammon's reading of .mat files, the judge of what the converter writes: every file
// is imported in one gnubg process, and what gnubg complained of and the score it shows
// afterwards are kept per file. And the final score a match log itself tells.
#include "engine/GnubgInstalled.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>

struct MatVerdict {
    QStringList complaints;   // invalid or unknown moves, files not taken
    QMap<QString, int> score; // each player's points after the import
    int games = -1;           // the games gnubg counted
};

inline QList<MatVerdict> gnubgReads(const QStringList &matFiles) {
    QByteArray script;
    for (int i = 0; i < matFiles.size(); ++i)
        script += "import mat " + matFiles.at(i).toLocal8Bit() + "\nshow score\nfile_" + QByteArray::number(i) + "_done\n";
    const QString output = gnubgAnswer(script, 60000);

    static const QRegularExpression marker(QStringLiteral("Unknown keyword `file_\\d+_done'\\."));
    static const QRegularExpression scoreLine(QStringLiteral("The score \\(after (\\d+) games?\\) is: (.*) \\("));
    static const QRegularExpression player(QStringLiteral("(\\S+) (\\d+)"));
    // Whatever gnubg says of a file it reads is a complaint: a move it skips or does not
    // understand, a file it does not take.
    static const QRegularExpression complaint(
        QStringLiteral("\\b(warning|unrecogni[sz]ed|invalid|error)\\b|not a valid|no such file"),
        QRegularExpression::CaseInsensitiveOption);
    QList<MatVerdict> verdicts;
    const QStringList parts = output.split(marker);
    for (int i = 0; i < matFiles.size() && i < parts.size(); ++i) {
        MatVerdict verdict;
        for (const QString &line : parts.at(i).split(QLatin1Char('\n')))
            if (complaint.match(line).hasMatch())
                verdict.complaints << line.trimmed();
        const QRegularExpressionMatch score = scoreLine.match(parts.at(i));
        if (score.hasMatch())
            verdict.games = score.captured(1).toInt();
        for (const QString &side : score.captured(2).split(QStringLiteral(", "))) {
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
