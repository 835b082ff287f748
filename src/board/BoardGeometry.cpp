#include "board/BoardGeometry.h"

#include "app/Dialogs.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"
#include "app/Utilities.h"
#include "board/BoardStyle.h"

#include <QFile>
#include <stdexcept>

using SettingsText::roundEven;

namespace {

const QString missingFileText = QStringLiteral(
    "Versions Korvex 4.0 and higher require a data.txt file in the board pic folders. Data.txt file can be found "
    "in current downloads");

// A coordinate file that exists but cannot be used all the way through.
struct ReadError {
    enum Kind { NotFound, BadValue, OutOfRange } kind;
    int line;
};

QString readErrorText(const ReadError &error, const QString &fileName) {
    const QString kept = QStringLiteral("\r\nThe checkers keep the places they had before.");
    switch (error.kind) {
    case ReadError::NotFound:
        return QStringLiteral("The file %1 could not be found or is corrupt\r\n"
                              "This file is needed to load the checker locations on the board")
                   .arg(fileName) +
               kept;
    case ReadError::BadValue:
        return QStringLiteral("An error occured while reading %1 at line %2.\r\nThe values above that line were taken;"
                              " the checkers keep the places they had before.")
            .arg(fileName)
            .arg(error.line);
    case ReadError::OutOfRange:
        break;
    }
    return QStringLiteral("An error occured while reading %1: its values place checkers out of range.").arg(fileName) +
           kept;
}

}  // namespace

SpriteSizes SpriteSizes::of(const BoardPictures &pictures) {
    SpriteSizes s;
    s.cw = pictures.ChipNearBlack.width();
    s.hh = roundEven(pictures.ChipNearBlack.height() / 2.0);
    s.flatHalf = pictures.picFlatB.height() / 2.0;
    s.boardHeight = pictures.thepicture.height();
    return s;
}

void BoardGeometry::ReadFromDisk(const QString &styleFolder, const QString &fileName, const SpriteSizes &sizes) {
    const QString path = styleFolder + '/' + fileName;
    if (!FileExists(path)) {
        Dialogs::message(missingFileText);
        buildPointSlots(sizes);
        return;
    }
    int *const variables[] = {&sp_left,     &sp_top,      &sp_bottom,     &sp_bar,
                              &sp_bearOffx, &sp_bearOffy, &sp_chipOffset, &sp_cubex};
    static const char *const keys[] = {"sp_left",     "sp_top",      "sp_bottom",     "sp_bar",
                                       "sp_bearOffx", "sp_bearOffy", "sp_chipOffset", "sp_cubex"};
    try {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw ReadError{ReadError::NotFound, 0};
        QByteArray text = file.readAll();
        // An editor may have put a byte-order mark in front, or ended the lines with CR alone.
        if (text.startsWith("\xEF\xBB\xBF"))
            text.remove(0, 3);
        text.replace("\r\n", "\n").replace('\r', '\n');
        const QList<QByteArray> lines = text.split('\n');
        for (int lineNumber = 1; lineNumber <= lines.size(); ++lineNumber) {
            const QStringList pieces = SplitWords(QString::fromLatin1(lines[lineNumber - 1]), QStringLiteral(" ="));
            if (pieces.size() != 2)
                continue;
            for (int k = 0; k < 8; ++k) {
                if (pieces[0] != QLatin1String(keys[k]))
                    continue;
                const auto value = SettingsText::toInt16(pieces[1]);
                if (!value)
                    throw ReadError{ReadError::BadValue, lineNumber};
                *variables[k] = *value;
                break;
            }
        }
        if (!buildPointSlots(sizes))
            throw ReadError{ReadError::OutOfRange, 0};
    } catch (const ReadError &error) {
        Dialogs::message(readErrorText(error, fileName));
    }
}

bool BoardGeometry::buildPointSlots(const SpriteSizes &sizes) {
    const Table table = layOut(sizes);
    for (const auto &places : table)
        for (const QPoint &place : places)
            if (place.x() < -32768 || place.x() > 32767 || place.y() < -32768 || place.y() > 32767)
                return false;
    slots_ = table;
    return true;
}

BoardGeometry::Table BoardGeometry::layOut(const SpriteSizes &sizes) const {
    Table table{};
    const int cw = sizes.cw;
    const int S = sp_chipOffset + cw;
    const int YB = sizes.boardHeight - sp_bottom;
    const double shift = sizes.hh / 5.0;
    auto at = [&table](int position, int place) -> QPoint & {
        return table[std::size_t(position - 1)][std::size_t(place - 1)];
    };

    for (int k = 0; k < 12; ++k) {  // k counts the columns from the left edge
        const int x = sp_left + k * S + (k >= 6 ? sp_bar : 0);
        const int lower = 12 - k;
        const int upper = 13 + k;
        for (int n = 1; n <= 5; ++n) {
            at(lower, n) = QPoint(x, YB - (n - 1) * cw);
            at(upper, n) = QPoint(x, sp_top + (n - 1) * cw);
        }
        // The second and third rows lie over the first, each a fifth of a checker further
        // toward the middle, running back from the middle toward the edge.
        for (int row = 1; row <= 2; ++row) {
            for (int j = 1; j <= 5; ++j) {
                const int place = 5 * row + j;          // 6..10, then 11..15
                const int source = 5 * row + 1 - j;     // 5..1, then 10..6
                at(lower, place) = QPoint(x, roundEven(at(lower, source).y() - shift));
                at(upper, place) = QPoint(x, roundEven(at(upper, source).y() + shift));
            }
        }
    }

    const double FH = sizes.flatHalf;
    double y = sp_top;
    for (int n = 1; n <= 15; ++n) {
        at(25, n) = QPoint(at(24, 1).x() + cw + sp_bearOffx, int(y));
        y = roundEven(y + FH);
    }
    y = roundEven(sizes.boardHeight - sp_bottom + cw - FH);
    for (int n = 1; n <= 15; ++n) {
        at(27, n) = QPoint(at(1, 1).x() + cw + sp_bearOffx, int(y));
        y = roundEven(y - FH);
    }
    const int upperBarX = roundEven((at(19, 1).x() + at(18, 1).x()) / 2.0);
    const int lowerBarX = roundEven((at(6, 1).x() + at(7, 1).x()) / 2.0);
    for (int n = 1; n <= 15; ++n) {
        at(26, n) = QPoint(upperBarX, at(19, n).y() + 14);
        at(28, n) = QPoint(lowerBarX, at(6, n).y() - 14);
    }
    return table;
}

QPoint BoardGeometry::pointSlots(int position, int place) const {
    if (position < 1 || position > 28 || place < 1 || place > 15)
        throw std::out_of_range("Subscript out of range");
    return slots_[std::size_t(position - 1)][std::size_t(place - 1)];
}
