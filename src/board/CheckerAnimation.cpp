#include "board/CheckerAnimation.h"

#include "app/Preferences.h"

void CheckerAnimation::InitAnimDelay(Preferences &prefs) {
    prefs.isAnimInit = true;
}
