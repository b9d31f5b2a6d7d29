// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "layout/layout.hpp"

#include <algorithm>
#include <cmath>
#include <string>

namespace zemvaro::layout {
namespace {

// The caption after the address: what the program does.
constexpr std::string_view kWhatItDoes = "сито на Ератостен, хипотеза на Голдбах";

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// A surrogate pair is one character; a lone surrogate counts as one too.
std::size_t CharacterCount(std::u16string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        count += !(IsLowSurrogate(text[i]) && i > 0 && IsHighSurrogate(text[i - 1]));
    }
    return count;
}

// Where the character that ends at `end` starts.
std::size_t CharacterBefore(std::u16string_view text, std::size_t end) {
    if (end >= 2 && IsLowSurrogate(text[end - 1]) && IsHighSurrogate(text[end - 2])) {
        return end - 2;
    }
    return end - 1;
}

}  // namespace

std::string Name(const Control& control) {
    static constexpr const char* kArrays[] = {"Label1", "Text1", "Command1", "List1"};
    return std::string(kArrays[static_cast<int>(control.kind)]) + "_" +
           std::to_string(control.index);
}

const Control* Named(std::string_view name) {
    for (const Control& control : kControls) {
        if (Name(control) == name) {
            return &control;
        }
    }
    return nullptr;
}

std::string_view RoleName(Role role) {
    static constexpr std::string_view kRoles[] = {"heading", "label", "button", "text", "list"};
    return kRoles[static_cast<int>(role)];
}

std::vector<const Control*> TabOrder() {
    std::vector<const Control*> order;
    for (const Control& control : kControls) {
        if (control.kind != Kind::Label) {
            order.push_back(&control);
        }
    }
    std::sort(order.begin(), order.end(),
              [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

std::size_t FitInput(std::u16string& text, std::size_t cursor, std::size_t limit) {
    cursor = std::min(cursor, text.size());
    std::size_t excess = CharacterCount(text);
    excess = excess > limit ? excess - limit : 0;
    std::size_t from = cursor;
    for (; excess > 0 && from > 0; --excess) {
        from = CharacterBefore(text, from);
    }
    text.erase(from, cursor - from);
    std::size_t end = text.size();
    for (; excess > 0; --excess) {  // only when the cursor stood too far left
        end = CharacterBefore(text, end);
    }
    text.erase(end);
    return std::min(from, text.size());
}

std::string WithLineFeeds(std::string_view text) {
    std::string fed;
    fed.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') {
            fed += text[i];
        }
    }
    return fed;
}

std::string Caption() {
    return std::string(kWebAddress) + " " + std::string(kWhatItDoes);
}

std::string AccessibleCaption() {
    return std::string(kApplicationName) + " – " + std::string(kWhatItDoes);
}

std::string ComputedSummary(int sieved, int primes, std::string_view firstLine) {
    return "Готово: " + std::to_string(sieved) + " числа в ситото, " + std::to_string(primes) +
           " прости. " + std::string(firstLine) + ".";
}

Zoom FitClientArea(int width, int height, int dpi, Shrink shrink) {
    Zoom zoom;
    // Multiplied out before dividing, so that twice the size is exactly 2.
    const double fits = std::min(1440.0 * width / (double{kClientArea.width} * dpi),
                                 1440.0 * height / (double{kClientArea.height} * dpi));
    zoom.factor = shrink == Shrink::ToFit ? std::max(fits, 0.0) : std::max(1.0, fits);
    zoom.pixelsPerTwip = zoom.factor * dpi / 1440.0;
    const Rect client = ToPixels(kClientArea, zoom);
    zoom.originX = std::max(0, (width - client.width) / 2);
    zoom.originY = std::max(0, (height - client.height) / 2);
    return zoom;
}

Zoom Unzoomed(int dpi) {
    return FitClientArea(0, 0, dpi);
}

Rect ToPixels(const Twips& place, const Zoom& zoom) {
    const auto at = [&zoom](int twips) {
        return static_cast<int>(std::lround(twips * zoom.pixelsPerTwip));
    };
    const int left = at(place.left);
    const int top = at(place.top);
    return {zoom.originX + left, zoom.originY + top, at(place.left + place.width) - left,
            at(place.top + place.height) - top};
}

int ScaledPixels(int pixels, const Zoom& zoom) {
    constexpr double kTwipsPerPixelAt96 = 1440.0 / 96.0;
    return std::max(
        1, static_cast<int>(std::lround(pixels * zoom.pixelsPerTwip * kTwipsPerPixelAt96)));
}

}  // namespace zemvaro::layout
