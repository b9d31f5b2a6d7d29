// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's page: loads the core and the layout table from the WebAssembly
// module, builds the window, and keeps the page for offline use.
import createZemvaro from "./zemvaro.js";
import { Page } from "./page.js";

// The separator the browser's language writes between whole and fraction:
// "bg" writes 2,5.
function decimalSeparator() {
  const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
  return parts.find((part) => part.type === "decimal")?.value ?? ".";
}

const zemvaro = await createZemvaro();
const table = zemvaro.layout();
// Measured in the window's own font, so the rows are as tall as they will be.
await document.fonts.load(`${table.fontPixels}px "${table.fontFamily}", "Zemvaro Serif"`, table.caption);
const page = new Page(zemvaro, table, new zemvaro.Window(decimalSeparator()));
page.input.focus();
document.documentElement.dataset.ready = "";
performance.mark("zemvaro-ready");

if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("sw.js");
}
