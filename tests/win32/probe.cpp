// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Reads and presses the running zemvaro.exe from outside, as the end-to-end
// test needs, run in the same Wine prefix. Reading the controls by message is
// steadier under Wine than its clipboard while a modal box is up.
//
//   probe start            waits for the window; prints ms from process start
//   probe where ARRAY N    prints the screen centre of Label1 .. List1 (N)
//   probe text ARRAY N     prints the control's text, line ends as LF
//   probe count N          prints List1(N)'s row count
//   probe place N          prints List1(N)'s top row and selected row
//   probe rect ARRAY N     prints the control's place in the client area
//   probe size W H         gives the window a client area of W x H pixels
//   probe box              waits for a message box, prints its title, text,
//                          buttons and icon, and presses its first button
//   probe close            closes the window and waits for the program to end
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32/main_window.hpp"
#include "win32/text.hpp"

namespace {

using zemvaro::layout::Kind;
using zemvaro::win32::Narrow;

constexpr UINT kTimeoutMs = 5000;

HWND MainWindow() {
    const HWND window = FindWindowW(zemvaro::win32::kWindowClass, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

HWND WaitFor(HWND (*find)(), int seconds) {
    for (int i = 0; i < seconds * 1000; ++i) {
        if (const HWND found = find()) {
            return found;
        }
        Sleep(1);
    }
    return nullptr;
}

std::string Text(HWND window) {
    LRESULT length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                        reinterpret_cast<PDWORD_PTR>(&length));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kTimeoutMs, reinterpret_cast<PDWORD_PTR>(&copied));
    text.resize(static_cast<std::size_t>(copied));
    // CR LF from an edit box, CR alone from a RichEdit: LF either way.
    std::string utf8;
    const std::string raw = Narrow(text);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r') {
            utf8 += '\n';
            i += i + 1 < raw.size() && raw[i + 1] == '\n';
        } else {
            utf8 += raw[i];
        }
    }
    return utf8;
}

Kind KindNamed(const char* name) {
    if (std::strcmp(name, "Label1") == 0)
        return Kind::Label;
    if (std::strcmp(name, "Text1") == 0)
        return Kind::TextBox;
    if (std::strcmp(name, "Command1") == 0)
        return Kind::Button;
    return Kind::List;
}

HWND Control(HWND main, const char* array, const char* index) {
    return GetDlgItem(main, zemvaro::win32::ControlId(KindNamed(array), std::atoi(index)));
}

HWND MessageBoxOfMain() {
    const HWND main = FindWindowW(zemvaro::win32::kWindowClass, nullptr);
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
        if (IsWindowVisible(box) && GetWindow(box, GW_OWNER) == main) {
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
    std::printf("text: %s\n", text.c_str());
    std::printf("buttons: %zu\n", buttons.size());
    std::printf("icon: %s\n", icon ? "yes" : "no");
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

int Close() {
    const HWND main = MainWindow();
    if (main == nullptr) {
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(main, WM_CLOSE, 0, 0);
    const bool ended =
        process != nullptr && WaitForSingleObject(process, kTimeoutMs) == WAIT_OBJECT_0;
    std::puts(ended ? "closed" : "still running");
    return ended ? 0 : 1;
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
    if (command == "close") {
        return Close();
    }
    const HWND main = MainWindow();
    if (main == nullptr) {
        std::puts("no window");
        return 1;
    }
    if (command == "where" && argc == 4) {
        RECT r{};
        GetWindowRect(Control(main, argv[2], argv[3]), &r);
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return 0;
    }
    if (command == "rect" && argc == 4) {
        RECT r{};
        const HWND control = Control(main, argv[2], argv[3]);
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
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
    if (command == "text" && argc == 4) {
        std::fputs(Text(Control(main, argv[2], argv[3])).c_str(), stdout);
        return 0;
    }
    if (command == "place" && argc == 3) {
        const HWND list = Control(main, "List1", argv[2]);
        LRESULT top = 0, selected = 0;
        SendMessageTimeoutW(list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                            reinterpret_cast<PDWORD_PTR>(&top));
        SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                            reinterpret_cast<PDWORD_PTR>(&selected));
        std::printf("top %ld selected %ld\n", static_cast<long>(top), static_cast<long>(selected));
        return 0;
    }
    if (command == "count" && argc == 3) {
        LRESULT count = 0;
        SendMessageTimeoutW(Control(main, "List1", argv[2]), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                            kTimeoutMs, reinterpret_cast<PDWORD_PTR>(&count));
        std::printf("%ld\n", static_cast<long>(count));
        return 0;
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
