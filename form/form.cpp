// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "form/form.hpp"

#include <cstdint>
#include <tuple>
#include <utility>

namespace zemvaro::form {
namespace {

using layout::Kind;

// The table's arrays and the core's are the same arrays.
static_assert(layout::kTextBoxes == std::tuple_size_v<decltype(FormState::Text1)>);
static_assert(layout::kLists == std::tuple_size_v<decltype(FormState::List1)>);

}  // namespace

const std::string& Form::Text(const layout::Control& box) const {
    return state_.Text1[static_cast<std::size_t>(box.index)];
}

const StringList& Form::Rows(const layout::Control& list) const {
    return state_.List1[static_cast<std::size_t>(list.index)];
}

void Form::Type(const layout::Control& box, std::string_view text) {
    // The report is the program's to write.
    if (box.kind != Kind::TextBox || &box == &layout::kReport) {
        return;
    }
    state_.Text1[static_cast<std::size_t>(box.index)] = text;
    if (&box == &layout::kInput) {
        shownInput_ = text;
    }
}

Changes Form::Click(const layout::Control& control) {
    messages_.clear();
    const auto index = static_cast<std::int16_t>(control.index);
    bool wrote = false;
    if (control.kind == Kind::Button) {
        // Both commands rebuild the lists from nothing and write the report:
        // a face shows them anew even when they come out as before.
        rebuilt_ = true;
        try {
            OnCommandClick(state_, index, core_);
            wrote = true;
        } catch (const OverflowError&) {
            // The lists are empty and the report is the one from before: say
            // why and go on.
            core_.ShowMessage(std::string(layout::kOverflowMessage));
        }
    } else if (control.kind == Kind::Label) {
        OnLabelClick(state_, index);
    }
    Changes changes = Unshown();
    changes.report = changes.report || wrote;
    changes.messages = std::exchange(messages_, {});
    if (control.kind == Kind::Button) {
        changes.summary = layout::ClickSummary(control.index, Rows(layout::kSieveList).Count(),
                                               Rows(layout::kPrimesList).Count(),
                                               Text(layout::kReport), !changes.messages.empty());
    }
    return changes;
}

Changes Form::Unshown() {
    Changes changes;
    for (std::size_t i = 0; i < shownRows_.size(); ++i) {
        const int rows = state_.List1[i].Count();
        changes.lists[i] = rows != shownRows_[i] || (rebuilt_ && rows > 0);
        shownRows_[i] = rows;
    }
    rebuilt_ = false;
    const std::string& input = Text(layout::kInput);
    changes.input = input != shownInput_;
    shownInput_ = input;
    const std::string& report = Text(layout::kReport);
    changes.report = report != shownReport_;
    shownReport_ = report;
    return changes;
}

void Form::CoreHost::ShowMessage(const std::string& text) {
    form_.messages_.push_back(text);
    const Changes sofar = form_.Unshown();
    form_.face_.ShowMessage(text, sofar);
}

std::string Form::CoreHost::DecimalSeparator() const {
    return form_.face_.DecimalSeparator();
}

}  // namespace zemvaro::form
