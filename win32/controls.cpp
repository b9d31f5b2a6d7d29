// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The controls' side of the window: the text boxes and lists draw their own
// frame and keep their keys as the table's window wants, every control that
// takes the focus answers screen readers, and the buttons and list rows are
// drawn by the window.

#include <oleacc.h>  // the roles

#include <algorithm>

#include "win32/main_window.hpp"
#include "win32/text.hpp"

namespace zemvaro::win32 {
namespace {

using layout::Kind;

// A subclassed control keeps its own procedure in its window data, found in
// one step on every message; the window in its parent's.
WNDPROC Original(HWND control) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

LRESULT CallOriginal(HWND control, UINT message, WPARAM w, LPARAM l) {
    return CallWindowProcW(Original(control), control, message, w, l);
}

// The row (from 0) that has the focus in a list box, or would have it.
int Caret(HWND list) {
    return static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
}

bool Has(const DRAWITEMSTRUCT& item, UINT state) {
    return (item.itemState & state) != 0;
}

// Draws `width` pixels inward from the edge of `rect`, in `brush`.
void FrameBand(HDC dc, RECT rect, int width, HBRUSH brush) {
    for (int i = 0; i < width; ++i) {
        FrameRect(dc, &rect, brush);
        InflateRect(&rect, -1, -1);
    }
}

}  // namespace

void MainWindow::Subclass(HWND control) {
    // Replaced outright rather than through comctl32's subclass chain, which
    // looks itself up by window property on every message, slowly under Wine.
    // Kept before it is replaced, so that no message finds it missing.
    SetWindowLongPtrW(control, GWLP_USERDATA, GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure));
}

LRESULT CALLBACK MainWindow::ControlProcedure(HWND control, UINT message, WPARAM w, LPARAM l) {
    auto* self =
        reinterpret_cast<MainWindow*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA));
    if (self == nullptr) {
        return CallOriginal(control, message, w, l);  // the window is going
    }
    return self->HandleControl(control, message, w, l);
}

// Every control that takes the focus: what a screen reader reads of it, and
// for the text boxes and lists, their frame and keys.
LRESULT MainWindow::HandleControl(HWND control, UINT message, WPARAM w, LPARAM l) {
    const layout::Control* entry = ControlOf(control);
    if (entry == nullptr) {
        return CallOriginal(control, message, w, l);  // no control of the table
    }
    if (message == WM_GETOBJECT && static_cast<LONG>(l) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerScreenReader(*entry, w); answer > 0) {
            return answer;
        }
    }
    if (entry->kind == Kind::Button) {
        return CallOriginal(control, message, w, l);
    }
    return HandleFramed(*entry, control, message, w, l);
}

// The text boxes and lists draw their own border, as wide as the focus mark:
// grey and white without the focus, dark with it.
LRESULT MainWindow::HandleFramed(const layout::Control& entry, HWND control, UINT message, WPARAM w,
                                 LPARAM l) {
    const bool list = entry.kind == Kind::List;
    switch (message) {
        case WM_NCCALCSIZE:
            return OnFrameCalcSize(entry, control, w, l);
        case WM_NCPAINT:
            return OnFramePaint(entry, control, w, l);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            return OnFrameFocus(list, control, message, w, l);
        case WM_LBUTTONDOWN:
            if (list) {
                return MoveFocusRow(control, message, w, l);
            }
            break;
        case WM_GETDLGCODE:
            if (entry.multiLine) {
                // Tab leaves the report as it leaves every other stop, and
                // arriving does not select the whole of it.
                return CallOriginal(control, message, w, l) &
                       ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_HASSETSEL);
            }
            break;
        case WM_KEYDOWN:
            if (list) {
                return MoveFocusRow(control, WM_KEYDOWN, w, l);
            }
            // Ctrl+A selects all, in every edit control and under Wine too.
            if (w == 'A' && GetKeyState(VK_CONTROL) < 0) {
                SendMessageW(control, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
            if (w == 1) {  // the character Ctrl+A types
                return 0;
            }
            break;
        default:
            break;
    }
    return CallOriginal(control, message, w, l);
}

LRESULT MainWindow::OnFrameCalcSize(const layout::Control& entry, HWND control, WPARAM w,
                                    LPARAM l) {
    // The border comes off first; the scroll bar then sits inside it.
    RECT* proposed =
        w != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0] : reinterpret_cast<RECT*>(l);
    InflateRect(proposed, -frame_, -frame_);
    if (entry.kind == Kind::TextBox && !entry.multiLine) {
        // A one-line edit box writes at its top: centre the line by leaving
        // the rest to the border.
        const LONG spare = std::max(0L, proposed->bottom - proposed->top - lineHeight_);
        proposed->top += spare / 2;
        proposed->bottom = proposed->top + std::min(lineHeight_, proposed->bottom - proposed->top);
    }
    return CallOriginal(control, WM_NCCALCSIZE, w, l);
}

LRESULT MainWindow::OnFramePaint(const layout::Control& entry, HWND control, WPARAM w, LPARAM l) {
    CallOriginal(control, WM_NCPAINT, w, l);
    RECT rect{};
    GetWindowRect(control, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    HDC dc = GetWindowDC(control);
    if (entry.kind == Kind::TextBox && !entry.multiLine) {
        FillRect(dc, &rect, colours_.BrushOf(Part::FieldMargin));  // above and below the line
    }
    if (GetFocus() == control) {
        FrameBand(dc, rect, frame_, colours_.BrushOf(Part::Focus));
    } else {
        const int line = layout::ScaledPixels(layout::kBorderPixels, zoom_);
        FrameBand(dc, rect, line, colours_.BrushOf(Part::FieldFrame));
        InflateRect(&rect, -line, -line);
        FrameBand(dc, rect, frame_ - line, colours_.BrushOf(Part::FieldMargin));
    }
    ReleaseDC(control, dc);
    return 0;
}

LRESULT MainWindow::OnFrameFocus(bool list, HWND control, UINT message, WPARAM w, LPARAM l) {
    const LRESULT result = CallOriginal(control, message, w, l);
    RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    if (message == WM_SETFOCUS && list && SendMessageW(control, LB_GETCOUNT, 0, 0) > 0) {
        RaiseRowFocus(control, Caret(control));
    }
    return result;
}

// The list's focus row moves with the keys and the mouse only.
LRESULT MainWindow::MoveFocusRow(HWND list, UINT message, WPARAM w, LPARAM l) {
    const int before = Caret(list);
    const LRESULT result = CallOriginal(list, message, w, l);
    if (const int after = Caret(list); after != before && GetFocus() == list) {
        RaiseRowFocus(list, after);
    }
    return result;
}

// An edit box or a list is named after the label before it, which would
// make the input "Естествено:" and leave the lists unnamed; the table names
// them. A list is ours to read out in full: it keeps no text of its own.
LRESULT MainWindow::AnswerScreenReader(const layout::Control& entry, WPARAM w) {
    const HWND control = Control(entry);
    if (entry.kind == Kind::List) {
        return AnswerRowList(control, w, Widen(layout::AccessibleName(entry)),
                             std::shared_ptr<const StringList>(alive_, &form_.Rows(entry)));
    }
    Annotation annotation;
    annotation.name = Widen(layout::AccessibleName(entry));
    annotation.description = Widen(entry.description);
    switch (entry.role) {
        case layout::Role::Button:
            // Drawn by the window, which the standard object takes for a pane.
            annotation.role = ROLE_SYSTEM_PUSHBUTTON;
            break;
        case layout::Role::Text:
            // The standard object reads a RichEdit box as a pane whose name is
            // all its text; a read-only box's text is its value.
            annotation.role = entry.multiLine ? ROLE_SYSTEM_TEXT : 0;
            annotation.textIsValue = entry.readOnly;
            break;
        default:
            break;
    }
    return AnswerAnnotated(control, OBJID_CLIENT, w, annotation);
}

void MainWindow::DrawButton(const DRAWITEMSTRUCT& item) {
    const layout::Control& control = *ControlWithId(static_cast<int>(item.CtlID));
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, colours_.BrushOf(Part::Background));  // behind the rounded corners

    const bool focused = Has(item, ODS_FOCUS);
    const bool pressed = Has(item, ODS_SELECTED);
    const int width =
        layout::ScaledPixels(focused ? layout::kFocusPixels : layout::kBorderPixels, zoom_);
    const HPEN pen =
        CreatePen(PS_INSIDEFRAME, width, colours_.Of(focused ? Part::Focus : Part::ButtonFrame));
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(
        dc, colours_.BrushOf(pressed ? Part::PressedFace : Part::ButtonFace, &control));
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    // RoundRect takes the corner's width, twice the radius.
    const int corner = 2 * layout::ScaledPixels(layout::kButtonRadiusPixels, zoom_);
    RoundRect(dc, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom, corner,
              corner);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours_.Of(pressed ? Part::PressedText : Part::ButtonText));
    RECT text = item.rcItem;
    const std::wstring caption = Widen(control.caption);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void MainWindow::DrawListRow(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        return;  // an empty list: its border shows the focus
    }
    const layout::Control& list = *ControlWithId(static_cast<int>(item.CtlID));
    const std::string& entry = form_.Rows(list).Item(item.itemID);
    const std::wstring text(entry.begin(), entry.end());  // decimal digits only
    const bool selected = Has(item, ODS_SELECTED);
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, colours_.BrushOf(selected ? Part::Selection : Part::Field));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours_.Of(selected ? Part::SelectionText : Part::FieldText));
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    RECT rect = item.rcItem;
    rect.left += layout::ScaledPixels(layout::kRowInsetPixels, zoom_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

}  // namespace zemvaro::win32
