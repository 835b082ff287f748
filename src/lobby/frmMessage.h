#pragma once
// The "Away Message" window: the user types why he is away, and Ok tells the server.
#include <QDialog>

class QComboBox;
class QPushButton;

// What the away window needs of the main window.
class AwayWindowHost {
public:
    virtual ~AwayWindowHost() = default;
    // Connected, as the user was told and as the socket is.
    virtual bool online() const = 0;
    virtual bool isAway() const = 0;
    // One command to the server; false when it could not go out.
    virtual bool send(const QString &command) = 0;
};

class frmMessage : public QDialog {
    Q_OBJECT
public:
    explicit frmMessage(AwayWindowHost &host, QWidget *parent = nullptr);

    QComboBox *Combo1 = nullptr;
    QPushButton *Command1 = nullptr;  // Ok
    QPushButton *Command2 = nullptr;  // Cancel

    void Command1_Click();
    void Command2_Click();

private:
    AwayWindowHost &host_;
};
