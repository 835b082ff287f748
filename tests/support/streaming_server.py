#!/usr/bin/env python3
"""A game server, in a process of its own, that streams lines to its client while it listens
for a command, and says when the command came.

It listens on 127.0.0.1 and prints "port N". To the one client that connects it sends, for
SECONDS, a line of LENGTH bytes every INTERVAL milliseconds, or with an INTERVAL of 0 as many
as the client's machine takes. Meanwhile it reads what the client sends, and at the first
whole line prints "heard T LINE": T is when the line came, in milliseconds on the monotonic
clock, the one a client's QElapsedTimer reads. Last it closes and prints "done".

    streaming_server.py SECONDS INTERVAL LENGTH
"""
import select
import sys
import threading
import time

sys.dont_write_bytecode = True  # the import below leaves nothing in the source tree
from flood_server import accept_one  # noqa: E402


def listen(client, stop):
    received = b""
    while not stop.is_set() and b"\n" not in received:
        if not select.select([client], [], [], 0.05)[0]:
            continue
        try:
            data = client.recv(4096)
        except BlockingIOError:
            continue
        if not data:
            return
        received += data
    if b"\n" in received:
        heard_at = time.monotonic()
        line = received.split(b"\n")[0].rstrip(b"\r").decode("latin-1")
        print("heard", int(heard_at * 1000), line, flush=True)


def stream(client, seconds, interval, length):
    line = b"** streamed line " + b"x" * (length - len(b"** streamed line \r\n")) + b"\r\n"
    end = time.monotonic() + seconds
    next_at = time.monotonic()
    pending = b""
    while time.monotonic() < end:
        if not pending:
            if interval:
                time.sleep(max(0.0, next_at - time.monotonic()))
                next_at += interval / 1000
                pending = line
            else:
                pending = line * 64
        if select.select([], [client], [], 0.05)[1]:
            try:
                pending = pending[client.send(pending):]
            except BlockingIOError:
                pass


def main():
    seconds = float(sys.argv[1])
    interval = float(sys.argv[2])
    length = int(sys.argv[3])
    client = accept_one(60)
    client.setblocking(False)
    stop = threading.Event()
    listener = threading.Thread(target=listen, args=(client, stop), daemon=True)
    listener.start()
    stream(client, seconds, interval, length)
    stop.set()
    listener.join()
    client.close()
    print("done", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
