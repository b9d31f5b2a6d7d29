// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "win32/colours.hpp"

#include <optional>

namespace zemvaro::win32 {
namespace {

COLORREF ToColorRef(layout::Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// Where a part's colour comes from without a theme: the table's, or none
// where the table leaves the part to the system; and in a theme, the system
// colour that Windows' own controls give the part.
struct Source {
    std::optional<layout::Rgb> table;
    int system;
};

Source SourceOf(Part part, const layout::Control* owner) {
    switch (part) {
        case Part::Background:
            return {layout::kBackground, COLOR_WINDOW};
        case Part::LabelFace:
            return {owner->colour, COLOR_WINDOW};
        case Part::LabelText:
            return {layout::kTextColour, COLOR_WINDOWTEXT};
        case Part::ButtonFace:
            return {owner->colour, COLOR_BTNFACE};
        case Part::ButtonText:
            return {layout::kTextColour, COLOR_BTNTEXT};
        // A theme may give buttons the window's own background: the button's
        // text colour, which the theme sets apart from both, outlines it.
        case Part::ButtonFrame:
            return {layout::kBorderColour, COLOR_BTNTEXT};
        // A theme has no shade of the face for a button held down; its
        // selection colours are a pair that stands out from the face.
        case Part::PressedFace:
            return {layout::Pressed(*owner->colour), COLOR_HIGHLIGHT};
        case Part::PressedText:
            return {layout::kTextColour, COLOR_HIGHLIGHTTEXT};
        // The edit and list boxes draw their text in the system's colours,
        // theme or none; the rows drawn by the window match them.
        case Part::Field:
            return {std::nullopt, COLOR_WINDOW};
        case Part::FieldText:
            return {std::nullopt, COLOR_WINDOWTEXT};
        case Part::FieldMargin:
            return {layout::kFieldColour, COLOR_WINDOW};
        case Part::FieldFrame:
            return {layout::kFrameColour, COLOR_WINDOWTEXT};
        // Every contrast theme sets the highlight apart from the window and
        // the buttons' face, where the focus mark stands.
        case Part::Focus:
            return {layout::kFocusColour, COLOR_HIGHLIGHT};
        case Part::Selection:
            return {std::nullopt, COLOR_HIGHLIGHT};
        case Part::SelectionText:
            return {std::nullopt, COLOR_HIGHLIGHTTEXT};
    }
    return {std::nullopt, COLOR_WINDOW};
}

}  // namespace

bool SystemContrastTheme() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) != FALSE &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Colours::Colours(ContrastTheme contrastTheme)
    : contrastTheme_(std::move(contrastTheme)), contrast_(contrastTheme_()) {}

Colours::~Colours() {
    Forget();
}

void Colours::Renew() {
    Forget();
    contrast_ = contrastTheme_();
}

void Colours::Forget() {
    for (const auto& [colour, brush] : brushes_) {
        DeleteObject(brush);
    }
    brushes_.clear();
}

COLORREF Colours::Of(Part part, const layout::Control* owner) const {
    const Source source = SourceOf(part, owner);
    return contrast_ || !source.table ? GetSysColor(source.system) : ToColorRef(*source.table);
}

HBRUSH Colours::BrushOf(Part part, const layout::Control* owner) {
    const COLORREF colour = Of(part, owner);
    for (const auto& [made, brush] : brushes_) {
        if (made == colour) {
            return brush;
        }
    }
    brushes_.emplace_back(colour, CreateSolidBrush(colour));
    return brushes_.back().second;
}

}  // namespace zemvaro::win32
