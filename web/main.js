// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's page: loads the core and the layout table from the WebAssembly
// module, takes over the window the page was built with, and keeps the page
// for offline use. If anything fails on the way, start.js says so.
import createZemvaro from "./zemvaro.js";
import { Page } from "./page.js";

// The separator the browser's language writes between whole and fraction:
// "bg" writes 2,5. A language tag the browser cannot use (WebKit reports "C"
// under a C locale) leaves the full stop.
function decimalSeparator() {
  try {
    const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
    return parts.find((part) => part.type === "decimal")?.value ?? ".";
  } catch {
    return ".";
  }
}

// The core start.js has fetched, or (started without it) fetched here.
function instantiateWasm(imports, instantiated) {
  (window.zemvaroCore ?? fetch("zemvaro.wasm"))
    .then((response) => {
      if (!response.ok) throw new Error(`zemvaro.wasm: ${response.status}`);
      return response.arrayBuffer();
    })
    .then((bytes) => WebAssembly.instantiate(bytes, imports))
    .then(({ instance, module }) => instantiated(instance, module));
  return {};
}

try {
  const starting = createZemvaro({ instantiateWasm });
  // The browser's first number format takes a slow phone a tenth of a
  // second or more: worked out while the core is still on its way.
  const separator = decimalSeparator();
  const zemvaro = await starting;
  const page = new Page(zemvaro, zemvaro.layout(), new zemvaro.Window(separator));
  document.getElementById("starting").remove();
  // Only now, not as the page is parsed: a screen reader then says first
  // that the page has loaded, with its name, and then where the focus is.
  page.input.focus();
  document.documentElement.dataset.ready = "";
  performance.mark("zemvaro-ready");
} catch (error) {
  // WebKit reports nothing of an error after a module's await: say it here.
  document.dispatchEvent(new CustomEvent("zemvaro-failed"));
  throw error;
}

// What installs the page as an app and keeps it offline, asked for once the
// window is ready: in the page's head the manifest went out beside start.js
// and could take the connection start.js would have reused.
document.head.append(Object.assign(document.createElement("link"),
  { rel: "manifest", href: "manifest.webmanifest" }));
if ("serviceWorker" in navigator) {
  navigator.serviceWorker.register("sw.js");
}
