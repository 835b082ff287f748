#pragma once
// The server's page of saved (interrupted) matches: a copy kept in the program folder,
// fetched again when it is a day old and the user wants it so, and read once per run into
// the shared list of {player, saved matches} that the invitation window shows.
#include "app/SavedGame.h"
#include "records/DownloadURL.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// What the saved-games list needs of the main window.
class SavedGamesHost {
public:
    virtual ~SavedGamesHost() = default;
    virtual QString programFolder() const = 0;
    virtual bool ask(const QString &text, const QString &title) = 0;  // Yes or No
    virtual void message(const QString &text) = 0;
    virtual void setStatus(const QString &text) = 0;
    // The progress window and its hourglass, while the page is read.
    virtual void showProgressWindow(const QString &job) = 0;
    virtual void showProgress(int percent) = 0;
    virtual void hideProgressWindow() = 0;
    // The hourglass, and Play Online switched off, while the list is being made.
    virtual void setBusy(bool busy) = 0;
};

class SavedGamesList {
public:
    SavedGamesList(std::vector<SavedGame> &games, SavedGamesHost &host);
    ~SavedGamesList();

    // Refreshes the page copy when it is due, reads it into the list when the list is still
    // empty, and then runs `then`: at once, or once the download has ended. Whatever fails
    // is said, and `then` runs all the same: the game server may be up while its web site
    // is not. `updateWithoutAsking` is prfLoadSaved.
    void LoadSavedGamesList(bool updateWithoutAsking, std::function<void()> then);
    // The list is being made (the page may be on its way): a second request waits for it.
    bool isBusy() const { return busy_ != nullptr; }
    // The window closes: the download, and what was to follow it, are dropped.
    void abort();

    // The page copy the program reads: list.htm when there is one, else list.html.
    QString pageCopy() const;
    QString lineCopy() const;  // tmpsaved.txt, the page's lines

    // A line cut at "<", ">", "/", blanks and line ends into more than three pieces credits
    // its second piece with as many saved matches as there are pieces after the fourth.
    static std::optional<SavedGame> parseLine(const QString &line);

    QString pageUrl;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    DownloadURL download;

private:
    struct Busy;
    void downloaded(DownloadURL::Outcome outcome, const QString &why);
    void fileError(const QString &why);
    void readLineCopy();
    void finish();

    std::vector<SavedGame> &games_;
    SavedGamesHost &host_;
    std::unique_ptr<Busy> busy_;
    std::function<void()> then_;
};
