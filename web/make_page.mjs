// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Writes the page into SITE from the layout table in TABLE_MODULE (the page's
// module built for node), so that every name, place and colour is written
// once, in the table:
//   index.html            the whole window as it looks at start, painted
//                         before any script arrives, which then takes it over,
//                         with its style: style.css, and where each control
//                         sits and its colours, at the zoom that fits the view
//   manifest.webmanifest  the installed app's name, colours and icons
//   sw.js                 the worker that keeps the page offline
//   .htaccess, web.config, nginx-zemvaro.conf
//                         what Apache, IIS and nginx send with every file:
//                         its type, compression, how long it may be kept,
//                         and the page's security policy
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

// Every control in reading order: the labels that caption nothing (the
// heading first), then the tab order with each caption just before its
// control. Those the table does not show are made all the same, hidden, as
// in every face.
const byId = new Map(table.controls.map((c) => [c.id, c]));
const captions = new Set(table.controls.map((c) => c.captionLabel).filter((id) => id));
const order = [
  ...table.controls.filter((c) => c.role === "heading"),
  ...table.controls.filter((c) => c.role === "label" && !captions.has(c.id)),
  ...table.tabOrder.flatMap((id) => {
    const caption = byId.get(byId.get(id).captionLabel);
    return caption ? [caption, byId.get(id)] : [byId.get(id)];
  }),
];

// A caption is not tied to its control: a screen reader would call the
// control by the caption ("Естествено:") instead of by the table, as the
// other faces' readers do.
function markup(c) {
  const common = [`id="${c.id}"`, c.shown ? "" : "hidden",
    c.tooltip ? `title="${html(c.tooltip)}"` : ""].filter((a) => a).join(" ");
  const name = `aria-label="${html(c.name)}"`;
  const described = c.description ? ` aria-describedby="${c.id}_description"` : "";
  const description = c.description
    ? `\n<p id="${c.id}_description" hidden>${html(c.description)}</p>` : "";
  switch (c.role) {
    case "heading":
      return `<h1 ${common} class="label">${html(c.caption)}</h1>`;
    case "label":
      return `<div ${common} class="label">${html(c.caption)}</div>`;
    case "button":
      return `<button ${common} type="button" class="button">${html(c.caption)}</button>`;
    case "list":
      // The filler is no part of the list to a screen reader, which would
      // take it for a first row and lose the count.
      return `<div ${common} class="field list" role="listbox" tabindex="0" ${name}>` +
        `<div class="filler" role="none"></div></div>`;
    default:
      if (!c.multiLine) {
        return `<input ${common} class="field input" type="text" autocomplete="off" ` +
          `spellcheck="false" ${name}${described}${c.text ? ` value="${html(c.text)}"` : ""}>` +
          description;
      }
      return `<textarea ${common} class="field report"${c.readOnly ? " readonly" : ""} ` +
        `${name}${described}>${html(c.text)}</textarea>` + description;
  }
}

// Lengths in the table's pixels at 96 dpi, at the window's zoom: its size
// on screen (--size), which the style sheet works out from the view alone,
// times the pixels over its width.
const at = (pixels) => `calc(var(--size) * ${pixels} / var(--window-width))`;
const rule = (selector, properties) =>
  `${selector} {\n${Object.entries(properties).map(([k, v]) => `  ${k}: ${v};`).join("\n")}\n}\n`;
let css = `/* Written by make_page.mjs from the layout table. */\n` + rule(":root", {
  "--background": table.background,
  "--font-family": `"${table.fontFamily}", "Zemvaro Serif", serif`,
  "--font-pixels": table.fontPixels,
  "--font-weight": table.fontWeight,
  "--border-colour": table.borderColour,
  "--focus-colour": table.focusColour,
  "--frame-colour": table.frameColour,
  "--field-colour": table.fieldColour,
  "--border-pixels": table.borderPixels,
  "--focus-pixels": table.focusPixels,
  "--margin-pixels": table.textMarginPixels,
  "--radius-pixels": table.buttonRadiusPixels,
  "--row-inset-pixels": table.rowInsetPixels,
  "--row-pixels": table.rowPixels,
  "--window-width": table.width,
  "--window-height": table.height,
});
for (const c of order) {
  const place = { left: at(c.left), top: at(c.top), width: at(c.width), height: at(c.height) };
  if (c.colour) {
    Object.assign(place, { "--colour": c.colour, "--pressed": c.pressed, "--hovered": c.hovered });
  }
  css += rule(`#${c.id}`, place);
}
// In the page itself, without its comments, allowed by its hash in the
// page's security policy.
const style = ((await readFile(join(source, "style.css"), "utf8")) + css)
  .replace(/\/\*[^]*?\*\/\n*/g, "");

// The page's own files and nothing else, the core compiled from one of them,
// its icon written into it, its style by its hash; no plug-ins and no <base>
// that could turn its addresses elsewhere. In the page itself, for a server
// that sends nothing (a browser reads a policy there too), and sent by the
// server with what a page cannot say of itself: that no other site may show
// it in a frame.
const policy = [
  "default-src 'self'",
  "script-src 'self' 'wasm-unsafe-eval'",
  "img-src 'self' data:",
  `style-src 'self' 'sha256-${createHash("sha256").update(style).digest("base64")}'`,
  "object-src 'none'",
  "base-uri 'none'",
];

// The tab's icon in the page itself: a browser asks for a separate one as
// soon as the page is parsed, before the window's paint, which would then
// share a slow line with it.
const icon = (await readFile(join(site, "zemvaro.svg"), "utf8"))
  .replace(/<\?xml[^]*?\?>|<!--[^]*?-->/g, "").replace(/\s+/g, " ").trim();

const page = await readFile(join(source, "index.html.in"), "utf8");
await writeFile(join(site, "index.html"), fill(page, {
  style,
  icon: `data:image/svg+xml,${encodeURIComponent(icon)}`,
  policy: html(policy.join("; ")),
  title: html(table.accessibleCaption),
  description: html(description),
  background: table.background,
  window: order.map(markup).join("\n"),
  starting: html(table.starting),
  openedAsFile: html(table.openedAsFile),
  browserTooOld: html(table.browserTooOld),
  failed: html(table.failed),
}));

await writeFile(join(site, "manifest.webmanifest"), JSON.stringify({
  // The same app wherever a school puts it on its site.
  id: table.applicationId,
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

// What the server sends with each file, written for Apache, IIS and nginx
// from one place, and read back by serve.py (from .htaccess), with which
// every test sees the page. A type for every kind of file the folder holds,
// its read-me and licence included, as IIS refuses a file it has no type
// for; each text file compressed; and every file asked after each time:
// their names stay the same from one version to the next, and an old
// zemvaro.js beside a new zemvaro.wasm, or an old page beside a new worker,
// would not start. The worker, where it runs, answers from its own cache
// without asking at all.
const types = {
  html: "text/html", js: "text/javascript", wasm: "application/wasm",
  webmanifest: "application/manifest+json", woff2: "font/woff2", svg: "image/svg+xml",
  png: "image/png", txt: "text/plain",
};
const text = ["html", "js", "webmanifest", "svg", "txt"];
const compressed = ["html", "js", "wasm", "webmanifest", "svg", "txt"];
const headers = {
  "Cache-Control": "no-cache",
  "Content-Security-Policy": [...policy, "frame-ancestors 'none'"].join("; "),
  "X-Frame-Options": "DENY",
  "X-Content-Type-Options": "nosniff",
  // No Cross-Origin-Opener-Policy: the page opens no window and holds
  // nothing another could read, and Chromium starts a page that sends one,
  // reached from any other, in a process of its own, which a slow phone's
  // first paint waits for.
};
// Only over https, where it keeps every later visit on https for a year; a
// browser ignores it over http.
const hsts = "max-age=31536000";
const serverFiles = [".htaccess", "web.config", "nginx-zemvaro.conf"];
for (const name of [...await readdir(site), "README.txt", "LICENSE.txt"]) {
  if (!serverFiles.includes(name) && !(name.split(".").pop() in types)) {
    throw new Error(`${name}: no type for a server to send it with`);
  }
}
const kinds = Object.keys(types);
const typeOf = (kind) => `${types[kind]}${text.includes(kind) ? "; charset=utf-8" : ""}`;

await writeFile(join(site, ".htaccess"), `# Written by make_page.mjs: what Apache sends with the page's files. It needs
# AllowOverride FileInfo for this folder, and mod_headers; compression needs
# mod_deflate (and mod_filter).
${kinds.map((kind) => `AddType ${types[kind]} .${kind}`).join("\n")}
AddCharset utf-8 ${text.map((kind) => `.${kind}`).join(" ")}
<IfModule mod_deflate.c>
AddOutputFilterByType DEFLATE ${[...new Set(compressed.map((kind) => types[kind]))].join(" ")}
</IfModule>
${Object.entries(headers).map(([name, value]) => `Header always set ${name} "${value}"`).join("\n")}
Header always set Strict-Transport-Security "${hsts}" "expr=%{HTTPS} == 'on'"
`);

await writeFile(join(site, "web.config"), `<?xml version="1.0" encoding="utf-8"?>
<!-- Written by make_page.mjs: what IIS sends with the page's files. Which
     types it compresses is set for the whole server (httpCompression), and
     HSTS for an https site in its own settings. -->
<configuration>
  <system.webServer>
    <staticContent>
${kinds.map((kind) => `      <remove fileExtension=".${kind}" />
      <mimeMap fileExtension=".${kind}" mimeType="${typeOf(kind)}" />`).join("\n")}
      <clientCache cacheControlMode="DisableCache" />
    </staticContent>
    <urlCompression doStaticCompression="true" />
    <httpProtocol>
      <customHeaders>
${Object.entries(headers).filter(([name]) => name !== "Cache-Control").map(([name, value]) =>
    `        <remove name="${name}" />
        <add name="${name}" value="${html(value)}" />`).join("\n")}
      </customHeaders>
    </httpProtocol>
  </system.webServer>
</configuration>
`);

// nginx always takes text/html among these, and warns of it named again.
const others = (list) =>
  [...new Set(list.map((kind) => types[kind]))].filter((type) => type !== "text/html").join(" ");
await writeFile(join(site, "nginx-zemvaro.conf"), `# Written by make_page.mjs: what nginx sends with the page's files. Copy it
# to /etc/nginx/snippets/zemvaro.conf and include it in the location of the
# page's folder; for an https server add after it
#   add_header Strict-Transport-Security "${hsts}" always;
types {
${kinds.map((kind) => `    ${types[kind]} ${kind};`).join("\n")}
}
charset utf-8;
charset_types ${others(text)};
gzip on;
gzip_types ${others(compressed)};
${Object.entries(headers).map(([name, value]) => `add_header ${name} "${value}" always;`).join("\n")}
`);

// Every file of the page but the worker itself, and the address of the
// page's folder, which a visitor opens as often as index.html.
const files = (await readdir(site))
  .filter((name) => name !== "sw.js" && !serverFiles.includes(name)).sort();
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
