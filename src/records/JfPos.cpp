#include "records/JfPos.h"

#include <QtEndian>
#include <limits>
#include <utility>

namespace {

constexpr int kVersion = 126;
constexpr int kSlots = 26;
// Every count in a slot is stored 20 higher, so that the file holds no negative numbers.
constexpr int kSlotBias = 20;
constexpr int kCheckers = 15;
const QByteArray kOpponentName = QByteArrayLiteral("JellyFish");
const QByteArray kUserName = QByteArrayLiteral("User");

QString n(int value) {
    return QString::number(value);
}

// The largest cube a 16-bit field holds.
constexpr int kLargestCube = 1 << 14;

bool isCubeValue(int value) {
    return value >= 1 && value <= kLargestCube && (value & (value - 1)) == 0;
}

bool fitsField(int value) {
    return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
}

void putInt(QByteArray &bytes, int value) {
    const qint16 le = qToLittleEndian(qint16(value));
    bytes.append(reinterpret_cast<const char *>(&le), 2);
}

void putName(QByteArray &bytes, const QByteArray &name) {
    bytes.append(char(name.size()));
    bytes.append(name);
}

// The file's slots in file order: the user's bar, the user's points 24 down to 1 (the user's
// checkers positive, the opponent's negative), the opponent's bar as a negative count.
std::array<int, kSlots> countsOf(const JfPosition &p) {
    const auto &user = p.board[0];
    const auto &opponent = p.board[1];
    std::array<int, kSlots> counts{};
    counts[0] = user[25];
    for (int k = 2; k <= 25; ++k)
        counts[std::size_t(k - 1)] = user[std::size_t(26 - k)] - opponent[std::size_t(k - 1)];
    counts[25] = -opponent[25];
    return counts;
}

// Why a side's checkers cannot stand as they are; empty when they can.
QString sideProblem(const std::array<int, 26> &side, const char *whose) {
    int total = 0;
    for (int place = 1; place <= 25; ++place) {
        if (side[std::size_t(place)] < 0)
            return QStringLiteral("a negative count of %1 checkers").arg(QLatin1String(whose));
        total += side[std::size_t(place)];
    }
    if (total > kCheckers)
        return QStringLiteral("%1 of %2 checkers on the board; a side has 15").arg(n(total), QLatin1String(whose));
    return {};
}

// The game the Crawford mark `game` makes of the position's score (see `JfPosition::game`).
JfPosition::Game gameAtScore(const JfPosition &p, JfPosition::Game game) {
    const bool oneShort = p.matchLength - p.userScore == 1 || p.matchLength - p.opponentScore == 1;
    if (!oneShort)
        return JfPosition::Game::Ordinary;
    return game == JfPosition::Game::Crawford ? game : JfPosition::Game::PostCrawford;
}

// Reads the file front to back; every read past the end leaves `ok` false.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : bytes_(bytes) {}

    int integer() {
        if (!has(2))
            return 0;
        const int value = qFromLittleEndian<qint16>(bytes_.constData() + at_);
        at_ += 2;
        return value;
    }
    // A name, or the last move: a length byte and that many characters.
    void skipText() {
        if (!has(1))
            return;
        const int length = quint8(bytes_.at(at_));
        at_ += 1;
        if (has(length))
            at_ += length;
    }
    bool ok() const { return ok_; }

private:
    bool has(qsizetype count) {
        if (ok_ && at_ + count <= bytes_.size())
            return true;
        ok_ = false;
        return false;
    }

    const QByteArray &bytes_;
    qsizetype at_ = 0;
    bool ok_ = true;
};

}  // namespace

std::optional<QByteArray> JfPos::write(const JfPosition &p, QString *why) {
    auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (p.cube < 1 || !fitsField(p.cube))
        return refuse(QStringLiteral("the cube of %1 does not fit the file").arg(n(p.cube)));
    if (!fitsField(p.matchLength))
        return refuse(QStringLiteral("the match length of %1 does not fit the file").arg(n(p.matchLength)));
    if (!fitsField(p.userScore) || !fitsField(p.opponentScore))
        return refuse(QStringLiteral("the score %1-%2 does not fit the file").arg(n(p.userScore), n(p.opponentScore)));
    for (const QString &problem : {sideProblem(p.board[0], "the user's"), sideProblem(p.board[1], "the opponent's")})
        if (!problem.isEmpty())
            return refuse(problem);
    for (int point = 1; point <= 24; ++point)
        if (p.board[0][std::size_t(point)] > 0 && p.board[1][std::size_t(25 - point)] > 0)
            return refuse(QStringLiteral("both sides have checkers on point %1").arg(n(point)));

    QByteArray bytes;
    bytes.reserve(166);
    // Version, two unused fields, cube in use, the Jacoby rule, beavers.
    for (int value : {kVersion, 0, 0, 1, 1, 1})
        putInt(bytes, value);
    putInt(bytes, p.cube);
    putInt(bytes, p.cube > 1 ? int(p.owner) : int(JfPosition::Owner::Centred));
    // The user has rolled; no moves counted; a match; JellyFish plays one side, at level 7.
    for (int value : {2, 0, 0, 0, 1, 2, 7})
        putInt(bytes, value);
    putInt(bytes, p.matchLength);
    putInt(bytes, p.opponentScore);
    putInt(bytes, p.userScore);
    putName(bytes, kOpponentName);
    putName(bytes, kUserName);
    // Dice not swapped, the game to the Crawford rule, no last move and no dice.
    putInt(bytes, 0);
    putInt(bytes, int(gameAtScore(p, p.game)));
    bytes.append(QByteArray::fromRawData("\0\0\0\0\0", 5));
    putInt(bytes, 1);
    for (int slot : countsOf(p)) {
        putInt(bytes, slot + kSlotBias);
        putInt(bytes, 0);  // the position before the last move, which no reader needs
    }
    // What would not be read back (a game or a match already over) is not written.
    if (!read(bytes, why))
        return std::nullopt;
    return bytes;
}

std::optional<JfPosition> JfPos::read(const QByteArray &bytes, QString *why) {
    auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    Reader in(bytes);
    const int version = in.integer();
    if (!in.ok())
        return refuse(QStringLiteral("the file is empty or too short"));
    if (version != kVersion)
        return refuse(QStringLiteral("version %1 of the layout; only version 126 is read").arg(n(version)));
    int header[17];
    for (int &field : header)
        field = in.integer();
    JfPosition p;
    p.cube = header[5];
    const int owner = header[6];
    p.matchLength = header[14];
    p.opponentScore = header[15];
    p.userScore = header[16];
    in.skipText();  // the names
    in.skipText();
    in.integer();   // swapped dice
    const int crawford = in.integer();
    in.integer();   // who played last
    in.skipText();  // the last move
    in.integer();   // the dice
    in.integer();
    std::array<int, kSlots> counts{};
    for (int &slot : counts) {
        slot = in.integer() - kSlotBias;
        in.integer();
    }
    if (!in.ok())
        return refuse(QStringLiteral("the file is too short"));

    if (counts[0] < 0 || counts[25] > 0)
        return refuse(QStringLiteral("checkers of the wrong side on a bar"));
    p.board[0][25] = counts[0];
    p.board[1][25] = -counts[25];
    for (int k = 2; k <= 25; ++k) {
        const int count = counts[std::size_t(k - 1)];
        if (count > 0)
            p.board[0][std::size_t(26 - k)] = count;
        else
            p.board[1][std::size_t(k - 1)] = -count;
    }
    for (const QString &problem : {sideProblem(p.board[0], "the user's"), sideProblem(p.board[1], "the opponent's")})
        if (!problem.isEmpty())
            return refuse(problem);
    for (auto &side : p.board) {
        int onBoard = 0;
        for (int place = 1; place <= 25; ++place)
            onBoard += side[std::size_t(place)];
        side[0] = kCheckers - onBoard;
    }

    for (const auto &[side, whose] : {std::pair{0, "the user"}, {1, "the opponent"}})
        if (p.board[std::size_t(side)][0] == kCheckers)
            return refuse(QStringLiteral("a game that is over: %1 has borne off all 15 checkers")
                              .arg(QLatin1String(whose)));

    if (!isCubeValue(p.cube))
        return refuse(QStringLiteral("a cube of %1; a cube shows a power of two from 1 to %2")
                          .arg(n(p.cube), n(kLargestCube)));
    if (owner < 0 || owner > 2)
        return refuse(QStringLiteral("an unknown cube owner (%1)").arg(n(owner)));
    p.owner = p.cube > 1 ? JfPosition::Owner(owner) : JfPosition::Owner::Centred;
    if (p.cube > 1 && p.owner == JfPosition::Owner::Centred)
        return refuse(QStringLiteral("a cube of %1 that no one owns").arg(n(p.cube)));
    if (p.matchLength < 0)
        return refuse(QStringLiteral("a match length of %1").arg(n(p.matchLength)));
    const bool scoresFit = p.userScore >= 0 && p.opponentScore >= 0 &&
                           (p.matchLength == 0 || (p.userScore < p.matchLength && p.opponentScore < p.matchLength));
    if (!scoresFit)
        return refuse(QStringLiteral("the score %1-%2 in a %3 point match")
                          .arg(n(p.userScore), n(p.opponentScore), n(p.matchLength)));
    // Any mark but the Crawford game's, 1 among them, is an ordinary game.
    p.game = gameAtScore(p, crawford == int(JfPosition::Game::Crawford) ? JfPosition::Game::Crawford
                                                                         : JfPosition::Game::Ordinary);
    return p;
}
