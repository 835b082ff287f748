// The user's clicks and keys during GnuBG's turn, which refuses them, and during the program's
// waits, which leave them waiting. The waits are tried with the real pointer and keyboard under
// a window manager: QTest's input is delivered at once and never waits in the window system's
// queue, where a wait leaves the user's input.
#include "app/InputGuards.h"
#include "app/Utilities.h"
#include "support/ModalDeadline.h"
#include "support/UserInput.h"
#include "support/WindowManagerSession.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// During GnuBG's turn a box it opens is answered as usual, and so is a list dropped down from
// one of its fields, though the list is a window of its own; a button of any other window
// does nothing.
TEST(InputRefusalTest, ABoxOpenedDuringTheRefusalAndItsListsTakeTheirInputAndNothingElseDoes) {
    QPushButton elsewhere(QStringLiteral("Roll"));
    int rolled = 0;
    QObject::connect(&elsewhere, &QPushButton::clicked, [&] { ++rolled; });
    elsewhere.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&elsewhere));

    const InputRefusal refusal;
    QTest::mouseClick(&elsewhere, Qt::LeftButton);
    EXPECT_EQ(rolled, 0);

    QDialog box;
    auto *lengths = new QComboBox(&box);
    lengths->addItems({"1", "3", "5"});
    closeAtDeadline(&box, "The box opened during the refusal", 3000);
    QTimer::singleShot(50, &box, [&] {
        lengths->showPopup();
        QTest::keyClick(lengths->view(), Qt::Key_Down);
        QTest::keyClick(lengths->view(), Qt::Key_Return);
        box.accept();
    });
    box.exec();
    EXPECT_EQ(lengths->currentText(), "3");
}

constexpr int kWaitMs = 800;

// Runs a plain sleep of kWaitMs with `during` run from a timer inside it; the time it ended.
qint64 sleepWith(const ButtonWindow &window, const std::function<void()> &during) {
    QTimer::singleShot(50, during);
    PlainSleep(kWaitMs);
    return window.now();
}

// A click acts on the button it was made on however the pointer moves on before the wait
// ends, and only once the wait is over: within moments of its end, never during it. Two
// clicks in one wait both act, in the order they were made.
TEST(InputWaitTest, ClicksDuringAWaitActAfterItOnTheButtonsTheyWereMadeOn) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Step Forward", "Play Auto", "Stop"});

    const qint64 ended = sleepWith(window, [&] {
        WindowManagerSession::click(window.centre(0));
        WindowManagerSession::movePointer(window.centre(1));
        WindowManagerSession::movePointer(awayFromTheWindows());
    });
    EXPECT_TRUE(window.clicks().isEmpty()) << "a click acted during the wait";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.clicks().isEmpty(); }, 2000)) << "the click was lost";
    EXPECT_LE(window.clicks().first().atMs - ended, 1000);
    QTest::qWait(200);
    ASSERT_EQ(window.clicks().size(), 1);
    EXPECT_EQ(window.clicks().first().button, 0);

    sleepWith(window, [&] {
        WindowManagerSession::click(window.centre(2));
        WindowManagerSession::click(window.centre(1));
        WindowManagerSession::movePointer(awayFromTheWindows());
    });
    EXPECT_EQ(window.clicks().size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.clicks().size() == 3; }, 2000));
    EXPECT_EQ(window.clicks()[1].button, 2);
    EXPECT_EQ(window.clicks()[2].button, 1);
}

// Play Auto reads one step after another from a timer, each step a wait, with nothing
// between them: a click made during a step acts once that step is over, before the next.
TEST(InputWaitTest, AClickDuringWaitsThatFollowOneAnotherActsBeforeTheNextOne) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Step Forward"});
    QTimer step;
    step.setSingleShot(true);
    step.setInterval(0);
    int stepsEnded = 0;
    bool inStep = false;
    QObject::connect(&step, &QTimer::timeout, [&] {
        inStep = true;
        PlainSleep(300);
        inStep = false;
        if (window.clicks().isEmpty() && ++stepsEnded < 15)
            step.start();
    });
    int clickedInStep = -1, stepsEndedAtTheClick = -1;
    bool actedInAStep = false;
    QObject::connect(window.button(0), &QPushButton::clicked, [&] {
        stepsEndedAtTheClick = stepsEnded;
        actedInAStep = inStep;
    });
    QTimer::singleShot(450, [&] {
        clickedInStep = stepsEnded + 1;
        WindowManagerSession::click(window.centre(0));
    });
    step.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.clicks().isEmpty(); }, 5000)) << "the click never acted";
    EXPECT_FALSE(actedInAStep);
    EXPECT_EQ(stepsEndedAtTheClick, clickedInStep);
}

// A box that a timer opens in the middle of a wait ("FIBS is not responding") takes the
// user's click on OK and Return at once. The clicks made before it on the main window do not
// act while it is up.
TEST(InputWaitTest, ABoxOpenedInAWaitIsAnsweredAtOnceAndKeepsTheWindowBehindItStill) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Connect", "Step Forward"});
    for (const bool byKey : {false, true}) {
        int answer = -1;
        qint64 answeredAt = -1, openedAt = -1;
        sleepWith(window, [&] {
            QMessageBox box(QMessageBox::Warning, "Korvex", "FIBS is not responding", QMessageBox::Ok);
            closeAtDeadline(&box, "The box opened during the wait", 3000);
            QTimer::singleShot(100, &box, [&] {
                openedAt = window.now();
                if (byKey)
                    WindowManagerSession::key("Return");
                else
                    WindowManagerSession::click(box.button(QMessageBox::Ok)->mapToGlobal(
                        box.button(QMessageBox::Ok)->rect().center()));
            });
            answer = box.exec();
            answeredAt = window.now();
        });
        EXPECT_EQ(answer, QMessageBox::Ok) << (byKey ? "Return" : "a click on OK");
        EXPECT_LT(answeredAt - openedAt, 500) << (byKey ? "Return" : "a click on OK");
    }

    // The first click opens a box once the wait is over; the second, on the window behind
    // it, finds the box up and does nothing.
    QObject::connect(window.button(0), &QPushButton::clicked, [] {
        QMessageBox box(QMessageBox::Warning, "Korvex", "You must disconnect from FIBS to play offline",
                        QMessageBox::Ok);
        closeAtDeadline(&box, "The box the first click opened", 3000);
        QTimer::singleShot(300, &box, [&box] { box.accept(); });
        box.exec();
    });
    int stepsWhileUp = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget())
            stepsWhileUp = int(window.clicks().size()) - 1;
    });
    watch.start(20);
    sleepWith(window, [&] {
        WindowManagerSession::click(window.centre(0));
        WindowManagerSession::click(window.centre(1));
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return stepsWhileUp >= 0 && !QApplication::activeModalWidget(); }, 3000))
        << "the box was not opened by the first click";
    EXPECT_EQ(stepsWhileUp, 0);
}

// Escape and a click on the open Game menu in one wait: the menu closes and the click, whose
// item has gone, runs nothing.
TEST(InputWaitTest, EscapeAndAClickOnTheOpenMenuInOneWaitRunNoItem) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Board"});
    QMenuBar bar;
    window.window().layout()->setMenuBar(&bar);
    QMenu *game = bar.addMenu("Game");
    QAction *offline = game->addAction("Play offline against the computer");
    int ran = 0;
    QObject::connect(offline, &QAction::triggered, [&] { ++ran; });
    QTest::qWait(200);
    WindowManagerSession::click(bar.mapToGlobal(bar.actionGeometry(game->menuAction()).center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return game->isVisible(); }, 2000));
    QTest::qWait(200);

    sleepWith(window, [&] {
        WindowManagerSession::key("Escape");
        WindowManagerSession::click(game->mapToGlobal(game->actionGeometry(offline).center()));
    });
    EXPECT_TRUE(game->isVisible()) << "the Escape acted during the wait";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !game->isVisible(); }, 2000));
    QTest::qWait(300);
    EXPECT_EQ(ran, 0);
    game->hide();
}

// A window that opens during a wait, as a chat window opened by a tell, is drawn during it.
TEST(InputWaitTest, AWindowShownDuringAWaitIsPaintedInIt) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    struct Chat : QWidget {
        int paints = 0;
        void paintEvent(QPaintEvent *) override { ++paints; }
    } chat;
    chat.resize(300, 200);
    int paintsInTheWait = -1;
    QTimer::singleShot(50, [&] { chat.show(); });
    QTimer::singleShot(kWaitMs - 100, [&] { paintsInTheWait = chat.paints; });
    PlainSleep(kWaitMs);
    EXPECT_GT(paintsInTheWait, 0);
}

}  // namespace
