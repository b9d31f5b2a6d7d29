# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""The web page served on 127.0.0.1 and opened in Debian's own Chromium,
headless, through its chromedriver: for the page's end-to-end test and its
benchmark. Nothing is downloaded, and no host name but the loopback resolves,
so nothing leaves the machine.
"""
import os
import shutil
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service

HERE = os.path.dirname(os.path.abspath(__file__))
SERVE = os.path.join(HERE, "..", "..", "web", "serve.py")

# /usr/bin/chromium is a wrapper that adds Debian's own flags; the browser
# itself takes only these.
CHROMIUM = "/usr/lib/chromium/chromium"
FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
    # Chromium reaches for Google's services at start; none of that here.
    "--disable-quic", "--no-first-run", "--disable-background-networking",
    "--disable-component-update", "--disable-sync",
    "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1",
]


class Site:
    """The built page, served by web/serve.py on a free port until stop()."""

    def __init__(self, site_dir):
        self.process = subprocess.Popen(
            ["/usr/bin/python3", SERVE, site_dir, "0"], stdout=subprocess.PIPE, text=True)
        self.url = self.process.stdout.readline().strip()

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def chromium(language="bg"):
    """A fresh browser with a profile of its own, in `language`; quit() it."""
    profile = tempfile.mkdtemp(prefix="zemvaro-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in FLAGS + ["--user-data-dir=" + profile, "--lang=" + language]:
        options.add_argument(flag)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    quit_driver = driver.quit

    def quit():
        try:
            quit_driver()
        finally:
            shutil.rmtree(profile, ignore_errors=True)

    driver.quit = quit
    driver.set_script_timeout(30)
    return driver


def viewport(driver, width, height, phone=False):
    """Exactly this viewport; a phone's also reads the page's viewport meta."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 2 if phone else 1,
        "mobile": phone})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": phone})


def open_page(driver, url):
    """Loads the page and waits until it has built its window."""
    try:
        driver.get(url)
        driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            const wait = () => "ready" in document.documentElement.dataset ? done() : setTimeout(wait, 10);
            wait();""")
    except WebDriverException as error:
        fail("the page at %s never built its window: %s" % (url, error.msg))


def fail(what):
    sys.exit("FAIL: " + what)
