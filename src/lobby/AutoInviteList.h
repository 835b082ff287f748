#pragma once
// The auto-invite list as the "Auto Invite" menu fills and shows it.
#include "app/AutoInvite.h"
#include "lobby/PlayerStats.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace AutoInviteList {

// One entry per friend row, with the length of the last match against him, or 1. The user
// himself and the reputation robot are never invited, whatever the statistics hold.
std::vector<AutoInvite> fromFriends(const QStringList &friendRows, const std::vector<StatsRecord> &stats,
                                    const QString &user);

// "name  points" lines, each ended with CR LF.
QString listText(const std::vector<AutoInvite> &list);

}  // namespace AutoInviteList
