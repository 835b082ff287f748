#!/usr/bin/env python3
"""A game server, in a process of its own, whose hang-up comes to its client as a reset: it
never reads what the client sends, so its close is answered with a reset, not an end of
stream.

It listens on 127.0.0.1 and prints "port N". Once the one client that connects has said
something, it sends FIRST numbered lines ("** line 0001" on) and prints "sent" when the
client's machine has taken them all in. Then it waits for "close" on its standard input,
sends SECOND more numbered lines and "** the last words" without a line end, and closes as
soon as the client's machine has taken those in too; last it prints "closed".

    reset_server.py FIRST SECOND
"""
import fcntl
import select
import struct
import sys
import termios
import time

sys.dont_write_bytecode = True  # the import below leaves nothing in the source tree
from flood_server import accept_one, unsent  # noqa: E402


def unread(sock):
    """Bytes the client sent that this side has not read."""
    return struct.unpack("i", fcntl.ioctl(sock.fileno(), termios.FIONREAD, struct.pack("i", 0)))[0]


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.005)
    return True


def main():
    first = int(sys.argv[1])
    second = int(sys.argv[2])
    client = accept_one(60)
    # Unread words of the client's are what turn the close into a reset.
    if not wait_until(lambda: unread(client) > 0, 30):
        return 1
    all_taken_in = lambda: unsent(client) == 0
    lines = [b"** line %04d\r\n" % n for n in range(1, first + second + 1)]
    client.sendall(b"".join(lines[:first]))
    wait_until(all_taken_in, 30)
    print("sent", flush=True)

    if not select.select([sys.stdin], [], [], 60)[0] or sys.stdin.readline().strip() != "close":
        return 1
    client.sendall(b"".join(lines[first:]) + b"** the last words")
    wait_until(all_taken_in, 30)
    client.close()
    print("closed", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
