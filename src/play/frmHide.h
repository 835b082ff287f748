#pragma once
// The full-screen board: the board centred on a background picture with the status line
// under it, the score panel top right, the kibitz panel bottom left and the background list
// bottom right. The pointer over the board clears the screen of everything else; the bottom
// tenth of the screen brings it all back.
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QWidget>

class BoardShow;
class FullScreenHost;
class QLabel;
class QLineEdit;
class QListWidget;
class QScreen;
class QTextEdit;
struct Preferences;

class frmHide : public QWidget {
    Q_OBJECT
public:
    frmHide(Preferences &prefs, FullScreenHost &host);

    // Lists the backgrounds and shows the one the settings name (prfBackground).
    void Form_Load();
    // Covers `screen`, or the screen it is on.
    void showOn(QScreen *screen);
    // Where the score, kibitz and background panels stand on the screen, shown or not:
    // the main window's strip keeps clear of them.
    QList<QRect> panelAreas() const;

    void BoardShow_MouseMove();
    void Form_MouseMove(int y);
    void File1_Click();
    void txtkibitz_KeyPress();

    // The background file shown; empty when none.
    QString backgroundFile() const { return backgroundFile_; }

    BoardShow *boardShow = nullptr;  // BoardShow: the same picture as the main board
    QLabel *lblStatus = nullptr;
    QWidget *picContainerScore = nullptr;
    QLabel *lblPlayer1 = nullptr, *lblPlayer2 = nullptr, *lblScore1 = nullptr, *lblScore2 = nullptr,
           *lblMatch = nullptr, *lblpip1 = nullptr, *lblpip2 = nullptr;
    QWidget *picContainer = nullptr;
    QTextEdit *txtKibitzoutput = nullptr;
    QLineEdit *txtkibitz = nullptr;
    QListWidget *File1 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    bool setBackground(const QString &file);
    void scaleBackground();
    void showPanels(bool shown);

    Preferences &prefs_;
    FullScreenHost &host_;
    QString folder_;
    QString backgroundFile_;
    QPixmap background_;  // as read
    QPixmap scaled_;      // as painted: covering the window
};
