// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The compute command written as plainly as it can be: texts in list boxes,
// every entry parsed again on every read, every multiple of every number
// crossed out, every pair tried. Far too slow to ship; kept as the yardstick
// that the shipped code must match to the letter and that the benchmark
// measures against.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/zemvaro.hpp"

namespace zemvaro::literal {

void RunSieve(FormState& state, Host& host);
void RunGoldbach(FormState& state, std::string_view decimalSeparator);
void OnCommandClick(FormState& state, std::int16_t index, Host& host);

}  // namespace zemvaro::literal
