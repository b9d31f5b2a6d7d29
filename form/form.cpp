// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "form/form.hpp"

#include <cstdint>
#include <tuple>

namespace zemvaro::form {
namespace {

using layout::Kind;

// The table's arrays and the core's are the same arrays.
static_assert(layout::kTextBoxes == std::tuple_size_v<decltype(FormState::Text1)>);
static_assert(layout::kLists == std::tuple_size_v<decltype(FormState::List1)>);

}  // namespace

std::string ClickSummary(int button, int sieved, int primes, std::string_view report,
                         bool messageShown) {
    if (messageShown) {
        return {};
    }
    if (button == layout::kClear.index) {
        return std::string(layout::kClearedSummary);
    }
    if (button != layout::kCompute.index || sieved == 0) {
        return {};
    }
    return layout::ComputedSummary(sieved, primes, report.substr(0, report.find("\r\n")));
}

const std::string& Form::Text(const layout::Control& box) const {
    return state_.Text1[static_cast<std::size_t>(box.index)];
}

const StringList& Form::Rows(const layout::Control& list) const {
    return state_.List1[static_cast<std::size_t>(list.index)];
}

void Form::Type(const layout::Control& box, std::string_view text) {
    if (box.kind != Kind::TextBox || box.readOnly) {
        return;
    }
    const auto i = static_cast<std::size_t>(box.index);
    state_.Text1[i] = text;
    shownTexts_[i] = text;  // the face shows it already, as typed
}

Outcome Form::Click(const layout::Control& control) {
    boxes_.clear();
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
    Outcome outcome;
    outcome.changes = Unshown();
    outcome.changes.reportFromStart = outcome.changes.reportFromStart || wrote;
    outcome.boxes = std::exchange(boxes_, {});
    if (control.kind == Kind::Button) {
        outcome.summary = ClickSummary(control.index, Rows(layout::kSieveList).Count(),
                                       Rows(layout::kPrimesList).Count(), Text(layout::kReport),
                                       !outcome.boxes.empty());
    }
    return outcome;
}

Changes Form::Unshown() {
    Changes changes;
    for (std::size_t i = 0; i < shownRows_.size(); ++i) {
        const int rows = state_.List1[i].Count();
        changes.lists[i] = rows != shownRows_[i] || (rebuilt_ && rows > 0);
        shownRows_[i] = rows;
    }
    rebuilt_ = false;
    for (std::size_t i = 0; i < shownTexts_.size(); ++i) {
        changes.texts[i] = state_.Text1[i] != shownTexts_[i];
        shownTexts_[i] = state_.Text1[i];
    }
    changes.reportFromStart = changes.texts[static_cast<std::size_t>(layout::kReport.index)];
    return changes;
}

void Form::CoreHost::ShowMessage(const std::string& text) {
    form_.boxes_.push_back({text, form_.Unshown()});
}

std::string Form::CoreHost::DecimalSeparator() const {
    return form_.decimalSeparator_();
}

}  // namespace zemvaro::form
