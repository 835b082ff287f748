#include "play/BoardLineApplication.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "app/SettingsText.h"
#include "app/SplitString.h"
#include "board/BoardDrawing.h"
#include "connection/BoardLine.h"
#include "engine/MoveGenerator.h"
#include "play/GameHost.h"
#include "play/LinePosition.h"
#include "play/MoveInput.h"

#include <exception>
#include <utility>

namespace {

void report(const char *text, const std::exception &error) {
    Dialogs::message(QLatin1String(text) + QString::fromLocal8Bit(error.what()));
}

}  // namespace

void BoardLineApplication::ShowBoardFromString(const QString &line) {
    MatchState &m = c_.match;
    try {
        m.bestMovePlayer.clear();
        m.bestMoveOpp.clear();
        c_.host.setStatus(QString());
        const BoardLine f(line);
        m.legalMoveCtr = 0;
        LinePosition::read(f, false, c_.checkers, c_.geometry);
        // Offline the program keeps the cube itself; its own lines only echo it.
        applyCubeAndRedraw(f, !c_.flags.isBot);

        if (f.number(BoardLine::PlayerDie1) > 0 && f.number(BoardLine::PlayerDie2) > 0) {
            c_.input.movesMade = 0;
            userRolled(f);
            if (c_.flags.isBot)
                c_.host.offlineUserRolled();
        }
        if (f.number(BoardLine::OpponentDie1) > 0 && f.number(BoardLine::OpponentDie2) > 0) {
            m.ismyTurn = false;
            c_.input.movesMade = c_.input.dieChoice = c_.input.diceUsed = c_.input.firstDie = 0;
            c_.input.mayMove = true;
            c_.host.setPickUpCaption(QStringLiteral("Double"));
            c_.host.enablePickUp(matchControlsApply());
            takeDice(f.number(BoardLine::OpponentDie1), f.number(BoardLine::OpponentDie2));
            c_.board.ShowWhitedice();
            if (!c_.flags.selfPlay)
                c_.host.setStatus(c_.host.caption(GameLabel::Player2) + QStringLiteral(" rolled ") +
                                  QString::number(m.die1) + QStringLiteral(" and ") + QString::number(m.die2));
            if (c_.flags.isPlaying && c_.flags.isBot)
                countLegalMoves();
            if (c_.flags.isBot)
                c_.host.offlineEngineRolled();
        }
        c_.input.clearMoveRecords();
    } catch (const std::exception &error) {
        report("Error in ShowBoardFromString ", error);
    }
}

void BoardLineApplication::ShowReverseBoardfromString(const QString &line) {
    MatchState &m = c_.match;
    try {
        c_.flags.isBot = false;
        const BoardLine f(line);
        LinePosition::read(f, true, c_.checkers, c_.geometry);
        applyCubeAndRedraw(f, true);

        if (f.number(BoardLine::OpponentDie1) > 0 && f.number(BoardLine::OpponentDie2) > 0) {
            m.ismyTurn = false;
            c_.input.movesMade = c_.input.dieChoice = c_.input.diceUsed = c_.input.firstDie = 0;
            if (c_.flags.isPlaying && c_.flags.isConnected) {
                c_.host.setPickUpCaption(QStringLiteral("Double"));
                c_.host.enablePickUp(true);
            }
            c_.input.mayMove = true;
            takeDice(f.number(BoardLine::OpponentDie1), f.number(BoardLine::OpponentDie2));
            c_.board.ShowWhitedice();
        }
        if (f.number(BoardLine::PlayerDie1) > 0 && f.number(BoardLine::PlayerDie2) > 0)
            userRolled(f);
        m.bestMovePlayer = mirroredMoveText(m.bestMovePlayer);
        c_.input.clearMoveRecords();
    } catch (const std::exception &error) {
        report("Error in ShowReverseBoardfrom String", error);
    }
}

void BoardLineApplication::applyCubeAndRedraw(const BoardLine &f, bool readCube) {
    MatchState &m = c_.match;
    if (readCube) {
        if (f.number(BoardLine::Cube) > 1) {
            m.theCubeVal = f.number(BoardLine::Cube);
            m.blackOwnsCube = f.number(BoardLine::PlayerMayDouble) != 0;
        } else {
            m.theCubeVal = 1;
            m.blackOwnsCube = false;
        }
    }
    if (f.is(BoardLine::Cube, u"1") && (f.is(BoardLine::OpponentMayDouble, u"0") || f.is(BoardLine::PlayerMayDouble, u"0")))
        c_.host.showNoDoublingPicture();
    c_.board.showMiddleGameboard();
    if (m.gameInit) {
        if (f.is(BoardLine::WasDoubled, u"1")) {
            c_.board.ShowCube(1, m.doubledCube());
            if (matchControlsApply())
                c_.host.enableAcceptReject();
        }
        if (f.is(BoardLine::Turn, u"1"))
            m.ismyTurn = true;
    }
}

void BoardLineApplication::userRolled(const BoardLine &f) {
    MatchState &m = c_.match;
    c_.host.setPickUpCaption(QStringLiteral("Pick Up"));
    m.ismyTurn = true;
    takeDice(f.number(BoardLine::PlayerDie1), f.number(BoardLine::PlayerDie2));
    c_.board.ShowBlackDice();
    m.theCubeAction.clear();
    if (!c_.flags.selfPlay)
        c_.host.setStatus(c_.host.caption(GameLabel::Player1) + QStringLiteral(" rolled ") + QString::number(m.die1) +
                          QStringLiteral(" and ") + QString::number(m.die2));
    countLegalMoves();
}

// Online and against GnuBG the board is a match's; a log played back offline is only
// watched, and gets no match controls.
bool BoardLineApplication::matchControlsApply() const {
    return c_.flags.isConnected || c_.flags.isBot;
}

// The larger die is shown and counted first.
void BoardLineApplication::takeDice(int a, int b) {
    c_.match.die1 = std::max(a, b);
    c_.match.die2 = std::min(a, b);
}

void BoardLineApplication::countLegalMoves() {
    MatchState &m = c_.match;
    c_.host.GetPips();
    m.legalMoveCtr = PubEvalMoveCount(c_.host.gnuBoard(), m.ismyTurn, m.die1, m.die2, c_.input.dieMoved);
}

QString BoardLineApplication::mirroredMoveText(const QString &moves) {
    const QStringList pieces = SplitWords(moves, QStringLiteral(" -"));
    QString text;
    for (int i = 1; i <= pieces.size(); ++i) {
        const QString &piece = pieces[i - 1];
        const auto number = SettingsText::isNumeric(piece) ? SettingsText::toInt32(piece) : std::nullopt;
        text += number ? QString::number(25 - *number) : piece;
        text += (i % 2 == 1 && i <= 7) ? QStringLiteral("-") : QStringLiteral("  ");
    }
    return text;
}
