#pragma once
// Keeps the user's clicks and keys from acting in the middle of work that must finish first:
// refused during GnuBG's turn, left waiting during the program's own waits.
#include <QEventLoop>

class QObject;

// True while an application-modal box is up. Qt's modality then keeps input from every other
// window, so the box and what it opens, such as a list dropped down from one of its fields,
// take their input as usual while the rest of the program waits or works.
bool modalBoxUp();

// While one is alive, mouse buttons, the wheel, keys, shortcuts and context menus are refused
// program-wide: they would act on a board that has changed under them, or pull state away
// from the work still on the stack. What the work itself asks in a modal box is answered as
// usual, and receivers let through on purpose (Esc that stops self-play) still hear their
// events. Refusals nest; the outermost one also throws away the input the window system
// queued meanwhile, so a click made during the work never acts once it is over.
class InputRefusal {
public:
    InputRefusal();
    ~InputRefusal();

    InputRefusal(const InputRefusal &) = delete;
    InputRefusal &operator=(const InputRefusal &) = delete;

    // `receiver` hears its input even during a refusal, as long as it lives.
    static void letThrough(QObject *receiver);
};

// The program's waits (the plain sleeps, a checker's slide, a talking wave) repaint the
// windows and run timers, but leave the user's input waiting: rounds of events run with
// `flags()` keep clicks and keys in Qt's own queue, in the order they came and with the
// places they were made at. While a modal box is up nothing is left waiting, so a box that a
// timer or a server line opens during the wait is answered at once.
//
// The window system hands on what was left out of a round only once something wakes the
// event loop, which may be no sooner than the user's next input; and once woken, the loop
// runs a timer that is due ahead of it. So when the outermost wait is over and the program is
// back in its event loop, the input left waiting is handed on in a round of its own, before
// any timer or socket: a click made during Play Auto acts before its next step. A click whose
// window has been hidden since, such as a menu closed by an Esc made before it, does nothing.
class InputWait {
public:
    InputWait();  // waits nest: only the outermost one hands on
    ~InputWait();

    InputWait(const InputWait &) = delete;
    InputWait &operator=(const InputWait &) = delete;

    // The flags for a round of events inside a wait, beside the wait's `others`.
    static QEventLoop::ProcessEventsFlags flags(QEventLoop::ProcessEventsFlags others = {});
};
