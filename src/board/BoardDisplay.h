#pragma once
// A place that shows the drawn board: the main window's board, later the full-screen one.
#include <QImage>
#include <QRect>

class BoardDisplay {
public:
    virtual ~BoardDisplay() = default;
    // `picture` is the whole board as it now looks; only `changed` differs from before.
    virtual void showBoard(const QImage &picture, const QRect &changed) = 0;
};
