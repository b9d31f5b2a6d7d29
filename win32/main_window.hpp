// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's one window in plain Win32: shows the form's state in the
// controls the layout table describes, and hands every click to the form,
// showing what it changed. It computes nothing itself. main_window.cpp has
// the window and its messages; controls.cpp the controls it draws or whose
// messages it takes first (the frames, the keys, the buttons, the rows).
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

namespace zemvaro::win32 {

// The window class, which is also how other programs find the window.
inline constexpr wchar_t kWindowClass[] = L"Zemvaro";

// The child-window id of a control of the table; clear of IDOK and IDCANCEL,
// which the dialog keys send.
constexpr int ControlId(layout::Kind kind, int index) {
    return 100 + 10 * static_cast<int>(kind) + index;
}
// The live region's, which is no control of the table.
inline constexpr int kLiveRegionId = 99;

class MainWindow : public form::Face {
  public:
    // Creates the window and its controls, not yet shown; null on failure.
    static std::unique_ptr<MainWindow> Create(HINSTANCE instance);
    ~MainWindow() override;

    HWND Handle() const { return window_; }

    // Tab moves between the controls as in a dialog; Enter and Escape start
    // nothing. True when the message was dealt with here.
    bool HandleDialogKeys(MSG& message);

    void ShowMessage(const std::string& text, const form::Changes& sofar) override;
    std::string DecimalSeparator() const override;

  private:
    MainWindow() = default;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    bool OnCreate();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    bool OnActivate(WPARAM w);
    void OnCommand(int id, int code);
    LRESULT OnCtlColorStatic(HDC dc, HWND control);
    LRESULT OnGetObject(WPARAM w, LPARAM l);

    // controls.cpp
    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM w, LPARAM l);
    void Subclass(HWND control);
    LRESULT HandleControl(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT HandleFramed(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT OnFrameCalcSize(HWND control, WPARAM w, LPARAM l);
    LRESULT OnFramePaint(HWND control, WPARAM w, LPARAM l);
    LRESULT OnFrameFocus(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT OnFrameKey(HWND control, WPARAM w, LPARAM l);
    LRESULT MoveFocusRow(HWND list, UINT message, WPARAM w, LPARAM l);
    // What a screen reader gets for the control's client area.
    LRESULT AnswerScreenReader(HWND control, WPARAM w);
    void DrawButton(const DRAWITEMSTRUCT& item);
    void DrawListRow(const DRAWITEMSTRUCT& item);

    bool CreateControls();
    // The outer size of the window whose client area is the layout's own.
    SIZE SmallestSize() const;
    HWND& Control(const layout::Control& control);
    HWND Control(const layout::Control& control) const;
    bool IsList(HWND control) const;
    bool IsEdit(HWND control) const;
    // Places, sizes and draws every control at the zoom that fits the client area.
    void ApplyZoom();
    void SetFont(const layout::Zoom& zoom);
    // Brings the controls a click changed in line with the form.
    void Show(const form::Changes& changes);
    void Refill(const layout::Control& list);
    void SetText(const layout::Control& box);

    HWND window_ = nullptr;
    form::Form form_{*this};
    std::array<HWND, layout::kLabels> label_{};
    std::array<HWND, layout::kTextBoxes> text_{};
    std::array<HWND, layout::kButtons> command_{};
    std::array<HWND, layout::kLists> list_{};
    LiveRegion said_;
    // What the text boxes and lists show, to skip resending it.
    std::array<std::string, layout::kTextBoxes> shownText_;
    std::array<int, layout::kLists> shownCount_{};
    // Screen readers' objects may outlive the window; they see the lists
    // through this, only for as long as it lives.
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    HWND lastFocus_ = nullptr;  // given back when the window is active again

    UINT dpi_ = 96;
    layout::Zoom zoom_;
    HFONT font_ = nullptr;
    int frame_ = layout::kFocusPixels;  // the framed controls' border, in pixels
    LONG lineHeight_ = 16;              // of a line of text in the font
    std::array<HBRUSH, layout::kLabels> labelBrush_{};
};

}  // namespace zemvaro::win32
