#pragma once
// The login window: user name and password for the server, the remembered credentials,
// and the handlers of the main connection's events. It stays loaded, hidden, while the
// program is online.
#include <QAbstractSocket>
#include <QDialog>
#include <QString>

class Mainform;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public QDialog {
    Q_OBJECT
public:
    // Loading reads the remembered credentials.
    explicit frmLogin(Mainform &main);

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

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    void switchMainToOnlineLook();
    void unloadByUser();

    Mainform &main_;
    bool unloaded_ = false;
};
