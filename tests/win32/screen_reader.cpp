// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Reads the running zemvaro.exe through MSAA from a second process, as a
// Windows screen reader does, and prints what it hears.
//
//   screen_reader read     the window's frame and client area: role and name;
//                          each control: role, name, value, description; the
//                          lists' rows counted through their enumerator, row
//                          4 and the last row named
//   screen_reader events N waits up to 10 s for N focus or selection events
//                          on list rows and prints the row each names
//   screen_reader live N S waits up to S seconds for N live-region events of
//                          the window and prints the name of each; "no more
//                          events" when fewer come
#include <initguid.h>  // defines the GUIDs oleacc.h declares, here and once
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/main_window.hpp"
#include "win32/text.hpp"

namespace {

using zemvaro::layout::Kind;
using zemvaro::win32::ControlId;
using zemvaro::win32::Narrow;

VARIANT Child(LONG id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

// Takes the string and frees it; line ends as a bar, so one control is one line.
std::string Text(BSTR text) {
    std::string utf8 = text != nullptr ? Narrow(text) : "(none)";
    SysFreeString(text);
    std::string flat;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' || utf8[i] == '\n') {
            flat += '|';
            i += utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n';
        } else {
            flat += utf8[i];
        }
    }
    return flat;
}

std::string Name(IAccessible* object, LONG id) {
    BSTR name = nullptr;
    object->get_accName(Child(id), &name);
    return Text(name);
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
        std::printf(", value \"%s\"", Text(value).c_str());
    }
    BSTR description = nullptr;
    if (object->get_accDescription(Child(CHILDID_SELF), &description) == S_OK) {
        std::printf(", description \"%s\"", Text(description).c_str());
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
                const LONG id = children[row - 1].lVal;
                std::printf(", row %ld %s \"%s\"", row, Role(object, id).c_str(),
                            Name(object, id).c_str());
            }
        }
    }
    std::printf("\n");
    object->Release();
}

struct Event {
    DWORD event;
    HWND window;
    LONG object, child;
};
std::vector<Event> events;

// EVENT_OBJECT_LIVEREGIONCHANGED, which the headers give only to programs
// that need Windows 8.
constexpr DWORD kLiveRegionChanged = 0x8019;

// Hook callbacks re-enter while a reader's own calls wait on the other
// process: only note the event here.
void CALLBACK Noted(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                    DWORD) {
    events.push_back({event, window, object, child});
}

int Listen(HWND main, int wanted) {
    // Process 0 with the skip flag: Wine delivers nothing to a hook that names
    // the process and skips its own.
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, Noted, 0, 0,
                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    std::printf("listening\n");
    std::fflush(stdout);
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        for (std::size_t i = 0; i < events.size(); ++i) {
            const Event e = events[i];
            const int list = GetDlgCtrlID(e.window) - ControlId(Kind::List, 0);
            if (GetParent(e.window) != main || list < 0 || list > 1 || e.object != OBJID_CLIENT ||
                e.child <= 0) {
                continue;
            }
            IAccessible* object = nullptr;
            VARIANT child;
            if (FAILED(AccessibleObjectFromEvent(e.window, static_cast<DWORD>(e.object),
                                                 static_cast<DWORD>(e.child), &object, &child))) {
                continue;
            }
            std::printf("%s List1(%d) row %ld: %s \"%s\"\n",
                        e.event == EVENT_OBJECT_FOCUS ? "focus" : "selection", list, child.lVal,
                        Role(object, child.lVal).c_str(), Name(object, child.lVal).c_str());
            object->Release();
            if (--wanted == 0) {
                UnhookWinEvent(hook);
                return 0;
            }
        }
        events.clear();
    }
    UnhookWinEvent(hook);
    std::printf("no more events\n");
    return 1;
}

// What a live region says is its name when the event comes, as NVDA reads it.
int ListenLive(HWND main, int wanted, int seconds) {
    const HWINEVENTHOOK hook =
        SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, Noted, 0, 0,
                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    std::printf("listening\n");
    std::fflush(stdout);
    const ULONGLONG deadline = GetTickCount64() + 1000ULL * static_cast<ULONGLONG>(seconds);
    while (GetTickCount64() < deadline && wanted > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        for (const Event& e : events) {
            IAccessible* object = nullptr;
            VARIANT child;
            if (GetAncestor(e.window, GA_ROOT) != main ||
                FAILED(AccessibleObjectFromEvent(e.window, static_cast<DWORD>(e.object),
                                                 static_cast<DWORD>(e.child), &object, &child))) {
                continue;
            }
            std::printf("live: \"%s\"\n", Name(object, child.lVal).c_str());
            std::fflush(stdout);
            object->Release();
            --wanted;
        }
        events.clear();
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
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const HWND main = FindWindowW(zemvaro::win32::kWindowClass, nullptr);
    if (main == nullptr) {
        std::puts("no window");
        return 1;
    }
    if (command == "read") {
        Read(main, OBJID_WINDOW, Kind::Label, "window");
        Read(main, OBJID_CLIENT, Kind::Label, "client");
        // Every control shown, in the table's order, by its table name.
        for (const zemvaro::layout::Control& control : zemvaro::layout::kControls) {
            if (control.shown) {
                Read(GetDlgItem(main, ControlId(control.kind, control.index)), OBJID_CLIENT,
                     control.kind, zemvaro::layout::Name(control).c_str());
            }
        }
        return 0;
    }
    if (command == "events" && argc == 3) {
        return Listen(main, std::atoi(argv[2]));
    }
    if (command == "live" && argc == 4) {
        return ListenLive(main, std::atoi(argv[2]), std::atoi(argv[3]));
    }
    std::fprintf(stderr, "unknown command\n");
    return 2;
}
