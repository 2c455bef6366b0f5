#!/usr/bin/env python3
"""A small web site for the crawler's tests, on 127.0.0.1 and a free port.

Prints "PORT <n>" on its first line once it listens, then serves until its
standard input closes (so it never outlives the test that started it).

  /site/index.html      a page of links and pictures (relative, root-relative,
                        a parent step, blocked words, other schemes)
  /site/sub/page.html   a second page, with a picture one level up
  /pics/<name>.png      a picture: <name> is WxH (e.g. 200x150), noise so it
                        stays large; "small-..." names give a tiny one
  /agent                a page whose one line is the User-Agent it was sent
  /slow                 a page of 5 lines, one a second
  /never                a page that sends a line every half second, forever
  /huge                 1 GB of body (Content-Length announced), streamed
  /huge-chunked         the same without a length
  /status/<n>           answers with status n and a short body
  /loop                 redirects to itself
  /redirect/<n>         n redirects, then the site's index
  /to-file, /to-ftp     redirect to file:// and ftp:// addresses
  /broken.html          HTML cut off in the middle of tags and quotes
  /broken.png           bytes that only start like a PNG
"""
import http.server
import os
import random
import socketserver
import struct
import sys
import threading
import time
import zlib

INDEX = """<html><head><title>Test site</title></head><body>
<a href="sub/page.html">relative page</a>
<a href="/site/root.html">root page</a>
<a href="http://127.0.0.1:{port}/site/abs.html">absolute page</a>
<A HREF="HTTP://127.0.0.1:{port}/site/upper.html">capital prefix</A>
<a href="mailto:someone@example.com">mail</a>
<a href="about.html">blocked word</a>
<a href="doc.PDF">a document</a>
<img src="/pics/200x150.png">
<img src="/pics/small-40x40.png">
</body></html>
"""

SUB = """<html><body>
<a href="../index.html">back up</a>
<img src="../../pics/160x120.png" alt="one level up">
<img src="/pics/thumb-160x120.png">
</body></html>
"""


def png(width, height, noise=True):
    rng = random.Random(width * 7919 + height)
    rows = []
    for y in range(height):
        if noise:
            row = bytes(rng.getrandbits(8) for _ in range(width * 3))
        else:
            row = bytes([200, 40, 40] * width)
        rows.append(b"\x00" + row)
    raw = zlib.compress(b"".join(rows), 0 if noise else 9)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", raw) + chunk(b"IEND", b"")


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def send_body(self, body, kind="text/html", status=200):
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def redirect(self, where):
        self.send_response(302)
        self.send_header("Location", where)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def stream(self, length, piece, pause=0.0, announce=True):
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        if announce:
            self.send_header("Content-Length", str(length))
        else:
            self.send_header("Connection", "close")
        self.end_headers()
        sent = 0
        try:
            while length is None or sent < length:
                self.wfile.write(piece)
                self.wfile.flush()
                sent += len(piece)
                if pause:
                    time.sleep(pause)
        except (BrokenPipeError, ConnectionResetError):
            pass
        self.close_connection = True

    def do_GET(self):
        port = self.server.server_address[1]
        path = self.path
        if path in ("/site/index.html", "/site", "/site/"):
            return self.send_body(INDEX.format(port=port).encode())
        if path == "/site/sub/page.html":
            return self.send_body(SUB.encode())
        if path.startswith("/pics/") and path.endswith(".png"):
            name = path[len("/pics/"):-4]
            small = name.startswith("small-")
            size = name.split("-")[-1]
            w, h = (int(v) for v in size.split("x"))
            return self.send_body(png(w, h, noise=not small), "image/png")
        if path == "/agent":
            return self.send_body((self.headers.get("User-Agent", "") + "\n").encode())
        if path == "/slow":
            return self.stream(5 * 10, b"slow line\n", pause=1.0)
        if path == "/never":
            return self.stream(None, b"never ends\n", pause=0.5, announce=False)
        if path == "/huge":
            return self.stream(1 << 30, b"x" * 65536)
        if path == "/huge-chunked":
            return self.stream(1 << 30, b"x" * 65536, announce=False)
        if path.startswith("/status/"):
            status = int(path[len("/status/"):])
            return self.send_body(b"<a href=\"/site/index.html\">error page</a>\n", status=status)
        if path == "/loop":
            return self.redirect("/loop")
        if path.startswith("/redirect/"):
            n = int(path[len("/redirect/"):])
            return self.redirect("/site/index.html" if n <= 1 else "/redirect/%d" % (n - 1))
        if path == "/to-file":
            return self.redirect("file:///etc/passwd")
        if path == "/to-ftp":
            return self.redirect("ftp://127.0.0.1/pub/x.png")
        if path == "/broken.html":
            return self.send_body(b"<html><a href=\"/site/index.html\">ok</a><a href=\"unterminated <img src=\"x")
        if path == "/broken.png":
            return self.send_body(b"\x89PNG\r\n\x1a\n" + os.urandom(40000), "image/png")
        self.send_body(b"not here\n", status=404)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.server_address[1], flush=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    sys.stdin.read()  # until the test closes the pipe
    server.shutdown()


if __name__ == "__main__":
    main()
