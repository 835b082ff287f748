#!/usr/bin/env python3
"""A game server that floods its client, in a process of its own so that it goes on sending
while the client waits.

It listens on 127.0.0.1 and prints "port N". To the one client that connects it sends the
login prompt and waits for the login line; then, for SECONDS or until it has sent BYTES,
whichever comes first (0 sets no limit of that kind), it sends as fast as the client takes
them lines that make the client wait (a resumed match) mixed with long plain lines; then
numbered closing lines, and hangs up. Last it prints "sent BYTES LINES SECONDS" for what the
flood put through, and "done". A flood of some seconds measures a machine's speed; one of
some bytes puts the same through on a fast machine and a loaded one.

It hangs up in one of two ways. By default it half-closes and reads on until the client has
gone. With "close" it closes for good, as a real server does, once the client's machine has
taken in every byte it sent and it has read what the client said: a server that closed
with bytes still unsent, or with the client's words unread, would answer with a reset that
drops what it had not sent, and no client could have those bytes.

    flood_server.py SECONDS BYTES CLOSING_LINES [LONG_LINE_LENGTH] [close]
"""
import fcntl
import select
import socket
import struct
import sys
import termios
import threading
import time


def unsent(sock):
    """Bytes the socket still holds: not sent, or not yet acknowledged by the client."""
    return struct.unpack("i", fcntl.ioctl(sock.fileno(), termios.TIOCOUTQ, struct.pack("i", 0)))[0]


def accept_one(timeout):
    """Listens on 127.0.0.1 at a free port, says which, and takes the one client that comes."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    listener.settimeout(timeout)
    print("port", listener.getsockname()[1], flush=True)
    client, _ = listener.accept()
    return client


def flood_block(long_length):
    lines = []
    for i in range(8):
        lines.append(b"Your running match was loaded.")
        lines.append(b"** a long line " + bytes(str(i), "ascii") + b" " + b"x" * long_length)
        lines.append(b"bob says: a short line")
    return b"".join(line + b"\r\n" for line in lines), len(lines)


def main():
    seconds = float(sys.argv[1])
    most = int(sys.argv[2])
    closing = int(sys.argv[3])
    long_length = int(sys.argv[4]) if len(sys.argv) > 4 else 20000
    close_for_good = len(sys.argv) > 5 and sys.argv[5] == "close"

    client = accept_one(120)
    client.settimeout(30)
    # Little is kept waiting on this side: what the client does not take stays unsent.
    client.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 64 * 1024)
    client.sendall(b"login: ")
    received = b""
    while b"login Korvex" not in received or not received.endswith(b"\n"):
        data = client.recv(4096)
        if not data:
            return 1
        received += data

    # What the client sends from now on is read and dropped, so that it never waits on us.
    client_gone = threading.Event()
    stop_draining = threading.Event()

    def drain():
        try:
            while not stop_draining.is_set():
                if select.select([client], [], [], 0.05)[0] and not client.recv(4096):
                    break
        except OSError:
            pass
        client_gone.set()

    threading.Thread(target=drain, daemon=True).start()

    block, block_lines = flood_block(long_length)
    sent = lines = 0
    start = time.monotonic()
    while (not seconds or time.monotonic() - start < seconds) and (not most or sent < most):
        client.sendall(block)
        sent += len(block)
        lines += block_lines
    elapsed = time.monotonic() - start

    ending = b"".join(b"** closing line %04d\r\n" % n for n in range(1, closing + 1))
    client.sendall(ending)
    if close_for_good:
        deadline = time.monotonic() + 60
        while unsent(client) > 0 and time.monotonic() < deadline:
            time.sleep(0.01)
        stop_draining.set()
        client_gone.wait(5)
        client.setblocking(False)
        try:
            while client.recv(4096):
                pass
        except OSError:
            pass
    else:
        # Half-closed, so that the lines go out ahead of the hang-up and nothing the client
        # still sends turns it into a reset.
        client.shutdown(socket.SHUT_WR)
        client_gone.wait(60)
    client.close()
    print("sent", sent, lines, "%.3f" % elapsed, flush=True)
    print("done", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
