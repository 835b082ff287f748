#include "play/FullScreenRules.h"

#include "app/Program.h"

#include <QDir>
#include <algorithm>

namespace FullScreenRules {

QStringList backgroundFiles(const QString &folder) {
    static const QStringList pictures{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.bmp"),
                                      QStringLiteral("*.png"), QStringLiteral("*.gif")};
    return QDir(folder).entryList(pictures, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
}

Background chooseBackground(const QStringList &files, const QString &stored) {
    // A name from the settings file is only ever a file of the folder, never a way out of it.
    if (Program::isSafeFileName(stored) && files.contains(stored))
        return {stored, stored};
    if (files.isEmpty())
        return {QString(), stored};
    return {files.first(), files.first()};
}

View overBoard(const QString &status) {
    View v;
    v.status = status.contains(QLatin1String("resign")) || status.contains(QLatin1String("win"));
    return v;
}

View offBoard(int y, int height, int boardTop) {
    View v;
    v.bottom = y > 0.9 * height;
    // A board that leaves room above it leaves the strip in view; one that reaches the top
    // of the screen lets the strip come only from the bottom tenth.
    v.strip = boardTop > 5 || v.bottom;
    v.panels = v.bottom;
    if (v.strip)
        v.status = true;
    return v;
}

namespace {
constexpr QSize kScorePanel(300, 96);
constexpr QSize kKibitzPanel(460, 220);
constexpr QSize kBackgroundList(200, 160);
constexpr int kStatusHeight = 24;
// The bottom panels shrink to the room under the status line, down to this.
constexpr int kLowestPanel = 100;
}  // namespace

Layout layOut(QSize window, QSize board) {
    const int w = window.width(), h = window.height();
    Layout l;
    l.board = QRect(QPoint(w / 2 - board.width() / 2, h / 2 - board.height() / 2), board);
    l.status = QRect(l.board.left(), l.board.bottom() + 1, board.width(), kStatusHeight);
    const int room = h - l.status.bottom() - 1;
    const QSize backgrounds(kBackgroundList.width(), qBound(kLowestPanel, room, kBackgroundList.height()));
    const QSize kibitz(kKibitzPanel.width(), qBound(kLowestPanel, room, kKibitzPanel.height()));
    l.backgrounds = QRect(QPoint(w - backgrounds.width(), h - backgrounds.height()), backgrounds);
    l.score = QRect(QPoint(w - kScorePanel.width(), 0), kScorePanel);
    l.kibitz = QRect(QPoint(0, h - kibitz.height()), kibitz);
    return l;
}

int stripWidth(int wanted, const QRect &screen, const QList<QRect> &panels) {
    const QRect topRow(screen.left(), screen.top(), screen.width(), 1);
    int room = screen.width();
    for (const QRect &panel : panels)
        if (panel.intersects(topRow))
            room -= panel.intersected(topRow).width();
    return std::max(1, std::min(wanted, room));
}

namespace {

QPoint onto(QPoint p, QSize size, const QRect &area) {
    const int x = std::max(area.left(), std::min(p.x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(p.y(), area.bottom() + 1 - size.height()));
    return {x, y};
}

bool clearOf(const QRect &strip, const QList<QRect> &panels) {
    return std::none_of(panels.begin(), panels.end(), [&](const QRect &panel) { return panel.intersects(strip); });
}

}  // namespace

QPoint stripPlace(QPoint stored, QSize size, const QList<QRect> &screens, const QRect &fallback,
                  const QList<QRect> &panels) {
    const bool onAScreen = std::any_of(screens.begin(), screens.end(),
                                       [&](const QRect &screen) { return screen.contains(QRect(stored, size)); });
    const QPoint placed = onAScreen ? stored : onto(stored, size, fallback);
    if (clearOf(QRect(placed, size), panels))
        return placed;
    // Beside the panel in the way: left or right of it, above or below it, whichever is
    // nearest and covers no other panel.
    std::optional<QPoint> best;
    for (const QRect &panel : panels) {
        const QPoint sides[] = {{panel.left() - size.width(), placed.y()}, {panel.right() + 1, placed.y()},
                                {placed.x(), panel.top() - size.height()}, {placed.x(), panel.bottom() + 1}};
        for (const QPoint beside : sides) {
            if (onto(beside, size, fallback) != beside || !clearOf(QRect(beside, size), panels))
                continue;
            if (!best || (beside - placed).manhattanLength() < (*best - placed).manhattanLength())
                best = beside;
        }
    }
    return best.value_or(placed);
}

}  // namespace FullScreenRules
