#!/usr/bin/env python3
"""Loopback servers for the network tests: an HTTP server with well-behaved and hostile routes,
the same over TLS, a server that accepts and never answers, broken POP3 servers and a lying one.

Usage: test_servers.py RUNTIME_DIR CERT KEY
Writes RUNTIME_DIR/servers.pid and, once every port listens, RUNTIME_DIR/servers.ready.
Every loop is bounded in time and size, and the process ends by itself after an hour."""
import os
import socket
import ssl
import struct
import sys
import threading
import time

HTTP_PORT = 18481
TLS_PORT = 18482
SILENT_PORT = 18483
POP3_GARBAGE_PORT = 18484
POP3_DROP_PORT = 18485
POP3_STALL_PORT = 18486
POP3_LYING_PORT = 18487
PAGES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pages")
HOST = "127.0.0.1"
LIFETIME = 3600


def read_head(conn, buffer):
    """Reads one request head; returns (head, rest) or (None, b'') when the peer closed."""
    while b"\r\n\r\n" not in buffer:
        chunk = conn.recv(65536)
        if not chunk:
            return None, b""
        buffer += chunk
        if len(buffer) > 1 << 20:
            return None, b""
    head, rest = buffer.split(b"\r\n\r\n", 1)
    return head.decode("latin-1"), rest


def reply(conn, status, body=b"", headers=(), length=True):
    lines = ["HTTP/1.1 " + status]
    lines += list(headers)
    if length:
        lines.append("Content-Length: %d" % len(body))
    conn.sendall(("\r\n".join(lines) + "\r\n\r\n").encode("latin-1") + body)


def send_chunked(conn, pieces, extra_headers=()):
    head = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n" + "".join(h + "\r\n" for h in extra_headers)
    conn.sendall(head.encode() + b"\r\n")
    for p in pieces:
        conn.sendall(b"%x\r\n" % len(p) + p + b"\r\n")
    conn.sendall(b"0\r\n\r\n")


def handle_http(conn, port_for_links):
    """Serves requests on one connection until it closes; returns False to close it."""
    buffer = b""
    served = 0
    while True:
        head, buffer = read_head(conn, buffer)
        if head is None:
            return
        served += 1
        request_line = head.split("\r\n", 1)[0]
        parts = request_line.split(" ")
        target = parts[1] if len(parts) > 1 else "/"
        # A proxy sends the absolute form: keep only the path.
        if target.startswith("http://") or target.startswith("https://"):
            target = "/" + target.split("/", 3)[3] if target.count("/") >= 3 else "/"
        path = target.split("?", 1)[0]

        if path == "/hello":
            reply(conn, "200 OK", b"Hello, world!", ["Content-Type: text/plain"])
        elif path == "/echo":
            body = (head + "\r\n").encode("latin-1")
            reply(conn, "200 OK", body, ["Content-Type: text/plain"])
        elif path == "/conn":
            # Which connection served this: its peer port and the number of requests on it.
            body = ("%d %d" % (conn.getpeername()[1], served)).encode()
            reply(conn, "200 OK", body)
        elif path == "/short-keepalive":
            # Promises to keep the connection, then drops it while the client is idle.
            reply(conn, "200 OK", b"first")
            time.sleep(0.1)
            return
        elif path == "/chunked":
            send_chunked(conn, [b"Wiki", b"pedia ", b"in chunks."])
        elif path == "/hang-up":
            # Reads the request and closes the connection without a word.
            return
        elif path == "/close":
            conn.sendall(b"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil the end")
            return
        elif path.startswith("/redirect/"):
            n = int(path.rsplit("/", 1)[1])
            if n == 0:
                reply(conn, "200 OK", b"arrived")
            else:
                reply(conn, "302 Found", b"moved", ["Location: /redirect/%d" % (n - 1)])
        elif path == "/relative/here":
            reply(conn, "301 Moved", b"", ["Location: ../hello"])
        elif path == "/loop":
            reply(conn, "302 Found", b"", ["Location: /loop"])
        elif path == "/location-on-200":
            reply(conn, "200 OK", b"not here", ["Location: /hello"])
        elif path == "/setcookie":
            reply(conn, "200 OK", b"cookie set",
                  ["Set-Cookie: sid=42; Path=/", "Set-Cookie: deep=1; Path=/deep", "Set-Cookie2: two=2"])
        elif path == "/cookie-redirect":
            reply(conn, "302 Found", b"", ["Set-Cookie: hop=yes; Path=/", "Location: /echo"])
        elif path.startswith("/status/"):
            code = int(path.rsplit("/", 1)[1])
            reply(conn, "%d Status" % code, b"error page")
        elif path == "/slow":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n")
            for _ in range(200):
                conn.sendall(b"x" * 10)
                time.sleep(0.05)
            return
        elif path == "/trickle":
            # A slow but steady reply: 20 bytes over about a second.
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n")
            for _ in range(10):
                time.sleep(0.1)
                conn.sendall(b"ab")
        elif path == "/drip":
            # A slow-drip server: one byte every 0.3 s, never silent for long, never done (at most
            # a minute, then it gives up).
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n")
            for _ in range(200):
                time.sleep(0.3)
                conn.sendall(b"d")
            return
        elif path == "/endless-chunked":
            conn.sendall(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
            piece = b"y" * 65536
            frame = b"%x\r\n" % len(piece) + piece + b"\r\n"
            for _ in range(4096):  # 256 MiB at most, then give up
                conn.sendall(frame)
            return
        elif path == "/huge-length":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 2147483648\r\n\r\n" + b"z" * 1000)
            time.sleep(5)
            return
        elif path == "/endless-interim":
            for _ in range(100000):
                conn.sendall(b"HTTP/1.1 100 Continue\r\n\r\n")
            return
        elif path == "/continue":
            conn.sendall(b"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 102 Processing\r\n\r\n")
            reply(conn, "200 OK", b"after interim")
        elif path == "/garbage":
            conn.sendall(b"SSH-2.0-OpenSSH_9.2\r\nwhat is this\r\n\r\n")
            time.sleep(1)
            return
        elif path == "/reset":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + b"r" * 5000)
            time.sleep(0.2)
            conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            conn.close()
            return
        elif path == "/big-header":
            conn.sendall(b"HTTP/1.1 200 OK\r\nX-Big: " + b"h" * (1 << 20) + b"\r\n\r\nbody")
            time.sleep(1)
            return
        elif path == "/to-https":
            reply(conn, "302 Found", b"", ["Location: https://localhost:%d/hello" % TLS_PORT])
        elif path == "/latin1-page":
            body = "<html><body><p>Caf\u00e9 cr\u00e8me</p><p>second</p></body></html>".encode("latin-1")
            reply(conn, "200 OK", body, ["Content-Type: text/html; charset=ISO-8859-1"])
        elif path.startswith("/pages/"):
            # Files of tests/net/pages, as HTML.
            name = os.path.basename(path)
            try:
                with open(os.path.join(PAGES, name), "rb") as f:
                    body = f.read()
                reply(conn, "200 OK", body, ["Content-Type: text/html; charset=UTF-8"])
            except OSError:
                reply(conn, "404 Not Found", b"no such page")
        elif path.startswith("/bytes/"):
            size = min(int(path.rsplit("/", 1)[1]), 200 << 20)
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % size)
            block = b"b" * (1 << 20)
            left = size
            while left > 0:
                n = min(left, len(block))
                conn.sendall(block[:n])
                left -= n
        elif not serve_channel_files(conn, path):
            reply(conn, "404 Not Found", b"no such page")


HERE = os.path.dirname(os.path.abspath(__file__))
# Files served as they are: the channel list the program ships, the lists of the Channel Update
# tests, and copies of the pages the shipped channels read (under /starter/HOST/PATH).
SERVED_FOLDERS = {
    "/data/": os.path.join(HERE, "..", "..", "data"),
    "/channels/": os.path.join(HERE, "channels"),
    "/starter/": os.path.join(HERE, "starter"),
}


def serve_channel_files(conn, path):
    for prefix, folder in SERVED_FOLDERS.items():
        if not path.startswith(prefix):
            continue
        name = path[len(prefix):]
        if not name or ".." in name.split("/"):
            return False
        if name.endswith("/"):
            name += "index.html"
        file = os.path.join(folder, name)
        if not os.path.isfile(file):
            return False
        with open(file, "rb") as f:
            body = f.read()
        kind = "text/plain" if name.endswith((".txt", ".nxl")) else "text/html; charset=UTF-8"
        reply(conn, "200 OK", body, ["Content-Type: " + kind])
        return True
    return False


def serve_forever(listener, handler, wrap=None):
    while True:
        try:
            conn, _ = listener.accept()
        except OSError:
            return

        def run(c=conn):
            try:
                if wrap is not None:
                    c = wrap(c)
                c.settimeout(60)
                handler(c)
            except (OSError, ValueError, ssl.SSLError):
                pass
            finally:
                try:
                    c.close()
                except OSError:
                    pass

        threading.Thread(target=run, daemon=True).start()


def silent(conn):
    # Accepts and never answers; holds the connection until the client goes (or 60 s pass).
    conn.settimeout(60)
    try:
        while conn.recv(4096):
            pass
    except OSError:
        pass


def pop3_garbage(conn):
    conn.sendall(b"220 smtp.example.com ESMTP ready\r\n")
    time.sleep(2)


def pop3_commands(conn, seconds, chunk=1024):
    """Greets as a POP3 server and yields each command line the client sends (stripped), for `seconds`
    or until the client goes."""
    conn.sendall(b"+OK POP3 ready\r\n")
    data = b""
    deadline = time.time() + seconds
    while time.time() < deadline:
        while b"\n" not in data:
            received = conn.recv(chunk)
            if not received:
                return
            data += received
        line, data = data.split(b"\n", 1)
        yield line.strip()


def pop3_drop_after_user(conn):
    next(pop3_commands(conn, 60), None)


def pop3_stall_mid_message(conn):
    """A mailbox of one message whose server stops answering halfway through RETR."""
    header = b"From: Ann Lee <ann@example.com>\r\nSubject: Halfway\r\n"
    for line in pop3_commands(conn, 30):
        command = line.upper()
        if command.startswith(b"STAT"):
            conn.sendall(b"+OK 1 200\r\n")
        elif command.startswith(b"TOP"):
            conn.sendall(b"+OK\r\n" + header + b"\r\n.\r\n")
        elif command.startswith(b"RETR"):
            conn.sendall(b"+OK 200 octets\r\n" + header + b"\r\nThe first half of the bo")
            # Then nothing more, until the client goes.
            conn.settimeout(30)
            try:
                while conn.recv(1024):
                    pass
            except OSError:
                pass
            return
        elif command.startswith(b"QUIT"):
            conn.sendall(b"+OK bye\r\n")
            return
        else:
            conn.sendall(b"+OK\r\n")


def pop3_lying(conn):
    """Claims 100,000,000 messages and answers every TOP and RETR at once with a small message (a
    multipart one of a text part)."""
    for line in pop3_commands(conn, 120, chunk=65536):
        words = line.split(b" ")
        command = words[0].upper()
        number = words[1] if len(words) > 1 else b"0"
        header = b"Subject: Message " + number + b"\r\nFrom: Liar <liar@example.com>\r\n"
        if command == b"STAT":
            conn.sendall(b"+OK 100000000 999999999\r\n")
        elif command == b"TOP":
            conn.sendall(b"+OK\r\n" + header + b"\r\n.\r\n")
        elif command == b"RETR":
            conn.sendall(b"+OK\r\n" + header + b"MIME-Version: 1.0\r\n"
                         b"Content-Type: multipart/mixed; boundary=\"b\"\r\n\r\n--b\r\n"
                         b"Content-Type: text/plain\r\n\r\nBody " + number + b"\r\n--b--\r\n.\r\n")
        elif command == b"QUIT":
            conn.sendall(b"+OK bye\r\n")
            return
        else:
            conn.sendall(b"+OK\r\n")


def listen(port):
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    s.bind((HOST, port))
    s.listen(64)
    return s


def main():
    runtime, cert, key = sys.argv[1], sys.argv[2], sys.argv[3]
    with open(os.path.join(runtime, "servers.pid"), "w") as f:
        f.write(str(os.getpid()))
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)

    def wrap_tls(c):
        c.settimeout(10)
        return context.wrap_socket(c, server_side=True)

    servers = [
        (listen(HTTP_PORT), lambda c: handle_http(c, HTTP_PORT), None),
        (listen(TLS_PORT), lambda c: handle_http(c, TLS_PORT), wrap_tls),
        (listen(SILENT_PORT), silent, None),
        (listen(POP3_GARBAGE_PORT), pop3_garbage, None),
        (listen(POP3_DROP_PORT), pop3_drop_after_user, None),
        (listen(POP3_STALL_PORT), pop3_stall_mid_message, None),
        (listen(POP3_LYING_PORT), pop3_lying, None),
    ]
    for listener, handler, wrap in servers:
        threading.Thread(target=serve_forever, args=(listener, handler, wrap), daemon=True).start()
    with open(os.path.join(runtime, "servers.ready"), "w") as f:
        f.write("ready")
    time.sleep(LIFETIME)


if __name__ == "__main__":
    main()
