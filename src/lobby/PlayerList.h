#pragma once
// The players logged in to the server, one fixed-layout row each, kept sorted in the
// "All" list, the "Ready" list and the friends list.
#include <QHash>
#include <QString>
#include <QStringList>
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
    };

    PlayerList(ServerLineHost &host, Observer observer = {});

    void UpdatePlayerList(const QString &name, const QString &kind, const QString &line);
    void mnuListRefresh_Click();
    void ShowFriends(const QString &friendsFile);
    void clear();

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

private:
    void ProcessWhoLine(const QString &line);
    void InsertPlayerAll(const QString &row);
    void InsertIntoShortList(const QString &row);
    void autoInvite(const QStringList &words);
    void insert(Which which, int index, const QString &row);
    void removeAt(Which which, int index);
    void clearList(Which which);
    void updateCounters();
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
    QHash<QString, int> enclosedWords_;
    bool refreshRequested_ = false;
    bool repairDone_ = false;
    bool firstListDone_ = false;
    bool list1Shown_ = false;
    int saveAutoCounter_ = 0;
    bool friendsLoaded_ = false;
    int friendsReadSecond_ = 0;
    int lastFriendsCount_ = 0;
};
