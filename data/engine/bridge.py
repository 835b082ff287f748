# Korvex's bridge to GNU Backgammon. gnubg runs this file with its Python module loaded
# ("gnubg -t -q -r -s <folder> -p bridge.py") and the client talks to it in lines:
#
#   request: <id> <verb> <integers...>
#   reply:   @@KORVEX <id> ok <integers...>   or   @@KORVEX <id> err <text>
#
# gnubg prints its banner (and now and then a remark of its own) on the same stdout, so
# the client reads only lines that start with the marker. Every request carries the whole
# position and match state: the bridge keeps nothing between requests, and a restarted
# bridge answers exactly as the one before it.
#
# Board: 50 counts, the opponent's points 1..24 and bar, then those of the side on roll,
# each side in its own numbering (as gnubg's board tuple). Cube: value, owner (-1 centred,
# 1 the side on roll, 0 its opponent), side-on-roll flag, match length (0 = money), the
# opponent's score, the roller's score, Crawford, Jacoby, beavers. Chances come back in
# hundredths of a percent, equities in millionths.
import sys

import gnubg

MARKER = "@@KORVEX"
BOARD_SIZE = 50
CUBE_SIZE = 9

# Each call into the gnubg module waits about 10 ms for gnubg's worker, however small the
# job, so every verb does its work in as few calls as it can.


class BadRequest(Exception):
    pass


def take_ints(words, count, what):
    if len(words) < count:
        raise BadRequest("short " + what)
    try:
        values = [int(w) for w in words[:count]]
    except ValueError:
        raise BadRequest("not a number in " + what)
    return values, words[count:]


def read_board(words):
    cells, rest = take_ints(words, BOARD_SIZE, "board")
    for side in (cells[:25], cells[25:]):
        if min(side) < 0 or sum(side) > 15:
            raise BadRequest("impossible board")
    return (tuple(cells[:25]), tuple(cells[25:])), rest


def read_cube(words):
    v, rest = take_ints(words, CUBE_SIZE, "cube")
    cube, owner, move, matchto, score0, score1, crawford, jacoby, beavers = v
    if cube < 1 or owner not in (-1, 0, 1) or move not in (0, 1) or matchto < 0:
        raise BadRequest("impossible cube")
    info = gnubg.cubeinfo(cube, owner, move, matchto, (score0, score1), 1 if crawford else 0, 0)
    info["jacoby"] = 1 if jacoby else 0
    info["beavers"] = 1 if beavers else 0
    return info, rest


def read_plies(words):
    (plies,), rest = take_ints(words, 1, "plies")
    if plies < 0 or plies > 7:
        raise BadRequest("plies out of range")
    return {"cubeful": 1, "plies": plies, "deterministic": 1, "prune": 0, "noise": 0.0}, rest


def read_dice(words):
    dice, rest = take_ints(words, 2, "dice")
    if not all(1 <= d <= 6 for d in dice):
        raise BadRequest("dice out of range")
    return tuple(dice), rest


def chance(p):
    return max(0, min(10000, int(round(p * 10000))))


def verb_ping(words):
    return []


def verb_eval(words):
    board, words = read_board(words)
    cube, words = read_cube(words)
    context, words = read_plies(words)
    p = gnubg.evaluate(board, cube, context)
    return [chance(p[0]), chance(p[1]), chance(p[2])]


def verb_cube(words):
    board, words = read_board(words)
    cube, words = read_cube(words)
    context, words = read_plies(words)
    recommendation = gnubg.cfevaluate(board, cube, context)[5].lower()
    # gnubg's own verdict, read from its words (the client starts it with the C locale):
    # "Double, take", "Redouble, pass", "Too good to double, pass", "No double, take",
    # "Never redouble, take (dead cube)", "Unknown cube decision" (the cube is not ours).
    takes = "take" in recommendation or "beaver" in recommendation
    if recommendation.startswith("too good"):
        verdict = 2
    elif recommendation.startswith(("no ", "never", "unknown")) or "dead cube" in recommendation:
        verdict = 0
    elif "double" in recommendation:
        verdict = 1
    else:
        verdict = 0
    return [verdict, 1 if takes else 0]


def best_move(board, cube, context, dice):
    # gnubg counts points from 1 with 25 the bar and 0 off; the client's move list counts
    # from 0 with 24 the bar and -1 off, and ends with -1.
    return list(gnubg.findbestmove(board, cube, context, dice))


def verb_move(words):
    board, words = read_board(words)
    cube, words = read_cube(words)
    context, words = read_plies(words)
    dice, words = read_dice(words)
    move = best_move(board, cube, context, dice)
    pairs = []
    for i in range(0, len(move) - 1, 2):
        if move[i] <= 0:
            break
        pairs += [move[i] - 1, move[i + 1] - 1]
    return pairs[:8] + [-1]


def played(board, move):
    """The position after `move`, seen by the opponent, who is now on roll."""
    opp, me = list(board[0]), list(board[1])
    for i in range(0, len(move) - 1, 2):
        src, dst = move[i], move[i + 1]
        if src <= 0:
            break
        me[src - 1] -= 1
        if dst > 0:
            me[dst - 1] += 1
            # Our point dst is the opponent's point 25 - dst.
            if opp[24 - dst] == 1:
                opp[24 - dst] = 0
                opp[24] += 1
    return (tuple(me), tuple(opp))


def verb_rollequity(words):
    # The roller's cubeless equity after his best 0-ply play of this roll; the client
    # averages these over all rolls to rate the luck of the one thrown.
    board, words = read_board(words)
    cube, words = read_cube(words)
    dice, words = read_dice(words)
    context = {"cubeful": 0, "plies": 0, "deterministic": 1, "prune": 0, "noise": 0.0}
    move = best_move(board, cube, context, dice)
    after = played(board, move)
    turned = dict(cube)
    turned["move"] = 1 - cube["move"]
    equity = -gnubg.evaluate(after, turned, context)[5]
    return [int(round(equity * 1000000))]


VERBS = {
    "ping": verb_ping,
    "eval": verb_eval,
    "cube": verb_cube,
    "move": verb_move,
    "rollequity": verb_rollequity,
}


def answer(line):
    words = line.split()
    if len(words) < 2:
        return "0 err bad request"
    ident, verb, args = words[0], words[1], words[2:]
    handler = VERBS.get(verb)
    if handler is None:
        return ident + " err unknown request " + verb
    try:
        return ident + " ok " + " ".join(str(v) for v in handler(args))
    except BadRequest as e:
        return ident + " err " + str(e)
    except Exception as e:  # the engine's own failure is the client's to report
        return ident + " err " + type(e).__name__ + ": " + str(e).replace("\n", " ")


def main():
    while True:
        line = sys.stdin.readline()
        if not line:
            break
        line = line.strip()
        if not line:
            continue
        sys.stdout.write(MARKER + " " + answer(line).rstrip() + "\n")
        sys.stdout.flush()


main()
