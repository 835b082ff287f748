#pragma once
// A board of the Default style with every checker on it: stacks, bar, both trays, a cube.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/BoardStyle.h"

#include <QTemporaryDir>

struct FullBoard {
    FullBoard() {
        Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));
        SettingsStore::setFolder(settings.path());
        SettingsStore store;
        QString styleName = QStringLiteral("Default");
        style.SetNewBoardStyle(styleName, prefs.prfBoardStyle, store, 1600);
        board.setEmptyBoard(style.pictures().thepicture);
        geometry.ReadFromDisk(style.folder(), QStringLiteral("data.txt"), SpriteSizes::of(style.pictures()));
        records.blackCheckers.fill({{24, 2}, {13, 6}, {8, 3}, {26, 1}, {27, 3}}, geometry);
        records.whiteCheckers.fill({{1, 2}, {12, 4}, {17, 3}, {19, 3}, {28, 1}, {25, 2}}, geometry);
        match.theCubeVal = 4;
        match.blackOwnsCube = true;
    }
    FullBoard(const FullBoard &) = delete;
    FullBoard &operator=(const FullBoard &) = delete;

    QTemporaryDir settings;
    Preferences prefs;
    MatchState match;
    StateFlags flags;
    BoardStyle style;
    BoardGeometry geometry;
    CheckerRecords records;
    BoardDrawing board{style.pictures(), geometry, records, match, flags, prefs};
};
