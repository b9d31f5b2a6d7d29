// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Reads and presses the running zemvaro.exe from a second process in the
// same Wine prefix, for the end-to-end test: by message, which is steadier
// under Wine than its clipboard while a modal box is up, and through MSAA,
// as a Windows screen reader does. Controls go by the table's names.
//
//   reader start          waits for the window; prints ms from process start
//   reader where NAME     prints the control's screen centre
//   reader rect NAME      prints the control's place in the client area
//   reader text NAME      prints the control's text, line ends as LF
//   reader count NAME     prints the list's row count
//   reader place NAME     prints the list's top row and selected row
//   reader size W H       gives the window a client area of W x H pixels
//   reader box            waits for the window's message box (with no window,
//                         any), prints its title, text, buttons and icon,
//                         and presses its first button
//   reader close          closes the window and waits for the program to end
//   reader read           as a screen reader: the window's frame and client
//                         area, role and name; each control: role, name,
//                         value, description, or that it is hidden; the
//                         lists' rows counted through their enumerator, row 4
//                         and the last row named
//   reader events N       waits up to 10 s for N focus or selection events on
//                         list rows and prints the row each names
//   reader live N S       waits up to S seconds for N live-region events of
//                         the window and prints the name of each; "no more
//                         events" when fewer come
#include <initguid.h>  // defines the GUIDs oleacc.h declares, here and once
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win32/accessibility.hpp"
#include "win32/main_window.hpp"
#include "win32/text.hpp"

namespace {

using zemvaro::layout::Kind;
using zemvaro::win32::Narrow;

constexpr UINT kTimeoutMs = 5000;

// The window, once shown.
HWND MainWindow() {
    const HWND window = FindWindowW(zemvaro::win32::kWindowClass, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitFor(const std::function<HWND()>& find, int seconds) {
    for (int i = 0; i < seconds * 1000; ++i) {
        if (const HWND found = find()) {
            return found;
        }
        Sleep(1);
    }
    return nullptr;
}

LRESULT Ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, kTimeoutMs, &answer);
    return static_cast<LRESULT>(answer);
}

// Every line end (CR LF from an edit box, CR alone from a RichEdit) as `end`.
std::string Lines(const std::string& text, const char* end) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines += end;
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        } else {
            lines += text[i];
        }
    }
    return lines;
}

std::string Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(Ask(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return Lines(Narrow(text), "\n");
}

// Takes the string and frees it; line ends as a bar, so one control is one line.
std::string Said(BSTR text) {
    const std::string utf8 = text != nullptr ? Narrow(text) : "(none)";
    SysFreeString(text);
    return Lines(utf8, "|");
}

HWND Control(HWND main, const char* name) {
    const zemvaro::layout::Control* control = zemvaro::layout::Named(name);
    return control != nullptr ? GetDlgItem(main, zemvaro::win32::ChildId(*control)) : nullptr;
}

// The window's message box; with no window (an installer's), the box shown.
HWND MessageBoxOfMain() {
    const HWND main = FindWindowW(zemvaro::win32::kWindowClass, nullptr);
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
        if (IsWindowVisible(box) && (main == nullptr || GetWindow(box, GW_OWNER) == main)) {
            return box;
        }
    }
    return nullptr;
}

int ReportBox() {
    const HWND box = WaitFor(MessageBoxOfMain, 10);
    if (box == nullptr) {
        std::puts("no box");
        return 1;
    }
    std::printf("title: %s\n", Text(box).c_str());
    std::vector<HWND> buttons;
    bool icon = false;
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t windowClass[32] = {};
        GetClassNameW(child, windowClass, 32);
        const auto style = GetWindowLongPtrW(child, GWL_STYLE);
        if (_wcsicmp(windowClass, L"Button") == 0) {
            buttons.push_back(child);
        } else if (_wcsicmp(windowClass, L"Static") == 0) {
            // Wine keeps an icon static even without an icon: ask for the icon.
            if ((style & SS_TYPEMASK) == SS_ICON) {
                icon = icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
            } else if (IsWindowVisible(child)) {
                text += Text(child);
            }
        }
    }
    std::printf("text: %s\nbuttons: %zu\nicon: %s\n", text.c_str(), buttons.size(),
                icon ? "yes" : "no");
    if (!buttons.empty()) {
        PostMessageW(buttons.front(), BM_CLICK, 0, 0);
    }
    for (int i = 0; i < 5000 && IsWindow(box) && IsWindowVisible(box); ++i) {
        Sleep(1);
    }
    return 0;
}

int Start() {
    const HWND main = WaitFor(MainWindow, 60);
    if (main == nullptr) {
        std::puts("no window");
        return 1;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    FILETIME created{}, exited{}, kernel{}, user{};
    if (process == nullptr || !GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        std::puts("shown");
        return 0;
    }
    CloseHandle(process);
    const auto ticks = [](FILETIME t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    std::printf("shown %.0f ms after the process started\n",
                static_cast<double>(ticks(now) - ticks(created)) / 1e4);
    return 0;
}

int Close(HWND main) {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(main, WM_CLOSE, 0, 0);
    const bool ended =
        process != nullptr && WaitForSingleObject(process, kTimeoutMs) == WAIT_OBJECT_0;
    std::puts(ended ? "closed" : "still running");
    return ended ? 0 : 1;
}

VARIANT Child(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string Name(IAccessible* object, LONG id) {
    BSTR name = nullptr;
    object->get_accName(Child(id), &name);
    return Said(name);
}

std::string Role(IAccessible* object, LONG id) {
    VARIANT role;
    VariantInit(&role);
    if (FAILED(object->get_accRole(Child(id), &role)) || role.vt != VT_I4) {
        return "(no role)";
    }
    wchar_t text[64] = {};
    GetRoleTextW(static_cast<DWORD>(role.lVal), text, 64);
    return Narrow(text);
}

void Read(HWND control, LONG id, Kind kind, const char* label) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(id), IID_IAccessible,
                                          reinterpret_cast<void**>(&object)))) {
        std::printf("%s: no object\n", label);
        return;
    }
    std::printf("%s: %s \"%s\"", label, Role(object, CHILDID_SELF).c_str(),
                Name(object, CHILDID_SELF).c_str());
    BSTR value = nullptr;
    if (object->get_accValue(Child(CHILDID_SELF), &value) == S_OK) {
        std::printf(", value \"%s\"", Said(value).c_str());
    }
    BSTR description = nullptr;
    if (object->get_accDescription(Child(CHILDID_SELF), &description) == S_OK) {
        std::printf(", description \"%s\"", Said(description).c_str());
    }
    if (kind == Kind::List) {
        long count = 0;
        object->get_accChildCount(&count);
        // As readers walk a list: all children at once, through its enumerator.
        std::vector<VARIANT> children(static_cast<std::size_t>(count));
        long got = 0;
        AccessibleChildren(object, 0, count, children.data(), &got);
        std::printf(", %ld rows", got);
        for (long row : {4L, got}) {
            if (row >= 1 && row <= got && children[row - 1].vt == VT_I4) {
                const LONG child = children[row - 1].lVal;
                std::printf(", row %ld %s \"%s\"", row, Role(object, child).c_str(),
                            Name(object, child).c_str());
            }
        }
    }
    std::printf("\n");
    object->Release();
}

int ReadWindow(HWND main) {
    Read(main, OBJID_WINDOW, Kind::Label, "window");
    Read(main, OBJID_CLIENT, Kind::Label, "client");
    // Every control, in the table's order, by its table name; one the table
    // does not show, only if it shows all the same.
    for (const zemvaro::layout::Control& control : zemvaro::layout::kControls) {
        const HWND handle = GetDlgItem(main, zemvaro::win32::ChildId(control));
        const std::string name = zemvaro::layout::Name(control);
        if (control.shown || IsWindowVisible(handle)) {
            Read(handle, OBJID_CLIENT, control.kind, name.c_str());
        } else {
            std::printf("%s: hidden\n", name.c_str());
        }
    }
    return 0;
}

struct Event {
    DWORD event;
    HWND window;
    LONG object, child;
};
std::vector<Event> events;

// Hook callbacks re-enter while a reader's own calls wait on the other
// process: only note the event here.
void CALLBACK Noted(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                    DWORD) {
    events.push_back({event, window, object, child});
}

// Hooks events from first to last, then says "listening", for the test to act on.
HWINEVENTHOOK Hook(DWORD first, DWORD last) {
    // Process 0 with the skip flag: Wine delivers nothing to a hook that names
    // the process and skips its own.
    const HWINEVENTHOOK hook = SetWinEventHook(first, last, nullptr, Noted, 0, 0,
                                               WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    std::printf("listening\n");
    std::fflush(stdout);
    return hook;
}

// The events that came since the last call, waiting 50 ms or so for more.
// Those that come while the caller reads these stay for the next call.
std::vector<Event> NextEvents() {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    std::vector<Event> next;
    next.swap(events);
    return next;
}

IAccessible* ObjectOf(const Event& e, LONG& child) {
    IAccessible* object = nullptr;
    VARIANT id;
    if (FAILED(AccessibleObjectFromEvent(e.window, static_cast<DWORD>(e.object),
                                         static_cast<DWORD>(e.child), &object, &id))) {
        return nullptr;
    }
    child = id.lVal;
    return object;
}

ULONGLONG Deadline(int seconds) {
    return GetTickCount64() + 1000ULL * static_cast<ULONGLONG>(seconds);
}

int ListenToRows(HWND main, int wanted) {
    const HWINEVENTHOOK hook = Hook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION);
    for (const ULONGLONG deadline = Deadline(10); GetTickCount64() < deadline;) {
        for (const Event& e : NextEvents()) {
            const zemvaro::layout::Control* list =
                zemvaro::win32::ControlWithId(GetDlgCtrlID(e.window));
            LONG child = 0;
            IAccessible* object = nullptr;
            if (GetParent(e.window) != main || list == nullptr || list->kind != Kind::List ||
                e.object != OBJID_CLIENT || e.child <= 0 ||
                (object = ObjectOf(e, child)) == nullptr) {
                continue;
            }
            std::printf("%s List1(%d) row %ld: %s \"%s\"\n",
                        e.event == EVENT_OBJECT_FOCUS ? "focus" : "selection", list->index, child,
                        Role(object, child).c_str(), Name(object, child).c_str());
            object->Release();
            if (--wanted == 0) {
                UnhookWinEvent(hook);
                return 0;
            }
        }
    }
    UnhookWinEvent(hook);
    std::printf("no more events\n");
    return 1;
}

// What a live region says is its name when the event comes, as NVDA reads it.
int ListenLive(HWND main, int wanted, int seconds) {
    const DWORD live = zemvaro::win32::kLiveRegionChanged;
    const HWINEVENTHOOK hook = Hook(live, live);
    for (const ULONGLONG deadline = Deadline(seconds); GetTickCount64() < deadline && wanted > 0;) {
        for (const Event& e : NextEvents()) {
            LONG child = 0;
            IAccessible* object = nullptr;
            if (GetAncestor(e.window, GA_ROOT) != main ||
                (object = ObjectOf(e, child)) == nullptr) {
                continue;
            }
            std::printf("live: \"%s\"\n", Name(object, child).c_str());
            std::fflush(stdout);
            object->Release();
            --wanted;
        }
    }
    UnhookWinEvent(hook);
    if (wanted > 0) {
        std::printf("no more events\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "start") {
        return Start();
    }
    if (command == "box") {
        return ReportBox();
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HWND main = MainWindow();
    if (main == nullptr) {
        std::puts("no window");
        return 1;
    }
    // Commands on a control by its name: what each prints of it.
    const std::map<std::string, std::function<void(HWND)>> onControl = {
        {"where",
         [](HWND control) {
             RECT r{};
             GetWindowRect(control, &r);
             std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
         }},
        {"rect",
         [main](HWND control) {
             RECT r{};
             GetWindowRect(control, &r);
             MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
             std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
         }},
        {"text", [](HWND control) { std::fputs(Text(control).c_str(), stdout); }},
        {"count",
         [](HWND list) { std::printf("%ld\n", static_cast<long>(Ask(list, LB_GETCOUNT))); }},
        {"place",
         [](HWND list) {
             std::printf("top %ld selected %ld\n", static_cast<long>(Ask(list, LB_GETTOPINDEX)),
                         static_cast<long>(Ask(list, LB_GETCURSEL)));
         }},
    };
    if (const auto found = onControl.find(command); found != onControl.end() && argc == 3) {
        const HWND control = Control(main, argv[2]);
        if (control == nullptr) {
            std::fprintf(stderr, "no control %s\n", argv[2]);
            return 2;
        }
        found->second(control);
        return 0;
    }
    if (command == "size" && argc == 4) {
        RECT r{0, 0, std::atoi(argv[2]), std::atoi(argv[3])};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(main, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(main, GWL_EXSTYLE)));
        SetWindowPos(main, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(main, &r);
        std::printf("%ld %ld\n", r.right, r.bottom);
        return 0;
    }
    if (command == "close") {
        return Close(main);
    }
    if (command == "read") {
        return ReadWindow(main);
    }
    if (command == "events" && argc == 3) {
        return ListenToRows(main, std::atoi(argv[2]));
    }
    if (command == "live" && argc == 4) {
        return ListenLive(main, std::atoi(argv[2]), std::atoi(argv[3]));
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
