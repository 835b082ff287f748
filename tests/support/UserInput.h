#pragma once
// What a user does while the program waits, made through the window system's way in, so that
// it meets what the program does with input during its waits.
#include <QPushButton>

// A button in a window of its own that counts its clicks.
class CountingButton {
public:
    CountingButton();  // shown and exposed

    // A left click on the button, as the window system hands it to the button's window.
    void click();
    int clicks() const { return clicks_; }

private:
    QPushButton button_{QStringLiteral("Step Forward")};
    int clicks_ = 0;
};

// Opens a message box, as a timer or a server line may in the middle of a wait, and answers
// it `afterMs` later as the user does: a click on its OK button, or Return. Returns what the
// box returned; a box still open after three seconds is closed and fails the test.
int openBoxAndAnswer(bool byKey, int afterMs = 50);
