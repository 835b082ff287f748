#include "records/MatConverter.h"

#include <QDir>
#include <QFileInfo>
#include <QVarLengthArray>

#include <cmath>
#include <limits>

namespace MatConverter {

namespace {

// Runs of these separate words, so "13-8" is two words and a board line's 53 fields are
// 53 words, their minus signs dropped.
bool isDelimiter(QChar c) {
    switch (c.unicode()) {
    case ':': case '.': case ' ': case '-': case ',': case '"': return true;
    default: return false;
    }
}

constexpr int kColumn = 33;  // the width of the opponent's half of a move line

QString column(const QString &text) {
    return text.size() >= kColumn ? text.left(kColumn) : text + QString(kColumn - text.size(), QLatin1Char(' '));
}

// One run over a log: the state of the match read so far and the text written so far.
class Writer {
public:
    explicit Writer(qsizetype lineCount) { out_.reserve(lineCount * 12); }

    void read(const QString &line);

    Result result() const { return {out_ + QStringLiteral("\r\n"), hasMatchStart_}; }

private:
    struct Row {
        bool (*matches)(const Writer &);
        void (*act)(Writer &);
    };
    static const Row kRows[];

    void split() {
        words_.clear();
        const QStringView line(line_);
        qsizetype start = -1;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (isDelimiter(line[i])) {
                if (start >= 0)
                    words_.append(line.mid(start, i - start));
                start = -1;
            } else if (start < 0) {
                start = i;
            }
        }
        if (start >= 0)
            words_.append(line.mid(start));
    }
    void replaceLine(const QString &line) {
        line_ = line;
        split();
    }

    qsizetype n() const { return words_.size(); }
    QStringView w(qsizetype k) const { return k >= 1 && k <= n() ? words_[k - 1] : QStringView(); }
    QString s(qsizetype k) const { return w(k).toString(); }
    bool is(qsizetype k, const char *text) const { return w(k) == QLatin1StringView(text); }
    bool isMe(qsizetype k) const { return !me_.isEmpty() && w(k) == me_; }
    bool isOpp(qsizetype k) const { return !opp_.isEmpty() && w(k) == opp_; }
    bool number(qsizetype k, int &value) const {
        bool ok = false;
        const int v = w(k).toInt(&ok);
        if (ok)
            value = v;
        return ok;
    }

    QString prefix() const {
        return (move_ < 10 ? QStringLiteral(" ") : QString()) + QString::number(move_) + QStringLiteral(") ");
    }
    void nextMove() {
        out_ += QStringLiteral("\r\n");
        ++move_;
    }
    void doubleCube() {
        if (cube_ <= std::numeric_limits<int>::max() / 2)
            cube_ *= 2;
    }

    // A side's own numbering, 24 down to 1, the bar 25 and borne off 0.
    QString moveList(qsizetype first, bool player) const {
        const bool turn = player == mirrored_;
        QString text;
        for (qsizetype k = first; k <= n() && k <= first + 7; ++k) {
            const bool from = (k - first) % 2 == 0;
            const QStringView word = w(k);
            bool numeric = false;
            const int point = word.toInt(&numeric);
            if (from && word == QLatin1StringView("bar"))
                text += QStringLiteral("25/");
            else if (!from && (word == QLatin1StringView("off") || word == QLatin1StringView("o")))
                text += QStringLiteral("0 ");
            else if (numeric)
                text += QString::number(turn ? 25 - point : point) + (from ? QLatin1Char('/') : QLatin1Char(' '));
        }
        return text;
    }

    void matchStart(QStringView length, QStringView point, QStringView match, const QString &opp, const QString &me) {
        const QString header = QLatin1Char(' ') + length.toString() + QLatin1Char(' ') + point.toString() +
                               QLatin1Char(' ') + match.toString();
        // Whatever came before belongs to another match: this one starts from nothing.
        *this = Writer(0);
        out_ = header;
        opp_ = opp;
        me_ = me;
        hasMatchStart_ = true;
    }
    void gameStart() {
        ++game_;
        gameWon_ = false;
        cube_ = 1;
        move_ = 0;
        out_ += QStringLiteral("\r\n\r\n Game ") + QString::number(game_) + QStringLiteral("\r\n");
        out_ += column(QLatin1Char(' ') + opp_ + QStringLiteral(" : ") + QString::number(oppScore_)) + me_ +
                QStringLiteral(" : ") + QString::number(myScore_);
    }
    void score() {
        int first = 0, second = 0;
        if (!number(7, first) || !number(9, second))
            return;
        (isOpp(6) ? oppScore_ : myScore_) = first;
        (isOpp(8) ? oppScore_ : myScore_) = second;
    }
    void playerWins(const QString &points) {
        right_ = QString(kColumn, QLatin1Char(' ')) + QStringLiteral(" Wins ") + points + QStringLiteral(" points");
        out_ += QStringLiteral("\r\n") + right_;
        wonGame(true, out_.size());
    }
    void opponentWins(const QString &points) {
        const QString win = QStringLiteral(" Wins ") + points + QStringLiteral(" points");
        out_ += QStringLiteral("\r\n") + win;
        const qsizetype end = out_.size();
        out_ += column(win).mid(win.size());
        wonGame(false, end);
    }
    void wonGame(bool player, qsizetype phraseEnd) {
        gameWon_ = true;
        winnerIsPlayer_ = player;
        winPhraseEnd_ = phraseEnd;
        winLineEnd_ = out_.size();
    }
    // A match may end with its own line alone, the last game's points told by the final
    // score only ("You win the 3 point match 3-1"): that game's win line is written from it.
    void lastGameWon(bool player) {
        int finalScore = 0;
        const int before = player ? myScore_ : oppScore_;
        if (gameWon_ || !number(7, finalScore) || finalScore <= before)
            return;
        const QString points = QString::number(finalScore - before);
        player ? playerWins(points) : opponentWins(points);
    }
    // The match's end follows its winner's win line, inside the winner's column: a reader
    // takes words past the left column, or on a line of their own, for a move.
    void matchWon(bool player) {
        lastGameWon(player);
        if (!gameWon_ || winnerIsPlayer_ != player || winLineEnd_ != out_.size())
            return;
        out_.truncate(winPhraseEnd_);
        out_ += QStringLiteral(" and the match");
    }
    void playerMoves(qsizetype first) {
        right_ += moveList(first, true);
        out_ += right_;
        right_.clear();
        left_.clear();
    }
    void opponentMoves(qsizetype first) {
        left_ += moveList(first, false);
        out_ += column(left_);
        left_.clear();
    }
    void forcedMove() {
        // The move ends at the line's first period; a remark may follow it.
        const qsizetype period = line_.indexOf(QLatin1Char('.'));
        if (period >= 0 && period + 1 < line_.size() - 1)
            replaceLine(line_.left(period + 1));
        if (playerOnRoll_) {
            playerMoves(6);
            playerWritten_ = true;
        } else {
            opponentMoves(6);
            opponentWritten_ = true;
        }
    }

    QString line_;
    QVarLengthArray<QStringView, 64> words_;
    QString out_;
    bool hasMatchStart_ = false;
    QString me_, opp_;
    int myScore_ = 0, oppScore_ = 0;
    int game_ = 0;
    int cube_ = 0;
    int move_ = 0;
    int myOpening_ = 0, oppOpening_ = 0;
    bool mirrored_ = false;
    QString left_, right_;
    bool playerOnRoll_ = false, playerWritten_ = false, opponentWritten_ = false;
    bool gameWon_ = false;  // the current game's win line is written
    // Whose it is, where its phrase ends and where the line ends with its padding.
    bool winnerIsPlayer_ = false;
    qsizetype winPhraseEnd_ = -1, winLineEnd_ = -1;
};

// The phrases, tested in this order on every line; one line may answer several.
const Writer::Row Writer::kRows[] = {
    // An own board line tells which way the user's points are numbered.
    {[](const Writer &x) { return x.n() == 53 && x.is(2, "You"); },
     [](Writer &x) { x.mirrored_ = x.is(45, "0"); }},
    // "You rolled 5 , GnuBG rolled 3"
    {[](const Writer &x) { return x.n() == 6 && x.is(2, "rolled"); },
     [](Writer &x) {
         int mine = 0, theirs = 0;
         if (x.number(3, mine) && x.number(6, theirs)) {
             x.myOpening_ = mine;
             x.oppOpening_ = theirs;
         }
     }},
    // "** You are now playing a 5 point match with gflohr"
    {[](const Writer &x) { return x.n() == 11 && x.is(8, "point") && x.is(9, "match") && x.is(2, "You"); },
     [](Writer &x) { x.matchStart(x.w(7), x.w(8), x.w(9), x.w(11).toString(), x.w(2).toString()); }},
    // "** Player GnuBG has joined you for a 3 point match."
    {[](const Writer &x) { return x.n() == 11 && x.is(2, "Player") && x.is(11, "match") && x.is(5, "joined"); },
     [](Writer &x) { x.matchStart(x.w(9), x.w(10), x.w(11), x.w(3).toString(), QStringLiteral("You")); }},
    // "Starting a new game with GnuBG."
    {[](const Writer &x) { return x.n() > 5 && x.is(1, "Starting") && x.is(3, "new"); },
     [](Writer &x) { x.gameStart(); }},
    // "score in 3 point match: You-0 GnuBG-1"
    {[](const Writer &x) { return x.n() == 9 && x.is(1, "score") && x.is(5, "match"); },
     [](Writer &x) { x.score(); }},
    // "It's your turn to move.": the user plays the opening dice.
    {[](const Writer &x) { return x.n() == 5 && x.is(1, "It's") && x.is(2, "your") && x.is(3, "turn"); },
     [](Writer &x) {
         x.replaceLine(QStringLiteral("You roll %1 and %2").arg(x.myOpening_).arg(x.oppOpening_));
         x.move_ = 1;
         x.out_ += QStringLiteral("\r\n") + column(QStringLiteral(" 1)"));
     }},
    // "GnuBG makes the first move."
    {[](const Writer &x) { return x.n() == 5 && !x.is(1, "You") && x.is(2, "makes") && x.is(4, "first"); },
     [](Writer &x) {
         x.replaceLine(x.s(1) + QStringLiteral(" rolls %1 and %2").arg(x.myOpening_).arg(x.oppOpening_));
     }},
    // "You roll 6 and 1."
    {[](const Writer &x) { return x.n() == 5 && x.is(1, "You") && x.is(2, "roll"); },
     [](Writer &x) {
         x.playerOnRoll_ = true;
         x.opponentWritten_ = true;
         x.playerWritten_ = false;
         x.right_ = x.s(3) + x.s(5) + QStringLiteral(": ");
     }},
    // "GnuBG rolls 4 and 2."
    {[](const Writer &x) { return x.n() == 5 && x.is(2, "rolls"); },
     [](Writer &x) {
         x.playerWritten_ = true;
         x.opponentWritten_ = false;
         x.playerOnRoll_ = false;
         x.nextMove();
         x.left_ = x.prefix() + x.s(3) + x.s(5) + QStringLiteral(": ");
     }},
    // "You double. Please wait for GnuBG to accept or reject."
    {[](const Writer &x) { return x.n() > 5 && x.isMe(1) && x.is(2, "double"); },
     [](Writer &x) {
         x.playerOnRoll_ = true;
         x.doubleCube();
         x.out_ += QStringLiteral("  Doubles => ") + QString::number(x.cube_);
         x.right_.clear();
         x.left_.clear();
     }},
    // "GnuBG doubles. Type 'accept' or 'reject'."
    {[](const Writer &x) { return x.n() > 5 && x.isOpp(1) && x.is(2, "doubles"); },
     [](Writer &x) {
         x.playerOnRoll_ = false;
         x.nextMove();
         x.doubleCube();
         x.out_ += column(x.prefix() + QStringLiteral(" Doubles => ") + QString::number(x.cube_));
         x.left_.clear();
     }},
    // "You accept the double.  The cube shows 2."
    {[](const Writer &x) { return x.n() > 5 && x.isMe(1) && x.is(2, "accept") && x.is(4, "double"); },
     [](Writer &x) {
         x.playerOnRoll_ = true;
         x.out_ += QStringLiteral(" Takes");
         x.right_.clear();
     }},
    // "GnuBG accepts the double. The cube shows 2."
    {[](const Writer &x) { return x.n() > 5 && x.isOpp(1) && x.is(2, "accepts") && x.is(4, "double"); },
     [](Writer &x) {
         x.playerOnRoll_ = false;
         x.nextMove();
         x.out_ += column(x.prefix() + QStringLiteral(" Takes "));
         x.left_.clear();
     }},
    // "You give up. GnuBG wins 1 point."
    {[](const Writer &x) { return x.n() > 5 && x.is(1, "You") && x.is(2, "give") && x.is(3, "up"); },
     [](Writer &x) {
         x.right_ = QStringLiteral(" Drops");
         x.out_ += x.right_;
     }},
    // "GnuBG gives up. You win 1 point."
    {[](const Writer &x) { return x.n() > 5 && x.isOpp(1) && x.is(2, "gives") && x.is(3, "up"); },
     [](Writer &x) {
         x.nextMove();
         x.left_ = x.prefix() + QStringLiteral(" Drops");
         x.out_ += column(x.left_);
     }},
    // "You accept and win 2 points."
    {[](const Writer &x) { return x.n() == 6 && x.is(1, "You") && x.is(2, "accept") && x.is(4, "win"); },
     [](Writer &x) { x.playerWins(x.s(5)); }},
    // "GnuBG gives up. You win 1 point."
    {[](const Writer &x) { return x.n() == 7 && x.isOpp(1) && x.is(2, "gives") && x.is(5, "win"); },
     [](Writer &x) { x.playerWins(x.s(6)); }},
    // "You win the game and get 1 point. Congratulations!"
    {[](const Writer &x) { return x.n() > 7 && x.isMe(1) && x.is(2, "win") && x.is(4, "game"); },
     [](Writer &x) { x.playerWins(x.s(7)); }},
    // "GnuBG accepts and wins 2 points."
    {[](const Writer &x) { return x.n() == 6 && x.isOpp(1) && x.is(2, "accepts") && x.is(4, "wins"); },
     [](Writer &x) { x.opponentWins(x.s(5)); }},
    // "You give up. GnuBG wins 1 point."
    {[](const Writer &x) { return x.n() == 7 && x.isMe(1) && x.is(2, "give") && x.is(5, "wins"); },
     [](Writer &x) { x.opponentWins(x.s(6)); }},
    // "GnuBG wins the game and gets 1 points. Sorry."
    {[](const Writer &x) { return x.n() > 7 && x.isOpp(1) && x.is(2, "wins") && x.is(4, "game"); },
     [](Writer &x) { x.opponentWins(x.s(7)); }},
    // "You win the 3 point match 3-1"
    {[](const Writer &x) { return x.n() > 7 && x.is(1, "You") && x.is(2, "win") && x.is(6, "match"); },
     [](Writer &x) { x.matchWon(true); }},
    // "GnuBG wins the 3 point match 3-1"
    {[](const Writer &x) { return x.n() > 7 && x.isOpp(1) && x.is(2, "wins") && x.is(6, "match"); },
     [](Writer &x) { x.matchWon(false); }},
    // "You can't move."
    {[](const Writer &x) { return x.n() == 3 && x.is(1, "You") && x.is(2, "can't") && x.is(3, "move"); },
     [](Writer &x) {
         x.out_ += x.right_;
         x.right_.clear();
     }},
    // "GnuBG can't move."
    {[](const Writer &x) { return x.n() == 3 && !x.is(1, "You") && x.is(2, "can't") && x.is(3, "move"); },
     [](Writer &x) { x.out_ += column(x.left_); }},
    // "The only possible move is 24-18 ."
    {[](const Writer &x) { return x.n() > 6 && x.is(1, "The") && x.is(2, "only") && x.is(3, "possible"); },
     [](Writer &x) { x.forcedMove(); }},
    // "You move 13-8 13-10"
    {[](const Writer &x) {
         return x.playerOnRoll_ && !x.playerWritten_ && x.n() > 3 && x.is(1, "You") && x.is(2, "move");
     },
     [](Writer &x) { x.playerMoves(3); }},
    // "GnuBG moves 1-5 12-14 ."
    {[](const Writer &x) {
         return !x.playerOnRoll_ && !x.opponentWritten_ && x.n() > 3 && x.isOpp(1) && x.is(2, "moves");
     },
     [](Writer &x) { x.opponentMoves(3); }},
    // "Bearing off: 6-off 5-off"
    {[](const Writer &x) {
         return x.playerOnRoll_ && !x.playerWritten_ && x.n() > 3 && x.is(1, "Bearing") && x.is(2, "off");
     },
     [](Writer &x) { x.playerMoves(3); }},
};

void Writer::read(const QString &line) {
    line_ = line;
    split();
    for (const Row &row : kRows)
        if (row.matches(*this))
            row.act(*this);
}

}  // namespace

Result convert(const QStringList &lines, const std::function<void(int percent)> &progress) {
    Writer writer(lines.size());
    int shown = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        writer.read(lines.at(i));
        if (!progress)
            continue;
        const int percent = int(std::lrint(double(i + 1) / double(lines.size()) * 100.0));
        if (percent != shown) {
            shown = percent;
            progress(percent);
        }
    }
    return writer.result();
}

QString matPathFor(const QString &logPath, const QString &folder) {
    return QDir(folder).filePath(QFileInfo(logPath).completeBaseName() + QStringLiteral(".mat"));
}

}  // namespace MatConverter
