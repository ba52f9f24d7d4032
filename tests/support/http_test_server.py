#!/usr/bin/env python3
"""The local server the HTTP contract suite talks to, on loopback only.

It parses requests itself (no HTTP library) so that it can echo the request
head byte for byte, header names in the client's own spelling. One plain
HTTP port and one TLS port answer the same paths; the TLS port's certificate
is made at start with openssl and trusted by nobody.

  /echo                  200; the body is the request head as received
                         (request line, header lines, blank line) followed
                         by the request body. Header "X-Final: yes".
  /redirect?to=T[&cookie=N=V][&status=S]
                         S (default 302) to T, setting cookie N=V when given;
                         header "X-Hop: redirect"; body REDIRECT_BODY.
  /hops?n=N              N > 0: 302 to /hops?n=N-1; 0: 200 "arrived".
  /bytes                 200; BINARY_BODY with a Content-Length.
  /chunked               200; BINARY_BODY in chunks.
  /gzip                  200; GZIP_BODY with "Content-Encoding: gzip".
  /empty                 200 with an empty body; header "X-Empty: yes".
  /status?code=C         C with the body "status C".
  /silent                reads the request and never answers.

Usage:
  http_test_server.py serve --state-dir DIR [--exit-with-parent]
                                              run in the foreground (and end
                                              when the parent process does)
  http_test_server.py start --state-dir DIR   run in the background; returns
                                              once it listens
  http_test_server.py stop --state-dir DIR    stop the one `start` began

When listening, DIR/endpoints.txt holds "http=", "https=" and "refused="
lines: the two base URLs and the URL of a port that refuses connections.
"""

import argparse
import os
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

REDIRECT_BODY = b"redirect body\x00end"
BINARY_BODY = bytes(range(256)) + b"\x00\x00"
# gzip of "quorrin\n" with mtime 0, fixed here so that no zlib version can
# change what the client must hand back untouched.
GZIP_BODY = (b"\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03+,\xcd/*\xca\xcc\xe3"
             b"\x02\x00D\x88\xa3\\\x08\x00\x00\x00")
SILENT_WAIT_SECONDS = 60
IO_TIMEOUT_SECONDS = 30


class Answer:
    def __init__(self, status, body=b"", headers=(), chunked=False):
        self.status = status
        self.body = body
        self.headers = list(headers)
        self.chunked = chunked


def answer_for(target, head_and_body):
    """The answer to a request for `target`; None means: never answer."""
    split = urllib.parse.urlsplit(target)
    query = urllib.parse.parse_qs(split.query, keep_blank_values=True)

    def arg(name, default=None):
        return query.get(name, [default])[0]

    path = split.path
    if path == "/echo":
        return Answer(200, head_and_body, [("X-Final", "yes")])
    if path == "/redirect":
        headers = [("Location", arg("to", "/echo")), ("X-Hop", "redirect")]
        if arg("cookie"):
            headers.append(("Set-Cookie", arg("cookie") + "; Path=/"))
        return Answer(int(arg("status", "302")), REDIRECT_BODY, headers)
    if path == "/hops":
        left = int(arg("n", "0"))
        if left > 0:
            return Answer(302, b"", [("Location", f"/hops?n={left - 1}")])
        return Answer(200, b"arrived")
    if path == "/bytes":
        return Answer(200, BINARY_BODY)
    if path == "/chunked":
        return Answer(200, BINARY_BODY, chunked=True)
    if path == "/gzip":
        return Answer(200, GZIP_BODY, [("Content-Encoding", "gzip")])
    if path == "/empty":
        return Answer(200, b"", [("X-Empty", "yes")])
    if path == "/status":
        code = int(arg("code", "500"))
        return Answer(code, f"status {code}".encode())
    if path == "/silent":
        return None
    return Answer(404, b"no such path")


def read_request(connection, pending):
    """(head, body, rest) of the next request, or None at the end."""
    while b"\r\n\r\n" not in pending:
        data = connection.recv(65536)
        if not data:
            return None
        pending += data
    end = pending.index(b"\r\n\r\n") + 4
    head, pending = pending[:end], pending[end:]
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value.strip())
    while len(pending) < length:
        data = connection.recv(65536)
        if not data:
            return None
        pending += data
    return head, pending[:length], pending[length:]


def write_answer(connection, answer, head_only):
    reason = "Found" if 300 <= answer.status < 400 else "Answer"
    lines = [f"HTTP/1.1 {answer.status} {reason}"]
    lines += [f"{name}: {value}" for name, value in answer.headers]
    lines.append("Content-Type: application/octet-stream")
    if answer.chunked:
        lines.append("Transfer-Encoding: chunked")
    else:
        lines.append(f"Content-Length: {len(answer.body)}")
    out = ("\r\n".join(lines) + "\r\n\r\n").encode("latin-1")
    if head_only:
        pass
    elif answer.chunked:
        body = answer.body
        for start in range(0, len(body), 100):
            piece = body[start:start + 100]
            out += f"{len(piece):x}\r\n".encode() + piece + b"\r\n"
        out += b"0\r\n\r\n"
    else:
        out += answer.body
    connection.sendall(out)


def serve_connection(connection, context):
    try:
        connection.settimeout(IO_TIMEOUT_SECONDS)
        if context is not None:
            connection = context.wrap_socket(connection, server_side=True)
        pending = b""
        while True:
            request = read_request(connection, pending)
            if request is None:
                return
            head, body, pending = request
            method, target = head.split(b" ", 2)[:2]
            answer = answer_for(target.decode("latin-1"), head + body)
            if answer is None:
                # Hold the connection open, answering nothing, until the
                # client gives up.
                connection.settimeout(SILENT_WAIT_SECONDS)
                try:
                    while connection.recv(65536):
                        pass
                except OSError:
                    pass
                return
            write_answer(connection, answer, method == b"HEAD")
    except (OSError, ssl.SSLError, ValueError):
        pass  # A client that breaks off (an untrusted certificate) is normal.
    finally:
        connection.close()


def accept_forever(listener, context):
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=serve_connection, args=(connection, context),
                         daemon=True).start()


def make_certificate(state_dir):
    cert = os.path.join(state_dir, "untrusted-cert.pem")
    key = os.path.join(state_dir, "untrusted-key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
         "ec_paramgen_curve:prime256v1", "-nodes", "-keyout", key, "-out",
         cert, "-days", "2", "-subj", "/CN=localhost", "-addext",
         "subjectAltName=IP:127.0.0.1,DNS:localhost"],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def listen_on_loopback():
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(64)
    return listener


def exit_when_orphaned(parent):
    # A test binary that crashes cannot stop its server; this one notices
    # that it was handed to another parent and ends by itself.
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)


def serve(state_dir, exit_with_parent):
    if exit_with_parent:
        threading.Thread(target=exit_when_orphaned, args=(os.getppid(),),
                         daemon=True).start()
    os.makedirs(state_dir, exist_ok=True)
    cert, key = make_certificate(state_dir)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    plain = listen_on_loopback()
    tls = listen_on_loopback()
    # Bound but never listening: a connection to it is refused at once, and
    # no other program can take the port while this one holds it.
    refused = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    refused.bind(("127.0.0.1", 0))

    threading.Thread(target=accept_forever, args=(tls, context),
                     daemon=True).start()
    endpoints = os.path.join(state_dir, "endpoints.txt")
    with open(endpoints + ".new", "w", encoding="ascii") as out:
        out.write(f"http=http://127.0.0.1:{plain.getsockname()[1]}\n")
        out.write(f"https=https://127.0.0.1:{tls.getsockname()[1]}\n")
        out.write(f"refused=http://127.0.0.1:{refused.getsockname()[1]}\n")
    os.replace(endpoints + ".new", endpoints)
    accept_forever(plain, None)


def start(state_dir):
    os.makedirs(state_dir, exist_ok=True)
    endpoints = os.path.join(state_dir, "endpoints.txt")
    if os.path.exists(endpoints):
        os.remove(endpoints)
    with open(os.path.join(state_dir, "server.log"), "wb") as log:
        server = subprocess.Popen(
            [sys.executable, os.path.abspath(__file__), "serve",
             "--state-dir", state_dir],
            stdin=subprocess.DEVNULL, stdout=log, stderr=log,
            start_new_session=True)
    with open(os.path.join(state_dir, "server.pid"), "w") as out:
        out.write(f"{server.pid}\n")
    deadline = time.monotonic() + 30
    while not os.path.exists(endpoints):
        if server.poll() is not None or time.monotonic() > deadline:
            print("http_test_server: the server did not start; see "
                  + os.path.join(state_dir, "server.log"), file=sys.stderr)
            return 1
        time.sleep(0.05)
    return 0


def stop(state_dir):
    pid_file = os.path.join(state_dir, "server.pid")
    try:
        with open(pid_file) as source:
            pid = int(source.read())
    except (OSError, ValueError):
        return 0  # Nothing was started.
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    os.remove(pid_file)
    return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("command", choices=["serve", "start", "stop"])
    parser.add_argument("--state-dir", required=True)
    parser.add_argument("--exit-with-parent", action="store_true")
    options = parser.parse_args()
    state_dir = os.path.abspath(options.state_dir)
    if options.command == "serve":
        serve(state_dir, options.exit_with_parent)
        return 0
    if options.command == "start":
        return start(state_dir)
    return stop(state_dir)


if __name__ == "__main__":
    sys.exit(main())
