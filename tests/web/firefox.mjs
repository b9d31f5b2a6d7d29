// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Debian's Firefox ESR for the page's tests, driven over WebDriver BiDi with
// puppeteer-core, which downloads no browser. browser.py talks to it through
// its standard input and output, a JSON object a line each way:
//   {"op": "viewport", "args": [W, H, DPR]}  → {"result": ...} or {"error": "..."}
// ops: viewport, goto, js (a function body and its arguments, run in the
// page; with "async", its last argument is the callback), keys, click,
// screenshot, errors, close.
//
//   node firefox.mjs LANGUAGE [headed]
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { createInterface } from "node:readline";
import puppeteer from "puppeteer-core";

const [language = "bg", mode = "headless"] = process.argv.slice(2);

// The page in Bulgarian, and nothing fetched beyond the loopback: the same
// profile as the Orca walk's (firefox-user.js). Release builds take another
// settings server only with MOZ_DISABLE_NONLOCAL_CONNECTIONS set.
const prefs = Object.fromEntries(
  [...readFileSync(new URL("firefox-user.js", import.meta.url), "utf8")
    .matchAll(/^user_pref\("([^"]+)", (.*)\);$/gm)]
    .map(([, name, value]) => [name, JSON.parse(value)]));
prefs["intl.accept_languages"] = prefs["intl.locale.requested"] = language;

const profile = mkdtempSync(join(tmpdir(), "zemvaro-firefox-"));
const browser = await puppeteer.launch({
  browser: "firefox",
  protocol: "webDriverBiDi",
  executablePath: "/usr/bin/firefox-esr",
  // Headless Firefox draws no scroll bars at all.
  headless: mode !== "headed",
  userDataDir: profile,
  extraPrefsFirefox: prefs,
  env: {
    ...process.env, MOZ_CRASHREPORTER_DISABLE: "1", MOZ_DISABLE_NONLOCAL_CONNECTIONS: "1",
    MOZ_DISABLE_AUTO_SAFE_MODE: "1",
  },
});
const page = await browser.newPage();
const errors = [];
page.on("console", (message) => {
  if (message.type() === "error") errors.push(message.text());
});
page.on("pageerror", (error) => errors.push(String(error)));

// Selenium's key names, as browser.py sends them.
const KEYS = {
  Tab: "Tab", Enter: "Enter", Escape: "Escape", End: "End", Home: "Home", PageUp: "PageUp",
  PageDown: "PageDown", Down: "ArrowDown", Up: "ArrowUp", Backspace: "Backspace", Space: " ",
};

async function keys(sequence) {
  for (const key of sequence) {
    if (key.startsWith("Control+")) {
      await page.keyboard.down("Control");
      await page.keyboard.press(key.slice("Control+".length));
      await page.keyboard.up("Control");
    } else if (key in KEYS) {
      await page.keyboard.press(KEYS[key]);
    } else {
      await page.keyboard.type(key);
    }
  }
}

// A function body with `arguments`, as selenium runs it; CSP forbids the page
// new Function, not the driver's own evaluation.
function call(code, args, wait) {
  const list = JSON.stringify(args);
  return wait
    ? `new Promise((done) => (function () { ${code}\n }).apply(null, [...${list}, done]))`
    : `(function () { ${code}\n }).apply(null, ${list})`;
}

const ops = {
  viewport: (width, height, scale) => page.setViewport({ width, height, deviceScaleFactor: scale }),
  goto: (url) => page.goto(url, { waitUntil: "load" }).then(() => null),
  js: (code, args) => page.evaluate(call(code, args, false)),
  async: (code, args) => page.evaluate(call(code, args, true)),
  keys,
  click: (id) => page.click(`#${id}`),
  screenshot: (path) => page.screenshot({ path }).then(() => null),
  errors: () => errors.splice(0),
  close: async () => {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
    process.exit(0);
  },
};

console.log(JSON.stringify({ result: "ready" }));
for await (const line of createInterface({ input: process.stdin })) {
  const { op, args = [] } = JSON.parse(line);
  try {
    const result = await ops[op](...args);
    console.log(JSON.stringify({ result: result ?? null }));
  } catch (error) {
    console.log(JSON.stringify({ error: String(error) }));
  }
}
await ops.close();
