#include "board/CheckerMoves.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Preferences.h"
#include "board/BoardDrawing.h"
#include "board/BoardGeometry.h"

#include <exception>

namespace {

Side opponent(Side side) {
    return side == Side::Black ? Side::White : Side::Black;
}

bool samePlace(const CheckerRec &a, const CheckerRec &b) {
    return a.x == b.x && a.y == b.y && a.slot == b.slot;
}

void report(const char *text, const std::exception &error) {
    Dialogs::message(QLatin1String(text) + QString::fromLocal8Bit(error.what()));
}

}  // namespace

CheckerMoves::CheckerMoves(BoardDrawing &board, const BoardGeometry &geometry, CheckerRecords &records,
                           MatchState &match, const Preferences &prefs)
    : board_(board), geometry_(geometry), records_(records), match_(match), prefs_(prefs) {}

void CheckerMoves::MoveBlackChecker(int &checker, int target, bool playSound) {
    move(Side::Black, checker, target, playSound);
}

void CheckerMoves::MoveWhiteChecker(int &checker, int target, bool playSound) {
    move(Side::White, checker, target, playSound);
}

void CheckerMoves::move(Side side, int &checker, int target, bool playSound) {
    const bool black = side == Side::Black;
    try {
        if (black)
            match_.gameOver = false;
        CheckerSet &own = records_.checkers(side);
        records_.beforeMove(side) = own;

        // Whichever checker of a stack is asked for, the one on top moves.
        const int from = own[checker].point;
        const int height = own.countOn(from);
        for (int i = 1; i <= CheckerSet::size; ++i)
            if (own[i].point == from && own[i].slot == height)
                checker = i;

        if (black && target < 1)
            target = Position::blackTray;
        if (!black && target > 24 && target != Position::whiteBar)
            target = Position::whiteTray;

        // A hit is what the position says, not what happens to lie at the landing place.
        const CheckerSet &other = records_.checkers(opponent(side));
        const bool hits = target >= 1 && target <= 24 && other.countOn(target) == 1;
        const int blot = hits ? other.firstOn(target) : 0;

        own.place(checker, target, own.countOn(target) + 1, geometry_);
        refresh(side, checker, blot);
        if (board_.hooks.GetPips)
            board_.hooks.GetPips();
        if (playSound && !soundPlayed(side))
            play("move");
        soundPlayed(side) = false;
    } catch (const std::exception &error) {
        report(black ? "Error in MoveBlackChecker  " : "Error in MoveWhitechecker  ", error);
    }
}

void CheckerMoves::refresh(Side side, int checker, int hit) {
    try {
        const SpriteRect sprite = board_.checkerSprite(side);
        const CheckerSet &before = records_.beforeMove(side);
        const CheckerSet &now = records_.checkers(side);

        // One pixel short of the sprite each way: the sprites keep their last row and column clear.
        for (int i = 1; i <= CheckerSet::size; ++i)
            if (!before[i].isParked())
                board_.erase(before[i].x, before[i].y, sprite.width() - 1, sprite.height() - 1);

        const CheckerRec moved = now[checker];
        for (int slot = 1; slot <= CheckerSet::size; ++slot)
            for (int i = 1; i <= CheckerSet::size; ++i)
                if (now[i].slot == slot && !samePlace(now[i], moved))
                    board_.drawChecker(side, now[i].x, now[i].y);
        board_.showBuffer();

        int changed = 0;
        for (int i = 1; i <= CheckerSet::size && !changed; ++i)
            if (!samePlace(before[i], now[i]))
                changed = i;
        if (!changed) {
            // Nothing went anywhere; the checker left out above still belongs on the board.
            if (!moved.isParked())
                board_.drawChecker(side, moved.x, moved.y);
            board_.showBuffer();
            return;
        }

        const QPoint from(before[changed].x, before[changed].y);
        const QPoint to(now[changed].x, now[changed].y);
        // The erasure also wiped an opponent checker that has just landed on the old place.
        const CheckerSet &other = records_.checkers(opponent(side));
        for (int i = 1; i <= CheckerSet::size; ++i) {
            if (!other[i].isParked() && other[i].x == from.x() && other[i].y == from.y()) {
                board_.drawUprightChecker(opponent(side), from.x(), from.y());
                board_.showBuffer(QRect(from, QSize(sprite.width(), sprite.height())));
                break;
            }
        }

        if (board_.hooks.slide)
            board_.hooks.slide(side, from, to);
        land(side, to, hit);
        if (geometry_.isTrayPlace(to.x()) && prefs_.prfSMove) {
            play("bearoff");
            soundPlayed(side) = true;
        }
        board_.showBuffer();
    } catch (const std::exception &error) {
        report(side == Side::Black ? "Error in RefreshBlackCheckers " : "Error in RefreshWhiteCheckers  ", error);
    }
}

void CheckerMoves::land(Side side, QPoint to, int hit) {
    board_.drawChecker(side, to.x(), to.y());
    board_.showBuffer();
    if (!hit)
        return;
    if (board_.hooks.hitting)
        board_.hooks.hitting(side);
    play("hit");
    int blot = hit;
    if (side == Side::Black)
        MoveWhiteChecker(blot, Position::whiteBar, false);
    else
        MoveBlackChecker(blot, Position::blackBar, false);
    soundPlayed(side) = true;
}

void CheckerMoves::play(const char *name) {
    if (board_.hooks.playSound)
        board_.hooks.playSound(QLatin1String(name));
}
