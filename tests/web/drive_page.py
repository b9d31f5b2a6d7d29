# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Drives the web page in one engine as a Bulgarian pupil would: the page's
name; the window standing where the table's zoom rule puts it; the input's
limit; compute, the message boxes, Enter and Escape, clear, and what a
screen reader is told after each; twenty thousand rows, End and the current
row's mark; a caption clicked with the list scrolled; the report entered
from its first line; the text as sharp and the scroll bars as whole at
1280 x 800 as at the window's own size; the bundled font fetched only where
Times New Roman is missing, and there before the page's modules; the page at
a phone's size; the modules asked for only once the window's paint is on
the screen, where the engine says when that was; the page offline from its
service worker; and no console error on the way. In Chromium also what its
accessibility tree says, by the names every face gives, high contrast, a
start that fails, and what the server sends with each file: the same from
the test server, from Apache with the page's .htaccess, and in its
web.config and nginx lines, a frame of the page refused.

    drive_page.py ENGINE SITE_DIR EXPECTED_REPORT_OF_7
"""
import glob
import gzip
import json
import os
import re
import sys
import tempfile
import urllib.error
import urllib.request
import xml.etree.ElementTree as ElementTree
import zipfile

from PIL import Image
from selenium.common.exceptions import WebDriverException

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, ".."))
sys.path.insert(0, os.path.join(HERE, "..", "..", "web"))
import poll  # noqa: E402
from browser import ApacheSite, Site, fail, start  # noqa: E402
from expected import NAMES, TEXTS  # noqa: E402
from serve import Settings  # noqa: E402

OVERFLOW = TEXTS["overflow"]
REJECTED = "Най-близкото по-голямо просто число е: \n"
SUMMARY_7 = TEXTS["summary_7"]
engine, site_dir, expected_file = sys.argv[1:4]
with open(expected_file, encoding="utf-8") as f:
    REPORT_7 = f.read()
work = tempfile.mkdtemp(prefix="zemvaro-page-")


def value(control, name="value"):
    return browser.js("return document.getElementById(arguments[0])[arguments[1]]", control, name)


def rows(control):
    """The number of rows, and the selected one's place (0: none)."""
    return browser.js("""
        const list = document.getElementById(arguments[0]);
        const rows = list.querySelectorAll("[role=option]");
        const selected = list.querySelector("[aria-selected=true]");
        return [rows.length ? Number(rows[0].getAttribute("aria-setsize")) : 0,
                selected ? Number(selected.getAttribute("aria-posinset")) : 0];""", control)


def first_rows(control, n):
    return browser.js("""return [...document.getElementById(arguments[0]).querySelectorAll("[role=option]")]
        .sort((a, b) => a.getAttribute("aria-posinset") - b.getAttribute("aria-posinset"))
        .slice(0, arguments[1]).map((row) => row.textContent);""", control, n)


def said():
    """What the polite live region holds once the click's frame is drawn."""
    return browser.js_async("""
        const done = arguments[arguments.length - 1];
        requestAnimationFrame(() => requestAnimationFrame(
            () => done(document.querySelector("[aria-live=polite]").textContent)));""")


def type_into_input(text):
    browser.click("Text1_0")
    browser.keys("Control+a", "Backspace", text)


def message_box():
    """The open box's title, text and buttons, or None."""
    return browser.js("""
        const box = document.querySelector("dialog[open]");
        return box && [document.getElementById(box.getAttribute("aria-labelledby")).textContent,
                       box.querySelector("p").textContent,
                       [...box.querySelectorAll("button")].map((b) => b.textContent)];""")


def place(control):
    return browser.js("""const r = document.getElementById(arguments[0]).getBoundingClientRect();
        return [r.left, r.top, r.width, r.height];""", control)


def compute_and_shoot(typed, width, height):
    """A screenshot at width x height after computing `typed`, and where the
    lists and the report are on it, in its own pixels."""
    browser.viewport(width, height)
    browser.open(site.url)
    type_into_input(typed)
    browser.click("Command1_0")
    browser.js("document.activeElement.blur()")  # no focus mark in the picture
    path = os.path.join(work, "%dx%d.png" % (width, height))
    browser.screenshot(path)
    image = Image.open(path).convert("RGB")
    scale = image.width / width
    boxes = browser.js("""return ["List1_0", "List1_1", "Text1_1"].map((id) => {
        const e = document.getElementById(id), s = getComputedStyle(e), r = e.getBoundingClientRect();
        const border = (side) => parseFloat(s["border" + side + "Width"]);
        return {left: r.left + border("Left"), top: r.top + border("Top"),
                right: r.right - border("Right"), bottom: r.bottom - border("Bottom"),
                bar: e.offsetWidth - e.clientWidth - border("Left") - border("Right"),
                padding: parseFloat(s.paddingLeft)}; });""")
    return image, scale, boxes


def bar_lavender(image, scale, box):
    """The share of the list's scroll bar column that shows the window's
    lavender through it: a bar drawn whole shows none."""
    seen = lavender = 0
    for f in (0.3, 0.5, 0.7):
        x = int((box["right"] - box["bar"] * (1 - f)) * scale)
        for y in range(int(box["top"] * scale) + 1, int(box["bottom"] * scale) - 1):
            r, g, b = image.getpixel((x, y))
            seen += 1
            lavender += abs(r - 0xc0) <= 8 and abs(g - 0xc0) <= 8 and b >= 0xf7
    return lavender / seen


def dark_share(image, scale, box):
    """The share of dark pixels in the report's text: text drawn at its size
    is as dark at every zoom, text scaled as a picture greyer."""
    inset = box["padding"]
    crop = image.crop((int((box["left"] + inset) * scale), int((box["top"] + inset) * scale),
                       int((box["right"] - box["bar"] - inset) * scale),
                       int((box["bottom"] - inset) * scale))).convert("L")
    histogram = crop.histogram()
    return sum(histogram[:96]) / sum(histogram)


def chromium_only():
    """What Chromium's automation alone can show: the accessibility tree,
    Windows' high contrast, and a start that fails."""
    driver = browser.driver
    browser.viewport(1280, 800)
    browser.open(site.url)
    type_into_input("7")
    browser.click("Command1_0")
    tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    nodes = {node["nodeId"]: node for node in tree}
    named = {}
    for node in tree:
        if not node.get("ignored") and node.get("name", {}).get("value"):
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            properties["description"] = node.get("description", {}).get("value")
            properties["children"] = [nodes[c]["role"]["value"] for c in node.get("childIds", [])
                                      if c in nodes and not nodes[c].get("ignored")]
            named[(node["role"]["value"], node["name"]["value"])] = properties
    roles = {"Text1_0": "textbox", "List1_0": "listbox", "List1_1": "listbox",
             "Command1_0": "button", "Command1_1": "button", "Text1_1": "textbox",
             "Label1_0": "heading", "Label1_1": "StaticText", "Label1_2": "StaticText",
             "Label1_3": "StaticText", "window": "RootWebArea"}
    for control, role in roles.items():
        if (role, NAMES[control]) not in named:
            fail("the accessibility tree has no %s named '%s'" % (role, NAMES[control]))
    # Rows alone in a list, so that a reader counts them.
    for control in ("List1_0", "List1_1"):
        children = named[("listbox", NAMES[control])]["children"]
        if not children or set(children) != {"option"}:
            fail("%s holds %s, not rows alone" % (control, children))
    if not named.get(("textbox", NAMES["Text1_1"]), {}).get("multiline"):
        fail("the report is not a multi-line text box to a screen reader")
    described = named[("textbox", NAMES["Text1_0"])]["description"]
    if described != "Цяло число, до три знака":
        fail("the input is described as '%s'" % described)

    # Windows' high contrast: the selected row's number can be read on its
    # highlight. Another number in its place looks different; two numbers
    # the colour of their backplate look alike, as two blank blocks.
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                           {"features": [{"name": "forced-colors", "value": "active"}]})
    browser.click("List1_1_row_2")
    browser.js("document.activeElement.blur()")
    left, top, width, height = place("List1_1_row_2")
    shots = []
    for number in ("2", "7"):
        browser.js("document.getElementById('List1_1_row_2').textContent = arguments[0]", number)
        path = os.path.join(work, "contrast-%s.png" % number)
        browser.screenshot(path)
        shots.append(Image.open(path).convert("RGB").crop(
            (int(left), int(top), int(left + width), int(top + height))))
    differing = sum(sum(abs(a - b) for a, b in zip(p, q)) > 150
                    for p, q in zip(shots[0].getdata(), shots[1].getdata()))
    if differing < 20:
        fail("in high contrast the selected row's number cannot be read")
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    # A start that fails says why, in the page: opened from the disk, the
    # module missing on the server.
    reasons = {"file": "Отворете страницата през уеб сървър",
               "error": "Презаредете страницата"}
    for reason, url in (("file", "file://" + os.path.abspath(os.path.join(site_dir, "index.html"))),
                        ("error", site.url)):
        if reason == "error":
            driver.execute_cdp_cmd("Network.enable", {})
            driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": ["*zemvaro.js"]})
        if browser.open(url, started=False) != reason:
            fail("with %s the page does not say it cannot start" % reason)
        shown = browser.js("""return [...document.querySelectorAll("#failed p")]
            .filter((p) => p.offsetParent).map((p) => p.textContent).join("|")""")
        if reasons[reason] not in shown or browser.js(
                "return document.getElementById('starting').offsetParent") is not None:
            fail("with %s the page says '%s'" % (reason, shown))
    driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})
    driver.execute_cdp_cmd("Network.disable", {})
    driver.get_log("browser")  # the failures' own messages, asked for

    # A language tag the browser cannot use: the full stop.
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
        "source": "Object.defineProperty(Navigator.prototype, 'language', {get: () => 'C'})"})
    browser.open(site.url)
    type_into_input("2.5")
    browser.click("Command1_0")
    if "2.5 = 0.5*(2 + 3)" not in value("Text1_1"):
        fail("with the language tag C the report reads\n" + value("Text1_1"))

    server()


# What a browser needs of each kind of file: its type, and whether it is
# worth compressing (the font and the pictures are compressed already).
TYPES = {".html": ("text/html; charset=utf-8", True),
         ".js": ("text/javascript; charset=utf-8", True),
         ".wasm": ("application/wasm", True),
         ".webmanifest": ("application/manifest+json; charset=utf-8", True),
         ".svg": ("image/svg+xml; charset=utf-8", True),
         ".txt": ("text/plain; charset=utf-8", True),
         ".woff2": ("font/woff2", False),
         ".png": ("image/png", False)}
COMPARED = ("Content-Type", "Content-Encoding", "Cache-Control", "Content-Security-Policy",
            "X-Frame-Options", "X-Content-Type-Options")


def answer(url):
    """The status, headers and (uncompressed) body a browser that takes gzip
    gets for `url`."""
    request = urllib.request.Request(url, headers={"Accept-Encoding": "gzip"})
    try:
        with urllib.request.urlopen(request, timeout=10) as response:
            body = response.read()
            if response.headers.get("Content-Encoding") == "gzip":
                body = gzip.decompress(body)
            return response.status, response.headers, body
    except urllib.error.HTTPError as error:
        return error.code, error.headers, b""


def server():
    """Every file of the page with its type, compressed where that helps,
    asked after each time, under the page's security policy with frame
    ancestors refused; the same from the test server and from Apache with
    the page's .htaccess, which neither serves; web.config and the nginx
    lines saying the same; all of them in the page's zip; and a frame of the
    page refused."""
    meta = browser.js("""return document.querySelector('meta[http-equiv="Content-Security-Policy"]')
                         .content""")
    wanted = {"Cache-Control": "no-cache",
              "Content-Security-Policy": meta + "; frame-ancestors 'none'",
              "X-Frame-Options": "DENY", "X-Content-Type-Options": "nosniff"}
    with open(os.path.join(site_dir, "sw.js"), encoding="utf-8") as f:
        files = json.loads(re.search(r"const FILES = (.*);", f.read()).group(1))
    apache = ApacheSite(site_dir)
    try:
        for name in files + ["sw.js"]:
            path = os.path.join(site_dir, "index.html" if name == "./" else name)
            kind, compressed = TYPES[os.path.splitext(path)[1]]
            with open(path, "rb") as f:
                content = f.read()
            for served in (site, apache):
                status, headers, body = answer(served.url + ("" if name == "./" else name))
                got = {header: headers.get(header) for header in COMPARED}
                expected = dict(wanted, **{"Content-Type": kind,
                                           "Content-Encoding": "gzip" if compressed else None})
                if status != 200 or body != content or got != expected:
                    fail("%s from %s: %s %s, not %s%s" % (
                        name, served.url, status, got, expected,
                        "" if body == content else " (another body)"))
        for served in (site, apache):
            if answer(served.url + ".htaccess")[0] not in (403, 404):
                fail("%s serves the page's .htaccess" % served.url)
    finally:
        apache.stop()

    # The settings for IIS and nginx: every type and header the test server
    # sends from the .htaccess; HSTS kept for https.
    settings = Settings(os.path.join(site_dir, ".htaccess"))
    if settings.https_headers != {"Strict-Transport-Security": "max-age=31536000"}:
        fail(".htaccess sends over https %s" % settings.https_headers)
    types = {extension: settings.content_type("file" + extension) for extension in settings.types}
    config = ElementTree.parse(os.path.join(site_dir, "web.config")).getroot()
    content = config.find("system.webServer/staticContent")
    iis_types = {m.get("fileExtension"): m.get("mimeType") for m in content.iter("mimeMap")}
    iis_headers = {h.get("name"): h.get("value") for h in config.iter("add")}
    if content.find("clientCache").get("cacheControlMode") == "DisableCache":
        iis_headers["Cache-Control"] = "no-cache"
    with open(os.path.join(site_dir, "nginx-zemvaro.conf"), encoding="utf-8") as f:
        nginx = f.read()
    nginx_types = {"." + extension: kind for kind, extension in re.findall(r"^ +(\S+) (\w+);$", nginx, re.M)}
    # text/html is always among them, and not named.
    nginx_charset = re.search(r"^charset_types (.*);$", nginx, re.M).group(1).split() + ["text/html"]
    nginx_types = {extension: kind + ("; charset=utf-8" if kind in nginx_charset else "")
                   for extension, kind in nginx_types.items()}
    nginx_headers = dict(re.findall(r'^add_header (\S+) "(.*)" always;$', nginx, re.M))
    for server_name, (their_types, their_headers) in {"web.config": (iis_types, iis_headers),
                                                      "nginx": (nginx_types, nginx_headers)}.items():
        if their_types != types or their_headers != settings.headers:
            fail("%s says %s\n%s\nnot, as the .htaccess, %s\n%s" % (
                server_name, their_types, their_headers, types, settings.headers))

    # The zip for a school's server holds every file of the folder, the
    # servers' settings among them, the hidden .htaccess too.
    zips = glob.glob(os.path.join(site_dir, "..", "zemvaro-*-web.zip"))
    if len(zips) != 1:
        fail("no one zip of the page beside %s: %s" % (site_dir, zips))
    with zipfile.ZipFile(zips[0]) as packed:
        held = {name.split("/", 1)[1] for name in packed.namelist()}
    if set(os.listdir(site_dir)) - held:
        fail("%s lacks %s" % (zips[0], sorted(set(os.listdir(site_dir)) - held)))

    # What only the header can say: no site may show the page in a frame, not
    # even its own; a frame refused holds the browser's error page instead,
    # which the page cannot read.
    shown = browser.js_async("""const done = arguments[arguments.length - 1];
        const frame = Object.assign(document.createElement("iframe"), { src: location.href });
        frame.addEventListener("load", () => done(frame.contentDocument && frame.contentDocument.title));
        document.body.append(frame);""")
    if shown is not None:
        fail("a frame showed the page ('%s')" % shown)


def walk():
    """The walk, in a browser at 1280 x 800, then in a phone's, which, as
    most phones, has no Times New Roman: its fontconfig shows it DejaVu alone,
    not Liberation Serif, which every engine takes for Times New Roman."""
    global browser
    browser = start(engine, "bg")
    try:
        desktop()
    finally:
        browser.quit()
    fonts = os.path.join(work, "fonts.conf")
    with open(fonts, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0"?>\n<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>'
                '<cachedir>%s</cachedir></fontconfig>\n' % work)
    os.environ["FONTCONFIG_FILE"] = fonts
    browser = start(engine, "bg", phone=True)
    try:
        phone()
    finally:
        browser.quit()
        del os.environ["FONTCONFIG_FILE"]


def fetched():
    """The files the page has asked for so far, by name, and when."""
    return browser.js("""const asked = {};
        for (const r of performance.getEntriesByType("resource")) {
            const name = r.name.split("/").pop();
            asked[name] = Math.min(asked[name] ?? Infinity, r.startTime);
        }
        return asked;""")


def asked_after_paint(where):
    """The modules and the core asked for only once the window's paint was on
    the screen, where the engine reports when that was (its largest paint):
    asked for before it, they would have shared a slow line with the paint."""
    painted = browser.js_async("""const done = arguments[arguments.length - 1];
        if (!(PerformanceObserver.supportedEntryTypes || []).includes("largest-contentful-paint")) {
            done(null);
        } else {
            new PerformanceObserver((list) => done(list.getEntries()[0].startTime))
                .observe({ type: "largest-contentful-paint", buffered: true });
            setTimeout(() => done(-1), 2000);
        }""")
    if painted == -1:
        fail("%s the engine reported no paint of the window" % where)
    asked = fetched()
    early = [name for name in ("main.js", "zemvaro.js", "zemvaro.wasm")
             if painted is not None and asked.get(name, 0) < painted]
    if early:
        fail("%s %s asked for before the window's paint at %.0f ms: %s" % (
            where, ", ".join(early), painted, asked))


def desktop():
    browser.viewport(1280, 800)
    browser.open(site.url)
    asked_after_paint("with Times New Roman")
    title = browser.js("return document.title")
    if title != NAMES["window"]:
        fail("the page is called '%s'" % title)
    # Where the table's zoom rule puts the window, worked out by the module,
    # is where the style sheet has it.
    fit = browser.js_async("""const done = arguments[arguments.length - 1];
        import("./zemvaro.js").then((m) => m.default()).then((zemvaro) => {
            const { zoom, left, top } = zemvaro.fit(innerWidth, innerHeight);
            done([left, top, zemvaro.layout().width * zoom, zemvaro.layout().height * zoom]); });""")
    if any(abs(a - b) > 1 for a, b in zip(place("window"), fit)):
        fail("the window is at %s, not %s" % (place("window"), fit))
    for control in ("Text1_0", "Text1_1", "List1_0", "List1_1"):
        if browser.js("return document.getElementById(arguments[0]).ariaLabel ?? "
                      "document.getElementById(arguments[0]).getAttribute('aria-label')",
                      control) != NAMES[control]:
            fail("%s is not named '%s'" % (control, NAMES[control]))
    if browser.active() != "Text1_0":
        fail("the input does not have the focus at start")
    if "zemvaro-serif.woff2" in fetched():
        fail("with Times New Roman at hand the page fetched its own font")

    type_into_input("1234")
    if value("Text1_0") != "123":
        fail("typing 1234 left '%s'" % value("Text1_0"))

    # typed, the box it brings (None: none) and how it is closed, the report
    # (None: as before), the rows of both lists, what a screen reader is told
    cases = [
        ("7", None, None, REPORT_7, (14, 7), SUMMARY_7),
        ("2", "N > 2", "Enter", REJECTED, (0, 0), ""),
        ("9e9", OVERFLOW, "Escape", None, (0, 0), ""),
        ("2.5", None, None, "Най-близкото по-голямо просто число е: 3\n2,5 = 0.5*(2 + 3)\n", (5, 4),
         "Готово: 5 числа в ситото, 4 прости. Най-близкото по-голямо просто число е: 3."),
    ]
    for typed, box, close, expected, counts, summary in cases:
        before = value("Text1_1")
        type_into_input(typed)
        browser.click("Command1_0")
        if box is not None:
            seen = poll.wait_for(message_box, "the box for '%s'" % typed)
            if seen != ["Zemvaro", box, ["Добре"]]:
                fail("'%s' brought the box %s" % (typed, seen))
            if browser.active() != "message":  # what a screen reader reads as it opens
                fail("the box for '%s' opened with the focus on %s" % (typed, browser.active()))
            browser.keys(close)
            poll.wait_for(lambda: message_box() is None, "the box for '%s' closing" % typed)
            if poll.settled(browser.active, "Command1_0") != "Command1_0":
                fail("the focus did not go back to Сметни after the box for '%s'" % typed)
        # After a box the new report comes with the box's close event, a
        # moment after the box is gone.
        wanted = before if expected is None else expected
        got = poll.settled(lambda: value("Text1_1"), wanted)
        if got != wanted:
            fail("the report of '%s' reads\n%s" % (typed, got))
        if (rows("List1_0")[0], rows("List1_1")[0]) != counts:
            fail("the lists of '%s' have %s rows" % (typed, (rows("List1_0")[0], rows("List1_1")[0])))
        if said() != summary:
            fail("after '%s' a screen reader is told '%s'" % (typed, said()))
        if typed == "7" and (first_rows("List1_0", 4), first_rows("List1_1", 4)) != (
                ["1", "2", "3", "0"], ["1", "2", "3", "5"]):
            fail("the lists of 7 start %s" % [first_rows("List1_0", 4), first_rows("List1_1", 4)])

    # Neither button is a default one: Enter and Escape start nothing.
    type_into_input("7")
    browser.keys("Tab", "Enter", "Escape")
    browser.click("Text1_0")
    browser.keys("Enter", "Escape")
    if rows("List1_0")[0] != 5 or not value("Text1_1").startswith("Най-близкото по-голямо просто число е: 3"):
        fail("Enter or Escape computed")
    browser.click("Command1_1")
    if (value("Text1_0"), value("Text1_1"), rows("List1_0")[0], rows("List1_1")[0],
            said()) != ("", "", 0, 0, TEXTS["cleared"]):
        fail("Чисти left something behind, or was not said")

    type_into_input("1e4")
    browser.click("Command1_0")
    if (rows("List1_0")[0], rows("List1_1")[0]) != (20000, 2263):
        fail("1e4 gave %s rows" % [rows("List1_0")[0], rows("List1_1")[0]])
    # The report is entered from its first line, the caret at its start.
    browser.js("document.getElementById('List1_1').focus()")
    browser.keys("Tab")
    if (browser.active(), value("Text1_1", "selectionStart"), value("Text1_1", "scrollTop")) != (
            "Text1_1", 0, 0):
        fail("Tab into the report of 1e4 left the caret at %s, scrolled to %s" % (
            value("Text1_1", "selectionStart"), value("Text1_1", "scrollTop")))
    # Every engine shows four rows and a part of a fifth, which says there
    # are more where scroll bars show only when touched.
    shown = browser.js("""const list = document.getElementById("List1_0"), s = getComputedStyle(list);
        const row = list.querySelector(".row").getBoundingClientRect().height;
        return (list.getBoundingClientRect().height - parseFloat(s.borderTopWidth)
                - parseFloat(s.borderBottomWidth) - parseFloat(s.paddingTop)
                - parseFloat(s.paddingBottom)) / row;""")
    if not 4.1 < shown < 4.4:
        fail("the sieve list shows %.2f rows" % shown)
    # Entering a list, its current row is marked; End shows the last row whole.
    browser.js("document.getElementById('Text1_0').focus()")
    browser.keys("Tab", "Tab")
    if browser.js("""return getComputedStyle(document.querySelector("#List1_0 .row.current"))
                         .outlineStyle""") != "dotted":
        fail("the sieve list's current row is not marked when the list takes the focus")
    browser.keys("End")
    if rows("List1_0")[1] != 20000:
        fail("End in the sieve list selected row %d" % rows("List1_0")[1])
    cut = browser.js("""const list = document.getElementById("List1_0");
        const view = list.getBoundingClientRect(), s = getComputedStyle(list);
        return list.querySelector("[aria-posinset='20000']").getBoundingClientRect().bottom
            - (view.bottom - parseFloat(s.borderBottomWidth));""")
    if cut > 0.5:
        fail("End leaves the last row %.1f pixels cut off" % cut)
    # A caption changes nothing: the list keeps its place and its row.
    browser.keys("PageUp", "PageUp")
    kept = (value("List1_0", "scrollTop"), rows("List1_0")[1])
    browser.click("Label1_2")
    if (value("List1_0", "scrollTop"), rows("List1_0")[1]) != kept:
        fail("a click on the caption moved the sieve list from %s to %s" % (
            kept, (value("List1_0", "scrollTop"), rows("List1_0")[1])))

    # Drawn at the size it is shown: at 1280 x 800 the report's text is as
    # dark as at the window's own size, and both lists' scroll bars whole.
    small, small_scale, small_boxes = compute_and_shoot("100", 442, 336)
    large, large_scale, large_boxes = compute_and_shoot("100", 1280, 800)
    for i, control in enumerate(("List1_0", "List1_1")):
        if bar_lavender(large, large_scale, large_boxes[i]) > 0.01:
            fail("%s's scroll bar is %.0f%% lavender at 1280 x 800" % (
                control, 100 * bar_lavender(large, large_scale, large_boxes[i])))
    sharpness = dark_share(large, large_scale, large_boxes[2]) / dark_share(
        small, small_scale, small_boxes[2])
    if sharpness < 0.9:
        fail("the report's text at 1280 x 800 is %.2f as dark as at 442 x 336" % sharpness)

    errors = browser.errors()
    if errors:
        fail("the console says\n" + "\n".join(errors))
    if engine == "chromium":
        chromium_only()


def phone():
    """A phone held upright: all of the window, no sideways scrolling; and
    once visited, the page works with the server gone."""
    browser.viewport(360, 740)
    browser.open(site.url)
    fits = browser.js("""
        const page = document.documentElement;
        return page.scrollWidth <= page.clientWidth && [...document.querySelectorAll("#window > *")]
            .every((e) => { const r = e.getBoundingClientRect();
                            return r.left >= 0 && r.right <= innerWidth && r.bottom <= innerHeight; });""")
    if not fits:
        fail("the window does not fit a 360 x 740 phone")
    # Without Times New Roman the window waits for the bundled font: asked
    # for first, not behind the modules and the core on a slow line.
    asked = fetched()
    font = asked.get("zemvaro-serif.woff2")
    if font is None or any(asked[name] < font for name in ("main.js", "zemvaro.js", "zemvaro.wasm")):
        fail("without Times New Roman the font was asked for %s" % (
            "never" if font is None else "after a module: %s" % asked))
    asked_after_paint("without Times New Roman")

    browser.js_async("""
        const done = arguments[arguments.length - 1];
        navigator.serviceWorker.ready.then(function wait() {
            navigator.serviceWorker.controller ? done() : setTimeout(wait, 20); });""")
    site.stop()
    if engine == "chromium":  # its offline emulation does not cover the worker
        browser.driver.execute_cdp_cmd("Network.enable", {})
        browser.driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    browser.open(site.url)
    type_into_input("7")
    browser.click("Command1_0")
    if value("Text1_1") != REPORT_7:
        fail("offline, the report of 7 reads\n" + value("Text1_1"))
    errors = browser.errors()
    if errors:
        fail("the console says\n" + "\n".join(errors))


site = Site(site_dir)
try:
    walk()
finally:
    if site.process.poll() is None:
        site.stop()
print("PASS: the web page in " + engine)
