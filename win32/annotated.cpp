// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The window's frame and client area and its plain controls: the standard
// object, with what the table says in place of what it would say itself.
//
// MSAA has its own way to do this without an object of ours: annotation,
// IAccPropServices::SetHwndPropStr for a name or a description. Wine 8's
// oleacc answers it with E_NOTIMPL, so under Wine, where the tests read the
// window, the controls would go unnamed; an object over the standard one
// says the same to readers on Windows and under Wine alike.

#include "win32/accessibility.hpp"
#include "win32/accessible.hpp"
#include "win32/text.hpp"

namespace zemvaro::win32 {
namespace {

class Annotated final : public Accessible {
  public:
    Annotated(HWND window, IAccessible* standard, Annotation annotation)
        : Accessible(window, standard), annotation_(std::move(annotation)) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Own(child, name, !annotation_.name.empty(), annotation_.name,
                   &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Own(child, description, !annotation_.description.empty(), annotation_.description,
                   &IAccessible::get_accDescription);
    }
    // Left to the standard object, a rich edit box reads as a nameless pane
    // whose name is all its text.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        const std::wstring text = annotation_.textIsValue ? WindowText(window_) : std::wstring();
        return Own(child, value, annotation_.textIsValue, text, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Answer(
            child,
            [&](Child c) {
                return c.kind == Child::Self && annotation_.role != 0
                           ? Give(role, annotation_.role)
                           : Pass(&IAccessible::get_accRole, child, role);
            },
            role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = Pass(&IAccessible::get_accState, child, state);
        if (SUCCEEDED(result) && IsSelf(child) && annotation_.textIsValue && state->vt == VT_I4) {
            state->lVal |= STATE_SYSTEM_READONLY;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        // Only the program writes the report.
        return annotation_.textIsValue ? E_ACCESSDENIED
                                       : Pass(&IAccessible::put_accValue, child, value);
    }

  private:
    // `text` for the object itself where the annotation says (`own`); the
    // standard object's answer otherwise.
    HRESULT Own(const VARIANT& child, BSTR* out, bool own, const std::wstring& text,
                HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
        return Answer(
            child,
            [&](Child c) {
                return c.kind == Child::Self && own ? Give(out, text) : Pass(standard, child, out);
            },
            out);
    }

    Annotation annotation_;
};

}  // namespace

LRESULT AnswerAnnotated(HWND window, LONG object, WPARAM w, const Annotation& annotation) {
    IAccessible* standard = StandardObject(window, object);
    return standard != nullptr ? Answer(new Annotated(window, standard, annotation), w) : 0;
}

}  // namespace zemvaro::win32
