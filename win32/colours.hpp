// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Where the window's colours come from. Whatever the window draws itself asks
// here for the colour of a part, as Windows' own controls name the parts
// ("a button's face", "the focus mark"), never for a colour. The answer is
// the layout table's colour, or, while Windows shows a contrast theme, the
// system colour Windows' own controls draw that part in, so that a pupil who
// needs the theme to read the screen reads Zemvaro in it too. Whoever creates
// the window says how to know whether a theme is on; the window asks again,
// and draws itself anew, whenever Windows says the theme or its colours
// changed. The edit boxes' text, the scroll bars and the message boxes are
// Windows' own and take a theme's colours themselves.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "layout/layout.hpp"

namespace zemvaro::win32 {

enum class Part {
    Background,  // the window's, around the controls
    LabelFace,
    LabelText,
    ButtonFace,
    ButtonText,
    ButtonFrame,
    PressedFace,  // a button held down
    PressedText,
    // Behind a text box's or list's text and rows, and the text itself.
    Field,
    FieldText,
    // The band between a text box's or list's frame and its text, and a
    // one-line box's space above and below its line.
    FieldMargin,
    FieldFrame,
    Focus,  // the mark of the control that has the focus
    Selection,
    SelectionText,
};

// Whether Windows shows a contrast theme now.
using ContrastTheme = std::function<bool()>;

// What Windows itself says; what zemvaro.exe asks.
bool SystemContrastTheme();

class Colours {
  public:
    explicit Colours(ContrastTheme contrastTheme);
    ~Colours();
    Colours(const Colours&) = delete;
    Colours& operator=(const Colours&) = delete;

    // After the theme or the system's colours changed: asks again, and the
    // brushes are made anew as they are asked for.
    void Renew();

    // The part's colour; `owner` is the label or button it belongs to, where
    // the table gives each its own colour.
    COLORREF Of(Part part, const layout::Control* owner = nullptr) const;
    // A brush of that colour, kept until the next Renew.
    HBRUSH BrushOf(Part part, const layout::Control* owner = nullptr);

  private:
    void Forget();

    ContrastTheme contrastTheme_;
    bool contrast_ = false;
    // A few colours at most: the table's, or the theme's.
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
};

}  // namespace zemvaro::win32
