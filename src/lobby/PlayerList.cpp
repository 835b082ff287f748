#include "lobby/PlayerList.h"

#include "app/MousePointer.h"
#include "app/SplitString.h"
#include "connection/ServerLineHost.h"
#include "lobby/FriendsFile.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QVarLengthArray>

#include <algorithm>
#include <array>

namespace {

const QString kRowDelimiters = QStringLiteral(" .");

QString field(const QString &row, int n) {
    const QStringList f = SplitWords(row, kRowDelimiters);
    return n <= f.size() ? f.at(n - 1) : QString();
}

// Fields 2 and 3 of a row (name and rating), cut at blanks and full stops.
struct NameAndRating {
    QStringView name, rating;
};
NameAndRating nameAndRating(QStringView row) {
    NameAndRating fields;
    int n = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= row.size() && n < 3; ++i) {
        if (i < row.size() && row[i] != u' ' && row[i] != u'.')
            continue;
        if (i > start) {
            ++n;
            if (n == 2)
                fields.name = row.mid(start, i - start);
            else if (n == 3)
                fields.rating = row.mid(start, i - start);
        }
        start = i + 1;
    }
    return fields;
}

qint64 monotonicMsecs() {
    static QElapsedTimer timer;
    if (!timer.isValid())
        timer.start();
    return timer.elapsed();
}

constexpr qint64 kFriendSoundQuietMs = 10000;

// The words of a who line as views into it; a who line has about twenty.
using WordViews = QVarLengthArray<QStringView, 32>;

WordViews wordViews(QStringView line, QStringView delimiters) {
    WordViews words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i < line.size()) {
            const QChar c = line[i];
            if (std::none_of(delimiters.begin(), delimiters.end(), [c](QChar d) { return c == d; }))
                continue;
        }
        if (i > start)
            words.append(line.mid(start, i - start));
        start = i + 1;
    }
    return words;
}

constexpr QStringView kOwnClient = u"Korvex";
struct ClientMark {
    QStringView mark;
    QLatin1StringView text;
};
constexpr ClientMark kClients[] = {
    {u"Odesys", QLatin1StringView("odesys")}, {u"Cocoa", QLatin1StringView("cocoa")},
    {u"BBGT", QLatin1StringView("BBGT")},     {u"MacFIBS", QLatin1StringView("macfibs")},
    {u"Parlor", QLatin1StringView("parlor")}, {u"javafibs", QLatin1StringView("javafibs")},
    {u"<", QLatin1StringView("javafibs")},    {u"?", QLatin1StringView("javafibs")}};

// Most words hold none of the characters the marks start with, and need no closer look: a
// who line has some twenty words, and a login brings thousands of who lines at once.
bool mayHoldMark(QStringView word) {
    static const auto firsts = [] {
        std::array<bool, 128> f{};
        f[kOwnClient[0].unicode()] = true;
        for (const ClientMark &c : kClients)
            f[c.mark[0].unicode()] = true;
        return f;
    }();
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 128 && firsts[c.unicode()]; });
}

QString clientOf(const QStringView *w, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) {
        const QStringView word = w[i];
        if (!mayHoldMark(word))
            continue;
        if (word.contains(kOwnClient) && i + 2 < count) {
            QString text = word.toString();
            text += w[i + 1];
            text += w[i + 2];
            return text;
        }
        for (const ClientMark &client : kClients)
            if (word.contains(client.mark))
                return client.text;
    }
    return {};
}

}  // namespace

PlayerList::PlayerList(ServerLineHost &host, Observer observer)
    : clock(monotonicMsecs), host_(host), observer_(std::move(observer)) {}

PlayerList::RowKey PlayerList::keyOf(const QString &row) {
    const NameAndRating fields = nameAndRating(row);
    RowKey key;
    key.name = fields.name.toString().toCaseFolded();
    key.rating = fields.rating.toInt(&key.rated);
    return key;
}

bool PlayerList::before(const RowKey &a, const RowKey &b, bool byName) {
    if (byName)
        return a.name < b.name;
    if (a.rated != b.rated)
        return a.rated;
    return a.rated && a.rating > b.rating;
}

const QStringList &PlayerList::rows(Which which) const {
    return which == Which::All ? all_ : which == Which::Ready ? ready_ : friends_;
}

QStringList &PlayerList::list(Which which) {
    return which == Which::All ? all_ : which == Which::Ready ? ready_ : friends_;
}

void PlayerList::insert(Which which, int index, const QString &row) {
    countWords(row, 1);
    list(which).insert(index, row);
    if (observer_.inserted)
        observer_.inserted(which, index, row);
}

void PlayerList::removeAt(Which which, int index) {
    countWords(list(which).at(index), -1);
    list(which).removeAt(index);
    if (observer_.removed)
        observer_.removed(which, index);
}

void PlayerList::replaceAt(Which which, int index, const QString &row) {
    countWords(list(which).at(index), -1);
    countWords(row, 1);
    list(which)[index] = row;
    if (observer_.replaced)
        observer_.replaced(which, index, row);
}

int PlayerList::rowOf(Which which, const QString &name) const {
    const QStringList &r = rows(which);
    for (int i = 0; i < r.size(); ++i)
        if (nameAndRating(r.at(i)).name == name)
            return i;
    return -1;
}

void PlayerList::clearList(Which which) {
    for (const QString &row : std::as_const(list(which)))
        countWords(row, -1);
    list(which).clear();
    if (observer_.cleared)
        observer_.cleared(which);
}

void PlayerList::countWords(const QString &row, int by) {
    qsizetype blank = -1;
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (row.at(i) != u' ')
            continue;
        if (blank >= 0 && i > blank + 1) {
            const QString word = row.mid(blank + 1, i - blank - 1);
            const int count = (enclosedWords_[word] += by);
            if (count <= 0)
                enclosedWords_.remove(word);
        }
        blank = i;
    }
}

bool PlayerList::mayBeListed(const QString &name) const {
    return name.isEmpty() || name.contains(u' ') || enclosedWords_.contains(name);
}

void PlayerList::clear() {
    clearList(Which::All);
    clearList(Which::Ready);
    clearList(Which::Friends);
    awayMarks_ = {};
}

void PlayerList::updateCounters() {
    host_.setListCounters(int(all_.size()), int(ready_.size()), int(friends_.size()));
}

QString PlayerList::clientText(const QStringList &w) {
    QVarLengthArray<QStringView, 32> views(w.begin(), w.end());
    return clientOf(views.data(), views.size());
}

PlayerList::Rows PlayerList::rowsFor(const QString &whoLine) {
    const WordViews w = wordViews(whoLine, u" :.");
    Rows rows;
    if (w.size() < 9)
        return rows;
    const QStringView opponent = w[2], watching = w[3], ready = w[4], away = w[5];
    const bool idle = opponent == u"-";
    QLatin1StringView allMark, readyMark;
    if (idle && ready == u"1" && watching == u"-") {
        allMark = QLatin1StringView("R* ");
        readyMark = QLatin1StringView("R  ");
        rows.readyAndIdle = true;
    } else if (idle && ready == u"1") {
        allMark = readyMark = QLatin1StringView("RW ");
    } else if (!idle && (ready == u"1" || ready == u"0")) {
        allMark = QLatin1StringView("P  ");
    } else if (idle && ready == u"0" && away == u"1") {
        allMark = QLatin1StringView("A  ");
    } else if (idle && ready == u"0" && away == u"0") {
        allMark = QLatin1StringView("-  ");
    } else {
        return rows;
    }
    const QStringView name = w[1];
    const QString client = clientOf(w.data(), w.size());
    auto row = [&](QLatin1StringView mark) {
        QString r;
        r.reserve(mark.size() + qMax<qsizetype>(name.size(), 13) + w[6].size() + w[8].size() + client.size() + 3);
        r += mark;
        r += name;
        if (name.size() < 13)
            r.resize(mark.size() + 13, u' ');
        r += u' ';
        r += w[6];
        r += u' ';
        r += w[8];
        r += u' ';
        r += client;
        return r;
    };
    rows.all = row(allMark);
    if (readyMark == allMark)
        rows.ready = rows.all;
    else if (!readyMark.isEmpty())
        rows.ready = row(readyMark);
    return rows;
}

void PlayerList::UpdatePlayerList(const QString &name, const QString &kind, const QString &line) {
    const QString key = ' ' + name + ' ';
    const bool listed = mayBeListed(name);
    if (kind == QLatin1String("ready")) {
        const bool shownAsFriend = listed && rowOf(Which::Friends, name) >= 0;
        for (Which which : {Which::Ready, Which::All, Which::Friends}) {
            const QStringList &rowsOf = rows(which);
            for (int i = listed ? int(rowsOf.size()) - 1 : -1; i >= 0; --i)
                if (rowsOf.at(i).contains(key))
                    removeAt(which, i);
        }
        ProcessWhoLine(line);
        if (host_.lists().friendsList.contains(name)) {
            ShowFriends(friendsFile);
            // A friend who has just come is shown where the user sees him.
            if (!shownAsFriend && rowOf(Which::Friends, name) >= 0 && host_.prefs().prfFriendView)
                host_.opFriends_Click();
        }
        updateCounters();
    } else if (kind == QLatin1String("logout")) {
        for (Which which : {Which::All, Which::Ready, Which::Friends}) {
            const QStringList &rowsOf = rows(which);
            for (int i = 0; listed && i < rowsOf.size(); ++i) {
                if (rowsOf.at(i).contains(key)) {
                    removeAt(which, i);
                    break;
                }
            }
        }
        ShowFriends(friendsFile);
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

    // The wait for the list (a refresh, "All" on an empty list) is over.
    MousePointer::restoreDefault();
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
    // A new row goes before the rows with an equal key.
    const RowKey key = keyOf(row);
    int lo = 0, hi = int(all_.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (before(keyOf(all_.at(mid)), key, sortByName))
            lo = mid + 1;
        else
            hi = mid;
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
    const RowKey key = keyOf(row);
    for (int i = 0; i < ready_.size(); ++i) {
        if (!before(keyOf(ready_.at(i)), key, false)) {
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

void PlayerList::loadFriends() {
    const FriendsFile::Names read = FriendsFile::read(friendsFile);
    host_.lists().friendsList = read.names;
    friendsLoaded_ = true;
    friendsReadAt_ = clock();
    if (!read.error.isEmpty())
        host_.message(QStringLiteral("'There was an error reading friends.dat\r\n") + read.error);
}

void PlayerList::reloadFriends() {
    friendsLoaded_ = false;
    host_.lists().friendsList.clear();
}

void PlayerList::ShowFriends(const QString &file) {
    if (!friendsLoaded_) {
        friendsFile = file;
        loadFriends();
    }
    const QStringList &friendsList = host_.lists().friendsList;
    if (!friends_.isEmpty())
        clearList(Which::Friends);
    if (!friendsList.isEmpty()) {
        for (const QString &row : std::as_const(all_))
            if (friendsList.contains(nameAndRating(row).name))
                insert(Which::Friends, int(friends_.size()), row);
    }
    const Preferences &p = host_.prefs();
    if (int(friends_.size()) != lastFriendsCount_ && p.prfSFriends && !p.prfDisableSounds &&
        clock() - friendsReadAt_ > kFriendSoundQuietMs)
        host_.playSound(QStringLiteral("friend"));
    lastFriendsCount_ = int(friends_.size());
}

void PlayerList::ShowAway(bool isAway, const QString &user) {
    if (user.isEmpty())
        return;
    for (Which which : {Which::All, Which::Ready, Which::Friends}) {
        const int index = rowOf(which, user);
        if (index < 0)
            continue;
        QString row = rows(which).at(index);
        QChar &mark = awayMarks_[size_t(which)];
        if (isAway) {
            if (row.at(0) != u'A')
                mark = row.at(0);
            row[0] = u'A';
        } else {
            // Only a mark this run took away is given back.
            if (mark.isNull())
                continue;
            row[0] = mark;
            mark = QChar();
        }
        replaceAt(which, index, row);
    }
}

void PlayerList::sortRows(Which which, bool byName) {
    QStringList &r = list(which);
    std::vector<std::pair<RowKey, int>> keyed;
    keyed.reserve(size_t(r.size()));
    for (int i = 0; i < r.size(); ++i)
        keyed.emplace_back(keyOf(r.at(i)), i);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [byName](const auto &a, const auto &b) { return before(a.first, b.first, byName); });
    QStringList sorted;
    sorted.reserve(r.size());
    for (const auto &k : keyed)
        sorted << r.at(k.second);
    r.swap(sorted);
    if (observer_.reordered)
        observer_.reordered(which);
}

void PlayerList::dropGagged() {
    if (!host_.prefs().prfGagged)
        return;
    for (Which which : {Which::All, Which::Ready, Which::Friends})
        for (int i = int(rows(which).size()) - 1; i >= 0; --i)
            if (gagged(rows(which).at(i)))
                removeAt(which, i);
    updateCounters();
}
