// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "win32/accessibility.hpp"

#include <initguid.h>  // defines the GUIDs oleacc.h declares, here and once
#include <oleacc.h>

#include <algorithm>
#include <utility>

#include "win32/text.hpp"

namespace zemvaro::win32 {
namespace {

// The live setting's property, which MinGW's headers lack: UI Automation's
// LiveSetting_Property_GUID.
DEFINE_GUID(kLiveSettingProperty, 0xc12bcd8e, 0x2a8e, 0x4950, 0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d,
            0x58, 0xeb);
constexpr LONG kPolite = 1;  // UI Automation's LiveSetting Polite

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Every method first empties what it gives back, so that a reader never
// reads what it passed in, even on failure; a null place is the reader's
// mistake.
void Clear(BSTR* out) {
    *out = nullptr;
}
void Clear(IDispatch** out) {
    *out = nullptr;
}
void Clear(VARIANT* out) {
    VariantInit(out);
}
void Clear(long* out) {
    *out = 0;
}
void Clear(UINT* out) {
    *out = 0;
}
void Clear(HWND* out) {
    *out = nullptr;
}
void Clear(IEnumVARIANT** out) {
    *out = nullptr;
}
template <typename... Out>
bool Cleared(Out*... out) {
    if (((out == nullptr) || ...)) {
        return false;
    }
    (Clear(out), ...);
    return true;
}

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

// COM's bookkeeping, and every IAccessible method answered by the system's
// standard object of the same window; the two kinds below replace what
// differs.
class Accessible : public IAccessible, public IOleWindow {
  public:
    Accessible(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}
    virtual ~Accessible() { standard_->Release(); }
    Accessible(const Accessible&) = delete;
    Accessible& operator=(const Accessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) {
            return E_POINTER;  // as COM has it for every QueryInterface
        }
        // Only our own interfaces: handing out the standard object's would
        // let a reader past what is replaced here.
        *object = Find(id);
        if (*object == nullptr) {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // Readers call IAccessible directly; nothing here is for scripting.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return Cleared(count) ? S_OK : E_INVALIDARG;
    }
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
        if (!Cleared(window)) {
            return E_INVALIDARG;
        }
        *window = window_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Cleared(parent) ? Standard(&IAccessible::get_accParent, parent) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return Cleared(count) ? Standard(&IAccessible::get_accChildCount, count) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return Cleared(object) ? Standard(&IAccessible::get_accChild, child, object) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Cleared(name) ? Standard(&IAccessible::get_accName, child, name) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Cleared(value) ? Standard(&IAccessible::get_accValue, child, value) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return Cleared(description) ? Standard(&IAccessible::get_accDescription, child, description)
                                    : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Cleared(role) ? Standard(&IAccessible::get_accRole, child, role) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Cleared(state) ? Standard(&IAccessible::get_accState, child, state) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return Cleared(help) ? Standard(&IAccessible::get_accHelp, child, help) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return Cleared(file, topic) ? Standard(&IAccessible::get_accHelpTopic, file, child, topic)
                                    : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Cleared(shortcut) ? Standard(&IAccessible::get_accKeyboardShortcut, child, shortcut)
                                 : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return Cleared(child) ? Standard(&IAccessible::get_accFocus, child) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return Cleared(children) ? Standard(&IAccessible::get_accSelection, children)
                                 : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Cleared(action) ? Standard(&IAccessible::get_accDefaultAction, child, action)
                               : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return Standard(&IAccessible::accSelect, flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return Cleared(left, top, width, height)
                   ? Standard(&IAccessible::accLocation, left, top, width, height, child)
                   : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return Cleared(end) ? Standard(&IAccessible::accNavigate, direction, start, end)
                            : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return Cleared(child) ? Standard(&IAccessible::accHitTest, x, y, child) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Standard(&IAccessible::accDoDefaultAction, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return Standard(&IAccessible::put_accValue, child, value);
    }

  protected:
    virtual void* Find(REFIID id) {
        if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
            return static_cast<IAccessible*>(this);
        }
        if (id == IID_IOleWindow) {
            return static_cast<IOleWindow*>(this);
        }
        return nullptr;
    }

    bool Gone() const { return IsWindow(window_) == FALSE; }

    template <typename... Parameters, typename... Arguments>
    HRESULT Standard(HRESULT (STDMETHODCALLTYPE IAccessible::*method)(Parameters...),
                     Arguments... arguments) {
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        return (standard_->*method)(arguments...);
    }

    HWND window_;
    IAccessible* standard_;

  private:
    ULONG references_ = 1;
};

// A standard control, with what the annotation says in place of its own.
class Annotated final : public Accessible {
  public:
    Annotated(HWND window, IAccessible* standard, Annotation annotation)
        : Accessible(window, standard), annotation_(std::move(annotation)) {}

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (IsSelf(child) && !annotation_.name.empty()) {
            return Own(name, annotation_.name);
        }
        return Accessible::get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (IsSelf(child) && !annotation_.description.empty()) {
            return Own(description, annotation_.description);
        }
        return Accessible::get_accDescription(child, description);
    }
    // Left to the standard object, a rich edit box reads as a nameless pane
    // whose name is all its text.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (IsSelf(child) && annotation_.textIsValue) {
            return Own(value, Gone() ? std::wstring() : WindowText(window_));
        }
        return Accessible::get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (IsSelf(child) && annotation_.role != 0) {
            if (!Cleared(role)) {
                return E_INVALIDARG;
            }
            return Gone() ? RPC_E_DISCONNECTED : Give(role, annotation_.role);
        }
        return Accessible::get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = Accessible::get_accState(child, state);
        if (SUCCEEDED(result) && IsSelf(child) && annotation_.textIsValue && state->vt == VT_I4) {
            state->lVal |= STATE_SYSTEM_READONLY;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        // Only the program writes the report.
        return annotation_.textIsValue ? E_ACCESSDENIED : Accessible::put_accValue(child, value);
    }

  private:
    HRESULT Own(BSTR* out, std::wstring_view text) {
        if (!Cleared(out)) {
            return E_INVALIDARG;
        }
        return Gone() ? RPC_E_DISCONNECTED : Give(out, text);
    }

    Annotation annotation_;
};

// A no-data list box: it keeps no text, so the standard object can read no
// row. Rows are simple children, 1 to Count, read from the core's list when
// asked; the list box only says which are selected, focused and shown.
class RowList final : public Accessible, public IEnumVARIANT {
  public:
    RowList(HWND list, IAccessible* standard, std::wstring name,
            std::weak_ptr<const StringList> rows)
        : Accessible(list, standard), name_(std::move(name)), rows_(std::move(rows)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        return Accessible::QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Accessible::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return Accessible::Release(); }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!Cleared(count)) {
            return E_INVALIDARG;
        }
        const auto rows = Rows();
        if (!rows) {
            return RPC_E_DISCONNECTED;
        }
        *count = rows->Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!Cleared(object)) {
            return E_INVALIDARG;
        }
        return RowOf(child) >= 0 ? S_FALSE : Accessible::get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!Cleared(name)) {
            return E_INVALIDARG;
        }
        const auto rows = Rows();
        if (!rows) {
            return RPC_E_DISCONNECTED;
        }
        if (IsSelf(child)) {
            return Give(name, name_);
        }
        const int row = RowOf(child, *rows);
        return row >= 0 ? Give(name, Widen(rows->Item(row))) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!Cleared(role)) {
            return E_INVALIDARG;
        }
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        if (IsSelf(child)) {
            return Give(role, ROLE_SYSTEM_LIST);
        }
        return RowOf(child) >= 0 ? Give(role, ROLE_SYSTEM_LISTITEM) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (IsSelf(child)) {
            return Accessible::get_accState(child, state);
        }
        if (!Cleared(state)) {
            return E_INVALIDARG;
        }
        const int row = RowOf(child);
        if (row < 0) {
            return Gone() ? RPC_E_DISCONNECTED : E_INVALIDARG;
        }
        LONG flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (row == Message(LB_GETCURSEL)) {
            flags |= STATE_SYSTEM_SELECTED;
        }
        if (GetFocus() == window_ && row == Message(LB_GETCARETINDEX)) {
            flags |= STATE_SYSTEM_FOCUSED;
        }
        RECT place{}, client{}, shown{};
        Message(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&place));
        GetClientRect(window_, &client);
        if (!IntersectRect(&shown, &place, &client)) {
            flags |= STATE_SYSTEM_OFFSCREEN;
        }
        return Give(state, flags);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (!Cleared(child)) {
            return E_INVALIDARG;
        }
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        if (GetFocus() != window_) {
            return GiveNothing(child);
        }
        const int caret = Message(LB_GETCARETINDEX);
        return Give(child, Count() > 0 && caret >= 0 ? caret + 1 : CHILDID_SELF);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (!Cleared(children)) {
            return E_INVALIDARG;
        }
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        const int selected = Message(LB_GETCURSEL);
        return selected >= 0 ? Give(children, selected + 1) : GiveNothing(children);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (IsSelf(child)) {
            return Accessible::accLocation(left, top, width, height, child);
        }
        if (!Cleared(left, top, width, height)) {
            return E_INVALIDARG;
        }
        const int row = RowOf(child);
        if (row < 0) {
            return Gone() ? RPC_E_DISCONNECTED : E_INVALIDARG;
        }
        RECT place{};
        Message(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&place));
        MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&place), 2);
        *left = place.left;
        *top = place.top;
        *width = place.right - place.left;
        *height = place.bottom - place.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        if (!Cleared(child)) {
            return E_INVALIDARG;
        }
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        POINT point{x, y};
        RECT client{};
        ScreenToClient(window_, &point);
        GetClientRect(window_, &client);
        if (!PtInRect(&client, point)) {
            return Accessible::accHitTest(x, y, child);
        }
        const int height = std::max(1, Message(LB_GETITEMHEIGHT));
        const int row = Message(LB_GETTOPINDEX) + point.y / height;
        return Give(child, row < Count() ? row + 1 : CHILDID_SELF);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!Cleared(end)) {
            return E_INVALIDARG;
        }
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        const int count = Count();
        if (IsSelf(start)) {
            if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
                return count == 0 ? GiveNothing(end)
                                  : Give(end, direction == NAVDIR_FIRSTCHILD ? 1 : count);
            }
            return Accessible::accNavigate(direction, start, end);
        }
        const int row = RowOf(start);
        if (row < 0) {
            return E_INVALIDARG;
        }
        int next = -1;
        if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
            next = row + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
            next = row - 1;
        }
        return next >= 0 && next < count ? Give(end, next + 1) : GiveNothing(end);
    }

    // A row has no default action, description or shortcut of its own.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return OfList(child, &IAccessible::get_accValue, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return OfList(child, &IAccessible::get_accDescription, description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return OfList(child, &IAccessible::get_accHelp, help);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return OfList(child, &IAccessible::get_accKeyboardShortcut, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return OfList(child, &IAccessible::get_accDefaultAction, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return IsSelf(child) ? Accessible::accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return IsSelf(child) ? Accessible::accSelect(flags, child) : DISP_E_MEMBERNOTFOUND;
    }

    // Children by the thousand in one call, which a reader on the other side
    // of a process boundary would otherwise ask for one at a time.
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* children, ULONG* fetched) override {
        // COM lets a caller that wants one child leave out the count.
        if ((children == nullptr && wanted > 0) || (fetched == nullptr && wanted != 1)) {
            return E_INVALIDARG;
        }
        for (ULONG i = 0; i < wanted; ++i) {
            VariantInit(&children[i]);
        }
        if (fetched != nullptr) {
            *fetched = 0;
        }
        const int count = Count();
        if (count < 0) {
            return RPC_E_DISCONNECTED;
        }
        ULONG given = 0;
        for (; given < wanted && next_ < count; ++given) {
            Give(&children[given], ++next_);
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG skipped) override {
        const int count = Count();
        if (count < 0) {
            return RPC_E_DISCONNECTED;
        }
        const long long wanted = static_cast<long long>(next_) + skipped;
        next_ = static_cast<int>(std::min<long long>(wanted, count));
        return wanted <= count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (!Cleared(copy)) {
            return E_INVALIDARG;
        }
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        standard_->AddRef();
        auto* clone = new RowList(window_, standard_, name_, rows_);
        clone->next_ = next_;
        *copy = clone;
        return S_OK;
    }

  protected:
    void* Find(REFIID id) override {
        if (id == IID_IEnumVARIANT) {
            return static_cast<IEnumVARIANT*>(this);
        }
        return Accessible::Find(id);
    }

  private:
    std::shared_ptr<const StringList> Rows() const { return Gone() ? nullptr : rows_.lock(); }
    // The number of rows, or -1 once the window is gone.
    int Count() const {
        const auto rows = Rows();
        return rows ? rows->Count() : -1;
    }
    // The row (from 0) a child id names, or -1 for the list itself and for
    // no row at all.
    static int RowOf(const VARIANT& child, const StringList& rows) {
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > rows.Count()) {
            return -1;
        }
        return static_cast<int>(child.lVal) - 1;
    }
    int RowOf(const VARIANT& child) const {
        const auto rows = Rows();
        return rows ? RowOf(child, *rows) : -1;
    }
    int Message(UINT message, WPARAM w = 0, LPARAM l = 0) const {
        return static_cast<int>(SendMessageW(window_, message, w, l));
    }
    template <typename Out>
    HRESULT OfList(const VARIANT& child,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, Out*), Out* out) {
        if (IsSelf(child)) {
            return Cleared(out) ? Standard(method, child, out) : E_INVALIDARG;
        }
        if (!Cleared(out)) {
            return E_INVALIDARG;
        }
        return Gone() ? RPC_E_DISCONNECTED : (RowOf(child) >= 0 ? S_FALSE : E_INVALIDARG);
    }

    std::wstring name_;
    std::weak_ptr<const StringList> rows_;
    int next_ = 0;  // the enumeration's place
};

// The reader's process takes the object across by COM, which the window's
// thread needs set up; only a reader asks, so only then.
bool ComIsReady() {
    static const bool ready = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    return ready;
}

IAccessible* StandardObject(HWND window, LONG object = OBJID_CLIENT) {
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(window, object, IID_IAccessible,
                                         reinterpret_cast<void**>(&standard)))) {
        return nullptr;
    }
    return standard;
}

// A fresh object for each request, as the reader releases what it gets.
LRESULT Answer(Accessible* object, WPARAM w) {
    const LRESULT result = LresultFromObject(IID_IAccessible, w, static_cast<IAccessible*>(object));
    object->Release();
    return result;
}

// Windows' own list box raises its rows' focus and selection events; Wine's
// (as of Wine 8) raises none.
bool ListRaisesRowEvents() {
    static const bool raises =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
    return raises;
}

}  // namespace

LRESULT AnswerAnnotated(HWND window, LONG object, WPARAM w, const Annotation& annotation) {
    IAccessible* standard = ComIsReady() ? StandardObject(window, object) : nullptr;
    return standard != nullptr ? Answer(new Annotated(window, standard, annotation), w) : 0;
}

LRESULT AnswerRowList(HWND list, WPARAM w, std::wstring name,
                      std::weak_ptr<const StringList> rows) {
    IAccessible* standard = ComIsReady() ? StandardObject(list) : nullptr;
    return standard != nullptr
               ? Answer(new RowList(list, standard, std::move(name), std::move(rows)), w)
               : 0;
}

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
