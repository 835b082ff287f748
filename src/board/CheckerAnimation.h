#pragma once
// Slides checkers across the board, at the speed the user chose.
struct Preferences;

class CheckerAnimation {
public:
    // Calibrates the frame delay once per installation and marks it done.
    void InitAnimDelay(Preferences &prefs);
};
