// The main window's side of the board: loading a style and laying the window out round
// it, reading the style's coordinates, and what the board drawing needs of the window.
#include "app/Dialogs.h"
#include "app/Program.h"
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "board/BoardShow.h"
#include "mainform/Mainform.h"

#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <exception>

namespace {
// Narrower than this and the player lists stop being readable.
constexpr int kMinListWidth = 300;
// The panel under the board takes this share of the window's height as it is resized.
constexpr double kPanelShare = 0.3;
}  // namespace

void Mainform::wireBoard() {
    board.setBoardShow(boardShow);
    board.hooks.playSound = [this](const QString &name) { PlayWav(name, false, prefs); };
    board.hooks.sleep = [](int milliseconds) { PlainSleep(milliseconds); };
    board.hooks.scoreCaption = [this] { return lblScore1->text(); };
    board.hooks.matchCaption = [this] { return lblMatch->text(); };
    board.hooks.doublingNoLongerMatters = [this] { actions.doublingNoLongerMatters(); };
    board.hooks.panelShown = [this] { return !Picture2->isHidden(); };
    board.hooks.showPanel = [this] { Picture2->show(); };

    tbarcube1.load(Program::path(QStringLiteral("pics/tbarcube1.bmp")));
    tbarcube2.load(Program::path(QStringLiteral("pics/tbarcube2.bmp")));
    cmdDouble2->setIcon(tbarcube1);
}

void Mainform::SetNewBoardStyle(QString &style) {
    try {
        setWindowState(Qt::WindowNoState);
        boardStyle.SetNewBoardStyle(style, prefs.prfBoardStyle, store, screenWidth());
        layOutRoundBoard();
    } catch (const std::exception &error) {
        Dialogs::message(QStringLiteral("Error SetNewBoardStyle ") + QString::fromLocal8Bit(error.what()));
    }
}

void Mainform::ReadFromDisk(const QString &file) {
    boardGeometry.ReadFromDisk(boardStyle.folder(), file, SpriteSizes::of(boardStyle.pictures()));
}

void Mainform::layOutRoundBoard() {
    // The first layout fits the window size the user left, which was made for this board;
    // a later one keeps the player lists as wide as they are and lets the window follow the board.
    const bool first = board.shownBoard().isNull();
    const int oldBoardWidth = boardShow->width();
    board.setEmptyBoard(boardStyle.pictures().thepicture);
    const QSize boardSize = board.size();
    boardShow->setFixedSize(boardSize);

    Form_Resize();  // gives the toolbar its height
    const int listWidth = qMax(kMinListWidth, width() - (first ? boardSize.width() : oldBoardWidth));
    // The panel under the board keeps its share of the height, so it sits right under the board.
    const int innerHeight = SettingsText::roundEven((Picture1->height() + boardSize.height()) / (1 - kPanelShare));
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    resize(listWidth + boardSize.width(), innerHeight + menuHeight);
    prefs.prfRegSizex = width();
    prefs.prfRegSizey = height();

    Picture2->hide();
    slackButton = SettingsText::roundEven(boardSize.width() - cmdExit->width() - cmdUndo->width() * 14.0);
    if (const QImage &tray = boardStyle.pictures().picTray; !tray.isNull()) {
        QPalette palette = Picture2->palette();
        palette.setBrush(QPalette::Window, QPixmap::fromImage(tray));
        Picture2->setPalette(palette);
        Picture2->setAutoFillBackground(true);
    }
    Form_Resize();
    board.HideBlueScreen();
    setWindowTitle(QStringLiteral("Korvex       ") +
                   QLocale::c().toString(QDate::currentDate(), QStringLiteral("dddd, MMM d yyyy")));
}
