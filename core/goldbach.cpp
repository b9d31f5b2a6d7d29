// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <algorithm>
#include <vector>

#include "core/zemvaro.hpp"

namespace zemvaro {
namespace {

constexpr std::string_view kNextPrimeLine = "Най-близкото по-голямо просто число е: ";
constexpr std::string_view kPrimeLineStart = "Въведеното число ";
constexpr std::string_view kPrimeLineEnd = " е просто. ";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void RunGoldbach(FormState& state, std::string_view decimalSeparator) {
    const StringList& primes = state.List1[1];
    const int last = primes.Count() - 1;
    const double x = ParseLeadingNumber(state.Text1[0]);

    std::vector<double> values(static_cast<std::size_t>(last + 1));
    for (int i = 0; i <= last; ++i) {
        values[i] = ParseLeadingNumber(primes.Item(i));
    }

    // k: the last entry not above x; -1 when there is none.
    int k = -1;
    for (int i = 0; i <= last; ++i) {
        if (values[i] <= x) {
            k = i;
        }
    }

    std::string report(kNextPrimeLine);
    report += primes.Item(k >= 0 ? k + 1 : 1);
    report += kLineEnd;

    if (k >= 0) {
        const double twoX = 2 * x;
        const std::string xText = NumberToText(x, decimalSeparator);
        // The entries are whole and far below 2^53, so p + q == 2x holds
        // exactly when q == 2x - p, and q can be looked up instead of tried.
        // The "1" at index 0 is never the second member of a pair.
        const auto secondBegin = values.begin() + std::min(1, last + 1);
        for (int i = 0; i <= k; ++i) {
            const double p = values[i];
            const double q = twoX - p;
            const auto found = std::lower_bound(secondBegin, values.end(), q);
            if (found != values.end() && *found == q && p != q) {
                report += xText;
                report += " = 0.5*(";
                report += NumberToText(p, decimalSeparator);
                report += " + ";
                report += NumberToText(q, decimalSeparator);
                report += ")";
                report += kLineEnd;
            }
            if (last >= 1 && x == p) {
                report += kPrimeLineStart;
                report += xText;
                report += kPrimeLineEnd;
                report += kLineEnd;
            }
        }
    }
    state.Text1[1] = std::move(report);
}

}  // namespace zemvaro
