// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's one window in plain Win32: shows the form's state in the
// controls the layout table describes, and hands every click to the form,
// showing what it changed. It computes nothing itself. main_window.cpp has
// the window and its messages; controls.cpp the controls it draws or whose
// messages it takes first (the frames, the keys, the buttons, the rows);
// colours.hpp the colours it draws them in, the table's or a theme's.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "form/form.hpp"
#include "layout/layout.hpp"
#include "win32/accessibility.hpp"
#include "win32/colours.hpp"

namespace zemvaro::win32 {

// The window class, which is also how other programs find the window.
inline constexpr wchar_t kWindowClass[] = L"Zemvaro";

// Child-window ids: a control's is its index in the table past a base clear
// of IDOK and IDCANCEL, which the dialog keys send; the live region's, which
// is no control of the table, comes after them.
inline constexpr int kFirstChildId = 100;
constexpr int ChildId(const layout::Control& control) {
    return kFirstChildId + static_cast<int>(layout::IndexOf(control));
}
inline constexpr int kLiveRegionId = kFirstChildId + static_cast<int>(layout::kControls.size());
// The control of the table with that child-window id, or null.
constexpr const layout::Control* ControlWithId(int id) {
    const int index = id - kFirstChildId;
    return index >= 0 && index < static_cast<int>(layout::kControls.size())
               ? &layout::kControls[static_cast<std::size_t>(index)]
               : nullptr;
}

class MainWindow {
  public:
    // Creates the window and its controls, not yet shown; null on failure.
    // `contrastTheme` says whether Windows shows a contrast theme, whenever
    // the window needs to know.
    static std::unique_ptr<MainWindow> Create(HINSTANCE instance, ContrastTheme contrastTheme);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_; }

    // Tab moves between the controls as in a dialog; Enter and Escape start
    // nothing. True when the message was dealt with here.
    bool HandleDialogKeys(MSG& message);

  private:
    explicit MainWindow(ContrastTheme contrastTheme);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    bool OnCreate();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    bool OnActivate(WPARAM w);
    void OnCommand(int id, int code);
    LRESULT OnCtlColorStatic(HDC dc, HWND control);
    void OnThemeChanged(UINT message);
    LRESULT OnGetObject(WPARAM w, LPARAM l);

    // controls.cpp
    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM w, LPARAM l);
    void Subclass(HWND control);
    LRESULT HandleControl(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT HandleFramed(const layout::Control& entry, HWND control, UINT message, WPARAM w,
                         LPARAM l);
    LRESULT OnFrameCalcSize(const layout::Control& entry, HWND control, WPARAM w, LPARAM l);
    LRESULT OnFramePaint(const layout::Control& entry, HWND control, WPARAM w, LPARAM l);
    LRESULT OnFrameFocus(bool list, HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT MoveFocusRow(HWND list, UINT message, WPARAM w, LPARAM l);
    // What a screen reader gets for the control's client area.
    LRESULT AnswerScreenReader(const layout::Control& entry, WPARAM w);
    void DrawButton(const DRAWITEMSTRUCT& item);
    void DrawListRow(const DRAWITEMSTRUCT& item);

    bool CreateControls();
    bool CreateControl(const layout::Control& control);
    // The outer size of the window whose client area is the layout's own.
    SIZE SmallestSize() const;
    HWND Control(const layout::Control& control) const;
    // The control of the table that child window is, or null.
    const layout::Control* ControlOf(HWND child) const;
    // Places, sizes and draws every control at the zoom that fits the client area.
    void ApplyZoom();
    void SetFont(const layout::Zoom& zoom);
    void OnClick(const layout::Control& control);
    // Brings the controls a click changed in line with the form.
    void Show(const form::Changes& changes);
    void SetText(const layout::Control& box);
    void Refill(const layout::Control& list);
    void ShowMessage(const std::string& text);

    HWND window_ = nullptr;
    form::Form form_;
    // Every control of the table, at its index in the table.
    std::array<HWND, layout::kControls.size()> control_{};
    LiveRegion said_;
    // Screen readers' objects may outlive the window; they see the lists
    // through this, only for as long as it lives.
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    HWND lastFocus_ = nullptr;  // given back when the window is active again

    UINT dpi_ = 96;
    layout::Zoom zoom_;
    HFONT font_ = nullptr;
    int frame_ = layout::kFocusPixels;  // the framed controls' border, in pixels
    LONG lineHeight_ = 16;              // of a line of text in the font
    Colours colours_;
};

}  // namespace zemvaro::win32
