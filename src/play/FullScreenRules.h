#pragma once
// The full-screen board's rules that need no window: which background picture shows, what
// the pointer shows and hides, and where the main window's strip may stand.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace FullScreenRules {

// The picture files of `folder`, by name; none when the folder is missing.
QStringList backgroundFiles(const QString &folder);

// The background to show and what becomes of the setting: a stored name is used when it is
// a bare file name of `files`; otherwise the first file is shown and becomes the setting,
// and with no files nothing shows and the setting keeps its value.
struct Background {
    QString file;     // empty: no picture
    QString setting;  // prfBackground afterwards
};
Background chooseBackground(const QStringList &files, const QString &stored);

// What the pointer's place shows: the main window's strip, the three panels (scores,
// kibitz, backgrounds) and the status line; a status left empty keeps what it is.
struct View {
    bool strip = false;
    bool panels = false;
    std::optional<bool> status;
    bool bottom = false;  // the pointer is in the bottom tenth: the score panel is refreshed
};
// Over the board only a status that speaks of a win or a resignation stays.
View overBoard(const QString &status);
// Elsewhere on the window, `y` down from its top of `height`, with the board `boardTop` down.
View offBoard(int y, int height, int boardTop);

// Where the full-screen window of `window` size puts its parts around a board of `board` size:
// the board centred with the status line under it, the score panel top right, the kibitz
// panel bottom left and the background list bottom right.
struct Layout {
    QRect board, status, score, kibitz, backgrounds;
    QList<QRect> panels() const { return {score, kibitz, backgrounds}; }
};
Layout layOut(QSize window, QSize board);

// The strip's width on `screen` (its available area): what its menus and buttons want, but
// never more than the top row of the screen leaves beside the full-screen board's `panels`.
int stripWidth(int wanted, const QRect &screen, const QList<QRect> &panels);

// Where the strip of `size` goes: `stored` when the strip lies wholly on one of `screens`
// (their available areas), otherwise moved onto `fallback` as far as it must; and then, when
// it would cover one of the `panels`, to the nearest place beside them on `fallback`.
QPoint stripPlace(QPoint stored, QSize size, const QList<QRect> &screens, const QRect &fallback,
                  const QList<QRect> &panels = {});

}  // namespace FullScreenRules
