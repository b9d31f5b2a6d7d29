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

// What a control is to a screen reader. Each face gives it its toolkit's
// nearest role in one place; the web page alone has headings, and the
// desktop windows draw a heading as the label it is.
enum class Role { Heading, Label, Button, Text, List };

// The input box holds at most this many characters (code points, not UTF-16 units).
inline constexpr std::size_t kInputLength = 3;

struct Control {
    Kind kind;
    int index;  // within its array: Label1(index), Text1(index), ...
    Twips place;
    Role role;
    std::string_view caption = {};   // labels and buttons
    std::optional<Rgb> colour = {};  // background; none: the system's own
    int tabIndex = 0;
    // Whether the window shows it; every face makes it either way, hidden
    // where this says so.
    bool shown = true;
    // What a screen reader calls the control; empty: its caption (see
    // AccessibleName).
    std::string_view accessibleName = {};
    // What a screen reader says of it after its name.
    std::string_view description = {};
    std::string_view tooltip = {};
    // The Label1 index whose caption stands above the control, or -1.
    int captionLabel = -1;
    // Text boxes. One line is centred in the box; several lines wrap at its
    // width, under a vertical scroll bar that is always there.
    bool multiLine = false;
    // The program's to write: the pupil can select and copy, not type.
    bool readOnly = false;
    // At most this many characters (FitInput); 0: as many as the box takes.
    std::size_t maxLength = 0;
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

inline constexpr Rgb kLabelColour{255, 192, 128};
// The labels' and the buttons' text.
inline constexpr Rgb kTextColour{0, 0, 0};

inline constexpr std::array<Control, 12> kControls{{
    {.kind = Kind::Label,
     .index = 0,
     .place = {240, 0, 6135, 375},
     .role = Role::Heading,
     .caption = "Математика - прости числа, Ератостен, Голдбах",
     .colour = kLabelColour,
     .tabIndex = 5},
    {.kind = Kind::Label,
     .index = 1,
     .place = {360, 600, 1455, 375},
     .role = Role::Label,
     .caption = "Естествено:",
     .colour = kLabelColour,
     .tabIndex = 6},
    {.kind = Kind::Label,
     .index = 2,
     .place = {2280, 600, 1095, 375},
     .role = Role::Label,
     .caption = "Ератостен",
     .colour = kLabelColour,
     .tabIndex = 7},
    {.kind = Kind::Label,
     .index = 3,
     .place = {3720, 600, 975, 375},
     .role = Role::Label,
     .caption = "Прости",
     .colour = kLabelColour,
     .tabIndex = 8},
    // The hot spot copies the spare box over the report. Nothing can fill the
    // spare box, so a click would only erase the report: both stay hidden.
    {.kind = Kind::Label,
     .index = 4,
     .place = {6480, 0, 135, 135},
     .role = Role::Label,
     .colour = Rgb{0, 192, 0},
     .tabIndex = 10,
     .shown = false,
     .tooltip = "Великденско яйце"},
    {.kind = Kind::TextBox,
     .index = 0,
     .place = {360, 960, 1455, 495},
     .role = Role::Text,
     .tabIndex = 0,
     .accessibleName = "Естествено число",
     .description = "Цяло число, до три знака",
     .captionLabel = 1,
     .maxLength = kInputLength},
    {.kind = Kind::Button,
     .index = 0,
     .place = {4920, 600, 1455, 495},
     .role = Role::Button,
     .caption = "Сметни",
     .colour = Rgb{128, 255, 128},
     .tabIndex = 1},
    {.kind = Kind::Button,
     .index = 1,
     .place = {4920, 1680, 1455, 495},
     .role = Role::Button,
     .caption = "Чисти",
     .colour = Rgb{255, 128, 128},
     .tabIndex = 9},
    {.kind = Kind::List,
     .index = 0,
     .place = {2280, 960, 1095, 1200},
     .role = Role::List,
     .tabIndex = 2,
     .accessibleName = "Сито на Ератостен",
     .captionLabel = 2},
    {.kind = Kind::List,
     .index = 1,
     .place = {3720, 960, 975, 1200},
     .role = Role::List,
     .tabIndex = 3,
     .accessibleName = "Прости числа",
     .captionLabel = 3},
    {.kind = Kind::TextBox,
     .index = 1,
     .place = {120, 2280, 6375, 2655},
     .role = Role::Text,
     .tabIndex = 4,
     .accessibleName = "Резултат",
     .multiLine = true,
     .readOnly = true},
    // Reaches past the window's right and bottom edges, over the output box.
    {.kind = Kind::TextBox,
     .index = 2,
     .place = {960, 2640, 6375, 2655},
     .role = Role::Text,
     .tabIndex = 11,
     .shown = false,
     .accessibleName = "Резервно поле",
     .multiLine = true},
}};

// One way to find a control: its place in kControls is its index, the same
// in every face's arrays of handles; or by its array and index; or by its
// name ("Text1_0").
constexpr std::size_t IndexOf(const Control& control) {
    return static_cast<std::size_t>(&control - kControls.data());
}

// The control of that array and index; every one the window uses exists.
constexpr const Control& Find(Kind kind, int index) {
    for (const Control& control : kControls) {
        if (control.kind == kind && control.index == index) {
            return control;
        }
    }
    throw std::out_of_range("no such control");
}

// The control that each face names `name`, or null.
const Control* Named(std::string_view name);

// The controls the program reaches by what they do; the core's data keeps
// the arrays' own names (Text1[0] is the input's text).
inline constexpr const Control& kInput = Find(Kind::TextBox, 0);
inline constexpr const Control& kReport = Find(Kind::TextBox, 1);
inline constexpr const Control& kSieveList = Find(Kind::List, 0);
inline constexpr const Control& kPrimesList = Find(Kind::List, 1);
inline constexpr const Control& kCompute = Find(Kind::Button, 0);
inline constexpr const Control& kClear = Find(Kind::Button, 1);
inline constexpr const Control& kHotSpot = Find(Kind::Label, 4);

// How many controls an array has, for the form's arrays of texts and lists.
constexpr std::size_t Count(Kind kind) {
    std::size_t count = 0;
    for (const Control& control : kControls) {
        count += control.kind == kind;
    }
    return count;
}
inline constexpr std::size_t kTextBoxes = Count(Kind::TextBox);
inline constexpr std::size_t kLists = Count(Kind::List);

// The control's array and index as one name, "Label1_0" or "Text1_1", which
// each face gives it so that it can be found from either side.
std::string Name(const Control& control);

// What a screen reader calls the control in every face: its own name, else
// its caption, else its tooltip.
constexpr std::string_view AccessibleName(const Control& control) {
    if (!control.accessibleName.empty()) {
        return control.accessibleName;
    }
    return control.caption.empty() ? control.tooltip : control.caption;
}

// What a face's script calls a role (the web page's).
std::string_view RoleName(Role role);

// The controls that take the keyboard focus, in tab-index order.
std::vector<const Control*> TabOrder();

// Keeps `text` within `limit` characters by removing the excess just before
// `cursor`, where typing and pasting put new text, a whole character at a
// time; what stood before the edit stays. Returns the new cursor.
std::size_t FitInput(std::u16string& text, std::size_t cursor, std::size_t limit);

// The core ends the report's lines with CR LF, which Windows' edit controls
// show as it is; Qt's text boxes and the browser's want a bare line feed,
// or they show the CR.
std::string WithLineFeeds(std::string_view text);

// The window's caption: the project's address, then what the program does.
std::string Caption();

// What a screen reader calls the window: the caption with the program's
// name for the address, which a synthesiser would spell out letter by letter.
std::string AccessibleCaption();

// What a screen reader is told after a click that changed the lists or the
// report, the focus staying on the button, so that a pupil who cannot see
// them knows: after a compute, the lists' lengths and the report's first
// line; after "Чисти", that all was cleared.
std::string ComputedSummary(int sieved, int primes, std::string_view firstLine);
inline constexpr std::string_view kClearedSummary = "Изчистено.";

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
// A list row's height: the font's line and a pixel, so that every face shows
// the same rows, four and a part of a fifth that says there are more. Set by
// the web page and the Win32 window, scaled with the zoom; Qt's list view
// sizes its rows from the font itself.
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
