// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Takes over the window the page was built with (make_page.mjs writes it from
// the layout table, every control at its place, named as on every face): a
// click goes to the form, and the page shows what the form says it changed.
// The style sheet draws the window at the zoom that fits the view, every
// length times the size of one of its pixels, so that text and scroll bars
// are drawn at the size they are shown.
import { MessageBox } from "./dialog.js";
import { VirtualList } from "./list.js";

export class Page {
  // zemvaro: the module; table: its layout; form: its Window, which holds the
  // core's state and takes the clicks.
  constructor(zemvaro, table, form) {
    this.zemvaro = zemvaro;
    this.form = form;
    this.said = document.querySelector("[aria-live=polite]");
    this.messageBox = new MessageBox(table.applicationName, table.messageButton);
    this.lists = new Map(); // a list's id → its VirtualList
    for (const control of table.controls) {
      const element = document.getElementById(control.id);
      switch (control.role) {
        case "heading":
        case "label":
          // A caption takes no focus, as on the desktop: the list a pupil was
          // in keeps it.
          element.addEventListener("mousedown", (event) => event.preventDefault());
          element.addEventListener("click", () => this.onClick(control.id));
          break;
        case "button":
          element.addEventListener("click", () => this.onClick(control.id));
          // Neither button is a default one: Enter starts nothing, Space does.
          element.addEventListener("keydown", (event) => {
            if (event.key === "Enter") event.preventDefault();
          });
          break;
        case "list":
          this.lists.set(control.id,
            new VirtualList(element, (row) => form.row(control.id, row)));
          break;
        default:
          if (!control.readOnly) this.takeTyping(element, control);
      }
    }
    this.input = document.getElementById(table.input);
    this.report = document.getElementById(table.report);
    addEventListener("resize", () => this.lists.forEach((list) => list.rescale()));
  }

  // What a pupil types goes to the form, within the box's limit.
  takeTyping(box, control) {
    // Never half a character: the limit counts characters, not UTF-16 units.
    const fit = () => {
      if (control.maxLength > 0) {
        const cursor = box.selectionStart ?? box.value.length;
        const fitted = this.zemvaro.fitInput(box.value, cursor, control.maxLength);
        if (fitted.text !== box.value) {
          box.value = fitted.text;
          box.setSelectionRange(fitted.cursor, fitted.cursor);
        }
      }
      this.form.type(control.id, box.value);
    };
    box.addEventListener("input", (event) => {
      if (!event.isComposing) fit();
    });
    box.addEventListener("compositionend", fit);
    fit(); // what a pupil typed before the module arrived
  }

  async onClick(id) {
    const { boxes, changes, summary } = this.form.click(id);
    // A box speaks for itself; the last click's summary is not to be heard
    // again when the page behind it comes back.
    if (boxes.length > 0) this.said.textContent = "";
    // As on the desktop: each box stands over what the click had done when
    // it came, and the rest comes after it.
    for (const { message, changes: beneath } of boxes) {
      this.show(beneath);
      await this.messageBox.show(message);
    }
    this.show(changes);
    this.say(summary);
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
    if (changes.reportFromStart) this.report.scrollTop = 0;
    for (const id of changes.lists) this.lists.get(id).reset(this.form.rowCount(id));
    for (const id of changes.texts) document.getElementById(id).value = this.form.text(id);
    // The caret at the start, where a pupil or a screen reader entering the
    // report begins: a new value leaves it at the end.
    if (changes.reportFromStart) this.report.setSelectionRange(0, 0);
  }
}
