// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/form.hpp"

namespace zemvaro::form {
namespace {

using layout::Control;

// Remembers each message box with what the window showed beneath it.
class RecordingFace : public Face {
  public:
    void ShowMessage(const std::string& text, const Changes& sofar) override {
        shown.push_back({text, sofar.lists, sofar.input, sofar.report});
    }
    std::string DecimalSeparator() const override { return ","; }

    struct Box {
        std::string text;
        std::array<bool, layout::kLists> lists;
        bool input, report;
        bool operator==(const Box&) const = default;
    };
    std::vector<Box> shown;
};

constexpr std::array<bool, 2> kBoth{true, true}, kNeither{false, false};
const std::string kSummary7 =
    "Готово: 14 числа в ситото, 7 прости. Най-близкото по-голямо просто число е: 11.";
const std::string kOverflow(layout::kOverflowMessage);

TEST(Form, EachClickSaysWhatItChanged) {
    using Box = RecordingFace::Box;
    const Control& caption = layout::Find(layout::Kind::Label, 2);
    const Box tooSmall{"N > 2", kBoth, false, false};
    const Box tooSmallAtStart{"N > 2", kNeither, false, false};
    const Box overflow{kOverflow, kBoth, false, false};
    const std::string cleared = "Изчистено.";
    const struct {
        bool sevenFirst;  // after a compute on '7'
        const char* input;
        const Control& clicked;
        std::vector<Box> boxes;
        std::array<bool, 2> lists;
        bool input_, report;
        std::string summary;
    } cases[] = {
        {false, "7", layout::kCompute, {}, kBoth, false, true, kSummary7},
        {true, "7", layout::kCompute, {}, kBoth, false, true, kSummary7},  // the same again
        {true, "7", caption, {}, kNeither, false, false, ""},
        {true, "", layout::kCompute, {tooSmall}, kNeither, false, true, ""},
        {false, "1", layout::kCompute, {tooSmallAtStart}, kNeither, false, true, ""},
        {true, "9e9", layout::kCompute, {overflow}, kNeither, false, false, ""},
        {true, "7", layout::kClear, {}, kBoth, true, true, cleared},
        {false, "", layout::kClear, {}, kNeither, false, true, cleared},
        {true, "7", layout::kHotSpot, {}, kNeither, false, true, ""},  // the spare box is empty
        {true, "7", layout::kReport, {}, kNeither, false, false, ""},  // no command at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " on " + layout::Name(c.clicked));
        RecordingFace face;
        Form form(face);
        if (c.sevenFirst) {
            form.Type(layout::kInput, "7");
            form.Click(layout::kCompute);
        }
        form.Type(layout::kInput, c.input);
        const Changes changes = form.Click(c.clicked);
        EXPECT_EQ(face.shown, c.boxes);
        std::vector<std::string> messages;
        for (const auto& box : c.boxes) {
            messages.push_back(box.text);
        }
        EXPECT_EQ(changes.messages, messages);
        EXPECT_EQ(changes.lists, c.lists);
        EXPECT_EQ(changes.input, c.input_);
        EXPECT_EQ(changes.report, c.report);
        EXPECT_EQ(changes.summary, c.summary);
    }
}

TEST(Form, ComputesWithTheFacesSeparatorAndKeepsTheReportOnOverflow) {
    RecordingFace face;
    Form form(face);
    form.Type(layout::kInput, "2.5");
    form.Click(layout::kCompute);
    const std::string report = form.Text(layout::kReport);
    EXPECT_EQ(report, "Най-близкото по-голямо просто число е: 3\r\n2,5 = 0.5*(2 + 3)\r\n");
    form.Type(layout::kInput, "2e4");
    form.Click(layout::kCompute);
    EXPECT_EQ(form.Text(layout::kReport), report);
    EXPECT_EQ(form.Rows(layout::kSieveList).Count(), 0);
    form.Type(layout::kReport, "typed");  // the program's own to write
    EXPECT_EQ(form.Text(layout::kReport), report);
}

}  // namespace
}  // namespace zemvaro::form
