// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The content of a list box: an ordered, never sorted list of texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zemvaro {

class StringList {
  public:
    void Clear() { items_.clear(); }
    void AddItem(std::string_view text) { items_.emplace_back(text); }

    // Reading past either end gives the empty text, as a list box does; the
    // report relies on it when the lists are empty.
    const std::string& Item(long long index) const;

    // Only for 0 <= index < Count(); anything else is ignored rather than
    // written out of bounds. A list box's own operation, kept with the data:
    // the sieve builds its rows whole, and the literal loops the tests
    // measure it against cross numbers out with it.
    void SetItem(long long index, std::string_view text);

    int Count() const { return static_cast<int>(items_.size()); }

    // Lets a builder that knows the final size avoid regrowing.
    void Reserve(int count) { items_.reserve(static_cast<std::size_t>(count)); }

    bool operator==(const StringList&) const = default;

  private:
    std::vector<std::string> items_;
};

}  // namespace zemvaro
