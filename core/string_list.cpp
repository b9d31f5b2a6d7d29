// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "core/string_list.hpp"

namespace zemvaro {

const std::string& StringList::Item(long long index) const {
    static const std::string empty;
    if (index < 0 || index >= static_cast<long long>(items_.size())) {
        return empty;
    }
    return items_[static_cast<std::size_t>(index)];
}

void StringList::SetItem(long long index, std::string_view text) {
    if (index >= 0 && index < static_cast<long long>(items_.size())) {
        items_[static_cast<std::size_t>(index)] = text;
    }
}

}  // namespace zemvaro
