// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "win32/main_window.hpp"

#include <commctrl.h>
#include <oleacc.h>  // the roles
#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "win32/text.hpp"

namespace zemvaro::win32 {
namespace {

using layout::Kind;

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

// The user's own, from the Windows settings, asked for at each compute.
std::string UserDecimalSeparator() {
    wchar_t separator[8] = {};
    const int length =
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, std::size(separator));
    return length > 1 ? Narrow(std::wstring_view(separator, static_cast<std::size_t>(length - 1)))
                      : std::string(".");
}

}  // namespace

MainWindow::MainWindow(ContrastTheme contrastTheme)
    : form_(UserDecimalSeparator), colours_(std::move(contrastTheme)) {}

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance, ContrastTheme contrastTheme) {
    std::unique_ptr<MainWindow> self(new MainWindow(std::move(contrastTheme)));
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
    windowClass.hbrBackground = nullptr;  // WM_ERASEBKGND, in the colours now in force
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    // Null when WM_CREATE fails, the window then being destroyed already.
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
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
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
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(w), *reinterpret_cast<const RECT*>(l));
            return 0;
        case WM_ACTIVATE:
            if (OnActivate(w)) {
                return 0;
            }
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(w), HIWORD(w));
            return 0;
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(window_, &client);
            FillRect(reinterpret_cast<HDC>(w), &client, colours_.BrushOf(Part::Background));
            return TRUE;
        }
        case WM_SETTINGCHANGE:
            if (w == SPI_SETHIGHCONTRAST) {
                OnThemeChanged(message);
            }
            break;
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            OnThemeChanged(message);
            break;
        case WM_CTLCOLORSTATIC:
            if (const LRESULT brush =
                    OnCtlColorStatic(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l))) {
                return brush;
            }
            break;
        case WM_MEASUREITEM:
            if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
                item->CtlType == ODT_LISTBOX) {
                item->itemHeight = layout::kRowPixels;  // set for the zoom by SetFont
                return TRUE;
            }
            break;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (item->CtlType == ODT_BUTTON) {
                DrawButton(*item);
            } else if (item->CtlType == ODT_LISTBOX) {
                DrawListRow(*item);
            }
            return TRUE;
        }
        case WM_GETOBJECT:
            if (const LRESULT answer = OnGetObject(w, l); answer > 0) {
                return answer;
            }
            break;
        case WM_DESTROY:
            said_.Forget();
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

bool MainWindow::OnCreate() {
    dpi_ = DpiOf(window_);
    if (!CreateControls()) {
        return false;
    }
    const SIZE outer = SmallestSize();
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);  // lays out, through WM_SIZE
    // The start state, the help text in the report, laid out once the boxes
    // have their size.
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == Kind::TextBox) {
            SetText(control);
        }
    }
    lastFocus_ = Control(layout::kInput);
    return true;
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyZoom();
}

// A plain window, unlike a dialog, must keep its focus itself. True when the
// focus was given back.
bool MainWindow::OnActivate(WPARAM w) {
    if (LOWORD(w) == WA_INACTIVE) {
        if (const HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus)) {
            lastFocus_ = focus;
        }
        return false;
    }
    if (HIWORD(w) == 0 && lastFocus_ != nullptr) {
        SetFocus(lastFocus_);
        return true;
    }
    return false;
}

// The labels in their colours; zero: any other static, left to the system.
LRESULT MainWindow::OnCtlColorStatic(HDC dc, HWND control) {
    const layout::Control* label = ControlOf(control);
    if (label == nullptr || label->kind != Kind::Label) {
        return 0;
    }
    SetBkColor(dc, colours_.Of(Part::LabelFace, label));
    SetTextColor(dc, colours_.Of(Part::LabelText));
    return reinterpret_cast<LRESULT>(colours_.BrushOf(Part::LabelFace, label));
}

// A contrast theme came or went, or the system's colours changed: all the
// window draws itself is drawn again in the colours now in force, at once;
// the controls keep their text and rows.
void MainWindow::OnThemeChanged(UINT message) {
    colours_.Renew();
    if (message == WM_SYSCOLORCHANGE) {
        // Windows tells the top-level windows alone; a window tells its
        // controls, the report's RichEdit among them.
        for (const HWND control : control_) {
            SendMessageW(control, WM_SYSCOLORCHANGE, 0, 0);
        }
    }
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// Named by the program, not by the web address the caption starts with,
// which a synthesiser would spell out: the frame, and the client area a
// reader may ask for instead. Not positive: left to the system.
LRESULT MainWindow::OnGetObject(WPARAM w, LPARAM l) {
    const auto object = static_cast<LONG>(l);
    if (object != OBJID_WINDOW && object != OBJID_CLIENT) {
        return 0;
    }
    Annotation annotation;
    annotation.name = Widen(layout::AccessibleCaption());
    // As Windows' own frame says; Wine's says nothing.
    annotation.role = object == OBJID_WINDOW ? ROLE_SYSTEM_WINDOW : 0;
    return AnswerAnnotated(window_, object, w, annotation);
}

SIZE MainWindow::SmallestSize() const {
    const layout::Rect client =
        layout::ToPixels(layout::kClientArea, layout::Unzoomed(static_cast<int>(dpi_)));
    return OuterSize(window_, {client.width, client.height}, dpi_);
}

HWND MainWindow::Control(const layout::Control& control) const {
    return control_[layout::IndexOf(control)];
}

const layout::Control* MainWindow::ControlOf(HWND child) const {
    const layout::Control* control = ControlWithId(GetDlgCtrlID(child));
    return control != nullptr && Control(*control) == child ? control : nullptr;
}

bool MainWindow::CreateControls() {
    // The controls that take the focus first, in tab order, which the dialog
    // keys follow; then the labels, beneath them where they touch.
    std::vector<const layout::Control*> order = layout::TabOrder();
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == Kind::Label) {
            order.push_back(&control);
        }
    }
    for (const layout::Control* control : order) {
        if (!CreateControl(*control)) {
            return false;
        }
    }
    // Then the live region, which is no control of the table.
    return said_.Create(window_, kLiveRegionId);
}

bool MainWindow::CreateControl(const layout::Control& control) {
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | (control.shown ? WS_VISIBLE : 0);
    switch (control.kind) {
        case Kind::Label:
            // No tooltip window for the hot spot's tip: the hot spot is never
            // shown, and the window would only slow the start.
            style |= SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX;
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
            style |= WS_TABSTOP | (control.readOnly ? ES_READONLY : 0);
            if (control.multiLine) {
                // RichEdit lays out a long report in half the time the plain
                // edit control takes, under Wine at least.
                windowClass = MSFTEDIT_CLASS;
                style |= WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_DISABLENOSCROLL;
            } else {
                windowClass = L"EDIT";
                style |= ES_CENTER | ES_AUTOHSCROLL;
            }
            break;
    }
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    const HWND handle = CreateWindowExW(
        0, windowClass, Widen(control.caption).c_str(), style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildId(control))), instance, nullptr);
    if (handle == nullptr) {
        return false;
    }
    control_[layout::IndexOf(control)] = handle;
    if (control.kind == Kind::Label) {
        return true;
    }
    Subclass(handle);
    if (control.kind == Kind::TextBox && control.multiLine) {
        SendMessageW(handle, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
        SendMessageW(handle, EM_SETTARGETDEVICE, 0, 0);  // wrap at the box's width
        SendMessageW(handle, EM_EXLIMITTEXT, 0, 1 << 20);
        // A RichEdit box tells of typing only when asked to; one that only
        // the program writes keeps no undo.
        SendMessageW(handle, control.readOnly ? EM_SETUNDOLIMIT : EM_SETEVENTMASK, 0,
                     control.readOnly ? 0 : ENM_CHANGE);
    }
    return true;
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
    SetFont(zoom_);
    const int margin = layout::ScaledPixels(layout::kTextMarginPixels, zoom_);
    for (const layout::Control& control : layout::kControls) {
        if (control.multiLine) {
            SendMessageW(Control(control), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                         MAKELONG(margin, margin));
        }
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

// The table's font at the zoom, on every control, and the lists' rows at the
// table's height at the zoom.
void MainWindow::SetFont(const layout::Zoom& zoom) {
    const layout::Font& f = layout::kFont;
    const HFONT font = CreateFontW(
        -static_cast<int>(std::lround(f.points * zoom.factor * dpi_ / 72.0)), 0, 0, 0, f.weight,
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
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == Kind::List) {
            SendMessageW(Control(control), LB_SETITEMHEIGHT, 0,
                         layout::ScaledPixels(layout::kRowPixels, zoom));
        }
    }
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
    const layout::Control* control = ControlWithId(id);
    if (control == nullptr) {
        return;
    }
    const HWND handle = Control(*control);
    if ((control->kind == Kind::Button && code == BN_CLICKED) ||
        (control->kind == Kind::Label && code == STN_CLICKED)) {
        OnClick(*control);
    } else if (control->kind == Kind::List && code == LBN_SELCHANGE) {
        RaiseRowSelection(handle, static_cast<int>(SendMessageW(handle, LB_GETCURSEL, 0, 0)));
    } else if (control->maxLength > 0 && code == EN_UPDATE) {
        const std::wstring text = WindowText(handle);
        DWORD cursor = 0;
        SendMessageW(handle, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&cursor));
        std::u16string units(text.begin(), text.end());
        cursor = static_cast<DWORD>(layout::FitInput(units, cursor, control->maxLength));
        if (units.size() != text.size()) {
            SetWindowTextW(handle, std::wstring(units.begin(), units.end()).c_str());
            SendMessageW(handle, EM_SETSEL, cursor, cursor);
        }
    } else if (control->kind == Kind::TextBox && code == EN_CHANGE) {
        form_.Type(*control, Narrow(WindowText(handle)));
    }
}

void MainWindow::OnClick(const layout::Control& control) {
    const form::Outcome outcome = form_.Click(control);
    // Each box over the window as the click had left it when the box came.
    for (const form::Box& box : outcome.boxes) {
        Show(box.beneath);
        ShowMessage(box.text);
    }
    Show(outcome.changes);
    said_.Say(Widen(outcome.summary));
}

void MainWindow::Show(const form::Changes& changes) {
    for (const layout::Control& control : layout::kControls) {
        const auto i = static_cast<std::size_t>(control.index);
        if (control.kind == Kind::TextBox && changes.texts[i]) {
            SetText(control);
        } else if (control.kind == Kind::List && changes.lists[i]) {
            Refill(control);
        }
    }
    if (changes.reportFromStart) {
        // From its first line, where a pupil or a screen reader entering it begins.
        const HWND report = Control(layout::kReport);
        SendMessageW(report, EM_SETSEL, 0, 0);
        SendMessageW(report, WM_VSCROLL, SB_TOP, 0);
    }
}

// Shows the form's text of `box`, laid out once, not once per line, and
// drawn once after. Not for a hidden box: WM_SETREDRAW would show it.
void MainWindow::SetText(const layout::Control& box) {
    const HWND control = Control(box);
    const bool shown = (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) {
        SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    }
    SetWindowTextW(control, Widen(form_.Text(box)).c_str());
    if (shown) {
        SendMessageW(control, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control, nullptr, TRUE);
    }
}

// The list's rows are new: from the top, unselected.
void MainWindow::Refill(const layout::Control& list) {
    const HWND control = Control(list);
    const int count = form_.Rows(list).Count();
    SendMessageW(control, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
    SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(control, LB_SETTOPINDEX, 0, 0);
    InvalidateRect(control, nullptr, TRUE);
    // A list keeps the focus through a compute only when a screen reader
    // pressed the button for the user: its rows are new, say which has it.
    if (GetFocus() == control && count > 0) {
        RaiseRowFocus(control, static_cast<int>(SendMessageW(control, LB_GETCARETINDEX, 0, 0)));
    }
}

void MainWindow::ShowMessage(const std::string& text) {
    MessageBoxW(window_, Widen(text).c_str(), Widen(layout::kApplicationName).c_str(), MB_OK);
}

}  // namespace zemvaro::win32
