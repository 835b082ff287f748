#include "support/WindowManagerSession.h"

#include "support/ChildTest.h"
#include "support/ModalDeadline.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr int kStartMs = 10000;
// The longest a test may run inside a session: less than the test's own time limit, so that
// what the child said is shown.
constexpr int kChildMs = 90000;
const char *const kInside = "KORVEX_WINDOW_MANAGER_SESSION";

QProcessEnvironment environmentOn(const QString &display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    return environment;
}

QString runXprop(const QString &display, const QStringList &arguments) {
    QProcess xprop;
    xprop.setProcessEnvironment(environmentOn(display));
    xprop.start(QStringLiteral("xprop"), arguments);
    if (!xprop.waitForFinished(5000))
        return {};
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

void stop(QProcess &process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(1000);
}

}  // namespace

WindowManagerSession::WindowManagerSession(QSize screen) {
    if (!start(screen))
        failure_ = QStringLiteral("no X display with a window manager here (") + failure_ +
                   QStringLiteral("): scripts/install-deps.sh installs xvfb, openbox, x11-utils and xdotool");
}

bool WindowManagerSession::start(QSize screen) {
    for (const char *program : {"Xvfb", "openbox", "xdotool", "xprop"}) {
        if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty()) {
            failure_ = QLatin1String(program) + QStringLiteral(" is missing");
            return false;
        }
    }
    // Xvfb picks a free display number and writes it where it is told to: its own output.
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"),
                                          QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QDeadlineTimer deadline(kStartMs);
    while (!server_.canReadLine() && server_.state() != QProcess::NotRunning && !deadline.hasExpired())
        server_.waitForReadyRead(100);
    const QString number = QString::fromLatin1(server_.readLine()).trimmed();
    if (number.isEmpty()) {
        failure_ = QStringLiteral("Xvfb did not start");
        return false;
    }
    display_ = ':' + number;

    // openbox runs its start-up command once it manages the screen.
    windowManager_.setProcessEnvironment(environmentOn(display_));
    const QString ready = folder_.filePath(QStringLiteral("ready"));
    const QString touch = QStringLiteral("touch '") + ready + '\'';
    windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), touch});
    while (!QFileInfo::exists(ready) && windowManager_.state() != QProcess::NotRunning && !deadline.hasExpired())
        QThread::msleep(50);
    if (!QFileInfo::exists(ready)) {
        failure_ = QStringLiteral("openbox did not start on ") + display_;
        return false;
    }
    return true;
}

WindowManagerSession::~WindowManagerSession() {
    stop(windowManager_);
    stop(server_);
}

bool WindowManagerSession::xdotool(const QStringList &arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(kStartMs) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool WindowManagerSession::movePointer(QPoint to) {
    return xdotool({QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y())});
}

bool WindowManagerSession::click(QPoint at) {
    return movePointer(at) && xdotool({QStringLiteral("click"), QStringLiteral("1")});
}

bool WindowManagerSession::key(const QString &name) {
    return xdotool({QStringLiteral("key"), name});
}

bool WindowManagerSession::inside() {
    return qEnvironmentVariableIsSet(kInside);
}

int WindowManagerSession::runCurrentTest(QString &output) {
    QProcessEnvironment environment = environmentOn(display_);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QLatin1String(kInside), QStringLiteral("1"));
    return runCurrentTestInChild(environment, kChildMs, output);
}

void WindowManagerSession::runCurrentTestInside(QSize screen) {
    WindowManagerSession session(screen);
    if (!session.started())
        GTEST_SKIP() << session.failure_.toStdString();
    QString output;
    EXPECT_EQ(session.runCurrentTest(output), 0) << output.toStdString();
}

void WindowManagerSession::whenShown(const std::function<QWidget *()> &find,
                                     const std::function<void(QWidget *)> &act) {
    auto *poll = new QTimer;
    const QDeadlineTimer deadline(kModalDeadlineMs);
    QObject::connect(poll, &QTimer::timeout, [poll, find, act, deadline] {
        QWidget *window = find();
        if (!window || !window->isVisible()) {
            if (deadline.hasExpired()) {
                poll->stop();
                poll->deleteLater();
                ADD_FAILURE() << "the window the test waits for was not shown within " << kModalDeadlineMs << " ms";
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        if (QTest::qWaitForWindowExposed(window))
            QTest::qWait(300);
        closeAtDeadline(window, QStringLiteral("The window the test acted in"));
        act(window);
    });
    poll->start(50);
}

QList<quint64> WindowManagerSession::stackingOrder() {
    const QString text =
        runXprop(QString(), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<quint64> windows;
    static const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
    for (const QRegularExpressionMatch &m : id.globalMatch(text.section(QLatin1Char('#'), 1)))
        windows << m.captured().toULongLong(nullptr, 16);
    return windows;
}

bool WindowManagerSession::isAbove(const QWidget *upper, const QWidget *lower) {
    const QList<quint64> order = stackingOrder();
    const qsizetype up = order.indexOf(quint64(upper->winId()));
    const qsizetype down = order.indexOf(quint64(lower->winId()));
    return up >= 0 && down >= 0 && up > down;
}
