// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expected_texts.hpp"
#include "form/form.hpp"

namespace zemvaro::form {
namespace {

using layout::Control;

std::string Comma() {
    return ",";
}

constexpr std::array<bool, 2> kBoth{true, true}, kNeither{false, false};
// Which text boxes' texts are new: the input, the report, the spare box.
constexpr std::array<bool, 3> kNoText{}, kReportText{false, true, false},
    kInputAndReport{true, true, false};

TEST(Form, EachClickSaysWhatItChanged) {
    const Control& caption = layout::Find(layout::Kind::Label, 2);
    const std::string summary7(expected::summary_7), cleared(expected::cleared);
    const Box tooSmall{"N > 2", {kBoth, kNoText, false}};
    const Box tooSmallAtStart{"N > 2", {kNeither, kNoText, false}};
    const Box overflow{std::string(expected::overflow), {kBoth, kNoText, false}};
    const struct {
        bool sevenFirst;  // after a compute on '7'
        const char* input;
        const Control& clicked;
        Outcome outcome;
    } cases[] = {
        {false, "7", layout::kCompute, {{}, {kBoth, kReportText, true}, summary7}},
        // The same again: the lists anew, the report from its start.
        {true, "7", layout::kCompute, {{}, {kBoth, kNoText, true}, summary7}},
        {true, "7", caption, {}},
        {true, "", layout::kCompute, {{tooSmall}, {kNeither, kReportText, true}, ""}},
        {false, "1", layout::kCompute, {{tooSmallAtStart}, {kNeither, kReportText, true}, ""}},
        {true, "9e9", layout::kCompute, {{overflow}, {}, ""}},
        {true, "7", layout::kClear, {{}, {kBoth, kInputAndReport, true}, cleared}},
        {false, "", layout::kClear, {{}, {kNeither, kReportText, true}, cleared}},
        // The spare box is empty.
        {true, "7", layout::kHotSpot, {{}, {kNeither, kReportText, true}, ""}},
        {true, "7", layout::kReport, {}},  // no command at all
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " on " + layout::Name(c.clicked));
        Form form(Comma);
        if (c.sevenFirst) {
            form.Type(layout::kInput, "7");
            form.Click(layout::kCompute);
        }
        form.Type(layout::kInput, c.input);
        const Outcome outcome = form.Click(c.clicked);
        EXPECT_EQ(outcome.boxes, c.outcome.boxes);
        EXPECT_EQ(outcome.changes.lists, c.outcome.changes.lists);
        EXPECT_EQ(outcome.changes.texts, c.outcome.changes.texts);
        EXPECT_EQ(outcome.changes.reportFromStart, c.outcome.changes.reportFromStart);
        EXPECT_EQ(outcome.summary, c.outcome.summary);
    }
}

TEST(Form, ComputesWithTheFacesSeparatorAndKeepsTheReportOnOverflow) {
    Form form(Comma);
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

TEST(Form, SaysWhatAButtonChangedUnlessABoxSpokeForItself) {
    const std::string report7 = "Най-близкото по-голямо просто число е: 11\r\n7 = 0.5*(1 + 13)\r\n";
    const struct {
        int button, sieved, primes;
        std::string report;
        bool messageShown;
        std::string_view said;
    } cases[] = {
        {0, 14, 7, report7, false, expected::summary_7},
        {0, 0, 0, "Най-близкото по-голямо просто число е: \r\n", true, ""},  // "N > 2"
        {0, 0, 0, report7, true, ""},                                        // overflow
        {1, 0, 0, "", false, expected::cleared},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClickSummary(c.button, c.sieved, c.primes, c.report, c.messageShown), c.said);
    }
}

}  // namespace
}  // namespace zemvaro::form
