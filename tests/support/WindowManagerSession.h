#pragma once
// A display of its own with a real window manager (Xvfb and openbox), for the tests whose
// point is how the windows stand above one another. The test runs again inside it, as a
// child process of the test program, on Qt's X11 platform.
#include <QList>
#include <QProcess>
#include <QString>
#include <functional>

class QWidget;

class WindowManagerSession {
public:
    WindowManagerSession() = default;
    ~WindowManagerSession();
    WindowManagerSession(const WindowManagerSession &) = delete;
    WindowManagerSession &operator=(const WindowManagerSession &) = delete;

    // True in the child process, which runs inside a session.
    static bool inside();

    // Starts the display and the window manager; false, with the reason, when they cannot start.
    bool start();
    QString failure() const { return failure_; }

    // Runs the current test again inside the session: its exit code, its output in `output`.
    int runCurrentTest(QString &output);

    // For the test body outside a session: starts one and runs the test inside it, failing
    // with the child's output when that fails, or skips the test, saying why, when no session
    // can start. The body returns after it.
    static void runCurrentTestInside();

    // Inside: true when the window manager stacks `upper`'s window above `lower`'s.
    static bool isAbove(const QWidget *upper, const QWidget *lower);

    // Runs `act` from a timer once `find` gives a window that is shown, and the window manager
    // has placed it: what a user does in a modal window is done this way.
    static void whenShown(const std::function<QWidget *()> &find, const std::function<void(QWidget *)> &act);

private:
    static QList<quint64> stackingOrder();  // the managed windows, bottom first

    QProcess xvfb_, openbox_;
    QString display_;
    QString failure_;
};
