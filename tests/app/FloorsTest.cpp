// The includes run down the floors, never up: app and records at the bottom, then
// connection, board and engine, then lobby and play, and the main window on top. So only
// main.cpp and the main window's own files include the main window.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(FloorsTest, IncludesRunDownTheFloors) {
    const QHash<QString, int> floor{{"app", 0},  {"records", 0}, {"connection", 1}, {"board", 1},
                                    {"engine", 1}, {"lobby", 2},  {"play", 2},       {"mainform", 3}};
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"(\\w+)/"),
                                            QRegularExpression::MultilineOption);
    const QDir src(QStringLiteral(KORVEX_DATA_DIR "/../src"));
    ASSERT_TRUE(src.exists("mainform/Mainform.h"));
    QStringList upward;
    int files = 0;
    QDirIterator it(src.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = src.relativeFilePath(it.next());
        const QString folder = file.section('/', 0, 0);
        if (!floor.contains(folder))
            continue;
        QFile source(src.filePath(file));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << file.toStdString();
        ++files;
        for (const QRegularExpressionMatch &m : include.globalMatch(QString::fromUtf8(source.readAll()))) {
            const QString target = m.captured(1);
            if (floor.value(target, -1) > floor.value(folder))
                upward << file + " includes " + target + "/";
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_EQ(upward.join('\n').toStdString(), "");
}

}  // namespace
