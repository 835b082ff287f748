#pragma once
// An X display of its own with a real window manager on it (Xvfb and openbox), for the tests
// that only a window manager can fail: where the windows stand and how they stack. Both end
// with the session. The test runs again inside it, as a child process of the test program on
// Qt's X11 platform.
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <functional>

class QWidget;

class WindowManagerSession {
public:
    ~WindowManagerSession();
    WindowManagerSession(const WindowManagerSession &) = delete;
    WindowManagerSession &operator=(const WindowManagerSession &) = delete;

    // True in the child process, which runs inside a session.
    static bool inside();

    // For the test body outside a session: starts one and runs the current test again inside
    // it, failing with the child's output when that fails, or skips the test, saying why, when
    // no session can start. The body returns after it.
    static void runCurrentTestInside(QSize screen = QSize(1280, 1024));

    // Inside: true when the window manager stacks `upper`'s window above `lower`'s.
    static bool isAbove(const QWidget *upper, const QWidget *lower);

    // Runs `act` from a timer once `find` gives a window that is shown, and the window manager
    // has placed it: what a user does in a modal window is done this way. A window that is not
    // shown in time, or that `act` leaves open, fails the test (and is closed).
    static void whenShown(const std::function<QWidget *()> &find, const std::function<void(QWidget *)> &act);

    // Inside: the real pointer of the display moves there (and clicks), as the user's would.
    static bool movePointer(QPoint to);
    static bool click(QPoint at);
    // Inside: a key pressed and let go on the real keyboard, named as X names it ("Escape").
    static bool key(const QString &name);

private:
    explicit WindowManagerSession(QSize screen);
    bool started() const { return failure_.isEmpty(); }
    bool start(QSize screen);
    static bool xdotool(const QStringList &arguments);
    int runCurrentTest(QString &output);
    static QList<quint64> stackingOrder();  // the managed windows, bottom first

    QTemporaryDir folder_;
    QProcess server_;
    QProcess windowManager_;
    QString display_;
    QString failure_;
};
