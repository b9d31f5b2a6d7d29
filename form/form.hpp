// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's window without a toolkit: what a click on a control of the layout
// table does, and what it changed. The form owns the window's FormState for
// the window's whole life and runs the core's commands on it; it catches the
// compute's overflow and says why through the face, and it builds what a
// screen reader is told after a click. A face (the Qt window, the Win32
// window, the web page) only shows the state and maps each click's Changes
// onto its own controls:
//
//   Form form(face);                 the start state, as the face first shows it
//   form.Type(layout::kInput, text)  the pupil typed into a text box
//   form.Click(control)              a click on a label or a button: its Changes
//
// A message box the core asks for in the middle of a click reaches the face
// with what the click has changed until then, so that the box stands over
// the window as it is at that moment; the click's Changes hold the rest.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/zemvaro.hpp"
#include "layout/layout.hpp"

namespace zemvaro::form {

// What a face must show anew.
struct Changes {
    // The lists were rebuilt: shown from the top, nothing selected.
    std::array<bool, layout::kLists> lists{};
    // The input's text was replaced (Чисти empties it).
    bool input = false;
    // The report was written: shown from its first line, the caret at its
    // start, so that a pupil or a screen reader entering it begins there.
    bool report = false;
    // Every message box the click brought, in order; a face has shown them.
    std::vector<std::string> messages;
    // What a screen reader is told of the click, the focus staying where it
    // is; empty: nothing, as for a click that brought a message box, which
    // has spoken for itself.
    std::string summary;

    bool operator==(const Changes&) const = default;
};

// What the form needs from the face that shows it.
class Face {
  public:
    virtual ~Face() = default;
    // Shows `sofar`, what the click has changed until now, then `text` in a
    // message box; returns once the box is dismissed. A face that cannot
    // wait (the web page) notes both and shows them once the click returns.
    virtual void ShowMessage(const std::string& text, const Changes& sofar) = 0;
    // The separator the user's locale writes between whole and fraction.
    virtual std::string DecimalSeparator() const = 0;
};

class Form {
  public:
    explicit Form(Face& face) : core_(*this), face_(face) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormState& State() const { return state_; }
    const std::string& Text(const layout::Control& box) const;
    const StringList& Rows(const layout::Control& list) const;

    // The pupil typed into a text box; the face shows it already.
    void Type(const layout::Control& box, std::string_view text);

    // A click on a label or a button of the table; anything else does nothing.
    Changes Click(const layout::Control& control);

  private:
    // The core's Host: every message goes through the face, with what the
    // click has changed until then.
    class CoreHost : public Host {
      public:
        explicit CoreHost(Form& form) : form_(form) {}
        void ShowMessage(const std::string& text) override;
        std::string DecimalSeparator() const override;

      private:
        Form& form_;
    };

    // What changed since the face last showed the state, which it now does.
    Changes Unshown();

    FormState state_;
    CoreHost core_;
    Face& face_;
    // What the face shows, as far as a click can change it.
    std::array<int, layout::kLists> shownRows_{};
    std::string shownInput_;
    std::string shownReport_ = state_.Text1[layout::kReport.index];
    // During a click: the lists were rebuilt and not yet shown again; the
    // messages so far.
    bool rebuilt_ = false;
    std::vector<std::string> messages_;
};

}  // namespace zemvaro::form
