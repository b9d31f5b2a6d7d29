// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's one window in plain Win32: shows the core's FormState in the
// controls the layout table describes, and turns clicks into the core's
// commands. It computes nothing itself. Texts are UTF-8 in the core and
// UTF-16 here, at the W functions.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "core/zemvaro.hpp"
#include "layout/layout.hpp"

namespace zemvaro::win32 {

// The window class, which is also how other programs find the window.
inline constexpr wchar_t kWindowClass[] = L"Zemvaro";

// The child-window id of a control of the table; clear of IDOK and IDCANCEL,
// which the dialog keys send.
constexpr int ControlId(layout::Kind kind, int index) {
    return 100 + 10 * static_cast<int>(kind) + index;
}

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
std::wstring WindowText(HWND window);

class MainWindow : public Host {
  public:
    // Creates the window and its controls, not yet shown; null on failure.
    static std::unique_ptr<MainWindow> Create(HINSTANCE instance);
    ~MainWindow() override;

    HWND Handle() const { return window_; }

    // Tab moves between the controls as in a dialog; Enter and Escape start
    // nothing. True when the message was dealt with here.
    bool HandleDialogKeys(MSG& message);

    void ShowMessage(const std::string& text) override;
    std::string DecimalSeparator() const override;

  private:
    MainWindow() = default;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    LRESULT HandleControl(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT HandleFramed(HWND control, UINT message, WPARAM w, LPARAM l);
    LRESULT MoveFocusRow(HWND list, UINT message, WPARAM w, LPARAM l);
    bool IsList(HWND control) const { return control == list_[0] || control == list_[1]; }
    // The control's own procedure, for what HandleControl leaves to it.
    LRESULT Default(HWND control, UINT message, WPARAM w, LPARAM l) const;
    // What a screen reader gets for the control's client area.
    LRESULT AnswerScreenReader(HWND control, WPARAM w);

    void CreateControls();
    // The outer size of the window whose client area is the layout's own.
    SIZE SmallestSize() const;
    HWND& Control(const layout::Control& control);
    // Places, sizes and draws every control at the zoom that fits the client area.
    void ApplyZoom();
    void OnCommand(int id, int code);
    // Brings every control in line with state_.
    void ShowState();
    void SetText(HWND control, const std::string& text, std::string& shown);
    void DrawButton(const DRAWITEMSTRUCT& item);
    void DrawListRow(const DRAWITEMSTRUCT& item);
    const layout::Control* TableEntry(HWND control);

    HWND window_ = nullptr;
    FormState state_;
    std::array<HWND, 5> label_{};
    std::array<HWND, 3> text_{};
    std::array<HWND, 2> command_{};
    std::array<HWND, 2> list_{};
    std::array<std::string, 3> shownText_;  // what the text boxes show, to skip resending it
    std::array<int, 2> shownCount_{};
    // The controls that take the focus, and their own procedures.
    std::array<std::pair<HWND, WNDPROC>, 7> subclassed_{};
    // Screen readers' objects may outlive the window; they see the lists
    // through this, only for as long as it lives.
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    HWND lastFocus_ = nullptr;  // given back when the window is active again

    UINT dpi_ = 96;
    layout::Zoom zoom_;
    HFONT font_ = nullptr;
    int frame_ = layout::kFocusPixels;  // the framed controls' border, in pixels
    LONG lineHeight_ = 16;              // of a line of text in the font
    HBRUSH background_ = nullptr;
    std::array<HBRUSH, 5> labelBrush_{};
};

}  // namespace zemvaro::win32
