// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// What the window tells readers without being asked: a list row's focus and
// selection where the list box does not, and what a click changed, through
// the live region.

#include <initguid.h>  // defines the GUIDs oleacc.h declares, here and once
#include <oleacc.h>

#include "win32/accessibility.hpp"
#include "win32/accessible.hpp"

namespace zemvaro::win32 {
namespace {

// The live setting's property, which MinGW's headers lack: UI Automation's
// LiveSetting_Property_GUID.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d,
            0x58, 0xeb);
constexpr LONG kPolite = 1;  // UI Automation's LiveSetting Polite

// Windows' own list box raises EVENT_OBJECT_FOCUS and EVENT_OBJECT_SELECTION
// for its rows as the keys and the mouse move them, which is how a reader
// follows a list; ours would make it say each row twice. Wine's list box (as
// of Wine 8) raises neither, and there the window raises them itself. Wine is
// told by its own export from ntdll, which no Windows has. The test hears the
// window's events under Wine; that Windows' own arrive for a no-data,
// owner-drawn list box as they do for others only a real Windows can show.
bool ListRaisesRowEvents() {
    static const bool raises =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
    return raises;
}

}  // namespace

void RaiseRowFocus(HWND list, int row) {
    if (row >= 0 && !ListRaisesRowEvents()) {
        NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, row + 1);
    }
}

void RaiseRowSelection(HWND list, int row) {
    if (row >= 0 && !ListRaisesRowEvents()) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, list, OBJID_CLIENT, row + 1);
    }
}

bool LiveRegion::Create(HWND parent, int id) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    control_ =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    return control_ != nullptr;
}

void LiveRegion::Say(std::wstring_view text) {
    if (control_ == nullptr || text.empty()) {
        return;
    }
    // The live setting is for UI Automation, through which Narrator hears
    // the region. Wine 8 answers annotation with E_NOTIMPL; NVDA, which
    // speaks the event's object by name, needs no setting.
    if (services_ == nullptr && ComIsReady() &&
        SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&services_)))) {
        VARIANT polite;
        Give(&polite, kPolite);
        services_->SetHwndProp(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                               kLiveSettingProperty, polite);
    }
    // The text first, which a reader reads as the control's name when the
    // event arrives; the same words twice are said twice.
    SetWindowTextW(control_, std::wstring(text).c_str());
    NotifyWinEvent(kLiveRegionChanged, control_, OBJID_CLIENT, CHILDID_SELF);
}

void LiveRegion::Forget() {
    if (services_ != nullptr) {
        if (IsWindow(control_)) {
            MSAAPROPID property = kLiveSettingProperty;
            services_->ClearHwndProps(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      &property, 1);
        }
        services_->Release();
        services_ = nullptr;
    }
    control_ = nullptr;
}

}  // namespace zemvaro::win32
