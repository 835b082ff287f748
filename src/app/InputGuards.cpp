#include "app/InputGuards.h"

#include "app/ProgramExit.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QList>
#include <QMouseEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <vector>

#ifdef KORVEX_XCB_KEYS
#include <xcb/xcb.h>
#endif

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

const QWindow *topLevelOf(const QWindow *window) {
    while (window && window->parent())
        window = window->parent();
    return window;
}

// The modal box's own window, or one opened from it: a list it drops down, a box it opens.
bool belongsToModalBox(const QWindow *window) {
    const QWindow *modal = QGuiApplication::modalWindow();
    for (const QWindow *w = window; modal && w; w = w->transientParent())
        if (w == modal)
            return true;
    return false;
}

// Input the window-modal hold took out of Qt's queue during a wait, to be handed on once it
// is over.
struct HeldInput {
    QPointer<QObject> receiver;  // the window it came for, or the shortcut it set off
    std::unique_ptr<QEvent> event;
    // Where a click or a turn of the wheel was made, noted as it came. Qt 6.4's copy of such
    // an event shares its place with Qt's own record of the pointer, which the next mouse
    // event Qt makes rewrites; a window works out where a click falls on the widget inside
    // it from that place, so a copy handed on after a click on the box's OK fell outside the
    // chat window's button.
    QPointF position, scenePosition, globalPosition;
};

// The waits under way, and what they leave to do once they are over.
struct Waits {
    int depth = 0;
    bool leftWaiting = false;  // a round of a wait may have left input in Qt's queue
    bool handOnAsked = false;
    bool handingOn = false;  // a round is handing on what the waits left waiting
    std::vector<HeldInput> heldForLater;  // older than what Qt's queue still holds
    bool socketsLeftOut = false;  // the round under way asked for no socket data
    std::vector<std::function<void()>> socketReads;  // put off until such rounds are over
    bool socketReadsAsked = false;
};

Waits &waits() {
    static Waits w;
    return w;
}

bool somethingWaits() {
    const Waits &w = waits();
    return w.leftWaiting || !w.heldForLater.empty();
}

// A key that waited reaches the window it was typed in only while that window is shown and,
// once the waits are over, still has the focus: another window (a box, a chat window opened
// meanwhile) that took it does not get keys typed before it came. A popup that is up gets its
// keys whatever has the focus: Qt hands them to it.
bool keyMayReach(const QWindow *madeIn) {
    if (!madeIn || !madeIn->isVisible())
        return false;
    const Waits &w = waits();
    if (!(w.leftWaiting || w.handingOn) || madeIn->type() == Qt::Popup)
        return true;
    const QWindow *focus = QGuiApplication::focusWindow();
    return !focus || topLevelOf(focus) == madeIn;
}

// A window-modal box that is up during a wait must take its input at once, so the wait's
// rounds leave nothing in Qt's queue then; but Qt keeps input only from the window the box
// stands over. What comes for any other window is taken out here and held, in order, and
// handed on ahead of what Qt still holds once the wait is over: a chat window's button does
// not act in the middle of the wait, nor is its click lost.
class WindowModalHold : public QObject {
public:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        const Waits &w = waits();
        if (w.depth == 0 || w.handingOn || !isUserInput(event->type()))
            return false;
        const QWindow *modal = QGuiApplication::modalWindow();
        if (!modal || modal->modality() != Qt::WindowModal || !forAnotherWindow(receiver, event))
            return false;
        hold(receiver, event);
        event->accept();
        return true;
    }

private:
    static void hold(QObject *receiver, const QEvent *event) {
        HeldInput input{receiver, std::unique_ptr<QEvent>(event->clone()), {}, {}, {}};
        if (event->isSinglePointEvent()) {
            const auto *pointer = static_cast<const QSinglePointEvent *>(event);
            input.position = pointer->position();
            input.scenePosition = pointer->scenePosition();
            input.globalPosition = pointer->globalPosition();
        }
        waits().heldForLater.push_back(std::move(input));
    }
    static bool forAnotherWindow(QObject *receiver, QEvent *event) {
        // A shortcut belongs to the window its key was typed in, the one with the focus.
        if (event->type() == QEvent::Shortcut) {
            const QWindow *focus = QGuiApplication::focusWindow();
            return !focus || !isTheBoxs(topLevelOf(focus));
        }
        // Input is judged where it reaches a window; the widget under it follows from there.
        return receiver->isWindowType() && !isTheBoxs(topLevelOf(static_cast<QWindow *>(receiver)));
    }
    // The box, what it opens, and a popup that names no parent, as a list a field of the box
    // drops down.
    static bool isTheBoxs(const QWindow *window) { return window->type() == Qt::Popup || belongsToModalBox(window); }
};

WindowModalHold &windowModalHold() {
    static WindowModalHold *h = new WindowModalHold;
    return *h;
}

// A held click made again where it was made, as Qt makes each one the window system
// reports, just before it is handed on: nothing rewrites its place before it is delivered.
class ClickMadeAgain : public QMouseEvent {
public:
    ClickMadeAgain(const QMouseEvent &held, const HeldInput &place)
        : QMouseEvent(held.type(), place.position, place.scenePosition, place.globalPosition, held.button(),
                      held.buttons(), held.modifiers(), held.source(), held.pointingDevice()) {
        // A widget window hands the press that opens a double click to no widget: the double
        // click that follows it is what acts.
        m_doubleClick = held.flags().testFlag(Qt::MouseEventCreatedDoubleClick);
        setTimestamp(held.timestamp());
    }
};

// The event that hands `input` on: a click or a turn of the wheel made again where it was
// made, anything else as it came.
std::unique_ptr<QEvent> eventToHandOn(HeldInput &input) {
    switch (input.event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return std::make_unique<ClickMadeAgain>(static_cast<const QMouseEvent &>(*input.event), input);
    case QEvent::Wheel: {
        const auto &held = static_cast<const QWheelEvent &>(*input.event);
        auto wheel = std::make_unique<QWheelEvent>(input.position, input.globalPosition, held.pixelDelta(),
                                                   held.angleDelta(), held.buttons(), held.modifiers(), held.phase(),
                                                   held.inverted(), held.source(), held.pointingDevice());
        wheel->setTimestamp(held.timestamp());
        return wheel;
    }
    default:
        return std::move(input.event);
    }
}

// Hands on what the window-modal hold took, each judged now: a click for a window hidden
// since does nothing (the hidden-window filter sees to it), nor does a key that may not reach
// its window any more.
void handOnHeldForLater() {
    std::vector<HeldInput> held;
    held.swap(waits().heldForLater);
    for (HeldInput &input : held) {
        if (!input.receiver)
            continue;
        const bool key = input.event->type() == QEvent::KeyPress || input.event->type() == QEvent::KeyRelease;
        if (key && input.receiver->isWindowType() && !keyMayReach(topLevelOf(static_cast<QWindow *>(input.receiver.data()))))
            continue;
        QCoreApplication::sendEvent(input.receiver, eventToHandOn(input).get());
    }
}

// Refuses the user's input while GnuBG's turn, or other work that a click must not enter,
// is under way.
class RefusalGate : public QObject {
public:
    int depth = 0;
    QList<QPointer<QObject>> passages;

    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (depth == 0 || !isUserInput(event->type()))
            return false;
        // A window hands its input on to the widget under it, which is judged there.
        if (receiver->isWindowType())
            return false;
        if (isModalBoxInput(receiver))
            return false;
        for (const QPointer<QObject> &passage : std::as_const(passages))
            if (passage == receiver)
                return false;
        event->accept();
        return true;
    }

private:
    // What Qt hands on while an application-modal box is up is the box's own: every other
    // window is blocked. A window-modal box blocks only the window it was opened over, so
    // there the receiver must be the box's, or a popup opened from it.
    static bool isModalBoxInput(QObject *receiver) {
        const QWindow *modal = QGuiApplication::modalWindow();
        if (!modal)
            return false;
        if (modal->modality() == Qt::ApplicationModal)
            return true;
        const auto *widget = qobject_cast<QWidget *>(receiver);
        const QWindow *own = widget ? widget->window()->windowHandle() : nullptr;
        return own && (own->type() == Qt::Popup || belongsToModalBox(own));
    }
};

RefusalGate &gate() {
    static RefusalGate *g = new RefusalGate;  // lives as long as the program; the application may end first
    return *g;
}

// Qt hands a click that waited to the window it was made in even when that window has been
// hidden since, as a menu closed by an Esc made before the click: the menu would still run
// the item under it. A click that comes for a hidden window does nothing.
class HiddenWindowClicks : public QObject {
public:
    bool eventFilter(QObject *receiver, QEvent *event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            break;
        default:
            return false;
        }
        if (!receiver->isWindowType() || static_cast<QWindow *>(receiver)->isVisible())
            return false;
        event->accept();
        return true;
    }
};

HiddenWindowClicks &hiddenWindowClicks() {
    static HiddenWindowClicks *h = new HiddenWindowClicks;
    return *h;
}

#ifdef KORVEX_XCB_KEYS
// Qt's X11 plugin hands a key to whichever window has the focus when the key is handed on,
// not to the one it was typed in: "hi" and Return typed in a chat window that a wait then
// hid would land in the main window's command line, and go to the server. The key's own
// event still names the window it was typed in, which is judged as any key that waited.
//
// Other platforms name no such window: there a key goes to the window that has the focus
// when it is handed on.
class StrayKeys : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const uint8_t type = event->response_type & ~0x80;
        if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
            return false;
        return !mayReach(reinterpret_cast<const xcb_key_press_event_t *>(event)->event);
    }

private:
    static bool mayReach(xcb_window_t typedIn) {
        for (const QWindow *window : QGuiApplication::allWindows()) {
            // Only a window that has its native one can be named; asking another for its
            // id would make one.
            if (window->handle() && window->winId() == WId(typedIn))
                return keyMayReach(topLevelOf(window));
        }
        return false;  // a window that is gone
    }
};

StrayKeys &strayKeys() {
    static StrayKeys *s = new StrayKeys;
    return *s;
}
#endif

// The flags for a round of events: inside a wait, unless a modal box is up, the user's input
// is left waiting.
QEventLoop::ProcessEventsFlags roundFlags(QEventLoop::ProcessEventsFlags flags) {
    Waits &w = waits();
    // During a refusal input is judged as it comes: the gate throws away what it refuses, and
    // what it lets through (the window's close, Esc) acts then and there, not after the turn.
    if (w.depth == 0 || modalBoxUp() || gate().depth > 0)
        return flags;
    w.leftWaiting = true;
    return flags | QEventLoop::ExcludeUserInputEvents;
}

// A round in which the window system hands on all it holds back. Qt's X11 plugin, on the
// default (glib) event loop, reads its queue in a round only when the loop has been woken
// since the posted events were last sent, and does not count what a round left out as
// something to read: without the wake-up, what waited would stay there until something
// next woke the loop (new input, a timer, a socket, a posted event).
void roundThatHandsOn(QEventLoop::ProcessEventsFlags flags) {
    QScopedValueRollback<bool> handingOn(waits().handingOn, true);
    QScopedValueRollback<bool> leftOut(waits().socketsLeftOut, flags.testFlag(QEventLoop::ExcludeSocketNotifiers));
    handOnHeldForLater();
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
    QCoreApplication::processEvents(flags);
}

// Asked for by a queued call, which runs once the code that waited has gone back to the
// event loop. Woken, the loop would run a timer due then (the next step of Play Auto, which
// waits again) ahead of the window system's events, so the user's input could be left
// waiting behind one wait after another: it goes first, in a round of its own.
void handOn() {
    waits().handOnAsked = false;
    // Reached inside a later wait, whose own end asks again; or the work between two of its
    // pieces has handed it all on already.
    handOnHeldInput();
}

void runSocketReads() {
    Waits &w = waits();
    w.socketReadsAsked = false;
    std::vector<std::function<void()>> reads;
    reads.swap(w.socketReads);
    for (const auto &read : reads)
        read();
}

// The readers put off by rounds that left the sockets out read once the code that waited has
// gone back to the event loop. Within a slide that is between two frames: a reader that finds
// itself in the next frame's round puts its pass off again.
void askSocketReads() {
    Waits &w = waits();
    if (w.socketReads.empty() || w.socketReadsAsked || w.socketsLeftOut || w.depth > 0 || !qApp)
        return;
    w.socketReadsAsked = true;
    QMetaObject::invokeMethod(qApp, &runSocketReads, Qt::QueuedConnection);
}

void askHandOn() {
    Waits &w = waits();
    if (!somethingWaits() || w.handOnAsked || !qApp)
        return;
    w.handOnAsked = true;
    QMetaObject::invokeMethod(qApp, &handOn, Qt::QueuedConnection);
}

}  // namespace

void handOnHeldInput() {
    Waits &w = waits();
    if (w.depth > 0 || !somethingWaits() || !qApp)
        return;
    w.leftWaiting = false;
    roundThatHandsOn(QEventLoop::X11ExcludeTimers | QEventLoop::ExcludeSocketNotifiers);
    askSocketReads();
}

void InstallInputGuards() {
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    // The filter installed last is asked first: what the hold keeps is judged by the others
    // when it is handed on.
    qApp->installEventFilter(&hiddenWindowClicks());
    qApp->installEventFilter(&gate());
    qApp->installEventFilter(&windowModalHold());
#ifdef KORVEX_XCB_KEYS
    qApp->installNativeEventFilter(&strayKeys());
#endif
}

bool modalBoxUp() {
    return QGuiApplication::modalWindow() != nullptr;
}

InputWait::InputWait() {
    ++waits().depth;
}

InputWait::~InputWait() {
    if (--waits().depth == 0) {
        askHandOn();
        askSocketReads();
    }
}

bool socketsLeftOut() {
    return waits().socketsLeftOut;
}

void readAfterTheWait(std::function<void()> read) {
    waits().socketReads.push_back(std::move(read));
    askSocketReads();
}

void runEvents(QEventLoop::ProcessEventsFlags flags, int maxTimeMs) {
    {
        QScopedValueRollback<bool> leftOut(waits().socketsLeftOut,
                                           flags.testFlag(QEventLoop::ExcludeSocketNotifiers));
        if (maxTimeMs < 0) {
            QCoreApplication::processEvents(roundFlags(flags));
        } else {
            flags &= ~QEventLoop::WaitForMoreEvents;
            QElapsedTimer clock;
            clock.start();
            while (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance()) {
                if (!dispatcher->processEvents(roundFlags(flags)) || clock.elapsed() > maxTimeMs)
                    break;
            }
        }
    }
    askSocketReads();
}

void runEventsUntil(const std::function<bool()> &done) {
    // A pause takes the server's text as it comes.
    QScopedValueRollback<bool> leftOut(waits().socketsLeftOut, false);
    while (!done() && !ProgramExit::begun() && QAbstractEventDispatcher::instance())
        QCoreApplication::processEvents(roundFlags(QEventLoop::WaitForMoreEvents));
}

InputRefusal::InputRefusal() {
    ++gate().depth;
}

InputRefusal::~InputRefusal() {
    RefusalGate &g = gate();
    if (g.depth > 1) {
        --g.depth;
        return;
    }
    // What the window system held back while the work ran, and what a wait around the
    // refusal left waiting, reaches the gate now.
    if (qApp) {
        roundThatHandsOn(QEventLoop::AllEvents);
        waits().leftWaiting = false;
    }
    g.depth = 0;
}

void InputRefusal::letThrough(QObject *receiver) {
    QList<QPointer<QObject>> &passages = gate().passages;
    passages.removeAll(QPointer<QObject>());
    passages.append(receiver);
}
