// The JF .pos layout: the bytes of one position, the cube owner where GNU Backgammon keeps it,
// and the files a reader must refuse before anything is played from them.
#include "records/JfPos.h"
#include "support/QtPrinters.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// User: 3 on his 6, 3 on his 8, 4 on his 13, 2 on his 24, 3 on the bar. Opponent: 4 on the
// user's 12, 3 on his 17, 5 on his 19, 2 on the bar, 1 borne off. The user owns a cube of 4
// and leads 3-2 in a 7-point match.
JfPosition barPosition() {
    JfPosition p;
    for (auto [place, count] : {std::pair{6, 3}, {8, 3}, {13, 4}, {24, 2}, {25, 3}})
        p.board[0][std::size_t(place)] = count;
    for (auto [place, count] : {std::pair{13, 4}, {8, 3}, {6, 5}, {25, 2}, {0, 1}})
        p.board[1][std::size_t(place)] = count;
    p.cube = 4;
    p.owner = JfPosition::Owner::User;
    p.matchLength = 7;
    p.userScore = 3;
    p.opponentScore = 2;
    return p;
}

const QByteArray kBarFile = QByteArray::fromHex(
    "7e00000000000100010001000400020002000000000000000100020007000700"
    "02000300094a656c6c7946697368045573657200000100000000000001001700"
    "000016000000140000001400000014000000140000000f000000140000001100"
    "0000140000001400000014000000180000001000000014000000140000001400"
    "0000170000001400000017000000140000001400000014000000140000001400"
    "000012000000");

int fieldAt(const QByteArray &bytes, int offset) {
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

QByteArray withField(QByteArray bytes, int offset, int value) {
    qToLittleEndian<qint16>(qint16(value), bytes.data() + offset);
    return bytes;
}

// The bar file with every checker of one side gone from the board: all 15 borne off.
QByteArray allBorneOff(bool user) {
    QByteArray bytes = kBarFile;
    for (int offset = 62; offset < bytes.size(); offset += 4)
        if (user ? fieldAt(bytes, offset) > 20 : fieldAt(bytes, offset) < 20)
            bytes = withField(bytes, offset, 20);
    return bytes;
}

TEST(JfPosTest, APositionIsWrittenInTheLayoutAndReadBackWhole) {
    const std::optional<QByteArray> bytes = JfPos::write(barPosition());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 166);
    EXPECT_EQ(*bytes, kBarFile);
    EXPECT_EQ(fieldAt(kBarFile, 62), 23);   // the user's three on the bar
    EXPECT_EQ(fieldAt(kBarFile, 162), 18);  // the opponent's two
    EXPECT_EQ(JfPos::read(kBarFile), barPosition());
}

// The owner is the field at offset 14, as GNU Backgammon reads it; offset 8 is the Jacoby
// rule, 1 in every file written. A cube still at 1 belongs to no one.
TEST(JfPosTest, TheCubeOwnerTravelsAtOffsetFourteen) {
    JfPosition centred = barPosition();
    centred.cube = 1;
    const QByteArray centredFile = *JfPos::write(centred);
    EXPECT_EQ(fieldAt(centredFile, 8), 1);
    EXPECT_EQ(fieldAt(centredFile, 14), 0);
    EXPECT_EQ(JfPos::read(centredFile)->owner, JfPosition::Owner::Centred);

    JfPosition theirs = barPosition();
    theirs.cube = 2;
    theirs.owner = JfPosition::Owner::Opponent;
    const QByteArray theirFile = *JfPos::write(theirs);
    EXPECT_EQ(fieldAt(theirFile, 14), 1);
    EXPECT_EQ(JfPos::read(theirFile)->owner, JfPosition::Owner::Opponent);
    EXPECT_EQ(JfPos::read(kBarFile)->owner, JfPosition::Owner::User);
}

TEST(JfPosTest, FilesThatHoldNoPlayablePositionAreRefusedWithAReason) {
    const struct {
        const char *what;
        QByteArray bytes;
    } refused[] = {
        {"empty", {}},
        {"60 bytes", kBarFile.left(60)},
        {"cut in the last slot", kBarFile.chopped(3)},
        {"version 100", withField(kBarFile, 0, 100)},
        {"20 checkers on the user's 13", withField(kBarFile, 62 + 12 * 4, 40)},
        {"the user's bar negative", withField(kBarFile, 62, 18)},
        {"the opponent's bar positive", withField(kBarFile, 162, 22)},
        {"cube 0", withField(kBarFile, 12, 0)},
        {"cube 3", withField(kBarFile, 12, 3)},
        {"cube 32767", withField(kBarFile, 12, 32767)},
        {"the user has borne off all 15", allBorneOff(true)},
        {"the opponent has borne off all 15", allBorneOff(false)},
        {"owner 3", withField(kBarFile, 14, 3)},
        {"cube 2 owned by no one", withField(withField(kBarFile, 12, 2), 14, 0)},
        {"the user's score at the length", withField(kBarFile, 34, 7)},
        {"a negative score", withField(kBarFile, 32, -1)},
    };
    for (const auto &file : refused) {
        QString why;
        EXPECT_EQ(JfPos::read(file.bytes, &why), std::nullopt) << file.what;
        EXPECT_FALSE(why.isEmpty()) << file.what;
    }

    // What the 16-bit fields cannot hold is refused before any byte is made.
    JfPosition big = barPosition();
    big.cube = 65536;
    QString why;
    EXPECT_EQ(JfPos::write(big, &why), std::nullopt);
    EXPECT_TRUE(why.contains("65536"));
    JfPosition crowded = barPosition();
    crowded.board[0][1] = 1;  // a sixteenth checker
    EXPECT_EQ(JfPos::write(crowded), std::nullopt);
    // One checker of each side on the same point, whichever point it is; each side has
    // another on the bar, so the game is not over when the two cancel out in the file.
    for (int point = 1; point <= 24; ++point) {
        JfPosition shared;
        shared.board[0][25] = shared.board[1][25] = 1;
        shared.board[0][std::size_t(point)] = 1;
        shared.board[1][std::size_t(25 - point)] = 1;
        EXPECT_EQ(JfPos::write(shared, &why), std::nullopt) << point;
        EXPECT_EQ(why, QString("both sides have checkers on point %1").arg(point));
    }

    // Nor is a position written that the reader would refuse: a match or a game that is over.
    JfPosition finished = barPosition();
    finished.userScore = 7;
    EXPECT_EQ(JfPos::write(finished, &why), std::nullopt);
    EXPECT_EQ(why, "the score 7-2 in a 7 point match");
    JfPosition over = barPosition();
    over.board[1] = {};
    over.board[1][0] = 15;
    EXPECT_EQ(JfPos::write(over, &why), std::nullopt);
    EXPECT_EQ(why, "a game that is over: the opponent has borne off all 15 checkers");
    EXPECT_EQ(JfPos::read(withField(kBarFile, 12, 16384))->cube, 16384);  // the largest the field holds
}

}  // namespace
