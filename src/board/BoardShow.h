#pragma once
// The visible board: shows the picture the board drawing copies into it.
#include <QPixmap>
#include <QWidget>

class BoardShow : public QWidget {
    Q_OBJECT
public:
    explicit BoardShow(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return picture_; }
    QSize sizeHint() const override;

signals:
    void mousePressed(Qt::MouseButton button, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap picture_;
};
