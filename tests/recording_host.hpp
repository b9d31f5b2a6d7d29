// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// A Host that remembers every message instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "core/zemvaro.hpp"

namespace zemvaro {

class RecordingHost : public Host {
  public:
    explicit RecordingHost(std::string separator = ".") : separator_(std::move(separator)) {}
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::string DecimalSeparator() const override { return separator_; }

    std::vector<std::string> messages;

  private:
    std::string separator_;
};

}  // namespace zemvaro
