#include "support/WindowManagerSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const char *const kInside = "KORVEX_WINDOW_MANAGER_SESSION";

QString runXprop(const QString &display, const QStringList &arguments) {
    QProcess xprop;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    xprop.setProcessEnvironment(env);
    xprop.start(QStringLiteral("xprop"), arguments);
    if (!xprop.waitForFinished(5000))
        return {};
    return QString::fromLatin1(xprop.readAllStandardOutput());
}

void stop(QProcess &process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

}  // namespace

WindowManagerSession::~WindowManagerSession() {
    stop(openbox_);
    stop(xvfb_);
}

bool WindowManagerSession::inside() {
    return qEnvironmentVariableIsSet(kInside);
}

bool WindowManagerSession::start() {
    for (const char *tool : {"Xvfb", "openbox", "xprop"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            failure_ = QStringLiteral("%1 is not installed (scripts/install-deps.sh installs it)").arg(QLatin1String(tool));
            return false;
        }
    }
    // Xvfb picks a free display itself and writes its number once it takes connections.
    xvfb_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                         QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                         QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    const QDeadlineTimer xvfbDeadline(10000);
    while (!number.endsWith('\n') && xvfb_.waitForReadyRead(int(xvfbDeadline.remainingTime())))
        number += xvfb_.readAllStandardOutput();
    if (number.trimmed().isEmpty()) {
        failure_ = QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(xvfb_.readAllStandardError());
        return false;
    }
    display_ = QLatin1Char(':') + QString::fromLatin1(number.trimmed());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    openbox_.setProcessEnvironment(env);
    openbox_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    // The window manager is in charge once it has put its mark on the root window.
    const QDeadlineTimer openboxDeadline(10000);
    while (!runXprop(display_, {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QLatin1String("window id"))) {
        if (openboxDeadline.hasExpired() || openbox_.state() == QProcess::NotRunning) {
            failure_ = QStringLiteral("openbox did not start: ") + QString::fromLocal8Bit(openbox_.readAllStandardError());
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

int WindowManagerSession::runCurrentTest(QString &output) {
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QLatin1String(kInside), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(QLatin1String(test->test_suite_name()),
                                                           QLatin1String(test->name()))});
    const bool finished = child.waitForFinished(120000);
    output = QString::fromLocal8Bit(child.readAll());
    if (!finished) {
        stop(child);
        return -1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

void WindowManagerSession::runCurrentTestInside() {
    WindowManagerSession session;
    if (!session.start()) {
        GTEST_SKIP() << "no window manager to stack the windows: " << session.failure().toStdString();
    }
    QString output;
    EXPECT_EQ(session.runCurrentTest(output), 0) << output.toStdString();
}

void WindowManagerSession::whenShown(const std::function<QWidget *()> &find,
                                     const std::function<void(QWidget *)> &act) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, find, act] {
        QWidget *window = find();
        if (!window || !window->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        if (QTest::qWaitForWindowExposed(window))
            QTest::qWait(300);
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
