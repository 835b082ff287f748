// The main window's side of full screen: Options > "Full Screen On" gives the board the
// screen in frmHide and shrinks this window to a strip of menus and buttons; the board
// labels reach their full-screen twins through one helper.
#include "board/BoardShow.h"
#include "lobby/ChatInput.h"
#include "lobby/ChatPanes.h"
#include "mainform/Mainform.h"
#include "mainform/MainformFullScreenHost.h"
#include "play/FullScreenRules.h"
#include "play/frmHide.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTextEdit>
#include <QWindow>

void Mainform::wireFullScreen() {
    connect(mnuFull, &QAction::triggered, this, &Mainform::mnuFull_Click);
}

frmHide *Mainform::loadFullScreenWindow() {
    if (!frmHideWindow) {
        frmHideWindow = new frmHide(prefs, fullScreenHost);
        frmHideWindow->setWindowIcon(windowIcon());
        // A click on the full-screen board is a click on the main board.
        connect(frmHideWindow->boardShow, &BoardShow::mousePressed, boardShow, &BoardShow::mousePressed);
        frmHideWindow->Form_Load();
    }
    return frmHideWindow;
}

void Mainform::dropFullScreenWindow() {
    if (!frmHideWindow)
        return;
    board.setFullScreenBoard(nullptr);
    if (chatPanes)
        chatPanes->setKibitzMirror(nullptr);
    delete frmHideWindow.data();
}

void Mainform::mnuFull_Click() {
    setWindowState(Qt::WindowNoState);
    setFullScreen(!prefs.prfFullScreen);
}

void Mainform::setFullScreen(bool on) {
    if (on) {
        if (!prefs.prfFullScreen || !frmHideWindow || frmHideWindow->isHidden())
            showFullScreenOn();
        return;
    }
    if (!prefs.prfFullScreen)
        return;
    if (frmHideWindow) {
        frmHideWindow->hide();
        board.setFullScreenBoard(nullptr);
        chatPanes->setKibitzMirror(nullptr);
    }
    showFullScreenOff();
}

void Mainform::showFullScreenOn() {
    setWindowState(Qt::WindowNoState);
    if (!prefs.prfFullScreen) {
        // The size the user gave the window is the one it comes back with.
        prefs.prfRegSizex = width();
        prefs.prfRegSizey = height();
    }
    frmHide *fullScreen = loadFullScreenWindow();
    board.setFullScreenBoard(fullScreen->boardShow);
    fullScreen->boardShow->showBoard(board.shownBoard(), QRect(QPoint(0, 0), board.size()));
    chatPanes->setKibitzMirror(fullScreen->txtKibitzoutput);
    fullScreen->showOn(screen());
    prefs.prfFullScreen = true;
    mnuFull->setText(QStringLiteral("Full Screen Off"));

    // The strip comes and goes with the pointer; it never takes the keyboard from the
    // full-screen window's kibitz box as it comes.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    // So short a window shows the buttons alone, never the panel under the board behind them.
    Picture1->setAutoFillBackground(true);
    Picture1->raise();
    placeStrip(*fullScreen);
    raise();
}

QRect Mainform::availableArea() const {
    const QScreen *own = screen() ? screen() : QGuiApplication::primaryScreen();
    return own ? own->availableGeometry() : QRect(0, 0, 1280, 860);
}

// The frame a window manager puts round the window takes room too. There is none until the
// window is framed; it is fitted again then (moveEvent).
QSize Mainform::fitted(QSize wanted) const {
    const QSize frame = frameGeometry().size() - size();
    return wanted.boundedTo(availableArea().size() - frame);
}

void Mainform::placeStrip(const frmHide &fullScreen) {
    belongTo(&fullScreen);
    // Room for a window manager's border between the strip and the panels.
    constexpr int kPanelGap = 4;
    QList<QRect> panels;
    for (const QRect &panel : fullScreen.panelAreas())
        panels << panel.adjusted(-kPanelGap, -kPanelGap, kPanelGap, kPanelGap);
    const QRect available = availableArea();
    const QSize frame = frameGeometry().size() - size();  // none until a window manager framed it
    // The buttons take one row or two at the width the strip gets; its height follows.
    const int wanted = qMax(toolbarWidth(), menuBar()->sizeHint().width());
    const int width = FullScreenRules::stripWidth(wanted + frame.width(), available, panels) - frame.width();
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    const QSize strip = QSize(width, menuHeight + layOutToolbar(width)).boundedTo(available.size() - frame);
    resize(strip);
    QList<QRect> screens;
    for (const QScreen *s : QGuiApplication::screens())
        screens << s->availableGeometry();
    move(FullScreenRules::stripPlace({prefs.prfFullScreenX, prefs.prfFullScreenY}, strip + frame, screens, available,
                                     panels));
}

// A window manager keeps a full-screen window over every other window but its own dialogs:
// as one of those the strip comes to the front whenever it shows. It becomes one before it
// shows again, since a window manager places a window among the others as it shows it.
void Mainform::belongTo(const frmHide *fullScreen) {
    const Qt::WindowType type = fullScreen ? Qt::Dialog : Qt::Window;
    const bool showAgain = windowType() != type && isVisible();
    if (windowType() != type)
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | type);
    if (fullScreen) {
        (void)winId();
        windowHandle()->setTransientParent(fullScreen->windowHandle());
    } else if (windowHandle()) {
        windowHandle()->setTransientParent(nullptr);
    }
    if (showAgain)
        show();
}

void Mainform::showFullScreenOff() {
    prefs.prfFullScreen = false;
    mnuFull->setText(QStringLiteral("Full Screen On"));
    prefs.prfFullScreenX = x();
    prefs.prfFullScreenY = y();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    belongTo(nullptr);
    resize(fitted(QSize(prefs.prfRegSizex, prefs.prfRegSizey)));
    move(0, 0);
    if (!flags.isExitClicked && isHidden())
        show();
    raise();
    activateWindow();
}

// Minimizing the strip takes the full-screen board with it; restoring brings it back.
void Mainform::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !prefs.prfFullScreen || !frmHideWindow)
        return;
    if (isMinimized()) {
        frmHideWindow->hide();
    } else if (frmHideWindow->isHidden()) {
        frmHideWindow->showOn(screen());
        raise();
    }
}

// --- the twins of the board labels ---------------------------------------------------

QLabel *Mainform::fullScreenTwin(const QLabel *label) const {
    const frmHide *w = frmHideWindow;
    if (!w)
        return nullptr;
    const std::pair<const QLabel *, QLabel *> twins[] = {
        {lblPlayer1, w->lblPlayer1}, {lblPlayer2, w->lblPlayer2}, {lblpipb, w->lblpip1}, {lblpipw, w->lblpip2},
        {lblStatus, w->lblStatus},   {lblMatch, w->lblMatch},     {lblScore1, w->lblScore1}, {lblScore2, w->lblScore2}};
    for (const auto &[own, twin] : twins)
        if (own == label)
            return twin;
    return nullptr;
}

void Mainform::label_Change(const QLabel *label) {
    if (QLabel *twin = fullScreenTwin(label))
        twin->setText(label->text());
}

void Mainform::setCaption(QLabel *label, const QString &text) {
    label->setText(text);
    label_Change(label);
}

// --- MainformFullScreenHost --------------------------------------------------------------

void MainformFullScreenHost::showStrip(bool shown) {
    if (w_.isVisible() == shown)
        return;
    w_.setVisible(shown);
    if (shown)
        w_.raise();
}

void MainformFullScreenHost::copyCaptions() {
    for (const QLabel *label : {w_.lblPlayer1, w_.lblPlayer2, w_.lblpipb, w_.lblpipw, w_.lblStatus, w_.lblMatch,
                                w_.lblScore1, w_.lblScore2})
        w_.label_Change(label);
}

void MainformFullScreenHost::copyKibitzPane() {
    if (!w_.frmHideWindow)
        return;
    QTextEdit *twin = w_.frmHideWindow->txtKibitzoutput;
    twin->setFont(w_.txtKibitzoutput->font());
    twin->setPalette(w_.txtKibitzoutput->palette());
    twin->setPlainText(w_.txtKibitzoutput->toPlainText());
    twin->moveCursor(QTextCursor::End);
}

bool MainformFullScreenHost::connected() const {
    return w_.server.isConnected();
}

void MainformFullScreenHost::sendKibitz(const QString &text) {
    w_.server.send(ChatInput::kibitzCommand(text, false));
}

void MainformFullScreenHost::fullScreenClosed() {
    // At exit every window closes; the mode is kept for the next start.
    if (w_.flags.isExitClicked)
        return;
    w_.setFullScreen(false);
}

void MainformFullScreenHost::escapePressed() {
    w_.Form_KeyPress(27);
}
