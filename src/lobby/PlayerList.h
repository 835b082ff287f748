#pragma once
// The players logged in to the server, one fixed-layout row each, kept sorted in the
// "All" list, the "Ready" list and the friends list.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <functional>

class ServerLineHost;

class PlayerList {
public:
    enum class Which { All, Ready, Friends };
    // Tells the window about each row put in or taken out, so the list boxes follow.
    struct Observer {
        std::function<void(Which, int index, const QString &row)> inserted;
        std::function<void(Which, int index)> removed;
        std::function<void(Which)> cleared;
        std::function<void(Which, int index, const QString &row)> replaced;
        std::function<void(Which)> reordered;  // every row may stand elsewhere now
        // The rows stand still again: a row taken out and not put back is gone for good.
        std::function<void()> settled;
        std::function<void(const QString &name)> departed;  // the player logged out
    };

    PlayerList(ServerLineHost &host, Observer observer = {});

    // `kind` is "ready" for a who line, "logout" for a log-out, "end" for the line that ends
    // a complete list.
    void UpdatePlayerList(const QString &name, const QString &kind, const QString &line);
    void mnuListRefresh_Click();
    // Rebuilds the friends rows from the all-players list; the counters follow.
    void ShowFriends(const QString &friendsFile);
    // Marks the user's own rows away with "A", or gives them back the mark they had.
    void ShowAway(bool isAway, const QString &user);
    void clear();
    // Puts a list in name order (A to Z, whatever the case) or rating order (high to low).
    void sortRows(Which which, bool byName);
    // friends.dat has changed: it is read again at once, and the friends list follows it.
    void reloadFriends();
    // Takes out the rows of players on the gag list, when gagged players are to be hidden.
    void dropGagged();

    // The row a who line gives in the All list and in the Ready list (empty for none).
    struct Rows {
        QString all;
        QString ready;
        bool readyAndIdle = false;
    };
    static Rows rowsFor(const QString &whoLine);
    static QString clientText(const QStringList &words);

    const QStringList &rows(Which which) const;
    bool sortByName = false;
    QString friendsFile;  // friends.dat, read once by the friends view
    // Milliseconds on a clock that only goes forward; the friend sound keeps quiet for a
    // while after friends.dat was read.
    std::function<qint64()> clock;

private:
    struct Rating {
        int value = 0;
        bool rated = false;  // the field is a number
    };
    static Rating ratingOf(QStringView row);
    static bool higher(Rating a, Rating b);

    void ProcessWhoLine(const QString &line);
    void InsertPlayerAll(const QString &row);
    void InsertIntoShortList(const QString &row);
    void autoInvite(QStringView name);
    void insert(Which which, int index, const QString &row);
    void removeAt(Which which, int index);
    void replaceAt(Which which, int index, const QString &row);
    int rowOf(Which which, const QString &name) const;
    void loadFriends();
    void clearList(Which which);
    void updateCounters();
    void settle();
    QStringList &list(Which which);
    bool gagged(const QString &row) const;
    // Rows are searched for " name ", which only a word of a row with a blank on both sides
    // can match; those words are counted over the three lists, so that a login's thousands
    // of names not yet listed skip the search.
    void countWords(const QString &row, int by);
    bool mayBeListed(const QString &name) const;

    ServerLineHost &host_;
    Observer observer_;
    QStringList all_, ready_, friends_;
    std::array<QList<Rating>, 3> ratings_;  // each row's rating, read once, by list
    QHash<size_t, int> enclosedWords_;      // by the word's hash: a shared hash only costs a search
    bool refreshRequested_ = false;
    bool repairDone_ = false;
    bool firstListDone_ = false;
    bool list1Shown_ = false;
    int saveAutoCounter_ = 0;
    bool friendsLoaded_ = false;
    // From the lists' emptying to the end of the complete list that follows (a login, a
    // refresh): every friend in it is there already rather than arriving.
    bool listing_ = true;
    qint64 friendsReadAt_ = 0;
    int lastFriendsCount_ = 0;
    std::array<QChar, 3> awayMarks_{};  // the status mark each list's own row had before "A"
};
