#include "app/InputHold.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

#include <deque>
#include <memory>

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

// The nearest widget at or above the receiver: shortcuts and actions belong to one.
QWidget *widgetOf(QObject *receiver) {
    for (QObject *o = receiver; o; o = o->parent())
        if (o->isWidgetType())
            return static_cast<QWidget *>(o);
    return nullptr;
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
        for (const QPointer<QObject> &passage : std::as_const(passages))
            if (passage == receiver)
                return false;
        const QWidget *modal = QApplication::activeModalWidget();
        const QWidget *widget = widgetOf(receiver);
        if (modal && widget && widget->window() == modal)
            return false;
        event->accept();
        return true;
    }
};

Gate &gate() {
    static Gate *g = new Gate;  // lives as long as the program; the application may end first
    return *g;
}

// Whether input to `window` goes to the modal window on top: the modal window itself, or a
// window it opened, such as a list dropped down from one of its boxes. Not every popup names
// the window it belongs to (a file name's list of suggestions does not), but while a modal
// window is up no other window can have opened one.
bool withinModal(QWindow *window) {
    const QWindow *modal = QGuiApplication::modalWindow();
    if (modal && window && window->type() == Qt::Popup)
        return true;
    for (QWindow *w = window; w && modal; w = w->parent(QWindow::IncludeTransients))
        if (w == modal)
            return true;
    return false;
}

// The window a shortcut belongs to: that of its widget, or of the widget above its action.
QWindow *windowOf(QObject *receiver) {
    if (receiver->isWindowType())
        return static_cast<QWindow *>(receiver);
    const QWidget *widget = widgetOf(receiver);
    return widget ? widget->window()->windowHandle() : nullptr;
}

bool enabled(QObject *receiver) {
    if (const auto *action = qobject_cast<QAction *>(receiver))
        return action->isEnabled();
    if (const auto *shortcut = qobject_cast<QShortcut *>(receiver))
        return shortcut->isEnabled();
    if (receiver->isWidgetType())
        return static_cast<QWidget *>(receiver)->isEnabled();
    return true;
}

// Input taken out of the rounds of events while a wait runs, in the order it came. Once no
// wait runs it is handed on, each piece judged as it would be if it were made at that moment.
class Waiting : public QObject {
public:
    int depth = 0;
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::deque<Held> held;
    bool handOnAsked = false;

    bool eventFilter(QObject *receiver, QEvent *event) override {
        // Held where it enters a window, before the window hands it to a widget; a shortcut
        // goes straight to its own object.
        const bool atWindow = receiver->isWindowType() && isUserInput(event->type());
        if (!atWindow && event->type() != QEvent::Shortcut)
            return false;
        // A box that is up is answered at once: what the wait waits for may be that answer.
        if (withinModal(windowOf(receiver)))
            return false;
        held.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
        event->accept();
        return true;
    }

    void askHandOn() {
        if (held.empty() || handOnAsked || !qApp)
            return;
        handOnAsked = true;
        QMetaObject::invokeMethod(this, [this] { handOn(); }, Qt::QueuedConnection);
    }

    // Each piece goes on its own, so that what one does (an Esc closing a menu) decides
    // whether the next still has somewhere to go. A piece that starts a wait of its own holds
    // the rest behind the input of that wait, and the end of that wait goes on with them;
    // one that opens a box leaves the rest to be judged while the box is up.
    void handOn() {
        handOnAsked = false;
        while (depth == 0 && !held.empty()) {
            Held next = std::move(held.front());
            held.pop_front();
            askHandOn();
            if (next.receiver && wouldReach(next.receiver))
                QCoreApplication::sendEvent(next.receiver, next.event.get());
        }
    }

    // A click or key whose window has gone or been hidden reaches nothing, and a modal box
    // that is up now keeps input from every window but its own, shortcuts included.
    static bool wouldReach(QObject *receiver) {
        QWindow *window = windowOf(receiver);
        if (QGuiApplication::modalWindow() && !withinModal(window))
            return false;
        if (receiver->isWindowType())
            return window->isVisible();
        return enabled(receiver);
    }
};

Waiting &waiting() {
    static Waiting *w = new Waiting;  // lives as long as the program; the application may end first
    return *w;
}

}  // namespace

InputWait::InputWait() {
    Waiting &w = waiting();
    if (w.depth++ == 0 && qApp)
        qApp->installEventFilter(&w);
}

InputWait::~InputWait() {
    Waiting &w = waiting();
    if (--w.depth > 0)
        return;
    if (qApp)
        qApp->removeEventFilter(&w);
    w.askHandOn();
}

InputHold::InputHold() {
    Gate &g = gate();
    if (g.depth++ == 0 && qApp)
        qApp->installEventFilter(&g);
}

InputHold::~InputHold() {
    Gate &g = gate();
    if (g.depth > 1) {
        --g.depth;
        return;
    }
    // Input the window system held back while the work excluded it reaches the gate now.
    if (qApp)
        QCoreApplication::processEvents();
    g.depth = 0;
    if (qApp)
        qApp->removeEventFilter(&g);
}

void InputHold::letThrough(QObject *receiver) {
    QList<QPointer<QObject>> &passages = gate().passages;
    passages.removeAll(QPointer<QObject>());
    passages.append(receiver);
}
