// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Conversions between the texts the window holds and the numbers the
// calculation uses. Their rules decide which inputs are accepted and how every
// number in the report is written, so they are behaviour, not detail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zemvaro {

// Reads the number a text starts with: blanks, tabs and line feeds are dropped
// wherever they stand, then an optional sign, digits with an optional full
// stop and an optional E exponent, or an &H / &O whole number. Never fails: a
// text without a leading number gives 0, a magnitude beyond the double range
// gives an infinity, a tiny one 0.
double ParseLeadingNumber(std::string_view text);

// Rounds half to even into the 16-bit range; throws OverflowError (declared in
// zemvaro.hpp) for NaN, infinities and values outside -32768..32767.
std::int16_t RoundToInt16(double value);

// Plain decimal digits, a minus sign for negatives, no leading blank.
std::string IntToText(long long value);

// Whole values as plain digits; others in general format with at most 15
// significant digits and no trailing zeros, using the caller's decimal
// separator. -0 is written "0". Magnitudes of 1e15 and more, and below 1e-4,
// get an exponent ("1e+15").
std::string NumberToText(double value, std::string_view decimalSeparator);

}  // namespace zemvaro
