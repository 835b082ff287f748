#pragma once
// The invitation window: one player, his figures and the user's note on him, with the
// buttons that invite, join, watch or decline.
#include <QDialog>
#include <QList>
#include <QPointer>

class Mainform;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmInvite : public QDialog {
    Q_OBJECT
public:
    explicit frmInvite(Mainform &main);
    ~frmInvite() override;

    QLabel *lblInvite = nullptr;
    QComboBox *Combo1 = nullptr;
    QLabel *lblRating = nullptr, *lblExper = nullptr, *lblPlayed = nullptr, *lblScore = nullptr,
           *lblSaved = nullptr, *lblBot = nullptr;
    QLabel *Image1 = nullptr, *Image2 = nullptr, *Image3 = nullptr;  // saved-match marks: green, yellow, red
    QLineEdit *txtComment = nullptr;
    QCheckBox *chkSelfPlay = nullptr;
    QPushButton *cmdInvite = nullptr;
    QPushButton *cmdWatch = nullptr;

    void cmdInvite_Click();
    void cmdWatch_Click();
    // A press of a mouse button on a button: the right one swaps Invite and Auto Invite.
    void cmdInvite_MouseDown(Qt::MouseButton button);
    void cmdWatch_MouseDown();
    void Form_Unload();

    // Every invitation window that is open, whatever its caption says now.
    static QList<frmInvite *> openWindows();
    static void closeAll();
    static frmInvite *inviteForm();  // the newest one
    static void resetCascade();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void finishClick();

    Mainform &main_;
    bool isMouseDown_ = false;
    bool unloaded_ = false;
};
