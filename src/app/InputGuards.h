#pragma once
// Keeps the user's clicks and keys from acting in the middle of work that must finish first:
// refused during GnuBG's turn, left waiting during the program's own waits, and never handed
// to a window other than the one they were made in.
#include <QEventLoop>
#include <functional>

class QObject;

// Installs the guards' filters, once, at start-up: before any refusal or wait, and before the
// first window, whose input they may have to judge long after it was made.
void InstallInputGuards();

// True while a modal box is up, application-modal or window-modal. The box and what it
// opens, such as a list dropped down from one of its fields, take their input as usual while
// the rest of the program waits or works. Qt's modality keeps input from the other windows
// only for an application-modal box; a window-modal one blocks just the window it stands
// over, and the guards below keep the others' input from acting meanwhile.
bool modalBoxUp();

// While one is alive, mouse buttons, the wheel, keys, shortcuts and context menus are refused
// program-wide: they would act on a board that has changed under them, or pull state away
// from the work still on the stack. What the work itself asks in a modal box is answered as
// usual, and receivers let through on purpose (Esc that stops self-play) still hear their
// events. The waits inside a refusal leave no input waiting: it is judged as it comes, so
// what is refused is thrown away at once and the window's close and Esc act at once, in the
// middle of the work. Refusals nest; the outermost one also throws away the input the window
// system queued meanwhile, and what a wait around it left waiting, so a click made during the
// work never acts once it is over.
class InputRefusal {
public:
    InputRefusal();
    ~InputRefusal();

    InputRefusal(const InputRefusal &) = delete;
    InputRefusal &operator=(const InputRefusal &) = delete;

    // `receiver` hears its input even during a refusal, as long as it lives.
    static void letThrough(QObject *receiver);
};

// While one is alive the program is waiting (a plain sleep, a checker's slide, a talking
// wave): every round of events it runs with `runEvents` or `runEventsUntil`, its own and
// those run by what it calls meanwhile, repaints the windows and runs timers but leaves the
// user's clicks and keys waiting in Qt's queue, in the order they came and with the places
// they were made at. While a modal box is up nothing is left waiting, so a box that a timer
// or a server line opens during the wait is answered at once; what comes meanwhile for a
// window that a window-modal box does not block is held, in order, and acts with the rest
// after the wait. Once the box is answered, the rest of the wait holds input again.
//
// When the outermost wait is over and the program is back in its event loop, what was left
// waiting is handed on in a round of its own, ahead of any timer, so a click made during
// Play Auto acts before its next step. A click or a key whose window has been hidden since
// does nothing.
class InputWait {
public:
    InputWait();  // waits nest: only the outermost one hands on
    ~InputWait();

    InputWait(const InputWait &) = delete;
    InputWait &operator=(const InputWait &) = delete;
};

// The program is between two pieces of work (one server line's handling and the next, one
// turn of self-play and the next): what the waits of the last piece left waiting acts now,
// in order, as it would once back in the event loop, so a backlog of work never keeps the
// user's input waiting behind it. Inside a wait, which hands on at its own end, it does
// nothing. What the input sets off runs here and then, before the next piece begins.
void handOnHeldInput();

// One round of events run from the program's own code, with `flags`; inside a wait it also
// leaves the user's input waiting. With `maxTimeMs`, rounds go on while there is something
// to do, for that long at most. Qt's default (glib) event loop reads the sockets even in a
// round that excludes them, and tells their readers; see socketsLeftOut().
void runEvents(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents, int maxTimeMs = -1);

// True inside a round that leaves the sockets out (a plain sleep's, a checker slide's frame).
// Qt's glib event loop still takes a socket's data in and reports it there; a reader that
// hears of it in such a round puts its work off with readAfterTheWait, so a slide is not
// slowed down by a whole reading pass at every frame.
bool socketsLeftOut();

// Runs `read` from the event loop once the wait under way (or the round, outside a wait) is
// over. What runs it may be the next frame's round of a slide: a reader that still finds
// socketsLeftOut() true puts itself off again.
void readAfterTheWait(std::function<void()> read);

// Rounds of events, each sleeping until something happens, until `done` holds: the loop of
// a pause or of a talking wave. Each round judges anew whether to leave input waiting.
void runEventsUntil(const std::function<bool()> &done);
