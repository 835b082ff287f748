#include "play/OfflineLines.h"

namespace OfflineLines {

namespace {

const QString kPrefix = QStringLiteral("board:You:GnuBG:");
const QString kStandardStart = QStringLiteral("0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:");
const QString kNackgammonStart = QStringLiteral("0:-2:-2:0:0:0:4:0:3:0:0:0:-4:4:0:0:0:-3:0:-4:0:0:0:2:2:0:1:");
// Fields 38 to 53 of a game's first line: a centred cube of 1, no one borne off.
const QString kStartTail = QStringLiteral(":1:1:1:0:1:-1:0:25:0:0:0:0:2:1:0:0");
// Fields 48 to 53, the same on every line.
const QString kTail = QStringLiteral("0:0:2:1:0:0");

QString prefix(int matchLength, int score1, int score2) {
    return kPrefix + QString::number(matchLength) + ':' + QString::number(score1) + ':' + QString::number(score2) + ':';
}

QString n(int value) {
    return QString::number(value);
}

}  // namespace

QString positionFields(const GnuBoard &board) {
    const SideCounts &you = board[0];
    const SideCounts &gnubg = board[1];
    QString text = n(gnubg[25] > 0 ? -gnubg[25] : 0) + ':';
    for (int k = 1; k <= 24; ++k) {
        int value = 0;
        if (you[std::size_t(k)] > 0)
            value = you[std::size_t(k)];
        else if (gnubg[std::size_t(25 - k)] > 0)
            value = -gnubg[std::size_t(25 - k)];
        text += n(value) + ':';
    }
    return text + n(you[25] > 0 ? you[25] : 0) + ':';
}

QString rollLine(int matchLength, int score1, int score2, const GnuBoard &board, Roller roller, int die1, int die2,
                 int cube, bool userOwnsCube) {
    QString line = prefix(matchLength, score1, score2) + positionFields(board) + QStringLiteral("1:");
    line += roller == Roller::You ? n(die1) + ':' + n(die2) + QStringLiteral(":0:0:")
                                  : QStringLiteral("0:0:") + n(die1) + ':' + n(die2) + ':';
    // One colon between fields throughout: a reader that takes the line field by field, as
    // GNU Backgammon's does, refuses an empty field.
    if (cube <= 1)
        line += QStringLiteral("1:1:1:0:1:-1:0:25:");
    else
        line += n(cube) + ':' + (userOwnsCube ? QStringLiteral("1:1:0:1:-1:0:25:") : QStringLiteral("0:1:0:1:-1:0:25:"));
    return line + n(board[0][0]) + ':' + n(board[1][0]) + ':' + kTail;
}

QString startLine(int matchLength, int score1, int score2, bool nackgammon, Roller firstMover, int gnubgDie,
                  int userDie) {
    const QString dice = firstMover == Roller::GnuBG ? QStringLiteral("0:0:") + n(gnubgDie) + ':' + n(userDie)
                                                     : n(gnubgDie) + ':' + n(userDie) + QStringLiteral(":0:0");
    return prefix(matchLength, score1, score2) + (nackgammon ? kNackgammonStart : kStandardStart) + dice + kStartTail;
}

int gamePoints(int cube, const QString &resignLevel) {
    const int value = cube == 0 ? 1 : cube;
    if (resignLevel == QLatin1String("resign g "))
        return value * 2;
    if (resignLevel == QLatin1String("resign b "))
        return value * 3;
    return value;
}

QString gameWon(bool userWon, int points) {
    if (userWon)
        return QStringLiteral("You win the game and get ") + n(points) +
               (points == 1 ? QStringLiteral(" point. Congratulations!") : QStringLiteral(" points. Congratulations!"));
    return QStringLiteral("GnuBG wins the game and gets ") + n(points) + QStringLiteral(" points. Sorry.");
}

QString winBox(bool userWon, int points) {
    return (userWon ? QStringLiteral("You win ") : QStringLiteral("GnuBG wins ")) + n(points) +
           (points == 1 ? QStringLiteral(" point") : QStringLiteral(" points"));
}

QString scoreLine(int matchLength, int score1, int score2) {
    return QStringLiteral("score in ") + n(matchLength) + QStringLiteral(" point match: You-") + n(score1) +
           QStringLiteral(" GnuBG-") + n(score2);
}

QString matchWon(bool userWon, int matchLength, int score1, int score2) {
    if (userWon)
        return QStringLiteral("You win the ") + n(matchLength) + QStringLiteral(" point match ") + n(score1) + '-' +
               n(score2);
    return QStringLiteral("GnuBG wins the ") + n(matchLength) + QStringLiteral(" point match ") + n(score2) + '-' +
           n(score1);
}

}  // namespace OfflineLines
