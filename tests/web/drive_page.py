# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Drives the web page in headless Chromium as a Bulgarian pupil would, every
control found by its role and accessible name: the title; the input's limit;
compute, the message boxes, Enter and Escape, clear, and what a screen reader
is told after each; twenty thousand rows and End; a caption clicked with the
list scrolled; the report entered from its first line; what the
accessibility tree says, by the names every face gives; the page at a
phone's size; the page offline from its service worker; and no console
error on the way.

    drive_page.py SITE_DIR EXPECTED_REPORT_OF_7 ACCESSIBLE_NAMES
"""
import os
import sys

from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import poll  # noqa: E402
from browser import Site, chromium, fail, open_page, viewport  # noqa: E402

OVERFLOW = "Допустими са цели числа от -16384 до 16383."
REJECTED = "Най-близкото по-голямо просто число е: \n"
SUMMARY_7 = "Готово: 14 числа в ситото, 7 прости. Най-близкото по-голямо просто число е: 11."
site_dir, expected_file, names_file = sys.argv[1:4]
with open(expected_file, encoding="utf-8") as f:
    REPORT_7 = f.read()
with open(names_file, encoding="utf-8") as f:
    NAMES = dict(line.rstrip("\n").split("\t") for line in f if not line.startswith("#"))


def wait_for(find, what, seconds=10.0):
    # A row scrolled away is gone from the page: not yet, not a failure.
    return poll.wait_for(find, what, seconds, vanished=StaleElementReferenceException)


def control(role, name):
    for element in driver.find_elements(By.CSS_SELECTOR, "#window > *"):
        if element.aria_role == role and element.accessible_name == name:
            return element
    fail("no %s named '%s'" % (role, name))


def script(code, *arguments):
    return driver.execute_script(code, *arguments)


def rows(listbox):
    """The number of rows, and the selected one's place (0: none)."""
    return script("""
        const rows = arguments[0].querySelectorAll("[role=option]");
        const selected = arguments[0].querySelector("[aria-selected=true]");
        return [rows.length ? Number(rows[0].getAttribute("aria-setsize")) : 0,
                selected ? Number(selected.getAttribute("aria-posinset")) : 0];""", listbox)


def first_rows(listbox, n):
    return script("""return [...arguments[0].querySelectorAll("[role=option]")]
        .sort((a, b) => a.getAttribute("aria-posinset") - b.getAttribute("aria-posinset"))
        .slice(0, arguments[1]).map((row) => row.textContent);""", listbox, n)


def said():
    """What the polite live region holds once the click's frame is drawn."""
    return driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        requestAnimationFrame(() => requestAnimationFrame(
            () => done(document.querySelector("[aria-live=polite]").textContent)));""")


def type_into_input(text):
    field.click()
    ActionChains(driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).perform()
    field.send_keys(Keys.BACKSPACE, text)


def message_box():
    """The open box's title, text and buttons, or None."""
    return script("""
        const box = document.querySelector("dialog[open]");
        return box && [document.getElementById(box.getAttribute("aria-labelledby")).textContent,
                       document.getElementById(box.getAttribute("aria-describedby")).textContent,
                       [...box.querySelectorAll("button")].map((b) => b.textContent)];""")


site = Site(site_dir)
driver = chromium("bg")
try:
    viewport(driver, 1280, 800)
    open_page(driver, site.url)
    if not (driver.title.startswith("https://") and
            driver.title.endswith(" сито на Ератостен, хипотеза на Голдбах")):
        fail("the title is '%s'" % driver.title)

    field = control("textbox", NAMES["Text1_0"])
    compute = control("button", NAMES["Command1_0"])
    clear = control("button", NAMES["Command1_1"])
    sieve = control("listbox", NAMES["List1_0"])
    primes = control("listbox", NAMES["List1_1"])
    report = control("textbox", NAMES["Text1_1"])
    if driver.switch_to.active_element != field:
        fail("the input does not have the focus at start")

    type_into_input("1234")
    if field.get_property("value") != "123":
        fail("typing 1234 left '%s'" % field.get_property("value"))

    # typed, the box it brings (None: none) and how it is closed, the report
    # (None: as before), the rows of both lists, what a screen reader is told
    cases = [
        ("7", None, None, REPORT_7, (14, 7), SUMMARY_7),
        ("2", "N > 2", Keys.ENTER, REJECTED, (0, 0), ""),
        ("9e9", OVERFLOW, Keys.ESCAPE, None, (0, 0), ""),
        ("2.5", None, None, "Най-близкото по-голямо просто число е: 3\n2,5 = 0.5*(2 + 3)\n", (5, 4),
         "Готово: 5 числа в ситото, 4 прости. Най-близкото по-голямо просто число е: 3."),
    ]
    for typed, box, close, expected, counts, summary in cases:
        before = report.get_property("value")
        type_into_input(typed)
        compute.click()
        if box is not None:
            seen = wait_for(message_box, "the box for '%s'" % typed)
            if seen != ["Zemvaro", box, ["Добре"]]:
                fail("'%s' brought the box %s" % (typed, seen))
            ActionChains(driver).send_keys(close).perform()
            wait_for(lambda: message_box() is None, "the box for '%s' closing" % typed)
            if driver.switch_to.active_element != compute:
                fail("the focus did not go back to Сметни after the box for '%s'" % typed)
        # After a box the new report comes with the box's close event, a
        # moment after the box is gone.
        wanted = before if expected is None else expected
        got = poll.settled(lambda: report.get_property("value"), wanted)
        if got != wanted:
            fail("the report of '%s' reads\n%s" % (typed, got))
        if (rows(sieve)[0], rows(primes)[0]) != counts:
            fail("the lists of '%s' have %s rows" % (typed, (rows(sieve)[0], rows(primes)[0])))
        if said() != summary:
            fail("after '%s' a screen reader is told '%s'" % (typed, said()))
        if typed == "7" and (first_rows(sieve, 4), first_rows(primes, 4)) != (
                ["1", "2", "3", "0"], ["1", "2", "3", "5"]):
            fail("the lists of 7 start %s" % [first_rows(sieve, 4), first_rows(primes, 4)])

    # Neither button is a default one: Enter and Escape start nothing.
    type_into_input("7")
    ActionChains(driver).send_keys(Keys.TAB, Keys.ENTER, Keys.ESCAPE).perform()
    field.send_keys(Keys.ENTER, Keys.ESCAPE)
    if rows(sieve)[0] != 5 or not report.get_property("value").startswith(
            "Най-близкото по-голямо просто число е: 3"):
        fail("Enter or Escape computed")
    clear.click()
    if (field.get_property("value"), report.get_property("value"), rows(sieve)[0],
            rows(primes)[0], said()) != ("", "", 0, 0, "Изчистено."):
        fail("Чисти left something behind, or was not said")

    type_into_input("1e4")
    compute.click()
    if (rows(sieve)[0], rows(primes)[0]) != (20000, 2263):
        fail("1e4 gave %s rows" % [rows(sieve)[0], rows(primes)[0]])
    # The report is entered from its first line, the caret at its start.
    script("arguments[0].focus()", primes)
    ActionChains(driver).send_keys(Keys.TAB).perform()
    if (driver.switch_to.active_element != report or report.get_property("selectionStart") != 0
            or report.get_property("scrollTop") != 0):
        fail("Tab into the report of 1e4 left the caret at %s, scrolled to %s" % (
            report.get_property("selectionStart"), report.get_property("scrollTop")))
    sieve.click()
    ActionChains(driver).send_keys(Keys.END).perform()
    if rows(sieve)[1] != 20000:
        fail("End in the sieve list selected row %d" % rows(sieve)[1])
    # A caption changes nothing: the list keeps its place and its row.
    ActionChains(driver).send_keys(Keys.PAGE_UP, Keys.PAGE_UP).perform()
    place = (sieve.get_property("scrollTop"), rows(sieve)[1])
    driver.find_element(By.ID, "Label1_2").click()
    if (sieve.get_property("scrollTop"), rows(sieve)[1]) != place:
        fail("a click on the caption moved the sieve list from %s to %s" % (
            place, (sieve.get_property("scrollTop"), rows(sieve)[1])))

    # What a screen reader is given.
    tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    named = {}
    for node in tree:
        if not node.get("ignored") and node.get("name", {}).get("value"):
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            properties["description"] = node.get("description", {}).get("value")
            named[(node["role"]["value"], node["name"]["value"])] = properties
    roles = {"Text1_0": "textbox", "List1_0": "listbox", "List1_1": "listbox",
             "Command1_0": "button", "Command1_1": "button", "Text1_1": "textbox",
             "Label1_0": "StaticText", "Label1_1": "StaticText", "Label1_2": "StaticText",
             "Label1_3": "StaticText", "window": "main"}
    for control_id, role in roles.items():
        if (role, NAMES[control_id]) not in named:
            fail("the accessibility tree has no %s named '%s'" % (role, NAMES[control_id]))
    if not named.get(("textbox", NAMES["Text1_1"]), {}).get("multiline"):
        fail("the report is not a multi-line text box to a screen reader")
    described = named[("textbox", NAMES["Text1_0"])]["description"]
    if described != "Цяло число, до три знака":
        fail("the input is described as '%s'" % described)

    # A phone held upright: all of the window, no sideways scrolling.
    viewport(driver, 360, 740, phone=True)
    open_page(driver, site.url)
    fits = script("""
        const page = document.documentElement;
        return page.scrollWidth <= page.clientWidth && [...document.querySelectorAll("#window > *")]
            .every((e) => { const r = e.getBoundingClientRect();
                            return r.left >= 0 && r.right <= innerWidth && r.bottom <= innerHeight; });""")
    if not fits:
        fail("the window does not fit a 360 x 740 phone")

    # Once visited, the page works with the server gone and no HTTP cache.
    driver.execute_async_script("""
        const done = arguments[arguments.length - 1];
        navigator.serviceWorker.ready.then(function wait() {
            navigator.serviceWorker.controller ? done() : setTimeout(wait, 20); });""")
    site.stop()
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    viewport(driver, 1280, 800)
    open_page(driver, site.url)
    field = control("textbox", NAMES["Text1_0"])
    report = control("textbox", NAMES["Text1_1"])
    type_into_input("7")
    control("button", NAMES["Command1_0"]).click()
    if report.get_property("value") != REPORT_7:
        fail("offline, the report of 7 reads\n" + report.get_property("value"))

    errors = [entry["message"] for entry in driver.get_log("browser")
              if entry["level"] == "SEVERE"]
    if errors:
        fail("the console says\n" + "\n".join(errors))
finally:
    driver.quit()
    if site.process.poll() is None:
        site.stop()
print("PASS: the web page in Chromium")
