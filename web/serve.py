# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Serves the built page on this computer only (127.0.0.1), as any static
web server would: the tests and the serve command use it, since a browser
will not load the WebAssembly module from a file:// address.

    serve.py SITE_DIR [PORT]    (PORT 0: any free one; the address is printed)
"""
import functools
import http.server
import sys

# Types some systems' tables lack; a browser insists on the module's.
TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".woff2": "font/woff2", ".js": "text/javascript", ".svg": "image/svg+xml"}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def log_message(self, *args):
        pass  # a request a line would drown the test's own output


site = sys.argv[1]
port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", port), functools.partial(Handler, directory=site))
print("http://127.0.0.1:%d/" % server.server_address[1], flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:
    pass
