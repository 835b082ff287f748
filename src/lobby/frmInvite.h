#pragma once
// The invitation window: one player, his figures and the user's note on him, with the
// buttons that invite, join, watch or decline.
#include <QDialog>
#include <QList>
#include <QPointer>

class PlayerStats;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct MatchState;
struct Preferences;
struct SharedLists;
struct StateFlags;

// What an invitation window needs of the main window.
class InviteHost {
public:
    virtual ~InviteHost() = default;
    virtual Preferences &prefs() = 0;
    virtual StateFlags &flags() = 0;
    virtual MatchState &match() = 0;
    virtual SharedLists &lists() = 0;
    virtual PlayerStats &playerStats() = 0;
    // Connected, as the user was told and as the socket is.
    virtual bool online() const = 0;
    // One command to the server; false when it could not go out.
    virtual bool send(const QString &command) = 0;

    virtual void HideBlueScreen() = 0;
    virtual void setReadyPicture(bool ready) = 0;
    virtual void setStatus(const QString &text) = 0;
    // A line given to the dispatcher as if the server had sent it.
    virtual void SplitFibString(const QString &text) = 0;
    virtual void newGnubgGame() = 0;
    virtual void LoadDropped(const QString &name) = 0;
};

class frmInvite : public QDialog {
    Q_OBJECT
public:
    // The window opens over `parent`, topmost.
    frmInvite(InviteHost &host, QWidget *parent);
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

    InviteHost &host_;
    bool isMouseDown_ = false;
    bool unloaded_ = false;
};
