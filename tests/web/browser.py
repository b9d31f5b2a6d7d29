# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""The web page served on 127.0.0.1 and opened in one of the three engines of
the browsers pupils use, for the page's tests and its benchmark: Debian's
Chromium (PCs, Chromebooks), headless, through its chromedriver; Debian's
Firefox ESR, through WebDriver BiDi and firefox.mjs; and WebKitGTK (every
browser on an iPhone or iPad), through WebKitWebDriver and webkit_shell.py.
Nothing is downloaded, and no host name but the loopback is reached, so
nothing leaves the machine. Firefox and WebKit need an X server
(tests/xvfb.sh): Firefox runs headed there, since headless it draws no
scroll bars.

    browser = start("webkit", "bg")
    browser.viewport(1280, 800); browser.open(site.url); browser.keys("7", "Tab")
"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

HERE = os.path.dirname(os.path.abspath(__file__))
SERVE = os.path.join(HERE, "..", "..", "web", "serve.py")
sys.path.insert(0, os.path.join(HERE, ".."))
import poll  # noqa: E402
from poll import fail  # noqa: E402,F401  (the page's tests take it from here)

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
ENGINES = ("chromium", "firefox", "webkit")


class Site:
    """The built page, served by web/serve.py on a free port until stop()."""

    def __init__(self, site_dir):
        self.process = subprocess.Popen(
            ["/usr/bin/python3", SERVE, site_dir, "0"], stdout=subprocess.PIPE, text=True)
        self.url = self.process.stdout.readline().strip()

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class ApacheSite:
    """The same folder served by Debian's Apache with nothing but the page's
    own .htaccess, on a free port until stop(): what a school's Apache
    sends. A copy of the folder, which Apache's own user (as root) can read
    wherever the build is."""

    MODULES = ("mpm_event", "authz_core", "mime", "headers", "filter", "deflate", "dir")

    def __init__(self, site_dir):
        self.folder = tempfile.mkdtemp(prefix="zemvaro-apache-")
        os.chmod(self.folder, 0o755)
        site = os.path.join(self.folder, "site")
        shutil.copytree(site_dir, site)
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            port = s.getsockname()[1]
        config = os.path.join(self.folder, "httpd.conf")
        with open(config, "w", encoding="utf-8") as f:
            f.write("".join("LoadModule %s_module /usr/lib/apache2/modules/mod_%s.so\n" % (m, m)
                            for m in self.MODULES))
            f.write(f"""ServerRoot {self.folder}
ServerName 127.0.0.1
Listen 127.0.0.1:{port}
PidFile {self.folder}/httpd.pid
ErrorLog {self.folder}/error.log
DefaultRuntimeDir {self.folder}
{"User nobody" if os.getuid() == 0 else ""}
{"Group nogroup" if os.getuid() == 0 else ""}
TypesConfig /etc/mime.types
DocumentRoot {site}
DirectoryIndex index.html
<Directory />
    AllowOverride None
    Require all denied
</Directory>
<Directory {site}>
    AllowOverride FileInfo
    Require all granted
</Directory>
<Files ".ht*">
    Require all denied
</Files>
""")
        self.process = subprocess.Popen(["/usr/sbin/apache2", "-X", "-f", config],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.url = "http://127.0.0.1:%d/" % port

        def listening():
            with socket.socket() as s:
                return s.connect_ex(("127.0.0.1", port)) == 0 or self.process.poll() is not None
        poll.wait_for(listening, "Apache listening")
        if self.process.poll() is not None:
            fail("Apache does not start with the page's .htaccess: " + self.process.stderr.read())

    def log(self):
        with open(os.path.join(self.folder, "error.log"), encoding="utf-8") as f:
            return f.read()

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        shutil.rmtree(self.folder, ignore_errors=True)


def chromium(language="bg"):
    """A fresh headless Chromium with a profile of its own, in `language`, as
    a selenium driver; quit() it."""
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
    """Exactly this viewport in Chromium; a phone's also reads the page's
    viewport meta."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 2 if phone else 1,
        "mobile": phone})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": phone})


WAIT_READY = """
    const done = arguments[arguments.length - 1];
    const root = document.documentElement.dataset;
    const wait = () => "ready" in root || "failed" in root ? done(root.failed ?? "") : setTimeout(wait, 10);
    wait();"""


def open_page(driver, url):
    """Loads the page in a selenium driver and waits until it has taken over
    its window."""
    try:
        driver.get(url)
        failed = driver.execute_async_script(WAIT_READY)
    except WebDriverException as error:
        fail("the page at %s never took over its window: %s" % (url, error.msg))
    if failed:
        fail("the page at %s says it cannot start (%s)" % (url, failed))


class Browser:
    """One engine's browser, driven alike: ids are the table's controls',
    keys selenium's names ("Tab", "End", "Control+a") or text to type."""

    def viewport(self, width, height):
        raise NotImplementedError

    def open(self, url, started=True):
        """Loads the page and waits until it has taken over its window, or
        (started=False) until it says it cannot; returns why ("" if it started)."""
        self.get(url)
        failed = self.js_async(WAIT_READY)
        if started and failed:
            fail("in %s the page says it cannot start (%s)" % (self.engine, failed))
        return failed

    def active(self):
        return self.js("return document.activeElement && document.activeElement.id")


class SeleniumBrowser(Browser):
    NAMED = {"Tab": Keys.TAB, "Enter": Keys.ENTER, "Escape": Keys.ESCAPE, "End": Keys.END,
             "Home": Keys.HOME, "PageUp": Keys.PAGE_UP, "PageDown": Keys.PAGE_DOWN,
             "Down": Keys.DOWN, "Up": Keys.UP, "Backspace": Keys.BACKSPACE, "Space": Keys.SPACE}

    def get(self, url):
        self.driver.get(url)

    def js(self, code, *args):
        return self.driver.execute_script(code, *args)

    def js_async(self, code, *args):
        return self.driver.execute_async_script(code, *args)

    def keys(self, *keys):
        actions = ActionChains(self.driver)
        for key in keys:
            if key.startswith("Control+"):
                actions.key_down(Keys.CONTROL).send_keys(key[len("Control+"):]).key_up(Keys.CONTROL)
            else:
                actions.send_keys(self.NAMED.get(key, key))
        actions.perform()

    def click(self, control):
        self.driver.find_element(By.ID, control).click()

    def screenshot(self, path):
        self.js_async("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
        self.driver.save_screenshot(path)

    def quit(self):
        self.driver.quit()


class Chromium(SeleniumBrowser):
    engine = "chromium"

    def __init__(self, language, phone):
        self.driver = chromium(language)
        self.phone = phone

    def viewport(self, width, height):
        viewport(self.driver, width, height, self.phone)

    def errors(self):
        return [e["message"] for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]


class WebKit(SeleniumBrowser):
    engine = "webkit"

    def __init__(self, language, phone):
        from selenium.webdriver.webkitgtk.options import Options
        options = Options()
        options.binary_location = os.path.join(HERE, "webkit_shell.py")
        options.add_argument("--automation")
        options.set_capability("browserName", "webkit_shell")
        options.overlay_scrollbars_enabled = False
        # The page's language is the locale's; a phone's screen, twice as dense.
        os.environ.update(locale_of(language))
        os.environ["GDK_SCALE"] = "2" if phone else "1"
        self.log = tempfile.mktemp(prefix="zemvaro-webkit-", suffix=".log")
        # Debian's selenium 4.8 takes the driver's path and log here.
        self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                          options=options, service_log_path=self.log)
        self.driver.set_script_timeout(30)
        self.driver.set_page_load_timeout(30)

    def viewport(self, width, height):
        # The window is the page, but the window manager's idea of its size
        # takes a moment to arrive.
        self.driver.set_window_size(width, height)
        size = poll.settled(lambda: self.js("return [innerWidth, innerHeight]"), [width, height],
                            seconds=2)
        if size != [width, height]:
            fail("WebKit's page is %s, not %dx%d" % (size, width, height))

    def errors(self):
        return self.js("return window.__errors ? window.__errors.splice(0) : []")

    def quit(self):
        super().quit()
        if os.path.exists(self.log):
            os.remove(self.log)


def locale_of(language):
    """The environment in which WebKit's navigator.language is `language`:
    "bg" needs a Bulgarian locale, which the system need not have, so it is
    built here, as for Orca; anything else is taken as a locale's name
    ("C.UTF-8" gives WebKit the tag "C")."""
    if language != "bg":
        return {"LANG": language, "LC_ALL": language}
    folder = os.path.join(tempfile.gettempdir(), "zemvaro-locale")
    if not os.path.isfile(os.path.join(folder, "bg_BG.UTF-8", "LC_IDENTIFICATION")):
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["localedef", "-i", "bg_BG", "-f", "UTF-8",
                        os.path.join(folder, "bg_BG.UTF-8")], check=True)
    return {"LOCPATH": folder, "LANG": "bg_BG.UTF-8", "LC_ALL": "bg_BG.UTF-8"}


class Firefox(Browser):
    engine = "firefox"

    def __init__(self, language, phone):
        self.phone = phone
        self.process = subprocess.Popen(
            ["node", os.path.join(HERE, "firefox.mjs"), language, os.environ.get("ZEMVARO_FIREFOX_MODE", "headed")],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.answer()

    def answer(self):
        line = self.process.stdout.readline()
        if not line:
            fail("Firefox's driver ended")
        reply = json.loads(line)
        if "error" in reply:
            raise WebDriverException(reply["error"])
        return reply["result"]

    def call(self, op, *args):
        self.process.stdin.write(json.dumps({"op": op, "args": args}) + "\n")
        self.process.stdin.flush()
        return self.answer()

    def viewport(self, width, height):
        self.call("viewport", width, height, 2 if self.phone else 1)

    def get(self, url):
        self.call("goto", url)

    def js(self, code, *args):
        return self.call("js", code, args)

    def js_async(self, code, *args):
        return self.call("async", code, args)

    def keys(self, *keys):
        self.call("keys", keys)

    def click(self, control):
        self.call("click", control)

    def screenshot(self, path):
        self.js_async("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
        self.call("screenshot", path)

    def errors(self):
        return self.call("errors")

    def quit(self):
        try:
            self.call("close")
        except (BrokenPipeError, SystemExit, ValueError):
            pass
        self.process.wait(timeout=30)


def start(engine, language="bg", phone=False):
    """A fresh browser of `engine`, with a profile of its own; quit() it. A
    phone's has a screen twice as dense."""
    return {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}[engine](language, phone)
