#pragma once
// The preferences window: every setting the user may change, on five tabs. It keeps no
// settings of its own: opening it copies the preferences into its controls, Save copies them
// back (all of them, or none when a typed value is refused) and applies what shows at once.
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/Preferences.h"

class PreferencesHost;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

class frmPreferences : public QWidget {
    Q_OBJECT
public:
    frmPreferences(Preferences &prefs, PreferencesHost &host, QWidget *parent = nullptr);

    void cmdOK_Click();
    void cmdCancel_Click();
    void HScroll1_Change(int position);
    void comboBoards_Click();
    void cmdChangeBk_Click() { changeBack(kLists); }
    void cmdChangeFont2_Click() { changeFont(kPanes); }
    void cmdChangeBk2_Click() { changeBack(kPanes); }
    void cmdGag_Click();
    void cmdKibitz_Click();
    void Command1_Click();
    void cmdUpdate_Click();

    // What a pick in a luck-talk list plays; tests listen instead.
    std::function<void(const QString &path)> playPreview;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The look of one player list or pane, edited on the fonts tab: a sample line in a box.
    struct Preview {
        QRadioButton *option;
        QFrame *box;
        QLabel *label;
        QString Preferences::*font;
        double Preferences::*size;
        qint64 Preferences::*color;
        qint64 Preferences::*back;
    };
    static constexpr int kLists = 0, kPanes = 1;

    QWidget *buildFibsTab();
    QWidget *buildBoardTab();
    QWidget *buildSoundsTab();
    QWidget *buildGnubgTab();
    QWidget *buildFontsTab();
    QWidget *buildPreviewGroup(int group, const char *frame, const QString &caption, const char *fontButton,
                               const char *backButton);
    QCheckBox *check(QWidget *parent, const char *name, const QString &caption, bool Preferences::*setting);
    QComboBox *pickList(QWidget *parent, const char *name);

    void Form_Load();
    void Form_Activate();
    void cancelEdits();
    void storeControls();
    void showBoardPicture(const QString &style, bool sayWhenMissing);
    void changeFont(int group);
    void changeBack(int group);
    Preview *chosenPreview(int group);
    void showPreview(int group, const Preview *shown);
    void editListFile(const QString &name, bool sayWhenMissing);

    Preferences &prefs_;
    PreferencesHost &host_;
    std::vector<std::pair<QCheckBox *, bool Preferences::*>> checks_;
    std::array<std::vector<Preview>, 2> previews_;
    std::array<QComboBox *, 8> luckLists_{};
    bool gagEdited_ = false;  // Save rereads the gag list from then on
    int openedAnimDelay_ = 0;

    QTabWidget *SSTab1 = nullptr;
    QLineEdit *prfHost = nullptr, *prfPort = nullptr;
    QPushButton *cmdKibitz = nullptr, *cmdGag = nullptr, *Command1 = nullptr;
    QComboBox *comboBoards = nullptr;
    QLabel *Image1 = nullptr;
    QSlider *hScroll1 = nullptr;
    QLineEdit *prfAnimDelay = nullptr, *prfDelay = nullptr;
    QPushButton *cmdUpdate = nullptr;
    QWidget *Picture1 = nullptr;  // the board-data boxes
    QLabel *Label38 = nullptr;
    std::array<QLineEdit *, 8> boardData_{};
    QComboBox *Combo1 = nullptr, *Combo2 = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr;
};
