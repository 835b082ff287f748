#pragma once
// An X display of its own with a real window manager on it (Xvfb and openbox), for the tests
// that only a window manager can fail; both end with the session.
#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

class WindowManagerSession {
public:
    explicit WindowManagerSession(QSize screen);
    ~WindowManagerSession();

    bool started() const { return failure_.isEmpty(); }
    // Why the session could not start: the one message a test skips with.
    QString failure() const { return failure_; }
    QString display() const { return display_; }

    // The real pointer of the display moves there (and clicks), as the user's would.
    bool movePointer(QPoint to) const;
    bool click(QPoint at) const;

private:
    bool start(QSize screen);
    bool xdotool(const QStringList &arguments) const;

    QTemporaryDir folder_;
    QProcess server_;
    QProcess windowManager_;
    QString display_;
    QString failure_;
};
