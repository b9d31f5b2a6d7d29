// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Writes the page's index.html, manifest and service worker into SITE, filled
// from the layout table in TABLE_MODULE (the page's module built for node), so
// that the title, names and colours are written once, in the table.
//
//   node make_page.mjs TABLE_MODULE SOURCE_DIR SITE_DIR DESCRIPTION
import { createHash } from "node:crypto";
import { readFile, readdir, writeFile } from "node:fs/promises";
import { createRequire } from "node:module";
import { join, resolve } from "node:path";

const [tableModule, source, site, description] = process.argv.slice(2);
const createZemvaro = createRequire(import.meta.url)(resolve(tableModule));
const table = (await createZemvaro()).layout();

const html = (text) =>
  text.replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);
const fill = (template, values) => template.replace(/{{(\w+)}}/g, (_, key) => values[key]);

const page = await readFile(join(source, "index.html.in"), "utf8");
await writeFile(join(site, "index.html"), fill(page, {
  caption: html(table.caption),
  description: html(description),
  background: table.background,
}));

await writeFile(join(site, "manifest.webmanifest"), JSON.stringify({
  name: table.applicationName,
  short_name: table.applicationName,
  description,
  lang: "bg",
  start_url: "./",
  scope: "./",
  display: "standalone",
  background_color: table.background,
  theme_color: table.background,
  icons: [
    { src: "zemvaro-192.png", sizes: "192x192", type: "image/png" },
    { src: "zemvaro-512.png", sizes: "512x512", type: "image/png" },
    { src: "zemvaro.svg", sizes: "any", type: "image/svg+xml" },
  ],
}, null, 2) + "\n");

// Every file but the worker itself, and the address of the page's folder,
// which a visitor opens as often as index.html.
const files = (await readdir(site)).filter((name) => name !== "sw.js").sort();
const hash = createHash("sha256");
for (const name of files) {
  hash.update(name + "\0");
  hash.update(await readFile(join(site, name)));
}
const worker = await readFile(join(source, "sw.js.in"), "utf8");
await writeFile(join(site, "sw.js"), fill(worker, {
  cache: `zemvaro-${table.version}-${hash.digest("hex").slice(0, 12)}`,
  files: JSON.stringify(["./", ...files]),
}));
