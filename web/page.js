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
    this.lists = [];
    for (const control of table.controls) {
      const element = document.getElementById(control.id);
      if (!element) continue; // not shown on the page
      switch (control.kind) {
        case "label":
          // A caption takes no focus, as on the desktop: the list a pupil was
          // in keeps it.
          element.addEventListener("mousedown", (event) => event.preventDefault());
          element.addEventListener("click", () => this.onClick(control.id));
          break;
        case "button":
          element.addEventListener("click", () => this.onClick(control.id));
          break;
        case "list":
          this.lists[control.index] = new VirtualList(element, (row) => form.row(control.index, row));
          break;
        default:
          if (control.id === table.input) this.takeInput(element);
          if (control.id === table.report) this.report = element;
      }
    }
    for (const button of document.querySelectorAll("#window .button")) {
      // Neither button is a default one: Enter starts nothing, Space does.
      button.addEventListener("keydown", (event) => {
        if (event.key === "Enter") event.preventDefault();
      });
    }
    addEventListener("resize", () => this.lists.forEach((list) => list.rescale()));
  }

  takeInput(input) {
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
    fit(); // what a pupil typed before the module arrived
    this.input = input;
  }

  async onClick(id) {
    const { boxes, changes } = this.form.click(id);
    // A box speaks for itself; the last click's summary is not to be heard
    // again when the page behind it comes back.
    if (boxes.length > 0) this.said.textContent = "";
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
}
