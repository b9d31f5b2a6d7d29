// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "tests/literal.hpp"

namespace zemvaro::literal {

void RunSieve(FormState& state, Host& host) {
    state.List1[0].Clear();
    state.List1[1].Clear();
    const double x = ParseLeadingNumber(state.Text1[0]);
    const std::int16_t n = RoundToInt16(x + x);
    if (n < 5) {
        host.ShowMessage("N > 2");
        return;
    }
    for (int i = 1; i <= n; ++i) {
        state.List1[0].AddItem(IntToText(i));
    }
    for (int i = 2; i <= n; ++i) {
        for (int j = 2 * i; j <= n; j += i) {
            state.List1[0].SetItem(j - 1, IntToText(0));
        }
    }
    for (int i = 1; i <= n; ++i) {
        const std::string t = state.List1[0].Item(i - 1);
        if (t != "0") {
            state.List1[1].AddItem(t);
        }
    }
}

void RunGoldbach(FormState& state, std::string_view decimalSeparator) {
    const int m = state.List1[1].Count() - 1;
    const double x = ParseLeadingNumber(state.Text1[0]);
    bool kSet = false;
    int k = 0;
    for (int i = 0; i <= m; ++i) {
        if (ParseLeadingNumber(state.List1[1].Item(i)) <= x) {
            k = i;
            kSet = true;
        }
    }
    state.Text1[1] =
        "Най-близкото по-голямо просто число е: " + state.List1[1].Item(k + 1) + "\r\n";
    if (!kSet) {
        return;
    }
    double p = 0;
    for (int i = 0; i <= k; ++i) {
        for (int j = 1; j <= m; ++j) {
            p = ParseLeadingNumber(state.List1[1].Item(i));
            const double q = ParseLeadingNumber(state.List1[1].Item(j));
            if (p != q && p + q == 2 * x) {
                state.Text1[1] += NumberToText(x, decimalSeparator) + " = 0.5*(" +
                                  NumberToText(p, decimalSeparator) + " + " +
                                  NumberToText(q, decimalSeparator) + ")\r\n";
            }
        }
        if (m >= 1 && x == p) {
            state.Text1[1] +=
                "Въведеното число " + NumberToText(x, decimalSeparator) + " е просто. \r\n";
        }
    }
}

void OnCommandClick(FormState& state, std::int16_t index, Host& host) {
    if (index == 0) {
        literal::RunSieve(state, host);
        literal::RunGoldbach(state, host.DecimalSeparator());
    } else if (index == 1) {
        ClearAll(state);
    }
}

}  // namespace zemvaro::literal
