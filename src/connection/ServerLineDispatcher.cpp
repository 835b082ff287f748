#include "connection/ServerLineDispatcher.h"

#include "app/InputGuards.h"
#include "app/ProgramExit.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"
#include "app/TimeAgo.h"
#include "app/WebLinks.h"
#include "connection/LineFilter.h"
#include "connection/ServerLineHost.h"

#include <algorithm>
#include <stdexcept>

namespace {

const QString kWordDelimiters = QStringLiteral(" :   ,");
const QString kHomePage = WebLinks::homePage();


// The words from index `from` (0-based) on, each followed by one blank.
QString wordsFrom(const QStringList &w, int from) {
    QString text;
    for (int i = from; i < w.size(); ++i)
        text += w.at(i) + ' ';
    return text;
}

// Only the board line itself stays out of the filter and the server pane; a player whose
// name holds "board" (boardwalker, skateboarder) is a player like any other. The words are cut
// at colons too, so the line decides.
bool isBoardLine(const QString &line) {
    qsizetype start = 0;
    while (start < line.size() && line.at(start) == ' ')
        ++start;
    return QStringView(line).sliced(start).startsWith(QLatin1String("board:"));
}

}  // namespace

ServerLineDispatcher::ServerLineDispatcher(ServerLineHost &host) : host_(host) {}

QString ServerLineDispatcher::truncateString(int start, const QString &line) {
    // The server sends an empty shout or message as the bare code and name ("13 Rocky"):
    // its text is empty.
    const qsizetype blank = line.indexOf(' ', qMax(0, start - 1));
    return blank < 0 ? QString() : line.mid(blank);
}

QStringList ServerLineDispatcher::separateGluedLine(const QString &line) {
    constexpr int kBoardFields = 53;
    if (!line.startsWith(QLatin1String("board:")))
        return {line};
    // Find where the last field starts; runs of colons count as one separator.
    int fields = 0;
    qsizetype lastField = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == ':')
            continue;
        if (i == 0 || line.at(i - 1) == ':') {
            if (++fields == kBoardFields) {
                lastField = i;
                break;
            }
        }
    }
    if (lastField < 0)
        return {line};
    const QString rest = line.mid(lastField);
    const bool onlyDigits = std::all_of(rest.begin(), rest.end(), [](QChar c) { return c.isDigit(); });
    if (rest.size() <= 1 || onlyDigits || !rest.at(0).isDigit())
        return {line};
    return {line.left(lastField + 1), rest.mid(1)};
}

void ServerLineDispatcher::SplitFibString(const QString &data, Source source) {
    // The program is ending: what came from the server is read out, a log played back is not.
    if (source == Source::PlayedBack && ProgramExit::begun())
        return;
    waiting_.push_back({data, source});
    if (running_)
        return;
    running_ = true;
    while (!waiting_.empty()) {
        const Text next = waiting_.front();
        waiting_.pop_front();
        reading_ = next.source;
        dropRest_ = false;
        dispatch(next.data);
    }
    running_ = false;
    dropRest_ = false;
    std::vector<std::function<void()>> idle;
    idle.swap(whenIdle_);
    for (const auto &then : idle)
        then();
}

bool ServerLineDispatcher::dropPlayedBack() {
    const auto playedBack = [](const Text &text) { return text.source == Source::PlayedBack; };
    const auto waiting = std::remove_if(waiting_.begin(), waiting_.end(), playedBack);
    bool dropped = waiting != waiting_.end();
    waiting_.erase(waiting, waiting_.end());
    if (running_ && reading_ == Source::PlayedBack && !dropRest_) {
        dropRest_ = true;
        dropped = true;
    }
    return dropped;
}

void ServerLineDispatcher::whenIdle(std::function<void()> then) {
    if (running_)
        whenIdle_.push_back(std::move(then));
    else
        then();
}

void ServerLineDispatcher::dispatch(const QString &data) {
    if (host_.flags().isConnected) {
        lampState_ = lampState_ == 1 ? 2 : 1;
        host_.showDataArrival(lampState_);
    }
    // A double quote ends a line only in text the program made itself; the server's last
    // lines are still its own while they are read out after a hang-up.
    const bool serverText = host_.socketConnected() || host_.flags().isConnected;
    const QString lineDelimiters = serverText ? QStringLiteral("\r\n") : QStringLiteral("\r\n\"");
    // NUL bytes are no text. The connection drops telnet's already, but a log saved before it
    // did may hold them when it is played back.
    QString text = data;
    text.remove(QChar(0));
    QStringList lines;
    for (const QString &line : SplitWords(text, lineDelimiters))
        lines << separateGluedLine(line);

    detectMatchStart(lines);

    for (const QString &line : lines) {
        if (dropRest_)
            break;
        try {
            readLine(line);
        } catch (const std::exception &error) {
            // One bad line is skipped; the lines after it are still read.
            reportError(QString::fromLocal8Bit(error.what()));
        }
        // A click or a key the line's waits held acts now, before the next line, however many
        // more have come: a backlog never keeps the user waiting. After one that ends the
        // program the lines go on being read, without their waits.
        handOnHeldInput();
    }
}

void ServerLineDispatcher::detectMatchStart(const QStringList &lines) {
    // Joining a saved match marks the user as playing before the server has loaded it: the
    // resumed match still starts its record.
    const bool playing = host_.flags().isPlaying;
    for (const QString &line : lines) {
        if (line.isEmpty() || line.at(0).isDigit())
            continue;
        const bool resumed = line.contains(QLatin1String("Your running match was loaded."));
        const bool starts = resumed || (!playing && (line.contains(QLatin1String(" are now playing ")) ||
                                                     line.contains(QLatin1String(" has joined you for a ")) ||
                                                     line.contains(QLatin1String("** Player "))));
        if (!starts)
            continue;

        host_.ownMatchStarts(line);
        StateFlags &f = host_.flags();
        MatchState &m = host_.match();
        const bool wasWatching = f.isWatching;
        f.isLogging = true;
        f.isPlaying = true;
        f.isWatching = false;
        if (wasWatching)
            host_.watchingEnded();
        m.gameInit = true;
        m.AskToDouble = true;
        host_.setCubeTogglePicture(true);
        m.MovesToMake = 0;
        m.legalMoveCtr = 0;
        m.isDoubled = false;
        m.isCubeClicked = false;
        host_.clearKibitzInput();
        host_.resetMoveInput();
        if (host_.prefs().prfFirstTimer && switchOn(ServerSwitches::Moreboards))
            host_.pause(200);
        if (host_.socketConnected()) {
            host_.send(QStringLiteral("board "));
            host_.pause(200);
        }
        return;
    }
}

// Whether a line is recorded is decided as it is read, not once for its whole text: the
// board line that starts a watched match is kept with the lines after it, and a watched
// match's last line goes into its file. Numbered lines are never recorded. The own match's
// record is kept while logging; a watched match's from its first board line on, apart from
// it and without logging, so that no watched line can reach the user's record.
void ServerLineDispatcher::readLine(const QString &line) {
    StateFlags &f = host_.flags();
    SharedLists &lists = host_.lists();
    const bool plain = !line.isEmpty() && !line.at(0).isDigit();
    const QStringList w = SplitWords(line, kWordDelimiters);
    auto word = [&](int n) { return n <= w.size() ? w.at(n - 1) : QString(); };

    // Watching someone else ends the last watching.
    if (plain && LineFilter::startsWatching(w) && !lists.watchLog.isEmpty())
        host_.watchingEnded();

    const auto keepsWatched = [&] {
        return plain && f.isWatching && (!lists.watchLog.isEmpty() || line.startsWith(QLatin1String("board:")));
    };
    const bool watchedBefore = keepsWatched();
    if (plain && f.isLogging && f.isPlaying)
        lists.matchLog << line;
    if (watchedBefore)
        lists.watchLog << line;
    const bool wasWatching = f.isWatching;
    handleLine(line, w);
    if (!watchedBefore && keepsWatched())
        lists.watchLog << line;

    if (!wasWatching)
        return;
    const bool stops = line.startsWith(QLatin1String("You stop watching "));
    const bool matchOver = f.isWatching && word(2) == QLatin1String("wins") && w.contains(QLatin1String("match")) &&
                           (word(1) == host_.player1Caption() || word(1) == host_.player2Caption());
    if (stops || matchOver) {
        f.isWatching = false;
        if (!f.isPlaying)
            f.isLogging = false;
    }
    if (!f.isWatching)
        host_.watchingEnded();
}

void ServerLineDispatcher::handleLine(const QString &line, const QStringList &w) {
    const int count = int(w.size());
    auto word = [&](int n) { return n <= count ? w.at(n - 1) : QString(); };
    StateFlags &f = host_.flags();
    MatchState &m = host_.match();
    bool echoLine = true;

    if (count == 1 && word(1) == QLatin1String("6")) {
        f.endList = true;
        host_.UpdatePlayerList(QString(), QStringLiteral("end"), line);
        if (!welcomeShown_) {
            host_.setStatus(QStringLiteral("Welcome ..."));
            welcomeShown_ = true;
        }
    }
    if (count == 22 && word(1) == QLatin1String("2"))
        ownInformation(w);
    if (count == 1 && word(1) == QLatin1String("3"))
        host_.hideLoginWindow();
    if (count > 5 && word(1) == QLatin1String("5"))
        host_.UpdatePlayerList(word(2), QStringLiteral("ready"), line);
    if (count > 1 && word(1) == QLatin1String("8"))
        host_.UpdatePlayerList(word(2), QStringLiteral("logout"), line);
    if (count > 4 && word(1) == QLatin1String("You") && word(2) == QLatin1String("roll")) {
        m.ismyTurn = true;
        m.MovesToMake = 0;
    }
    if (count > 4 && word(1) == host_.player2Caption() && word(2) == QLatin1String("rolls")) {
        m.ismyTurn = false;
        m.MovesToMake = 0;
    }
    if (count >= 6 && m.ismyTurn && word(1) == QLatin1String("The") && word(2) == QLatin1String("only") &&
        word(3) == QLatin1String("possible"))
        host_.ProcessBoardOutput(QStringLiteral("You move ") + wordsFrom(w, 5));
    if ((count == 6 || count == 10) && m.ismyTurn && word(1) == QLatin1String("Bearing") &&
        word(2) == QLatin1String("off")) {
        QString move = QStringLiteral("You move ") + word(3) + QStringLiteral("-off ") + word(5) + QStringLiteral("-off");
        if (count == 10)
            move += ' ' + word(7) + QStringLiteral("-off ") + word(9) + QStringLiteral("-off ");
        host_.ProcessBoardOutput(move);
    }
    if (count > 1 && (word(1) == QLatin1String("board") || word(2) == QLatin1String("moves") ||
                      word(2) == QLatin1String("move")))
        host_.ProcessBoardOutput(line);
    if (count == 4 && word(1) == QLatin1String("Please") && word(2) == QLatin1String("move") && SettingsText::isNumeric(word(3)))
        m.MovesToMake = word(3).toInt();
    if (count >= 2 && (word(1) == QLatin1String("13") || word(1) == QLatin1String("17")))
        shoutRule(line, w, echoLine);
    static const QStringList kibitzCodes{"19", "15", "9", "11", "10", "18", "14"};
    if (count >= 2 && kibitzCodes.contains(word(1)))
        kibitzRule(line, w);
    if (f.isConnected && count >= 3 && (word(1) == QLatin1String("16") || word(1) == QLatin1String("12")))
        sayRule(line, w, echoLine);
    if (count >= 1 && !isBoardLine(line) && f.endList && !SettingsText::isNumeric(word(1)) && echoLine)
        host_.FilterOutput(line);
}

// Each switch is turned only when the line says it is off: a toggle sent for one already
// on would switch it off.
void ServerLineDispatcher::ownInformation(const QStringList &w) {
    StateFlags &f = host_.flags();
    ServerSwitches &switches = f.serverSwitches;
    switches.readOwnInformation(w);
    f.initOutput = false;
    f.isReady = w.at(17) != QLatin1String("0");
    host_.setReadyPicture(f.isReady);
    if (switchOn(ServerSwitches::Automove))
        host_.pause(200);
    if (switchOn(ServerSwitches::Moreboards)) {
        host_.letEventsRun();
        host_.pause(200);
    }
    if (switchOn(ServerSwitches::Notify)) {
        host_.letEventsRun();
        host_.pause(200);
    }
    host_.setStatus(QStringLiteral("Loading Player List..."));
    if (switches.startupTogglesWaiting)
        host_.SendStartupToggles();
}

// Sends the toggle for a switch not known to be on; false when nothing went out.
bool ServerLineDispatcher::switchOn(ServerSwitches::Switch which) {
    ServerSwitches &switches = host_.flags().serverSwitches;
    if (switches.isOn(which) || !host_.socketConnected())
        return false;
    host_.send(ServerSwitches::toggleCommand(which));
    switches.set(which, true);
    return true;
}

void ServerLineDispatcher::chatSound(const QStringList &w) {
    const Preferences &p = host_.prefs();
    if (!p.prfDisableSounds && p.prfTalkingWavs && w.size() == 3 && w.at(2).contains(QLatin1String(".wav")))
        host_.playChatSound(w.at(2));
}

void ServerLineDispatcher::shoutRule(const QString &line, const QStringList &w, bool &echoLine) {
    QString chatText;
    if (w.at(0) == QLatin1String("13")) {
        chatText = truncateString(4, line);
        chatText = host_.IsGagged(w.at(1)) ? QString() : w.at(1) + QStringLiteral(" shouts: ") + chatText;
        if (host_.prefs().prfSShout && !host_.IsGagged(w.at(1)))
            chatSound(w);
    } else {
        if (host_.prefs().prfSShout)
            chatSound(w);
        chatText = QStringLiteral("You shout: ") + truncateString(2, line);
    }
    host_.showInChatWindow(QStringLiteral("Shouts.."), chatText);
    host_.ShowShout(chatText);
    echoLine = false;
}

void ServerLineDispatcher::kibitzRule(const QString &line, const QStringList &w) {
    const QString code = w.at(0);
    const bool gagged = w.size() > 1 && host_.IsGagged(w.at(1));
    QString chatText;
    if (code == QLatin1String("15"))
        chatText = gagged ? QString() : w.at(1) + QStringLiteral(" kibitzes: ") + truncateString(4, line);
    else if (code == QLatin1String("19"))
        chatText = QStringLiteral("You kibitz: ") + truncateString(2, line);
    else if (code == QLatin1String("14"))
        chatText = w.at(1) + QStringLiteral(" whispers: ") + truncateString(4, line);
    else if (code == QLatin1String("18"))
        chatText = QStringLiteral("You whisper: ") + truncateString(2, line);

    if (!gagged || code == QLatin1String("19") || code == QLatin1String("18"))
        chatSound(w);

    if (code == QLatin1String("9") && w.size() > 3) {
        const QString age = FormatTimeAgo(w.at(2).toLongLong());
        const QString body = wordsFrom(w, 3);
        host_.ShowKibitz(gagged ? QString() : age + ' ' + w.at(1) + QStringLiteral(" wrote this message: ") + body);
        chatText.clear();
    }
    if (code == QLatin1String("11"))
        chatText = QStringLiteral(" message saved: ") + truncateString(2, line);
    if (code == QLatin1String("10"))
        chatText = QStringLiteral(" message delivered: ") + truncateString(2, line);
    if (!chatText.isEmpty())
        host_.ShowKibitz(chatText);
}

void ServerLineDispatcher::sayRule(const QString &line, const QStringList &w, bool &echoLine) {
    const bool gagged = host_.IsGagged(w.at(1));
    QString chatText;
    if (w.at(0) == QLatin1String("16"))
        chatText = QStringLiteral("You: ") + truncateString(4, line);
    else
        chatText = gagged ? QString() : w.at(1) + QStringLiteral(": ") + truncateString(4, line);
    if (!gagged)
        chatSound(w);

    host_.flags().whoSays = w.at(1);
    const QString caption = QStringLiteral("Chat (") + w.at(1) + ')';
    bool chatFound = false;
    if (host_.showInChatWindow(caption, chatText)) {
        chatFound = true;
        echoLine = false;
    }
    if (!gagged && !host_.progressWindowVisible() && !chatFound) {
        host_.openChatWindow(w.at(1), chatText);
        echoLine = false;
    }
}

void ServerLineDispatcher::reportError(const QString &description) {
    ++errorCount_;
    host_.setStatus(kHomePage);
    host_.message(QStringLiteral("There was an error. You may be able to resume.\r\n") + description +
                  QStringLiteral("\r\n If the problem persists, please  check the homepage for upgrades\r\n") +
                  kHomePage);
}
