#include "board/BoardShow.h"

#include <QMouseEvent>
#include <QPainter>

BoardShow::BoardShow(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoardShow::setPicture(const QPixmap &picture) {
    picture_ = picture;
    if (!picture_.isNull())
        setFixedSize(picture_.size());
    update();
}

QSize BoardShow::sizeHint() const {
    return picture_.isNull() ? QSize(640, 480) : picture_.size();
}

void BoardShow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (picture_.isNull())
        painter.fillRect(rect(), QColor(24, 64, 40));
    else
        painter.drawPixmap(0, 0, picture_);
}

void BoardShow::mousePressEvent(QMouseEvent *event) {
    emit mousePressed(event->button(), event->position().toPoint());
}
