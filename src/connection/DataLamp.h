#pragma once
// The data lamp beside the clock: idle, or one of two blink states while server text
// arrives. Drawn as a coloured dot until pictures are given to it.
#include <QPixmap>
#include <QWidget>
#include <array>

class DataLamp : public QWidget {
    Q_OBJECT
public:
    explicit DataLamp(QWidget *parent = nullptr);

    // States 0 (idle), 1 and 2; any other state draws nothing.
    void showState(int state);
    int state() const { return state_; }

    // Pictures for the three states, all of one size, black being transparent.
    void setPictures(const QPixmap &idle, const QPixmap &one, const QPixmap &two);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int state_ = 0;
    std::array<QPixmap, 3> pictures_;
};

// Ticks of the main window's one-second timer since the lamp last flashed on its own.
class LampTicker {
public:
    // True when the lamp is due to flash: more than ten ticks have passed while connected.
    bool tick(bool connected);

private:
    static constexpr int kInterval = 10;
    int ticks_ = 0;  // held at the limit while offline, so it can never overflow
};
