// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The message box: modal, titled with the program's name, one button. Enter,
// Escape or the button close it, and the focus goes back where it was. The
// box itself takes the focus as it opens, so that a screen reader reads it,
// title and text, once: with the focus on its button, Orca moved into the
// box without a word in Chromium, and read the button alone in Firefox.

export class MessageBox {
  constructor(title, buttonText) {
    this.dialog = document.createElement("dialog");
    this.dialog.id = "message";
    this.dialog.tabIndex = -1;
    // Named by its title and read by its text; described by it as well, the
    // text would be said twice.
    this.dialog.setAttribute("aria-labelledby", "message_title");
    const heading = document.createElement("h2");
    heading.id = "message_title";
    heading.textContent = title;
    this.text = document.createElement("p");
    this.text.id = "message_text";
    this.button = document.createElement("button");
    this.button.type = "button";
    this.button.textContent = buttonText;
    this.button.addEventListener("click", () => this.dialog.close());
    // What the button would do, with the focus on the box.
    this.dialog.addEventListener("keydown", (event) => {
      if (event.key === "Enter") {
        event.preventDefault();
        this.dialog.close();
      }
    });
    this.dialog.append(heading, this.text, this.button);
    document.body.append(this.dialog);
  }

  // Resolves once the box is closed.
  show(text) {
    const back = document.activeElement;
    this.text.textContent = text;
    return new Promise((resolve) => {
      this.dialog.addEventListener("close", () => {
        back?.focus();
        resolve();
      }, { once: true });
      this.dialog.showModal();
      this.dialog.focus();
    });
  }
}
