// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "win32/accessible.hpp"

namespace zemvaro::win32 {

HRESULT Give(BSTR* out, std::wstring_view text) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT Give(VARIANT* out, LONG value) {
    VariantInit(out);
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT GiveNothing(VARIANT* out) {
    VariantInit(out);
    return S_FALSE;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT STDMETHODCALLTYPE Accessible::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) {
        return E_POINTER;  // as COM has it for every QueryInterface
    }
    // Only our own interfaces: handing out the standard object's would let a
    // reader past what is replaced here.
    *object = Find(id);
    if (*object == nullptr) {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE Accessible::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

void* Accessible::Find(REFIID id) {
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
        return static_cast<IAccessible*>(this);
    }
    if (id == IID_IOleWindow) {
        return static_cast<IOleWindow*>(this);
    }
    return nullptr;
}

bool Accessible::Resolve(const VARIANT& child, Child& resolved) const {
    resolved = {IsSelf(child) ? Child::Self : Child::Other};
    return true;
}

bool ComIsReady() {
    static const bool ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return ready;
}

IAccessible* StandardObject(HWND window, LONG object) {
    IAccessible* standard = nullptr;
    if (!ComIsReady() || FAILED(CreateStdAccessibleObject(window, object, IID_IAccessible,
                                                          reinterpret_cast<void**>(&standard)))) {
        return nullptr;
    }
    return standard;
}

LRESULT Answer(Accessible* object, WPARAM w) {
    const LRESULT result = LresultFromObject(IID_IAccessible, w, static_cast<IAccessible*>(object));
    object->Release();
    return result;
}

}  // namespace zemvaro::win32
