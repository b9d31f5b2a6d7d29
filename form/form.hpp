// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's window without a toolkit: what a click on a control of the layout
// table does, and what it changed. The form owns the window's FormState for
// the window's whole life and runs the core's commands on it; it catches the
// compute's overflow and says why, and it builds what a screen reader is
// told after a click. A face (the Qt window, the Win32 window, the web page)
// only shows the state and maps each click's Outcome onto its own controls:
//
//   Form form(separator);            the start state, as the face first shows it
//   form.Type(layout::kInput, text)  the pupil typed into a text box
//   form.Click(control)              a click on a label or a button: its Outcome
//
// A click runs to its end before the face shows anything, and comes back as
// what the face does in turn: each message box over the window as it stood
// when the core asked for the box, then the rest, then the summary. So the
// face is never called in the middle of a click, and the same few lines show
// a click in all three faces, the web page's included, which cannot wait
// inside a click for a box to be dismissed.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/zemvaro.hpp"
#include "layout/layout.hpp"

namespace zemvaro::form {

// What a face must show anew; nothing else changed, so a face keeps no copy
// of what it shows to find out.
struct Changes {
    // The lists were rebuilt: shown from the top, nothing selected.
    std::array<bool, layout::kLists> lists{};
    // The text boxes whose text is new (Чисти empties the input).
    std::array<bool, layout::kTextBoxes> texts{};
    // The report is to be shown from its first line, the caret at its start,
    // where a pupil or a screen reader entering it begins: after every
    // command that wrote it, the same text again included.
    bool reportFromStart = false;

    bool operator==(const Changes&) const = default;
};

// A message box, over the window with `beneath` shown. The face reads what it
// shows from the form as the click left it: the core asks for a box before
// it writes a text, and empties the lists before both, so that what stands
// beneath a box is what the window showed then.
struct Box {
    std::string text;
    Changes beneath;

    bool operator==(const Box&) const = default;
};

// What a click did, in the order a face shows it.
struct Outcome {
    std::vector<Box> boxes;
    // What changed after the last box, or in all if none came.
    Changes changes;
    // What a screen reader is told, the focus staying where it is; empty:
    // nothing, as after a box, which has spoken for itself.
    std::string summary;
};

// What a screen reader is told after a click on Command1(button), given
// what the click left (the lists' lengths and the report) and whether it
// brought a message box: the compute's counts and the report's first line,
// or that all was cleared; nothing after a box, or for any other button.
std::string ClickSummary(int button, int sieved, int primes, std::string_view report,
                         bool messageShown);

class Form {
  public:
    // `decimalSeparator` gives the separator the user's locale writes
    // between whole and fraction, asked for at each compute.
    explicit Form(std::function<std::string()> decimalSeparator)
        : core_(*this), decimalSeparator_(std::move(decimalSeparator)) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Text(const layout::Control& box) const;
    const StringList& Rows(const layout::Control& list) const;

    // The pupil typed into a text box; the face shows it already. A box the
    // program writes keeps its text.
    void Type(const layout::Control& box, std::string_view text);

    // A click on a label or a button of the table; anything else does nothing.
    Outcome Click(const layout::Control& control);

  private:
    // The core's Host: a message box is noted with what the click changed
    // until the core asked for it.
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
    std::function<std::string()> decimalSeparator_;
    // What the face shows, as far as a click can change it: the form's own
    // record, so that no face needs one.
    std::array<int, layout::kLists> shownRows_{};
    std::array<std::string, layout::kTextBoxes> shownTexts_ = state_.Text1;
    // During a click: the lists were rebuilt and not yet shown again; the
    // boxes so far.
    bool rebuilt_ = false;
    std::vector<Box> boxes_;
};

}  // namespace zemvaro::form
