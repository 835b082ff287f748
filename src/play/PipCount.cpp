#include "play/PipCount.h"

#include "board/CheckerRec.h"

PipCount PipCount::of(const CheckerRecords &records) {
    PipCount c;
    for (int i = 1; i <= CheckerSet::size; ++i) {
        const int p = records.blackCheckers[i].point;
        if (p == Position::blackBar) {
            ++c.gnuBoard[0][25];
            c.blackPips += 25;
        } else if (p == Position::blackTray) {
            ++c.gnuBoard[0][0];
        } else if (p >= 1 && p <= 24) {
            ++c.gnuBoard[0][std::size_t(p)];
            c.blackPips += p;
        }
    }
    for (int i = 1; i <= CheckerSet::size; ++i) {
        const int p = records.whiteCheckers[i].point;
        if (p == Position::whiteBar) {
            ++c.gnuBoard[1][25];
            c.whitePips += 25;
        } else if (p == Position::whiteTray) {
            ++c.gnuBoard[1][0];
        } else if (p >= 1 && p <= 24) {
            ++c.gnuBoard[1][std::size_t(25 - p)];
            c.whitePips += 25 - p;
        }
    }
    return c;
}
