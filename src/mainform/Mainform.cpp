#include "mainform/Mainform.h"

#include "app/DailyPage.h"
#include "app/Dialogs.h"
#include "app/frmExit.h"
#include "app/MousePointer.h"
#include "app/Program.h"
#include "app/SettingsText.h"
#include "board/BoardShow.h"
#include "connection/LineFilter.h"
#include "connection/ServerLineDispatcher.h"
#include "lobby/ChatPanes.h"
#include "lobby/PlayerList.h"
#include "lobby/TalkingWavs.h"
#include "mainform/MainformLineHost.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>

namespace {

constexpr int kStripHeight = 34;
constexpr int kListHeight = 260;
constexpr int kOptionRowHeight = 24;
constexpr int kFrameHeight = 56;
constexpr int kKibitzInputHeight = 26;

void applyFontAndColours(QWidget *w, const QString &font, double size, qint64 text, qint64 back) {
    QFont f(font);
    if (size > 0)
        f.setPointSizeF(size);
    w->setFont(f);
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, SettingsText::colorFromStored(back));
    palette.setColor(QPalette::Window, SettingsText::colorFromStored(back));
    palette.setColor(QPalette::Text, SettingsText::colorFromStored(text));
    w->setPalette(palette);
}

QTextEdit *makePane(QWidget *parent, const char *name) {
    auto *pane = new QTextEdit(parent);
    pane->setObjectName(QLatin1String(name));
    pane->setReadOnly(true);
    pane->setAcceptRichText(false);
    return pane;
}

}  // namespace

Mainform::Mainform(QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Mainform"));
    setWindowTitle(QStringLiteral("Korvex"));
    Dialogs::setParent(this);
    // Form_Initialize: every setting is read when the window is created.
    LoadPreferences(prefs, store, screenWidth());
    buildMenus();
    buildControls();
    wireBoard();
    wireGame();
    buildServerControls();
    buildLineReaders();
    buildLobbyActions();
    wirePlay();
    wireOffline();
}

Mainform::~Mainform() {
    Dialogs::setParent(nullptr);
}

int Mainform::screenWidth() const {
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

void Mainform::buildMenus() {
    auto add = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    add(mnuFile, "mnuLoadJFPos", QStringLiteral("Load JF Pos"));
    add(mnuFile, "mnuSaveJF", QStringLiteral("Save As JF pos"));
    add(mnuFile, "mnuLog2mat", QStringLiteral("Convert Log to JF .mat"));
    add(mnuFile, "mnuViewSaved", QStringLiteral("Play Back a Saved Match"));
    mnuFile->addSeparator();
    connect(add(mnuFile, "mnuExit", QStringLiteral("E&xit")), &QAction::triggered, this, &Mainform::mnuExit_Click);

    mnuGame = menuBar()->addMenu(QStringLiteral("&Game"));
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    mnuConnect = add(mnuGame, "mnuConnect", QStringLiteral("Play Online"));
    mnudisconnect = add(mnuGame, "mnudisconnect", QStringLiteral("Disconnect"));
    mnuNew = add(mnuGame, "mnuNew", QStringLiteral("Play offline against the computer"));
    mnuGame->addSeparator();
    add(mnuGame, "mnuRoll", QStringLiteral("Roll"));
    mnuAccept = add(mnuGame, "mnuAccept", QStringLiteral("Accept"));
    mnuReject = add(mnuGame, "mnuReject", QStringLiteral("Reject"));
    add(mnuGame, "mnuResign", QStringLiteral("Resign"));
    add(mnuGame, "mnuUndo", QStringLiteral("Undo"));
    add(mnuGame, "mnuRefresh", QStringLiteral("Refresh Board"));
    add(mnuGame, "mnuLeave", QStringLiteral("Leave"));
    add(mnuGame, "mnuGreedy", QStringLiteral("Toggle Greedy"));
    add(mnuGame, "mnutoggledouble", QStringLiteral("Toggle Double"));
    mnuGame->addSeparator();
    add(mnuGame, "mnuSaved", QStringLiteral("Show Saved"));
    add(mnuGame, "mnuWatchers", QStringLiteral("Show Watchers"));
    add(mnuGame, "mnuStopWatch", QStringLiteral("Stop Watching"));
    add(mnuGame, "mnuSetBoardstyle", QStringLiteral("Set Boardstyle 3"));
    add(mnuGame, "mnuToggleMoreboards", QStringLiteral("Toggle MoreBoards"));
    add(mnuGame, "mnuNotify", QStringLiteral("Toggle Notify"));
    add(mnuGame, "mnuReport", QStringLiteral("Toggle Report"));

    mnupopup = menuBar()->addMenu(QStringLiteral("Player List"));
    mnupopup->setObjectName(QStringLiteral("mnupopup"));
    add(mnupopup, "mnuInvite", QStringLiteral("Invite"));
    add(mnupopup, "mnuJoin", QStringLiteral("Join"));
    add(mnupopup, "mnuLook", QStringLiteral("Look"));
    add(mnupopup, "mnuWatch", QStringLiteral("Watch"));
    add(mnupopup, "mnuWhois", QStringLiteral("Whois"));
    add(mnupopup, "mnuChat", QStringLiteral("Chat"));
    add(mnupopup, "mnuListAddBuddy", QStringLiteral("Friends (Add/Remove)"));
    add(mnupopup, "mnuIgnore", QStringLiteral("Ignore "));
    QMenu *repbot = mnupopup->addMenu(QStringLiteral("RepBot"));
    repbot->setObjectName(QStringLiteral("mnuRepbot"));
    add(repbot, "mnuRepbotList", QStringLiteral("List RepBot"));
    add(repbot, "mnuRepBotAsk", QStringLiteral("Ask RepBot"));
    add(repbot, "mnuRepbotVouch", QStringLiteral("Vouch for.."));
    add(repbot, "mnuRepbotComplain", QStringLiteral("Complain.."));
    add(repbot, "mnuRepbotWithdraw", QStringLiteral("Withdraw..."));
    QMenu *sort = mnupopup->addMenu(QStringLiteral("Sort"));
    sort->setObjectName(QStringLiteral("mnuSort"));
    add(sort, "mnuSortRating", QStringLiteral("Sort Rating"));
    add(sort, "mnusortName", QStringLiteral("Sort Name"));
    add(mnupopup, "mnuListRefresh", QStringLiteral("Refresh"));

    mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    add(mnuOptions, "mnuPreference", QStringLiteral("Preferences"));
    mnuFull = add(mnuOptions, "mnuFull", QStringLiteral("Full Screen On"));
    add(mnuOptions, "mnuEditFriends", QStringLiteral("Edit Friends"));
    add(mnuOptions, "mnuEditStats", QStringLiteral("View Stats"));
    add(mnuOptions, "mnuReady", QStringLiteral("Toggle Ready"));
    add(mnuOptions, "mnuAway", QStringLiteral("Toggle Away"));

    mnuSoundS = menuBar()->addMenu(QStringLiteral("Sounds"));
    mnuSoundS->setObjectName(QStringLiteral("mnuSoundS"));

    mnuOther = menuBar()->addMenu(QStringLiteral("More Games"));
    mnuOther->setObjectName(QStringLiteral("mnuOther"));
    add(mnuOther, "mnuLanternhall", QStringLiteral("Online Backgammon for money"));
    add(mnuOther, "mnuPoker", QStringLiteral("Online Poker for money"));
    add(mnuOther, "mnuGin", QStringLiteral("Gin Rummy"));
    add(mnuOther, "mnuBlackjack", QStringLiteral("Free Blackjack Video Poker Slots "));

    mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    add(mnuHelp, "mnuNotes", QStringLiteral("Contents"));
    add(mnuHelp, "mnuChecUpdate", QStringLiteral("Check for Updates"));
    add(mnuHelp, "mnuAbout", QStringLiteral("About Korvex"));
}

void Mainform::buildControls() {
    auto *central = new QWidget(this);
    setCentralWidget(central);

    Picture1 = new QWidget(central);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, Picture1);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    cmdExit = button("cmdExit", QStringLiteral("Connect"));
    cmdToggleReady = button("cmdToggleReady", QStringLiteral("Ready"));
    cmdDouble2 = button("cmdDouble2", QStringLiteral("Cube"));
    cmdAccept = button("cmdAccept", QStringLiteral("Accept"));
    cmdReject = button("cmdReject", QStringLiteral("Reject"));
    cmdUndo = button("cmdUndo", QStringLiteral("Undo"));
    cmdRefresh = button("cmdRefresh", QStringLiteral("Refresh"));
    cmdPickUp = button("cmdPickUp", QStringLiteral("Pick Up"));
    cmdDouble = button("cmdDouble", QStringLiteral("Hint"));
    cmdUndo->setToolTip(QStringLiteral("Undo the move"));
    auto label = [this](const char *name) {
        auto *l = new QLabel(Picture1);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    lblPlayer1 = label("lblPlayer1");
    lblPlayer2 = label("lblPlayer2");
    lblScore1 = label("lblScore1");
    lblScore2 = label("lblScore2");
    lblMatch = label("lblMatch");
    lblpipb = label("lblpipb");
    lblpipw = label("lblpipw");
    lblwinsB = label("lblwinsB");
    lblwinsW = label("lblwinsW");
    lblwinsB->hide();
    lblwinsW->hide();

    boardShow = new BoardShow(central);
    boardShow->setObjectName(QStringLiteral("BoardShow"));
    boardShow->setFixedSize(boardShow->sizeHint());

    picList = new QWidget(central);
    picList->setObjectName(QStringLiteral("picList"));
    picList->installEventFilter(this);
    auto option = [](QWidget *parent, const char *name, const QString &caption) {
        auto *o = new QRadioButton(caption, parent);
        o->setObjectName(QLatin1String(name));
        return o;
    };
    opAll = option(picList, "opAll", QStringLiteral("All"));
    opReady = option(picList, "opReady", QStringLiteral("Ready"));
    opFriends = option(picList, "opFriends", QStringLiteral("Friends"));
    opAll->setChecked(true);
    for (QListWidget **list : {&List1, &List2, &List3, &List4}) {
        *list = new QListWidget(picList);
        (*list)->setUniformItemSizes(true);
    }
    List1->setObjectName(QStringLiteral("List1"));
    List2->setObjectName(QStringLiteral("List2"));
    List3->setObjectName(QStringLiteral("List3"));
    List4->setObjectName(QStringLiteral("List4"));
    List2->hide();
    List3->hide();
    List4->hide();
    WebBrowser1 = new QTextBrowser(picList);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setOpenExternalLinks(true);
    picAd = new QLabel(picList);
    picAd->setObjectName(QStringLiteral("picAd"));
    picAd->setFixedSize(120, 40);
    txtShouts = makePane(picList, "txtShouts");
    txtTerminal = makePane(picList, "txtTerminal");
    txtShouts->hide();
    Frame1 = new QFrame(picList);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    opShouts = option(Frame1, "opShouts", QStringLiteral("Shouts"));
    opTerminal = option(Frame1, "opTerminal", QStringLiteral("Server"));
    opTerminal->setChecked(true);
    ckAutoScroll = new QCheckBox(QStringLiteral("Disable Auto Scroll"), Frame1);
    ckAutoScroll->setObjectName(QStringLiteral("ckAutoScroll"));
    txtType = new QLineEdit(Frame1);
    txtType->setObjectName(QStringLiteral("txtType"));
    cmdShoutsSend = new QPushButton(QStringLiteral(">>"), Frame1);
    cmdShoutsSend->setObjectName(QStringLiteral("cmdShoutsSend"));

    Picture2 = new QWidget(central);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->installEventFilter(this);
    txtKibitzoutput = makePane(Picture2, "txtKibitzoutput");
    picKibitz = new QWidget(Picture2);
    picKibitz->setObjectName(QStringLiteral("picKibitz"));
    txtkibitz = new QLineEdit(picKibitz);
    txtkibitz->setObjectName(QStringLiteral("txtkibitz"));
    opKibitz = option(picKibitz, "opKibitz", QStringLiteral("Kibitz"));
    opWhisper = option(picKibitz, "opWhisper", QStringLiteral("Whisper"));
    opKibitz->setChecked(true);
    lblStatus = new QLabel(Picture2);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1200);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    const int width = prefs.prfRegSizex > 0 ? prefs.prfRegSizex : 1280;
    const int height = prefs.prfRegSizey > 0 ? prefs.prfRegSizey : 860;
    resize(width, height);
}

WindowPlacement Mainform::placement() const {
    WindowPlacement w;
    w.normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    w.visible = isVisible();
    w.left = x();
    w.top = y();
    w.width = width();
    w.height = height();
    return w;
}

bool Mainform::Form_Load() {
    try {
        if (!QDir::setCurrent(Program::folder()))
            throw LoadFailure{true, QStringLiteral("Path not found: ") + Program::folder()};
        flags.isDebugging = false;
        SetNewBoardStyle(prefs.prfBoardStyle);
        lists.matchLog.clear();
        lists.watchLog.clear();
        lists.autoInviteList.clear();
        lists.savedGames.clear();
        flags.endList = true;
        match.AskToDouble = true;
        flags.initOutput = true;
        playerStats.LoadStatsFile(Program::path(QStringLiteral("stats.dat")));
        mnuObject = std::make_unique<mnuClick>();
        ReadFromDisk(QStringLiteral("data.txt"));
        if (!prefs.isAnimInit)
            checkerAnimation.InitAnimDelay(prefs);
        LoadTalkingWavsMenu();
        gagList.LoadGagList(Program::path(QStringLiteral("gaglist.txt")));
        applyListAndPaneStyles();
        ShowDailyPage();
        NeutralizeSettings();
        raise();
        // Full screen comes with the full-screen board window.
    } catch (const std::exception &error) {
        return failLoad({false, QString::fromLocal8Bit(error.what())});
    } catch (const LoadFailure &failure) {
        return failLoad(failure);
    }
    return true;
}

bool Mainform::failLoad(const LoadFailure &failure) {
    {
        const QString text = failure.fileNotFound
                                 ? QStringLiteral(" Oops: Could not find some required files\r\n") + failure.description
                                 : QStringLiteral("There was an error loading settings.\r\n") + failure.description;
        Dialogs::message(text);
        unloaded_ = true;  // nothing is saved on this road
    }
    return false;
}

void Mainform::LoadTalkingWavsMenu() {
    // A missing folder simply leaves the menu with its placeholder entry.
    const QStringList files = TalkingWavs::menuEntries(Program::path(QStringLiteral("talking wavs")));
    mnuSoundS->clear();
    mnuSoundSelect.clear();
    if (files.isEmpty()) {
        QAction *placeholder = mnuSoundS->addAction(TalkingWavs::emptyCaption);
        placeholder->setObjectName(QStringLiteral("mnuSoundSelect0"));
        mnuSoundSelect << placeholder;
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        QAction *entry = mnuSoundS->addAction(files.at(i));
        entry->setObjectName(QStringLiteral("mnuSoundSelect%1").arg(i));
        mnuSoundSelect << entry;
    }
}

void Mainform::applyListAndPaneStyles() {
    applyFontAndColours(List1, prefs.prfFontListAll, prefs.prfFontListAllsize, prefs.prfColorListAll,
                        prefs.prfBackListAll);
    applyFontAndColours(List2, prefs.prfFontListReady, prefs.prfFontListReadysize, prefs.prfColorListReady,
                        prefs.prfBackListReady);
    applyFontAndColours(List4, prefs.prfFontListFriends, prefs.prfFontListFriendssize, prefs.prfColorListFriends,
                        prefs.prfBackListFriends);
    applyFontAndColours(txtKibitzoutput, prefs.prfFontOutputKibitz, prefs.prfFontOutputKibitzsize,
                        prefs.prfColorOutputKibitz, prefs.prfBackOutputKibitz);
    applyFontAndColours(txtShouts, prefs.prfFontOutputShouts, prefs.prfFontOutputShoutssize,
                        prefs.prfColorOutputShouts, prefs.prfBackOutputShouts);
    applyFontAndColours(txtTerminal, prefs.prfFontOutputServer, prefs.prfFontOutputServersize,
                        prefs.prfColorOutputServer, prefs.prfBackOutputServer);
}

void Mainform::ShowDailyPage() {
    const QString page = Program::path(DailyPage::next(prefs.htmlCounter));
    if (QFileInfo::exists(page))
        WebBrowser1->setSource(QUrl::fromLocalFile(page));
}

void Mainform::mnuExit_Click() {
    flags.isPlaying = false;
    if (server.isConnected())
        server.close();
    flags.isConnected = false;
    close();
}

void Mainform::closeEvent(QCloseEvent *event) {
    flags.isExitClicked = true;  // Form_QueryUnload never refuses
    event->accept();
    Form_Unload();
}

void Mainform::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;

    SavePreferences(prefs, store, placement());
    store.sync();
    if (records.isLogFileOpen())
        records.closeLogFile();
    if (records.isPlaybackFileOpen())
        records.closePlaybackFile();
    playerStats.SaveStatsFile(Program::path(QStringLiteral("stats.dat")));
    saveWatchedLog();
    unloadLoginWindow();
    server.close();

    exitWindow = new frmExit(flags.isDebugging);
    exitWindow->Form_Load();
    hide();

    // Every other window is asked once to close; the exit window answers by fading out
    // and then ends the program.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w == this || !w->isVisible() || w == exitWindow.data())
            continue;
        w->close();
    }
    if (exitWindow)
        exitWindow->close();
}

bool Mainform::eventFilter(QObject *watched, QEvent *event) {
    if (handleTypingKey(watched, event))
        return true;
    if (event->type() == QEvent::Resize) {
        if (watched == picList)
            picList_Resize();
        else if (watched == Picture2)
            Picture2_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Mainform::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void Mainform::Form_Resize() {
    const QWidget *inner = centralWidget();
    const int innerWidth = inner->width();
    const int innerHeight = inner->height();

    Picture1->setGeometry(0, 0, innerWidth, kStripHeight);
    int x = 4;
    for (QPushButton *b :
         {cmdExit, cmdToggleReady, cmdDouble2, cmdAccept, cmdReject, cmdUndo, cmdRefresh, cmdPickUp, cmdDouble}) {
        b->setGeometry(x, 4, 80, kStripHeight - 8);
        x += 84;
    }
    const std::initializer_list<QLabel *> labels{lblPlayer1, lblScore1, lblPlayer2, lblScore2, lblMatch,
                                                 lblpipb,    lblpipw,   lblwinsB,   lblwinsW};
    // The labels share what the buttons leave of the strip, 72 pixels each at most.
    const int step = qBound(40, (innerWidth - x) / int(labels.size()), 72);
    for (QLabel *l : labels) {
        l->setGeometry(x, 4, step - 2, kStripHeight - 8);
        x += step;
    }

    boardShow->move(0, kStripHeight);
    picList->setGeometry(boardShow->width(), kStripHeight, qMax(0, innerWidth - boardShow->width()),
                         innerHeight - kStripHeight);
    const int panelHeight = SettingsText::roundEven(innerHeight * 0.3);
    Picture2->setGeometry(0, innerHeight - panelHeight, boardShow->width(), panelHeight);

    picAd->move(txtShouts->x() + SettingsText::roundEven(txtShouts->width() / 2.1 - picAd->width() / 2.0),
                txtShouts->y() + (txtShouts->height() - picAd->height()) / 2);
    WebBrowser1->setGeometry(List1->geometry());
}

void Mainform::picList_Resize() {
    const int w = picList->width();
    int y = 0;
    opAll->setGeometry(4, y, 70, kOptionRowHeight);
    opReady->setGeometry(78, y, 70, kOptionRowHeight);
    opFriends->setGeometry(152, y, 80, kOptionRowHeight);
    if (lblAll) {
        lblAll->setGeometry(238, y, 40, kOptionRowHeight);
        lblReady->setGeometry(280, y, 40, kOptionRowHeight);
        lblFriends->setGeometry(322, y, 40, kOptionRowHeight);
    }
    y += kOptionRowHeight;
    for (QListWidget *list : {List1, List2, List3, List4})
        list->setGeometry(4, y, SettingsText::roundEven(w * 0.9), kListHeight);

    const int paneWidth = SettingsText::roundEven(w * 0.95);
    const int paneTop = List1->y() + List1->height();
    const int paneHeight = qMax(0, picList->height() - List1->height() - 2 * kFrameHeight);
    txtShouts->setGeometry(4, paneTop, paneWidth, paneHeight);
    txtTerminal->setGeometry(txtShouts->geometry());  // the two panes share one place
    Frame1->setGeometry(4, txtShouts->y() + txtShouts->height(), paneWidth, kFrameHeight);
    opShouts->setGeometry(0, 2, 70, 24);
    opTerminal->setGeometry(72, 2, 70, 24);
    ckAutoScroll->setGeometry(146, 2, 170, 24);
    txtType->setGeometry(0, 28, qMax(40, paneWidth - 48), 24);
    cmdShoutsSend->setGeometry(qMax(40, paneWidth - 44), 28, 44, 24);

    if (screenWidth() < 1024)
        picAd->setVisible(false);
    picAd->move(txtShouts->x() + SettingsText::roundEven(txtShouts->width() / 2.1 - picAd->width() / 2.0),
                txtShouts->y() + (txtShouts->height() - picAd->height()) / 2);
    picAd->lower();
    WebBrowser1->setGeometry(List1->geometry());
}

void Mainform::Picture2_Resize() {
    const int innerHeight = centralWidget()->height();
    int outputHeight;
    if (screenWidth() < 1024)
        outputHeight = 2 * kKibitzInputHeight;
    else
        outputHeight = qMax(kKibitzInputHeight, SettingsText::roundEven(innerHeight * 0.93) - boardShow->height() -
                                                    kStripHeight - kKibitzInputHeight);
    outputHeight = qMin(outputHeight, qMax(0, Picture2->height() - kKibitzInputHeight));
    txtKibitzoutput->setGeometry(0, 0, Picture2->width(), outputHeight);
    picKibitz->setGeometry(0, outputHeight, Picture2->width() / 2, kKibitzInputHeight);
    txtkibitz->setGeometry(0, 0, picKibitz->width() - 150, kKibitzInputHeight);
    if (opKibitz) {
        opKibitz->setGeometry(picKibitz->width() - 146, 0, 70, kKibitzInputHeight);
        opWhisper->setGeometry(picKibitz->width() - 74, 0, 74, kKibitzInputHeight);
    }
    lblStatus->setGeometry(picKibitz->width() + 8, picKibitz->y() + picKibitz->height() / 2 - 10,
                           Picture2->width() - picKibitz->width() - 8, 20);
}
