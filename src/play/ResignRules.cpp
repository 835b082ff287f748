#include "play/ResignRules.h"

#include "board/CheckerRec.h"

namespace ResignRules {

QString GetResignType(const CheckerRecords &records, int side) {
    if (side != 0 && side != 1)
        return {};
    const CheckerSet &set = side == 0 ? records.blackCheckers : records.whiteCheckers;
    const int tray = side == 0 ? Position::blackTray : Position::whiteTray;
    bool noneOff = true;
    bool back = false;
    for (int i = 1; i <= CheckerSet::size; ++i) {
        const int p = set[i].point;
        if (p == tray)
            noneOff = false;
        // Still in the winner's home board or on the bar; a record the position does not use is nowhere.
        if (side == 0 ? (p >= 19 && p <= 24) || p == Position::blackBar
                      : (p >= 1 && p <= 6) || p == Position::whiteBar)
            back = true;
    }
    if (noneOff && back)
        return QStringLiteral("resign b ");
    if (noneOff)
        return QStringLiteral("resign g ");
    return QStringLiteral("resign n ");
}

void WinnerBlack(CheckerRecords &records, const BoardGeometry &geometry) {
    records.blackCheckers.fill({{Position::blackTray, CheckerSet::size}}, geometry);
}

void WinnerWhite(CheckerRecords &records, const BoardGeometry &geometry) {
    records.whiteCheckers.fill({{Position::whiteTray, CheckerSet::size}}, geometry);
}

bool hasContact(const CheckerRecords &records) {
    int rear = 0;
    for (int i = 1; i <= CheckerSet::size; ++i) {
        const int p = records.blackCheckers[i].point;
        if (p != Position::blackTray && p > rear)
            rear = p;
    }
    for (int i = 1; i <= CheckerSet::size; ++i) {
        const CheckerRec &white = records.whiteCheckers[i];
        if (white.isParked())
            continue;
        // The opponent's tray is numbered 25, so beside a checker on the user's bar it counts too.
        if (white.point == Position::whiteBar || white.point < rear)
            return true;
    }
    return false;
}

}  // namespace ResignRules
