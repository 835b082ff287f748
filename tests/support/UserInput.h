#pragma once
// What a user does while the program waits, made with the real pointer and keyboard of a
// window-manager session, so that it takes the road of the window system's queue.
#include <QElapsedTimer>
#include <QList>
#include <QPoint>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <vector>

// A window of buttons, one above the other, that note each click: which button, and when.
class ButtonWindow {
public:
    explicit ButtonWindow(const QStringList &captions);  // shown, exposed and placed

    // Where the middle of button `i` stands on the screen.
    QPoint centre(int i) const;
    QPushButton *button(int i) const { return buttons_[std::size_t(i)].get(); }
    QWidget &window() { return window_; }

    struct Click {
        int button;
        qint64 atMs;  // since the window was made
    };
    const QList<Click> &clicks() const { return clicks_; }
    qint64 now() const { return clock_.elapsed(); }

private:
    QWidget window_;
    std::vector<std::unique_ptr<QPushButton>> buttons_;
    QList<Click> clicks_;
    QElapsedTimer clock_;
};

// A place on the screen away from every window the tests open.
QPoint awayFromTheWindows();

// Where the middle of `widget` stands on the screen: where a user clicks it.
QPoint centreOf(const QWidget *widget);
