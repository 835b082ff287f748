// Every recorded server line, fed to the real main window: nothing may crash it, and no
// line may count as malformed.
#include "app/Utilities.h"
#include "connection/ServerLineDispatcher.h"
#include "mainform/Mainform.h"
#include "support/QuickWindow.h"
#include "support/TestEnvironment.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(FixtureSweepTest, EveryRecordedServerLineIsReadWithoutError) {
    TestEnvironment env;
    // Without the pauses that let a viewer follow the game.
    const std::unique_ptr<Mainform> window = loadQuickWindow(env);
    ASSERT_TRUE(window);

    QDirIterator files(QStringLiteral(KORVEX_FIXTURES_DIR), {"*.txt"}, QDir::Files, QDirIterator::Subdirectories);
    int read = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        window->SplitFibString(QString::fromLatin1(file.readAll()));
        ++read;
    }
    EXPECT_GT(read, 20);
    setWaitFactor(1);
    // A board line the reader refuses gets a box but is no dispatcher error: both are counted.
    EXPECT_EQ(window->dispatcher->errorCount(), 0);
    EXPECT_EQ(env.messages(), QStringList());
}

}  // namespace
