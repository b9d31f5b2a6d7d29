# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Serves the built page on this computer only (127.0.0.1), as a school's
web server set up as the page's read-me says would: with the types a
browser insists on, and the page's text files compressed for a browser that
takes gzip. The tests, the benchmark and the serve command use it, since a
browser will not load the WebAssembly module from a file:// address.

    serve.py SITE_DIR [PORT]    (PORT 0: any free one; the address is printed)
"""
import functools
import gzip
import http.server
import os
import sys

# Types some systems' tables lack; a browser insists on the module's.
TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".woff2": "font/woff2", ".js": "text/javascript", ".svg": "image/svg+xml"}
# What gains from gzip; the font and the pictures are compressed already.
COMPRESSED = {".html", ".css", ".js", ".wasm", ".svg", ".webmanifest", ".txt"}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        if (os.path.splitext(path)[1] not in COMPRESSED or not os.path.isfile(path)
                or "gzip" not in self.headers.get("Accept-Encoding", "")):
            return super().send_head()
        with open(path, "rb") as f:
            body = gzip.compress(f.read(), 6)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return _Body(body)

    def log_message(self, *args):
        pass  # a request a line would drown the test's own output


class _Body:
    """What send_head returns for copyfile to send: the compressed bytes."""

    def __init__(self, data):
        self.data = data

    def read(self, size=-1):
        data, self.data = (self.data, b"") if size < 0 else (self.data[:size], self.data[size:])
        return data

    def close(self):
        pass


site = sys.argv[1]
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", port), functools.partial(Handler, directory=site))
print("http://127.0.0.1:%d/" % server.server_address[1], flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
