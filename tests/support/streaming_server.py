#!/usr/bin/env python3
"""A game server, in a process of its own, that streams lines to its client while it listens
for a command, and says when the command came.

It listens on 127.0.0.1 and prints "port N". To the one client that connects it sends, for
SECONDS, a line of LENGTH bytes every INTERVAL milliseconds, or with an INTERVAL of 0 as many
as the client's machine takes. Meanwhile it reads what the client sends, and at the first
whole line prints "heard T LINE": T is when the line came, in milliseconds on the monotonic
clock, the one a client's QElapsedTimer reads. Last it closes and prints "done".

With a SETUP file it plays a game server's session first: it prompts "login: ", waits for the
login line, sends the file's lines up to one that reads "--", and waits for a line of the
client's that starts with "move"; then it sends the rest of the file and streams shouts
("13 streamer ..."), and it prints "heard T LINE" for every line, those before the stream too.

    streaming_server.py SECONDS INTERVAL LENGTH [SETUP]
"""
import select
import sys
import threading
import time

sys.dont_write_bytecode = True  # the import below leaves nothing in the source tree
from flood_server import accept_one  # noqa: E402


def heard(line):
    print("heard", int(time.monotonic() * 1000), line.rstrip(b"\r").decode("latin-1"), flush=True)


def listen(client, stop, every=False, received=b""):
    """Reports the client's first whole line, or with `every` each one, until `stop` is set;
    `received` is what came before."""
    while not stop.is_set():
        while b"\n" in received:
            line, received = received.split(b"\n", 1)
            heard(line)
            if not every:
                return
        if not select.select([client], [], [], 0.05)[0]:
            continue
        try:
            data = client.recv(4096)
        except BlockingIOError:
            continue
        if not data:
            return
        received += data


def await_line(client, prefix, received):
    """Reports the client's lines up to one that starts with `prefix`; returns what came after."""
    while True:
        while b"\n" in received:
            line, received = received.split(b"\n", 1)
            heard(line)
            if line.startswith(prefix):
                return received
        data = client.recv(4096)
        if not data:
            raise EOFError("the client went away")
        received += data


def stream(client, seconds, interval, length, start=b"** streamed line "):
    line = start + b"x" * (length - len(start) - 2) + b"\r\n"
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
    setup = sys.argv[4] if len(sys.argv) > 4 else None
    client = accept_one(60)
    received = b""
    start = b"** streamed line "
    if setup:
        with open(setup, "rb") as file:
            before, _, after = file.read().replace(b"\r\n", b"\n").partition(b"--\n")
        client.sendall(b"login: ")
        received = await_line(client, b"login", received)
        client.sendall(before.replace(b"\n", b"\r\n"))
        received = await_line(client, b"move", received)
        client.sendall(after.replace(b"\n", b"\r\n"))
        start = b"13 streamer "
    client.setblocking(False)
    stop = threading.Event()
    listener = threading.Thread(target=listen, args=(client, stop, bool(setup), received), daemon=True)
    listener.start()
    stream(client, seconds, interval, length, start)
    stop.set()
    listener.join()
    client.close()
    print("done", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
