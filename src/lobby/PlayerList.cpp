#include "lobby/PlayerList.h"

#include "app/MousePointer.h"
#include "connection/ServerLineHost.h"
#include "lobby/FriendsFile.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <numeric>

namespace {

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

// What a character of a who line is to its reader: a cut between words (blank, colon, full
// stop), the first character of a client's mark, or nothing (0).
enum : quint8 { kCut = 1, kMarkStart = 2 };
constexpr std::array<quint8, 128> kCharKinds = [] {
    std::array<quint8, 128> kinds{};
    kinds[' '] = kinds[':'] = kinds['.'] = kCut;
    kinds[kOwnClient[0].unicode()] |= kMarkStart;
    for (const ClientMark &c : kClients)
        kinds[c.mark[0].unicode()] |= kMarkStart;
    return kinds;
}();

// The words of a who line as views into it (a who line has about twenty), and which of them
// may hold a client's mark: most hold none of the characters a mark starts with. Every
// character of the thousands of lines of a login goes through here once.
struct WhoWords {
    QVarLengthArray<QStringView, 32> words;
    quint64 mayHoldMark = 0;  // bit n for word n; words from the 64th on are always looked at
    bool mayHold(qsizetype n) const { return n >= 64 || (mayHoldMark >> n & 1); }
};

WhoWords whoWords(QStringView line) {
    WhoWords w;
    const char16_t *const text = line.utf16();
    const qsizetype size = line.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c >= 128 || kCharKinds[c] == 0)
            continue;
        if (kCharKinds[c] & kMarkStart) {
            if (w.words.size() < 64)
                w.mayHoldMark |= quint64(1) << w.words.size();
            continue;
        }
        if (i > start)
            w.words.append(line.sliced(start, i - start));
        start = i + 1;
    }
    if (start < size)
        w.words.append(line.sliced(start));
    return w;
}

// Whether `word` contains `mark`; the words are a few characters long, too short to pay for
// a general search.
bool holds(QStringView word, QStringView mark) {
    for (qsizetype i = 0; i + mark.size() <= word.size(); ++i)
        if (word[i] == mark[0] && word.sliced(i, mark.size()) == mark)
            return true;
    return false;
}

QString clientOf(const WhoWords &w) {
    const qsizetype count = w.words.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (!w.mayHold(i))
            continue;
        const QStringView word = w.words[i];
        if (holds(word, kOwnClient) && i + 2 < count) {
            QString text = word.toString();
            text += w.words[i + 1];
            text += w.words[i + 2];
            return text;
        }
        for (const ClientMark &client : kClients)
            if (holds(word, client.mark))
                return client.text;
    }
    return {};
}

bool isChar(QStringView word, char16_t c) {
    return word.size() == 1 && word[0] == c;
}

// Appends `text` at `out`, returning the end.
QChar *put(QChar *out, QStringView text) {
    return std::copy(text.begin(), text.end(), out);
}

}  // namespace

PlayerList::PlayerList(ServerLineHost &host, Observer observer)
    : clock(monotonicMsecs), host_(host), observer_(std::move(observer)) {}

PlayerList::Rating PlayerList::ratingOf(QStringView row) {
    Rating rating;
    rating.value = nameAndRating(row).rating.toInt(&rating.rated);
    return rating;
}

bool PlayerList::higher(Rating a, Rating b) {
    if (a.rated != b.rated)
        return a.rated;
    return a.rated && a.value > b.value;
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
    ratings_[size_t(which)].insert(index, ratingOf(row));
    if (observer_.inserted)
        observer_.inserted(which, index, row);
}

void PlayerList::removeAt(Which which, int index) {
    countWords(list(which).at(index), -1);
    list(which).removeAt(index);
    ratings_[size_t(which)].removeAt(index);
    if (observer_.removed)
        observer_.removed(which, index);
}

void PlayerList::replaceAt(Which which, int index, const QString &row) {
    countWords(list(which).at(index), -1);
    countWords(row, 1);
    list(which)[index] = row;
    ratings_[size_t(which)][index] = ratingOf(row);
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
    ratings_[size_t(which)].clear();
    if (observer_.cleared)
        observer_.cleared(which);
}

void PlayerList::countWords(const QString &row, int by) {
    const QStringView text(row);
    qsizetype blank = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u' ')
            continue;
        if (blank >= 0 && i > blank + 1) {
            const size_t word = qHash(text.mid(blank + 1, i - blank - 1));
            const int count = (enclosedWords_[word] += by);
            if (count <= 0)
                enclosedWords_.remove(word);
        }
        blank = i;
    }
}

bool PlayerList::mayBeListed(const QString &name) const {
    return name.isEmpty() || name.contains(u' ') || enclosedWords_.contains(qHash(QStringView(name)));
}

void PlayerList::clear() {
    clearList(Which::All);
    clearList(Which::Ready);
    clearList(Which::Friends);
    awayMarks_ = {};
    listing_ = true;
    settle();
}

void PlayerList::settle() {
    if (observer_.settled)
        observer_.settled();
}

void PlayerList::updateCounters() {
    host_.setListCounters(int(all_.size()), int(ready_.size()), int(friends_.size()));
}

QString PlayerList::clientText(const QStringList &words) {
    WhoWords w;
    for (const QString &word : words)
        w.words.append(word);
    w.mayHoldMark = ~quint64(0);
    return clientOf(w);
}

PlayerList::Rows PlayerList::rowsFor(const QString &whoLine) {
    const WhoWords who = whoWords(whoLine);
    const auto &w = who.words;
    Rows rows;
    if (w.size() < 9)
        return rows;
    const QStringView opponent = w[2], watching = w[3], ready = w[4], away = w[5];
    const bool idle = isChar(opponent, u'-');
    const char *allMark = nullptr, *readyMark = nullptr;
    if (idle && isChar(ready, u'1') && isChar(watching, u'-')) {
        allMark = "R* ";
        readyMark = "R  ";
        rows.readyAndIdle = true;
    } else if (idle && isChar(ready, u'1')) {
        allMark = readyMark = "RW ";
    } else if (!idle && (isChar(ready, u'1') || isChar(ready, u'0'))) {
        allMark = "P  ";
    } else if (idle && isChar(ready, u'0') && isChar(away, u'1')) {
        allMark = "A  ";
    } else if (idle && isChar(ready, u'0') && isChar(away, u'0')) {
        allMark = "-  ";
    } else {
        return rows;
    }
    const QStringView name = w[1], rating = w[6], experience = w[8];
    const QString client = clientOf(who);
    // The name is padded to 13 characters; one longer keeps its length and gets no blanks.
    const qsizetype nameWidth = qMax<qsizetype>(name.size(), 13);
    auto row = [&](const char *mark) {
        QString r(3 + nameWidth + 1 + rating.size() + 1 + experience.size() + 1 + client.size(), Qt::Uninitialized);
        QChar *out = r.data();
        for (int i = 0; i < 3; ++i)
            *out++ = QLatin1Char(mark[i]);
        out = put(out, name);
        out = std::fill_n(out, nameWidth - name.size() + 1, QChar(u' '));
        out = put(out, rating);
        *out++ = u' ';
        out = put(out, experience);
        *out++ = u' ';
        put(out, client);
        return r;
    };
    rows.all = row(allMark);
    if (readyMark == allMark)
        rows.ready = rows.all;
    else if (readyMark)
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
            // A friend who has just come is shown where the user sees him; the friends of a
            // list being given whole are there already.
            if (!listing_ && !shownAsFriend && rowOf(Which::Friends, name) >= 0 && host_.prefs().prfFriendView)
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
        if (observer_.departed)
            observer_.departed(name);
    } else if (kind == QLatin1String("end")) {
        listing_ = false;
        return;
    }

    // Two equal rows at the top of a long list mean the list has gone wrong: start it afresh.
    if (!repairDone_ && all_.size() >= 61 && all_.at(0) == all_.at(1)) {
        clearList(Which::All);
        clearList(Which::Ready);
        listing_ = true;
        if (host_.socketConnected())
            host_.send(QStringLiteral("rawwho "));
        repairDone_ = true;
    }
    if (!refreshRequested_) {
        refreshRequested_ = true;
        mnuListRefresh_Click();
    }
    settle();
}

void PlayerList::ProcessWhoLine(const QString &line) {
    host_.hideLoginWindow();
    const Rows rowsOfLine = rowsFor(line);
    if (!rowsOfLine.all.isEmpty()) {
        InsertPlayerAll(rowsOfLine.all);
        if (!rowsOfLine.ready.isEmpty())
            InsertIntoShortList(rowsOfLine.ready);
        if (rowsOfLine.readyAndIdle)
            autoInvite(nameAndRating(rowsOfLine.all).name);
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
        Preferences &p = host_.prefs();
        if (!p.prfInitSettings) {
            host_.SendStartupToggles();
            p.prfInitSettings = true;
        }
        if (p.prfSWelcome && !p.prfDisableSounds)
            host_.playSound(QStringLiteral("welcome"));
    }
}

void PlayerList::autoInvite(QStringView name) {
    StateFlags &f = host_.flags();
    const auto &invites = host_.lists().autoInviteList;
    if (invites.empty() || f.isPlaying || !f.isConnected)
        return;
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
    host_.send(QStringLiteral("Invite ") + entry->name + u' ' + points + u' ');
    host_.setReadyPicture(true);
    f.isWatching = false;
    f.isReady = true;
}

bool PlayerList::gagged(const QString &row) const {
    return host_.prefs().prfGagged && host_.IsGagged(nameAndRating(row).name.toString());
}

void PlayerList::InsertPlayerAll(const QString &row) {
    if (gagged(row))
        return;
    // A new row goes before the rows with an equal key.
    const QStringView name = nameAndRating(row).name;
    const Rating rating = ratingOf(row);
    const QList<Rating> &ratings = ratings_[size_t(Which::All)];
    int lo = 0, hi = int(all_.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const bool goesAfter = sortByName
                                   ? nameAndRating(all_.at(mid)).name.compare(name, Qt::CaseInsensitive) < 0
                                   : higher(ratings.at(mid), rating);
        if (goesAfter)
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
    // The first row that does not stand higher; the list may have been put in name order.
    const Rating rating = ratingOf(row);
    const QList<Rating> &ratings = ratings_[size_t(Which::Ready)];
    const auto at = std::find_if(ratings.begin(), ratings.end(), [rating](Rating r) { return !higher(r, rating); });
    insert(Which::Ready, int(at - ratings.begin()), row);
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
    loadFriends();
    ShowFriends(friendsFile);
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
    updateCounters();
    settle();
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
    QList<Rating> &ratings = ratings_[size_t(which)];
    std::vector<int> order(size_t(r.size()));
    std::iota(order.begin(), order.end(), 0);
    if (byName) {
        std::vector<QStringView> names;
        names.reserve(order.size());
        for (const QString &row : std::as_const(r))
            names.push_back(nameAndRating(row).name);
        std::stable_sort(order.begin(), order.end(), [&names](int a, int b) {
            return names[size_t(a)].compare(names[size_t(b)], Qt::CaseInsensitive) < 0;
        });
    } else {
        std::stable_sort(order.begin(), order.end(),
                         [&ratings](int a, int b) { return higher(ratings.at(a), ratings.at(b)); });
    }
    QStringList sorted;
    QList<Rating> sortedRatings;
    sorted.reserve(r.size());
    sortedRatings.reserve(r.size());
    for (const int i : order) {
        sorted << r.at(i);
        sortedRatings << ratings.at(i);
    }
    r.swap(sorted);
    ratings.swap(sortedRatings);
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
    settle();
}
