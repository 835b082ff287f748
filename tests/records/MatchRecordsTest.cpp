// The own match's records: the stamped log and its .mat at the match's end, the dropped
// match's .tmp and its resume, a save that fails, the progress window, a short log played back.
#include "records/LogFiles.h"
#include "records/MatchRecords.h"
#include "records/frmsave.h"
#include "support/QtPrinters.h"
#include "support/ScriptedServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

class FakeRecordsHost : public RecordsHost {
public:
    explicit FakeRecordsHost(const QString &folder) : folder_(folder) {}

    QString logFolder() const override { return folder_ + "/log"; }
    QString matFolder() const override { return jellypath.isEmpty() ? folder_ + "/jf_mat" : jellypath; }
    QString opponentCaption() const override { return opponent; }
    void message(const QString &text) override { messages << text; }
    void setStatus(const QString &text) override { status = text; }
    void showTerminal(const QString &text) override { terminal << text; }
    void showProgressWindow(const QString &job) override { progress << "show " + job; }
    void showProgress(int percent) override { progress << QString::number(percent); }
    void hideProgressWindow() override { progress << "hide"; }
    void SplitFibString(const QString &text) override { shown << text; }
    void showGameRows(const QStringList &) override {}
    void enablePlaybackButtons(bool) override {}

    QString jellypath, opponent = "alice", status;
    QStringList messages, terminal, progress, shown;

private:
    QString folder_;
};

class MatchRecordsTest : public ::testing::Test {
protected:
    QByteArray read(const QString &relative) const {
        QFile file(dir.filePath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList files(const QString &folder) const { return QDir(dir.filePath(folder)).entryList(QDir::Files); }
    // An own match under way, as the dispatcher leaves it.
    void playing(const QStringList &lines) {
        matchLog = lines;
        isLogging = isPlaying = true;
    }

    QTemporaryDir dir;
    FakeRecordsHost host{dir.path()};
    QStringList matchLog;
    bool isLogging = false, isPlaying = false, isWatching = false, selfPlay = false, saveAutoFlag = false,
         replayStep = false;
    QString initFileName;
    MatchRecords records{{matchLog, isLogging, isPlaying, isWatching, selfPlay, saveAutoFlag, replayStep, initFileName},
                         host};
    const QStringList match = {"** Player alice has joined you for a 1 point match.", "", "Starting a new game with alice.",
                               QString::fromLatin1("alice says caf\xe9")};
};

TEST_F(MatchRecordsTest, AFinishedMatchIsSavedUnderOneStampAndConverted) {
    // The clock moves on at every reading: the stamp comes from one of them.
    QDateTime now(QDate(2008, 12, 31), QTime(23, 59, 59, 999));
    records.clock = [&now] { return std::exchange(now, now.addMSecs(1)); };
    playing(match);
    initFileName = "alice";
    saveAutoFlag = true;
    records.SaveAuto();
    EXPECT_EQ(read("log/200812312359_alice.log"), QByteArray("** Player alice has joined you for a 1 point match.\r\n"
                                                             "\r\nStarting a new game with alice.\r\nalice says caf\xe9\r\n"));
    EXPECT_EQ(read("jf_mat/200812312359_alice.mat"), " 1 point match\r\n\r\n Game 1\r\n" +
                                                         QString(" alice : 0").leftJustified(33).toLatin1() +
                                                         "You : 0\r\n");
    EXPECT_TRUE(matchLog.isEmpty());
    EXPECT_FALSE(isLogging || isPlaying || saveAutoFlag);
    EXPECT_TRUE(initFileName.isEmpty());
    EXPECT_EQ(host.status, "Korvex.log and JF.mat files saved..");
    // The terminal says where the .mat went.
    EXPECT_EQ(host.terminal, (QStringList{host.status, "JF.mat file 200812312359_alice.mat written to " +
                                                           QDir::toNativeSeparators(dir.filePath("jf_mat"))}));
    EXPECT_EQ(host.progress.first(), "show converting to jf.mat..");
    EXPECT_EQ(host.progress.last(), "hide");

    // A second match in the same minute keeps the first; a name that is no player's gives
    // "session"; the .mat goes inside a folder given without its last slash.
    records.clock = [] { return QDateTime(QDate(2008, 12, 31), QTime(23, 59)); };
    host.jellypath = dir.filePath("mats");
    for (const QString name : {"alice", "../x", ""}) {
        playing(match);
        initFileName = name;
        records.SaveAuto();
    }
    EXPECT_EQ(files("log"), (QStringList{"200812312359_alice.log", "200812312359_alice_2.log",
                                         "200812312359_session.log", "200812312359_session_2.log"}));
    EXPECT_EQ(files("mats").size(), 3);
    EXPECT_EQ(host.terminal.last(),
              "JF.mat file 200812312359_session_2.mat written to " + QDir::toNativeSeparators(dir.filePath("mats")));

    // Nothing recorded, nothing saved; a match GnuBG played on both sides keeps no record.
    host.messages.clear();
    records.SaveAuto();
    EXPECT_EQ(host.messages, QStringList{"sorry..no data was saved"});
    selfPlay = true;
    playing(match);
    saveAutoFlag = true;
    records.SaveAuto();
    EXPECT_TRUE(matchLog.isEmpty());  // nor are its lines left for a rescue to write
    EXPECT_EQ(files("log").size(), 4);
    // Nor does a save still pending from it say anything when the next match starts.
    selfPlay = false;
    saveAutoFlag = true;
    matchLog.clear();
    records.ownMatchStarts("** Player GnuBG has joined you for a 1 point match.");
    EXPECT_FALSE(saveAutoFlag);
    EXPECT_EQ(host.messages, QStringList{"sorry..no data was saved"});

    // A log that never says a match started makes no .mat, and says so.
    selfPlay = false;
    playing(match.mid(1));
    records.SaveAuto();
    EXPECT_EQ(files("log").size(), 5);
    EXPECT_EQ(files("mats").size(), 3);
    EXPECT_EQ(host.status, "No JF.mat written: the log holds no match start");

    // A .mat that cannot be written is said so, and the progress window goes all the same.
    QFile(dir.filePath("afile")).open(QIODevice::WriteOnly);
    host.jellypath = dir.filePath("afile/mats");
    host.progress.clear();
    playing(match);
    records.SaveAuto();
    EXPECT_TRUE(host.messages.last().startsWith("The JF.mat file could not be written: ")) << host.messages.last().toStdString();
    EXPECT_EQ(host.progress.last(), "hide");
}

TEST_F(MatchRecordsTest, ASaveThatFailsKeepsTheLinesInOopsAndOpensNoNextMatch) {
    records.clock = [] { return QDateTime(QDate(2008, 3, 2), QTime(9, 5)); };
    QDir().mkpath(dir.filePath("log"));
    // The log's place leads nowhere that can be written.
    QFile::link("/nonexistent/folder/x.log", dir.filePath("log/200803020905_alice.log"));
    playing(match);
    initFileName = "alice";
    records.SaveAuto();
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages.first().contains("200803020905_alice.log"));
    EXPECT_TRUE(host.messages.first().contains("oops.log"));
    QStringList kept;
    ASSERT_TRUE(LogFiles::readLines(dir.filePath("log/oops.log"), kept));
    EXPECT_EQ(kept, match);
    EXPECT_TRUE(matchLog.isEmpty());
    EXPECT_FALSE(isLogging || isPlaying);
    EXPECT_FALSE(QDir(dir.filePath("jf_mat")).exists());
}

TEST_F(MatchRecordsTest, ADroppedMatchIsKeptForItsResumeAndOnlyThatResumeTakesIt) {
    playing(match);
    records.SaveDropped();
    QStringList kept;
    ASSERT_TRUE(LogFiles::readLines(dir.filePath("log/alice.tmp"), kept));
    EXPECT_EQ(kept, match);
    EXPECT_TRUE(matchLog.isEmpty());

    // An empty record, or the lines of a watched match, never replace the resume's file.
    records.SaveDropped();
    isWatching = true;
    matchLog = {"bob moves 1-2"};
    records.SaveDropped();
    isWatching = false;
    EXPECT_EQ(read("log/alice.tmp").count("\r\n"), match.size());

    // A name that could leave the log folder writes nothing; the lines stay for the rescue.
    for (const QString name : {"../x", "a/b", ""}) {
        host.opponent = name;
        playing({"bob moves 1-2"});
        records.SaveDropped();
        EXPECT_EQ(matchLog, QStringList{"bob moves 1-2"});
    }
    EXPECT_EQ(host.messages.filter("Error in SaveDropped ").size(), 3);
    EXPECT_EQ(files("log"), QStringList{"alice.tmp"});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{});

    // The offer to resume leaves the running record alone; a match with someone else drops
    // it, and starts its own record empty of anything left from before.
    matchLog = {"a line of another match"};
    records.LoadDropped("alice");
    EXPECT_EQ(matchLog, QStringList{"a line of another match"});
    records.ownMatchStarts("** Player carl has joined you for a 3 point match.");
    EXPECT_TRUE(matchLog.isEmpty());
    records.LoadDropped("alice");
    records.ownMatchStarts("alice has joined you. Your running match was loaded.");
    EXPECT_EQ(matchLog, match);

    // No file to resume from: the record stays, and the status says what that means.
    records.LoadDropped("nobody");
    records.LoadDropped("../alice");
    EXPECT_EQ(host.status, "This resume will not save as JF.mat");
    EXPECT_EQ(matchLog, match);

    // A finished match still waiting for its save is saved before the next one starts.
    initFileName = "alice";
    saveAutoFlag = true;
    records.ownMatchStarts("** You are now playing a 3 point match with bob");
    EXPECT_TRUE(matchLog.isEmpty());
    EXPECT_EQ(files("log").filter("_alice.log").size(), 1);
}

// A line that loads the running match without naming the opponent: his board line names him,
// and his dropped part goes in front of the record when it is written, at a second drop as at
// the end. A loaded match with no dropped part is recorded as it comes.
TEST_F(MatchRecordsTest, ALoadedMatchGoesOnFromTheDroppedPartOfThePlayerItsBoardNames) {
    const QString loaded = "Your running match was loaded.";
    const QString board = "board:You:alice:1:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:0:0:0:0:"
                          "1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0";
    playing(match);
    records.SaveDropped();
    const QStringList second = {loaded, board, "You roll 3 and 1."};
    records.ownMatchStarts(loaded);
    playing(second);
    records.SaveDropped();
    QStringList kept;
    ASSERT_TRUE(LogFiles::readLines(dir.filePath("log/alice.tmp"), kept));
    EXPECT_EQ(kept, match + second);

    records.ownMatchStarts(loaded);
    playing({loaded, board});
    initFileName = "alice";
    records.SaveAuto();
    ASSERT_EQ(files("log").size(), 1);
    ASSERT_TRUE(LogFiles::readLines(dir.filePath("log/" + files("log").first()), kept));
    EXPECT_EQ(kept, (match + second + QStringList{loaded, board}));

    QString bobsBoard = board;
    bobsBoard.replace(":alice:", ":bob:");
    records.ownMatchStarts("bob has joined you. " + loaded);
    playing({"bob has joined you. " + loaded, bobsBoard});
    host.opponent = "bob";
    records.SaveDropped();
    ASSERT_TRUE(LogFiles::readLines(dir.filePath("log/bob.tmp"), kept));
    EXPECT_EQ(kept, (QStringList{"bob has joined you. " + loaded, bobsBoard}));
}

// In a log of three boards or fewer a step back only moves the mark: no board is shown again
// and the next step reads on where it was. With four a step back shows the board before and
// reads on from there.
TEST_F(MatchRecordsTest, AStepBackInALogOfThreeBoardsOnlyMovesTheMark) {
    const QStringList boards = ScriptedServer::fixtureLines("board/gibbon-test-clip-reader.txt");
    ASSERT_EQ(boards.size(), 4);
    for (const qsizetype count : {3, 4}) {
        host.shown.clear();
        records.startPlayback(boards.mid(0, count));
        records.cmdStep_Click();
        records.cmdBack_Click();
        EXPECT_EQ(records.playback().currentBoard(), 0) << count;
        records.cmdStep_Click();
        std::vector<qsizetype> shown;  // which of the boards each block showed
        for (const QString &block : host.shown)
            shown.push_back(boards.indexOf(block.chopped(2)));
        const std::vector<qsizetype> expected = count == 3 ? std::vector<qsizetype>{0, 1, 2}
                                                           : std::vector<qsizetype>{0, 1, 0, 1};
        EXPECT_EQ(shown, expected) << count;
    }
}

TEST_F(MatchRecordsTest, TheProgressWindowSitsOnItsOwnerAndClampsItsBar) {
    QWidget owner;
    owner.setGeometry(300, 200, 800, 600);
    frmsave window(&owner);
    window.centreOnOwner();
    EXPECT_EQ(window.frameGeometry().center(), owner.frameGeometry().center());
    const int full = window.Picture1->width() - 2;
    for (const auto &[percent, width] : {std::pair{0, 0}, {50, full / 2}, {100, full}, {150, full}, {-5, 0}}) {
        window.ShowProgress(percent);
        EXPECT_EQ(window.Picture2->width(), width) << percent;
    }
}

}  // namespace
