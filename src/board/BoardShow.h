#pragma once
// The visible board: shows the picture the board drawing copies into it.
#include "board/BoardDisplay.h"

#include <QImage>
#include <QWidget>

class BoardShow : public QWidget, public BoardDisplay {
    Q_OBJECT
public:
    explicit BoardShow(QWidget *parent = nullptr);

    void showBoard(const QImage &picture, const QRect &changed) override;
    const QImage &picture() const { return picture_; }
    QSize sizeHint() const override;

signals:
    void mousePressed(Qt::MouseButton button, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage picture_;
};
