#include "lobby/PlayerList.h"

#include "app/SplitString.h"
#include "connection/ServerLineHost.h"

#include <QDateTime>
#include <QFile>

namespace {

const QString kRowDelimiters = QStringLiteral(" .");

QString field(const QString &row, int n) {
    const QStringList f = SplitWords(row, kRowDelimiters);
    return n <= f.size() ? f.at(n - 1) : QString();
}

}  // namespace

PlayerList::PlayerList(ServerLineHost &host, Observer observer) : host_(host), observer_(std::move(observer)) {}

const QStringList &PlayerList::rows(Which which) const {
    return which == Which::All ? all_ : which == Which::Ready ? ready_ : friends_;
}

QStringList &PlayerList::list(Which which) {
    return which == Which::All ? all_ : which == Which::Ready ? ready_ : friends_;
}

void PlayerList::insert(Which which, int index, const QString &row) {
    list(which).insert(index, row);
    if (observer_.inserted)
        observer_.inserted(which, index, row);
}

void PlayerList::removeAt(Which which, int index) {
    list(which).removeAt(index);
    if (observer_.removed)
        observer_.removed(which, index);
}

void PlayerList::clearList(Which which) {
    list(which).clear();
    if (observer_.cleared)
        observer_.cleared(which);
}

void PlayerList::clear() {
    clearList(Which::All);
    clearList(Which::Ready);
    clearList(Which::Friends);
}

void PlayerList::updateCounters() {
    host_.setListCounters(int(all_.size()), int(ready_.size()), int(friends_.size()));
}

QString PlayerList::clientText(const QStringList &w) {
    static const std::pair<const char *, const char *> kClients[] = {
        {"Odesys", "odesys"}, {"Cocoa", "cocoa"},       {"BBGT", "BBGT"}, {"MacFIBS", "macfibs"},
        {"Parlor", "parlor"}, {"javafibs", "javafibs"}, {"<", "javafibs"}, {"?", "javafibs"}};
    for (int i = 0; i < w.size(); ++i) {
        const QString &word = w.at(i);
        if (word.contains(QLatin1String("Korvex")) && i + 2 < w.size())
            return word + w.at(i + 1) + w.at(i + 2);
        for (const auto &[mark, text] : kClients)
            if (word.contains(QLatin1String(mark)))
                return QLatin1String(text);
    }
    return {};
}

PlayerList::Rows PlayerList::rowsFor(const QString &whoLine) {
    const QStringList w = SplitWords(whoLine, QStringLiteral(" :."));
    Rows rows;
    if (w.size() < 9)
        return rows;
    const QString name = w.at(1);
    const QString body = name.leftJustified(13, ' ') + ' ' + w.at(6) + ' ' + w.at(8) + ' ' + clientText(w);
    const QString opponent = w.at(2), watching = w.at(3), ready = w.at(4), away = w.at(5);
    const bool idle = opponent == QLatin1String("-");
    if (idle && ready == QLatin1String("1") && watching == QLatin1String("-")) {
        rows.all = QStringLiteral("R* ") + body;
        rows.ready = QStringLiteral("R  ") + body;
        rows.readyAndIdle = true;
    } else if (idle && ready == QLatin1String("1")) {
        rows.all = QStringLiteral("RW ") + body;
        rows.ready = rows.all;
    } else if (!idle && (ready == QLatin1String("1") || ready == QLatin1String("0"))) {
        rows.all = QStringLiteral("P  ") + body;
    } else if (idle && ready == QLatin1String("0") && away == QLatin1String("1")) {
        rows.all = QStringLiteral("A  ") + body;
    } else if (idle && ready == QLatin1String("0") && away == QLatin1String("0")) {
        rows.all = QStringLiteral("-  ") + body;
    }
    return rows;
}

void PlayerList::UpdatePlayerList(const QString &name, const QString &kind, const QString &line) {
    const QString key = ' ' + name + ' ';
    if (kind == QLatin1String("ready")) {
        for (Which which : {Which::Ready, Which::All, Which::Friends}) {
            const QStringList &rowsOf = rows(which);
            for (int i = int(rowsOf.size()) - 1; i >= 0; --i)
                if (rowsOf.at(i).contains(key))
                    removeAt(which, i);
        }
        ProcessWhoLine(line);
        if (host_.lists().friendsList.contains(name))
            ShowFriends(friendsFile);
        updateCounters();
    } else if (kind == QLatin1String("logout")) {
        for (Which which : {Which::All, Which::Ready, Which::Friends}) {
            const QStringList &rowsOf = rows(which);
            for (int i = 0; i < rowsOf.size(); ++i) {
                if (rowsOf.at(i).contains(key)) {
                    removeAt(which, i);
                    break;
                }
            }
        }
        ShowFriends(friendsFile);
        if (host_.prefs().prfFriendView)
            host_.opFriends_Click();
        updateCounters();
    }

    // Two equal rows at the top of a long list mean the list has gone wrong: start it afresh.
    if (!repairDone_ && all_.size() >= 61 && all_.at(0) == all_.at(1)) {
        clearList(Which::All);
        clearList(Which::Ready);
        if (host_.socketConnected())
            host_.send(QStringLiteral("rawwho "));
        repairDone_ = true;
    }
    if (!refreshRequested_) {
        refreshRequested_ = true;
        mnuListRefresh_Click();
    }
}

void PlayerList::ProcessWhoLine(const QString &line) {
    host_.hideLoginWindow();
    const Rows rowsOfLine = rowsFor(line);
    if (!rowsOfLine.all.isEmpty()) {
        InsertPlayerAll(rowsOfLine.all);
        if (!rowsOfLine.ready.isEmpty())
            InsertIntoShortList(rowsOfLine.ready);
        if (rowsOfLine.readyAndIdle)
            autoInvite(SplitWords(line, QStringLiteral(" :.")));
    }

    StateFlags &f = host_.flags();
    if (f.saveAutoFlag && ++saveAutoCounter_ > 1) {
        saveAutoCounter_ = 0;
        f.saveAutoFlag = false;
        host_.SaveAuto();
    }
    if (!firstListDone_ && f.endList) {
        firstListDone_ = true;
        ShowFriends(friendsFile);
        updateCounters();
        Preferences &p = host_.prefs();
        if (!p.prfInitSettings) {
            host_.SendStartupToggles();
            p.prfInitSettings = true;
        }
        if (p.prfSWelcome && !p.prfDisableSounds)
            host_.playSound(QStringLiteral("welcome"));
    }
}

void PlayerList::autoInvite(const QStringList &w) {
    StateFlags &f = host_.flags();
    const auto &invites = host_.lists().autoInviteList;
    if (invites.empty() || f.isPlaying || !f.isConnected)
        return;
    const QString name = w.at(1).trimmed();
    const auto entry = std::find_if(invites.begin(), invites.end(), [&](const AutoInvite &a) { return a.name == name; });
    if (entry == invites.end())
        return;
    const QDateTime &lastEnd = host_.match().timeCtr;
    if (host_.prefs().prfToggleReady && lastEnd.isValid() && lastEnd.secsTo(QDateTime::currentDateTime()) < 30)
        return;
    if (!host_.prefs().prfDisableSounds)
        host_.playSound(QStringLiteral("bell"));
    // An unlimited match is asked for by name; "S" resumes the saved match.
    QString points = entry->points;
    if (points == QLatin1String("U"))
        points = QStringLiteral("unlimited");
    else if (points == QLatin1String("S"))
        points.clear();
    host_.send(QStringLiteral("Invite ") + name + ' ' + points + ' ');
    host_.setReadyPicture(true);
    f.isWatching = false;
    f.isReady = true;
}

bool PlayerList::gagged(const QString &row) const {
    return host_.prefs().prfGagged && host_.IsGagged(field(row, 2));
}

void PlayerList::InsertPlayerAll(const QString &row) {
    if (gagged(row))
        return;
    // Names ascend and ratings descend; a new row goes before the rows with an equal key.
    const int keyField = sortByName ? 2 : 3;
    const QString key = field(row, keyField);
    bool keyNumeric = false;
    const int keyRating = key.toInt(&keyNumeric);
    auto goesBefore = [&](const QString &other) {
        const QString otherKey = field(other, keyField);
        if (sortByName)
            return otherKey >= key;
        bool otherNumeric = false;
        const int otherRating = otherKey.toInt(&otherNumeric);
        if (!keyNumeric)
            return !otherNumeric;  // a rating that is no number goes after every number
        return !otherNumeric || otherRating <= keyRating;
    };
    int lo = 0, hi = int(all_.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (goesBefore(all_.at(mid)))
            hi = mid;
        else
            lo = mid + 1;
    }
    insert(Which::All, lo, row);
    if (!list1Shown_ && all_.size() > 20) {
        list1Shown_ = true;
        host_.showList1();
    }
}

void PlayerList::InsertIntoShortList(const QString &row) {
    if (gagged(row))
        return;
    const QString key = field(row, 3);
    for (int i = 0; i < ready_.size(); ++i) {
        if (field(ready_.at(i), 3) <= key) {
            insert(Which::Ready, i, row);
            return;
        }
    }
    insert(Which::Ready, int(ready_.size()), row);
}

void PlayerList::mnuListRefresh_Click() {
    clear();
    StateFlags &f = host_.flags();
    if (!f.isConnected)
        return;
    static const std::pair<const char *, int> kCommands[] = {
        {"set sortwho rating ", 200}, {"who ", 1200},  {"set sortwho rrating ", 200}, {"who ", 1200},
        {"who ready", 1200},          {"who playing", 1200}, {"who away", 1200}};
    for (const auto &[command, wait] : kCommands) {
        host_.send(QLatin1String(command));
        host_.pause(wait);
    }
}

void PlayerList::ShowFriends(const QString &file) {
    QStringList &friendsList = host_.lists().friendsList;
    if (!friendsLoaded_) {
        QFile in(file);
        if (in.open(QIODevice::ReadOnly)) {
            while (!in.atEnd()) {
                QString line = QString::fromLatin1(in.readLine());
                while (line.endsWith('\n') || line.endsWith('\r'))
                    line.chop(1);
                friendsList << line.mid(1, qMax(0, int(line.size()) - 2));  // the name stands between quotes
            }
        }
        friendsLoaded_ = true;
        friendsReadSecond_ = QTime::currentTime().second();
    }
    if (!friendsList.isEmpty() && !all_.isEmpty()) {
        clearList(Which::Friends);
        for (const QString &row : std::as_const(all_)) {
            for (const QString &name : std::as_const(friendsList)) {
                if (!name.isEmpty() && row.contains(' ' + name + ' ')) {
                    insert(Which::Friends, int(friends_.size()), row);
                    break;
                }
            }
        }
    }
    const Preferences &p = host_.prefs();
    if (int(friends_.size()) != lastFriendsCount_ && p.prfSFriends && !p.prfDisableSounds &&
        std::abs(QTime::currentTime().second() - friendsReadSecond_) > 10)
        host_.playSound(QStringLiteral("friend"));
    lastFriendsCount_ = int(friends_.size());
}
