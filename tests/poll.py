# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Waiting on something live (an accessibility tree, a window list, a page)
in the GUI tests, and failing one. What is polled can change between being
listed and being read: a message box closing, a list row scrolled away. Such
an object is not a failure but "not yet"; only the deadline fails the test.
"""
import sys
import time


def fail(what):
    sys.exit("FAIL: " + what)


def wait_for(find, what, seconds=20.0, vanished=()):
    """Calls find() until it returns something true and returns that. An
    exception of a type in `vanished` counts as nothing found yet."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = find()
        except vanished:
            found = None
        if found:
            return found
        if time.monotonic() >= deadline:
            fail(what + " never appeared")
        time.sleep(0.1)


def settled(read, wanted, seconds=10.0, vanished=()):
    """Reads until read() gives `wanted` or the deadline passes, and returns
    the last reading, for the caller to judge: for what a page finishes a
    moment after it is seen to have begun."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            got = read()
        except vanished:
            got = None
        if got == wanted or time.monotonic() >= deadline:
            return got
        time.sleep(0.05)
