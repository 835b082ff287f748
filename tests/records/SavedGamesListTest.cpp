// The copy of the server's saved-games page: when it is fetched (its age, the reminder,
// prfLoadSaved), how a fetch that fails leaves it, and how its lines are read, once a run.
#include "records/SavedGamesList.h"
#include "support/HttpStub.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <deque>

namespace {

class FakeSavedGamesHost : public SavedGamesHost {
public:
    explicit FakeSavedGamesHost(const QString &folder) : folder_(folder) {}

    QString programFolder() const override { return folder_; }
    bool ask(const QString &text, const QString &title) override {
        asked << title + ' ' + text;
        const bool yes = answers.empty() || answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    void message(const QString &text) override { messages << text; }
    void setStatus(const QString &text) override { status = text; }
    void showProgressWindow(const QString &job) override { progress << "show " + job; }
    void showProgress(int percent) override { progress << QString::number(percent); }
    void hideProgressWindow() override { progress << "hide"; }
    void setBusy(bool on) override { busy << on; }

    std::deque<bool> answers;
    QStringList asked, messages, progress;
    QList<bool> busy;
    QString status;

private:
    QString folder_;
};

class SavedGamesListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.pageUrl = site.url();
        list.download.stallMs = 300;
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QByteArray read(const QString &name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QString &name, const QByteArray &bytes, int daysOld = 0) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.flush();
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-daysOld), QFileDevice::FileModificationTime));
    }
    // One Play Online's worth: true once the login may open, which must happen every time.
    bool load(bool prfLoadSaved) {
        bool done = false;
        list.LoadSavedGamesList(prfLoadSaved, [&done] { done = true; });
        return QTest::qWaitFor([&] { return done; }, 5000) && !list.isBusy() && host.busy.endsWith(false);
    }
    QStringList names() const {
        QStringList read;
        for (const SavedGame &game : games)
            read << game.name + ':' + QString::number(game.count);
        return read;
    }

    QTemporaryDir dir;
    HttpStub site;
    FakeSavedGamesHost host{dir.path()};
    std::vector<SavedGame> games;
    SavedGamesList list{games, host};
    const QByteArray page = "<html><body>\r\n<b>alice</b> x y z\r\n<b>bob</b>\r\n<b>carol</b> x y z w";
};

// A first run makes a copy dated today: nothing is fetched unless prfLoadSaved asks; the
// lines are read once a run, whatever later runs find.
TEST_F(SavedGamesListTest, AFreshCopyIsNotFetchedAndItsLinesAreReadOnce) {
    ASSERT_TRUE(load(false));
    EXPECT_TRUE(QFileInfo::exists(path("list.html")));
    EXPECT_TRUE(QFileInfo::exists(path("tmpsaved.txt")));
    EXPECT_TRUE(host.asked.isEmpty());
    EXPECT_EQ(site.requests(), 0);
    EXPECT_TRUE(games.empty());

    write("tmpsaved.txt", "<b>alice</b> x y z\r\n<b>bob</b>\r\n");
    ASSERT_TRUE(load(false));
    EXPECT_EQ(names(), QStringList{"alice:2"});
    EXPECT_EQ(host.progress, (QStringList{"show parsing savedgames..", "50", "100", "hide"}));
    ASSERT_TRUE(load(false));
    EXPECT_EQ(names(), QStringList{"alice:2"});

    // A full copy changed today is not fetched again, even with prfLoadSaved.
    write("list.html", QByteArray(200, ' '));
    ASSERT_TRUE(load(true));
    EXPECT_EQ(site.requests(), 0);
}

// A week-old copy asks first. No dates the copy today and reads the old lines; Yes fetches.
TEST_F(SavedGamesListTest, AWeekOldCopyAsksBeforeItIsFetched) {
    write("list.html", "old page", 7);
    write("tmpsaved.txt", "<b>alice</b> x y z\r\n");
    host.answers = {false};
    ASSERT_TRUE(load(false));
    EXPECT_EQ(host.asked, QStringList{"Reminder... Local copy of fibs/savedgames/list.html has expired..update now?"});
    EXPECT_EQ(read("list.html"), "old page \r\n");
    EXPECT_EQ(QFileInfo(path("list.html")).lastModified().date(), QDate::currentDate());
    EXPECT_EQ(names(), QStringList{"alice:2"});
    EXPECT_EQ(site.requests(), 0);
    ASSERT_TRUE(load(false));
    EXPECT_EQ(host.asked.size(), 1);

    write("list.html", "old page", 8);
    site.reply(200, page);
    ASSERT_TRUE(load(false));
    EXPECT_EQ(site.requests(), 1);
    EXPECT_EQ(read("list.html"), page);
}

// prfLoadSaved fetches a copy too small to be the list. The page replaces the copy, its
// last line kept though no line feed ends it; the lines are read in that run.
TEST_F(SavedGamesListTest, AFetchedPageReplacesTheCopyWithItsLastLine) {
    site.reply(200, page);
    ASSERT_TRUE(load(true));
    EXPECT_EQ(site.requests(), 1);
    EXPECT_EQ(read("list.html"), page);
    EXPECT_TRUE(read("tmpsaved.txt").endsWith("<b>carol</b> x y z w\r\n"));
    EXPECT_EQ(names(), (QStringList{"alice:2", "carol:3"}));
    EXPECT_EQ(host.busy, (QList<bool>{true, false}));
    EXPECT_TRUE(host.messages.isEmpty());
}

// A site that answers 404, a closed port and a site that never answers all keep the copy
// and its lines, are said, and let the login go on; the hourglass ends every time.
TEST_F(SavedGamesListTest, AFailedFetchKeepsTheCopyAndIsSaid) {
    const QByteArray lines = "<b>alice</b> x y z\r\n";
    for (const char *how : {"404", "closed port", "silent"}) {
        SCOPED_TRACE(how);
        host.messages.clear();
        games.clear();
        write("list.html", "old page", 1);
        write("tmpsaved.txt", lines);
        site.reply(404, "<html>gone</html>");
        if (QByteArray(how) == "closed port")
            list.pageUrl = HttpStub::closedPortUrl();
        if (QByteArray(how) == "silent")
            site.staySilent();
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(load(true));
        EXPECT_LT(clock.elapsed(), 3000);
        EXPECT_EQ(read("list.html"), "old page");
        EXPECT_EQ(read("tmpsaved.txt"), lines);
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(host.messages.first().contains("FIBS web site"));
        EXPECT_EQ(names(), QStringList{"alice:2"});
        list.pageUrl = site.url();
    }
}

// A page cut short after some of it came, and one larger than a list can be, are failed
// fetches: the copy stays as it was. Lines that cannot be written are said without sending
// the user out of the program, and the login goes on.
TEST_F(SavedGamesListTest, ACutOrOversizedPageIsNoCopyAndAReadErrorLetsTheLoginGoOn) {
    const QByteArray lines = "<b>alice</b> x y z\r\n";
    list.download.maxBytes = 1000;
    for (const char *how : {"cut", "oversized"}) {
        SCOPED_TRACE(how);
        host.messages.clear();
        write("list.html", "old page", 1);
        write("tmpsaved.txt", lines);
        if (QByteArray(how) == "cut") {
            site.reply(200, page + QByteArray(500, ' '));
            site.cutAfter(40);
        } else {
            site.reply(200, page + QByteArray(5000, ' '));
        }
        ASSERT_TRUE(load(true));
        EXPECT_EQ(site.requests(), QByteArray(how) == "cut" ? 1 : 2);
        EXPECT_EQ(read("list.html"), "old page");
        EXPECT_EQ(read("tmpsaved.txt"), lines);
        ASSERT_EQ(host.messages.size(), 1);
        EXPECT_TRUE(host.messages.first().contains("FIBS web site"));
    }

    host.messages.clear();
    QFile::remove(path("tmpsaved.txt"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("tmpsaved.txt"));  // the page's lines cannot be written
    site.reply(200, page);
    ASSERT_TRUE(load(true));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages.first().startsWith("Error reading the file  Lists of FIBS Saved Matches. "));
    EXPECT_FALSE(host.messages.first().contains("exit")) << host.messages.first().toStdString();
}

}  // namespace
