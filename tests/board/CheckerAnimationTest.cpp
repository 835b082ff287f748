#include "play/GameFixture.h"
#include "board/BoardShow.h"
#include "support/WindowManagerSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace {

using Path = std::vector<QPoint>;

TEST(CheckerAnimationPathTest, TwoPixelsAFrameAlongTheLongerAxis) {
    const Path path = CheckerAnimation::path({100, 50}, {140, 60});
    ASSERT_EQ(path.size(), 20u);
    const int ys[] = {50, 51, 51, 52, 52, 53, 53, 54, 54, 55};
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(path[std::size_t(f)], QPoint(102 + 2 * f, ys[f])) << "frame " << f + 1;
    EXPECT_EQ(path.back(), QPoint(140, 60));

    const Path diagonal = CheckerAnimation::path({40, 40}, {30, 30});
    EXPECT_EQ(diagonal, (Path{{38, 38}, {36, 36}, {34, 34}, {32, 32}, {30, 30}}));
    const Path down = CheckerAnimation::path({10, 100}, {13, 60});
    ASSERT_EQ(down.size(), 20u);
    EXPECT_EQ(down.front(), QPoint(10, 98));
    EXPECT_EQ(down.back().y(), 60);

    EXPECT_TRUE(CheckerAnimation::path({7, 7}, {8, 7}).empty());
    EXPECT_TRUE(CheckerAnimation::path({7, 7}, {7, 7}).empty());
    EXPECT_EQ(CheckerAnimation::path({0, 0}, {5, 0}).size(), 2u);  // 2.5 frames round to 2
    EXPECT_EQ(CheckerAnimation::path({0, 0}, {7, 0}).size(), 4u);  // and 3.5 to 4
}

class CheckerAnimationTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.board.hooks.slide = [this](Side side, QPoint from, QPoint to) { animation.slide(side, from, to); };
        f.board.hooks.hitting = [this](Side side) { animation.hitting(side); };
        // Each frame is looked at instead of waited for.
        animation.frameWait = [this](int delay) {
            delays.push_back(delay);
            const QImage &shown = f.board.shownBoard();
            framesWithSprite += shown != f.board.BoardBuffer() ? 1 : 0;
        };
        f.records.blackCheckers.fill({{13, 2}, {5, 1}}, f.geometry);
        f.records.whiteCheckers.fill({{1, 2}}, f.geometry);
        f.board.showMiddleGameboard();
    }
    int frames() const { return int(delays.size()); }
    int framesOfTrip(QPoint from, QPoint to) const { return int(CheckerAnimation::path(from, to).size()); }

    GameFixture f;
    CheckerAnimation animation{f.board, f.prefs};
    std::vector<int> delays;
    int framesWithSprite = 0;
};

TEST_F(CheckerAnimationTest, AnimatedSidesSlideFrameByFrameWithoutKeepingTheSprite) {
    f.prefs.prfAnimateCheckersB = true;
    f.prefs.prfAnimDelay = 37;
    const QPoint from = f.place(13, 2), to = f.place(7, 1);
    int checker = 1;
    f.moves.MoveBlackChecker(checker, 7, true);
    ASSERT_GT(frames(), 10);
    EXPECT_EQ(frames(), framesOfTrip(from, to));
    EXPECT_EQ(framesWithSprite, frames());
    EXPECT_EQ(delays.front(), 37);
    // Afterwards the board is what a whole redraw of the records gives.
    const QImage after = f.board.shownBoard();
    f.board.showMiddleGameboard();
    EXPECT_EQ(after, f.board.shownBoard());

    delays.clear();
    checker = 1;
    f.moves.MoveWhiteChecker(checker, 4, true);  // the opponent's moves are not animated
    EXPECT_EQ(frames(), 0);
    EXPECT_EQ(f.white(4), 1);
}

TEST_F(CheckerAnimationTest, AHitCarriesTheUsersBlotToTheBarAnimatedOnlyThatOnce) {
    f.prefs.prfAnimateCheckersW = true;
    const QPoint hitFrom = f.place(1, 2), blot = f.place(5, 1), bar = f.place(26, 1);
    int checker = 1;
    f.moves.MoveWhiteChecker(checker, 5, true);
    EXPECT_EQ(f.black(26), 1);
    EXPECT_EQ(frames(), framesOfTrip(hitFrom, blot) + framesOfTrip(blot, bar));

    delays.clear();
    checker = 1;
    f.moves.MoveBlackChecker(checker, 7, true);  // the user's own moves stay still
    EXPECT_EQ(frames(), 0);
    EXPECT_EQ(f.black(7), 1);

    // Without animation for the opponent, its hit does not animate the user's checker either.
    f.prefs.prfAnimateCheckersW = false;
    checker = f.records.blackCheckers.firstOn(13);
    f.moves.MoveBlackChecker(checker, 4, true);
    checker = f.records.whiteCheckers.firstOn(1);
    f.moves.MoveWhiteChecker(checker, 4, true);
    EXPECT_EQ(f.black(26), 2);
    EXPECT_EQ(frames(), 0);
}

// A click on the board while a checker slides waits for the slide to end and then acts on the
// spot it was made on, however far the pointer has moved since.
TEST_F(CheckerAnimationTest, AClickDuringASlideActsAfterItWhereItWasMade) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    BoardShow show;
    f.board.setBoardShow(&show);
    show.move(50, 50);
    show.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&show));
    QTest::qWait(300);  // the window manager has placed it
    f.board.showMiddleGameboard();
    f.prefs.prfAnimateCheckersB = true;
    f.prefs.prfAnimDelay = 1000;  // 10 ms a frame: the slide lasts about a second
    int slideFrames = 0;
    animation.frameWait = [&](int delay) {
        ++slideFrames;
        CheckerAnimation::waitFrame(delay);
    };

    const QPoint spot = f.middle(f.place(6, 1));
    std::vector<QPoint> presses;
    bool sliding = false;
    int pressesDuringSlide = 0;
    QObject::connect(&show, &BoardShow::mousePressed, [&](Qt::MouseButton, QPoint at) {
        presses.push_back(at);
        pressesDuringSlide += sliding ? 1 : 0;
    });
    QTimer::singleShot(100, [&] {
        WindowManagerSession::click(show.mapToGlobal(spot));
        WindowManagerSession::movePointer(show.mapToGlobal(f.middle(f.place(20, 1))));
    });
    int checker = 1;
    sliding = true;
    f.moves.MoveBlackChecker(checker, 7, true);
    sliding = false;
    ASSERT_GT(slideFrames, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !presses.empty(); }, 2000)) << "the click was lost";
    EXPECT_EQ(pressesDuringSlide, 0);
    EXPECT_EQ(presses, std::vector<QPoint>{spot});
}

TEST(CheckerAnimationCalibrationTest, CountsUpInStepsOfTenUntilAPassLastsAFifthOfASecond) {
    // A pass of 125 frames: 60 ms of drawing plus the waits, so a delay of 112 would do.
    int passes = 0;
    auto machine = [&](int delay) {
        ++passes;
        return 0.06 + 125 * delay * CheckerAnimation::kMicrosecondsPerUnit / 1e6;
    };
    EXPECT_EQ(CheckerAnimation::calibrate(0, machine), 120);
    EXPECT_EQ(passes, 2);
    EXPECT_EQ(CheckerAnimation::calibrate(7, machine), 117);
    EXPECT_EQ(CheckerAnimation::calibrate(600, machine), 600);  // already slow enough

    // Drawing that grows slower as the wait grows still ends at the first long-enough step.
    auto uneven = [](int delay) { return delay < 300 ? 0.1 : 0.25; };
    EXPECT_EQ(CheckerAnimation::calibrate(0, uneven), 300);
    EXPECT_EQ(CheckerAnimation::calibrate(0, [](int) { return 0.0; }), CheckerAnimation::kSlowest);

    EXPECT_EQ(CheckerAnimation::sliderPosition(0), 1000);
    EXPECT_EQ(CheckerAnimation::sliderPosition(120), 880);
    EXPECT_EQ(CheckerAnimation::sliderPosition(500), 500);
    EXPECT_EQ(CheckerAnimation::sliderPosition(600), 400);
    EXPECT_EQ(CheckerAnimation::sliderPosition(800), 250);
    EXPECT_EQ(CheckerAnimation::sliderPosition(-5), 250);
}

TEST_F(CheckerAnimationTest, CalibrationOnThisMachineGivesFramesOfAtLeastOnePointSixMilliseconds) {
    animation.frameWait = CheckerAnimation::waitFrame;
    QString status;
    animation.setStatus = [&](const QString &text) { status = text; };
    f.prefs.prfAnimDelay = 2000000000;  // left by a calibration that ran away
    animation.InitAnimDelay(f.prefs);
    EXPECT_TRUE(f.prefs.isAnimInit);
    EXPECT_EQ(status, "Initializing animation speed");
    EXPECT_GE(f.prefs.prfAnimDelay, 0);
    EXPECT_LE(f.prefs.prfAnimDelay, 160);  // the wait alone makes the frame long enough at 160
    EXPECT_EQ(f.prefs.prfScrollVal, CheckerAnimation::sliderPosition(f.prefs.prfAnimDelay));

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 125; ++i)
        CheckerAnimation::waitFrame(160);
    EXPECT_GE(clock.elapsed(), 200);
}

}  // namespace
