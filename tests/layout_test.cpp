// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
        EXPECT_EQ(FitInput(text, c.cursor, kInput.maxLength), c.fittedCursor);
        EXPECT_TRUE(text == c.fitted)
            << "case of " << c.text.size() << " units, cursor " << c.cursor;
    }
}

TEST(Layout, EveryControlIsFoundAndSaidAlike) {
    EXPECT_EQ(AccessibleCaption(), "Zemvaro – сито на Ератостен, хипотеза на Голдбах");
    const struct {
        const char* name;
        Role role;
        std::string_view said;
        bool shown, multiLine = false, readOnly = false;
        std::size_t maxLength = 0;
    } cases[] = {
        {"Label1_0", Role::Heading, "Математика - прости числа, Ератостен, Голдбах", true},
        {"Label1_1", Role::Label, "Естествено:", true},
        {"Label1_4", Role::Label, "Великденско яйце", false},  // by its tooltip
        {"Text1_0", Role::Text, "Естествено число", true, false, false, 3},
        {"Text1_1", Role::Text, "Резултат", true, true, true, 0},
        {"Text1_2", Role::Text, "Резервно поле", false, true, false, 0},
        {"Command1_1", Role::Button, "Чисти", true},
        {"List1_0", Role::List, "Сито на Ератостен", true},
    };
    for (const auto& c : cases) {
        const Control* control = Named(c.name);
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(Name(*control), c.name);
        EXPECT_EQ(control->role, c.role) << c.name;
        EXPECT_EQ(AccessibleName(*control), c.said) << c.name;
        EXPECT_EQ(
            std::tuple(control->shown, control->multiLine, control->readOnly, control->maxLength),
            std::tuple(c.shown, c.multiLine, c.readOnly, c.maxLength))
            << c.name;
    }
    for (const Control& control : kControls) {
        EXPECT_EQ(&kControls[IndexOf(control)], &control);
        EXPECT_EQ(Named(Name(control)), &control);
    }
    for (const char* unknown : {"", "Text1_3", "Text1", "Label1_00"}) {
        EXPECT_EQ(Named(unknown), nullptr) << unknown;
    }
}

TEST(Layout, ReportLinesEndInLineFeedsForTheToolkitsThatWantThem) {
    const struct {
        std::string_view text, fed;
    } cases[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"\r\n\r\n", "\n\n"},
        {"a\rb\r", "a\rb\r"},  // a lone CR is no line end of the core's
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithLineFeeds(c.text), c.fed);
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
