#include "connection/DataLamp.h"

#include <QBitmap>
#include <QPainter>

namespace {
constexpr int kDiameter = 12;
const QColor kColours[3] = {QColor(0, 96, 0), QColor(0, 230, 0), QColor(255, 200, 0)};
}  // namespace

DataLamp::DataLamp(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(sizeHint());
}

QSize DataLamp::sizeHint() const {
    if (!pictures_[0].isNull())
        return pictures_[0].size();
    return {kDiameter + 4, kDiameter + 4};
}

void DataLamp::setPictures(const QPixmap &idle, const QPixmap &one, const QPixmap &two) {
    pictures_ = {idle, one, two};
    for (QPixmap &p : pictures_)
        if (!p.isNull())
            p.setMask(p.createMaskFromColor(Qt::black));
    setFixedSize(sizeHint());
    update();
}

void DataLamp::showState(int state) {
    if (state < 0 || state > 2)
        return;
    state_ = state;
    update();
}

void DataLamp::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!pictures_[state_].isNull()) {
        painter.drawPixmap(0, 0, pictures_[state_]);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(kColours[state_]);
    painter.drawEllipse(2, 2, kDiameter, kDiameter);
}

bool LampTicker::tick(bool connected) {
    if (ticks_ <= kInterval)
        ++ticks_;
    if (ticks_ > kInterval && connected) {
        ticks_ = 0;
        return true;
    }
    return false;
}
