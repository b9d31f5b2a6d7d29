// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Builds the window from the layout table: every shown control at its place,
// in its colours, named by the table as on every face, in the table's tab
// order with each caption just before its control. The layout is drawn at the
// desktop size and scaled as a whole to the size the table fits to the view.
// A click goes to the form; the page shows what the form says it changed.
import { MessageBox } from "./dialog.js";
import { VirtualList } from "./list.js";

export class Page {
  // zemvaro: the module; table: its layout; form: its Window, which holds the
  // core's state and takes the clicks.
  constructor(zemvaro, table, form) {
    this.zemvaro = zemvaro;
    this.table = table;
    this.form = form;
    this.root = document.getElementById("window");
    this.lists = [];
    document.title = table.caption;
    // A reader names the window by the program, not by the web address the
    // caption starts with; what a click changed it is told politely.
    this.root.setAttribute("aria-label", table.accessibleCaption);
    this.said = document.createElement("div");
    this.said.className = "spoken";
    this.said.setAttribute("aria-live", "polite");
    document.body.append(this.said);
    this.setLook();
    this.build();
    this.messageBox = new MessageBox(table.applicationName, table.messageButton);
    this.fit();
    addEventListener("resize", () => this.fit());
    this.report.value = form.report().replaceAll("\r\n", "\n");
    this.lists.forEach((list) => list.reset(0));
  }

  // The table's colours, font and line widths, for the style sheet's rules.
  setLook() {
    const t = this.table;
    const look = {
      "--background": t.background,
      "--font-family": `"${t.fontFamily}", "Zemvaro Serif", serif`,
      "--font-size": `${t.fontPixels}px`,
      "--font-weight": t.fontWeight,
      "--border-colour": t.borderColour,
      "--focus-colour": t.focusColour,
      "--frame-colour": t.frameColour,
      "--field-colour": t.fieldColour,
      "--border": `${t.borderPixels}px`,
      "--focus": `${t.focusPixels}px`,
      "--margin": `${t.textMarginPixels}px`,
      "--radius": `${t.buttonRadiusPixels}px`,
      "--row-inset": `${t.rowInsetPixels}px`,
    };
    for (const [name, value] of Object.entries(look)) {
      document.documentElement.style.setProperty(name, value);
    }
    this.root.style.width = `${t.width}px`;
    this.root.style.height = `${t.height}px`;
  }

  build() {
    const shown = this.table.controls.filter((c) => c.shown);
    const byId = new Map(shown.map((c) => [c.id, c]));
    const captions = new Set(shown.map((c) => c.captionLabel).filter((id) => id));
    const order = [
      ...shown.filter((c) => c.kind === "label" && !captions.has(c.id)),
      ...this.table.tabOrder.filter((id) => byId.has(id)).flatMap((id) => {
        const control = byId.get(id);
        const caption = byId.get(control.captionLabel);
        return caption ? [caption, control] : [control];
      }),
    ];
    for (const control of order) {
      const element = this.make(control);
      element.id = control.id;
      element.style.left = `${control.left}px`;
      element.style.top = `${control.top}px`;
      element.style.width = `${control.width}px`;
      element.style.height = `${control.height}px`;
      if (control.colour) {
        element.style.setProperty("--colour", control.colour);
        element.style.setProperty("--pressed", control.pressed);
        element.style.setProperty("--hovered", control.hovered);
      }
      this.root.append(element);
    }
  }

  // The element for one control. A caption is not tied to its control: a
  // screen reader would call the control by the caption ("Естествено:")
  // instead of by the table, as the other faces' readers do.
  make(control) {
    switch (control.kind) {
      case "label": {
        const label = document.createElement("div");
        label.className = "label";
        label.textContent = control.caption;
        label.addEventListener("click", () => this.onClick(control.id));
        return label;
      }
      case "button": {
        const button = document.createElement("button");
        button.type = "button";
        button.className = "button";
        button.textContent = control.caption;
        button.addEventListener("click", () => this.onClick(control.id));
        // Neither button is a default one: Enter starts nothing, Space does.
        button.addEventListener("keydown", (event) => {
          if (event.key === "Enter") event.preventDefault();
        });
        return button;
      }
      case "list": {
        const element = document.createElement("div");
        element.className = "field list";
        element.setAttribute("role", "listbox");
        element.setAttribute("aria-label", control.name);
        element.tabIndex = 0;
        const list = control.index;
        element.id = control.id; // the rows' ids are made from it
        this.lists[list] = new VirtualList(element, (row) => this.form.row(list, row));
        return element;
      }
      default:
        return control.id === "Text1_0" ? this.makeInput(control) : this.makeReport(control);
    }
  }

  makeInput(control) {
    const input = document.createElement("input");
    input.type = "text";
    input.className = "field input";
    input.setAttribute("aria-label", control.name);
    input.autocomplete = "off";
    input.spellcheck = false;
    const description = document.createElement("p");
    description.id = "Text1_0_description";
    description.hidden = true;
    description.textContent = this.table.inputDescription;
    this.root.append(description);
    input.setAttribute("aria-describedby", description.id);
    // Never half a character: the limit counts characters, not UTF-16 units.
    const fit = () => {
      const fitted = this.zemvaro.fitInput(input.value, input.selectionStart ?? input.value.length);
      if (fitted.text !== input.value) {
        input.value = fitted.text;
        input.setSelectionRange(fitted.cursor, fitted.cursor);
      }
      this.form.setInput(input.value);
    };
    input.addEventListener("input", (event) => {
      if (!event.isComposing) fit();
    });
    input.addEventListener("compositionend", fit);
    this.input = input;
    return input;
  }

  makeReport(control) {
    const report = document.createElement("textarea");
    report.className = "field report";
    report.readOnly = true; // selectable and copyable; the program writes it
    report.setAttribute("aria-label", control.name);
    this.report = report;
    return report;
  }

  async onClick(id) {
    const { boxes, changes } = this.form.click(id);
    // As on the desktop: each box stands over what the click had done when
    // it came, and the rest comes after it.
    for (const { message, changes: sofar } of boxes) {
      this.show(sofar);
      await this.messageBox.show(message);
    }
    this.show(changes);
    this.say(changes.summary);
  }

  // Emptied first, so that the same words twice are said twice.
  say(text) {
    this.said.textContent = "";
    if (text) requestAnimationFrame(() => { this.said.textContent = text; });
  }

  // Only what the click changed: a list scrolled to row 500 stays there when
  // a caption is touched.
  show(changes) {
    // Scrolled back first, while the page is still laid out as it was drawn:
    // after the new report, that would lay all of it out here, not once in
    // the next frame.
    if (changes.report) this.report.scrollTop = 0;
    changes.lists.forEach((refill, i) => {
      if (refill) this.lists[i].reset(this.form.rowCount(i));
    });
    if (changes.input) this.input.value = this.form.input();
    if (changes.report) {
      const text = this.form.report().replaceAll("\r\n", "\n");
      if (this.report.value !== text) this.report.value = text;
      // The caret at the start, where a pupil or a screen reader entering
      // the report begins: a new value leaves it at the end.
      this.report.setSelectionRange(0, 0);
    }
  }

  fit() {
    const { zoom, left, top } = this.zemvaro.fit(innerWidth, innerHeight);
    this.root.style.transform = `translate(${left}px, ${top}px) scale(${zoom})`;
    document.documentElement.style.setProperty("--zoom", zoom);
  }
}
