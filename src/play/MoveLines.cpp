#include "play/MoveLines.h"

#include "app/AppState.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"
#include "board/BoardDrawing.h"
#include "board/CheckerMoves.h"
#include "play/GameHost.h"

#include <exception>
#include <stdexcept>

namespace {

// The server lets the slide of one checker end before the next one starts.
constexpr int kPauseBetweenMoves = 100;

int pointNumber(QString piece, bool mirrored) {
    if (piece.endsWith(QLatin1Char('*')))
        piece.chop(1);  // the hit is seen when the checker lands
    const auto n = SettingsText::isNumeric(piece) ? SettingsText::toInt16(piece) : std::nullopt;
    if (!n)
        throw std::runtime_error(SettingsText::isNumeric(piece) ? "Overflow" : "Type mismatch");
    // The bar and the trays are named, never numbered: any other number is no place a
    // checker can stand on, and the line is not read further.
    if (*n < 1 || *n > 24)
        throw std::runtime_error("Subscript out of range");
    return mirrored ? 25 - *n : *n;
}

bool isTray(const QString &piece) {
    return piece == QLatin1String("off") || piece == QLatin1String("home");
}

}  // namespace

// The pieces of a move line when it has the shape of one, else nothing.
QStringList MoveLines::pieces(const QString &line, Side side) {
    const QStringList pieces = SplitWords(line, QStringLiteral("-.: "));
    const QString word = pieces.value(1);
    const bool accepted = word == QLatin1String("moves") || (side == Side::Black && word == QLatin1String("move"));
    const int count = int(pieces.size());
    if (!accepted || count < 4 || count > 10 || count % 2 != 0)
        return {};
    return pieces;
}

// Move k (1 to 4) of a line's pieces.
LineMove MoveLines::move(const QStringList &pieces, int k, Side side, bool mirrored) {
    const bool black = side == Side::Black;
    const QString &from = pieces[2 * k];
    const QString &to = pieces[2 * k + 1];
    return {from == QLatin1String("bar") ? (black ? Position::blackBar : Position::whiteBar) : pointNumber(from, mirrored),
            isTray(to) ? (black ? Position::blackTray : Position::whiteTray) : pointNumber(to, mirrored)};
}

std::vector<LineMove> MoveLines::read(const QString &line, Side side, bool mirrored) {
    const QStringList p = pieces(line, side);
    std::vector<LineMove> moves;
    for (int k = 1; 2 * k < p.size(); ++k)
        moves.push_back(move(p, k, side, mirrored));
    return moves;
}

void MoveLines::ShowBlackMovesFromString(const QString &line) {
    show(line, Side::Black, false);
}

void MoveLines::ShowBlackReverseMovesFromString(const QString &line) {
    show(line, Side::Black, true);
}

// The opponent's turn ends with his move line, whatever it held.
void MoveLines::ShowWhiteMovesFromString(const QString &line) {
    c_.match.gameOver = false;
    show(line, Side::White, false);
    whiteTail();
    if (c_.flags.isBot)
        c_.host.offlineEngineMoved();
}

void MoveLines::ShowWhiteReverseMovesFromString(const QString &line) {
    show(line, Side::White, true);
    whiteTail();
}

// A move the line does not let us read is not guessed at: the moves before it are shown, and
// the reader draws the server's next board line whatever it holds. A box for each such line
// would only stop the game while the server goes on.
void MoveLines::show(const QString &line, Side side, bool mirrored) {
    unreadable_ = false;
    try {
        showMoves(line, side, mirrored);
    } catch (const std::exception &) {
        unreadable_ = true;
    }
}

void MoveLines::showMoves(const QString &line, Side side, bool mirrored) {
    const QStringList p = pieces(line, side);
    for (int k = 1; 2 * k < p.size(); ++k) {
        const LineMove m = move(p, k, side, mirrored);  // a bad point ends the line here
        // A point the side has no checker on is passed over; the next move still goes.
        int checker = c_.checkers.checkers(side).firstOn(m.from);
        if (checker == 0)
            continue;
        if (side == Side::Black)
            c_.moves.MoveBlackChecker(checker, m.to, true);
        else
            c_.moves.MoveWhiteChecker(checker, m.to, true);
        c_.host.sleep(kPauseBetweenMoves);
    }
}

// The opponent has moved: the turn passes to the user.
void MoveLines::whiteTail() {
    c_.match.die1 = 0;
    c_.match.die2 = 0;
    c_.match.ismyTurn = true;
    c_.board.ClearDice(QStringLiteral("white"));
}
