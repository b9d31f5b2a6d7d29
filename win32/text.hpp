// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Texts are UTF-8 in the core and the table, UTF-16 at Windows' W functions.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace zemvaro::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// The text a window or control holds, whole.
std::wstring WindowText(HWND window);

}  // namespace zemvaro::win32
