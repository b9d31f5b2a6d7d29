// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// What the window and the controls it draws share: the table's colours as
// GDI's, and a brush that is given back when it goes out of use.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "layout/layout.hpp"

namespace zemvaro::win32 {

inline COLORREF ToColorRef(layout::Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// The window's lavender, shared by every window of the class, so it lives as
// long as the program.
HBRUSH BackgroundBrush();

class Brush {
  public:
    explicit Brush(layout::Rgb rgb) : brush_(CreateSolidBrush(ToColorRef(rgb))) {}
    ~Brush() { DeleteObject(brush_); }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;
    operator HBRUSH() const { return brush_; }

  private:
    HBRUSH brush_;
};

}  // namespace zemvaro::win32
