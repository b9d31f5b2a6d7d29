// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "core/conversions.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "core/zemvaro.hpp"

namespace zemvaro {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;  // a digit in no radix
}

constexpr auto IsDropped = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };

// &H / &O: a whole number in base 16 or 8. Exact up to 2^53; beyond that the
// value can only ever be an overflow for this program, so a last-bit rounding
// difference there is invisible.
double ParseRadix(std::string_view digits, int radix) {
    double value = 0.0;
    for (char c : digits) {
        const int d = DigitValue(c);
        if (d >= radix) {
            break;
        }
        value = value * radix + d;
    }
    return value;
}

// Decimal exponent of the first significant digit (0.d... x 10^order) plus the
// written exponent, saturated: only its sign is used, to tell an overflow from
// an underflow when from_chars reports either as out of range.
long long DecimalOrder(std::string_view whole, std::string_view fraction, long long exponent) {
    const auto firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos) {
        return static_cast<long long>(whole.size() - firstWhole) + exponent;
    }
    const auto firstFraction = fraction.find_first_not_of('0');
    return -static_cast<long long>(firstFraction) + exponent;
}

double ParseDecimal(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    const std::size_t wholeStart = i;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    const std::string_view whole = s.substr(wholeStart, i - wholeStart);
    std::string_view fraction;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
        }
        fraction = s.substr(fractionStart, i - fractionStart);
    }
    if (whole.empty() && fraction.empty()) {
        return 0.0;
    }
    std::size_t end = i;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        const std::size_t exponentDigits = j;
        while (j < s.size() && IsDigit(s[j])) {
            exponent = std::min(exponent * 10 + (s[j] - '0'), 1'000'000'000LL);
            ++j;
        }
        if (j > exponentDigits) {  // an E without digits is not part of the number
            end = j;
            exponent = negativeExponent ? -exponent : exponent;
        } else {
            exponent = 0;
        }
    }

    // from_chars takes no leading plus; the sign is applied afterwards.
    const std::string_view number = s.substr(mantissaStart, end - mantissaStart);
    // Plain whole numbers, such as every list entry, are exact as integers
    // and read several times faster that way.
    if (number.size() == whole.size() && whole.size() <= 15) {
        long long integer = 0;
        std::from_chars(whole.data(), whole.data() + whole.size(), integer);
        const double magnitude = static_cast<double>(integer);
        return negative ? -magnitude : magnitude;
    }
    double magnitude = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = DecimalOrder(whole, fraction, exponent) > 0
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace

double ParseLeadingNumber(std::string_view text) {
    std::string compact;
    if (std::any_of(text.begin(), text.end(), IsDropped)) {
        compact.reserve(text.size());
        std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                     [](char c) { return !IsDropped(c); });
        text = compact;
    }
    if (text.size() >= 2 && text[0] == '&') {
        if (text[1] == 'h' || text[1] == 'H') {
            return ParseRadix(text.substr(2), 16);
        }
        if (text[1] == 'o' || text[1] == 'O') {
            return ParseRadix(text.substr(2), 8);
        }
    }
    return ParseDecimal(text);
}

std::int16_t RoundToInt16(double value) {
    double rounded = std::round(value);  // halves away from zero...
    if (std::fabs(value - std::trunc(value)) == 0.5) {
        rounded = 2.0 * std::round(value / 2.0);  // ...but exact halves to even
    }
    // Checked before converting: an out-of-range float-to-int cast is undefined.
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw OverflowError();
    }
    return static_cast<std::int16_t>(rounded);
}

std::string IntToText(long long value) {
    char buffer[24];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    return std::string(buffer, result.ptr);
}

std::string NumberToText(double value, std::string_view decimalSeparator) {
    if (value == 0.0) {
        return "0";  // also for -0
    }
    // Whole values in the range where general format would not switch to an
    // exponent anyway: integer digits are the same text, and much cheaper.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        return IntToText(static_cast<long long>(value));
    }
    char buffer[32];
    const auto result =
        std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::general, 15);
    const std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto point = digits.find('.');
    if (point == std::string_view::npos) {
        return std::string(digits);
    }
    std::string text(digits.substr(0, point));
    text += decimalSeparator;
    text += digits.substr(point + 1);
    return text;
}

}  // namespace zemvaro
