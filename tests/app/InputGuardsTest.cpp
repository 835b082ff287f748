// The user's clicks and keys during GnuBG's turn, which refuses them, and during the program's
// waits, which leave them waiting. The waits are tried with the real pointer and keyboard under
// a window manager: QTest's input is delivered at once and never waits in the window system's
// queue, where a wait leaves the user's input.
#include "app/InputGuards.h"
#include "app/Utilities.h"
#include "support/ModalDeadline.h"
#include "support/QtPrinters.h"
#include "support/UserInput.h"
#include "support/WindowManagerSession.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>

namespace {

// During GnuBG's turn a box it opens is answered as usual, and so is a list dropped down from
// one of its fields, though the list is a window of its own; a button of any other window
// does nothing. The clicks on the window-modal box are real ones: they reach the box's
// window before its button, and must pass there too.
TEST(InputRefusalTest, ABoxOpenedDuringTheRefusalAndItsListsTakeTheirInputAndNothingElseDoes) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    QPushButton elsewhere(QStringLiteral("Roll"));
    elsewhere.move(100, 100);
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

    // A window-modal box blocks only the window it stands over: it is answered, and a
    // button of another window still does nothing.
    QPushButton chat(QStringLiteral("Send"));
    chat.setMinimumSize(160, 40);
    chat.move(700, 100);
    int sent = 0;
    QObject::connect(&chat, &QPushButton::clicked, [&] { ++sent; });
    chat.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chat));
    QMessageBox question(QMessageBox::Question, "Korvex", "Accept the double?", QMessageBox::Yes | QMessageBox::No,
                         &elsewhere);
    question.setWindowModality(Qt::WindowModal);
    question.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&question));
    QTest::qWait(300);  // placed by the window manager
    WindowManagerSession::click(centreOf(&chat));
    WindowManagerSession::click(centreOf(question.button(QMessageBox::Yes)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return question.result() == QMessageBox::Yes; }, 2000))
        << "the click on the box was refused";
    QTest::qWait(200);
    EXPECT_EQ(sent, 0);
}

constexpr int kWaitMs = 800;

// Runs a plain sleep of kWaitMs with `during` run from a timer inside it; the time it ended.
qint64 sleepWith(const ButtonWindow &window, const std::function<void()> &during) {
    QTimer::singleShot(50, during);
    PlainSleep(kWaitMs);
    return window.now();
}

// A click acts on the button it was made on however the pointer moves on before the wait
// ends, and only once the wait is over: within moments of its end, never during it, not
// even in the rounds of events run inside the wait, as a server line's pause runs them.
// Two clicks in one wait both act, in the order they were made.
TEST(InputWaitTest, ClicksDuringAWaitActAfterItOnTheButtonsTheyWereMadeOn) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Step Forward", "Play Auto", "Stop"});

    const qint64 ended = sleepWith(window, [&] {
        WindowManagerSession::click(window.centre(0));
        WindowManagerSession::movePointer(window.centre(1));
        Pause(80);
        WindowManagerSession::movePointer(window.centre(2));
        runEvents();
        WindowManagerSession::movePointer(awayFromTheWindows());
        Pause(80);
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
                    WindowManagerSession::click(centreOf(box.button(QMessageBox::Ok)));
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

// A window-modal box that a timer opens in the middle of a wait blocks only the window it
// stands over, and is answered at once: by the wait's rounds when it is opened with `open()`,
// by its own loop with `exec()`. A click on a chat window's button made while it is up acts
// once, after the wait. The chat window hands the click to its button by where it was made,
// as any window does for a widget inside it.
TEST(InputWaitTest, AClickOnAnotherWindowWhileAWindowModalBoxIsUpActsOnceAfterTheWait) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Connect"});
    QWidget chat;
    auto *send = new QPushButton(QStringLiteral("Send"), &chat);
    send->setMinimumSize(160, 40);
    (new QVBoxLayout(&chat))->addWidget(send);
    chat.move(700, 100);
    chat.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chat));
    QTest::qWait(300);
    QList<qint64> sent;
    QObject::connect(send, &QPushButton::clicked, [&] { sent << window.now(); });

    for (int round = 0; round < 10; ++round) {
        const bool byExec = round % 2 == 1;
        SCOPED_TRACE(testing::Message() << "round " << round << ", the box opened by "
                                        << (byExec ? "exec()" : "open()"));
        QMessageBox sheet(QMessageBox::Warning, "Korvex", "FIBS is not responding", QMessageBox::Ok,
                          &window.window());
        sheet.setWindowModality(Qt::WindowModal);
        closeAtDeadline(&sheet, "The window-modal box", 5000);
        qint64 answeredAt = -1;
        QObject::connect(&sheet, &QDialog::finished, [&] { answeredAt = window.now(); });
        sent.clear();
        QTimer::singleShot(200, &sheet, [&] {
            QTimer::singleShot(400, &sheet, [&] {
                WindowManagerSession::click(centreOf(send));
                QTimer::singleShot(200, &sheet, [&] {
                    WindowManagerSession::click(centreOf(sheet.button(QMessageBox::Ok)));
                });
            });
            if (byExec)
                sheet.exec();
            else
                sheet.open();
        });
        PlainSleep(1500);
        const qint64 waitEnded = window.now();
        EXPECT_GE(answeredAt, 0) << "the window-modal box was not answered in the wait";
        EXPECT_TRUE(sent.isEmpty()) << "the chat window's button acted during the wait";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !sent.isEmpty(); }, 2000)) << "the click on the chat window was lost";
        EXPECT_GE(sent.first(), waitEnded);
        QTest::qWait(200);
        EXPECT_EQ(sent.size(), 1);
    }
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

// A talking wave that begins while a box is up lets the box be answered at once; once it
// is, the rest of the wave holds input again, and a click made then acts after the wave.
TEST(InputWaitTest, AWaitBegunUnderABoxHoldsInputAgainOnceTheBoxIsAnswered) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Roll"});
    QMessageBox box(QMessageBox::Question, "Korvex", "Accept the invitation?", QMessageBox::Yes | QMessageBox::No);
    closeAtDeadline(&box, "The box the wave began under", 5000);
    qint64 answeredAt = -1, waveEnded = -1;
    qsizetype clicksInTheWave = -1;
    QObject::connect(&box, &QDialog::finished, [&] { answeredAt = window.now(); });
    QTimer::singleShot(300, &box, [&] {
        const qint64 began = window.now();
        QTimer::singleShot(100, [&] {
            WindowManagerSession::click(centreOf(box.button(QMessageBox::Yes)));
        });
        QTimer::singleShot(500, [&] {
            WindowManagerSession::click(window.centre(0));
            WindowManagerSession::movePointer(awayFromTheWindows());
        });
        bool over = false;
        QTimer::singleShot(kWaitMs + 400, [&over] { over = true; });
        const InputWait wave;
        runEventsUntil([&over] { return over; });
        clicksInTheWave = window.clicks().size();
        waveEnded = window.now();
        EXPECT_GE(answeredAt, began) << "the box was not answered during the wave";
        EXPECT_LT(answeredAt - began, 400) << "the box was not answered at once";
    });
    box.exec();
    EXPECT_EQ(box.result(), QMessageBox::Yes);
    EXPECT_EQ(clicksInTheWave, 0) << "a click made after the answer acted during the wave";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.clicks().isEmpty(); }, 2000)) << "the click was lost";
    EXPECT_GE(window.clicks().first().atMs, waveEnded);
}

// A chat window's line and the main window's command line, each in a window of its own.
struct TypingWindow {
    explicit TypingWindow(QPoint at) {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(&line);
        line.setMinimumWidth(240);
        QObject::connect(&line, &QLineEdit::returnPressed, [this] { ++returns; });
        window.move(at);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    // Gives the line the keyboard the way a user does: a click into it.
    void clickInto() {
        WindowManagerSession::click(centreOf(&line));
        EXPECT_TRUE(QTest::qWaitFor([this] { return line.hasFocus() && window.isActiveWindow(); }, 2000));
    }
    QWidget window;
    QLineEdit line;
    int returns = 0;
};

// Keys typed during a wait reach the window they were typed in once it is over, whole and in
// order. When that window is hidden meanwhile they reach no other: the focus has passed to
// the main window, whose command line would otherwise send "hi" to the server. Nor do they
// reach a chat window that opened and took the focus during the wait, nor the window they
// were typed in once it is hidden, even with no other window to take the focus.
TEST(InputWaitTest, KeysTypedDuringAWaitReachOnlyTheWindowTheyWereTypedIn) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TypingWindow main(QPoint(100, 100));
    TypingWindow chat(QPoint(500, 100));
    QTest::qWait(300);
    chat.clickInto();

    QString typedDuringTheWait = QStringLiteral("not read");
    QTimer::singleShot(50, [] {
        for (const char *key : {"h", "i"})
            WindowManagerSession::key(QLatin1String(key));
    });
    QTimer::singleShot(kWaitMs - 100, [&] { typedDuringTheWait = chat.line.text(); });
    PlainSleep(kWaitMs);
    EXPECT_EQ(typedDuringTheWait, "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return chat.line.text() == "hi"; }, 2000)) << chat.line.text().toStdString();
    chat.line.clear();

    // "hi" and Return typed early in a wait, `meanwhile` done in its middle.
    const auto typeDuringAWait = [](const std::function<void()> &meanwhile) {
        QTimer::singleShot(50, [] {
            for (const char *key : {"h", "i", "Return"})
                WindowManagerSession::key(QLatin1String(key));
        });
        QTimer::singleShot(300, meanwhile);
        PlainSleep(kWaitMs);
        QTest::qWait(500);
    };
    typeDuringAWait([&] { chat.window.hide(); });
    EXPECT_EQ(main.line.text(), "") << "the keys went to the main window";
    EXPECT_EQ(main.returns, 0);
    EXPECT_EQ(chat.returns, 0);

    chat.window.show();
    QTest::qWait(300);
    chat.clickInto();
    TypingWindow opened(QPoint(100, 400));
    opened.window.hide();
    typeDuringAWait([&] {
        opened.window.show();
        opened.window.activateWindow();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.window.isActiveWindow(); }, 2000));
    EXPECT_EQ(opened.line.text(), "") << "the keys went to the window that took the focus";
    EXPECT_EQ(opened.returns, 0);
    EXPECT_EQ(chat.line.text(), "");

    opened.window.hide();
    main.window.hide();
    chat.clickInto();
    typeDuringAWait([&] { chat.window.hide(); });
    EXPECT_EQ(chat.line.text(), "") << "the keys reached a hidden window";
    EXPECT_EQ(chat.returns, 0);
}

// Counts the keys that come for `window`, before the guards judge them.
class KeysFor : public QObject {
public:
    explicit KeysFor(const QWidget &window) : window_(window.windowHandle()) { qApp->installEventFilter(this); }
    int count = 0;

    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (receiver == window_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease))
            ++count;
        return false;
    }

private:
    const QWindow *window_;
};

// A window-modal box over the main window: keys typed meanwhile into a chat window are kept
// by the wait and handed on after it, each judged then. The wait has hidden the chat window
// since: they reach it no more, and its Return sends nothing.
TEST(InputWaitTest, KeysKeptBesideAWindowModalBoxReachNoWindowHiddenSince) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    TypingWindow main(QPoint(100, 100));
    TypingWindow chat(QPoint(500, 100));
    QMessageBox sheet(QMessageBox::Warning, "Korvex", "FIBS is not responding", QMessageBox::Ok, &main.window);
    sheet.setWindowModality(Qt::WindowModal);
    sheet.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    QTest::qWait(300);
    chat.clickInto();

    const KeysFor keys(chat.window);
    QTimer::singleShot(50, [] {
        for (const char *key : {"h", "i", "Return"})
            WindowManagerSession::key(QLatin1String(key));
    });
    QTimer hideOnceTyped;
    QObject::connect(&hideOnceTyped, &QTimer::timeout, [&] {
        if (keys.count >= 6)  // pressed and let go
            chat.window.hide();
    });
    hideOnceTyped.start(20);
    QElapsedTimer clock;
    clock.start();
    {
        const InputWait wait;
        runEventsUntil([&] { return chat.window.isHidden() || clock.elapsed() > 5000; });
    }
    ASSERT_TRUE(chat.window.isHidden()) << "the keys did not come during the wait: " << keys.count;
    QTest::qWait(500);
    EXPECT_EQ(chat.line.text(), "");
    EXPECT_EQ(chat.returns, 0);
    EXPECT_EQ(main.line.text(), "");
}

// During GnuBG's turn a click never acts, not after the turn either: neither one held by a
// wait inside the turn, nor one a wait held when the turn began inside it.
TEST(InputRefusalTest, AClickHeldByAWaitInsideOrAroundTheRefusalNeverActs) {
    if (!WindowManagerSession::inside())
        return WindowManagerSession::runCurrentTestInside();
    ButtonWindow window({"Roll"});
    {
        const InputRefusal turn;
        sleepWith(window, [&] {
            WindowManagerSession::click(window.centre(0));
            WindowManagerSession::movePointer(awayFromTheWindows());
        });
    }
    sleepWith(window, [&] {
        WindowManagerSession::click(window.centre(0));
        WindowManagerSession::movePointer(awayFromTheWindows());
        const InputRefusal turn;
        PlainSleep(200);
    });
    QTest::qWait(1000);
    EXPECT_TRUE(window.clicks().isEmpty());
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
