#include "play/MoveLines.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
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

void report(const char *text, const std::exception &error) {
    Dialogs::message(QLatin1String(text) + QString::fromLocal8Bit(error.what()));
}

int pointNumber(const QString &piece, bool mirrored) {
    const auto n = SettingsText::isNumeric(piece) ? SettingsText::toInt16(piece) : std::nullopt;
    if (!n)
        throw std::runtime_error(SettingsText::isNumeric(piece) ? "Overflow" : "Type mismatch");
    return mirrored ? 25 - *n : *n;
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
            to == QLatin1String("off") ? (black ? Position::blackTray : Position::whiteTray) : pointNumber(to, mirrored)};
}

std::vector<LineMove> MoveLines::read(const QString &line, Side side, bool mirrored) {
    const QStringList p = pieces(line, side);
    std::vector<LineMove> moves;
    for (int k = 1; 2 * k < p.size(); ++k)
        moves.push_back(move(p, k, side, mirrored));
    return moves;
}

void MoveLines::ShowBlackMovesFromString(const QString &line) {
    try {
        show(line, Side::Black, false);
    } catch (const std::exception &error) {
        report("Error in ShowBlackMovesFromSting  ", error);
    }
}

void MoveLines::ShowBlackReverseMovesFromString(const QString &line) {
    try {
        show(line, Side::Black, true);
    } catch (const std::exception &error) {
        report("Error in ShowBlackReverseMovesFromString  ", error);
    }
}

void MoveLines::ShowWhiteMovesFromString(const QString &line) {
    try {
        c_.match.gameOver = false;
        show(line, Side::White, false);
        whiteTail();
        if (c_.flags.isBot)
            c_.host.offlineEngineMoved();
    } catch (const std::exception &error) {
        report("Error in ShowWhiteMovesFromString  ", error);
    }
}

void MoveLines::ShowWhiteReverseMovesFromString(const QString &line) {
    try {
        show(line, Side::White, true);
        whiteTail();
    } catch (const std::exception &error) {
        report("Error in ShowwhiteReverse movesFromString  ", error);
    }
}

void MoveLines::show(const QString &line, Side side, bool mirrored) {
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
