// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The real window in a Windows contrast theme, under Wine, which never
// reports one: this program creates the window itself, telling it that a
// theme is on or off as each step below says, sets the system colours in
// its own process alone (the prefix keeps its own), and says that the theme
// changed as Windows does. After each step it reads the window's pixels from
// the screen: without a theme, the table's colours; with one, only the
// system's, each where Windows' own controls put it; after every change at
// once, with the input, the lists and the report as they were.
//
//   contrast_theme [FOLDER]   FOLDER: where to write each step's picture (PPM)
#include "win32/main_window.hpp"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace layout = zemvaro::layout;
using zemvaro::win32::ChildId;

// The black and yellow a pupil might choose.
constexpr std::array<int, 6> kElements = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                          COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT};
using Scheme = std::array<COLORREF, kElements.size()>;
constexpr Scheme kBlackAndYellow = {RGB(0, 0, 0),       RGB(255, 255, 0), RGB(0, 0, 0),
                                    RGB(255, 255, 255), RGB(0, 255, 255), RGB(0, 0, 0)};

enum class SystemColours { Kept, Prefix, BlackAndYellow };

// What each step does, in turn, and what the window must look like after.
struct Step {
    const char* what;
    bool theme;             // what the window is told from now on
    SystemColours colours;  // the system colours set now, which tells the window
    UINT message;           // then sent to it, or 0
    int sameAs;             // the step whose picture this one repeats, or -1
};
constexpr std::array<Step, 6> kSteps = {{
    {"created in the theme", true, SystemColours::BlackAndYellow, 0, -1},
    {"theme off (WM_SETTINGCHANGE)", false, SystemColours::Kept, WM_SETTINGCHANGE, -1},
    {"the prefix's colours (WM_SYSCOLORCHANGE)", false, SystemColours::Prefix, 0, -1},
    {"theme on (WM_THEMECHANGED)", true, SystemColours::Kept, WM_THEMECHANGED, -1},
    {"black and yellow again (WM_SYSCOLORCHANGE)", true, SystemColours::BlackAndYellow, 0, 0},
    {"theme off with its colours (WM_SYSCOLORCHANGE)", false, SystemColours::Prefix, 0, 2},
}};

// A colour as expected: a system colour's index, or one of the table's.
struct Colour {
    int system = -1;
    layout::Rgb table{};
    COLORREF Now() const {
        return system >= 0 ? GetSysColor(system) : RGB(table.red, table.green, table.blue);
    }
};
Colour System(int index) {
    return {index, {}};
}
Colour Table(layout::Rgb rgb) {
    return {-1, rgb};
}

// The colours a part of the window may have: the first the most common, the
// second there at least once, the others allowed.
struct Region {
    const layout::Control* control;  // null: the window around the controls
    std::vector<Colour> themed;
    std::vector<Colour> plain;
};

std::vector<Region> Regions() {
    const Colour window = System(COLOR_WINDOW), text = System(COLOR_WINDOWTEXT);
    const Colour highlight = System(COLOR_HIGHLIGHT), highlightText = System(COLOR_HIGHLIGHTTEXT);
    const Colour background = Table(layout::kBackground), black = Table(layout::kTextColour);
    // The text boxes and lists: without a theme the table's frame around the
    // system's field, in a theme the system's throughout.
    const std::vector<Colour> field = {window, text, highlight, highlightText};
    std::vector<Colour> plainField = field;
    for (layout::Rgb rgb : {layout::kFrameColour, layout::kFieldColour, layout::kFocusColour}) {
        plainField.push_back(Table(rgb));
    }
    std::vector<Region> regions = {{nullptr, {window}, {background}}};
    for (const layout::Control& control : layout::kControls) {
        if (!control.shown) {
            continue;
        }
        switch (control.kind) {
            case layout::Kind::Label:
                regions.push_back({&control, {window, text}, {Table(*control.colour), black}});
                break;
            case layout::Kind::Button: {
                // "Чисти" is held down, "Сметни" is not.
                const bool pressed = &control == &layout::kClear;
                const Colour face =
                    Table(pressed ? layout::Pressed(*control.colour) : *control.colour);
                regions.push_back(
                    {&control,
                     pressed ? std::vector{highlight, highlightText, window, System(COLOR_BTNTEXT)}
                             : std::vector{System(COLOR_BTNFACE), System(COLOR_BTNTEXT), window},
                     {face, black, background, Table(layout::kBorderColour)}});
                break;
            }
            case layout::Kind::List:
            case layout::Kind::TextBox: {
                // The primes list has the focus and its second row is selected.
                std::vector<Colour> themed = field, plain = plainField;
                if (&control == &layout::kPrimesList) {
                    std::swap(themed[1], themed[2]);
                    std::swap(plain[1], plain[2]);
                }
                regions.push_back({&control, themed, plain});
                break;
            }
        }
    }
    return regions;
}

// The window as the screen shows it, row by row from its top left corner.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

Picture Grab(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    Picture picture{r.right - r.left, r.bottom - r.top, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // from the top row down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* bgrx = static_cast<const BYTE*>(bits);
    for (int i = 0; i < picture.width * picture.height; ++i) {
        picture.pixels.push_back(RGB(bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

void Write(const Picture& picture, const std::string& path) {
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
        for (COLORREF pixel : picture.pixels) {
            const unsigned char rgb[3] = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
            std::fwrite(rgb, 1, 3, file);
        }
        std::fclose(file);
    }
}

std::string Hex(COLORREF c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// The region each pixel of the window's picture is checked in, or -1: one
// outside the client area; one of the scroll bars, which Windows draws in a
// theme's colours itself, and Wine in its visual style's whatever the
// colours; or where a label touches a box, which is either's.
std::vector<int> Owners(HWND main, const Picture& picture, const std::vector<Region>& regions) {
    RECT frame{};
    GetWindowRect(main, &frame);
    std::vector<RECT> places, scrollBars;
    for (const Region& region : regions) {
        RECT place{};
        if (region.control != nullptr) {
            const HWND control = GetDlgItem(main, ChildId(*region.control));
            GetWindowRect(control, &place);
            SCROLLBARINFO bar{};
            bar.cbSize = sizeof bar;
            if (GetScrollBarInfo(control, OBJID_VSCROLL, &bar) &&
                !(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
                OffsetRect(&bar.rcScrollBar, -frame.left, -frame.top);
                scrollBars.push_back(bar.rcScrollBar);
            }
        }
        OffsetRect(&place, -frame.left, -frame.top);
        places.push_back(place);
    }
    RECT client{};
    GetClientRect(main, &client);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -frame.left, -frame.top);
    std::vector<int> owners(picture.pixels.size(), -1);
    for (LONG y = client.top; y < client.bottom; ++y) {
        for (LONG x = client.left; x < client.right; ++x) {
            const auto in = [at = POINT{x, y}](const RECT& r) { return PtInRect(&r, at) != FALSE; };
            if (std::count_if(places.begin() + 1, places.end(), in) > 1 ||
                std::any_of(scrollBars.begin(), scrollBars.end(), in)) {
                continue;
            }
            const auto found = std::find_if(places.begin() + 1, places.end(), in);
            owners[static_cast<std::size_t>(y * picture.width + x)] =
                found == places.end() ? 0 : static_cast<int>(found - places.begin());
        }
    }
    return owners;
}

// Why the region's pixels are not as expected; empty when they are.
std::string Check(const Region& region, bool themed, const std::map<COLORREF, int>& counts) {
    const std::vector<Colour>& expected = themed ? region.themed : region.plain;
    std::string why;
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    if (most->first != expected[0].Now()) {
        why += " mostly ";
        why += Hex(most->first) + ", not " + Hex(expected[0].Now()) + ";";
    }
    if (expected.size() > 1 && !counts.contains(expected[1].Now())) {
        why += " no ";
        why += Hex(expected[1].Now()) + ";";
    }
    for (const auto& [colour, count] : counts) {
        bool allowed = false;
        for (const Colour& c : expected) {
            allowed = allowed || c.Now() == colour;
        }
        if (!allowed) {
            why += ' ';
            why += std::to_string(count) + " px of " + Hex(colour) + ";";
        }
    }
    return why;
}

// The table's colours, those a button takes held down and under the pointer too.
std::vector<layout::Rgb> TableColours() {
    std::vector<layout::Rgb> colours = {layout::kBackground,   layout::kTextColour,
                                        layout::kBorderColour, layout::kFocusColour,
                                        layout::kFrameColour,  layout::kFieldColour};
    for (const layout::Control& control : layout::kControls) {
        if (control.colour) {
            for (layout::Rgb rgb : {*control.colour, layout::Pressed(*control.colour),
                                    layout::Hovered(*control.colour)}) {
                colours.push_back(rgb);
            }
        }
    }
    return colours;
}

void SetColours(SystemColours colours, const Scheme& prefix) {
    if (colours != SystemColours::Kept) {
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(),
                     (colours == SystemColours::Prefix ? prefix : kBlackAndYellow).data());
    }
}

// Until the window has drawn what it was told, and Wine has shown it.
void Settle() {
    for (int round = 0; round < 3; ++round) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(100);
    }
}

// '7' computed, the primes list's second row selected and the list focused,
// "Чисти" held down.
void Fill(HWND main) {
    const auto control = [main](const layout::Control& c) { return GetDlgItem(main, ChildId(c)); };
    SetWindowTextW(control(layout::kInput), L"7");
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(ChildId(layout::kCompute), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(layout::kCompute)));
    SetFocus(control(layout::kPrimesList));
    SendMessageW(control(layout::kPrimesList), LB_SETCURSEL, 1, 0);
    SendMessageW(control(layout::kClear), BM_SETSTATE, TRUE, 0);
}

// Why the window's picture is not as the step expects; empty when it is.
// Counts the pixels in colours of the table's that no system colour shares,
// and in the system colours, into `table` and `system`.
std::string Check(const Step& step, const Picture& picture, const std::vector<int>& owners,
                  const std::vector<Region>& regions, const Picture* before, int& table,
                  int& system) {
    std::vector<std::map<COLORREF, int>> counts(regions.size());
    std::string why;
    for (std::size_t i = 0; i < owners.size(); ++i) {
        if (owners[i] >= 0) {
            ++counts[static_cast<std::size_t>(owners[i])][picture.pixels[i]];
            if (before != nullptr && before->pixels[i] != picture.pixels[i] && why.empty()) {
                why = "\n  not as it was, at pixel " + std::to_string(i);
            }
        }
    }
    const std::vector<layout::Rgb> tableColours = TableColours();
    table = system = 0;
    for (std::size_t i = 0; i < regions.size(); ++i) {
        if (const std::string wrong = Check(regions[i], step.theme, counts[i]); !wrong.empty()) {
            why += "\n  " +
                   (regions[i].control ? layout::Name(*regions[i].control) : "the window") + ":" +
                   wrong;
        }
        for (const auto& [colour, count] : counts[i]) {
            const auto is = [colour](COLORREF c) { return c == colour; };
            const bool inSystem = std::any_of(kElements.begin(), kElements.end(),
                                              [&](int e) { return is(GetSysColor(e)); });
            const bool inTable = std::any_of(tableColours.begin(), tableColours.end(),
                                             [&](layout::Rgb rgb) { return is(Table(rgb).Now()); });
            table += inTable && !inSystem ? count : 0;
            system += inSystem ? count : 0;
        }
    }
    if (step.theme && table > 0) {
        why += "\n  " + std::to_string(table) + " px in the table's colours";
    }
    return why;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "";
    Scheme prefix{};
    for (std::size_t i = 0; i < kElements.size(); ++i) {
        prefix[i] = GetSysColor(kElements[i]);
    }
    LoadLibraryW(L"Msftedit.dll");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    bool theme = false;
    std::unique_ptr<zemvaro::win32::MainWindow> window;
    const std::vector<Region> regions = Regions();
    std::vector<int> owners;
    std::vector<Picture> pictures;
    int failures = 0;
    for (const Step& step : kSteps) {
        theme = step.theme;
        SetColours(step.colours, prefix);
        if (!window) {
            window = zemvaro::win32::MainWindow::Create(GetModuleHandleW(nullptr),
                                                        [&theme] { return theme; });
            if (!window) {
                std::puts("FAIL: the window could not be created");
                return 1;
            }
            ShowWindow(window->Handle(), SW_SHOW);
            SetForegroundWindow(window->Handle());
            Settle();
            Fill(window->Handle());
        } else if (step.message != 0) {
            SendMessageW(window->Handle(), step.message,
                         step.message == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
        }
        Settle();
        pictures.push_back(Grab(window->Handle()));
        const std::size_t number = pictures.size() - 1;
        if (!folder.empty()) {
            Write(pictures.back(), folder + "/step" + std::to_string(number) + ".ppm");
        }
        if (owners.empty()) {
            owners = Owners(window->Handle(), pictures.back(), regions);
        }
        int table = 0, system = 0;
        const Picture* before =
            step.sameAs >= 0 ? &pictures[static_cast<std::size_t>(step.sameAs)] : nullptr;
        const std::string why =
            Check(step, pictures.back(), owners, regions, before, table, system);
        std::printf("%s %zu %s: %d px in the table's colours, %d in the system's%s\n",
                    why.empty() ? "ok" : "FAIL", number, step.what, table, system, why.c_str());
        failures += !why.empty();
    }
    SetColours(SystemColours::Prefix, prefix);
    return failures == 0 ? 0 : 1;
}
