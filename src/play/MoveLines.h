#pragma once
// A move line ("<name> moves 8-5 6-5 .") shown on the board: each move's checker slides from
// its point to its target, one after the other, a tenth of a second apart.
#include "board/CheckerRec.h"
#include "play/GameContext.h"

#include <QString>
#include <QStringList>
#include <vector>

// One move of a move line, as positions of the checker records.
struct LineMove {
    int from = 0;
    int to = 0;
    bool operator==(const LineMove &) const = default;
};

class MoveLines {
public:
    explicit MoveLines(const GameContext &context) : c_(context) {}

    // Player 1 of the board (the user's side, black) and player 2 (white), on the plain and
    // on the mirrored board.
    void ShowBlackMovesFromString(const QString &line);
    void ShowBlackReverseMovesFromString(const QString &line);
    void ShowWhiteMovesFromString(const QString &line);
    void ShowWhiteReverseMovesFromString(const QString &line);

    // The moves of a line for `side`: one to four from-to pairs after the name and "moves"
    // ("move" too for black), "bar" and "off" ("home" too) taken as the side's bar and tray,
    // point n as 25 - n when mirrored; a hit mark after a point ("7*") is passed over. Any
    // other shape gives no moves. A point that is not a number from 1 to 24 throws
    // std::runtime_error.
    static std::vector<LineMove> read(const QString &line, Side side, bool mirrored);

    // The last line shown could not be read to its end: the board may differ from the
    // server's until its next board line is drawn.
    bool lastLineUnreadable() const { return unreadable_; }

private:
    static QStringList pieces(const QString &line, Side side);
    static LineMove move(const QStringList &pieces, int k, Side side, bool mirrored);
    void show(const QString &line, Side side, bool mirrored);
    void showMoves(const QString &line, Side side, bool mirrored);
    void whiteTail();

    GameContext c_;
    bool unreadable_ = false;
};
