// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <charconv>
#include <iterator>
#include <vector>

#include "core/zemvaro.hpp"

namespace zemvaro {

void RunSieve(FormState& state, Host& host) {
    StringList& sieve = state.List1[0];
    StringList& primes = state.List1[1];
    sieve.Clear();
    primes.Clear();

    const double x = ParseLeadingNumber(state.Text1[0]);
    const int n = RoundToInt16(x + x);
    if (n < 5) {
        host.ShowMessage(std::string(kTooSmallMessage));
        return;
    }

    // Crossing out from i*i, and only for i not yet crossed out, marks exactly
    // the numbers that crossing out every multiple 2i, 3i, ... of every i marks.
    std::vector<char> crossed(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 2; i * i <= n; ++i) {
        if (!crossed[i]) {
            for (int j = i * i; j <= n; j += i) {
                crossed[j] = 1;
            }
        }
    }

    // The digits go straight from to_chars into the lists: a '1e4' fills
    // twenty thousand rows, and a temporary string for each would double the
    // time of the whole command.
    const std::string crossedMark = IntToText(0);
    sieve.Reserve(n);
    char digits[8];
    for (int i = 1; i <= n; ++i) {
        if (crossed[i]) {
            sieve.AddItem(crossedMark);
        } else {
            const auto end = std::to_chars(std::begin(digits), std::end(digits), i).ptr;
            const std::string_view text(digits, static_cast<std::size_t>(end - digits));
            sieve.AddItem(text);
            primes.AddItem(text);  // the survivors, in the same order
        }
    }
}

}  // namespace zemvaro
