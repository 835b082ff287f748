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
    bool fileNotFound;
    int line;
};

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
            throw ReadError{true, 0};
        int lineNumber = 0;
        while (!file.atEnd()) {
            ++lineNumber;
            QString line = QString::fromLatin1(file.readLine());
            while (line.endsWith('\n') || line.endsWith('\r'))
                line.chop(1);
            const QStringList pieces = SplitWords(line, QStringLiteral(" ="));
            if (pieces.size() != 2)
                continue;
            for (int k = 0; k < 8; ++k) {
                if (pieces[0] != QLatin1String(keys[k]))
                    continue;
                const auto value = SettingsText::toInt16(pieces[1]);
                if (!value)
                    throw ReadError{false, lineNumber};
                *variables[k] = *value;
                break;
            }
        }
    } catch (const ReadError &error) {
        if (error.fileNotFound)
            Dialogs::message(QStringLiteral("The file %1 could not be found or is corrupt\r\n"
                                            "This file is needed to load the checker locations on the board\r\n"
                                            "The checkers keep the places they had before.")
                                 .arg(fileName));
        else
            Dialogs::message(QStringLiteral("An error occured while reading %1 at line %2.\r\n"
                                            "The values above that line were taken; the checkers keep the places "
                                            "they had before.")
                                 .arg(fileName)
                                 .arg(error.line));
        return;
    }
    buildPointSlots(sizes);
}

void BoardGeometry::buildPointSlots(const SpriteSizes &sizes) {
    const int cw = sizes.cw;
    const int S = sp_chipOffset + cw;
    const int YB = sizes.boardHeight - sp_bottom;
    const double shift = sizes.hh / 5.0;
    auto at = [this](int position, int place) -> QPoint & { return slots_[std::size_t(position - 1)][std::size_t(place - 1)]; };

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
}

QPoint BoardGeometry::pointSlots(int position, int place) const {
    if (position < 1 || position > 28 || place < 1 || place > 15)
        throw std::out_of_range("Subscript out of range");
    return slots_[std::size_t(position - 1)][std::size_t(place - 1)];
}
