#include "app/InputHold.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

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

// Input taken out of the rounds of events while a wait runs, in the order it came.
class Waiting : public QObject {
public:
    int depth = 0;
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };
    std::vector<Held> held;

    bool eventFilter(QObject *receiver, QEvent *event) override {
        // Held where it enters a window, before the window hands it to a widget; a shortcut
        // goes straight to its own object.
        const bool atWindow = receiver->isWindowType() && isUserInput(event->type());
        if (!atWindow && event->type() != QEvent::Shortcut)
            return false;
        held.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
        event->accept();
        return true;
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
    std::vector<Waiting::Held> held;
    held.swap(w.held);
    for (Waiting::Held &h : held)
        if (h.receiver)
            QCoreApplication::postEvent(h.receiver, h.event.release());
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
