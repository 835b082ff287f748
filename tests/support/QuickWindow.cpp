#include "support/QuickWindow.h"

#include "app/SettingsStore.h"
#include "app/Utilities.h"

std::unique_ptr<Mainform> loadQuickWindow(TestEnvironment &env) {
    env.copyData();
    SettingsStore().write("isAnimInit", "True");
    setWaitFactor(0);
    auto window = std::make_unique<Mainform>();
    if (!window->Form_Load())
        return nullptr;
    window->show();
    Preferences &p = window->prefs;
    p.prfDisableSounds = true;
    p.prfAnimateCheckersB = p.prfAnimateCheckersW = false;
    p.prfFirstTimer = false;
    p.prfInitSettings = true;
    window->checkerAnimation.frameWait = nullptr;
    return window;
}
