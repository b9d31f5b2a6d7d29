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
// window's paint, its text included, is on the screen: on a phone's slow line
// they would otherwise share it with the bundled font, and a browser that
// counts what was asked for before the paint as something the paint waited
// for would wait for them too.
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
    document.getElementById("starting").classList.add("shown");
    for (const module of ["zemvaro.js", "page.js", "list.js", "dialog.js"]) {
      add("link", { rel: "modulepreload", href: module });
    }
    // The core, for main.js: fetched here, with the modules, rather than
    // preloaded for zemvaro.js, which WebKit would fetch a second time.
    window.zemvaroCore = fetch("zemvaro.wasm", { credentials: "same-origin" });
    add("script", { type: "module", src: "main.js" }).addEventListener("error", () => fail("error"));
  };
  // When the window is on the screen. Where the browser reports its largest
  // paint, that report: it comes once the frame is shown, and only for text
  // that can be seen, so never for the window's text hidden while the
  // bundled font is on its way. Never later than two seconds after the page
  // was opened, and at once for a page in the background, which paints
  // nothing until shown.
  const painted = (then) => {
    let started = false;
    const start = () => {
      if (!started) {
        started = true;
        then();
      }
    };
    if (document.hidden) return start();
    document.addEventListener("visibilitychange", () => document.hidden && start());
    setTimeout(start, Math.max(0, 2000 - performance.now()));
    const reported = (typeof PerformanceObserver === "function" &&
                      PerformanceObserver.supportedEntryTypes) || [];
    if (reported.indexOf("largest-contentful-paint") >= 0) {
      new PerformanceObserver((entries, observer) => {
        observer.disconnect();
        start();
      }).observe({ type: "largest-contentful-paint", buffered: true });
      return;
    }
    // Elsewhere (WebKit): after the next frame's layout, by which the
    // window's text has asked for the bundled font where Times New Roman is
    // missing, that font; then the first paint, if the browser reports one
    // after the font, or else two frames, the first of which paints the text.
    requestAnimationFrame(() => setTimeout(() =>
      (document.fonts ? document.fonts.ready : Promise.resolve()).then(() => {
        const first = performance.getEntriesByName("first-contentful-paint")[0];
        const font = performance.getEntriesByType("resource")
          .filter((entry) => /\/zemvaro-serif\.woff2$/.test(entry.name))[0];
        if (first && (!font || first.startTime >= font.responseEnd)) return start();
        requestAnimationFrame(() => requestAnimationFrame(start));
      })));
  };
  painted(load);
})();
