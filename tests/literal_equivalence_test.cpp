// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The shipped compute command must write exactly what the literal loops write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/zemvaro.hpp"
#include "tests/literal.hpp"
#include "tests/recording_host.hpp"

namespace zemvaro {
namespace {

void ExpectSameAsLiteral(const std::string& input, const std::string& separator = ".") {
    FormState ours;
    FormState theirs;
    ours.Text1[0] = theirs.Text1[0] = input;
    RecordingHost ourHost(separator);
    RecordingHost theirHost(separator);
    bool ourOverflow = false;
    bool theirOverflow = false;
    try {
        OnCommandClick(ours, 0, ourHost);
    } catch (const OverflowError&) {
        ourOverflow = true;
    }
    try {
        literal::OnCommandClick(theirs, 0, theirHost);
    } catch (const OverflowError&) {
        theirOverflow = true;
    }
    EXPECT_EQ(ourOverflow, theirOverflow) << input;
    EXPECT_EQ(ourHost.messages, theirHost.messages) << input;
    // Whole-state comparison first, so a failure names the input once.
    if (ours == theirs) {
        return;
    }
    EXPECT_EQ(ours.Text1[1], theirs.Text1[1]) << input;
    EXPECT_EQ(ours.List1[0] == theirs.List1[0], true) << "sieve list differs for " << input;
    EXPECT_EQ(ours.List1[1] == theirs.List1[1], true) << "primes list differs for " << input;
}

TEST(SameAsLiteral, EveryWholeInputFromMinusFiveToAThousand) {
    for (int n = -5; n <= 1000; ++n) {
        ExpectSameAsLiteral(std::to_string(n));
    }
}

TEST(SameAsLiteral, FractionalInputs) {
    const char* inputs[] = {"2.25",  "2.26",  "2.3",  "2.5",   "2.75",  "3.49", "3.5",
                            "4.25",  "7.5",   "10.5", "11.5",  "99.5",  "99.9", "100.25",
                            "500.5", "999.5", ".5e1", "1.5e2", "12.75", "0.5"};
    for (const char* input : inputs) {
        ExpectSameAsLiteral(input, ".");
        ExpectSameAsLiteral(input, ",");
    }
}

TEST(SameAsLiteral, OddInputs) {
    for (const char* input : {"", "abc", "1e4", "&HF", "&O17", "2e4", "-9e9", "9e9", "1 0", "7ab",
                              "1e3", "5e3", "16383.75", "16383.76"}) {
        ExpectSameAsLiteral(input);
    }
}

}  // namespace
}  // namespace zemvaro
