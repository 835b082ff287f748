#pragma once
// Which welcome page the main window shows at start: intro.html, then daily1 ... daily10.
#include <QString>

namespace DailyPage {
// Advances the counter and returns the page to show, relative to the program folder.
QString next(int &counter);
}
