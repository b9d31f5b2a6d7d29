// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's window, described once for every toolkit that draws it: where
// each control sits, what it says, its colours and tab stops, what a screen
// reader calls it, and the texts the window adds to the core's. The Qt window,
// the Win32 window and the web page only map this onto their own controls,
// so they cannot drift apart. Standard library only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "layout/app_info.hpp"

namespace zemvaro::layout {

// Twips: 1/1440 inch, from the client area's top left corner.
struct Twips {
    int left, top, width, height;
};

struct Rgb {
    std::uint8_t red, green, blue;
    bool operator==(const Rgb&) const = default;
};

// The four control arrays; a click handler serves a whole array.
enum class Kind { Label, TextBox, Button, List };

struct Control {
    Kind kind;
    int index;  // within its array: Label1(index), Text1(index), ...
    Twips place;
    std::string_view caption;   // labels and buttons
    std::optional<Rgb> colour;  // background; none: the system's own
    int tabIndex;
    bool shown;
    // What a screen reader calls the control; empty: its caption.
    std::string_view accessibleName;
    // The Label1 index whose caption stands above the control, or -1.
    int captionLabel;
};

inline constexpr Twips kClientArea{0, 0, 6630, 5040};
inline constexpr Rgb kBackground{192, 192, 255};

struct Font {
    std::string_view family;
    int points;
    int weight;
    int charset;
};
inline constexpr Font kFont{"Times New Roman", 12, 400, 204};  // 204: Cyrillic

inline constexpr std::string_view kHotSpotTip = "Великденско яйце";

inline constexpr Rgb kLabelColour{255, 192, 128};

inline constexpr std::array<Control, 12> kControls{{
    {Kind::Label,
     0,
     {240, 0, 6135, 375},
     "Математика - прости числа, Ератостен, Голдбах",
     kLabelColour,
     5,
     true,
     {},
     -1},
    {Kind::Label, 1, {360, 600, 1455, 375}, "Естествено:", kLabelColour, 6, true, {}, -1},
    {Kind::Label, 2, {2280, 600, 1095, 375}, "Ератостен", kLabelColour, 7, true, {}, -1},
    {Kind::Label, 3, {3720, 600, 975, 375}, "Прости", kLabelColour, 8, true, {}, -1},
    // The hot spot copies the spare box over the report. Nothing can fill the
    // spare box, so a click would only erase the report: both stay hidden.
    {Kind::Label, 4, {6480, 0, 135, 135}, "", Rgb{0, 192, 0}, 10, false, kHotSpotTip, -1},
    {Kind::TextBox, 0, {360, 960, 1455, 495}, "", {}, 0, true, "Естествено число", 1},
    {Kind::Button, 0, {4920, 600, 1455, 495}, "Сметни", Rgb{128, 255, 128}, 1, true, {}, -1},
    {Kind::Button, 1, {4920, 1680, 1455, 495}, "Чисти", Rgb{255, 128, 128}, 9, true, {}, -1},
    {Kind::List, 0, {2280, 960, 1095, 1200}, "", {}, 2, true, "Сито на Ератостен", 2},
    {Kind::List, 1, {3720, 960, 975, 1200}, "", {}, 3, true, "Прости числа", 3},
    {Kind::TextBox, 1, {120, 2280, 6375, 2655}, "", {}, 4, true, "Резултат", -1},
    // Reaches past the window's right and bottom edges, over the output box.
    {Kind::TextBox, 2, {960, 2640, 6375, 2655}, "", {}, 11, false, "Резервно поле", -1},
}};

// The control of that array and index; every one the window uses exists.
constexpr const Control& Find(Kind kind, int index) {
    for (const Control& control : kControls) {
        if (control.kind == kind && control.index == index) {
            return control;
        }
    }
    throw std::out_of_range("no such control");
}

// The controls the program reaches by what they do; the core's data keeps
// the arrays' own names (Text1[0] is the input's text).
inline constexpr const Control& kInput = Find(Kind::TextBox, 0);
inline constexpr const Control& kReport = Find(Kind::TextBox, 1);
inline constexpr const Control& kSpare = Find(Kind::TextBox, 2);
inline constexpr const Control& kSieveList = Find(Kind::List, 0);
inline constexpr const Control& kPrimesList = Find(Kind::List, 1);
inline constexpr const Control& kCompute = Find(Kind::Button, 0);
inline constexpr const Control& kClear = Find(Kind::Button, 1);
inline constexpr const Control& kHotSpot = Find(Kind::Label, 4);
// The strip across the top that says what the program is about: the page's
// heading on the web.
inline constexpr const Control& kTitle = Find(Kind::Label, 0);

// How many controls an array has, for a face's own arrays of them.
constexpr std::size_t Count(Kind kind) {
    std::size_t count = 0;
    for (const Control& control : kControls) {
        count += control.kind == kind;
    }
    return count;
}
inline constexpr std::size_t kLabels = Count(Kind::Label);
inline constexpr std::size_t kTextBoxes = Count(Kind::TextBox);
inline constexpr std::size_t kButtons = Count(Kind::Button);
inline constexpr std::size_t kLists = Count(Kind::List);

// The control's array and index as one name, "Label1_0" or "Text1_1", which
// each face gives it so that it can be found from either side.
std::string Name(const Control& control);

// The controls that take the keyboard focus, in tab-index order.
std::vector<const Control*> TabOrder();

// The input box holds at most this many characters (code points, not UTF-16 units).
inline constexpr std::size_t kInputLength = 3;

// Keeps `text` within kInputLength characters by removing the excess just
// before `cursor`, where typing and pasting put new text, a whole character
// at a time; what stood before the edit stays. Returns the new cursor.
std::size_t FitInput(std::u16string& text, std::size_t cursor);

// The window's caption: the project's address, then what the program does.
std::string Caption();

// What a screen reader calls the window: the caption with the program's
// name for the address, which a synthesiser would spell out letter by letter.
std::string AccessibleCaption();

// What a screen reader says of the input, after its name: what to type.
inline constexpr std::string_view kInputDescription = "Цяло число, до три знака";

// What a screen reader is told after a click on Command1(button), the focus
// staying on the button, so that a pupil who cannot see the lists and the
// report knows they changed: the compute's counts and the report's first
// line, or that all was cleared. Given what the click left (the lists'
// lengths and the report) and whether it brought a message box, which has
// spoken for itself: then, and for any other button, nothing ("").
std::string ClickSummary(int button, int sieved, int primes, std::string_view report,
                         bool messageShown);

// What the window says when the doubled input does not fit the sieve's
// 16-bit limit: the whole numbers from -16384 to 16383 double into it. Short
// enough for the box to fit inside the window.
inline constexpr std::string_view kOverflowMessage = "Допустими са цели числа от -16384 до 16383.";

// The one button of a message box, as Qt's Bulgarian translation names it;
// the web page draws its own box.
inline constexpr std::string_view kMessageButton = "Добре";

// A button's border, and the mark of the control that has the focus: dark
// enough for well over 3:1 against white, the lavender and both buttons.
inline constexpr Rgb kBorderColour{64, 64, 64};
inline constexpr Rgb kFocusColour{32, 32, 96};
inline constexpr int kBorderPixels = 1;
inline constexpr int kFocusPixels = 2;
// The text boxes and lists: a grey line inside a white band as wide as the
// focus mark, so that the mark moves no text.
inline constexpr Rgb kFrameColour{138, 138, 138};
inline constexpr Rgb kFieldColour{255, 255, 255};
// How far a text box's text keeps from its border.
inline constexpr int kTextMarginPixels = 4;

// A button's colour while it is held down, and while the pointer is over it.
constexpr Rgb Pressed(Rgb colour) {
    const auto shade = [](std::uint8_t c) { return static_cast<std::uint8_t>(c * 100 / 118); };
    return {shade(colour.red), shade(colour.green), shade(colour.blue)};
}
constexpr Rgb Hovered(Rgb colour) {
    const auto shade = [](std::uint8_t c) {
        return static_cast<std::uint8_t>(c * 108 / 100 > 255 ? 255 : c * 108 / 100);
    };
    return {shade(colour.red), shade(colour.green), shade(colour.blue)};
}
// A button's rounded corner, and how far a list row's number keeps from the
// list's left edge; pixels at 96 dpi, scaled with the zoom.
inline constexpr int kButtonRadiusPixels = 2;
inline constexpr int kRowInsetPixels = 2;
// A list row's height where the face sets it (the web page): the font's line
// and a pixel, so that every browser shows the same rows, four and a part of
// a fifth that says there are more.
inline constexpr int kRowPixels = 18;

// What the web page says while it starts, written into the page itself so
// that a pupil never meets a blank page, and why it cannot start, with what
// to do.
inline constexpr std::string_view kPageStarting = "Zemvaro се зарежда…";
inline constexpr std::string_view kPageOpenedAsFile =
    "Zemvaro не работи, отворена като файл от диска. Отворете страницата през уеб сървър: "
    "от адреса ѝ в сайта на училището.";
inline constexpr std::string_view kPageBrowserTooOld =
    "Този браузър е твърде стар за Zemvaro. Отворете страницата в по-нов Chrome, Edge, Firefox "
    "или Safari.";
inline constexpr std::string_view kPageFailed =
    "Zemvaro не успя да се зареди. Презаредете страницата; ако това не помогне, отворете я в "
    "друг браузър.";

// Where the layout lands in a client area of width × height pixels on a
// screen of `dpi` dots per inch: scaled uniformly by the largest factor at
// which it fits, and centred. A desktop window is never smaller than the
// layout, so it never shrinks it; a web page may be shown on a phone's
// screen narrower than the layout, and shrinks it to fit (Shrink::ToFit).
struct Zoom {
    double factor = 1.0;
    double pixelsPerTwip = 96.0 / 1440.0;
    int originX = 0, originY = 0;
};
enum class Shrink { Never, ToFit };
Zoom FitClientArea(int width, int height, int dpi, Shrink shrink = Shrink::Never);

// The layout at its own size, on a screen of `dpi` dots per inch.
Zoom Unzoomed(int dpi);

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};

// Edges are rounded, not sizes, so that controls that meet in twips still
// meet in pixels.
Rect ToPixels(const Twips& place, const Zoom& zoom);

// A line width given in pixels at 96 dpi, at the zoom and its screen; never
// below one.
int ScaledPixels(int pixels, const Zoom& zoom);

}  // namespace zemvaro::layout
