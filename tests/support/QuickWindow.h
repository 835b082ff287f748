#pragma once
// The real main window loaded in a test's program folder, quiet and quick: no sounds, no
// checker slides, no pacing waits (until the test sets the factor back), an account made.
#include "mainform/Mainform.h"
#include "support/TestEnvironment.h"

#include <QPoint>
#include <memory>

// Nothing when the window did not load.
std::unique_ptr<Mainform> loadQuickWindow(TestEnvironment &env);

// A click on the window's board where the user makes it: a spot, the first checker of his
// (or, `black` false, his opponent's) on a position, his dice.
void clickBoard(Mainform &window, QPoint at, Qt::MouseButton button = Qt::LeftButton);
QPoint checkerSpot(const Mainform &window, int position, bool black = true);
QPoint diceSpot(const Mainform &window);
