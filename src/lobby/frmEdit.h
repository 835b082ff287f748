#pragma once
// The editor of the user's friends ("Friends.dat") or the viewer of his statistics
// ("Stats.dat"): a list of names, the figures of the one chosen, and a menu to add or
// remove a friend or send him a message.
#include "lobby/PlayerStats.h"
#include "lobby/mnuClick.h"

#include <QDialog>
#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

// What the editor needs of the main window.
class FriendsEditorHost {
public:
    virtual ~FriendsEditorHost() = default;
    virtual const std::vector<StatsRecord> &statsRecords() const = 0;
    // Connected, as the user was told and as the socket is.
    virtual bool online() const = 0;
    // One command to the server; false when it could not go out.
    virtual bool send(const QString &command) = 0;
    // The menu entries that open an editor: off while one is open.
    virtual void setEditorEntriesEnabled(bool enabled) = 0;
    // friends.dat was changed here: the main window's friends follow it.
    virtual void friendsChanged() = 0;
    virtual mnuClick *mnuObject() = 0;
};

class frmEdit : public QDialog, public PopupMenuHost {
    Q_OBJECT
public:
    enum class Mode { Friends, Stats };
    // Only one editor is open at a time: the menu entries that open one wait until it closes.
    frmEdit(FriendsEditorHost &host, Mode mode, QWidget *parent = nullptr);

    QListWidget *List1 = nullptr;
    QLineEdit *txtGames = nullptr, *txtWon = nullptr, *txtRatio = nullptr;
    QPushButton *cmdClose = nullptr;
    QMenu *mnupopup = nullptr;
    QAction *mnuAdd = nullptr, *mnuRemove = nullptr, *mnuSend = nullptr;

    Mode mode() const { return mode_; }
    void List1_Click();
    void mnuAdd_Click();
    void mnuRemove_Click();
    void mnuSend_Click();
    // The menu for the name just chosen.
    void popAMenu() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void LoadFriends();
    void LoadStatsList();
    QString friendsPath() const;
    QString chosenName() const;
    // friends.dat has changed: the editor's list and the main window's friends follow it.
    void friendsChanged();
    // On a name every entry of the mode; elsewhere in the list only "Add".
    void showMenu(bool onName);

    FriendsEditorHost &host_;
    Mode mode_;
    bool unloaded_ = false;
};
