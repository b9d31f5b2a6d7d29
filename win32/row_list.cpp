// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// A no-data list box, read out row by row: it keeps no text, so the standard
// object can read no row. Rows are simple children, 1 to Count, read from the
// core's list when asked; the list box only says which are selected, focused
// and shown.

#include <algorithm>
#include <memory>

#include "win32/accessibility.hpp"
#include "win32/accessible.hpp"
#include "win32/text.hpp"

namespace zemvaro::win32 {
namespace {

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
        const HRESULT checked = Check(count);
        if (checked == S_OK) {
            *count = Count();
        }
        return checked;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return Answer(
            child,
            [&](Child c) {
                return c.kind == Child::Row ? S_FALSE
                                            : Pass(&IAccessible::get_accChild, child, object);
            },
            object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Answer(
            child,
            [&](Child c) {
                return c.kind == Child::Self ? Give(name, name_)
                                             : Give(name, Widen(rows_.lock()->Item(c.row)));
            },
            name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Answer(
            child,
            [&](Child c) {
                return Give(role, c.kind == Child::Self ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
            },
            role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Answer(
            child,
            [&](Child c) {
                return c.kind == Child::Self ? Pass(&IAccessible::get_accState, child, state)
                                             : Give(state, RowState(c.row));
            },
            state);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (const HRESULT checked = Check(child); checked != S_OK) {
            return checked;
        }
        if (GetFocus() != window_) {
            return GiveNothing(child);
        }
        const int caret = Message(LB_GETCARETINDEX);
        return Give(child, Count() > 0 && caret >= 0 ? caret + 1 : CHILDID_SELF);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (const HRESULT checked = Check(children); checked != S_OK) {
            return checked;
        }
        const int selected = Message(LB_GETCURSEL);
        return selected >= 0 ? Give(children, selected + 1) : GiveNothing(children);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        const auto act = [&](Child c) {
            if (c.kind == Child::Self) {
                return Pass(&IAccessible::accLocation, left, top, width, height, child);
            }
            RECT place{};
            Message(LB_GETITEMRECT, static_cast<WPARAM>(c.row), reinterpret_cast<LPARAM>(&place));
            MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&place), 2);
            *left = place.left;
            *top = place.top;
            *width = place.right - place.left;
            *height = place.bottom - place.top;
            return S_OK;
        };
        return Answer(child, act, left, top, width, height);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        if (const HRESULT checked = Check(child); checked != S_OK) {
            return checked;
        }
        POINT point{x, y};
        RECT client{};
        ScreenToClient(window_, &point);
        GetClientRect(window_, &client);
        if (!PtInRect(&client, point)) {
            return Pass(&IAccessible::accHitTest, x, y, child);
        }
        const int height = std::max(1, Message(LB_GETITEMHEIGHT));
        const int row = Message(LB_GETTOPINDEX) + point.y / height;
        return Give(child, row < Count() ? row + 1 : CHILDID_SELF);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        const auto act = [&](Child c) {
            const int count = Count();
            if (c.kind == Child::Self) {
                if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD) {
                    return Pass(&IAccessible::accNavigate, direction, start, end);
                }
                return count == 0 ? GiveNothing(end)
                                  : Give(end, direction == NAVDIR_FIRSTCHILD ? 1 : count);
            }
            int next = -1;
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
                next = c.row + 1;
            } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
                next = c.row - 1;
            }
            return next >= 0 && next < count ? Give(end, next + 1) : GiveNothing(end);
        };
        return Answer(start, act, end);
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
        return Answer(child, [&](Child c) {
            return c.kind == Child::Self ? Pass(&IAccessible::accDoDefaultAction, child)
                                         : DISP_E_MEMBERNOTFOUND;
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return Answer(child, [&](Child c) {
            return c.kind == Child::Self ? Pass(&IAccessible::accSelect, flags, child)
                                         : DISP_E_MEMBERNOTFOUND;
        });
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
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        ULONG given = 0;
        for (const int count = Count(); given < wanted && next_ < count; ++given) {
            Give(&children[given], ++next_);
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == wanted ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG skipped) override {
        if (Gone()) {
            return RPC_E_DISCONNECTED;
        }
        const long long wanted = static_cast<long long>(next_) + skipped;
        next_ = static_cast<int>(std::min<long long>(wanted, Count()));
        return wanted <= Count() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (const HRESULT checked = Check(copy); checked != S_OK) {
            return checked;
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
    // The rows live as long as the window's form; a reader may hold on longer.
    bool Gone() const override { return Accessible::Gone() || rows_.expired(); }
    bool Resolve(const VARIANT& child, Child& resolved) const override {
        if (IsSelf(child)) {
            resolved = {Child::Self};
            return true;
        }
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > Count()) {
            return false;
        }
        resolved = {Child::Row, static_cast<int>(child.lVal) - 1};
        return true;
    }

  private:
    // Only once Gone() has said no.
    int Count() const { return rows_.lock()->Count(); }
    int Message(UINT message, WPARAM w = 0, LPARAM l = 0) const {
        return static_cast<int>(SendMessageW(window_, message, w, l));
    }
    LONG RowState(int row) const {
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
        return flags;
    }
    template <typename Out>
    HRESULT OfList(const VARIANT& child,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*method)(VARIANT, Out*), Out* out) {
        return Answer(
            child,
            [&](Child c) { return c.kind == Child::Self ? Pass(method, child, out) : S_FALSE; },
            out);
    }

    std::wstring name_;
    std::weak_ptr<const StringList> rows_;
    int next_ = 0;  // the enumeration's place
};

}  // namespace

LRESULT AnswerRowList(HWND list, WPARAM w, std::wstring name,
                      std::weak_ptr<const StringList> rows) {
    IAccessible* standard = StandardObject(list, OBJID_CLIENT);
    return standard != nullptr
               ? Answer(new RowList(list, standard, std::move(name), std::move(rows)), w)
               : 0;
}

}  // namespace zemvaro::win32
