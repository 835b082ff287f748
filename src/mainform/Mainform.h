#pragma once
// The main window: board on the left, player lists and server panes on the right, kibitz
// and status below. It owns the program's state and brings the subsystems up and down.
#include "app/AppState.h"
#include "app/Preferences.h"
#include "app/SettingsStore.h"
#include "app/Utilities.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"
#include "board/BoardStyle.h"
#include "board/CheckerAnimation.h"
#include "board/CheckerMoves.h"
#include "board/CheckerRec.h"
#include "connection/DataLamp.h"
#include "connection/ServerConnection.h"
#include "engine/GnuVB.h"
#include "lobby/CannedMessages.h"
#include "lobby/GagList.h"
#include "lobby/PlayerList.h"
#include "lobby/PlayerStats.h"
#include "lobby/mnuClick.h"
#include "mainform/MainformChatHost.h"
#include "mainform/MainformConnectionHost.h"
#include "mainform/MainformFullScreenHost.h"
#include "mainform/MainformGameHost.h"
#include "mainform/MainformLobbyHost.h"
#include "mainform/MainformOfflineHost.h"
#include "mainform/MainformOptionsHost.h"
#include "mainform/MainformPlayHost.h"
#include "mainform/MainformRecordsHost.h"
#include "play/BoardInput.h"
#include "play/BoardLineApplication.h"
#include "play/BoardLineReader.h"
#include "play/GameContext.h"
#include "play/MatchActions.h"
#include "play/MatchRules.h"
#include "play/MoveInput.h"
#include "play/MoveLines.h"
#include "play/OfflineGame.h"
#include "play/PipCount.h"
#include "play/StatusBlink.h"
#include "records/MatchRecords.h"
#include "records/SavedGamesList.h"

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class BoardShow;
struct JfPosition;
class ChatPanes;
class LineFilter;
class MainformLineHost;
class ServerLineDispatcher;
class frmAccount;
class frmEdit;
class frmInvite;
class frmsave;
class frmLogin;
class frmMessage;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTextBrowser;
class QTextEdit;
class QTimer;
class frmExit;
class frmHide;
class frmPreferences;

class Mainform : public QMainWindow, public PopupMenuHost {
    Q_OBJECT
public:
    // Creating the window reads every setting.
    explicit Mainform(QWidget *parent = nullptr);
    ~Mainform() override;

    // Brings the window up in the fixed order of start-up. False when a required step
    // failed: the user has been told and the program must end without saving anything.
    bool Form_Load();
    // File > Exit; a match against GnuBG under way is given up only once the user says so.
    void mnuExit_Click();
    // A match against GnuBG is under way: leaving it throws it away.
    bool offlineMatchRunning() const;
    void NeutralizeSettings();
    // Switches a menu entry, or a whole menu, found by its name.
    void setMenuEnabled(const char *name, bool enabled);

    Preferences prefs;
    MatchState match;
    StateFlags flags;
    SharedLists lists;
    PlayerStats playerStats;  // stats.dat
    GagList gagList;          // gaglist.txt
    SettingsStore store;

    BoardStyle boardStyle;
    BoardGeometry boardGeometry;
    // The board: its checker records, its drawing and its single moves (MainformBoard.cpp).
    CheckerRecords checkers;
    BoardDrawing board{boardStyle.pictures(), boardGeometry, checkers, match, flags, prefs};
    CheckerMoves checkerMoves{board, boardGeometry, checkers, match, prefs};
    CheckerAnimation checkerAnimation{board, prefs};
    // The server's game on the board: board and move lines, pips, Crawford (MainformGame.cpp).
    MoveInput moveInput;
    PipCount pips;  // gnuBoard and the pip counts
    MatchRules matchRules;
    MainformGameHost gameHost{*this};
    GameContext game{gameHost, prefs, match, flags, moveInput, checkers, boardGeometry, board, checkerMoves};
    BoardLineApplication boardLines{game};
    MoveLines moveLines{game};
    BoardLineReader boardLineReader{game, boardLines, moveLines};
    // The user's play: clicks on the board, the match actions, the status blink (MainformPlay.cpp).
    MainformPlayHost playHost{*this};
    MatchActions actions{{game, playHost, boardStyle.pictures(), lists.matchLog, boardLineReader.isReverseBoard}};
    BoardInput boardInput{{game, playHost, boardStyle.pictures(), lists.matchLog, boardLineReader.isReverseBoard},
                          actions};
    StatusBlink statusBlink;
    // The offline match against GNU Backgammon (MainformOffline.cpp).
    std::unique_ptr<GnuVB> gnuObject;
    MainformOfflineHost offlineHost{*this};
    OfflineGame offline{{game, playHost, boardStyle.pictures(), lists.matchLog, boardLineReader.isReverseBoard},
                        offlineHost};
    void mnuNew_Click();
    void mnutoggledouble_Click();
    void Form_KeyPress(int key);
    void ShowStartBoard();
    void OfflineGameOver(const QString &resignType);
    QLabel *lblwinsB = nullptr, *lblwinsW = nullptr;  // the winning chances, shown by prfChance
    void BoardShow_MouseDown(int button, int shift, double x, double y);
    void UndoMove();
    void cmdRefresh_Click();
    void DoRoll();
    QString GetResignType(int side) const;
    void WinnerBlack();
    void WinnerWhite();
    void askedToRollOrDouble();
    void doubleRefused();
    void showFinalScore(int score1, int score2);
    void Picture2_Click();
    // Every writer of the names, scores, match length, pips and status comes here, so that
    // their twins on the full-screen board never fall behind.
    void setCaption(QLabel *label, const QString &text);
    // Gives the label's twin its caption; nothing while the full-screen board does not exist.
    void label_Change(const QLabel *label);
    QLabel *fullScreenTwin(const QLabel *label) const;
    void ProcessBoardOutput(const QString &line);
    void GetPips();
    void CheckCrawford(int didCrawford = -1);
    QPixmap tbarcube1, tbarcube2;  // the cube button's pictures: doubling asked about, or not
    int slackButton = 0;           // free width at the end of the toolbar
    // Loads the style and lays the window out round its board; `style` may be prfBoardStyle itself.
    void SetNewBoardStyle(QString &style);
    // Reads the coordinate file of the style in use.
    void ReadFromDisk(const QString &file);
    // Leaves full screen and switches the board to the style prfBoardStyle names: pictures,
    // layout and coordinates, the position redrawn. A style that does not load whole leaves
    // the board as it was and prfBoardStyle back at `previousStyle`.
    bool ApplyBoardStyle(const QString &previousStyle);
    // Draws a fixed position with the coordinates of the style's testdata.txt; nothing of
    // the game is touched.
    void previewBoardData();
    // The style's coordinates were read again: the checkers stand where they now belong.
    void redrawWithNewCoordinates();

    // Full screen (MainformFullScreen.cpp): the board has the screen in frmHide and this
    // window is a strip of menus and buttons. prfFullScreen says which mode is on.
    void mnuFull_Click();
    void setFullScreen(bool on);
    void showFullScreenOff();
    QPointer<frmHide> frmHideWindow;
    MainformFullScreenHost fullScreenHost{*this};
    ServerConnection server;
    // The match records: logs, resumes, JF .mat, playback (MainformRecords.cpp).
    MainformRecordsHost recordsHost{*this};
    MatchRecords records{{lists.matchLog, flags.isLogging, flags.isPlaying, flags.isWatching, flags.selfPlay,
                          flags.saveAutoFlag, flags.replayStep, match.initFileName},
                         recordsHost};
    QPointer<frmsave> frmsaveWindow;  // the progress window, made on first use
    void mnuViewSaved_Click();
    void mnuLog2mat_Click();
    bool progressWindowVisible() const;
    // JF .pos positions and the server's saved matches (MainformPositions.cpp).
    SavedGamesList savedGamesList{lists.savedGames, recordsHost};
    void mnuSaveJF_Click();
    void WriteJFPos(const QString &file);
    void mnuLoadJFPos_Click();
    void LoadJFPos();
    void mnuSaved_Click();
    // GnuBG plays the user from `position`, with the user's dice rolled (MainformOffline.cpp).
    void playPosition(const JfPosition &position);
    // The engine for an offline game, started when there is none yet.
    void startGnuBG();
    std::unique_ptr<mnuClick> mnuObject;

    // Controls other subsystems read and fill.
    QWidget *Picture1 = nullptr;       // the strip of buttons at the top
    BoardShow *boardShow = nullptr;    // the visible board
    QWidget *picList = nullptr;        // the right-hand panel
    QListWidget *List1 = nullptr, *List2 = nullptr, *List3 = nullptr, *List4 = nullptr;
    QRadioButton *opAll = nullptr, *opReady = nullptr, *opFriends = nullptr;
    QTextBrowser *WebBrowser1 = nullptr;
    QTextEdit *txtShouts = nullptr, *txtTerminal = nullptr;
    QFrame *Frame1 = nullptr;
    QRadioButton *opShouts = nullptr, *opTerminal = nullptr;
    QCheckBox *ckAutoScroll = nullptr;
    QLineEdit *txtType = nullptr;
    QPushButton *cmdShoutsSend = nullptr;
    QLabel *picAd = nullptr;
    QWidget *Picture2 = nullptr;       // the panel below the board
    QTextEdit *txtKibitzoutput = nullptr;
    QWidget *picKibitz = nullptr;
    QLineEdit *txtkibitz = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdExit = nullptr, *cmdToggleReady = nullptr, *cmdDouble2 = nullptr, *cmdAccept = nullptr,
                *cmdReject = nullptr, *cmdUndo = nullptr, *cmdRefresh = nullptr, *cmdPickUp = nullptr,
                *cmdDouble = nullptr,  // the engine's hint
                *cmdgreedy = nullptr, *cmdTrophy = nullptr, *cmdMoney = nullptr,
                *cmdOpen = nullptr, *cmdStep = nullptr, *cmdAuto = nullptr, *cmdBack = nullptr;  // playback
    QLabel *lblPlayer1 = nullptr, *lblPlayer2 = nullptr, *lblScore1 = nullptr, *lblScore2 = nullptr,
           *lblMatch = nullptr, *lblpipb = nullptr, *lblpipw = nullptr;
    QTimer *Timer1 = nullptr;          // status-line blinker
    QTimer *Timer2 = nullptr;          // clock, data lamp and connection watchdog

    QMenu *mnuFile = nullptr, *mnuAction = nullptr, *mnuEdit = nullptr, *mnupopup = nullptr, *mnuOptions = nullptr,
          *mnuSoundS = nullptr, *mnuOther = nullptr, *mnuHelp = nullptr;
    QAction *mnuFull = nullptr, *mnuConnect = nullptr, *mnuNew = nullptr, *mnudisconnect = nullptr,
            *mnuAccept = nullptr, *mnuReject = nullptr;
    QList<QAction *> mnuSoundSelect;

    QPointer<frmExit> exitWindow;

    // The server connection's side of the window (MainformServer.cpp).
    void mnuConnect_Click();
    void Timer2_Timer();
    void ShowDataArrival(int state);
    void SplitFibString(const QString &data);
    frmLogin *loadLoginWindow();     // the one login window, loaded when there is none
    void unloadLoginWindow();
    frmAccount *showAccountWindow();
    MainformConnectionHost connectionHost{*this};
    // The controls of a connected window: the match and lobby ones on, offline play off.
    void showOnlineLook();
    // A log being played back ends, the rest of a block under way included.
    void endPlayback();
    QPointer<frmLogin> frmLoginWindow;
    QPointer<frmAccount> frmAccountWindow;
    QLabel *lblTime = nullptr;       // the clock
    DataLamp *Label1 = nullptr;      // the data lamp
    LampTicker lampTicker;

    // The road of server lines: dispatcher, filter, player lists and panes
    // (MainformLines.cpp, MainformOnline.cpp).
    std::unique_ptr<MainformLineHost> lineHost;
    std::unique_ptr<ServerLineDispatcher> dispatcher;
    std::unique_ptr<LineFilter> lineFilter;
    std::unique_ptr<PlayerList> playerList;
    std::unique_ptr<ChatPanes> chatPanes;
    void ShowKibitz(const QString &text);
    void ShowShout(const QString &text);
    void ShowTerminal(const QString &text);
    void cmdExit_Click();
    void mnudisconnect_Click();
    void SendStartupToggles();
    // Everything the server sent before the connection ended, or before the user ended it,
    // is read first, with waits and animation off; `then` runs after the last line.
    void afterTheLastLine(std::function<void()> then);
    // The watched match's lines go to the next free log/watched<N>.log.
    void saveWatchedLog();
    void txtkibitz_KeyPress();
    void cmdShoutsSend_Click();
    void opShouts_Click();
    void opTerminal_Click();
    void setReadyPicture(bool ready);
    void setCubeTogglePicture(bool askToDouble);
    void Timer1_Timer();
    QLabel *lblAll = nullptr, *lblReady = nullptr, *lblFriends = nullptr;  // row counts of the lists
    QRadioButton *opKibitz = nullptr, *opWhisper = nullptr;

    // The lobby side (MainformLobby.cpp).
    void ProcessDblClick(const QString &row);
    void SelectListPlayer(const QString &row);
    void mnuInvite_Click();
    void mnuJoin_Click();
    void mnuLook_Click();
    void mnuWatch_Click();
    void mnuStopWatch_Click();
    void mnuWatchers_Click();
    void mnuWhois_Click();
    void GetStats(const QString &name);
    int GetNumDropped(const QString &name) const;
    // The lobby's server messages, as the line filter hands them on with their words.
    void resumeOnlyWarning(const QString &line, const QStringList &words);
    void playerInformation(const QString &line, const QStringList &words);
    void playerRating(const QString &line, const QStringList &words);
    void invitationToPlay(const QString &line, const QStringList &words);
    void invitationToResume(const QString &line, const QStringList &words);
    void userStartsWatching(const QString &line, const QStringList &words);
    void watcherOfUser(const QString &line, const QStringList &words);
    void LoadDropped(const QString &name);
    void newGnubgGame();
    QString selectedPlayer;

    // The conversations: chat windows, canned lines and talking waves (MainformChat.cpp).
    std::unique_ptr<MainformChatHost> chatHost;
    QMenu *mnuKibitz1 = nullptr, *mnuShout1 = nullptr, *mnuServer1 = nullptr;
    CannedMenu kibitzLines{CannedMenu::Kind::Kibitz}, shoutLines{CannedMenu::Kind::Shouts},
        serverLines{CannedMenu::Kind::Server};
    // A new conversation with `partner`; one opened for an incoming message leaves the
    // keyboard where the user is typing.
    frmChat *openChat(const QString &partner, bool takeFocus);
    void mnuChat_Click();
    void mnuChatShouts_Click();
    void lblPlayer2_DblClick();
    void LoadKibitzMenu();
    void mnukibitz_Click(int index);
    void mnuShouts_Click(int index);
    void mnuServer_Click(int index);
    void mnuSoundSelect_Click(int index);
    void txtKibitz_MouseDown(Qt::KeyboardModifiers shift, const QPoint &globalPos);
    void closeChatWindows();

    // The player lists: views, order, away marks, the player menu and what it does
    // (MainformLobby.cpp).
    QPushButton *cmdSort = nullptr;
    void cmdSort_Click();
    void cmdSort_MouseDown(Qt::MouseButton button);
    void mnuSortRating_Click();
    void mnusortName_Click();
    void opAll_Click();
    void opReady_Click();
    void opFriends_Click();
    void ShowAway(bool isAway);
    void List1_Click();
    void popAMenu() override;
    void lblPlayer2_MouseDown(Qt::MouseButton button);
    void mnuListAddBuddy_Click();
    void mnuIgnore_Click();
    void mnuEditFriends_Click();
    void mnuEditStats_Click();
    void mnuAutoShow_Click();
    void mnuAutoFriends_Click();
    void mnuAutoClear_Click();
    void mnuAway_Click();
    void mnuNotify_Click();
    void mnuReport_Click();
    void mnuRepBotAsk_Click();
    void mnuRepbotComplain_Click();
    void mnuRepbotList_Click();
    void mnuRepbotVouch_Click();
    void mnuRepbotWithdraw_Click();
    QPointer<frmEdit> editWindow;
    QPointer<frmMessage> awayWindow;
    MainformLobbyHost lobbyHost{*this};

    // The state of the window that decides what shutdown writes.
    WindowPlacement placement() const;

    // Preferences, help, About, the update check and the web links (MainformOptions.cpp).
    void mnuPreference_Click();
    void mnuNotes_Click();
    void mnuChecUpdate_Click();
    void mnuAbout_Click();
    void picAd_Click();
    QLabel *Label3 = nullptr;  // element 8 of the label array: the link to the maker's home page
    void Label3_Click(int index);
    void applyListAndPaneStyles();
    MainformOptionsHost optionsHost{*this};
    QPointer<frmPreferences> preferencesWindow;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    // An entry with nothing to do: shown where it belongs, kept disabled (its "waiting"
    // property set) whatever the online or offline look says.
    void keepWaiting(QAction *entry);
    void putAwayDouble();
    void buildControls();
    void wireBoard();
    void wireGame();
    void wirePlay();
    void wireOffline();
    void wireChat();
    void fillCannedMenu(QMenu *menu, const CannedMenu &lines, const char *entryName, void (Mainform::*chosen)(int));
    void doCannedAction(const CannedMenu &lines, const CannedMenu::Action &action);
    void wireOptions();
    void wireRecords();
    void wireFullScreen();
    void showFullScreenOn();
    frmHide *loadFullScreenWindow();
    void dropFullScreenWindow();
    // Makes this window the strip beside the full-screen board's panels and in front of it.
    void placeStrip(const frmHide &fullScreen);
    // The strip is the full-screen window's own while it shows (`fullScreen`), a window of its own otherwise.
    void belongTo(const frmHide *fullScreen);
    // The part of the screen this window opens on that windows may take.
    QRect availableArea() const;
    // As much of `wanted` as that part holds with the window's frame.
    QSize fitted(QSize wanted) const;
    // The same for the window in normal mode, but never narrower than the board and the
    // narrowest player list.
    QSize fittedLayout(QSize wanted) const;
    QList<QPushButton *> toolbarButtons() const;
    int toolbarWidth() const;
    void wirePositions();
    void layOutRoundBoard();
    // What the status line says while a stand-in style shows the board; empty otherwise.
    QString standInNote_;
    void buildServerControls();
    void buildLineReaders();
    void buildLobbyActions();
    PlayerList::Observer playerListObserver();
    void listClick(QListWidget *list);
    // The chosen player's row: in the list shown, or else in the all-players list.
    QString chosenRow() const;
    // Highlights the chosen player's row in the list shown, and no other row anywhere.
    void showChosenRow();
    // The player a row of the chosen list was taken out for, until the row comes back.
    std::array<QString, 3> leftRows_;
    bool lobbyEvent(QObject *watched, QEvent *event);
    QObject *lobbyEvents_ = nullptr;  // hands the lists' and buttons' presses to lobbyEvent
    QObject *pressWatcher_ = nullptr;  // hands the presses of Pick Up, Accept and the tray to the play
    void sortLists(bool byName, bool wholeList);
    void showView(QListWidget *shown);
    void tellRepBot(const char *verb);
    QString infoName_;  // the player of the last "Information" line
    // The window of an invitation the server brings; none for a gagged inviter.
    frmInvite *openServerInvitation(const QString &inviter);
    bool handleTypingKey(QObject *watched, QEvent *event);
    void disconnectFromServer();
    void LoadTalkingWavsMenu();
    void ShowDailyPage();
    void Form_Unload();
    void keepAndEnd();
    void Form_Resize();
    void picList_Resize();
    void Picture2_Resize();
    int layOutToolbar(int innerWidth);
    void layOutScoreBoard();
    int screenWidth() const;

    // A step of start-up that could not be done; the load ends with the message.
    struct LoadFailure {
        bool fileNotFound;
        QString description;
    };
    bool failLoad(const LoadFailure &failure);

    bool unloaded_ = false;
    WindowPlacement closingPlacement_;  // where the window stood when it was closed
    std::unique_ptr<WaitsOff> readingOut_;  // while the last lines are read
    std::vector<std::function<void()>> afterLastLine_;
};
