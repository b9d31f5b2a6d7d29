// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Arbitrary bytes into the parse and the whole compute command. Where the
// input is small enough, the compute is also checked against the literal loops,
// and every number written is checked against the C library's own %.15g (this
// process never sets a locale, so its separator is the full stop).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/zemvaro.hpp"
#include "tests/literal.hpp"
#include "tests/recording_host.hpp"

namespace {

bool Compute(zemvaro::FormState& state, zemvaro::RecordingHost& host, bool literal) {
    try {
        if (literal) {
            zemvaro::literal::OnCommandClick(state, 0, host);
        } else {
            zemvaro::OnCommandClick(state, 0, host);
        }
        return true;
    } catch (const zemvaro::OverflowError&) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const double value = zemvaro::ParseLeadingNumber(text);
    if (std::isfinite(value)) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%.15g", value);
        if (zemvaro::NumberToText(value, ".") != (value == 0 ? "0" : expected)) {
            std::abort();
        }
    }
    try {
        zemvaro::RoundToInt16(value);
    } catch (const zemvaro::OverflowError&) {
    }

    zemvaro::FormState ours;
    ours.Text1[0] = text;
    zemvaro::RecordingHost ourHost;
    const bool ourFinished = Compute(ours, ourHost, false);

    // The literal loops are quadratic; compare them where they stay quick.
    if (value + value <= 600) {
        zemvaro::FormState theirs;
        theirs.Text1[0] = text;
        zemvaro::RecordingHost theirHost;
        const bool theirFinished = Compute(theirs, theirHost, true);
        if (ourFinished != theirFinished || !(ours == theirs) ||
            ourHost.messages != theirHost.messages) {
            std::abort();
        }
    }
    return 0;
}
