// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The COM side of the objects the window gives screen readers (see
// accessibility.hpp): Accessible answers every IAccessible method by passing
// it to the system's standard object of the same window; a kind of control
// replaces only the methods whose answer differs. Each of those starts with
// Answer, which keeps the order of the errors in one place and says what the
// child id names, and then acts on that.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <oleacc.h>
#include <windows.h>

#include <string_view>

namespace zemvaro::win32 {

// What a child id names: the object itself, one of its rows (from 0), or a
// child the standard object knows of, if any.
struct Child {
    enum Kind { Self, Row, Other } kind;
    int row = -1;
};

// Every method empties what it gives back before anything else, so that a
// reader never reads what it passed in, even on failure.
inline void Clear(BSTR* out) {
    *out = nullptr;
}
inline void Clear(IDispatch** out) {
    *out = nullptr;
}
inline void Clear(VARIANT* out) {
    VariantInit(out);
}
inline void Clear(long* out) {
    *out = 0;
}
inline void Clear(UINT* out) {
    *out = 0;
}
inline void Clear(HWND* out) {
    *out = nullptr;
}
inline void Clear(IEnumVARIANT** out) {
    *out = nullptr;
}

HRESULT Give(BSTR* out, std::wstring_view text);
HRESULT Give(VARIANT* out, LONG value);
HRESULT GiveNothing(VARIANT* out);

bool IsSelf(const VARIANT& child);

class Accessible : public IAccessible, public IOleWindow {
  public:
    Accessible(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}
    virtual ~Accessible() { standard_->Release(); }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;

    // Readers call IAccessible directly; nothing here is for scripting.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return Check(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) {
            *info = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // Tells a reader which window the object stands for without a walk.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        const HRESULT checked = Check(window);
        if (checked == S_OK) {
            *window = window_;
        }
        return checked;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // What the standard object says, unchanged.
    // clang-format off
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return Pass(&IAccessible::get_accParent, p); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override { return Pass(&IAccessible::get_accChildCount, n); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** o) override { return Pass(&IAccessible::get_accChild, c, o); }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT c, BSTR* s) override { return Pass(&IAccessible::get_accName, c, s); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* s) override { return Pass(&IAccessible::get_accValue, c, s); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* s) override { return Pass(&IAccessible::get_accDescription, c, s); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* v) override { return Pass(&IAccessible::get_accRole, c, v); }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* v) override { return Pass(&IAccessible::get_accState, c, v); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* s) override { return Pass(&IAccessible::get_accHelp, c, s); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override { return Pass(&IAccessible::get_accHelpTopic, f, c, t); }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* s) override { return Pass(&IAccessible::get_accKeyboardShortcut, c, s); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* v) override { return Pass(&IAccessible::get_accFocus, v); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* v) override { return Pass(&IAccessible::get_accSelection, v); }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* s) override { return Pass(&IAccessible::get_accDefaultAction, c, s); }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT c) override { return Pass(&IAccessible::accSelect, flags, c); }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override { return Pass(&IAccessible::accLocation, x, y, w, h, c); }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT c, VARIANT* v) override { return Pass(&IAccessible::accNavigate, d, c, v); }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* v) override { return Pass(&IAccessible::accHitTest, x, y, v); }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return Pass(&IAccessible::accDoDefaultAction, c); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR s) override { return Pass(&IAccessible::put_accValue, c, s); }
    // clang-format on

  protected:
    virtual void* Find(REFIID id);
    virtual bool Gone() const { return IsWindow(window_) == FALSE; }
    // What `child` names here; false: nothing, which is the caller's
    // mistake. Left to this, any child but the object itself is one the
    // standard object knows of.
    virtual bool Resolve(const VARIANT& child, Child& resolved) const;

    // Every method's errors, in this order: a null place to give back into
    // is the caller's mistake; then every other such place is emptied; then
    // the window may be gone.
    template <typename... Arguments>
    HRESULT Check(Arguments... arguments) {
        if ((IsNull(arguments) || ...)) {
            return E_INVALIDARG;
        }
        (Empty(arguments), ...);
        return Gone() ? RPC_E_DISCONNECTED : S_OK;
    }

    // After Check, a child id that names nothing here; then `act` on what it
    // names, with every place to give back into empty.
    template <typename Act, typename... Out>
    HRESULT Answer(const VARIANT& child, Act act, Out*... out) {
        if (const HRESULT checked = Check(out...); checked != S_OK) {
            return checked;
        }
        Child resolved{Child::Self};
        return Resolve(child, resolved) ? act(resolved) : E_INVALIDARG;
    }

    // The standard object's answer, after Check.
    template <typename... Parameters, typename... Arguments>
    HRESULT Pass(HRESULT (STDMETHODCALLTYPE IAccessible::*method)(Parameters...),
                 Arguments... arguments) {
        if (const HRESULT checked = Check(arguments...); checked != S_OK) {
            return checked;
        }
        return (standard_->*method)(arguments...);
    }

    HWND window_;
    IAccessible* standard_;

  private:
    // Only the places a method gives back into have a Clear.
    template <typename T>
    static bool IsNull(T argument) {
        if constexpr (requires { Clear(argument); }) {
            return argument == nullptr;
        }
        return false;
    }
    template <typename T>
    static void Empty(T argument) {
        if constexpr (requires { Clear(argument); }) {
            Clear(argument);
        }
    }

    ULONG references_ = 1;
};

// The reader's process takes the object across by COM, which the window's
// thread needs set up; only a reader asks, so only then.
bool ComIsReady();

// The system's standard object for `object` of `window`, or null.
IAccessible* StandardObject(HWND window, LONG object);

// The answer to WM_GETOBJECT with a fresh object, which the reader releases.
LRESULT Answer(Accessible* object, WPARAM w);

}  // namespace zemvaro::win32
