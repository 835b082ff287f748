#pragma once
// The login window: user name and password for the server, the remembered credentials,
// and the handlers of the main connection's events. It stays loaded, hidden, while the
// program is online.
#include <QAbstractSocket>
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ServerConnection;
class SettingsStore;
struct Preferences;
struct StateFlags;

// What the login window needs of the main window: the settings, the state, the one
// connection, and the main window's looks and lines that follow the connection.
class LoginHost {
public:
    virtual ~LoginHost() = default;
    virtual Preferences &prefs() = 0;
    virtual StateFlags &flags() = 0;
    virtual SettingsStore &store() = 0;
    virtual ServerConnection &server() = 0;

    virtual void startConnectWatchdog() = 0;  // the main window's one-second timer
    virtual void hideStartPage() = 0;
    virtual void hideAd() = 0;
    virtual void showAccountWindow() = 0;
    virtual void loginCancelled() = 0;        // Connect/Disconnect/Exit reads "Exit"
    virtual void showOnlineLook() = 0;
    // A log being played back stops: nothing more of it is read once online.
    virtual void endPlayback() = 0;
    virtual void NeutralizeSettings() = 0;
    virtual void SplitFibString(const QString &text) = 0;
    // Everything the server sent is read first; `then` runs after the last line.
    virtual void afterTheLastLine(std::function<void()> then) = 0;
    virtual void SaveDropped() = 0;
    virtual void blankBoard() = 0;
    virtual void setStatus(const QString &text) = 0;
    virtual void blinkStatus() = 0;
};

class frmLogin : public QDialog {
    Q_OBJECT
public:
    // Loading reads the remembered credentials; the window opens over `parent`.
    frmLogin(LoginHost &host, QWidget *parent);

    // The password and user name: the remembered ones after loading, the boxes' texts
    // after Connect.
    QString thepassword;
    QString theusername;

    QPushButton *cmdGuest = nullptr;
    QPushButton *cmdCancel = nullptr;
    QCheckBox *Check1 = nullptr;
    QLineEdit *txtUsername = nullptr;
    QPushButton *cmdOK = nullptr;
    QLineEdit *txtPassword = nullptr;
    QLabel *lblLabels[2] = {nullptr, nullptr};

    void cmdOK_Click();
    void cmdGuest_Click();
    void cmdCancel_Click();

    // Saves the credentials, drops the connection and goes away (later, by the event loop).
    void Form_Unload();
    bool isUnloaded() const { return unloaded_; }

    // The main connection's events.
    void Winsock1_Connect();
    void Winsock1_DataArrival(const QString &text);
    void Winsock1_Close();
    void Winsock1_Error(QAbstractSocket::SocketError error, const QString &description);
    // The server prompted for the login again after the login line: the user is told, the
    // connection dropped, and this window is there for the next try.
    void loginRefused();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    void unloadByUser();

    LoginHost &host_;
    bool unloaded_ = false;
};
