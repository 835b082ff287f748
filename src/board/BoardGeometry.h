#pragma once
// Where things stand on the board picture: the style's coordinate file (data.txt) and the
// table, built from it, of the pixel place of every checker on every position.
#include <QPoint>
#include <QString>
#include <array>

struct BoardPictures;

// The picture sizes the table is built from.
struct SpriteSizes {
    int cw = 0;             // one checker's width
    int hh = 0;             // one checker's height (the sheet holds two)
    double flatHalf = 0;    // one flat tray checker's thickness
    int boardHeight = 0;

    static SpriteSizes of(const BoardPictures &pictures);
};

class BoardGeometry {
public:
    int sp_left = 0;        // x of the columns of points 12 and 13
    int sp_top = 0;         // y of the first checker on the upper points and in the upper tray
    int sp_bottom = 0;      // from the bottom edge up to the first checker on the lower points
    int sp_bar = 0;         // extra width of the bar
    int sp_bearOffx = 0;    // gap between the points and the trays
    int sp_bearOffy = 0;    // kept for the board-data editor
    int sp_chipOffset = 0;  // gap between two columns of points
    int sp_cubex = 0;       // x of the cube's places at the side of the board

    // Reads `fileName` of `styleFolder` and rebuilds the table. A missing file keeps the
    // values and rebuilds from them; a bad file keeps the values read before the bad line
    // and the table as it was, and so do values that place a checker outside the 16-bit
    // range. Either way the user is told and the program goes on.
    void ReadFromDisk(const QString &styleFolder, const QString &fileName, const SpriteSizes &sizes);

    // Rebuilds the table from the values above. False, and the table as it was, when a
    // place would leave the 16-bit range the board's coordinates are kept in.
    bool buildPointSlots(const SpriteSizes &sizes);

    // The top-left corner of checker number `place` (1 to 15) on `position` (1 to 28).
    // Throws std::out_of_range outside those ranges.
    QPoint pointSlots(int position, int place) const;

    // Checkers right of the column of point 1 stand in a tray and are drawn flat.
    bool isTrayPlace(int x) const { return x > slots_[0][0].x() + 10; }

private:
    using Table = std::array<std::array<QPoint, 15>, 28>;
    Table layOut(const SpriteSizes &sizes) const;

    Table slots_{};
};
