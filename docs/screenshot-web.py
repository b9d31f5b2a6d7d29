# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers

"""Remakes docs/zemvaro-7-web.png and docs/zemvaro-7-phone.png: the web page
after computing 7, in headless Chromium, on a desktop browser's 1280 x 800
and a phone's 360 x 740. Needs the page built (scripts/test.sh or
scripts/serve-web.sh); run with Debian's /usr/bin/python3.

    /usr/bin/python3 docs/screenshot-web.py [SIZE...]   (SIZE: 1920x1080 and the like)
"""
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from browser import Site, chromium, open_page, viewport  # noqa: E402

shots = [("docs/zemvaro-7-web.png", 1280, 800, False), ("docs/zemvaro-7-phone.png", 360, 740, True)]
for size in sys.argv[1:]:
    width, height = map(int, size.split("x"))
    shots = [("docs/zemvaro-7-web-%s.png" % size, width, height, False)]

site = Site(os.path.join(ROOT, "build-web", "web", "site"))
driver = chromium("bg")
try:
    for path, width, height, phone in shots:
        viewport(driver, width, height, phone)
        open_page(driver, site.url)
        driver.execute_script("""
            const input = document.getElementById("Text1_0");
            input.value = "7";
            input.dispatchEvent(new Event("input"));
            document.getElementById("Command1_0").focus();
            document.getElementById("Command1_0").click();""")
        driver.execute_async_script("document.fonts.ready.then(arguments[arguments.length - 1])")
        driver.save_screenshot(os.path.join(ROOT, path))
        print("wrote", path)
finally:
    driver.quit()
    site.stop()
