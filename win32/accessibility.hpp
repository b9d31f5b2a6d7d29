// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// What a Windows screen reader reads of Zemvaro's window, through MSAA (UI
// Automation falls back to it for Win32 controls). A reader asks the window
// and each control for its object with WM_GETOBJECT; the window answers
// itself: for its own frame and client area, named without the web address,
// and for each control's client area:
//  - a list: an object of ours, role list, named from the layout table, one
//    simple child per row, read on demand from the core's list, so that a
//    refill of twenty thousand rows costs nothing here (row_list.cpp);
//  - any other control: the system's standard object, with only what differs
//    from it replaced: a name, a description, a role and value (annotated.cpp).
// Every object answers RPC_E_DISCONNECTED once its window is gone, and every
// method empties what it gives back before anything else (accessible.hpp,
// the COM side of them all).
//
// What a click changed, a reader is told through a live region: a static
// control whose text is set to it, marked polite for UI Automation, which
// raises EVENT_OBJECT_LIVEREGIONCHANGED each time; under Wine the window
// also raises its list rows' events (events.cpp).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "core/string_list.hpp"

struct IAccPropServices;  // oleacc.h, for those who use it

namespace zemvaro::win32 {

// EVENT_OBJECT_LIVEREGIONCHANGED, which came with Windows 8: the headers give
// it only to programs that need Windows 8, and on Windows 7 no one listens.
inline constexpr DWORD kLiveRegionChanged = 0x8019;

// What a control's object says beyond the standard one; empty or zero: as
// the standard object says.
struct Annotation {
    std::wstring name;
    std::wstring description;
    LONG role = 0;
    // A read-only text box, whose text is its value rather than its name.
    bool textIsValue = false;
};

// The answer to WM_GETOBJECT for `object` (OBJID_CLIENT or OBJID_WINDOW) of
// `window`: the standard object with `annotation` over it. Not positive: no
// answer, leave it to the window.
LRESULT AnswerAnnotated(HWND window, LONG object, WPARAM w, const Annotation& annotation);

// The answer to WM_GETOBJECT for OBJID_CLIENT of a no-data list box that
// shows `rows`, while they last.
LRESULT AnswerRowList(HWND list, WPARAM w, std::wstring name, std::weak_ptr<const StringList> rows);

// Tell readers that `row` (from 0) of the list has the focus, or is
// selected. Windows' own list box raises both events itself; Wine's raises
// neither, and there these do.
void RaiseRowFocus(HWND list, int row);
void RaiseRowSelection(HWND list, int row);

// A place from which readers hear what they are told without the focus
// moving. NVDA says the control's name whenever the event comes; Narrator
// hears it through UI Automation, whose tree leaves out a hidden window: so
// the control is shown, but has no size, and no one sees it.
class LiveRegion {
  public:
    LiveRegion() = default;
    LiveRegion(const LiveRegion&) = delete;
    LiveRegion& operator=(const LiveRegion&) = delete;
    ~LiveRegion() { Forget(); }

    // Makes the control in `parent`, with `id`; false if it cannot be made.
    bool Create(HWND parent, int id);
    // Tells readers `text` once they are done with what they are saying.
    void Say(std::wstring_view text);
    // Takes back the live setting, before the control goes with its parent.
    void Forget();

  private:
    HWND control_ = nullptr;
    // The live setting is given once a reader may hear it: only the first
    // Say sets COM up.
    IAccPropServices* services_ = nullptr;
};

}  // namespace zemvaro::win32
