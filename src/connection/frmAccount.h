#pragma once
// The new-account window: registers a name and password on the server over a connection
// of its own, logged in as the server's guest, then hands over to the login window.
#include "connection/AccountDialogue.h"
#include "connection/ServerConnection.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class SettingsStore;
struct Preferences;

// What the new-account window needs of the main window.
class AccountHost {
public:
    virtual ~AccountHost() = default;
    virtual Preferences &prefs() = 0;
    virtual SettingsStore &store() = 0;
    virtual void showLoginWindow() = 0;  // loaded afresh when there is none
    virtual void setStatus(const QString &text) = 0;  // the main window's status line
};

class frmAccount : public QDialog {
    Q_OBJECT
public:
    frmAccount(AccountHost &host, QWidget *parent);

    QTimer *Timer2 = nullptr;          // blinks the status line
    QPlainTextEdit *Text1 = nullptr;   // what the server sent since the dialogue last looked, as of its last look
    QLineEdit *txtPassword = nullptr;
    QLineEdit *txtUsername = nullptr;
    QTimer *Timer1 = nullptr;          // one dialogue step per tick
    QPushButton *cmdCreate = nullptr;
    QPushButton *cmdExit = nullptr;
    QLabel *lblStatus = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    ServerConnection Winsock1;

    void cmdCreate_Click();
    void cmdExit_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    const AccountDialogue &dialogue() const { return dialogue_; }

    // Closes the window for good.
    void unload();
    bool isUnloaded() const { return unloaded_; }

protected:
    // Every showing starts afresh: a window kept from an earlier registration must not
    // carry its step, its text or its boxes into the next one.
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_Load();
    void Winsock1_Connect();
    void Winsock1_DataArrival(const QString &text);
    void Winsock1_Error(QAbstractSocket::SocketError error, const QString &description);
    void updateCreateButton();
    void SaveAccountSettings();
    void setStatusColour(const QColor &colour);
    void setReceived(const QString &text);

    // What the server sent since the dialogue last cleared it, no more than a server line's
    // limit of its latest text: the words the dialogue waits for come last.
    QString received_;

    AccountHost &host_;
    AccountDialogue dialogue_;
    bool unloaded_ = false;
};
