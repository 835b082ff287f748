#include "app/DailyPage.h"

QString DailyPage::next(int &counter) {
    counter = counter + 1 > 10 ? 0 : counter + 1;
    if (counter >= 1)
        return QStringLiteral("html/daily%1.html").arg(counter);
    return QStringLiteral("html/intro.html");
}
