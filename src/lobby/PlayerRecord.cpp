#include "lobby/PlayerRecord.h"

#include "app/SettingsText.h"
#include "app/SplitString.h"

bool PlayerRecord::isRobot(const QString &name) {
    static const QStringList robots{"RepBot",   "MonteCarlo", "BlunderBot", "GammonBot", "gnubg",    "bonehead",
                                    "mgnu_zero", "mgnu",      "jellyfish",  "BGOnline",  "TourneyBot", "LoungeBot",
                                    "helpbot",  "Clippy",     "KittenBot",  "SnowieBot"};
    return robots.contains(name);
}

int PlayerRecord::savedMark(int saved) {
    if (saved > 20)
        return 3;
    if (saved > 10)
        return 2;
    return 1;
}

int PlayerRecord::wonPercent(int won, int played) {
    return played <= 0 ? 0 : SettingsText::roundEven(won * 100.0 / played);
}

bool PlayerRecord::fromRow(const QString &row, const QString &name, QString &rating, QString &experience) {
    const QStringList pieces = SplitWords(row, QStringLiteral(" "));
    if (pieces.size() < 4 || pieces.at(1) != name)
        return false;
    rating = pieces.at(2);
    experience = pieces.at(3);
    return true;
}
