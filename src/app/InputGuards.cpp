#include "app/InputGuards.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QList>
#include <QPointer>
#include <QWindow>

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

class Gate : public QObject {
public:
    int depth = 0;
    QList<QPointer<QObject>> passages;

    bool eventFilter(QObject *receiver, QEvent *event) override {
        if (!isUserInput(event->type()))
            return false;
        // A window hands its input on to the widget under it, which is judged there.
        if (receiver->isWindowType())
            return false;
        // Whatever Qt hands on while a box is up is the box's own: the main window is blocked.
        if (modalBoxUp())
            return false;
        for (const QPointer<QObject> &passage : std::as_const(passages))
            if (passage == receiver)
                return false;
        event->accept();
        return true;
    }
};

Gate &gate() {
    static Gate *g = new Gate;  // lives as long as the program; the application may end first
    return *g;
}

// The waits under way, and what they leave to do once they are over.
class Waits : public QObject {
public:
    int depth = 0;
    bool leftWaiting = false;  // a round of a wait may have left input in Qt's queue
    bool handOnAsked = false;

    Waits() {
        // Kept for the rest of the run: what a wait left queued may be handed on long after it.
        if (qApp)
            qApp->installEventFilter(this);
    }

    // Qt hands a click that waited to the window it was made in even when that window has
    // been hidden since, as a menu closed by an Esc made before the click: the menu would
    // still run the item under it. A click that comes for a hidden window does nothing.
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

    // Asked for by a queued call, which runs once the code that waited has gone back to the
    // event loop. Woken, the loop would run a timer due then (the next step of Play Auto,
    // which waits again) ahead of the window system's events, so the user's input could be
    // left waiting behind one wait after another: it goes first, in a round of its own.
    void askHandOn() {
        if (!leftWaiting || handOnAsked || !qApp)
            return;
        handOnAsked = true;
        QMetaObject::invokeMethod(this, [this] { handOn(); }, Qt::QueuedConnection);
    }

    void handOn() {
        handOnAsked = false;
        if (depth > 0)
            return;  // reached inside a later wait, whose own end asks again
        leftWaiting = false;
        if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance())
            dispatcher->wakeUp();
        QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers | QEventLoop::ExcludeSocketNotifiers);
    }
};

Waits &waits() {
    static Waits *w = new Waits;  // lives as long as the program; the application may end first
    return *w;
}

}  // namespace

bool modalBoxUp() {
    const QWindow *modal = QGuiApplication::modalWindow();
    return modal && modal->modality() == Qt::ApplicationModal;
}

InputWait::InputWait() {
    ++waits().depth;
}

InputWait::~InputWait() {
    Waits &w = waits();
    if (--w.depth == 0)
        w.askHandOn();
}

QEventLoop::ProcessEventsFlags InputWait::flags(QEventLoop::ProcessEventsFlags others) {
    if (modalBoxUp())
        return others;
    waits().leftWaiting = true;
    return others | QEventLoop::ExcludeUserInputEvents;
}

InputRefusal::InputRefusal() {
    Gate &g = gate();
    if (g.depth++ == 0 && qApp)
        qApp->installEventFilter(&g);
}

InputRefusal::~InputRefusal() {
    Gate &g = gate();
    if (g.depth > 1) {
        --g.depth;
        return;
    }
    // Input the window system held back while the work left it waiting reaches the gate now.
    if (qApp)
        QCoreApplication::processEvents();
    g.depth = 0;
    if (qApp)
        qApp->removeEventFilter(&g);
}

void InputRefusal::letThrough(QObject *receiver) {
    QList<QPointer<QObject>> &passages = gate().passages;
    passages.removeAll(QPointer<QObject>());
    passages.append(receiver);
}
