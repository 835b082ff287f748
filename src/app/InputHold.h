#pragma once
// Holds the user's clicks and keys off work that must finish first, such as GnuBG's turn.
#include <QObject>

// While one is alive, mouse buttons, the wheel, keys, shortcuts and context menus are refused
// program-wide: they would act on a board that has changed under them, or pull state away
// from the work still on the stack. What the work itself asks in a modal box is answered as
// usual, and receivers let through on purpose (Esc that stops self-play) still hear their
// events. Holds nest; the outermost one also throws away the input the window system queued
// meanwhile, so a click made during the work never acts once it is over.
class InputHold {
public:
    InputHold();
    ~InputHold();

    InputHold(const InputHold &) = delete;
    InputHold &operator=(const InputHold &) = delete;

    // `receiver` hears its input even during a hold, as long as it lives.
    static void letThrough(QObject *receiver);
};

// While one is alive, the user's input waits instead of acting: what comes to a window, and
// the shortcuts it sets off, are kept and handed on again, in order, once the outermost one
// is gone, each as it would act if it were made then: what went to a window since hidden or
// closed, or to one a modal box now blocks, does nothing. A modal box that is up during the
// wait, opened before it or by a timer inside it, is answered at once. The plain sleeps wait
// this way. The window system's own way of leaving input out of a round of events keeps it
// back until some later input arrives, so that a click made while the board was being drawn
// was not seen for as long as the drawing went on.
class InputWait {
public:
    InputWait();
    ~InputWait();

    InputWait(const InputWait &) = delete;
    InputWait &operator=(const InputWait &) = delete;
};
