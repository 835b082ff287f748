#pragma once
// The "Away Message" window: the user types why he is away, and Ok tells the server.
#include <QDialog>

class Mainform;
class QComboBox;
class QPushButton;

class frmMessage : public QDialog {
    Q_OBJECT
public:
    explicit frmMessage(Mainform &main);

    QComboBox *Combo1 = nullptr;
    QPushButton *Command1 = nullptr;  // Ok
    QPushButton *Command2 = nullptr;  // Cancel

    void Command1_Click();
    void Command2_Click();

private:
    Mainform &main_;
};
