#include "board/BoardShow.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

BoardShow::BoardShow(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardShow::showBoard(const QImage &picture, const QRect &changed) {
    const bool resized = picture.size() != picture_.size();
    picture_ = picture;  // shares the pixels until the board draws again
    if (resized && !picture_.isNull())
        setFixedSize(picture_.size());
    if (resized)
        update();
    else
        update(changed);
}

QSize BoardShow::sizeHint() const {
    return picture_.isNull() ? QSize(640, 480) : picture_.size();
}

void BoardShow::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), QColor(24, 64, 40));
    else
        painter.drawImage(event->rect(), picture_, event->rect());
}

void BoardShow::mousePressEvent(QMouseEvent *event) {
    emit mousePressed(event->button(), event->position().toPoint());
}
