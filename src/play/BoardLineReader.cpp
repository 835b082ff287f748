#include "play/BoardLineReader.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "app/SettingsText.h"
#include "connection/BoardLine.h"
#include "play/BoardLineApplication.h"
#include "play/GameHost.h"
#include "play/MoveLines.h"

#include <exception>
#include <stdexcept>

namespace {

// A label's caption as the 16-bit number the match state keeps.
int labelNumber(const QString &caption) {
    if (!SettingsText::isNumeric(caption))
        throw std::runtime_error("Type mismatch");
    const auto value = SettingsText::toInt16(caption);
    if (!value)
        throw std::runtime_error("Overflow");
    return *value;
}

// The labels are read from the line's words, the board from its colon-separated fields. A
// blank or a comma where a colon belongs would shift one against the other, and the board
// drawn would not be the one checked; so would anything but blanks before the word "board".
// The fields are checked on the very text the board is drawn from: the line without the
// blanks the dispatcher lets stand before it and those after its last field, which separate
// nothing.
void requireColonSeparated(const BoardLine &words, QStringView board) {
    const BoardLine fields(board);
    bool same = board.startsWith(u"board:") && fields.count() == words.count();
    for (int n = BoardLine::Word; same && n <= words.count(); ++n)
        same = fields.field(n) == words.field(n);
    if (!same)
        throw std::runtime_error("Invalid field separator");
}

QString withoutOuterBlanks(const QString &line) {
    qsizetype first = 0, last = line.size();
    while (first < last && line.at(first) == ' ')
        ++first;
    while (last > first && line.at(last - 1) == ' ')
        --last;
    return first == 0 && last == line.size() ? line : line.mid(first, last - first);
}

}  // namespace

void BoardLineReader::ProcessBoardOutput(const QString &line) {
    try {
        // Blanks and commas separate too, so that a move line's name and verb are words 1 and 2.
        const BoardLine w(line, u" :,");
        const bool board = w.count() > 1 && w.is(1, u"board") && w.count() >= BoardLine::kFields;
        if (board) {
            // A board no game can give is refused whole, before any of it is taken.
            const QString boardText = withoutOuterBlanks(line);
            requireColonSeparated(w, boardText);
            w.requirePossible();
            showBoard(boardText, w);
        }
        if (board && c_.flags.isConnected)
            ownOrWatched(w);
        if (w.count() >= 2)
            showMoves(line, w);
    } catch (const std::exception &error) {
        Dialogs::message(QStringLiteral("Error in ProcessBoardOutput  ") + QString::fromLocal8Bit(error.what()));
    }
}

// Only a board with dice on it, or the first of a match or of a watching, is drawn: the
// server sends several boards per turn and the others would only flicker.
void BoardLineReader::showBoard(const QString &line, const BoardLine &w) {
    MatchState &m = c_.match;
    const bool drawable = w.number(BoardLine::PlayerDie1) != 0 || w.number(BoardLine::OpponentDie1) != 0 ||
                          m.gameInit || redrawPending_ || watchStartPending_;
    if (!drawable)
        return;
    const bool plain = w.is(BoardLine::Bar, u"25");
    if (!plain && !w.is(BoardLine::Bar, u"0"))
        return;
    setLabels(w);
    isReverseBoard = !plain;
    if (plain)
        boards_.ShowBoardFromString(line);
    else
        boards_.ShowReverseBoardfromString(line);
    m.gameInit = false;
    watchStartPending_ = false;
    if (redrawPending_)
        takeTurnFrom(w);
    if (plain) {
        m.theMatchLength = labelNumber(c_.host.caption(GameLabel::Match));
        m.theMatchscore1 = labelNumber(c_.host.caption(GameLabel::Score1));
        m.theMatchscore2 = labelNumber(c_.host.caption(GameLabel::Score2));
    }
}

void BoardLineReader::setLabels(const BoardLine &w) {
    GameHost &h = c_.host;
    h.setCaption(GameLabel::Player1, w.field(BoardLine::Player).toString());
    h.setCaption(GameLabel::Player2, w.field(BoardLine::Opponent).toString());
    h.setCaption(GameLabel::Match, w.field(BoardLine::MatchLength).toString());
    h.setCaption(GameLabel::Score1, w.field(BoardLine::PlayerScore).toString());
    h.setCaption(GameLabel::Score2, w.field(BoardLine::OpponentScore).toString());
    const int score1 = labelNumber(h.caption(GameLabel::Score1));
    const int score2 = labelNumber(h.caption(GameLabel::Score2));
    const int length = labelNumber(h.caption(GameLabel::Match));
    // The offline game's own lines leave the field at 0; there the rule follows the scores.
    const int didCrawford = c_.flags.isBot ? -1 : (w.number(BoardLine::DidCrawford) != 0 ? 1 : 0);
    if (score1 != lastScore1_ || score2 != lastScore2_ || length != lastMatchLength_ ||
        didCrawford != lastDidCrawford_) {
        h.CheckCrawford(didCrawford);
        lastScore1_ = score1;
        lastScore2_ = score2;
        lastMatchLength_ = length;
        lastDidCrawford_ = didCrawford;
    }
}

// The board line names its first player "You" in the user's own match only. The line itself
// decides, not the name label: a board that is not drawn leaves the label of the match before.
// A watched match is never recorded as the user's: only an own match turns logging on.
void BoardLineReader::ownOrWatched(const BoardLine &w) {
    StateFlags &f = c_.flags;
    if (!f.isReady)
        readyTogglePending = false;
    if (!w.is(BoardLine::Player, u"You")) {
        f.isPlaying = false;
        f.isWatching = true;
        c_.host.enablePickUp(false);
        return;
    }
    f.isLogging = true;
    f.isPlaying = true;
    f.isWatching = false;
    // A player who wants to be left alone while playing is made not ready, once: a second
    // toggle before the server's answer would make him ready again.
    if (c_.prefs.prfToggleReady && !c_.match.ismyTurn && f.isReady && !readyTogglePending &&
        c_.host.socketConnected()) {
        c_.host.send(QStringLiteral("toggle ready "));
        readyTogglePending = true;
    }
}

// After a move line that could not be read, whose turn it is and whether the dice are down
// comes from the board line alone.
void BoardLineReader::takeTurnFrom(const BoardLine &w) {
    redrawPending_ = false;
    MatchState &m = c_.match;
    const int turn = w.number(BoardLine::Turn);
    if (w.number(BoardLine::PlayerDie1) > 0)
        return;  // the user's roll: the board has set the turn with the dice
    m.ismyTurn = turn != 0 && turn == w.number(BoardLine::Colour);
    if (m.ismyTurn) {
        m.die1 = 0;
        m.die2 = 0;
    }
}

void BoardLineReader::showMoves(const QString &line, const BoardLine &w) {
    const QStringView name = w.field(1);
    const bool moves = w.is(2, u"moves");
    if ((moves || w.is(2, u"move")) && name == c_.host.caption(GameLabel::Player1)) {
        c_.match.gameInit = false;
        if (isReverseBoard)
            moves_.ShowBlackReverseMovesFromString(line);
        else
            moves_.ShowBlackMovesFromString(line);
        redrawPending_ = redrawPending_ || moves_.lastLineUnreadable();
    }
    if (moves && name == c_.host.caption(GameLabel::Player2)) {
        if (isReverseBoard)
            moves_.ShowWhiteReverseMovesFromString(line);
        else
            moves_.ShowWhiteMovesFromString(line);
        redrawPending_ = redrawPending_ || moves_.lastLineUnreadable();
    }
}
