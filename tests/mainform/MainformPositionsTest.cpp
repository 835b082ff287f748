// JF .pos positions and the server's saved matches on the main window: a board saved through
// the menu is read by GNU Backgammon as shown, a position GNU Backgammon exports becomes an
// offline game, a file that cannot be played leaves the running game alone, and the
// saved-games page is fetched before the login with Play Online held off meanwhile.
#include "app/Utilities.h"
#include "connection/frmLogin.h"
#include "engine/GnubgInstalled.h"
#include "mainform/Mainform.h"
#include "play/OfflineLines.h"
#include "play/PipCount.h"
#include "support/HttpStub.h"
#include "support/OnlineLogin.h"
#include "support/QuickWindow.h"
#include "support/ScriptedServer.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The match length, the two scores and the 26 points of a board line, from whichever side
// the line names first.
QStringList scoreAndPoints(const QString &line) {
    return line.trimmed().split(':').mid(3, 29);
}

QString lastBoardLine(const QString &text) {
    const QStringList boards = text.split('\n').filter(QRegularExpression("^board:"));
    return boards.isEmpty() ? QString() : boards.last();
}

class MainformPositionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = loadQuickWindow(env);
        ASSERT_TRUE(window);
        window->prefs.prfGnuPlyEval = window->prefs.prfGnuPlyHint = 0;
    }
    void TearDown() override { setWaitFactor(1); }

    // The user rolled 6-5 with three on the bar, owning a cube of 4, 3-2 up in a 7-point match.
    void showBarPosition() {
        GnuBoard board{};
        for (auto [place, count] : {std::pair{6, 3}, {8, 3}, {13, 4}, {24, 2}, {25, 3}})
            board[0][std::size_t(place)] = count;
        for (auto [place, count] : {std::pair{13, 4}, {8, 3}, {6, 5}, {25, 2}, {0, 1}})
            board[1][std::size_t(place)] = count;
        shown = OfflineLines::rollLine(7, 3, 2, board, OfflineLines::Roller::You, 6, 5, 4, true);
        window->SplitFibString(shown + "\r\n");
    }
    QString path(const QString &name) const { return env.programFolder() + '/' + name; }
    void loadFile(const QString &file) {
        env.queueInput(file);
        window->findChild<QAction *>("mnuLoadJFPos")->trigger();
    }

    TestEnvironment env;
    std::unique_ptr<Mainform> window;
    QString shown;
};

// Saved through the menu, the board reads in GNU Backgammon as it was shown: the points, the
// score, the cube and who owns it. The folder is remembered for the next dialog.
TEST_F(MainformPositionsTest, ABoardSavedAsJfPosReadsInGnubgAsShown) {
    showBarPosition();
    QDir().mkpath(path("positions"));
    env.queueInput(path("positions/bar.pos"));
    window->findChild<QAction *>("mnuSaveJF")->trigger();
    EXPECT_EQ(env.messages().last(), "Done");
    EXPECT_EQ(QFileInfo(path("positions/bar.pos")).size(), 166);
    EXPECT_EQ(window->prefs.jellypath, path("positions"));
    SKIP_WITHOUT_GNUBG();

    const QString answer = gnubgAnswer("set output rawboard on\nimport pos " + path("positions/bar.pos").toLocal8Bit() +
                                       "\nshow board\nshow cube\nshow score\n");
    EXPECT_EQ(scoreAndPoints(lastBoardLine(answer)), scoreAndPoints(shown)) << answer.toStdString();
    EXPECT_TRUE(answer.contains("The cube is at 4, and is owned by User.")) << answer.toStdString();
    EXPECT_TRUE(answer.contains("Jellyfish 2, User 3 (match to 7 points)")) << answer.toStdString();
}

// A position GNU Backgammon exports, its cube owned by the other side, becomes an offline
// game against GnuBG from that position, with the user's dice rolled.
TEST_F(MainformPositionsTest, APositionGnubgExportsIsPlayedAgainstGnuBG) {
    SKIP_WITHOUT_GNUBG();
    const QString file = path("gnubg.pos");
    const QString answer = gnubgAnswer("set player 0 human\nnew match 7\nset player 0 name JellyFish\n"
                                       "set player 1 name User\nset board 4Bx8AGzgc/AAcA\nset cube value 2\n"
                                       "set cube owner 0\nset score 4 5\nset turn User\nexport position pos " +
                                           file.toLocal8Bit() + "\nset output rawboard on\nshow board\n");
    ASSERT_EQ(QFileInfo(file).size(), 166) << answer.toStdString();
    // 2 and 1 bring both of the user's checkers in from the bar: the turn stays his.
    window->offline.rollDie = [n = 0]() mutable { return ++n % 2 ? 2 : 1; };
    loadFile(file);

    const Mainform &w = *window;
    ASSERT_TRUE(w.gnuObject);
    EXPECT_TRUE(w.flags.isBot && w.flags.isPlaying);
    EXPECT_EQ(w.match.theCubeVal, 2);
    EXPECT_FALSE(w.match.blackOwnsCube);
    EXPECT_EQ(w.match.theMatchLength, 7);
    EXPECT_EQ(w.match.theMatchscore1, 5);
    EXPECT_EQ(w.match.theMatchscore2, 4);
    EXPECT_EQ(w.lblPlayer2->text(), "GnuBG");
    // The checkers stand as GNU Backgammon placed them: the board line built from them is
    // the one gnubg shows.
    const QString board = OfflineLines::rollLine(7, 5, 4, PipCount::of(w.checkers).gnuBoard,
                                                 OfflineLines::Roller::You, 2, 1, 2, false);
    EXPECT_EQ(scoreAndPoints(board), scoreAndPoints(lastBoardLine(answer)));
    EXPECT_TRUE(w.txtTerminal->toPlainText().startsWith("You roll 2 and 1."));
    EXPECT_TRUE(w.match.ismyTurn);
}

// The Crawford game travels in the file both ways, GNU Backgammon the judge. A position it
// exports during the Crawford game is played without the cube and one of post-Crawford play
// with it, whatever the score alone would say; saved again, each reads in gnubg as it came.
// A file that marks neither, as Korvex wrote them before, holds an ordinary game.
TEST_F(MainformPositionsTest, TheCrawfordGameTravelsInTheFileBothWays) {
    SKIP_WITHOUT_GNUBG();
    const QString exported = path("gnubg.pos"), saved = path("korvex.pos");
    // Both programs name the players JellyFish and User here, so the word lies alike.
    const qsizetype crawfordWord = 36 + 1 + 9 + 1 + 4 + 2;  // past the two names and the swapped dice
    const auto wordIn = [&](const QString &file) {
        QFile in(file);
        const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
        return bytes.size() > crawfordWord + 1 ? int(qFromLittleEndian<qint16>(bytes.constData() + crawfordWord)) : -1;
    };
    struct Case {
        QByteArray set;
        QString shown;
        bool userMayDouble;
    };
    for (const Case &c : {Case{"set crawford on", "Crawford game", false},
                          Case{"set postcrawford on", "post-Crawford play", true}}) {
        // The user 1 and JellyFish 2 in a 3-point match: the trailer may double after the
        // Crawford game only.
        const QString answer = gnubgAnswer("set player 0 human\nset player 1 human\nnew match 3\n"
                                           "set player 0 name JellyFish\nset player 1 name User\nset score 2 1\n" +
                                           c.set + "\nset turn User\nexport position pos " +
                                           exported.toLocal8Bit() + "\n");
        ASSERT_EQ(QFileInfo(exported).size(), 166) << answer.toStdString();
        if (window->offlineMatchRunning())
            env.queueAnswer(Dialogs::Answer::Yes);  // the position before makes way
        loadFile(exported);
        ASSERT_TRUE(window->flags.isBot && window->flags.isPlaying) << env.messages().join('|').toStdString();
        EXPECT_EQ(window->match.theMatchscore1, 1);
        EXPECT_EQ(window->match.isCrawford, c.userMayDouble ? 0 : 1) << c.set.toStdString();
        EXPECT_EQ(window->offline.userMayDouble(), c.userMayDouble) << c.set.toStdString();

        env.queueInput(saved);
        window->findChild<QAction *>("mnuSaveJF")->trigger();
        ASSERT_EQ(env.messages().last(), "Done");
        const QString read = gnubgAnswer("import pos " + saved.toLocal8Bit() + "\nshow score\n");
        EXPECT_TRUE(read.contains("(match to 3 points, " + c.shown + ")")) << read.toStdString();
        EXPECT_EQ(wordIn(saved), wordIn(exported)) << c.set.toStdString();
    }

    // Marked as an ordinary game: not the Crawford game, though the score is 2-1.
    QFile file(exported);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    ASSERT_EQ(wordIn(exported), 3);
    qToLittleEndian<qint16>(1, bytes.data() + crawfordWord);
    env.writeFile("old.pos", bytes);
    env.queueAnswer(Dialogs::Answer::Yes);
    loadFile(path("old.pos"));
    EXPECT_EQ(window->match.isCrawford, 0);
    EXPECT_TRUE(window->offline.userMayDouble());
}

// A name typed without an extension is saved as a .pos file, which the Load dialog lists; a
// name with an extension of its own is kept as typed.
TEST_F(MainformPositionsTest, ANameTypedWithoutAnExtensionIsSavedAsAPosFile) {
    showBarPosition();
    for (const QString &typed : {QStringLiteral("position"), QStringLiteral("position.bak")}) {
        env.queueInput(path(typed));
        window->findChild<QAction *>("mnuSaveJF")->trigger();
        EXPECT_EQ(env.messages().last(), "Done");
    }
    EXPECT_EQ(QFileInfo(path("position.pos")).size(), 166);
    EXPECT_FALSE(QFileInfo::exists(path("position")));
    EXPECT_EQ(QFileInfo(path("position.bak")).size(), 166);
    EXPECT_FALSE(QFileInfo::exists(path("position.bak.pos")));
}

// A file that cannot be played is said, and nothing of the game on the board changes: not
// the checkers, not the match, not the engine. Online the entry only says it is offline work.
TEST_F(MainformPositionsTest, AFileThatCannotBePlayedLeavesTheRunningGameAlone) {
    showBarPosition();
    const CheckerSet black = window->checkers.blackCheckers, white = window->checkers.whiteCheckers;
    const QStringList log = window->lists.matchLog;
    const MatchState &m = window->match;
    const auto state = [&] {
        return QStringList{QString::number(m.theCubeVal), QString::number(m.theMatchLength),
                           QString::number(m.theMatchscore1), QString::number(m.die1),
                           window->lblScore1->text(), window->lblMatch->text()};
    };
    const QStringList before = state();

    QByteArray good;
    env.queueInput(path("good.pos"));
    window->findChild<QAction *>("mnuSaveJF")->trigger();
    QFile saved(path("good.pos"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    good = saved.readAll();
    auto withField = [&good](int offset, int value) {
        QByteArray bytes = good;
        qToLittleEndian<qint16>(qint16(value), bytes.data() + offset);
        return bytes;
    };
    const QByteArray refused[] = {QByteArray(), good.left(60), withField(0, 100), withField(62 + 12 * 4, 40),
                                  withField(34, 7), withField(30, 0), withField(30, 65), withField(12, 3)};
    for (const QByteArray &bytes : refused) {
        env.writeFile("bad.pos", bytes);
        env.clearMessages();
        loadFile(path("bad.pos"));
        EXPECT_TRUE(env.messages().last().contains("cannot be played")) << env.messages().join('|').toStdString();
        EXPECT_FALSE(window->gnuObject);
        EXPECT_TRUE(window->checkers.blackCheckers == black && window->checkers.whiteCheckers == white);
        EXPECT_EQ(window->lists.matchLog, log);
        EXPECT_EQ(state(), before);
    }

    env.clearMessages();
    window->flags.isConnected = true;
    window->mnuLoadJFPos_Click();
    EXPECT_EQ(env.messages(), QStringList{"Can't view saved while online"});
    window->flags.isConnected = false;
}

// Only what the file can hold is written, and only a written file is "Done".
TEST_F(MainformPositionsTest, ASaveThatCannotBeWrittenIsNotDone) {
    showBarPosition();
    window->match.theCubeVal = 65536;
    env.queueInput(path("big.pos"));
    window->findChild<QAction *>("mnuSaveJF")->trigger();
    EXPECT_TRUE(env.messages().last().startsWith("Save  as JF.Pos Error ")) << env.messages().last().toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("big.pos")));

    window->match.theCubeVal = 4;
    env.writeFile("afile", "not a folder");
    env.queueInput(path("afile/bar.pos"));
    window->findChild<QAction *>("mnuSaveJF")->trigger();
    EXPECT_TRUE(env.messages().last().startsWith("Save  as JF.Pos Error ")) << env.messages().last().toStdString();

    // The board of a finished match would not be loaded again: it is not saved either.
    window->lblScore1->setText("7");
    env.queueInput(path("finished.pos"));
    window->findChild<QAction *>("mnuSaveJF")->trigger();
    EXPECT_EQ(env.messages().last(), "Save  as JF.Pos Error \r\nthe score 7-2 in a 7 point match");
    EXPECT_FALSE(QFileInfo::exists(path("finished.pos")));
}

// Play Online with prfLoadSaved fetches the page first; Play Online stays off until the page
// is in and the login window opens. Online, Show Saved asks the server and shows its answer.
TEST_F(MainformPositionsTest, TheSavedGamesPageComesBeforeTheLoginAndShowSavedAsksTheServer) {
    HttpStub site;
    site.reply(200, "<html>\n<b>alice</b> x y z\n<b>bob</b> x y z w\n</html>\n" + QByteArray(100, ' '));
    window->savedGamesList.pageUrl = site.url();
    window->prefs.prfLoadSaved = true;
    window->mnuConnect->trigger();
    EXPECT_FALSE(window->mnuConnect->isEnabled());
    EXPECT_FALSE(window->frmLoginWindow);
    window->mnuConnect_Click();  // a second click while the page comes does nothing
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->frmLoginWindow && window->frmLoginWindow->isVisible(); }, 5000));
    EXPECT_EQ(site.requests(), 1);
    EXPECT_TRUE(window->mnuConnect->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window->GetNumDropped("alice"), 2);
    EXPECT_EQ(window->GetNumDropped("bob"), 3);
    EXPECT_EQ(window->GetNumDropped("Alice"), 0);

    ScriptedServer server;
    server.send("login: ").awaitLine("login Korvex").awaitLine("show saved");
    ASSERT_TRUE(logInTo(*window, server));
    ASSERT_TRUE(server.waitForLines(1));
    EXPECT_EQ(site.requests(), 1);  // the copy is today's
    EXPECT_EQ(window->lists.savedGames.size(), 2u);
    window->opShouts->click();
    window->findChild<QAction *>("mnuSaved")->trigger();
    ASSERT_TRUE(server.waitForScriptEnd());
    EXPECT_EQ(server.linesReceived().last(), "show saved ");
    EXPECT_TRUE(window->opTerminal->isChecked());
}

}  // namespace
