#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""The smallest WebKitGTK browser that WebKitWebDriver can drive, for the
page's tests: Debian's MiniBrowser has a tool bar above the page and no
window narrower than 447 pixels, so no phone, and under automation it keeps
the page's console to itself. Here the window is the page, and every console
error, uncaught error, failed load and unhandled rejection is kept from the
document's start in window.__errors, for the test to read. Run it under
tests/xvfb.sh; GDK_SCALE=2 makes it a phone's dense screen.

    capabilities: {"browserName": "webkit_shell",
                   "webkitgtk:browserOptions": {"binary": THIS, "args": ["--automation"]}}
"""
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import Gtk, WebKit2  # noqa: E402

NAME = "webkit_shell"  # WebKitWebDriver matches it against the browserName asked for
KEEP_ERRORS = r"""
(() => {
  const errors = [];
  Object.defineProperty(window, "__errors", { value: errors });
  const error = console.error.bind(console);
  console.error = (...args) => { errors.push(args.map(String).join(" ")); error(...args); };
  addEventListener("error", (e) => errors.push(e.message ? e.message + " at " + e.filename + ":" + e.lineno
                                                        : "failed to load " + (e.target.src || e.target.href)), true);
  addEventListener("unhandledrejection", (e) => errors.push("unhandled rejection: " + e.reason));
})();
"""

# Nothing kept between runs: a profile in memory only.
context = WebKit2.WebContext(website_data_manager=WebKit2.WebsiteDataManager.new_ephemeral())
context.set_automation_allowed("--automation" in sys.argv)
content = WebKit2.UserContentManager()
content.add_script(WebKit2.UserScript(KEEP_ERRORS, WebKit2.UserContentInjectedFrames.ALL_FRAMES,
                                      WebKit2.UserScriptInjectionTime.START, None, None))
windows = []


def new_view(_session=None):
    view = WebKit2.WebView(web_context=context, user_content_manager=content,
                           is_controlled_by_automation=True)
    window = Gtk.Window(title=NAME)
    window.set_default_size(1024, 768)
    window.add(view)
    window.show_all()
    windows.append(window)

    def closed(*_):
        window.destroy()
        windows.remove(window)
        if not windows:
            Gtk.main_quit()
        return True

    view.connect("close", closed)
    window.connect("delete-event", closed)
    return view


def automation_started(_context, session):
    info = WebKit2.ApplicationInfo()
    info.set_name(NAME)
    info.set_version(1, 0, 0)
    session.set_application_info(info)
    session.connect("create-web-view", new_view)


context.connect("automation-started", automation_started)
Gtk.main()
