#!/usr/bin/env python3
"""A game server, in a process of its own, that fills its client's machine with text while
the client runs no events, then resets the connection.

It listens on 127.0.0.1 and prints "port N". Once the one client that connects has said
something, it sends FIRST numbered lines of 64 bytes each ("** line 000001 xxx...") and
prints "sent" when the client's machine has taken them all in. Then it waits for "fill" on
its standard input and goes on with the numbered lines until the client's machine takes no
more. It never reads what the client sends, so its close then comes to the client as a
reset, and what it still had unsent is thrown away. Last it prints "closed N": the bytes
the client's machine acknowledged, the first lines included, all of which its client can
still read.

    filling_reset_server.py FIRST
"""
import select
import sys
import time

sys.dont_write_bytecode = True  # the imports below leave nothing in the source tree
from flood_server import accept_one, unsent  # noqa: E402
from reset_server import unread, wait_until  # noqa: E402

LINE_LENGTH = 64


def numbered(first, count):
    filler = b"x" * (LINE_LENGTH - len(b"** line 000000 \r\n"))
    return b"".join(b"** line %06d %s\r\n" % (n, filler) for n in range(first, first + count))


def fill(client, first_line):
    """Sends numbered lines from first_line on until what the client's machine has taken in
    has stayed the same for a while; returns how many bytes it sent."""
    client.setblocking(False)
    sent = 0
    pending = b""
    line = first_line
    taken, still_since = -1, time.monotonic()
    while time.monotonic() - still_since < 0.3:
        if not pending:
            pending = numbered(line, 1024)
            line += 1024
        try:
            written = client.send(pending)
            sent += written
            pending = pending[written:]
            still_since = time.monotonic()
            continue
        except BlockingIOError:
            pass
        now_taken = sent - unsent(client)
        if now_taken != taken:
            taken, still_since = now_taken, time.monotonic()
        time.sleep(0.01)
    return sent


def main():
    first = int(sys.argv[1])
    client = accept_one(60)
    # Unread words of the client's are what turn the close into a reset.
    if not wait_until(lambda: unread(client) > 0, 30):
        return 1
    client.sendall(numbered(1, first))
    wait_until(lambda: unsent(client) == 0, 30)
    print("sent", flush=True)

    if not select.select([sys.stdin], [], [], 60)[0] or sys.stdin.readline().strip() != "fill":
        return 1
    sent = first * LINE_LENGTH + fill(client, first + 1)
    acknowledged = sent - unsent(client)
    client.close()
    print("closed", acknowledged, flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
