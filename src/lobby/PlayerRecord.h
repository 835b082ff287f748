#pragma once
// Reading what the client knows of one player: his row in the all-players list and the
// statistics kept against him.
#include <QString>
#include <QStringList>

namespace PlayerRecord {
// The robot accounts of the server, shown with the "(bot)" mark.
bool isRobot(const QString &name);
// The saved-match mark for a count of saved matches: 1 green, 2 yellow, 3 red.
int savedMark(int saved);
// Won points as a whole percentage of played points, halves to even.
int wonPercent(int won, int played);
// Name, rating and experience from an all-players row whose name is `name`; false when
// the row is not that player's.
bool fromRow(const QString &row, const QString &name, QString &rating, QString &experience);
}  // namespace PlayerRecord
