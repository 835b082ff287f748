#include "connection/ServerLineDispatcher.h"
#include "support/FakeServerLineHost.h"

#include <QDateTime>
#include <QFile>
#include <stdexcept>
#include <QTemporaryFile>
#include <functional>
#include <utility>
#include <gtest/gtest.h>

namespace {

class DispatcherTest : public ::testing::Test {
protected:
    FakeServerLineHost host;
    ServerLineDispatcher dispatcher{host};
};

TEST_F(DispatcherTest, ShoutIsShownAndThePlainLineAfterItReachesTheFilter) {
    dispatcher.SplitFibString("13 bob Hello there\r\n** bob logs in.\r\n");
    EXPECT_TRUE(host.called("ShowShout(bob shouts:  Hello there)"));
    EXPECT_EQ(host.calls.filter("FilterOutput").size(), 1);
    EXPECT_TRUE(host.called("FilterOutput(** bob logs in.)"));
}

TEST_F(DispatcherTest, ChatLinesBecomeTheirPaneTexts) {
    host.gagList.LoadGagList("/nonexistent");
    // A message stored for the user, shown at login with its age by the clock.
    const QString stamp = QString::number(QDateTime::currentSecsSinceEpoch() - 3 * 3600 - 30);
    dispatcher.SplitFibString("15 bob nice roll\r\n19 alice thanks\r\n14 carl psst\r\n18 alice hush\r\n"
                              "10 bob\r\n11 bob\r\n17 me too\r\n9 dave " + stamp + " see you soon\r\n");
    EXPECT_TRUE(host.called("ShowKibitz(3 hours ago  dave wrote this message: see you soon )"));
    EXPECT_TRUE(host.called("ShowKibitz(bob kibitzes:  nice roll)"));
    EXPECT_TRUE(host.called("ShowKibitz(You kibitz:  alice thanks)"));
    EXPECT_TRUE(host.called("ShowKibitz(carl whispers:  psst)"));
    EXPECT_TRUE(host.called("ShowKibitz(You whisper:  alice hush)"));
    EXPECT_TRUE(host.called("ShowShout(You shout:  me too)"));
    // The numbered lines never reach the filter.
    EXPECT_TRUE(host.calls.filter("FilterOutput").isEmpty());
}

TEST_F(DispatcherTest, ALineThatFailsIsSkippedAndTheRestIsRead) {
    struct FailingHost : FakeServerLineHost {
        void ProcessBoardOutput(const QString &line) override {
            if (line.contains("broken"))
                throw std::runtime_error("unreadable board");
            FakeServerLineHost::ProcessBoardOutput(line);
        }
    } failing;
    ServerLineDispatcher d(failing);
    d.SplitFibString("board:broken\r\n15 carl still here\r\n** after the bad line\r\n");
    ASSERT_EQ(failing.messages.size(), 1);
    EXPECT_TRUE(failing.messages.first().startsWith("There was an error. You may be able to resume.\r\nunreadable board"));
    EXPECT_TRUE(failing.called("ShowKibitz(carl kibitzes:  still here)"));
    EXPECT_TRUE(failing.called("FilterOutput(** after the bad line)"));
    // However many bad lines come, the program goes on.
    for (int i = 0; i < 5; ++i)
        d.SplitFibString("board:broken\r\n");
    EXPECT_EQ(d.errorCount(), 6);
}

TEST_F(DispatcherTest, EmptyShoutsAndMessagesAreNoError) {
    dispatcher.SplitFibString("13 Rocky\r\n15 Rocky\r\n");
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_TRUE(host.called("ShowShout(Rocky shouts: )"));
}

TEST_F(DispatcherTest, SaysGoToTheirWindowOrOpenANewOne) {
    host.openChats << "Chat (bob)";
    dispatcher.SplitFibString("12 bob hi there\r\n12 carl hello\r\n");
    EXPECT_TRUE(host.called("ShowChat[Chat (bob)](bob:  hi there)"));
    EXPECT_TRUE(host.called("openChat[carl](carl:  hello)"));
    EXPECT_EQ(host.f.whoSays, "carl");
    EXPECT_TRUE(host.calls.filter("FilterOutput").isEmpty());

    // After a hang-up the socket is gone, but the server's last lines are still its own
    // while they are read out: a quote in a tell is text.
    host.calls.clear();
    host.connected = false;
    dispatcher.SplitFibString("12 dave see you \"later\"\r\n");
    EXPECT_EQ(host.calls.filter("openChat"), QStringList{"openChat[dave](dave:  see you \"later\")"});
    EXPECT_TRUE(host.calls.filter("FilterOutput").isEmpty());

    // Offline, says are not read and a double quote also ends a line.
    host.calls.clear();
    host.f.isConnected = false;
    dispatcher.SplitFibString("12 dave hi\r\nfirst\"second");
    EXPECT_TRUE(host.calls.filter("openChat").isEmpty());
    EXPECT_TRUE(host.called("FilterOutput(first)"));
    EXPECT_TRUE(host.called("FilterOutput(second)"));
}

TEST_F(DispatcherTest, GaggedSendersAreSilencedAndTheirSoundsNotPlayed) {
    QTemporaryFile gags;
    ASSERT_TRUE(gags.open());
    gags.write("Spammer\n");
    gags.close();
    host.gagList.LoadGagList(gags.fileName());
    host.p.prfTalkingWavs = true;
    host.p.prfSShout = true;
    dispatcher.SplitFibString("13 spammer laugh.wav\r\n15 spammer laugh.wav\r\n13 bob laugh.wav\r\n"
                              "12 spammer hi there\r\n");
    EXPECT_TRUE(host.called("ShowShout()"));
    EXPECT_TRUE(host.calls.filter("openChat").isEmpty());  // a tell opens no conversation
    EXPECT_EQ(host.calls.filter("chatSound").size(), 1);
    EXPECT_TRUE(host.called("chatSound(laugh.wav)"));
    EXPECT_TRUE(host.called("ShowShout(bob shouts:  laugh.wav)"));
}

TEST_F(DispatcherTest, OwnMatchStartsOnceOnThePlainLineAndAsksForTheBoard) {
    host.p.prfFirstTimer = true;
    // Other players' matches passed on in a shout or a tell are no match of the user's.
    dispatcher.SplitFibString("13 joe ann and bob are now playing a 5 point match\r\n"
                              "12 ann ** Player bob has joined you for a 5 point match.\r\n");
    EXPECT_FALSE(host.f.isPlaying);
    EXPECT_TRUE(host.sent.isEmpty());

    dispatcher.SplitFibString("** Player bob has joined you for a 5 point match.\r\n");
    EXPECT_TRUE(host.f.isPlaying);
    EXPECT_TRUE(host.f.isLogging);
    EXPECT_TRUE(host.m.gameInit);
    EXPECT_EQ(host.sent, (QStringList{"toggle moreboards ", "board "}));
    EXPECT_EQ(host.l.matchLog, QStringList{"** Player bob has joined you for a 5 point match."});

    host.sent.clear();
    dispatcher.SplitFibString("** Player carl has joined you for a 3 point match.\r\n5 carl - - 1 0 1500.00 10 1 1 h\r\n");
    EXPECT_TRUE(host.sent.isEmpty());
    // Numbered lines are not recorded.
    EXPECT_EQ(host.l.matchLog.size(), 2);
}

TEST_F(DispatcherTest, OwnInformationSetsReadyAndSwitchesOptionsBackOn) {
    // automove off, moreboards off, notify on, ready on
    dispatcher.SplitFibString("2 alice 1 1 0 0 0 0 1 1 2396 0 0 0 1 3457.85 0 1 0 0 0 Europe/Sofia\r\n");
    EXPECT_FALSE(host.f.initOutput);
    EXPECT_TRUE(host.f.isReady);
    EXPECT_EQ(host.sent, (QStringList{"toggle automove ", "toggle moreboards "}));
    EXPECT_EQ(host.status, "Loading Player List...");

    host.sent.clear();
    dispatcher.SplitFibString("2 alice 1 1 0 0 0 0 1 1 2396 0 0 0 1 3457.85 0 1 0 0 Europe/Sofia\r\n");
    EXPECT_TRUE(host.sent.isEmpty());  // 21 words: not an own-information line
}

TEST_F(DispatcherTest, ASwitchTurnedOnIsNotToggledAgain) {
    host.p.prfFirstTimer = true;
    // moreboards off, then on by the client's toggle: the match start leaves it on.
    dispatcher.SplitFibString("2 alice 1 1 0 1 0 0 1 1 2396 0 0 0 1 3457.85 0 1 0 0 0 Europe/Sofia\r\n");
    dispatcher.SplitFibString("** Player bob has joined you for a 5 point match.\r\n");
    EXPECT_EQ(host.sent, (QStringList{"toggle moreboards ", "board "}));
    EXPECT_TRUE(host.f.serverSwitches.isOff(ServerSwitches::Report));
    EXPECT_TRUE(host.f.serverSwitches.isOn(ServerSwitches::Double));
}

TEST_F(DispatcherTest, PlayerAndBoardLinesGoToTheirReaders) {
    QFile who(QStringLiteral(KORVEX_FIXTURES_DIR) + "/clip05-06_who_info/gibbon-test-clip-reader.txt");
    ASSERT_TRUE(who.open(QIODevice::ReadOnly));
    dispatcher.SplitFibString(QString::fromLatin1(who.readAll()));
    EXPECT_TRUE(host.called("UpdatePlayerList(GibbonTestA,ready)"));
    EXPECT_TRUE(host.called("UpdatePlayerList(GibbonTestB,ready)"));
    EXPECT_EQ(host.calls.filter("UpdatePlayerList").last(), "UpdatePlayerList(,end)");  // the list is whole
    EXPECT_EQ(host.status, "Welcome ...");

    dispatcher.SplitFibString("8 bob bob drops connection.\r\n"
                              "board:You:bob:3:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:6:5:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0\r\n"
                              "bob moves 24-18 13-10\r\n");
    EXPECT_TRUE(host.called("UpdatePlayerList(bob,logout)"));
    EXPECT_EQ(host.calls.filter("ProcessBoardOutput").size(), 2);
    EXPECT_TRUE(host.calls.filter("FilterOutput(board").isEmpty());
}

TEST_F(DispatcherTest, ForcedMovesAndBearOffsAreTurnedIntoMoveLines) {
    dispatcher.SplitFibString("You roll 6 and 5.\r\n");
    EXPECT_TRUE(host.m.ismyTurn);
    dispatcher.SplitFibString("The only possible move is 24-18 18-13 .\r\nBearing off: 3 o 1 o\r\n"
                              "Bearing off: 6 o 5 o 4 o 2 o\r\nBearing off: 1 o 2 o 3 o\r\n");
    EXPECT_TRUE(host.called("ProcessBoardOutput(You move 24-18 18-13 . )"));
    EXPECT_TRUE(host.called("ProcessBoardOutput(You move 3-off 1-off)"));
    EXPECT_TRUE(host.called("ProcessBoardOutput(You move 6-off 5-off 4-off 2-off )"));
    EXPECT_EQ(host.calls.filter("ProcessBoardOutput").size(), 3);

    dispatcher.SplitFibString("bob rolls 3 and 1.\r\nPlease move 2 pieces.\r\n");
    EXPECT_FALSE(host.m.ismyTurn);
    EXPECT_EQ(host.m.MovesToMake, 2);
}

TEST_F(DispatcherTest, TextArrivingDuringAPauseWaitsItsTurn) {
    // The "board " request pauses; the server's next text arrives inside that pause.
    struct NestingHost : FakeServerLineHost {
        ServerLineDispatcher *dispatcher = nullptr;
        bool nested = false;
        void pause(int ms) override {
            FakeServerLineHost::pause(ms);
            if (!nested) {
                nested = true;
                dispatcher->SplitFibString("** newer line\r\n");
            }
        }
    } nesting;
    ServerLineDispatcher d(nesting);
    nesting.dispatcher = &d;
    d.SplitFibString("** Player bob has joined you for a 1 point match.\r\n** older line\r\n");
    const QStringList filtered = nesting.calls.filter("FilterOutput");
    ASSERT_EQ(filtered.size(), 3);
    EXPECT_EQ(filtered[1], "FilterOutput(** older line)");
    EXPECT_EQ(filtered[2], "FilterOutput(** newer line)");
}

TEST_F(DispatcherTest, EndingAPlaybackDropsOnlyPlayedBackText) {
    // The playback ends (the user goes online) while a move line waits for its animation.
    struct WaitingHost : FakeServerLineHost {
        std::function<void()> duringMove;
        void ProcessBoardOutput(const QString &line) override {
            FakeServerLineHost::ProcessBoardOutput(line);
            if (duringMove)
                std::exchange(duringMove, nullptr)();
        }
    } waiting;
    ServerLineDispatcher d(waiting);
    bool dropped = true;
    waiting.duringMove = [&] { dropped = d.dropPlayedBack(); };
    d.SplitFibString("bob moves 24-18\r\n** live after the move\r\n");
    EXPECT_FALSE(dropped);
    EXPECT_TRUE(waiting.called("FilterOutput(** live after the move)"));

    waiting.duringMove = [&] {
        d.SplitFibString("** live one\r\n** live two\r\n");
        dropped = d.dropPlayedBack();
    };
    d.SplitFibString("bob moves 13-10\r\n** replay after the move\r\n", ServerLineDispatcher::Source::PlayedBack);
    EXPECT_TRUE(dropped);
    EXPECT_FALSE(waiting.called("FilterOutput(** replay after the move)"));
    EXPECT_TRUE(waiting.called("FilterOutput(** live one)"));
    EXPECT_TRUE(waiting.called("FilterOutput(** live two)"));
}

TEST_F(DispatcherTest, LinesGluedOntoABoardLineAreReadOnTheirOwn) {
    QFile glued(QStringLiteral(KORVEX_FIXTURES_DIR) + "/edge_cases_concatenated/gibbon-test-clip-reader.txt");
    ASSERT_TRUE(glued.open(QIODevice::ReadOnly));
    dispatcher.SplitFibString(QString::fromLatin1(glued.readAll()));
    const QStringList boards = host.calls.filter("ProcessBoardOutput");
    ASSERT_EQ(boards.size(), 3);
    EXPECT_TRUE(boards[0].endsWith(":2:0:0:0)"));
    EXPECT_TRUE(boards[1].endsWith(":2:0:0:1)"));
    EXPECT_EQ(host.calls.filter("UpdatePlayerList(anotherplayer,ready)").size(), 2);
    EXPECT_TRUE(host.called("FilterOutput(Some arbitrary other message)"));

    const QString plain = "board:a:b:3:0:0:0:-2:0:0:0:0:5:0:3:0:0:0:-5:5:0:0:0:-3:0:-5:0:0:0:0:2:0:1:6:2:0:0:1:1:1:0:1:-1:0:25:0:0:0:0:2:0:0:0";
    EXPECT_EQ(ServerLineDispatcher::separateGluedLine(plain), QStringList{plain});
    EXPECT_EQ(ServerLineDispatcher::separateGluedLine("board:short:line"), QStringList{"board:short:line"});
}

TEST(TruncateStringTest, KeepsTheBlankBeforeTheText) {
    EXPECT_EQ(ServerLineDispatcher::truncateString(4, "13 bob hello there"), " hello there");
    EXPECT_EQ(ServerLineDispatcher::truncateString(2, "17 hello"), " hello");
    EXPECT_EQ(ServerLineDispatcher::truncateString(4, "13 bob"), "");
}

}  // namespace
