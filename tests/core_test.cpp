// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/zemvaro.hpp"
#include "tests/recording_host.hpp"

namespace zemvaro {
namespace {

using Lines = std::vector<std::string>;

Lines Entries(const StringList& list) {
    Lines entries;
    for (int i = 0; i < list.Count(); ++i) {
        entries.push_back(list.Item(i));
    }
    return entries;
}

// Splits at CR LF and insists that every line, the last included, ends so.
Lines ReportLines(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "unterminated line: " << text.substr(start);
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

const std::string kNext = "Най-близкото по-голямо просто число е: ";

struct Computed {
    FormState state;
    RecordingHost host;
};

Computed Compute(const std::string& input, const std::string& separator = ".") {
    Computed c{FormState{}, RecordingHost(separator)};
    c.state.Text1[0] = input;
    OnCommandClick(c.state, 0, c.host);
    return c;
}

TEST(StartState, HoldsTheHelpTextAndNothingElse) {
    const FormState state;
    EXPECT_EQ(state.Text1[0], "");
    EXPECT_EQ(state.Text1[1], HelpText);
    EXPECT_EQ(state.Text1[2], "");
    EXPECT_EQ(state.List1[0].Count(), 0);
    EXPECT_EQ(state.List1[1].Count(), 0);
}

TEST(HelpText, IsSeventeenCrLfLinesOf703Utf16Units) {
    std::size_t utf16Units = 0;
    for (unsigned char c : HelpText) {
        utf16Units += (c & 0xC0) != 0x80;  // every Cyrillic letter is one unit
    }
    EXPECT_EQ(utf16Units, 703u);
    // Letter for letter, misspellings and double blanks included.
    EXPECT_EQ(ReportLines(std::string(HelpText)),
              (Lines{"Съществува теорема на Голдбах  (не е доказана), която твърди, че цяло "
                     "число (с изключение на 1 и 2)  може да се представи като средно ариметично "
                     "на две прости числа. ",
                     "Пример:", "7 = 0.5*(1 + 13)", "7 = 0.5*(3 + 11)", "7 = 0.5*(7 + 7)", "",
                     "8 = 0.5*(3 + 13)", "8 = 0.5*(5 + 11)", "", "9 = 0.5*(1 + 17)",
                     "9 = 0.5*(5 + 13)", "9 = 0.5*(7 + 11)",
                     "Да се реализира проект, представящ междупредметни връзки Математика и "
                     "Информатика.",
                     "Тема на проекта: Математика - прости числа, Ератостен, Голдбах",
                     "Входни данни: естествено число N от интервала [3..999].",
                     "Извежда се сито на Ератостен за интервала [1..2*N].",
                     "Доказва се или се опровергава хипотезата за представяне на всяко цело числа "
                     "като средноартиметично на две прости числа."}));
}

TEST(StringList, ReadsOutsideTheListAsEmptyText) {
    StringList list;
    EXPECT_EQ(list.Item(1), "");
    EXPECT_EQ(list.Item(-1), "");
    list.AddItem("b");
    list.AddItem("a");
    EXPECT_EQ(list.Item(list.Count()), "");
    EXPECT_EQ(Entries(list), (Lines{"b", "a"}));  // never sorted
    list.SetItem(5, "x");                         // out of range: ignored
    list.SetItem(1, "c");
    EXPECT_EQ(Entries(list), (Lines{"b", "c"}));
}

TEST(Sieve, CrossesOutAndCollectsForSeven) {
    const auto c = Compute("7");
    EXPECT_EQ(Entries(c.state.List1[0]),
              (Lines{"1", "2", "3", "0", "5", "0", "7", "0", "0", "0", "11", "0", "13", "0"}));
    EXPECT_EQ(Entries(c.state.List1[1]), (Lines{"1", "2", "3", "5", "7", "11", "13"}));
    EXPECT_TRUE(c.host.messages.empty());
}

TEST(Sieve, SmallestAcceptedInputs) {
    for (const char* input : {"3", "2.3", "2.26"}) {
        const auto c = Compute(input);
        EXPECT_EQ(Entries(c.state.List1[1]), (Lines{"1", "2", "3", "5"})) << input;
    }
    EXPECT_EQ(Compute("3").state.List1[0].Count(), 6);
    EXPECT_EQ(Compute("2.3").state.List1[0].Count(), 5);
}

// The square of a prime is the first number only that prime crosses out; a
// crossing loop that stops one short leaves it standing.
TEST(Sieve, CrossesOutSquaresOfPrimes) {
    const struct {
        const char* input;
        int square;
    } cases[] = {{"4.5", 9}, {"12.5", 25}, {"24.5", 49}, {"60.5", 121}};
    for (const auto& c : cases) {
        const auto computed = Compute(c.input);
        EXPECT_EQ(computed.state.List1[0].Count(), c.square) << c.input;
        EXPECT_EQ(computed.state.List1[0].Item(c.square - 1), "0") << c.input;
    }
}

TEST(Sieve, NineHundredNinetyNine) {
    const auto c = Compute("999");
    EXPECT_EQ(c.state.List1[0].Count(), 1998);
    EXPECT_EQ(c.state.List1[1].Count(), 303);
    EXPECT_EQ(c.state.List1[1].Item(302), "1997");
    EXPECT_EQ(c.state.List1[0].Item(1996), "1997");
    EXPECT_EQ(c.state.List1[0].Item(1997), "0");
}

TEST(Sieve, LargestThreeCharacterInput) {
    const auto c = Compute("1e4");
    EXPECT_EQ(c.state.List1[0].Count(), 20000);
    EXPECT_EQ(c.state.List1[1].Count(), 2263);  // "1" and the 2262 primes below 20000
    EXPECT_EQ(ReportLines(c.state.Text1[1]).front(), kNext + "10007");
}

TEST(Sieve, RejectsWhatDoublesBelowFive) {
    for (const char* input : {"", "2", "2.25", "abc", "0", "-7", "-1e4", ",5", "&H2"}) {
        auto c = Compute(input);
        EXPECT_EQ(c.host.messages, (Lines{"N > 2"})) << input;
        EXPECT_EQ(c.state.List1[0].Count(), 0) << input;
        EXPECT_EQ(c.state.List1[1].Count(), 0) << input;
        EXPECT_EQ(c.state.Text1[1], kNext + "\r\n") << input;
    }
}

TEST(Sieve, RejectionEmptiesListsOfTheRunBefore) {
    auto c = Compute("7");
    c.state.Text1[0] = "2";
    OnCommandClick(c.state, 0, c.host);
    EXPECT_EQ(c.state.List1[0].Count(), 0);
    EXPECT_EQ(c.state.List1[1].Count(), 0);
    EXPECT_EQ(c.host.messages, (Lines{"N > 2"}));
}

TEST(Report, WorkedExamples) {
    const struct {
        const char* input;
        Lines expected;
    } cases[] = {
        {"7",
         {kNext + "11", "7 = 0.5*(1 + 13)", "7 = 0.5*(3 + 11)", "Въведеното число 7 е просто. "}},
        {"8", {kNext + "11", "8 = 0.5*(3 + 13)", "8 = 0.5*(5 + 11)"}},
        {"9", {kNext + "11", "9 = 0.5*(1 + 17)", "9 = 0.5*(5 + 13)", "9 = 0.5*(7 + 11)"}},
        {"3", {kNext + "5", "3 = 0.5*(1 + 5)", "Въведеното число 3 е просто. "}},
        {"2.5", {kNext + "3", "2.5 = 0.5*(2 + 3)"}},
        {"2.26", {kNext + "3"}},
        {"7.5", {kNext + "11", "7.5 = 0.5*(2 + 13)"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReportLines(Compute(c.input).state.Text1[1]), c.expected) << c.input;
    }
}

TEST(Report, BlanksInsideTheInputAreDropped) {
    EXPECT_EQ(ReportLines(Compute("1 1").state.Text1[1]),
              (Lines{kNext + "13", "11 = 0.5*(3 + 19)", "11 = 0.5*(5 + 17)",
                     "Въведеното число 11 е просто. "}));
}

TEST(Report, OneHundredHasNinePairs) {
    const Lines lines = ReportLines(Compute("100").state.Text1[1]);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], kNext + "101");
    EXPECT_EQ(lines[1], "100 = 0.5*(1 + 199)");
    EXPECT_EQ(lines[9], "100 = 0.5*(97 + 103)");
}

TEST(Report, WritesFractionsWithTheUsersSeparator) {
    EXPECT_EQ(ReportLines(Compute("2.5", ",").state.Text1[1]),
              (Lines{kNext + "3", "2,5 = 0.5*(2 + 3)"}));
}

TEST(Report, ReplacesWhateverTheOutputHeld) {
    const auto c = Compute("8");
    EXPECT_EQ(c.state.Text1[1].find("Пример"), std::string::npos);
}

TEST(Overflow, StopsTheComputeWithListsEmptyAndOutputKept) {
    for (const char* input : {"2e4", "-9e9", "9e9", "1e400", "&HFFFF", "16384"}) {
        auto c = Compute("7");
        const std::string reportOfSeven = c.state.Text1[1];
        c.state.Text1[0] = input;
        EXPECT_THROW(OnCommandClick(c.state, 0, c.host), OverflowError) << input;
        EXPECT_EQ(c.state.List1[0].Count(), 0) << input;
        EXPECT_EQ(c.state.List1[1].Count(), 0) << input;
        EXPECT_EQ(c.state.Text1[1], reportOfSeven) << input;
        EXPECT_TRUE(c.host.messages.empty()) << input;

        c.state.Text1[0] = "3";  // and the next click works as ever
        OnCommandClick(c.state, 0, c.host);
        EXPECT_EQ(c.state.List1[1].Count(), 4) << input;
    }
}

TEST(Overflow, LargestAcceptedInput) {
    const auto c =
        Compute("16383.7");  // 32767.4; 16383.75 doubles to 32767.5, which rounds to 32768
    EXPECT_EQ(c.state.List1[0].Count(), 32767);
    EXPECT_EQ(ReportLines(c.state.Text1[1]).front(), kNext + "16411");
}

TEST(Commands, ClearEmptiesEverythingButTheSpareBox) {
    auto c = Compute("7");
    c.state.Text1[2] = "скрито";
    OnCommandClick(c.state, 1, c.host);
    EXPECT_EQ(c.state.Text1[0], "");
    EXPECT_EQ(c.state.Text1[1], "");
    EXPECT_EQ(c.state.Text1[2], "скрито");
    EXPECT_EQ(c.state.List1[0].Count(), 0);
    EXPECT_EQ(c.state.List1[1].Count(), 0);
}

TEST(Commands, ClearOnTheStartStateDropsTheHelpText) {
    FormState state;
    RecordingHost host;
    OnCommandClick(state, 1, host);
    EXPECT_EQ(state.Text1[1], "");
}

TEST(Commands, HotSpotCopiesTheSpareBoxOtherLabelsDoNothing) {
    FormState state;
    for (std::int16_t label : {0, 1, 2, 3, 5, -1}) {
        OnLabelClick(state, label);
        EXPECT_EQ(state, FormState{}) << label;
    }
    OnLabelClick(state, 4);
    EXPECT_EQ(state.Text1[1], "");
    state.Text1[2] = "Великденско яйце\r\n";
    OnLabelClick(state, 4);
    EXPECT_EQ(state.Text1[1], "Великденско яйце\r\n");
}

TEST(Commands, OtherButtonIndexesDoNothing) {
    auto c = Compute("7");
    const FormState before = c.state;
    for (std::int16_t button : {2, -1, 32767}) {
        OnCommandClick(c.state, button, c.host);
    }
    EXPECT_EQ(c.state, before);
}

TEST(Commands, TwoComputesInARowGiveTheSame) {
    auto c = Compute("999");
    const FormState first = c.state;
    OnCommandClick(c.state, 0, c.host);
    EXPECT_EQ(c.state, first);
}

}  // namespace
}  // namespace zemvaro
