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
