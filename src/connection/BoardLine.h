#pragma once
// The server's board line: the word "board" and 52 more fields separated by colons, the one
// description of a whole position that the server sends and the offline game writes.
#include <QString>
#include <QStringView>
#include <array>

class BoardLine {
public:
    // Field numbers, counted from 1 as the line is read. "Player" is the side the line is
    // told from ("You" in the user's own match).
    enum Field {
        Word = 1,
        Player = 2,
        Opponent = 3,
        MatchLength = 4,
        PlayerScore = 5,
        OpponentScore = 6,
        Positions = 7,  // positions 0 to 25 in fields 7 to 32, signed counts
        Turn = 33,
        PlayerDie1 = 34,
        PlayerDie2 = 35,
        OpponentDie1 = 36,
        OpponentDie2 = 37,
        Cube = 38,
        PlayerMayDouble = 39,
        OpponentMayDouble = 40,
        WasDoubled = 41,
        Colour = 42,
        Direction = 43,
        Home = 44,
        Bar = 45,  // "25" when the player's bar is position 25 (drawn plain), "0" otherwise
        PlayerOff = 46,
        OpponentOff = 47,
        PlayerOnBar = 48,
        OpponentOnBar = 49,
        CanMove = 50,
        ForcedMove = 51,
        DidCrawford = 52,  // 1 once the match's Crawford game has been played
        Redoubles = 53,
    };
    static constexpr int kFields = 53;

    // Splits at every character of `delimiters`; empty pieces are dropped, so "::" is one
    // separator and every later field moves up. The line must outlive this object.
    explicit BoardLine(QStringView line, QStringView delimiters = u":");

    int count() const { return count_; }
    // The text of field `n`; empty past the end.
    QStringView field(int n) const;
    bool is(int n, QStringView text) const { return field(n) == text; }
    // Field `n` as a whole number. A field that is not digits after an optional minus throws
    // std::runtime_error ("Type mismatch"); one past 32 bits throws ("Overflow").
    int number(int n) const;
    // Position `p` (0 to 25) as its signed count.
    int position(int p) const { return number(Positions + p); }

    // Throws std::runtime_error, naming what is wrong, when no game can have given this board:
    // a field that is no whole number, dice past six, a cube that is no power of two, a negative
    // length, score or count, both scores at the match length, a side of more than fifteen
    // checkers. A line of fewer than kFields fields is no board and is not looked at.
    void requirePossible() const;

private:
    static constexpr int kKept = 64;  // more fields than any board line has
    std::array<QStringView, kKept> fields_{};
    int count_ = 0;
};
