#include "support/BareProcess.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {
const char *const kBare = "KORVEX_BARE_PROCESS";
constexpr int kChildMs = 60000;
}  // namespace

bool BareProcess::inside() {
    return qEnvironmentVariableIsSet(kBare);
}

void BareProcess::runCurrentTestInside() {
    const ::testing::TestInfo *test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kBare), QStringLiteral("1"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=%1.%2").arg(QLatin1String(test->test_suite_name()),
                                                           QLatin1String(test->name()))});
    const bool finished = child.waitForFinished(kChildMs);
    if (!finished)
        child.kill();
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_TRUE(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
        << output.toStdString();
}
