#include "mainform/Mainform.h"

#include "app/DailyPage.h"
#include "app/Dialogs.h"
#include "app/frmExit.h"
#include "app/MousePointer.h"
#include "app/Program.h"
#include "app/ProgramExit.h"
#include "app/SettingsText.h"
#include "board/BoardShow.h"
#include "connection/LineFilter.h"
#include "connection/ServerLineDispatcher.h"
#include "lobby/ChatPanes.h"
#include "lobby/PlayerList.h"
#include "lobby/TalkingWavs.h"
#include "mainform/MainformLineHost.h"
#include "play/frmHide.h"

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
constexpr int kLabelHeight = 20;
// Widths of the score board's small labels, and of the status line.
constexpr int kScoreWidth = 40;
constexpr int kPipWidth = 48;
constexpr int kWinsWidth = 64;
// Light text on the dark wood of the tray.
const QColor kTrayText(0xF4, 0xEA, 0xD0);

// `value` rounded, then divided by `n` with the remainder dropped.
int roundedDiv(double value, int n) {
    return SettingsText::roundEven(value) / n;
}

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
    wireChat();
    wireOptions();
    wireRecords();
    wireFullScreen();
    wirePositions();
}

Mainform::~Mainform() {
    // An exit window still fading would end the program after this window is gone.
    delete exitWindow.data();
    // The filters that call into this window go before the controls they watch.
    delete lobbyEvents_;
    delete pressWatcher_;
    dropFullScreenWindow();
    Dialogs::setParent(nullptr);
}

int Mainform::screenWidth() const {
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

void Mainform::buildMenus() {
    auto menu = [this](QMenu *parent, const char *name, const QString &caption) {
        QMenu *m = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto add = [](QMenu *parent, const char *name, const QString &caption) {
        QAction *action = parent->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    mnuFile = menu(nullptr, "mnuFile", QStringLiteral("&Game"));
    mnuConnect = add(mnuFile, "mnuConnect", QStringLiteral("Play Online"));
    mnudisconnect = add(mnuFile, "mnudisconnect", QStringLiteral("Disconnect"));
    mnuNew = add(mnuFile, "mnuNew", QStringLiteral("Play offline against the computer"));
    mnuFile->addSeparator();
    add(mnuFile, "mnuSaveJF", QStringLiteral("Save As JF pos"));
    add(mnuFile, "mnuLoadJFPos", QStringLiteral("Load JF.pos file"));
    add(mnuFile, "mnuViewSaved", QStringLiteral("View Saved"));
    add(mnuFile, "mnuLog2mat", QStringLiteral("Convert Log ->JF.mat"));
    mnuFile->addSeparator();
    connect(add(mnuFile, "mnuExit", QStringLiteral("E&xit")), &QAction::triggered, this, &Mainform::mnuExit_Click);

    mnuAction = menu(nullptr, "mnuAction", QStringLiteral("&Action"));
    add(mnuAction, "mnuRoll", QStringLiteral("Roll"));
    mnuAccept = add(mnuAction, "mnuAccept", QStringLiteral("Accept"));
    mnuReject = add(mnuAction, "mnuReject", QStringLiteral("Reject"));
    add(mnuAction, "mnuResign", QStringLiteral("Resign"));
    add(mnuAction, "mnuUndo", QStringLiteral("Undo"));
    add(mnuAction, "mnuRefresh", QStringLiteral("Refresh Board"));
    add(mnuAction, "mnuJoin", QStringLiteral("Join"));
    add(mnuAction, "mnuLeave", QStringLiteral("Leave"));
    add(mnuAction, "mnutoggledouble", QStringLiteral("Toggle Double"));
    mnuAction->addSeparator();
    add(mnuAction, "mnuReady", QStringLiteral("Toggle Ready"));
    add(mnuAction, "mnuAway", QStringLiteral("Toggle Away"));
    add(mnuAction, "mnuNotify", QStringLiteral("Toggle Notify"));
    add(mnuAction, "mnuReport", QStringLiteral("Toggle Report"));
    QMenu *toggle = menu(mnuAction, "mnuToggle", QStringLiteral("Toggle"));
    add(toggle, "mnuGreedy", QStringLiteral("Toggle Greedy"));
    add(toggle, "mnuToggleMoreboards", QStringLiteral("Toggle MoreBoards"));
    add(toggle, "mnuSetBoardstyle", QStringLiteral("Set Boardstyle 3"));
    mnuAction->addSeparator();
    add(mnuAction, "mnuSaved", QStringLiteral("Show Saved"));
    add(mnuAction, "mnuWatchers", QStringLiteral("Show Watchers"));
    add(mnuAction, "mnuStopWatch", QStringLiteral("Stop Watching"));
    QMenu *autoInvite = menu(mnuAction, "mnuAutoInvite", QStringLiteral("Auto Invite"));
    add(autoInvite, "mnuAutoShow", QStringLiteral("Show"));
    add(autoInvite, "mnuAutoFriends", QStringLiteral("Auto Invite Friends "));
    add(autoInvite, "mnuAutoClear", QStringLiteral("Clear"));

    mnuEdit = menu(nullptr, "mnuEdit", QStringLiteral("&Edit"));
    add(mnuEdit, "mnuEditFriends", QStringLiteral("Edit Friends"));
    add(mnuEdit, "mnuEditStats", QStringLiteral("View Stats"));

    mnupopup = menu(nullptr, "mnupopup", QStringLiteral("Player List"));
    add(mnupopup, "mnuInvite", QStringLiteral("Invite"));
    add(mnupopup, "mnuWatch", QStringLiteral("Watch"));
    // The player menu's Join acts on no one: the invitation that "join" answers is the last one.
    keepWaiting(add(mnupopup, "mnuJoinList", QStringLiteral("Join")));
    add(mnupopup, "mnuWhois", QStringLiteral("Whois"));
    add(mnupopup, "mnuLook", QStringLiteral("Look"));
    add(mnupopup, "mnuChat", QStringLiteral("Chat"));
    add(mnupopup, "mnuIgnore", QStringLiteral("Ignore "));
    QMenu *repbot = menu(mnupopup, "mnuRepbot", QStringLiteral("RepBot"));
    add(repbot, "mnuRepbotList", QStringLiteral("List RepBot"));
    add(repbot, "mnuRepBotAsk", QStringLiteral("Ask RepBot"));
    add(repbot, "mnuRepbotVouch", QStringLiteral("Vouch for.."));
    add(repbot, "mnuRepbotComplain", QStringLiteral("Complain about.."));
    add(repbot, "mnuRepbotWithdraw", QStringLiteral("Withdraw..."));
    add(mnupopup, "mnuListAddBuddy", QStringLiteral("Friends (Add/Remove)"));
    QMenu *sort = menu(mnupopup, "mnuSort", QStringLiteral("Sort"));
    add(sort, "mnuSortRating", QStringLiteral("Sort Rating"));
    add(sort, "mnusortName", QStringLiteral("Sort Name"));
    add(mnupopup, "mnuListRefresh", QStringLiteral("Refresh"));

    mnuOptions = menu(nullptr, "mnuOptions", QStringLiteral("&Options"));
    add(mnuOptions, "mnuPreference", QStringLiteral("Preferences"));
    mnuFull = add(mnuOptions, "mnuFull", QStringLiteral("Full Screen On"));
    add(mnuOptions, "mnuChatShouts", QStringLiteral("Show Shouts in Chat Window"))->setVisible(false);

    // The canned lines, filled from their files when the user goes online.
    mnuKibitz1 = menu(nullptr, "mnuKibitz1", QStringLiteral("&Kibitz"));
    mnuShout1 = menu(nullptr, "mnuShout1", QStringLiteral("&Shouts"));
    mnuServer1 = menu(nullptr, "mnuServer1", QStringLiteral("&Server"));

    mnuSoundS = menu(nullptr, "mnuSoundS", QStringLiteral("Sounds"));

    mnuOther = menu(nullptr, "mnuOther", QStringLiteral("More Games"));
    add(mnuOther, "mnuLanternhall", QStringLiteral("Online Backgammon for money"));
    add(mnuOther, "mnuPoker", QStringLiteral("Online Poker for money"));
    add(mnuOther, "mnuGin", QStringLiteral("Gin Rummy"));
    add(mnuOther, "mnuBlackjack", QStringLiteral("Free Blackjack Video Poker Slots "));

    mnuHelp = menu(nullptr, "mnuHelp", QStringLiteral("Help"));
    add(mnuHelp, "mnuNotes", QStringLiteral("Contents"));
    add(mnuHelp, "mnuChecUpdate", QStringLiteral("Check for Updates"));
    add(mnuHelp, "mnuAbout", QStringLiteral("About Korvex"));
}

void Mainform::keepWaiting(QAction *entry) {
    entry->setProperty("waiting", true);
    entry->setEnabled(false);
    // The online and offline looks switch entries by name; these stay off all the same.
    connect(entry, &QAction::enabledChanged, entry, [entry](bool enabled) {
        if (enabled)
            entry->setEnabled(false);
    });
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
    cmdgreedy = button("cmdgreedy", QStringLiteral("Greedy"));
    cmdTrophy = button("cmdTrophy", QStringLiteral("New Match"));
    cmdMoney = button("cmdMoney", QStringLiteral("Money Game"));
    cmdSort = button("cmdSort", QStringLiteral("Sort by name"));
    cmdOpen = button("cmdOpen", QStringLiteral("Open Log"));
    cmdStep = button("cmdStep", QStringLiteral("Step Forward"));
    cmdAuto = button("cmdAuto", QStringLiteral("Play Auto"));
    cmdBack = button("cmdBack", QStringLiteral("Step Rewind"));
    cmdToggleReady->setToolTip(QStringLiteral("Toggle Ready"));
    cmdUndo->setToolTip(QStringLiteral("Undo the move"));
    cmdgreedy->setToolTip(QStringLiteral("Toggle Greedy"));
    cmdTrophy->setToolTip(QStringLiteral("Start a new game"));
    cmdMoney->setToolTip(QStringLiteral("New GnuBG Money Game"));
    // A money game against GnuBG is not defined: the button is shown, never enabled.
    cmdMoney->setEnabled(false);
    cmdgreedy->setEnabled(false);

    Picture2 = new QWidget(central);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->installEventFilter(this);
    // The score board on the tray panel beside the kibitz box.
    auto label = [this](const char *name) {
        auto *l = new QLabel(Picture2);
        l->setObjectName(QLatin1String(name));
        l->setAlignment(Qt::AlignCenter);
        l->setTextFormat(Qt::PlainText);  // names and status come from the server and other players
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

    txtKibitzoutput = makePane(Picture2, "txtKibitzoutput");
    picKibitz = new QWidget(Picture2);
    picKibitz->setObjectName(QStringLiteral("picKibitz"));
    txtkibitz = new QLineEdit(picKibitz);
    txtkibitz->setObjectName(QStringLiteral("txtkibitz"));
    opKibitz = option(Picture2, "opKibitz", QStringLiteral("Kibitz"));
    opWhisper = option(Picture2, "opWhisper", QStringLiteral("Whisper"));
    opKibitz->setChecked(true);
    lblStatus = label("lblStatus");
    // Label3 is element 8 of the window's label array, the one that does something: a link
    // to the maker's home page, reachable with the keyboard too.
    Label3 = new QLabel(Picture2);
    Label3->setObjectName(QStringLiteral("Label3_8"));
    Label3->setTextFormat(Qt::RichText);
    Label3->setText(QStringLiteral("<a href=\"home\" style=\"color:%1\">Korvex home page</a>").arg(kTrayText.name()));
    Label3->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    for (QWidget *w : std::initializer_list<QWidget *>{lblPlayer1, lblPlayer2, lblScore1, lblScore2, lblMatch,
                                                       lblpipb, lblpipw, lblwinsB, lblwinsW, lblStatus, opKibitz,
                                                       opWhisper}) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::WindowText, kTrayText);
        w->setPalette(palette);
    }
    // The chances lean on the pip counts beside them.
    lblwinsB->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblwinsW->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel *l : {lblPlayer1, lblPlayer2, lblScore1, lblScore2, lblMatch}) {
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1200);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    // A size stored on another screen fits this one.
    const QSize size(prefs.prfRegSizex > 0 ? prefs.prfRegSizex : 1280, prefs.prfRegSizey > 0 ? prefs.prfRegSizey : 860);
    resize(fitted(size));
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
        if (!standInNote_.isEmpty())
            setCaption(lblStatus, standInNote_);
        raise();
        if (prefs.prfFullScreen)
            showFullScreenOn();
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
    // The placeholder names no file, so choosing it sends nothing.
    const QStringList names = files.isEmpty() ? QStringList{TalkingWavs::emptyCaption} : files;
    for (int i = 0; i < names.size(); ++i) {
        // The file's own name stays in the entry's data; an "&" in it is shown, not a shortcut.
        QAction *entry = mnuSoundS->addAction(QString(names.at(i)).replace('&', QLatin1String("&&")));
        entry->setObjectName(QStringLiteral("mnuSoundSelect%1").arg(i));
        entry->setData(names.at(i));
        connect(entry, &QAction::triggered, this, [this, i] { mnuSoundSelect_Click(i); });
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
    if (offlineMatchRunning() && !Dialogs::ask(QStringLiteral("Do you really want to exit?"), QStringLiteral("Confirming")))
        return;
    // The connection closes once what the server had sent is read: the close keeps the end of
    // a match that was still being shown.
    close();
}

void Mainform::closeEvent(QCloseEvent *event) {
    flags.isExitClicked = true;  // Form_QueryUnload never refuses
    event->accept();
    Form_Unload();
}

// The window goes at once, and whatever work the close came in the middle of (a server line,
// a turn of GnuBG's) unwinds from here without waiting, playing, asking or sending anything.
// What the server had sent before the close is read out first, so that a match that ended
// while its last move was still being shown keeps its log and statistics; then the settings,
// logs and statistics are kept and the exit window ends the program.
void Mainform::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    ProgramExit::begin();
    closingPlacement_ = placement();
    closeChatWindows();  // their last size is a setting too
    hide();
    if (frmHideWindow)
        frmHideWindow->hide();
    endPlayback();
    afterTheLastLine([this] { keepAndEnd(); });
}

void Mainform::keepAndEnd() {
    ProgramExit::markKeeping();
    closeChatWindows();  // one a line opened meanwhile
    savedGamesList.abort();  // a page still on its way opens no login window now
    flags.isPlaying = false;
    records.savePendingMatch();  // a match that ended before the player list told of it
    SavePreferences(prefs, store, closingPlacement_);
    store.sync();
    if (records.isLogFileOpen())
        records.closeLogFile();
    if (records.isPlaybackFileOpen())
        records.closePlaybackFile();
    if (!playerStats.SaveStatsFile(Program::path(QStringLiteral("stats.dat"))))
        Dialogs::message(QStringLiteral("stats.dat was left as it was: this session's statistics could not be kept in it"));
    saveWatchedLog();
    unloadLoginWindow();
    server.close();
    flags.isConnected = false;
    gnuObject.reset();  // the engine's process ends with the program, not after it
    ProgramExit::markKept();

    exitWindow = new frmExit(flags.isDebugging);
    exitWindow->Form_Load();

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

// A window manager moves the window as it frames it: framed, it still fits the screen. The
// full-screen strip places itself.
void Mainform::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    if (const QSize fit = fittedLayout(size()); !prefs.prfFullScreen && !isMinimized() && fit != size())
        resize(fit);
}

void Mainform::Form_Resize() {
    const QWidget *inner = centralWidget();
    const int innerWidth = inner->width();
    const int innerHeight = inner->height();

    const int strip = layOutToolbar(innerWidth);
    Picture1->setGeometry(0, 0, innerWidth, strip);

    boardShow->move(0, strip);
    picList->setGeometry(boardShow->width(), strip, qMax(0, innerWidth - boardShow->width()), innerHeight - strip);
    // The panel under the board takes its share of the height, but on a screen too short for
    // both never more than the board leaves: the names and scores at its top stay in sight.
    const int panelHeight = qMin(SettingsText::roundEven(innerHeight * 0.3),
                                 qMax(0, innerHeight - strip - boardShow->height()));
    Picture2->setGeometry(0, innerHeight - panelHeight, boardShow->width(), panelHeight);

    picAd->move(txtShouts->x() + SettingsText::roundEven(txtShouts->width() / 2.1 - picAd->width() / 2.0),
                txtShouts->y() + (txtShouts->height() - picAd->height()) / 2);
    WebBrowser1->setGeometry(List1->geometry());
}

namespace {
constexpr int kToolbarGap = 4;
}

// The width the buttons want side by side.
QList<QPushButton *> Mainform::toolbarButtons() const {
    return {cmdExit,   cmdToggleReady, cmdDouble2, cmdAccept, cmdReject, cmdUndo, cmdRefresh, cmdPickUp, cmdDouble,
            cmdgreedy, cmdTrophy,      cmdMoney,   cmdSort,   cmdOpen,   cmdStep, cmdAuto,    cmdBack};
}

int Mainform::toolbarWidth() const {
    int wanted = kToolbarGap;
    for (const QPushButton *b : toolbarButtons())
        wanted += qMax(56, b->sizeHint().width()) + kToolbarGap;
    return wanted;
}

// Every button keeps the width its caption needs. A window too narrow for one row of them
// gets a second row; only one too narrow for two rows makes them share the rows evenly.
// Returns the strip's height.
int Mainform::layOutToolbar(int innerWidth) {
    constexpr int kGap = kToolbarGap;
    const QList<QPushButton *> buttons = toolbarButtons();
    const qsizetype count = buttons.size();
    QList<int> widths;
    for (const QPushButton *b : buttons)
        widths << qMax(56, b->sizeHint().width());
    // The share of their widths that the buttons from `first` up to `end` keep in one row.
    auto share = [&](qsizetype first, qsizetype end) {
        int wanted = 0;
        for (qsizetype i = first; i < end; ++i)
            wanted += widths[i];
        const int room = innerWidth - int(end - first + 1) * kGap;
        return wanted <= room ? 1.0 : qMax(0.0, double(room) / wanted);
    };
    qsizetype secondRow = count;  // the first button of the second row
    double squeeze = share(0, count);
    if (squeeze < 1.0) {
        // The second row starts where the buttons give up least, with the first row as full
        // as that allows.
        squeeze = 0.0;
        for (qsizetype split = count - 1; split > 0; --split) {
            if (const double s = qMin(share(0, split), share(split, count)); s > squeeze) {
                squeeze = s;
                secondRow = split;
            }
        }
    }
    int x = kGap;
    for (qsizetype i = 0; i < count; ++i) {
        if (i == secondRow)
            x = kGap;
        const int w = int(widths[i] * squeeze);
        buttons[i]->setGeometry(x, (i < secondRow ? 0 : kStripHeight) + 4, w, kStripHeight - 8);
        x += w + kGap;
    }
    return (secondRow < count ? 2 : 1) * kStripHeight;
}

void Mainform::picList_Resize() {
    const int w = picList->width();
    int y = 0;
    // Each button as wide as its caption; the counts share what is left, up to a width
    // that holds four digits.
    int x = 4;
    for (QRadioButton *op : {opAll, opReady, opFriends}) {
        op->setGeometry(x, y, op->sizeHint().width(), kOptionRowHeight);
        x += op->width() + 4;
    }
    if (lblAll) {
        const int countWidth = qBound(0, (w - x - 4) / 3, 40);
        for (QLabel *count : {lblAll, lblReady, lblFriends}) {
            count->setGeometry(x, y, countWidth, kOptionRowHeight);
            x += countWidth;
        }
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
    x = 0;
    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{opShouts, opTerminal, ckAutoScroll}) {
        b->setGeometry(x, 2, b->sizeHint().width(), 24);
        x += b->width() + 2;
    }
    txtType->setGeometry(0, 28, qMax(40, paneWidth - 48), 24);
    cmdShoutsSend->setGeometry(qMax(40, paneWidth - 44), 28, 44, 24);

    if (screenWidth() < 1024)
        picAd->setVisible(false);
    picAd->move(txtShouts->x() + SettingsText::roundEven(txtShouts->width() / 2.1 - picAd->width() / 2.0),
                txtShouts->y() + (txtShouts->height() - picAd->height()) / 2);
    picAd->raise();
    WebBrowser1->setGeometry(List1->geometry());
}

void Mainform::Picture2_Resize() {
    const int innerHeight = centralWidget()->height();
    const int width = Picture2->width();
    const int kibitzWidth = SettingsText::roundEven(width * 0.47);
    int outputHeight;
    if (screenWidth() < 1024)
        outputHeight = 2 * kKibitzInputHeight;
    else
        outputHeight = qMax(kKibitzInputHeight, SettingsText::roundEven(innerHeight * 0.93) - boardShow->height() -
                                                    Picture1->height() - kKibitzInputHeight);
    // Under the output box a row for the kibitz/whisper choice and the clock, then the input box.
    outputHeight = qMin(outputHeight, qMax(0, Picture2->height() - kKibitzInputHeight - kOptionRowHeight));
    txtKibitzoutput->setGeometry(0, 0, kibitzWidth, outputHeight);
    if (opKibitz) {
        opKibitz->setGeometry(4, outputHeight, 70, kOptionRowHeight);
        opWhisper->setGeometry(78, outputHeight, 80, kOptionRowHeight);
    }
    if (lblTime)
        lblTime->setGeometry(kibitzWidth - 100, outputHeight, 100, kOptionRowHeight);
    if (Label3) {
        Label3->adjustSize();
        Label3->move(width - Label3->width() - 8, outputHeight + (kOptionRowHeight - Label3->height()) / 2);
    }
    picKibitz->setGeometry(0, outputHeight + kOptionRowHeight, kibitzWidth, kKibitzInputHeight);
    const int lampWidth = Label1 ? Label1->width() + 4 : 0;
    txtkibitz->setGeometry(0, 0, kibitzWidth - lampWidth, kKibitzInputHeight);
    if (Label1)
        Label1->move(kibitzWidth - Label1->width(), (kKibitzInputHeight - Label1->height()) / 2);
    layOutScoreBoard();
}

// The names, scores, match length, pip counts and winning chances on the right half of the
// tray, each placed from the board's width; the status line sits under the match length.
void Mainform::layOutScoreBoard() {
    const double w = boardShow->width();
    constexpr int kNames = 6, kScores = kNames + kLabelHeight + 2, kPips = kScores + kLabelHeight + 2;
    lblPlayer1->setGeometry(SettingsText::roundEven(w * 0.5), kNames, SettingsText::roundEven(w * 0.25),
                            kLabelHeight);
    lblPlayer2->setGeometry(SettingsText::roundEven(w * 0.75), kNames, SettingsText::roundEven(w * 0.25),
                            kLabelHeight);
    const int score1 = lblPlayer1->x() + roundedDiv(lblPlayer1->width(), 2);
    const int score2 = lblPlayer2->x() + roundedDiv(lblPlayer2->width(), 2);
    lblScore1->setGeometry(score1, kScores, kScoreWidth, kLabelHeight);
    lblScore2->setGeometry(score2, kScores, kScoreWidth, kLabelHeight);
    const int pipShift = roundedDiv(kPipWidth, 3) + SettingsText::roundEven(kScoreWidth / 4.0);
    lblpipb->setGeometry(score1 - pipShift, kPips, kPipWidth, kLabelHeight);
    lblpipw->setGeometry(score2 - pipShift, kPips, kPipWidth, kLabelHeight);
    lblMatch->setGeometry(roundedDiv(score2 + score1, 2) - roundedDiv(kScoreWidth, 2), kScores, kScoreWidth,
                          kLabelHeight);
    lblwinsB->setGeometry(lblpipb->x() - kWinsWidth, kPips, kWinsWidth, kLabelHeight);
    lblwinsW->setGeometry(lblpipw->x() + kPipWidth, kPips, kWinsWidth, kLabelHeight);
    const int statusWidth = SettingsText::roundEven(w * 0.45);
    lblStatus->setGeometry(lblMatch->x() + kScoreWidth / 2 - statusWidth / 2,
                           picKibitz->y() + picKibitz->height() / 2 - kLabelHeight / 2, statusWidth, kLabelHeight);
}
