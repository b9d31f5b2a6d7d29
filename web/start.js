// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Runs before the page's modules, as a plain script, in any browser that runs
// scripts at all: when the window cannot start, it says why and what to do,
// instead of leaving a window that does nothing. Opened from the disk, a
// browser refuses the modules; one too old has no WebAssembly exceptions or
// no modules; anything else that fails before the window is ready (a file
// missing on the server, an error in starting) says so too.
//
// It also asks for the modules and the core, all at once, but only once the
// window is painted, its text included: on a phone's slow line they would
// otherwise share it with the bundled font, and the window would stay blank
// the longer.
(() => {
  const root = document.documentElement;
  const fail = (reason) => {
    if ("ready" in root.dataset || "failed" in root.dataset) return;
    root.dataset.failed = reason;
    document.getElementById("starting").hidden = true;
    const box = document.getElementById("failed");
    box.querySelector(`[data-reason="${reason}"]`).hidden = false;
    box.hidden = false;
  };
  if (location.protocol === "file:") {
    fail("file");
    return;
  }
  // The smallest module with a try block, the kind of exception the core
  // is built with.
  const exceptions = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 4, 1, 96, 0, 0, 3, 2, 1, 0,
    10, 7, 1, 5, 0, 6, 64, 11, 11]);
  if (typeof WebAssembly !== "object" || !WebAssembly.validate(exceptions) ||
      !("noModule" in HTMLScriptElement.prototype)) {
    fail("old");
    return;
  }
  addEventListener("error", () => fail("error"));
  addEventListener("unhandledrejection", () => fail("error"));
  document.addEventListener("zemvaro-failed", () => fail("error"));

  const add = (tag, properties) =>
    document.head.appendChild(Object.assign(document.createElement(tag), properties));
  const load = () => {
    for (const module of ["zemvaro.js", "page.js", "list.js", "dialog.js"]) {
      add("link", { rel: "modulepreload", href: module });
    }
    // The core, for main.js: fetched here, with the modules, rather than
    // preloaded for zemvaro.js, which WebKit would fetch a second time.
    window.zemvaroCore = fetch("zemvaro.wasm", { credentials: "same-origin" });
    add("script", { type: "module", src: "main.js" }).addEventListener("error", () => fail("error"));
  };
  // After the next frame, by which the window's text has asked for the
  // bundled font where Times New Roman is missing, and after that font. A
  // page opened in the background paints nothing until shown: it loads at
  // once.
  const painted = (then) => (document.hidden ? then() : requestAnimationFrame(() => setTimeout(then)));
  painted(() => (document.fonts ? document.fonts.ready : Promise.resolve()).then(load));
})();
