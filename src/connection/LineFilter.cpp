#include "connection/LineFilter.h"

#include "app/Program.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"
#include "connection/ServerLineHost.h"

#include <QDateTime>
#include <stdexcept>

namespace {

const QString kWordDelimiters = QStringLiteral(" :  , >\r\n");

struct FilterError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The server's prompt for the name stands alone on its line. Other lines may begin with the
// word (a player called "login", a banner's "login as guest ..."); they ask for nothing.
bool isLoginPrompt(const QString &line) {
    return line.trimmed() == QLatin1String("login:");
}

}  // namespace

LineFilter::LineFilter(ServerLineHost &host) : host_(host) {}

QString LineFilter::loginCommand(const QString &version, const QString &user, const QString &password) {
    return QStringLiteral("login Korvex") + version + QStringLiteral(" 1008 ") + user + ' ' + password;
}

bool LineFilter::startsWatching(const QStringList &w) {
    const auto is = [&w](int n, const char *text) { return n <= w.size() && w.at(n - 1) == QLatin1String(text); };
    return (w.size() > 2 && is(2, "now") && is(3, "watching")) ||
           (w.size() > 3 && is(1, "You") && is(2, "are") && is(3, "now") && is(4, "watching"));
}

void LineFilter::FilterOutput(const QString &line) {
    const QStringList words = SplitWords(line, kWordDelimiters);
    try {
        applyRules(line, words);
    } catch (const std::exception &) {
        host_.message(QStringLiteral("Error in Fillter Output with") + line);
        return;
    }
    host_.ShowTerminal(line);
}

void LineFilter::sendUnguarded(const QString &command) {
    if (!host_.send(command))
        throw FilterError("not connected");
}

void LineFilter::sendGuarded(const QString &command) {
    if (host_.socketConnected())
        host_.send(command);
}

void LineFilter::playUnder(bool setting, const QString &sound) {
    if (!host_.prefs().prfDisableSounds && setting)
        host_.playSound(sound);
}

void LineFilter::applyRules(const QString &line, const QStringList &w) {
    const int count = int(w.size());
    auto word = [&](int n) { return n <= count ? w.at(n - 1) : QString(); };
    auto starts = [&](const char *text) { return line.startsWith(QLatin1String(text)); };
    auto contains = [&](const char *text) { return line.contains(QLatin1String(text)); };
    StateFlags &f = host_.flags();
    MatchState &m = host_.match();
    Preferences &p = host_.prefs();

    if (line == QLatin1String("** You did already roll the dice."))
        m.ismyTurn = true;
    if (contains("wanted to resign")) {
        host_.blinkStatus();
        host_.setStatus(line);
    }
    if (contains("didn't double or resign")) {
        host_.UndoMove();
        sendUnguarded(QStringLiteral("board "));
    }
    if (line == QLatin1String("Value of 'boardstyle' is 1"))
        sendUnguarded(QStringLiteral("set boardstyle 3 "));
    if (starts("** Won't send rawboards")) {
        sendUnguarded(QStringLiteral("toggle moreboards "));
        f.serverSwitches.set(ServerSwitches::Moreboards, true);
    }
    if (starts("You gag ") || starts("You ungag "))
        host_.message(line);
    if (starts("** Will send rawboards after rolling"))
        p.prfFirstTimer = false;
    if (contains("O |")) {
        sendUnguarded(QStringLiteral("set boardstyle 3 "));
        host_.letEventsRun();
        host_.sleep(1000);
        sendUnguarded(QStringLiteral("board "));
    }
    if (starts("You're away")) {
        f.isAway = true;
        host_.ShowAway(true);
        host_.message(QStringLiteral("You are away.."));
    }
    if (starts("** You're not away"))
        f.isAway = false;
    if (starts("Welcome back")) {
        f.isAway = false;
        host_.ShowAway(false);
    }
    if (line == QLatin1String("** You're now ready to invite or join someone.")) {
        host_.setStatus(line);
        f.isReady = true;
        host_.setReadyPicture(true);
    }
    if (line == QLatin1String("** You're now refusing to play with someone.")) {
        host_.setStatus(line);
        f.isReady = false;
        host_.setReadyPicture(false);
    }
    if (line == QLatin1String("** You won't be asked if you want to double.")) {
        f.serverSwitches.set(ServerSwitches::Double, false);
        m.AskToDouble = false;
        f.isToggleDoubleClicked = false;
        host_.setCubeTogglePicture(false);
    }
    if (line == QLatin1String("** You will be asked if you want to double.")) {
        f.serverSwitches.set(ServerSwitches::Double, true);
        m.AskToDouble = true;
        f.isToggleDoubleClicked = false;
        host_.setCubeTogglePicture(true);
    }
    if ((count > 1 && word(1) == QLatin1String("Starting")) || contains("** Will use automatic greedy bearoffs") ||
        contains("** Won't use automatic greedy bearoffs") || starts("** You must give"))
        host_.setStatus(line);
    if (!host_.theusername().isEmpty() && line.startsWith(QStringLiteral("points for ") + host_.theusername()))
        host_.cmdRefresh_Click();
    if (starts("You did already roll the dice"))
        host_.cmdRefresh_Click();
    if (!host_.theusername().isEmpty() && line.startsWith(QStringLiteral("turn: ") + host_.theusername()))
        host_.setStatus(QStringLiteral("Its your turn to roll"));
    if (starts("WARNING:"))
        host_.resumeOnlyWarning(line, w);
    if (contains("is already playing"))
        sendGuarded(QStringLiteral("who ready "));
    if (contains("The game was saved"))
        savedGame(line);
    if (f.isConnected && contains("roll or double")) {
        host_.setStatus(line);
        host_.blinkStatus();
        m.AskToDouble = true;
        host_.askedToRollOrDouble();
    }
    if (contains("Type 'join' if you want to play")) {
        host_.setStatus(QStringLiteral("Starting the next game ..."));
        if (host_.socketConnected()) {
            host_.send(QStringLiteral("join "));
            m.MovesToMake = 0;
            m.AskToDouble = true;
            host_.setCubeTogglePicture(true);
        }
    }
    const QString typedUser = host_.loginUserText();
    if (typedUser == QLatin1String("Guest") || typedUser == QLatin1String("guest")) {
        host_.message(QStringLiteral("If you are logging into FIBS  for the first time, please see the notes in help "
                                     "on how to create a username/password"));
        guestSeen_ = true;
    }
    if (!guestSeen_ && isLoginPrompt(line))
        login();
    if (count >= 2 && (word(2) == QLatin1String("doubles.") || word(2) == QLatin1String("double.")))
        doubleOffered(line, w);
    if (count >= 3 && (word(2) == QLatin1String("gives") || word(2) == QLatin1String("give")) &&
        word(3) == QLatin1String("up."))
        host_.doubleRefused();
    if (count >= 3 && word(2) == QLatin1String("can't") && word(3) == QLatin1String("move."))
        noMovePossible(line, w);
    if (count >= 9 && ((word(2) == QLatin1String("wants") && word(3) == QLatin1String("to") &&
                        word(4) == QLatin1String("resign.")) ||
                       (word(3) == QLatin1String("wanted") && word(4) == QLatin1String("to") &&
                        word(5) == QLatin1String("resign."))))
        resignationOffered(w);
    if (!f.isBot && count > 5)
        gameEnd(line, w);
    if (host_.player1Caption() == QLatin1String("You") && (f.isConnected || f.isBot) && count > 6)
        matchEnd(w);
    if (count == 3 && word(1) == QLatin1String("Information"))
        host_.playerInformation(line, w);
    if (line.contains(QLatin1String("Rating:")) && line.contains(QLatin1String("Experience:")))
        host_.playerRating(line, w);
    if (count > 4 && word(2) == QLatin1String("wants") && word(3) == QLatin1String("to") &&
        word(4) == QLatin1String("play"))
        host_.invitationToPlay(line, w);
    if (count > 4 && word(2) == QLatin1String("wants") && word(3) == QLatin1String("to") &&
        word(4) == QLatin1String("resume"))
        host_.invitationToResume(line, w);
    if (startsWatching(w))
        host_.userStartsWatching(line, w);
    if (count >= 4 &&
        (word(2) == QLatin1String("starts") || word(2) == QLatin1String("is") || word(2) == QLatin1String("stops")) &&
        word(3) == QLatin1String("watching"))
        host_.watcherOfUser(line, w);
    if (starts("** Last login:") && firstPass) {
        host_.setStatus(QStringLiteral("Welcome to FIBS"));
        firstPass = false;
    }
}

void LineFilter::savedGame(const QString &line) {
    StateFlags &f = host_.flags();
    MatchState &m = host_.match();
    host_.setStatus(line);
    m.MovesToMake = 0;
    m.AskToDouble = true;
    m.timeCtr = QDateTime::currentDateTime();
    f.isPlaying = false;
    if (host_.prefs().prfToggleReady && f.isReady)
        sendGuarded(QStringLiteral("toggle ready "));
    playUnder(host_.prefs().prfSDropped, QStringLiteral("dropped"));
    host_.SaveDropped();
}

void LineFilter::login() {
    if (!host_.socketConnected())
        return;
    // A server prompts again after the login line only when it refused the name or the
    // password; answering each prompt would flood it with the same refused line. Once the
    // user's own information has come, the login was taken and a prompt means nothing.
    StateFlags &f = host_.flags();
    if (f.loginSent) {
        if (f.initOutput)
            host_.loginRefused();
        return;
    }
    const QString password = host_.loginPasswordText();
    if (password.isEmpty()) {
        host_.message(QStringLiteral("Error with blank password"));
        host_.prefs().prfConnectAuto = false;
        return;
    }
    host_.send(loginCommand(Program::versionString(), host_.loginUserText(), password));
    f.loginSent = true;
    host_.setLoginCaption(QStringLiteral("Validating.."));
}

void LineFilter::doubleOffered(const QString &line, const QStringList &w) {
    StateFlags &f = host_.flags();
    MatchState &m = host_.match();
    const bool opponentDoubles = w.at(1) == QLatin1String("doubles.");
    if (opponentDoubles)
        m.isDoubled = true;
    host_.setStatus(f.isBot ? QStringLiteral("GnuBG doubles. Click the cube to accept") : line);
    m.cubeChanged = true;
    m.cubeBeforeOffer = m.theCubeVal;
    m.theCubeVal = m.doubledCube();
    // The user's own double waits for the other side's answer, not for his.
    if (f.isPlaying && opponentDoubles)
        host_.enableAcceptReject();
    host_.ShowCube(w.at(0) == host_.player1Caption() ? 2 : 1, m.theCubeVal);
    playUnder(host_.prefs().prfSDouble, QStringLiteral("ding"));
    if (!f.isConnected && !f.replayStep && !f.isBot)
        host_.sleep(3000);  // a continuous playback: let the viewer see the double
}

void LineFilter::noMovePossible(const QString &line, const QStringList &w) {
    MatchState &m = host_.match();
    playUnder(host_.prefs().prfSDance, QStringLiteral("dance"));
    host_.letEventsRun();
    host_.setStatus(line);
    host_.letEventsRun();
    host_.sleep(1500);
    if (w.at(0) == host_.player1Caption())
        host_.ClearDice(QStringLiteral("black"));
    if (w.at(0) == host_.player2Caption()) {
        host_.ClearDice(QStringLiteral("white"));
        m.ismyTurn = true;
        m.die1 = 0;
        m.die2 = 0;
    }
}

void LineFilter::resignationOffered(const QStringList &w) {
    StateFlags &f = host_.flags();
    host_.match().MovesToMake = 0;
    playUnder(host_.prefs().prfSDouble, QStringLiteral("ding"));
    host_.enableAcceptReject();
    const QString offer =
        QStringList{w.at(0), w.at(1), w.at(2), w.at(3), w.at(7), w.at(8)}.join(' ') + QStringLiteral(".");
    if (f.isPlaying && f.isConnected) {
        const QString status = w.at(2) == QLatin1String("wanted")
                                   ? host_.player2Caption() + QStringLiteral(" Check server window for opponent resignation..")
                                   : offer + QStringLiteral(" Click Accept or Reject");
        checkResignation(w);
        host_.blinkStatus();
        host_.setStatus(status);
    } else {
        host_.setStatus(offer);
    }
}

void LineFilter::checkResignation(const QStringList &w) {
    const MatchState &m = host_.match();
    const QString points = w.at(7);
    // In 64 bits: the cube comes from the server's lines and may be as large as an int holds.
    const qint64 cube = m.theCubeVal;
    if (m.theMatchLength <= 1 || !SettingsText::isNumeric(points) || m.theMatchscore1 + cube >= m.theMatchLength)
        return;
    const int offered = SettingsText::roundEven(points.toDouble());
    if (offered >= m.theMatchLength)
        return;
    const bool gammon = host_.GetResignType(1) == QLatin1String("resign g ");
    const bool backgammon = host_.GetResignType(1) == QLatin1String("resign b ");
    if ((gammon && offered < 2 * cube) || (backgammon && offered < 3 * cube))
        host_.message(QStringLiteral("Warning.. possible incorrect resign by opponent"));
}

void LineFilter::gameEnd(const QString &line, const QStringList &w) {
    if (w.at(0) == host_.player1Caption() && (w.at(1) == QLatin1String("wins") || w.at(1) == QLatin1String("win"))) {
        host_.setStatus(line);
        host_.match().MovesToMake = 0;
        host_.WinnerBlack();
    }
    if (w.at(0) == host_.player2Caption() && w.at(1) == QLatin1String("wins")) {
        host_.setStatus(line);
        host_.match().MovesToMake = 0;
        host_.WinnerWhite();
    }
}

void LineFilter::matchEnd(const QStringList &w) {
    StateFlags &f = host_.flags();
    MatchState &m = host_.match();
    Preferences &p = host_.prefs();
    const bool won = w.at(0) == host_.player1Caption() && w.at(1) == QLatin1String("win") &&
                     w.at(5) == QLatin1String("match");
    const bool lost = w.at(0) == host_.player2Caption() && w.at(1) == QLatin1String("wins") &&
                      w.at(5) == QLatin1String("match");
    if (!won && !lost)
        return;
    const int length = w.at(3).toInt();
    // "You win the 3 point match 3-1": the winner's points first. No board line follows the
    // last game, so the labels take the final score from here.
    const QStringList score = QString(w.at(6)).remove(QLatin1Char('.')).split(QLatin1Char('-'));
    if (score.size() == 2 && SettingsText::isNumeric(score[0]) && SettingsText::isNumeric(score[1])) {
        const int winner = score[0].toInt(), loser = score[1].toInt();
        host_.showFinalScore(won ? winner : loser, won ? loser : winner);
    }
    if (won) {
        playUnder(p.prfSWon, QStringLiteral("won"));
        if (!f.isWatching)
            host_.MakeStats(host_.player2Caption(), length, true);
    } else {
        playUnder(p.prfSLost, QStringLiteral("lost"));
        if (!f.selfPlay && !f.isWatching)
            host_.MakeStats(host_.player2Caption(), length, false);
    }
    m.MovesToMake = 0;
    // Only a match that was being recorded is saved: a position played offline was not.
    const bool recorded = f.isLogging;
    f.isPlaying = false;
    f.isLogging = false;
    m.timeCtr = QDateTime::currentDateTime();
    if (p.prfSaveAll && recorded) {
        m.initFileName = host_.player2Caption();
        f.saveJFMat = true;
        f.saveAutoFlag = true;
        if (f.isBot)
            host_.SaveAuto();
    }
}
