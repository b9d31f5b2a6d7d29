// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "win32/main_window.hpp"

#include <commctrl.h>
#include <oleacc.h>  // the roles
#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "win32/accessibility.hpp"

namespace zemvaro::win32 {
namespace {

using layout::Kind;

COLORREF ToColorRef(layout::Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// Shared by every window of the class, so it lives as long as the program.
HBRUSH BackgroundBrush() {
    static const HBRUSH brush = CreateSolidBrush(ToColorRef(layout::kBackground));
    return brush;
}

template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    // Cast through void*: the functions' types are only known here.
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(module), name)));
}

// Per-monitor DPI arrived with Windows 10; older systems answer with the
// system's DPI.
UINT DpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    HDC dc = GetDC(window);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The window's outer size for a client area of `client`.
SIZE OuterSize(HWND window, SIZE client, UINT dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi =
        SystemFunction<AdjustForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (adjustForDpi != nullptr) {
        adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
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

class Brush {
  public:
    explicit Brush(layout::Rgb rgb) : brush_(CreateSolidBrush(ToColorRef(rgb))) {}
    ~Brush() { DeleteObject(brush_); }
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;
    operator HBRUSH() const { return brush_; }

  private:
    HBRUSH brush_;
};

}  // namespace

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int size = static_cast<int>(utf16.size());
    std::string narrow(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size,
                                                                    nullptr, 0, nullptr, nullptr)),
                       '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(),
                        static_cast<int>(narrow.size()), nullptr, nullptr);
    return narrow;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance) {
    std::unique_ptr<MainWindow> self(new MainWindow());
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;  // the layout is centred
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = BackgroundBrush();
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    const HWND window =
        CreateWindowExW(0, kWindowClass, Widen(layout::Caption()).c_str(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, self.get());
    if (window == nullptr) {
        return nullptr;
    }
    return self;
}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (HBRUSH brush : labelBrush_) {
        DeleteObject(brush);
    }
    DeleteObject(font_);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, w, l);
    }
    return self->Handle(message, w, l);
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE: {
            dpi_ = DpiOf(window_);
            CreateControls();
            const SIZE outer = SmallestSize();
            SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);  // lays out, through WM_SIZE
            ShowState();
            lastFocus_ = text_[0];
            return 0;
        }
        case WM_SIZE:
            if (w != SIZE_MINIMIZED) {
                ApplyZoom();
            }
            return 0;
        case WM_GETMINMAXINFO: {
            const SIZE outer = SmallestSize();
            reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {outer.cx, outer.cy};
            return 0;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(w);
            const RECT* suggested = reinterpret_cast<RECT*>(l);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyZoom();
            return 0;
        }
        case WM_ACTIVATE:
            // A plain window, unlike a dialog, must keep its focus itself.
            if (LOWORD(w) == WA_INACTIVE) {
                if (const HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) {
                    lastFocus_ = focus;
                }
            } else if (HIWORD(w) == 0 && lastFocus_ != nullptr) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(w), HIWORD(w));
            return 0;
        case WM_CTLCOLORSTATIC:
            for (std::size_t i = 0; i < label_.size(); ++i) {
                if (reinterpret_cast<HWND>(l) == label_[i]) {
                    const auto colour = layout::Find(Kind::Label, static_cast<int>(i)).colour;
                    HDC dc = reinterpret_cast<HDC>(w);
                    SetBkColor(dc, ToColorRef(*colour));
                    SetTextColor(dc, RGB(0, 0, 0));
                    return reinterpret_cast<LRESULT>(labelBrush_[i]);
                }
            }
            break;
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
            if (item->CtlType == ODT_LISTBOX) {
                item->itemHeight = 18;  // set for the font by ApplyZoom
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (item->CtlType == ODT_BUTTON) {
                DrawButton(*item);
            } else if (item->CtlType == ODT_LISTBOX) {
                DrawListRow(*item);
            }
            return TRUE;
        }
        case WM_GETOBJECT: {
            // Named by the program, not by the web address the caption starts
            // with, which a synthesiser would spell out: the frame, and the
            // client area a reader may ask for instead.
            const auto object = static_cast<LONG>(l);
            if (object == OBJID_WINDOW || object == OBJID_CLIENT) {
                Annotation annotation;
                annotation.name = Widen(layout::AccessibleCaption());
                // As Windows' own frame says; Wine's says nothing.
                annotation.role = object == OBJID_WINDOW ? ROLE_SYSTEM_WINDOW : 0;
                if (const LRESULT answer = AnswerAnnotated(window_, object, w, annotation);
                    answer > 0) {
                    return answer;
                }
            }
            break;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;  // nothing left for the destructor to destroy
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

SIZE MainWindow::SmallestSize() const {
    const layout::Rect client =
        layout::ToPixels(layout::kClientArea, layout::Unzoomed(static_cast<int>(dpi_)));
    return OuterSize(window_, {client.width, client.height}, dpi_);
}

HWND& MainWindow::Control(const layout::Control& control) {
    const auto i = static_cast<std::size_t>(control.index);
    switch (control.kind) {
        case Kind::Label:
            return label_[i];
        case Kind::Button:
            return command_[i];
        case Kind::List:
            return list_[i];
        case Kind::TextBox:
            break;
    }
    return text_[i];
}

void MainWindow::CreateControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    // The controls that take the focus first, in tab order, which the dialog
    // keys follow; then the labels, beneath them where they touch.
    std::vector<const layout::Control*> order = layout::TabOrder();
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == Kind::Label) {
            order.push_back(&control);
        }
    }

    for (const layout::Control* control : order) {
        const auto i = static_cast<std::size_t>(control->index);
        const wchar_t* windowClass = L"STATIC";
        DWORD style = WS_CHILD | (control->shown ? WS_VISIBLE : 0);
        switch (control->kind) {
            case Kind::Label:
                style |= SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX;
                labelBrush_[i] = CreateSolidBrush(ToColorRef(*control->colour));
                break;
            case Kind::Button:
                windowClass = L"BUTTON";
                style |= WS_TABSTOP | BS_OWNERDRAW;
                break;
            case Kind::List:
                // No data of its own: rows are drawn from the core's lists as
                // they scroll in, so twenty thousand cost what twenty do.
                windowClass = L"LISTBOX";
                style |= WS_TABSTOP | WS_VSCROLL | LBS_NODATA | LBS_OWNERDRAWFIXED |
                         LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL | LBS_NOTIFY;
                break;
            case Kind::TextBox:
                if (i == 0) {
                    windowClass = L"EDIT";
                    style |= WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
                } else {
                    // RichEdit lays out a long report in half the time the
                    // plain edit control takes, under Wine at least.
                    windowClass = MSFTEDIT_CLASS;
                    style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                             ES_DISABLENOSCROLL | (i == 1 ? ES_READONLY : 0);
                }
                break;
        }
        const HWND handle = CreateWindowExW(
            0, windowClass, Widen(control->caption).c_str(), style, 0, 0, 0, 0, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control->kind, control->index))),
            instance, nullptr);
        Control(*control) = handle;
        if (control->kind != Kind::Label) {
            // Replaced outright rather than through comctl32's subclass
            // chain, which looks itself up by window property on every
            // message, slowly under Wine.
            const auto free =
                std::find(subclassed_.begin(), subclassed_.end(), std::pair<HWND, WNDPROC>{});
            SetWindowLongPtrW(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            *free = {handle,
                     reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                         handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProcedure)))};
        }
    }
    for (std::size_t i = 1; i < text_.size(); ++i) {
        SendMessageW(text_[i], EM_SETTEXTMODE, TM_PLAINTEXT, 0);
        SendMessageW(text_[i], EM_SETTARGETDEVICE, 0, 0);  // wrap at the box's width
        SendMessageW(text_[i], EM_EXLIMITTEXT, 0, 1 << 20);
    }
    SendMessageW(text_[1], EM_SETUNDOLIMIT, 0, 0);  // only the program writes the report
    SendMessageW(text_[2], EM_SETEVENTMASK, 0, ENM_CHANGE);
    // The hot spot is never shown, so it gets no tooltip window, which would
    // only slow the start; its tip is its name for screen readers.
}

void MainWindow::ApplyZoom() {
    RECT client{};
    GetClientRect(window_, &client);
    const layout::Zoom zoom =
        layout::FitClientArea(client.right, client.bottom, static_cast<int>(dpi_));
    const bool rescaled = font_ == nullptr || zoom.pixelsPerTwip != zoom_.pixelsPerTwip;
    zoom_ = zoom;

    HDWP positions = BeginDeferWindowPos(static_cast<int>(layout::kControls.size()));
    for (const layout::Control& control : layout::kControls) {
        const layout::Rect r = layout::ToPixels(control.place, zoom_);
        positions = DeferWindowPos(positions, Control(control), nullptr, r.left, r.top, r.width,
                                   r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(positions);
    InvalidateRect(window_, nullptr, TRUE);
    if (!rescaled) {
        return;
    }

    const layout::Font& f = layout::kFont;
    const HFONT font = CreateFontW(
        -static_cast<int>(std::lround(f.points * zoom_.factor * dpi_ / 72.0)), 0, 0, 0, f.weight,
        FALSE, FALSE, FALSE, static_cast<BYTE>(f.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_ROMAN, Widen(f.family).c_str());
    for (const layout::Control& control : layout::kControls) {
        SendMessageW(Control(control), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    DeleteObject(font_);
    font_ = font;

    HDC dc = GetDC(window_);
    const HGDIOBJ previous = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    lineHeight_ = metrics.tmHeight;
    for (HWND list : list_) {
        SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 1);
    }

    const int margin = layout::ScaledPixels(layout::kTextMarginPixels, zoom_);
    for (std::size_t i = 1; i < text_.size(); ++i) {
        SendMessageW(text_[i], EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELONG(margin, margin));
    }
    frame_ = layout::ScaledPixels(layout::kFocusPixels, zoom_);
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == Kind::List || control.kind == Kind::TextBox) {
            SetWindowPos(
                Control(control), nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    }
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK MainWindow::ControlProcedure(HWND control, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(control, GWLP_USERDATA));
    return self->HandleControl(control, message, w, l);
}

LRESULT MainWindow::Default(HWND control, UINT message, WPARAM w, LPARAM l) const {
    for (const auto& [handle, procedure] : subclassed_) {
        if (handle == control) {
            return CallWindowProcW(procedure, control, message, w, l);
        }
    }
    return DefWindowProcW(control, message, w, l);
}

// Every control that takes the focus: what a screen reader reads of it, and
// for the text boxes and lists, their frame and keys.
LRESULT MainWindow::HandleControl(HWND control, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_GETOBJECT && static_cast<LONG>(l) == OBJID_CLIENT) {
        if (const LRESULT answer = AnswerScreenReader(control, w); answer > 0) {
            return answer;
        }
    } else if (message == WM_NCDESTROY) {
        // The last message: the control leaves with its own procedure.
        const LRESULT result = Default(control, message, w, l);
        for (auto& entry : subclassed_) {
            if (entry.first == control) {
                entry = {};
            }
        }
        return result;
    }
    if (std::find(command_.begin(), command_.end(), control) != command_.end()) {
        return Default(control, message, w, l);
    }
    return HandleFramed(control, message, w, l);
}

// The text boxes and lists draw their own border, as wide as the focus mark:
// grey and white without the focus, dark with it.
LRESULT MainWindow::HandleFramed(HWND control, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_NCCALCSIZE: {
            // The border comes off first; the scroll bar then sits inside it.
            RECT* proposed = w != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(l)->rgrc[0]
                                    : reinterpret_cast<RECT*>(l);
            InflateRect(proposed, -frame_, -frame_);
            if (control == text_[0]) {
                // A one-line edit box writes at its top: centre the line by
                // leaving the rest to the border.
                const LONG spare = std::max(0L, proposed->bottom - proposed->top - lineHeight_);
                proposed->top += spare / 2;
                proposed->bottom =
                    proposed->top + std::min(lineHeight_, proposed->bottom - proposed->top);
            }
            return Default(control, message, w, l);
        }
        case WM_NCPAINT: {
            Default(control, message, w, l);
            RECT rect{};
            GetWindowRect(control, &rect);
            OffsetRect(&rect, -rect.left, -rect.top);
            HDC dc = GetWindowDC(control);
            if (control == text_[0]) {
                FillRect(dc, &rect, Brush(layout::kFieldColour));  // the margins above and below
            }
            if (GetFocus() == control) {
                FrameBand(dc, rect, frame_, Brush(layout::kFocusColour));
            } else {
                const int line = layout::ScaledPixels(layout::kBorderPixels, zoom_);
                FrameBand(dc, rect, line, Brush(layout::kFrameColour));
                InflateRect(&rect, -line, -line);
                FrameBand(dc, rect, frame_ - line, Brush(layout::kFieldColour));
            }
            ReleaseDC(control, dc);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const LRESULT result = Default(control, message, w, l);
            RedrawWindow(control, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            if (message == WM_SETFOCUS && IsList(control) &&
                SendMessageW(control, LB_GETCOUNT, 0, 0) > 0) {
                RaiseRowFocus(control, Caret(control));
            }
            return result;
        }
        case WM_LBUTTONDOWN:
            if (IsList(control)) {
                return MoveFocusRow(control, message, w, l);
            }
            break;
        case WM_GETDLGCODE:
            if (control == text_[1] || control == text_[2]) {
                // Tab leaves the report as it leaves every other stop, and
                // arriving does not select the whole of it.
                return Default(control, message, w, l) &
                       ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_HASSETSEL);
            }
            break;
        case WM_KEYDOWN:
            if (IsList(control)) {
                return MoveFocusRow(control, message, w, l);
            }
            // Ctrl+A selects all, in every edit control and under Wine too.
            if (w == 'A' && GetKeyState(VK_CONTROL) < 0 &&
                (control == text_[0] || control == text_[1] || control == text_[2])) {
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
    return Default(control, message, w, l);
}

// The list's focus row moves with the keys and the mouse only.
LRESULT MainWindow::MoveFocusRow(HWND list, UINT message, WPARAM w, LPARAM l) {
    const int before = Caret(list);
    const LRESULT result = Default(list, message, w, l);
    if (const int after = Caret(list); after != before && GetFocus() == list) {
        RaiseRowFocus(list, after);
    }
    return result;
}

bool MainWindow::HandleDialogKeys(MSG& message) {
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) {
        return false;
    }
    // Neither is a command here. Let through, Enter would reach the dialog
    // keys as IDOK and Escape would make the report box close the window.
    const bool key =
        message.message == WM_KEYDOWN || message.message == WM_KEYUP || message.message == WM_CHAR;
    if (key && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
        return true;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

void MainWindow::OnCommand(int id, int code) {
    const int button = id - ControlId(Kind::Button, 0);
    const int label = id - ControlId(Kind::Label, 0);
    const int list = id - ControlId(Kind::List, 0);
    if (button >= 0 && button < static_cast<int>(command_.size()) && code == BN_CLICKED) {
        try {
            OnCommandClick(state_, static_cast<std::int16_t>(button), *this);
        } catch (const OverflowError&) {
            // The lists are empty and the report is the one from before; say
            // why and go on.
            ShowMessage(std::string(layout::kOverflowMessage));
        }
        ShowState();
    } else if (label >= 0 && label < static_cast<int>(label_.size()) && code == STN_CLICKED) {
        OnLabelClick(state_, static_cast<std::int16_t>(label));
        ShowState();
    } else if (list >= 0 && list < static_cast<int>(list_.size()) && code == LBN_SELCHANGE) {
        const HWND control = list_[static_cast<std::size_t>(list)];
        RaiseRowSelection(control, static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
    } else if (id == ControlId(Kind::TextBox, 0) && code == EN_UPDATE) {
        const std::wstring text = WindowText(text_[0]);
        DWORD cursor = 0;
        SendMessageW(text_[0], EM_GETSEL, 0, reinterpret_cast<LPARAM>(&cursor));
        std::u16string units(text.begin(), text.end());
        cursor = static_cast<DWORD>(layout::FitInput(units, cursor));
        if (units.size() != text.size()) {
            SetWindowTextW(text_[0], std::wstring(units.begin(), units.end()).c_str());
            SendMessageW(text_[0], EM_SETSEL, cursor, cursor);
        }
    } else if (id == ControlId(Kind::TextBox, 0) && code == EN_CHANGE) {
        state_.Text1[0] = Narrow(WindowText(text_[0]));
    } else if (id == ControlId(Kind::TextBox, 2) && code == EN_CHANGE) {
        state_.Text1[2] = shownText_[2] = Narrow(WindowText(text_[2]));
    }
}

void MainWindow::SetText(HWND control, const std::string& text, std::string& shown) {
    if (text == shown) {
        return;
    }
    // Laid out once, not once per line, and drawn once after.
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(control, Widen(text).c_str());
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
    shown = text;
}

void MainWindow::ShowState() {
    if (Narrow(WindowText(text_[0])) != state_.Text1[0]) {
        SetWindowTextW(text_[0], Widen(state_.Text1[0]).c_str());
    }
    SetText(text_[1], state_.Text1[1], shownText_[1]);
    SetText(text_[2], state_.Text1[2], shownText_[2]);
    for (std::size_t i = 0; i < list_.size(); ++i) {
        const int count = state_.List1[i].Count();
        if (count != shownCount_[i]) {
            SendMessageW(list_[i], LB_SETCOUNT, static_cast<WPARAM>(count), 0);
            shownCount_[i] = count;
        } else {
            // Same length, new rows: start again from the top, unselected.
            SendMessageW(list_[i], LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            SendMessageW(list_[i], LB_SETTOPINDEX, 0, 0);
            InvalidateRect(list_[i], nullptr, TRUE);
        }
        // A list keeps the focus through a compute only when a screen reader
        // pressed the button for the user: its rows are new, say which has it.
        if (GetFocus() == list_[i] && count > 0) {
            RaiseRowFocus(list_[i], Caret(list_[i]));
        }
    }
}

void MainWindow::DrawButton(const DRAWITEMSTRUCT& item) {
    const layout::Control& control =
        layout::Find(Kind::Button, static_cast<int>(item.CtlID) - ControlId(Kind::Button, 0));
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, BackgroundBrush());  // behind the rounded corners

    const bool focused = Has(item, ODS_FOCUS);
    const int width =
        layout::ScaledPixels(focused ? layout::kFocusPixels : layout::kBorderPixels, zoom_);
    const HPEN pen = CreatePen(PS_INSIDEFRAME, width,
                               ToColorRef(focused ? layout::kFocusColour : layout::kBorderColour));
    const Brush fill(Has(item, ODS_SELECTED) ? layout::Pressed(*control.colour) : *control.colour);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    const HGDIOBJ oldBrush = SelectObject(dc, fill);
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    const int corner = 2 * layout::ScaledPixels(2, zoom_);
    RoundRect(dc, item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom, corner,
              corner);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
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
    const auto list =
        static_cast<std::size_t>(static_cast<int>(item.CtlID) - ControlId(Kind::List, 0));
    const std::string& entry = state_.List1[list].Item(item.itemID);
    const std::wstring text(entry.begin(), entry.end());  // decimal digits only
    const bool selected = Has(item, ODS_SELECTED);
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const HGDIOBJ oldFont = SelectObject(dc, font_);
    RECT rect = item.rcItem;
    rect.left += layout::ScaledPixels(2, zoom_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

const layout::Control* MainWindow::TableEntry(HWND control) {
    for (const layout::Control& entry : layout::kControls) {
        if (Control(entry) == control) {
            return &entry;
        }
    }
    return nullptr;
}

// An edit box or a list is named after the label before it, which would
// make the input "Естествено:" and leave the lists unnamed; the table names
// them. A list is ours to read out in full: it keeps no text of its own.
LRESULT MainWindow::AnswerScreenReader(HWND control, WPARAM w) {
    const layout::Control* entry = TableEntry(control);
    if (entry == nullptr) {
        return 0;
    }
    if (entry->kind == Kind::List) {
        const auto i = static_cast<std::size_t>(entry->index);
        return AnswerRowList(control, w, Widen(entry->accessibleName),
                             std::shared_ptr<const StringList>(alive_, &state_.List1[i]));
    }
    Annotation annotation;
    annotation.name = Widen(entry->accessibleName);
    if (control == text_[0]) {
        annotation.description = Widen(layout::kInputDescription);
    } else if (entry->kind == Kind::Button) {
        // Drawn by the window, which the standard object takes for a pane.
        annotation.role = ROLE_SYSTEM_PUSHBUTTON;
    } else if (control == text_[1]) {
        annotation.role = ROLE_SYSTEM_TEXT;
        annotation.textIsValue = true;
    }
    return AnswerAnnotated(control, OBJID_CLIENT, w, annotation);
}

void MainWindow::ShowMessage(const std::string& text) {
    // The core may ask in the middle of a command: show what it has done so far.
    ShowState();
    MessageBoxW(window_, Widen(text).c_str(), Widen(layout::kApplicationName).c_str(), MB_OK);
}

std::string MainWindow::DecimalSeparator() const {
    wchar_t separator[8] = {};
    const int length =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, std::size(separator));
    return length > 1 ? Narrow(std::wstring_view(separator, static_cast<std::size_t>(length - 1)))
                      : std::string(".");
}

}  // namespace zemvaro::win32
