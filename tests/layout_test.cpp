// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <gtest/gtest.h>

#include <string>

#include "layout/layout.hpp"

namespace zemvaro::layout {
namespace {

TEST(FitInput, KeepsThreeCharactersAndNeverHalfOfOne) {
    const std::u16string smile = u"\U0001F600";  // two UTF-16 units
    const struct {
        std::u16string text;
        std::size_t cursor;
        std::u16string fitted;
        std::size_t fittedCursor;
    } cases[] = {
        {u"123", 3, u"123", 3},
        {u"12" + smile, 4, u"12" + smile, 4},
        {u"123" + smile, 5, u"123", 3},                            // pasted at the end
        {u"1" + smile + smile + u"3", 5, u"1" + smile + u"3", 3},  // pasted in the middle
        {u"98765", 5, u"987", 3},
        {u"4123", 1, u"123", 0},                 // typed at the start of a full box
        {u"12345", 0, u"123", 0},                // cursor at the start: the end goes
        {u"12\xD83D\xD83D", 4, u"12\xD83D", 3},  // lone surrogates count as one each
        {u"", 0, u"", 0},
    };
    for (const auto& c : cases) {
        std::u16string text = c.text;
        EXPECT_EQ(FitInput(text, c.cursor), c.fittedCursor);
        EXPECT_TRUE(text == c.fitted)
            << "case of " << c.text.size() << " units, cursor " << c.cursor;
    }
}

TEST(Layout, SpokenTexts) {
    EXPECT_EQ(AccessibleCaption(), "Zemvaro – сито на Ератостен, хипотеза на Голдбах");
    const std::string report7 = "Най-близкото по-голямо просто число е: 11\r\n7 = 0.5*(1 + 13)\r\n";
    const struct {
        int button, sieved, primes;
        std::string report;
        bool messageShown;
        std::string said;
    } cases[] = {
        {0, 14, 7, report7, false,
         "Готово: 14 числа в ситото, 7 прости. Най-близкото по-голямо просто число е: 11."},
        {0, 0, 0, "Най-близкото по-голямо просто число е: \r\n", true, ""},  // "N > 2"
        {0, 0, 0, report7, true, ""},                                        // overflow
        {1, 0, 0, "", false, "Изчистено."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClickSummary(c.button, c.sieved, c.primes, c.report, c.messageShown), c.said);
    }
}

TEST(Zoom, FitsAndCentresAndShrinksOnlyAPage) {
    const Twips input = Find(Kind::TextBox, 0).place;
    const struct {
        int width, height, dpi;
        Rect expected;
        Shrink shrink = Shrink::Never;
    } cases[] = {
        {442, 336, 96, {24, 64, 97, 33}},    // the table at 15 twips a pixel
        {884, 672, 96, {48, 128, 194, 66}},  // twice
        {1000, 672, 96, {106, 128, 194, 66}},
        {300, 200, 96, {24, 64, 97, 33}},                  // too small: no shrinking
        {663, 504, 144, {36, 96, 146, 50}},                // 150 %: edges rounded, not sizes
        {221, 400, 96, {12, 148, 49, 17}, Shrink::ToFit},  // a phone: half, centred
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToPixels(input, FitClientArea(c.width, c.height, c.dpi, c.shrink)), c.expected)
            << c.width << "x" << c.height << " at " << c.dpi;
    }
    EXPECT_EQ(ScaledPixels(kFocusPixels, FitClientArea(884, 672, 96)), 4);
}

TEST(Layout, TabOrderFollowsTheTabIndexes) {
    std::vector<int> indexes;
    for (const Control* control : TabOrder()) {
        indexes.push_back(control->tabIndex);
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 3, 4, 9, 11}));
}

}  // namespace
}  // namespace zemvaro::layout
