// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's calculation core.
//
// The window's whole data is one FormState: three texts (input, output, a
// spare box) and two lists (the sieve and the primes). The window's form
// (form/) owns it and turns clicks into OnCommandClick / OnLabelClick, which
// borrow it for the length of the click; the faces show it:
//
//   OnCommandClick(0)  compute: RunSieve, then RunGoldbach
//   OnCommandClick(1)  clear:   ClearAll
//   OnLabelClick(4)    the hot spot: the spare text replaces the output
//
// Everything the core needs from outside goes through Host, which the form
// supplies: a message for the user and the user's decimal separator. The core
// never shows anything itself and reads no global locale. Texts are UTF-8
// throughout; report lines end with CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/conversions.hpp"
#include "core/string_list.hpp"

namespace zemvaro {

// The doubled input does not fit the 16-bit sieve limit. The compute stops
// here; the form says so and goes on.
class OverflowError : public std::overflow_error {
  public:
    OverflowError() : std::overflow_error("the value does not fit in 16 bits") {}
};

// What the core needs from the form that runs it.
class Host {
  public:
    virtual ~Host() = default;
    // Shows the text to the user in a message box, over the window as the
    // command has left it until this call.
    virtual void ShowMessage(const std::string& text) = 0;
    // The separator the user's locale writes between whole and fraction.
    virtual std::string DecimalSeparator() const = 0;
};

// The text the output box shows at start: the conjecture and the task.
extern const std::string_view HelpText;

// The message for an input whose doubled value rounds below 5.
inline constexpr std::string_view kTooSmallMessage = "N > 2";

struct FormState {
    // 0: input box, 1: output box, 2: spare box.
    std::array<std::string, 3> Text1{"", std::string(HelpText), ""};
    // 0: sieve list, 1: primes list.
    std::array<StringList, 2> List1;

    bool operator==(const FormState&) const = default;
};

// Empties both lists, the input and the output; the spare box stays.
void ClearAll(FormState& state);

// Reads the input, doubles and rounds it to the limit N, and fills the sieve
// list with "1".."N" (crossed-out numbers as "0") and the primes list with the
// survivors. Below N = 5 it shows "N > 2" instead. Both lists are cleared
// first, so a rejected input or an OverflowError leaves them empty.
void RunSieve(FormState& state, Host& host);

// Writes the report on the input number into the output box: the next listed
// prime, every pair p < q of listed numbers with mean equal to the input, and
// a line when the input is itself listed. Reads the primes list as RunSieve
// leaves it: empty, or whole numbers in increasing order.
void RunGoldbach(FormState& state, std::string_view decimalSeparator);

// A click on button `index`: 0 computes, 1 clears, others do nothing.
// Compute lets OverflowError through, with the lists empty and the output as
// it was.
void OnCommandClick(FormState& state, std::int16_t index, Host& host);

// A click on label `index`: 4, the hot spot, copies the spare text into the
// output box; the other labels only show captions.
void OnLabelClick(FormState& state, std::int16_t index);

}  // namespace zemvaro
