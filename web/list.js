// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// A list box of up to twenty thousand rows that shows at once: the element
// scrolls over a filler as tall as all the rows, and only the rows in view
// (and the one with the focus) are made. Keys, mouse, wheel, touch and scroll
// bar work as on the desktop list; a screen reader hears the focus row
// through aria-activedescendant, with its place among all the rows, and a
// pupil sees it framed while the list has the focus. Rows are as tall as the
// style sheet makes them at the zoom (--row-height), and placed one such
// height apart as the browser lays one out, a fraction of a pixel shorter at
// times: twenty thousand rows apart, the fractions would be a row or more.

const PAGE_KEYS = new Set(["ArrowUp", "ArrowDown", "PageUp", "PageDown", "Home", "End"]);

export class VirtualList {
  // element: the listbox, with its filler; rowText(i): the text of row i (from 0).
  constructor(element, rowText) {
    this.element = element;
    this.rowText = rowText;
    this.count = 0;
    this.selected = -1;
    this.caret = 0;
    this.rows = new Map(); // row index → its element, while made
    this.filler = element.querySelector(".filler");
    this.measure();
    element.addEventListener("scroll", () => this.render());
    element.addEventListener("keydown", (event) => this.onKey(event));
    element.addEventListener("mousedown", (event) => this.onPress(event));
  }

  // A row's height and the rows' view, in the page's pixels at its zoom,
  // fractions kept.
  measure() {
    const probe = this.makeRow(0, "0");
    this.filler.append(probe);
    this.rowHeight = probe.getBoundingClientRect().height;
    probe.remove();
    this.viewHeight = this.measureView();
  }

  // The rows' view is the content box, read when a key moves the row: the
  // focus mark widens the border about as much as it narrows the padding, but
  // not to the fraction of a pixel, and End must show the last row whole.
  measureView() {
    const style = getComputedStyle(this.element);
    const edges = ["borderTopWidth", "borderBottomWidth", "paddingTop", "paddingBottom"];
    return edges.reduce((height, edge) => height - parseFloat(style[edge]),
      this.element.getBoundingClientRect().height);
  }

  // The zoom changed: the same row stays at the top.
  rescale() {
    const first = this.element.scrollTop / this.rowHeight;
    this.measure();
    this.filler.style.height = `${this.count * this.rowHeight}px`;
    for (const [index, row] of this.rows) row.style.top = `${index * this.rowHeight}px`;
    this.element.scrollTop = first * this.rowHeight;
    this.render();
  }

  // The rows are new: from the top, nothing selected. Writes only, so that a
  // long report laid out in the same click is laid out once, when the frame
  // is drawn.
  reset(count) {
    this.element.scrollTop = 0;
    this.count = count;
    this.selected = -1;
    this.caret = 0;
    for (const row of this.rows.values()) row.remove();
    this.rows.clear();
    this.filler.style.height = `${count * this.rowHeight}px`;
    this.render(0);
  }

  makeRow(index, text) {
    const row = document.createElement("div");
    row.className = "row";
    row.setAttribute("role", "option");
    row.id = `${this.element.id}_row_${index + 1}`;
    row.textContent = text;
    return row;
  }

  render(scrollTop = this.element.scrollTop) {
    const first = Math.floor(scrollTop / this.rowHeight);
    const shown = Math.ceil(this.viewHeight / this.rowHeight) + 1;
    const wanted = new Set();
    for (let i = first; i < Math.min(this.count, first + shown); ++i) wanted.add(i);
    if (this.count > 0) wanted.add(this.caret); // the reader's row stays made
    for (const [index, row] of this.rows) {
      if (!wanted.has(index)) {
        row.remove();
        this.rows.delete(index);
      }
    }
    for (const index of wanted) {
      let row = this.rows.get(index);
      if (!row) {
        row = this.makeRow(index, this.rowText(index));
        row.style.top = `${index * this.rowHeight}px`;
        row.setAttribute("aria-setsize", this.count);
        row.setAttribute("aria-posinset", index + 1);
        this.rows.set(index, row);
        this.filler.append(row);
      }
      row.classList.toggle("selected", index === this.selected);
      row.classList.toggle("current", index === this.caret);
      if (index === this.selected) {
        row.setAttribute("aria-selected", "true");
      } else {
        row.removeAttribute("aria-selected");
      }
    }
    if (this.count > 0) {
      this.element.setAttribute("aria-activedescendant", this.rows.get(this.caret).id);
    } else {
      this.element.removeAttribute("aria-activedescendant");
    }
  }

  select(index) {
    this.viewHeight = this.measureView();
    this.selected = this.caret = Math.max(0, Math.min(this.count - 1, index));
    const top = this.caret * this.rowHeight;
    const view = this.element;
    if (top < view.scrollTop) {
      view.scrollTop = top;
    } else if (top + this.rowHeight > view.scrollTop + this.viewHeight) {
      view.scrollTop = top + this.rowHeight - this.viewHeight;
    }
    this.render();
  }

  onKey(event) {
    if (!PAGE_KEYS.has(event.key) || this.count === 0 || event.altKey) return;
    event.preventDefault();
    const page = Math.max(1, Math.floor(this.viewHeight / this.rowHeight) - 1);
    const step = { ArrowUp: -1, ArrowDown: 1, PageUp: -page, PageDown: page }[event.key];
    if (event.key === "Home") {
      this.select(0);
    } else if (event.key === "End") {
      this.select(this.count - 1);
    } else {
      this.select(this.caret + step);
    }
  }

  onPress(event) {
    const row = event.target.closest(".row");
    if (row && event.button === 0) {
      this.select(Number(row.getAttribute("aria-posinset")) - 1);
    }
  }
}
