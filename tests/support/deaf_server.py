#!/usr/bin/env python3
"""A game server, in a process of its own, that reads nothing its client sends until it is
told to, so that the client's machine is left holding the client's commands.

It listens on 127.0.0.1 and prints "port N"; once the one client has connected, "connected".
Then it waits for "read" on its standard input, reads until the client's line "last", and
prints "read N" when the lines before it were numbered 1 to N in order (the number being each
line's second word), or "out of order at LINE" for the first that was not. A client that goes
before its "last" leaves "closed after N". Told "drain" instead, it reads the same way, and
once nothing has come for a while prints "drained N" for the lines read so far, and reads on.

    deaf_server.py
"""
import select
import socket
import sys

sys.dont_write_bytecode = True  # the import below leaves nothing in the source tree
from flood_server import accept_one  # noqa: E402


def main():
    client = accept_one(60)
    # Little is taken in on this side while it does not read, so the client's side fills.
    client.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 64 * 1024)
    print("connected", flush=True)
    if not select.select([sys.stdin], [], [], 60)[0]:
        return 1
    command = sys.stdin.readline().strip()
    if command not in ("read", "drain"):
        return 1

    client.settimeout(30)
    received = b""
    count = 0
    while True:
        if command == "drain" and not select.select([client], [], [], 0.3)[0]:
            print("drained", count, flush=True)
            command = "read"
        data = client.recv(65536)
        if not data:
            print("closed after", count, flush=True)
            return 1
        received += data
        *lines, received = received.split(b"\r\n")
        for line in lines:
            if line == b"last":
                print("read", count, flush=True)
                return 0
            words = line.split(b" ")
            if len(words) < 2 or not words[1].isdigit() or int(words[1]) != count + 1:
                print("out of order at", line[:40].decode("latin-1"), flush=True)
                return 1
            count += 1


if __name__ == "__main__":
    sys.exit(main())
