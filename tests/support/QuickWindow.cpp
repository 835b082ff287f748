#include "support/QuickWindow.h"

#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "board/BoardShow.h"

#include <QTest>
#include <algorithm>

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

void clickBoard(Mainform &window, QPoint at, Qt::MouseButton button) {
    QTest::mouseClick(window.boardShow, button, {}, at);
}

QPoint checkerSpot(const Mainform &window, int position, bool black) {
    const CheckerSet &set = black ? window.checkers.blackCheckers : window.checkers.whiteCheckers;
    const CheckerRec &c = set[std::max(set.firstOn(position), 1)];
    return {c.x + 20, c.y + 20};
}

QPoint diceSpot(const Mainform &window) {
    const QSize size = window.board.size();
    return {int(size.width() * 0.7) + 6, int(size.height() * 0.45) + 6};
}
