// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "core/conversions.hpp"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        const std::size_t exponentDigits = j;
        while (j < s.size() && IsDigit(s[j])) {
            ++j;
        }
        if (j > exponentDigits) {  // an E without digits is not part of the number
            end = j;
        }
    }

    // The parse takes no leading plus; the sign is applied afterwards.
    const std::string_view number = s.substr(mantissaStart, end - mantissaStart);
    // Plain whole numbers, such as every list entry, are exact as integers
    // and read several times faster that way.
    if (number.size() == whole.size() && whole.size() <= 15) {
        long long integer = 0;
        std::from_chars(whole.data(), whole.data() + whole.size(), integer);
        const double magnitude = static_cast<double>(integer);
        return negative ? -magnitude : magnitude;
    }
    // Correctly rounded, whatever the C library's locale, and the same on
    // every platform; beyond the double range it gives an infinity, below
    // it 0.
    double magnitude = 0.0;
    fast_float::from_chars(number.data(), number.data() + number.size(), magnitude);
    return negative ? -magnitude : magnitude;
}

// A positive number as decimal digits, without leading or trailing zeros,
// and where the decimal point stands: 0.d1d2d3... x 10^point.
struct Decimal {
    std::string digits;
    int point = 0;
};

// digits := digits x factor, in place; factor * 10 fits in 64 bits.
void Multiply(std::string& digits, std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (auto d = digits.rbegin(); d != digits.rend(); ++d) {
        const std::uint64_t product = static_cast<std::uint64_t>(*d - '0') * factor + carry;
        *d = static_cast<char>('0' + product % 10);
        carry = product / 10;
    }
    for (; carry > 0; carry /= 10) {
        digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
    }
}

// Every digit of a finite positive double, exactly. A double is m x 2^e with
// m below 2^53, which is m x 5^-e / 10^-e when e < 0: whole-number arithmetic
// on decimal digits, with no floating-point formatting and no locale in it.
Decimal ExactDecimal(double value) {
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    Decimal decimal{IntToText(static_cast<long long>(mantissa)), 0};
    constexpr int kTwos = 30, kFives = 13;  // 2^30 and 5^13 stay below 2^31
    for (int left = exponent; left > 0; left -= kTwos) {
        Multiply(decimal.digits, std::uint64_t{1} << std::min(left, kTwos));
    }
    for (int left = -exponent; left > 0; left -= kFives) {
        std::uint64_t power = 1;
        for (int i = std::min(left, kFives); i > 0; --i) {
            power *= 5;
        }
        Multiply(decimal.digits, power);
    }
    decimal.point = static_cast<int>(decimal.digits.size()) + std::min(exponent, 0);
    decimal.digits.erase(decimal.digits.find_last_not_of('0') + 1);
    return decimal;
}

// At most `precision` significant digits, rounded to nearest, an exact half
// to even, as printf's %g rounds; trailing zeros dropped.
Decimal RoundedDecimal(Decimal decimal, int precision) {
    std::string& digits = decimal.digits;
    const auto kept = static_cast<std::size_t>(precision);
    if (digits.size() <= kept) {
        return decimal;
    }
    const bool half = digits[kept] == '5' && digits.size() == kept + 1;
    const bool up = digits[kept] > '5' || (digits[kept] == '5' && !half) ||
                    (half && (digits[kept - 1] - '0') % 2 == 1);
    digits.resize(kept);
    if (up) {
        std::size_t i = kept;
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i == 0) {
            digits.insert(digits.begin(), '1');  // 9.99... became 10.0...
            ++decimal.point;
        } else {
            ++digits[i - 1];
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    return decimal;
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
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    }
    // Whole values in the range where general format would not switch to an
    // exponent anyway: integer digits are the same text, and much cheaper.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value) {
        return IntToText(static_cast<long long>(value));
    }
    constexpr int kPrecision = 15;
    Decimal decimal = RoundedDecimal(ExactDecimal(std::fabs(value)), kPrecision);
    const std::string& digits = decimal.digits;
    const int exponent = decimal.point - 1;  // of the first digit, as in d.ddd e±x
    std::string text = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= kPrecision) {
        text += digits[0];
        if (digits.size() > 1) {
            text += decimalSeparator;
            text.append(digits, 1);
        }
        text += exponent < 0 ? "e-" : "e+";
        const std::string magnitude = IntToText(std::abs(exponent));
        text += (magnitude.size() < 2 ? "0" : "") + magnitude;
    } else if (decimal.point <= 0) {
        text += "0";
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-decimal.point), '0');
        text += digits;
    } else if (static_cast<std::size_t>(decimal.point) >= digits.size()) {
        text += digits;
        text.append(static_cast<std::size_t>(decimal.point) - digits.size(), '0');
    } else {
        const auto point = static_cast<std::size_t>(decimal.point);
        text.append(digits, 0, point);
        text += decimalSeparator;
        text.append(digits, point);
    }
    return text;
}

}  // namespace zemvaro
