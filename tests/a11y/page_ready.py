# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Waits until a browser shows the page at URL as a screen reader sees it,
through AT-SPI alone: a web document at that address, no longer busy, with
the input focused, which the page does as it becomes ready. Keys pressed
before then reach Orca before the page does. Exits 1 if not within SECONDS.

    page_ready.py URL SECONDS
"""
import os
import sys
import time

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import poll  # noqa: E402

url, seconds = sys.argv[1], float(sys.argv[2])


def children(node):
    return [child for child in node if child is not None]


def documents(node, depth=0):
    if node.getRole() == pyatspi.ROLE_DOCUMENT_WEB:
        yield node
    elif depth < 25:
        for child in children(node):
            yield from documents(child, depth + 1)


def focused(node, depth=0):
    if node.getState().contains(pyatspi.STATE_FOCUSED):
        return node
    for child in children(node) if depth < 12 else []:
        found = focused(child, depth + 1)
        if found:
            return found
    return None


def address(document):
    # Firefox names it DocURL, Chromium URI.
    attributes = document.queryDocument()
    return attributes.getAttributeValue("DocURL") or attributes.getAttributeValue("URI") or ""


def ready():
    for app in children(pyatspi.Registry.getDesktop(0)):
        for document in documents(app):
            if (address(document).startswith(url)
                    and not document.getState().contains(pyatspi.STATE_BUSY)):
                entry = focused(document)
                if entry is not None and entry.getRole() == pyatspi.ROLE_ENTRY:
                    return entry
    return None


start = time.monotonic()
entry = poll.wait_for(ready, "the page with its input focused", seconds, vanished=GLib.GError)
print("ready after %.1f s, the focus on '%s'" % (time.monotonic() - start, entry.name))
