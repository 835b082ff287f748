#pragma once
// The real main window loaded in a test's program folder, quiet and quick: no sounds, no
// checker slides, no pacing waits (until the test sets the factor back), an account made.
#include "mainform/Mainform.h"
#include "support/TestEnvironment.h"

#include <memory>

// Nothing when the window did not load.
std::unique_ptr<Mainform> loadQuickWindow(TestEnvironment &env);
