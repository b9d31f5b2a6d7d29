// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Builds the window from the layout table: every shown control at its place,
// in its colours, named by its caption or by the table, in the table's tab
// order with each caption just before its control. The layout is drawn at the
// desktop size and scaled as a whole to the largest size that fits the view.
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
    this.show(form.report());
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
    const captionFor = new Map(shown.filter((c) => c.captionLabel).map((c) => [c.captionLabel, c]));
    for (const control of order) {
      const element = this.make(control, captionFor.get(control.id));
      element.id = control.id;
      element.style.left = `${control.left}px`;
      element.style.top = `${control.top}px`;
      element.style.width = `${control.width}px`;
      element.style.height = `${control.height}px`;
      if (control.colour) {
        element.style.setProperty("--colour", control.colour);
        element.style.setProperty("--pressed", control.pressed);
      }
      this.root.append(element);
    }
  }

  // The element for one control; `captioned`: the control a label names.
  make(control, captioned) {
    switch (control.kind) {
      case "label": {
        // Only a form field can be a <label>'s; a list is tied to its caption
        // by aria-labelledby instead.
        const label = document.createElement(captioned?.kind === "text" ? "label" : "div");
        if (captioned?.kind === "text") label.htmlFor = captioned.id;
        label.className = "label";
        label.textContent = control.caption;
        label.addEventListener("click", () => {
          this.form.clickLabel(control.index);
          this.show(this.form.report());
        });
        return label;
      }
      case "button": {
        const button = document.createElement("button");
        button.type = "button";
        button.className = "button";
        button.textContent = control.caption;
        button.addEventListener("click", () => this.onButton(control.index));
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
        element.tabIndex = 0;
        if (control.captionLabel) element.setAttribute("aria-labelledby", control.captionLabel);
        const list = control.index;
        element.id = control.id; // the rows' ids are made from it
        this.lists[list] = new VirtualList(element, (row) => this.form.row(list, row));
        return element;
      }
      default:
        return control.index === 0 ? this.makeInput() : this.makeReport(control);
    }
  }

  makeInput() {
    const input = document.createElement("input");
    input.type = "text";
    input.className = "field input";
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
    report.setAttribute("aria-label", control.name || control.caption);
    this.report = report;
    return report;
  }

  async onButton(index) {
    const { messages, said } = this.form.clickButton(index);
    if (messages.length > 0) {
      // As on the desktop: the box stands over what the click has done so
      // far, and the new report comes after it.
      this.show(this.form.reportWhenAsked());
      for (const message of messages) {
        await this.messageBox.show(message);
      }
    }
    this.show(this.form.report());
    this.say(said);
  }

  // Emptied first, so that the same words twice are said twice.
  say(text) {
    this.said.textContent = "";
    if (text) requestAnimationFrame(() => { this.said.textContent = text; });
  }

  show(report) {
    // Scrolled back first, while the page is still laid out as it was drawn:
    // after the new report, that would lay all of it out here, not once in
    // the next frame.
    const text = report.replaceAll("\r\n", "\n");
    const newReport = this.report.value !== text;
    if (newReport) this.report.scrollTop = 0;
    this.lists.forEach((list, i) => list.reset(this.form.rowCount(i)));
    if (this.input.value !== this.form.input()) this.input.value = this.form.input();
    if (newReport) this.report.value = text;
  }

  fit() {
    const { width, height } = this.table;
    const zoom = Math.min(innerWidth / width, innerHeight / height);
    const left = Math.max(0, (innerWidth - width * zoom) / 2);
    const top = Math.max(0, (innerHeight - height * zoom) / 2);
    this.root.style.transform = `translate(${left}px, ${top}px) scale(${zoom})`;
    document.documentElement.style.setProperty("--zoom", zoom);
  }
}
