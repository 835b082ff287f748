#include "support/WindowManagerSession.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

namespace {
constexpr int kStartMs = 10000;
}

WindowManagerSession::WindowManagerSession(QSize screen) {
    if (!start(screen))
        failure_ = QStringLiteral("no X display with a window manager here (") + failure_ +
                   QStringLiteral("): scripts/install-deps.sh installs xvfb, openbox and xdotool");
}

bool WindowManagerSession::start(QSize screen) {
    for (const char *program : {"Xvfb", "openbox", "xdotool"}) {
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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    windowManager_.setProcessEnvironment(environment);
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
    for (QProcess *process : {&windowManager_, &server_}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(3000))
            process->kill();
        process->waitForFinished(1000);
    }
}

bool WindowManagerSession::xdotool(const QStringList &arguments) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(kStartMs) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool WindowManagerSession::movePointer(QPoint to) const {
    return xdotool({QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y())});
}

bool WindowManagerSession::click(QPoint at) const {
    return movePointer(at) && xdotool({QStringLiteral("click"), QStringLiteral("1")});
}
