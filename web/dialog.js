// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The message box: modal, titled with the program's name, one button. Enter,
// Escape or the button close it, and the focus goes back where it was.

export class MessageBox {
  constructor(title, buttonText) {
    this.dialog = document.createElement("dialog");
    this.dialog.id = "message";
    this.dialog.setAttribute("aria-labelledby", "message_title");
    this.dialog.setAttribute("aria-describedby", "message_text");
    const heading = document.createElement("h1");
    heading.id = "message_title";
    heading.textContent = title;
    this.text = document.createElement("p");
    this.text.id = "message_text";
    this.button = document.createElement("button");
    this.button.type = "button";
    this.button.textContent = buttonText;
    this.button.addEventListener("click", () => this.dialog.close());
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
      this.button.focus();
    });
  }
}
