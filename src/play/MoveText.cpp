#include "play/MoveText.h"

#include "board/CheckerRec.h"

namespace MoveText {

QString of(const std::array<MoveRecEntry, 4> &moves, bool reversedBoard) {
    auto point = [reversedBoard](int p) { return QString::number(reversedBoard ? 25 - p : p); };
    QString text;
    for (const MoveRecEntry &move : moves) {
        if (move.fromPoint == 0 || move.toPoint == 0)
            continue;
        text += move.fromPoint == Position::blackBar ? QStringLiteral("bar") : point(move.fromPoint);
        text += QLatin1Char('-');
        text += move.toPoint == Position::blackTray ? QStringLiteral("off") : point(move.toPoint);
        text += QLatin1Char(' ');
    }
    return text;
}

}  // namespace MoveText
