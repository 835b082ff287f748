#!/usr/bin/env python3
"""A game server, in a process of its own, that says when each of its client's lines came.

It listens on 127.0.0.1 and prints "port N". For each whole line the one client that connects
sends, it prints "heard T LINE": T is when the line came, in nanoseconds on the monotonic
clock, the one std::chrono::steady_clock reads. It answers each line at once with one of its
own, as the game server answers a command, which puts its machine into the way of a server
that talks back: it acknowledges what came along with the answer, not on its own. With
"flood" it answers nothing; a second process instead sends long lines as fast as the client's
machine takes them, so that the reading never waits on the sending. Once the client has gone
it prints "done".

    clock_server.py [flood]
"""
import os
import sys
import time

sys.dont_write_bytecode = True  # the import below leaves nothing in the source tree
from flood_server import accept_one  # noqa: E402


def flood(client):
    block = b"".join(b"** flooded line %04d %s\r\n" % (n, b"x" * 200) for n in range(256))
    try:
        while True:
            client.sendall(block)
    except OSError:
        pass


def main():
    client = accept_one(60)
    flooder = None
    if len(sys.argv) > 1 and sys.argv[1] == "flood":
        flooder = os.fork()
        if flooder == 0:
            flood(client)
            os._exit(0)

    received = b""
    while True:
        try:
            data = client.recv(65536)
        except OSError:
            data = b""
        heard_at = time.monotonic_ns()
        if not data:
            break
        received += data
        *lines, received = received.split(b"\r\n")
        for line in lines:
            if not flooder:
                client.sendall(b"** you said " + line + b"\r\n")
            print("heard", heard_at, line.decode("latin-1"), flush=True)

    if flooder:
        os.kill(flooder, 9)
        os.waitpid(flooder, 0)
    print("done", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
