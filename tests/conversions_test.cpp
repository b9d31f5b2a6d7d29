// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "core/zemvaro.hpp"

namespace zemvaro {
namespace {

struct ParseCase {
    std::string text;
    double expected;
};

void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << "'" << c.text.substr(0, 40) << "'";
}

class ParseLeadingNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseLeadingNumberTest, ReadsTheLeadingNumber) {
    const auto& [text, expected] = GetParam();
    EXPECT_EQ(ParseLeadingNumber(text), expected) << "text: '" << text << "'";
}

const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Table, ParseLeadingNumberTest,
    testing::Values(
        // nothing that leads
        ParseCase{"", 0}, ParseCase{"abc", 0}, ParseCase{",5", 0}, ParseCase{".", 0},
        ParseCase{"-", 0}, ParseCase{"+", 0}, ParseCase{"+-5", 0}, ParseCase{"e5", 0},
        ParseCase{"\r7", 0},
        ParseCase{"\xA0"
                  "7",
                  0},
        ParseCase{"inf", 0}, ParseCase{"nan", 0}, ParseCase{"0x1F", 0}, ParseCase{"Пет", 0},
        ParseCase{"-&H1", 0},
        // signs, blanks, tabs and line feeds anywhere
        ParseCase{"-5", -5}, ParseCase{"+5", 5}, ParseCase{" 7", 7}, ParseCase{"7 ", 7},
        ParseCase{"1 0", 10}, ParseCase{"\t1\n2 3", 123}, ParseCase{"- 5", -5},
        ParseCase{"1 e 2", 100},
        // digits, point and exponent; reading stops where the number does
        ParseCase{"7abc", 7}, ParseCase{"2.5", 2.5}, ParseCase{"-.5", -0.5}, ParseCase{".5", 0.5},
        ParseCase{"5.", 5}, ParseCase{"1.2.3", 1.2}, ParseCase{"2,5", 2}, ParseCase{"1e3", 1000},
        ParseCase{"1E2", 100}, ParseCase{"1e+2", 100}, ParseCase{"25e-1", 2.5}, ParseCase{"1e", 1},
        ParseCase{"1e+", 1}, ParseCase{"1ex", 1}, ParseCase{"1d2", 1}, ParseCase{"9e9", 9e9},
        ParseCase{"7Пет", 7}, ParseCase{"0.1", 0.1},
        // correctly rounded, and the ends of the range
        ParseCase{"0.30000000000000004", 0.30000000000000004},
        ParseCase{"9007199254740993", 9007199254740992.0}, ParseCase{"1e400", kInfinity},
        ParseCase{"-1e400", -kInfinity}, ParseCase{"1e-400", 0},
        ParseCase{"0.0000000000000000000000000000000000000001e-300", 0},
        ParseCase{"1e99999999999999999999", kInfinity}, ParseCase{"0e99999999999", 0},
        ParseCase{"4.9e-324", 4.9e-324}, ParseCase{std::string(1000, '9'), kInfinity},
        ParseCase{"0." + std::string(400, '0') + "1", 0},
        ParseCase{std::string(400, '1') + "e-390", 1111111111.11111111111},
        // hexadecimal and octal whole numbers
        ParseCase{"&HF", 15}, ParseCase{"&hf", 15}, ParseCase{"&H1", 1}, ParseCase{"&O17", 15},
        ParseCase{"&o7", 7}, ParseCase{"&O8", 0}, ParseCase{"&H", 0}, ParseCase{"&", 0},
        ParseCase{"&X1", 0}, ParseCase{"& H 1 0", 16}, ParseCase{"&H1G", 1},
        ParseCase{"&HFFFFFFFFFFFFFFFFFFFF", 1208925819614629174706175.0},
        ParseCase{"&H" + std::string(300, 'F'), kInfinity}));

TEST(ParseLeadingNumber, ToleratesAnyBytes) {
    const std::string embeddedNul(
        "12\0"
        "3",
        4);
    EXPECT_EQ(ParseLeadingNumber(embeddedNul), 12);
    EXPECT_EQ(ParseLeadingNumber("\xFF\xFE"
                                 "7"),
              0);
    EXPECT_EQ(ParseLeadingNumber("7\xC3"), 7);
}

TEST(RoundToInt16, RoundsHalfToEven) {
    const struct {
        double value;
        int expected;
    } cases[] = {{4.5, 4},         {5.5, 6},           {4.6, 5},           {-0.5, 0},
                 {0.5, 0},         {1.5, 2},           {2.5, 2},           {-1.5, -2},
                 {-2.5, -2},       {4.4, 4},           {-4.6, -5},         {32767.4, 32767},
                 {32767.0, 32767}, {-32768.0, -32768}, {-32768.5, -32768}, {4.49999999999999, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInt16(c.value), c.expected) << c.value;
    }
}

TEST(RoundToInt16, ReportsOverflow) {
    const double overflowing[] = {32767.5,
                                  32768.0,
                                  -32768.6,
                                  -32769.0,
                                  1e300,
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    for (double value : overflowing) {
        EXPECT_THROW(RoundToInt16(value), OverflowError) << value;
    }
}

TEST(IntToText, PlainDigits) {
    EXPECT_EQ(IntToText(1), "1");
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-32768), "-32768");
    EXPECT_EQ(IntToText(32767), "32767");
}

TEST(NumberToText, WholeAndFractionalValues) {
    const struct {
        double value;
        const char* separator;
        const char* expected;
    } cases[] = {
        {0.0, ".", "0"},
        {-0.0, ".", "0"},
        {7.0, ".", "7"},
        {13.0, ",", "13"},
        {1000.0, ".", "1000"},
        {-5.0, ".", "-5"},
        {2.5, ".", "2.5"},
        {2.5, ",", "2,5"},
        {16383.75, ",", "16383,75"},
        {0.1, ".", "0.1"},
        {2.3, ".", "2.3"},
        {1.0 / 3, ".", "0.333333333333333"},
        {123456789012345.0, ".", "123456789012345"},
        {1e15, ".", "1e+15"},
        {2.5, "\xD9\xAB",
         "2\xD9\xAB"
         "5"},
        {-0.25, ",", "-0,25"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberToText(c.value, c.separator), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace zemvaro
