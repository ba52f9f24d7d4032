#!/usr/bin/env python3
"""A stand-in for the short-video service, for end-to-end runs on loopback.

It answers, over HTTPS on one port, for every host name the resolver meets,
telling them apart by the Host header:

  v.douyin.com        GET /<code>/ -> 302 to the video's page on the page host
                      (sets share_visit). Codes: AbCdEf1 (a video),
                      gone (a removed video); anything else -> 404.
  www.iesdouyin.com   GET /share/video/<id>/ -> 200, a UTF-8 page naming
                      ".../aweme/v1/playwm/?video_id=<id>&ratio=720p&line=0"
                      (sets page_sid); /share/video/removed/ -> a page that
                      names no video.
  aweme.snssdk.com    GET /aweme/v1/play/?video_id=<id>&line=0 -> for the
                      mobile user agent only, 302 to the video file, the body
                      holding <a href="..."> with "&amp;" entities (sets
                      play_sid); another agent -> 403; an unknown id -> 404.
  anything else       404 (the request is still recorded).

Every request is appended to the log as one JSON object per line:
{"host", "method", "target", "headers": [[name, value], ...], "status"},
headers in the order they arrived, names as the client wrote them.

Usage: stand_in_service.py --cert PEM --key PEM --log FILE --ready FILE
                           [--address 127.0.0.1] [--port 443]
The ready file is written once the port is listening.
"""

import argparse
import json
import socket
import ssl
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

MOBILE_USER_AGENT = (
    "Mozilla/5.0 (Linux; Android 6.0; Nexus 5 Build/MRA58N) "
    "AppleWebKit/537.36 (KHTML, like Gecko) Chrome/71.0.3578.80 "
    "Mobile Safari/537.36")

SHARE_CODES = {"AbCdEf1": "7301234567890123456", "gone": "removed"}
VIDEO_ID = SHARE_CODES["AbCdEf1"]

# The address as the play endpoint's body writes it: entities and escapes
# are the resolver's to keep, the Chinese title tests the code page trip.
VIDEO_ADDRESS_IN_BODY = (
    "https://video.cdn.test/tos/cn/video.mp4?a=1128&amp;br=1024"
    "&amp;title=\u77ed\u89c6\u9891&amp;sig=%2Fab%3D")

PAGE_TEMPLATE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>\u4e00\u8d77\u6765\u770b\u77ed\u89c6\u9891</title></head>
<body><h1>\u6625\u5929\u7684\u6a31\u82b1 \u2014 \u5206\u4eab\u81ea\u6296\u97f3</h1>
<script>window.__data = {{"item": {{"video": {{"playAddr": [{{"src":
"https://aweme.snssdk.com/aweme/v1/playwm/?video_id={id}&ratio=720p&line=0"}}]}}}}}};</script>
</body></html>
"""

REMOVED_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>\u89c6\u9891\u4e0d\u5b58\u5728</title></head>
<body><p>\u4f60\u8981\u89c2\u770b\u7684\u89c6\u9891\u4e0d\u5b58\u5728\u3002</p></body></html>
"""


class Answer:
    def __init__(self, status, body=b"", headers=()):
        self.status = status
        self.body = body
        self.headers = list(headers)


def html(text):
    return text.encode("utf-8")


def answer_share_host(path):
    code = path.strip("/")
    video = SHARE_CODES.get(code)
    if video is None:
        return Answer(404, b"no such share link\n")
    page = f"https://www.iesdouyin.com/share/video/{video}/?region=CN&mid=42"
    return Answer(302, html(f'<a href="{page}">Found</a>.\n'), [
        ("Location", page),
        ("Set-Cookie", "share_visit=s-5e6f; Path=/; HttpOnly"),
    ])


def answer_page_host(path):
    parts = path.strip("/").split("/")
    if len(parts) != 3 or parts[:2] != ["share", "video"]:
        return Answer(404, b"no such page\n")
    cookie = [("Set-Cookie", "page_sid=pg-1a2b; Path=/")]
    if parts[2] == "removed":
        return Answer(200, html(REMOVED_PAGE), cookie)
    return Answer(200, html(PAGE_TEMPLATE.format(id=parts[2])), cookie)


def answer_play_host(path, query, user_agent):
    if path != "/aweme/v1/play/":
        return Answer(404, b"no such endpoint\n")
    if user_agent != MOBILE_USER_AGENT:
        return Answer(403, b"mobile clients only\n")
    arguments = urllib.parse.parse_qs(query, keep_blank_values=True)
    if arguments.get("video_id") != [VIDEO_ID] or arguments.get("line") != ["0"]:
        return Answer(404, b'{"status_code": 2053}\n')
    # A Location header carries no raw UTF-8: percent-encode what is not
    # ASCII, as a real server would.
    target = urllib.parse.quote(
        VIDEO_ADDRESS_IN_BODY.replace("&amp;", "&"), safe=":/?&=%")
    return Answer(302, html(f'<a href="{VIDEO_ADDRESS_IN_BODY}">Found</a>.\n'), [
        ("Location", target),
        ("Set-Cookie", "play_sid=pl-3c4d; Path=/"),
        # A prefixed cookie: a client may send it back only over https.
        ("Set-Cookie", "__Host-play_guard=g-5e6f; Path=/; Secure"),
    ])


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "StandIn/1"

    def setup(self):
        self.request.settimeout(10)
        self.request.do_handshake()
        super().setup()

    def do_GET(self):
        host = (self.headers.get("Host") or "").split(":")[0].lower()
        target = urllib.parse.urlsplit(self.path)
        if host == "v.douyin.com":
            answer = answer_share_host(target.path)
        elif host == "www.iesdouyin.com":
            answer = answer_page_host(target.path)
        elif host == "aweme.snssdk.com":
            answer = answer_play_host(target.path, target.query,
                                      self.headers.get("User-Agent"))
        else:
            answer = Answer(404, b"unknown host\n")
        self.server.record({
            "host": host,
            "method": self.command,
            "target": self.path,
            "headers": [[name, value] for name, value in self.headers.items()],
            "status": answer.status,
        })
        self.send_response(answer.status)
        for name, value in answer.headers:
            self.send_header(name, value)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(answer.body)))
        self.end_headers()
        self.wfile.write(answer.body)

    def log_message(self, format, *args):
        pass  # The JSON log is the record.


class TlsServer(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, address, context, log_path):
        super().__init__(address, Handler)
        self.context = context
        self.log_file = open(log_path, "a", encoding="utf-8")
        self.log_lock = threading.Lock()

    def get_request(self):
        connection, peer = super().get_request()
        # Headers and body go out in separate writes; without this, the
        # body waits for the client's delayed acknowledgement (some 40 ms),
        # which would swamp every timing taken against the service.
        connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        # The handshake happens in the request's own thread, so that one
        # client that never finishes it cannot hold up the others.
        return self.context.wrap_socket(
            connection, server_side=True, do_handshake_on_connect=False), peer

    def record(self, entry):
        with self.log_lock:
            self.log_file.write(json.dumps(entry, ensure_ascii=False) + "\n")
            self.log_file.flush()

    def handle_error(self, request, client_address):
        print(f"stand-in service: {sys.exc_info()[1]!r}", file=sys.stderr)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--ready", required=True)
    parser.add_argument("--address", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=443)
    options = parser.parse_args()

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(options.cert, options.key)
    context.set_alpn_protocols(["http/1.1"])
    server = TlsServer((options.address, options.port), context, options.log)
    with open(options.ready, "w", encoding="utf-8") as ready:
        ready.write("listening\n")
    server.serve_forever()


if __name__ == "__main__":
    main()
