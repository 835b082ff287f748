#include "support/ChildTest.h"

#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const char *const kBare = "KORVEX_BARE_PROCESS";
constexpr int kBareChildMs = 60000;
}  // namespace

int runCurrentTestInChild(const QProcessEnvironment &environment, int timeoutMs, QString &output) {
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(QLatin1String(test->test_suite_name()),
                                                           QLatin1String(test->name()))});
    const bool finished = child.waitForFinished(timeoutMs);
    if (!finished) {
        child.terminate();
        if (!child.waitForFinished(3000))
            child.kill();
        child.waitForFinished(1000);
    }
    output = QString::fromLocal8Bit(child.readAll());
    if (!finished) {
        output += QStringLiteral("\nThe test did not finish in its child process within %1 s.").arg(timeoutMs / 1000);
        return -1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

bool BareProcess::inside() {
    return qEnvironmentVariableIsSet(kBare);
}

void BareProcess::runCurrentTestInside() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kBare), QStringLiteral("1"));
    QString output;
    EXPECT_EQ(runCurrentTestInChild(environment, kBareChildMs, output), 0) << output.toStdString();
}
