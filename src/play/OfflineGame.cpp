#include "play/OfflineGame.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/InputGuards.h"
#include "app/MousePointer.h"
#include "app/Preferences.h"
#include "app/SettingsText.h"
#include "app/Utilities.h"
#include "board/BoardDrawing.h"
#include "board/CheckerRec.h"
#include "engine/GnuVB.h"
#include "play/GameHost.h"
#include "play/MoveInput.h"
#include "play/OfflineHost.h"
#include "play/OfflineLines.h"
#include "play/PipCount.h"
#include "play/PlayHost.h"
#include "play/ResignRules.h"
#include "records/JfPos.h"

using OfflineLines::Roller;

namespace {

const QString kDoubleTake = QStringLiteral("DOUBLE TAKE");
const QString kDoublePass = QStringLiteral("DOUBLE PASS");
const QString kNoDouble = QStringLiteral("NO DOUBLE");
const QString kTooGood = QStringLiteral("TOO GOOD");

// The engine's verdict says the side on roll should double.
bool doubles(const QString &verdict) {
    return verdict == kDoubleTake || verdict == kDoublePass;
}

QString n(int value) {
    return QString::number(value);
}

}  // namespace

OfflineGame::OfflineGame(const PlayContext &context, OfflineHost &host)
    : c_(context), host_(host),
      generator_(std::random_device{}()) {
    rollDie = [this] { return std::uniform_int_distribution<int>(1, 6)(generator_); };
}

QString OfflineGame::ask(int side, int die1, int die2, const QString &mode, int plies) {
    return askWithCube(side, c_.game.match.theCubeVal, die1, die2, mode, plies);
}

QString OfflineGame::askWithCube(int side, int cube, int die1, int die2, const QString &mode, int plies) {
    GnuVB *engine = host_.engine();
    if (!engine)
        return {};
    const MatchState &m = c_.game.match;
    return engine->GetCubeAction_BestMove(side, cube, m.theMatchLength, m.theMatchscore1, m.theMatchscore2,
                                          m.isCrawford, m.isJacoby, m.isBeaver, die1, die2, mode, plies);
}

bool OfflineGame::engineFailed() const {
    const GnuVB *engine = host_.engine();
    return engine && engine->lastCallFailed();
}

void OfflineGame::feed(const QString &text) {
    ++fed_;
    host_.SplitFibString(text);
}

void OfflineGame::log(const QString &line) {
    if (c_.game.flags.isLogging)
        c_.matchLog << line;
}

void OfflineGame::report(const QString &line) {
    log(line);
    host_.ShowTerminal(line);
}

int OfflineGame::delayMs() const {
    return SettingsText::roundEven(c_.game.prefs.prfDelay * 1000);
}

// --- matches and games ---------------------------------------------------------------------

void OfflineGame::newGnubgGame() {
    MatchState &m = c_.game.match;
    if (!m.isNewMatch)
        return;
    c_.game.flags.isBot = true;
    host_.clearTerminal();
    m.isMatchOver = false;
    c_.play.enableAcceptButtons(false);
    m.isMatch = true;
    m.AskToDouble = true;
    m.isNewMatch = false;
    m.gameOver = false;
    m.isCubeDead = false;
    m.theCubeVal = 1;
    m.blackOwnsCube = false;
    m.isJacoby = 0;
    m.theMatchscore1 = 0;
    m.theMatchscore2 = 0;
    for (GameLabel label : {GameLabel::Match, GameLabel::Score1, GameLabel::Score2})
        c_.game.host.setCaption(label, QStringLiteral("0"));
    m.theOldMatchLength = m.theMatchLength;
    ShowStartBoard();
}

void OfflineGame::playPosition(const JfPosition &position) {
    MatchState &m = c_.game.match;
    StateFlags &f = c_.game.flags;
    host_.clearTerminal();
    host_.hideAd();
    c_.play.enableAcceptButtons(false);
    f.isBot = true;
    f.selfPlay = false;
    m.isNewMatch = m.isMatchOver = m.gameOver = m.isGame = false;
    m.isMatch = true;
    m.isCubeDead = m.isDoubled = m.isCubeClicked = false;
    m.isJacoby = 0;
    m.legalMoveCtr = 0;
    m.theOldMatchLength = m.theMatchLength;
    m.theMatchLength = position.matchLength;
    m.theMatchscore1 = position.userScore;
    m.theMatchscore2 = position.opponentScore;
    m.theCubeVal = position.cube;
    m.blackOwnsCube = position.owner == JfPosition::Owner::User;
    m.AskToDouble = true;
    gameScored_ = false;
    pendingAnswer_.clear();
    c_.game.input.resetPending = true;
    c_.game.host.setCaption(GameLabel::Match, n(m.theMatchLength));
    c_.game.host.setCaption(GameLabel::Score1, n(m.theMatchscore1));
    c_.game.host.setCaption(GameLabel::Score2, n(m.theMatchscore2));

    // The checkers as the file has them; the roll's board line is built from them.
    const auto &user = position.board[0];
    const auto &gnubg = position.board[1];
    std::vector<std::pair<int, int>> black{{Position::blackBar, user[25]}, {Position::blackTray, user[0]}};
    std::vector<std::pair<int, int>> white{{Position::whiteBar, gnubg[25]}, {Position::whiteTray, gnubg[0]}};
    for (int point = 1; point <= 24; ++point) {
        black.emplace_back(point, user[std::size_t(point)]);
        white.emplace_back(point, gnubg[std::size_t(25 - point)]);
    }
    c_.game.checkers.blackCheckers.fill(black, c_.game.geometry);
    c_.game.checkers.whiteCheckers.fill(white, c_.game.geometry);

    // A position is played, not recorded: no match start precedes it, so it keeps no log,
    // leaves no lines to rescue and writes no files at its end. A match left for it is
    // dropped as a new match drops it.
    c_.matchLog.clear();
    f.isLogging = false;
    f.isPlaying = true;
    m.ismyTurn = true;
    m.die1 = m.die2 = 0;
    host_.bringToFront();
    rollDiceLocally();
}

void OfflineGame::ShowStartBoard() {
    MatchState &m = c_.game.match;
    StateFlags &f = c_.game.flags;
    host_.hideAd();
    m.theCubeVal = 1;
    m.blackOwnsCube = false;
    m.AskToDouble = true;
    f.isBot = true;
    m.isDoubled = false;
    m.isCubeClicked = false;
    m.legalMoveCtr = 0;
    // The cube of a new game is alive again, whatever it was in the game before.
    m.isCubeDead = false;
    gameScored_ = false;
    pendingAnswer_.clear();
    if (c_.game.prefs.prfChance)
        host_.showChanceLabels(QStringLiteral("50.00%"), QStringLiteral("50.00%"));
    c_.game.input.resetPending = true;

    int gnubgDie = 0, userDie = 0;
    do {
        gnubgDie = rollDie();
        userDie = rollDie();
    } while (gnubgDie == userDie);
    feed(QStringLiteral("Starting a new game with GnuBG."));
    feed(QStringLiteral("You rolled ") + n(userDie) + QStringLiteral(" , GnuBG rolled ") + n(gnubgDie));
    Roller first = Roller::You;
    if (gnubgDie > userDie) {
        feed(QStringLiteral("GnuBG makes the first move."));
        m.ismyTurn = false;
        f.isPlaying = true;
        first = Roller::GnuBG;
    } else {
        m.ismyTurn = true;
        f.isPlaying = true;
        feed(QStringLiteral("It's your turn to move."));
    }
    const QString line = OfflineLines::startLine(m.theMatchLength, m.theMatchscore1, m.theMatchscore2,
                                                 c_.game.prefs.prfNack, first, gnubgDie, userDie);
    host_.bringToFront();
    m.gameOver = false;
    feed(line);
    // Self-play is recorded like any match: one the user takes over is saved whole, one that
    // stays self-play to its end is dropped there. Logging itself is the match start's to
    // decide: a position game keeps none, in its later games too.
    if (f.selfPlay)
        runSelfPlay();
}

void OfflineGame::rollDiceLocally() {
    MatchState &m = c_.game.match;
    if (m.die1 > 0 || m.die2 > 0)
        return;
    c_.play.stopBlink();
    c_.game.host.GetPips();
    const int die1 = rollDie();
    const int die2 = rollDie();
    const bool mine = m.ismyTurn;
    const QString line = OfflineLines::rollLine(m.theMatchLength, m.theMatchscore1, m.theMatchscore2,
                                                c_.game.host.gnuBoard(), mine ? Roller::You : Roller::GnuBG, die1,
                                                die2, m.theCubeVal, m.blackOwnsCube);
    report((mine ? QStringLiteral("You roll ") : QStringLiteral("GnuBG rolls ")) + n(die1) + QStringLiteral(" and ") +
           n(die2) + '.');
    feed(line);
}

void OfflineGame::OfflineGameOver(const QString &resignLevel) {
    MatchState &m = c_.game.match;
    const PipCount pips = PipCount::of(c_.game.checkers);
    if (!c_.game.flags.isBot || (pips.blackPips != 0 && pips.whitePips != 0))
        return;
    // The dice click, the engine's turn and self-play all look; the game counts once.
    if (gameScored_)
        return;
    const bool userWon = pips.blackPips == 0;
    const QString level =
        resignLevel.isEmpty() ? ResignRules::GetResignType(c_.game.checkers, userWon ? 1 : 0) : resignLevel;
    m.gameOver = true;
    m.ismyTurn = false;
    gameScored_ = true;
    const int points = OfflineLines::gamePoints(m.theCubeVal, level);
    if (!m.isMatch)
        return;
    scoreGame(userWon, points);
}

void OfflineGame::scoreGame(bool userWon, int points) {
    MatchState &m = c_.game.match;
    int &score = userWon ? m.theMatchscore1 : m.theMatchscore2;
    score += points;
    // The label carries the score to the next board line, the match's last one included.
    c_.game.host.setCaption(userWon ? GameLabel::Score1 : GameLabel::Score2, n(score));
    if (score >= m.theMatchLength) {
        endMatch(userWon);
        return;
    }
    report(OfflineLines::gameWon(userWon, points));
    report(OfflineLines::scoreLine(m.theMatchLength, m.theMatchscore1, m.theMatchscore2));
    if (c_.game.flags.selfPlay)
        Pause(1500);
    else
        Dialogs::message(OfflineLines::winBox(userWon, points));
}

void OfflineGame::endMatch(bool userWon) {
    MatchState &m = c_.game.match;
    m.isMatchOver = true;
    m.gameOver = true;
    // Still playing while the line is read, so that the match log keeps its last result; the
    // line filter's match-end rule ends the match there, with the statistics and the log.
    feed(OfflineLines::matchWon(userWon, m.theMatchLength, m.theMatchscore1, m.theMatchscore2));
}

// --- the engine's turns, as the board lines arrive ---------------------------------------------

void OfflineGame::userRolled() {
    MatchState &m = c_.game.match;
    const Preferences &p = c_.game.prefs;
    ask(0, m.die1, m.die2, QString(), 0);  // the engine's remark on the user's luck
    if (m.legalMoveCtr != 0)
        return;
    report(QStringLiteral("You can't move."));
    if (p.prfSDance)
        PlayWav(QStringLiteral("dance"), false, p);
    c_.game.host.sleep(delayMs());
    m.die1 = 0;
    m.die2 = 0;
    c_.game.host.sleep(500);
    m.ismyTurn = false;
    m.theCubeAction.clear();
    if (m.isCrawford == 0 && !m.isCubeDead && !m.blackOwnsCube)
        m.theCubeAction = ask(1, 0, 0, QStringLiteral("cube"), p.prfGnuPlyEval);
    if (doubles(m.theCubeAction))
        engineDoubles(2500);
    else if (!m.gameOver)
        host_.RollDiceOffline();
}

void OfflineGame::engineRolled() {
    MatchState &m = c_.game.match;
    const StateFlags &f = c_.game.flags;
    const Preferences &p = c_.game.prefs;
    if (m.legalMoveCtr > 0) {
        m.bestMoveOpp = ask(1, m.die1, m.die2, QStringLiteral("move"), p.prfGnuPlyEval);
        if (engineFailed()) {
            // Told why already; the game waits for the user to give it up or start anew.
            c_.game.host.setStatus(QStringLiteral("GnuBG failed: Resign or New Match"));
            return;
        }
    }
    if (m.bestMoveOpp.isEmpty()) {
        if (m.legalMoveCtr != 0 || !f.isPlaying)
            return;
        ask(1, m.die1, m.die2, QString(), 0);
        m.bestMoveOpp.clear();
        log(QStringLiteral("GnuBG can't move."));
        m.die1 = 0;
        m.die2 = 0;
        host_.ShowTerminal(QStringLiteral("GnuBG can't move"));
        ask(0, 0, 0, QStringLiteral("gwc"), p.prfGnuPlyEval);
        if (p.prfSDance)
            PlayWav(QStringLiteral("dance"), false, p);
        if (!f.selfPlay)
            c_.game.host.setStatus(QStringLiteral("It's your turn to roll or double"));
        m.ismyTurn = true;
        m.theCubeAction.clear();
        c_.game.host.sleep(delayMs());
        c_.game.board.ClearDice(QStringLiteral("both"));
        if (!m.gameOver) {
            if (f.isPlaying && !m.AskToDouble)
                host_.RollDiceOffline();
        } else if (f.isPlaying && !m.isMatchOver) {
            ShowStartBoard();
        }
        return;
    }
    const QString line = QStringLiteral("GnuBG moves ") + m.bestMoveOpp;
    report(line);
    host_.ShowWhiteMovesFromString(line);
    if (m.gameOver) {
        if (f.isPlaying && !m.isMatchOver)
            ShowStartBoard();
        return;
    }
    if (f.isPlaying && !m.AskToDouble)
        host_.RollDiceOffline();
}

void OfflineGame::engineMoved() {
    MatchState &m = c_.game.match;
    const Preferences &p = c_.game.prefs;
    c_.game.host.GetPips();  // the engine judges the position its move left
    if (m.isMatch) {
        const QString resign = ask(0, 0, 0, QStringLiteral("resign"), p.prfGnuPlyEval);
        if (resign == QLatin1String("resign g ") || resign == QLatin1String("resign n ")) {
            host_.WinnerBlack();
            OfflineGameOver(resign);
            return;
        }
    }
    if (m.isCrawford == 0 && (m.theCubeVal == 1 || m.blackOwnsCube))
        m.theCubeAction = ask(0, 0, 0, QStringLiteral("cube"), p.prfGnuPlyEval);
    OfflineGameOver(QString());
    if (m.gameOver || m.isMatchOver) {
        if (m.isMatchOver)
            c_.game.host.setStatus(QStringLiteral("GnuBG wins the match"));
        return;
    }
    if (!c_.game.flags.selfPlay)
        c_.game.host.setStatus(QStringLiteral("It's your turn to roll or double"));
}

// GnuBG offers the cube: the user answers with Accept or Reject, self-play once the offer's
// line has been read.
void OfflineGame::engineDoubles(int answerWait) {
    MatchState &m = c_.game.match;
    m.isDoubled = true;
    c_.game.host.enableAcceptReject();
    m.die1 = 0;
    m.die2 = 0;
    feed(QStringLiteral("GnuBG doubles. Type 'accept' or 'reject'."));
    if (c_.game.flags.selfPlay && !m.isMatchOver) {
        pendingAnswer_ = m.theCubeAction;
        pendingWait_ = answerWait;
    }
}

// --- the user's actions against the engine -------------------------------------------------

bool OfflineGame::userMayDouble() const {
    const MatchState &m = c_.game.match;
    return !c_.game.prefs.prfDisableCube && !cubeFinished() && m.isCrawford != 1 &&
           (m.theCubeVal <= 1 || m.blackOwnsCube);
}

bool OfflineGame::cubeFinished() const {
    // A game that is over, or a match, has no cube left to turn.
    return c_.game.match.gameOver || c_.game.match.isMatchOver;
}

bool OfflineGame::mayDouble() {
    const MatchState &m = c_.game.match;
    // The user turns the cube on his own turn, before he rolls; GnuBG's turn (one left
    // standing by a failed engine among them) has no cube for him.
    if (cubeFinished() || !m.ismyTurn || m.die1 != 0 || m.die2 != 0)
        return false;
    if (c_.game.prefs.prfDisableCube) {
        Dialogs::message(QStringLiteral("Cube has been disabled in preferences."));
        return false;
    }
    return userMayDouble();
}

bool OfflineGame::engineAnswersDouble() {
    MatchState &m = c_.game.match;
    const Preferences &p = c_.game.prefs;
    if (!userMayDouble())
        return false;
    m.theCubeAction = ask(0, m.die1, m.die2, QStringLiteral("cube"), p.prfGnuPlyEval);
    // Without the engine's verdict there is no one to take or pass.
    if (m.theCubeAction.isEmpty())
        return false;
    m.cubeChanged = true;
    m.theCubeVal *= 2;
    c_.game.board.ShowCube(2, m.theCubeVal);
    if (p.prfSDouble)
        PlayWav(QStringLiteral("ding"), false, p);
    Pause(2000);

    if (m.theCubeAction == kNoDouble || m.theCubeAction == kDoubleTake) {
        m.blackOwnsCube = false;
        Pause(1000);
        c_.game.board.showMiddleGameboard();
        log(QStringLiteral("You double. Please wait for GnuBG to accept or reject."));
        log(QStringLiteral("GnuBG accepts the double. The cube shows ") + n(m.theCubeVal) + '.');
        m.AskToDouble = false;
        c_.play.setCubeTogglePicture(false);
        if (m.theMatchscore2 + m.theCubeVal >= m.theMatchLength)
            m.isCubeDead = true;
        if (!m.gameOver)
            host_.RollDiceOffline();
        return true;
    }
    if (m.theCubeAction == kTooGood || m.theCubeAction == kDoublePass) {
        m.theCubeVal /= 2;
        m.theMatchscore1 += m.theCubeVal;
        c_.game.host.setCaption(GameLabel::Score1, n(m.theMatchscore1));
        log(QStringLiteral("You double. Please wait for GnuBG to accept or reject."));
        log(QStringLiteral("GnuBG gives up. You win ") + n(m.theCubeVal) +
            (m.theCubeVal == 1 ? QStringLiteral(" point.") : QStringLiteral(" points.")));
        log(OfflineLines::scoreLine(m.theMatchLength, m.theMatchscore1, m.theMatchscore2));
        m.gameOver = true;
        gameScored_ = true;
        if (m.theMatchscore1 >= m.theMatchLength) {
            endMatch(true);
            return false;
        }
        if (c_.game.flags.selfPlay)
            Pause(1500);
        else
            Dialogs::message(OfflineLines::winBox(true, m.theCubeVal));
        ShowStartBoard();
        return false;
    }
    return true;
}

void OfflineGame::engineWinningChances() {
    const MatchState &m = c_.game.match;
    ask(0, m.die1, m.die2, QStringLiteral("gwc"), c_.game.prefs.prfGnuPlyEval);
}

void OfflineGame::engineTurnAfterUserMove() {
    MatchState &m = c_.game.match;
    const StateFlags &f = c_.game.flags;
    c_.game.host.GetPips();
    const bool cubeMatters = !(m.isMatch && (m.isCrawford != 0 || m.theCubeVal >= m.theMatchLength));
    if (cubeMatters && (m.theCubeVal == 1 || !m.blackOwnsCube))
        m.theCubeAction = ask(1, m.die1, m.die2, QStringLiteral("cube"), c_.game.prefs.prfGnuPlyEval);
    if (doubles(m.theCubeAction) && !m.blackOwnsCube) {
        engineDoubles(2000);
        return;
    }
    if (!m.gameOver && f.isPlaying)
        host_.RollDiceOffline();
    else if (m.gameOver && f.isPlaying && !m.isMatchOver)
        ShowStartBoard();
}

void OfflineGame::userAcceptsEngineDouble() {
    MatchState &m = c_.game.match;
    // Nothing on offer, nothing to take: the cube stays where it is.
    if (!m.isDoubled)
        return;
    report(QStringLiteral("You accept the double. The cube shows ") + n(m.theCubeVal) + '.');
    if (m.theMatchscore1 + m.theCubeVal >= m.theMatchLength)
        m.isCubeDead = true;
    m.blackOwnsCube = true;
    c_.game.board.showMiddleGameboard();
    m.isDoubled = false;
    m.isCubeClicked = false;
    c_.play.enableAcceptButtons(false);
    m.AskToDouble = true;
    c_.play.setCubeTogglePicture(true);
    host_.RollDiceOffline();
}

bool OfflineGame::userRejectsEngineDouble() {
    MatchState &m = c_.game.match;
    m.theCubeVal /= 2;
    if (m.isMatch) {
        m.theMatchscore2 += m.theCubeVal;
        report(QStringLiteral("You give up. GnuBG wins ") + n(m.theCubeVal) + QStringLiteral(" point"));
        report(OfflineLines::scoreLine(m.theMatchLength, m.theMatchscore1, m.theMatchscore2));
        gameScored_ = true;
        c_.game.host.setCaption(GameLabel::Score2, n(m.theMatchscore2));
        if (m.theMatchscore2 >= m.theMatchLength) {
            Dialogs::message(QStringLiteral("GnuBG  wins the match"));
            endMatch(false);
            return false;
        }
        if (!c_.game.flags.selfPlay)
            Dialogs::message(QStringLiteral("GnuBG  wins ") + n(m.theCubeVal) +
                             (m.theCubeVal == 1 ? QStringLiteral(" point") : QStringLiteral(" points")));
    }
    m.gameOver = true;
    ShowStartBoard();
    return true;
}

// --- the hint and self-play ----------------------------------------------------------------

void OfflineGame::mnutoggledouble_Click() {
    const MatchState &m = c_.game.match;
    if (!c_.game.flags.isBot || !(m.ismyTurn || m.isDoubled))
        return;
    if (m.die1 == 0 && m.die2 == 0)
        cubeAdvice();
    else if (m.ismyTurn)
        moveAdvice();
}

// Before the roll: should the user double, or take GnuBG's double.
void OfflineGame::cubeAdvice() {
    MatchState &m = c_.game.match;
    const int plies = c_.game.prefs.prfGnuPlyHint;
    if (m.isCrawford == 1)
        m.theCubeAction = QStringLiteral("Crawford Game");
    else if (m.ismyTurn)
        m.theCubeAction = ask(0, m.die1, m.die2, QStringLiteral("cube"), plies);
    else if (m.isDoubled)
        m.theCubeAction = askWithCube(1, m.theCubeVal / 2, m.die1, m.die2, QStringLiteral("cube"), plies);
    host_.startBlink();
    if (!c_.game.flags.selfPlay) {
        c_.game.host.setStatus(m.theCubeAction);
        return;
    }
    // Self-play doubles only a cube it may turn; any other verdict rolls.
    if (doubles(m.theCubeAction) && userMayDouble()) {
        m.ismyTurn = true;
        m.die1 = 0;
        m.die2 = 0;
        c_.game.input.pickUpClicked = true;
        host_.cmdPickUp_Click();
        OfflineGameOver(QString());
    } else {
        host_.RollDiceOffline();
    }
}

// After the roll: the engine's play of the user's dice, shown and taken back, or in
// self-play played and handed in.
void OfflineGame::moveAdvice() {
    MatchState &m = c_.game.match;
    const Preferences &p = c_.game.prefs;
    MousePointer::hourglass();
    host_.cmdUndo_Click();
    m.bestMovePlayer = ask(0, m.die1, m.die2, QStringLiteral("move"), p.prfGnuPlyHint);
    MousePointer::restoreDefault();
    if (m.bestMovePlayer.isEmpty())
        return;
    if (c_.game.flags.selfPlay) {
        c_.game.host.sleep(p.prfDelay > 0 ? delayMs() : 1500);
        showPlayedMove(m.bestMovePlayer);
        // The record holds the move as GnuBG chose it for the user: no checker was clicked.
        log(QStringLiteral("You move ") + m.bestMovePlayer);
        OfflineGameOver(QString());
        if (!m.gameOver) {
            m.ismyTurn = false;
            m.die1 = 0;
            m.die2 = 0;
            host_.handInMove();
        } else if (!m.isMatchOver) {
            ShowStartBoard();
        }
    } else {
        // The hint only shows the move: it is taken back, and a game it would have won
        // goes on.
        const bool wasOver = m.gameOver;
        showPlayedMove(m.bestMovePlayer);
        Pause(500);
        host_.cmdUndo_Click();
        m.gameOver = wasOver;
    }
    if (m.theCubeAction.isEmpty() && m.bestMovePlayer.isEmpty() && m.isCrawford != 0)
        c_.game.host.setStatus(QStringLiteral("Crawford game"));
}

void OfflineGame::showPlayedMove(const QString &moves) {
    host_.animateUserMoves(true);
    host_.ShowBlackMovesFromString(QStringLiteral("You move ") + moves);
    host_.animateUserMoves(false);
}

void OfflineGame::runSelfPlay() {
    // One loop plays the match: a game that starts inside a turn goes on in the loop that is
    // already running further up.
    if (selfPlayRunning_)
        return;
    selfPlayRunning_ = true;
    MatchState &m = c_.game.match;
    StateFlags &f = c_.game.flags;
    // Once the program's exit has begun a turn starts nothing and feeds nothing, which ends
    // the loop as any turn that changes nothing does.
    while (f.selfPlay && !m.gameOver && !m.isMatchOver) {
        const int before = fed_;
        if (!pendingAnswer_.isEmpty())
            answerDoubleForUser();
        else
            mnutoggledouble_Click();
        // A turn that put nothing new on the board would come round again unchanged: the
        // user takes over.
        if (fed_ == before)
            f.selfPlay = false;
        // Between two turns the Esc that stops self-play, or the close of the window, acts.
        handOnHeldInput();
    }
    selfPlayRunning_ = false;
}

void OfflineGame::answerDoubleForUser() {
    const QString answer = pendingAnswer_;
    pendingAnswer_.clear();
    c_.game.host.sleep(pendingWait_);
    if (answer == kDoubleTake)
        host_.cmdAccept_Click();
    else if (answer == kDoublePass)
        host_.cmdReject_Click();
}
