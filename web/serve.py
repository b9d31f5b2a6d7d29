# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Serves the built page on this computer only (127.0.0.1), as a school's
web server given the page's own settings would: every file with the type,
the compression, the cache lifetime and the security headers that the
site's .htaccess gives Apache (written by make_page.mjs beside web.config
for IIS and the lines for nginx, from the same place), so that every test
sees the page as such a server serves it. The tests, the benchmark and the
serve command use it, since a browser will not load the WebAssembly module
from a file:// address.

    serve.py SITE_DIR [PORT]    (PORT 0: any free one; the address is printed)
"""
import functools
import gzip
import http.server
import os
import shlex
import sys


class Settings:
    """What a .htaccess of make_page.mjs's tells Apache: `types` and
    `charset` by extension (".js"), the types `compressed`, the `headers`
    sent with every answer, and `https_headers`, sent only over https. A
    line of any other kind is refused, so that nothing in the file goes
    unserved here."""

    def __init__(self, path):
        self.types, self.charset, self.compressed = {}, {}, set()
        self.headers, self.https_headers = {}, {}
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                words = shlex.split(line, comments=True)
                if not words or words[0] in ("<IfModule", "</IfModule>"):
                    continue
                if words[0] == "AddType":
                    self.types.update((extension, words[1]) for extension in words[2:])
                elif words[0] == "AddCharset":
                    self.charset.update((extension, words[1]) for extension in words[2:])
                elif words[:2] == ["AddOutputFilterByType", "DEFLATE"]:
                    self.compressed.update(words[2:])
                elif words[:3] == ["Header", "always", "set"] and len(words) == 5:
                    self.headers[words[3]] = words[4]
                elif words[:3] == ["Header", "always", "set"] and words[5:] == ["expr=%{HTTPS} == 'on'"]:
                    self.https_headers[words[3]] = words[4]
                else:
                    raise ValueError("%s:%d: not understood: %s" % (path, number, line.strip()))

    def content_type(self, name):
        """The Content-Type of the file `name`, or None for a type unknown."""
        extension = os.path.splitext(name)[1]
        if extension not in self.types:
            return None
        charset = self.charset.get(extension)
        return self.types[extension] + ("; charset=" + charset if charset else "")


class Handler(http.server.SimpleHTTPRequestHandler):
    settings = None  # the site's Settings
    # Connections kept open between requests, as every web server keeps
    # them: a phone's slow line pays for each new one.
    protocol_version = "HTTP/1.1"

    def guess_type(self, path):
        return self.settings.content_type(path) or "application/octet-stream"

    def end_headers(self):
        for name, value in self.settings.headers.items():
            self.send_header(name, value)
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        # Apache's own settings, which Apache refuses to serve.
        if os.path.basename(path).startswith(".ht"):
            self.send_error(404)
            return None
        if (self.guess_type(path).split(";")[0] not in self.settings.compressed
                or not os.path.isfile(path)
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


def main():
    site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    Handler.settings = Settings(os.path.join(site, ".htaccess"))
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", port), functools.partial(Handler, directory=site))
    print("http://127.0.0.1:%d/" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
