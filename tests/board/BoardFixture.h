#pragma once
// A board of one of the built-in styles, with its records and movers, drawn without a
// window; sounds and sleeps are recorded instead of played.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "app/Program.h"
#include "app/SettingsStore.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/BoardStyle.h"
#include "board/CheckerMoves.h"
#include "support/TestEnvironment.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

struct BoardFixture {
    explicit BoardFixture(QString styleName) {
        Program::setFolder(QStringLiteral(KORVEX_DATA_DIR));  // read only
        style.SetNewBoardStyle(styleName, prefs.prfBoardStyle, store, 1600);
        board.setEmptyBoard(style.pictures().thepicture);
        geometry.ReadFromDisk(style.folder(), QStringLiteral("data.txt"), SpriteSizes::of(style.pictures()));
        board.hooks.playSound = [this](const QString &name) { sounds << name; };
        board.hooks.sleep = [this](int ms) { sleeps.push_back(ms); };
        board.hooks.scoreCaption = [this] { return score; };
        board.hooks.matchCaption = [this] { return length; };
        board.hooks.doublingNoLongerMatters = [this] { ++doublingOffCalls; };
        prefs.prfSMove = true;
    }

    const BoardPictures &pictures() const { return style.pictures(); }
    QRgb shown(QPoint at) const { return board.shownBoard().pixel(at); }
    // The colour at the middle of a checker sprite drawn at `at`.
    QPoint middle(QPoint at) const { return at + QPoint(pictures().ChipNearBlack.width() / 2, pictures().ChipNearBlack.width() / 2); }
    QRgb checkerMiddle(Side side) const {
        const SpriteRect r = board.checkerSprite(side);
        return pictures().ChipNearBlack.pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    QPoint place(int position, int slot) const { return geometry.pointSlots(position, slot); }

    TestEnvironment env;
    SettingsStore store;
    Preferences prefs;
    MatchState match;
    StateFlags flags;
    BoardStyle style;
    BoardGeometry geometry;
    CheckerRecords records;
    BoardDrawing board{style.pictures(), geometry, records, match, flags, prefs};
    CheckerMoves moves{board, geometry, records, match, prefs};
    QStringList sounds;
    std::vector<int> sleeps;
    QString score, length;
    int doublingOffCalls = 0;
};

// The opening position, the user's side moving from 24 toward 1.
inline const std::vector<std::pair<int, int>> kOpeningBlack{{24, 2}, {13, 5}, {8, 3}, {6, 5}};
inline const std::vector<std::pair<int, int>> kOpeningWhite{{1, 2}, {12, 5}, {17, 3}, {19, 5}};
