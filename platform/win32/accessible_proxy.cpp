#include "platform/win32/accessible_proxy.h"

#include <algorithm>
#include <new>

namespace dialvane::win32 {
namespace {

constexpr LONG self = CHILDID_SELF;

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == self;
}

// Neither a model failure nor a lack of memory may cross a COM call.
template <typename Answer>
HRESULT guarded(Answer&& answer) noexcept {
    try {
        return answer();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT noText(BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    return S_FALSE;
}

HRESULT number(LONG value, VARIANT* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

}  // namespace

HRESULT AccessibleProxy::QueryInterface(REFIID id, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *out = static_cast<IAccessible*>(this);
    } else if (id == __uuidof(IEnumVARIANT)) {
        *out = static_cast<IEnumVARIANT*>(this);
    } else if (id == __uuidof(IOleWindow)) {
        *out = static_cast<IOleWindow*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG AccessibleProxy::AddRef() {
    return ++references_;
}

ULONG AccessibleProxy::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT AccessibleProxy::GetTypeInfoCount(UINT* count) {
    return standard_->GetTypeInfoCount(count);
}

HRESULT AccessibleProxy::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    return standard_->GetTypeInfo(index, locale, info);
}

HRESULT AccessibleProxy::GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                       DISPID* ids) {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
}

// Late-bound calls reach this object's methods, not the system object's.
HRESULT AccessibleProxy::Invoke(DISPID member, REFIID, LCID locale, WORD flags,
                                DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                UINT* badArgument) {
    com_ptr<ITypeInfo> info;
    const HRESULT found = standard_->GetTypeInfo(0, locale, info.put());
    if (FAILED(found)) {
        return found;
    }
    return info->Invoke(static_cast<IAccessible*>(this), member, flags, parameters, result,
                        exception, badArgument);
}

LONG AccessibleProxy::standardCount() const {
    LONG count = 0;
    return SUCCEEDED(standard_->get_accChildCount(&count)) ? count : 0;
}

std::optional<std::size_t> AccessibleProxy::ownIndex(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal <= self) {
        return std::nullopt;
    }
    const LONG first = standardCount() + 1;
    if (child.lVal < first) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(child.lVal - first);
    if (index >= ownChildren().size()) {
        return std::nullopt;
    }
    return index;
}

HRESULT AccessibleProxy::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}

HRESULT AccessibleProxy::get_accChildCount(LONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    return guarded([&] {
        *count = standardCount() + static_cast<LONG>(ownChildren().size());
        return S_OK;
    });
}

HRESULT AccessibleProxy::get_accChild(VARIANT child, IDispatch** object) {
    return guarded([&] {
        if (ownIndex(child)) {
            if (object == nullptr) {
                return E_POINTER;
            }
            *object = nullptr;
            return S_FALSE;  // a simple element: its parent answers for it
        }
        return standard_->get_accChild(child, object);
    });
}

HRESULT AccessibleProxy::get_accName(VARIANT child, BSTR* name) {
    return guarded([&] {
        if (isSelf(child)) {
            if (const auto own = this->name()) {
                return toBstr(ole_, own->c_str(), name);
            }
        } else if (const auto index = ownIndex(child)) {
            return toBstr(ole_, ownChildren()[*index].name.c_str(), name);
        }
        return standard_->get_accName(child, name);
    });
}

HRESULT AccessibleProxy::get_accValue(VARIANT child, BSTR* value) {
    return guarded([&] {
        if (isSelf(child)) {
            if (const auto own = this->value()) {
                return toBstr(ole_, own->c_str(), value);
            }
        } else if (ownIndex(child)) {
            return noText(value);
        }
        return standard_->get_accValue(child, value);
    });
}

HRESULT AccessibleProxy::get_accDescription(VARIANT child, BSTR* description) {
    return guarded([&] {
        return ownIndex(child) ? noText(description)
                               : standard_->get_accDescription(child, description);
    });
}

HRESULT AccessibleProxy::get_accRole(VARIANT child, VARIANT* role) {
    return guarded([&] {
        if (isSelf(child)) {
            if (const auto own = this->role()) {
                return number(*own, role);
            }
        } else if (const auto index = ownIndex(child)) {
            return number(ownChildren()[*index].role, role);
        }
        return standard_->get_accRole(child, role);
    });
}

HRESULT AccessibleProxy::get_accState(VARIANT child, VARIANT* state) {
    return guarded([&] {
        if (const auto index = ownIndex(child)) {
            return number(ownChildren()[*index].state, state);
        }
        return standard_->get_accState(child, state);
    });
}

HRESULT AccessibleProxy::get_accHelp(VARIANT child, BSTR* help) {
    return guarded(
        [&] { return ownIndex(child) ? noText(help) : standard_->get_accHelp(child, help); });
}

HRESULT AccessibleProxy::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return guarded([&] {
        return ownIndex(child) ? noText(file) : standard_->get_accHelpTopic(file, child, topic);
    });
}

HRESULT AccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return guarded([&] {
        return ownIndex(child) ? noText(shortcut)
                               : standard_->get_accKeyboardShortcut(child, shortcut);
    });
}

HRESULT AccessibleProxy::get_accFocus(VARIANT* focus) {
    return standard_->get_accFocus(focus);
}

HRESULT AccessibleProxy::get_accSelection(VARIANT* selection) {
    return standard_->get_accSelection(selection);
}

HRESULT AccessibleProxy::get_accDefaultAction(VARIANT child, BSTR* action) {
    return guarded([&] {
        if (const auto index = ownIndex(child)) {
            return toBstr(ole_, ownChildren()[*index].defaultAction.c_str(), action);
        }
        return standard_->get_accDefaultAction(child, action);
    });
}

HRESULT AccessibleProxy::accSelect(LONG how, VARIANT child) {
    return guarded(
        [&] { return ownIndex(child) ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(how, child); });
}

HRESULT AccessibleProxy::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
    return guarded([&] {
        if (const auto index = ownIndex(child)) {
            if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
                return E_POINTER;
            }
            const RECT& area = ownChildren()[*index].screen;
            *left = area.left;
            *top = area.top;
            *width = area.right - area.left;
            *height = area.bottom - area.top;
            return S_OK;
        }
        return standard_->accLocation(left, top, width, height, child);
    });
}

HRESULT AccessibleProxy::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return guarded([&] {
        if (ownIndex(start)) {
            if (end == nullptr) {
                return E_POINTER;
            }
            end->vt = VT_EMPTY;
            return S_FALSE;
        }
        return standard_->accNavigate(direction, start, end);
    });
}

HRESULT AccessibleProxy::accHitTest(LONG x, LONG y, VARIANT* child) {
    return guarded([&] {
        const std::vector<OwnChild> own = ownChildren();
        const POINT point{x, y};
        for (std::size_t index = 0; index < own.size(); ++index) {
            if ((own[index].state & STATE_SYSTEM_INVISIBLE) == 0 &&
                ::PtInRect(&own[index].screen, point)) {
                return number(standardCount() + 1 + static_cast<LONG>(index), child);
            }
        }
        return standard_->accHitTest(x, y, child);
    });
}

HRESULT AccessibleProxy::accDoDefaultAction(VARIANT child) {
    return guarded([&] {
        if (const auto index = ownIndex(child)) {
            return doDefaultAction(*index);
        }
        return standard_->accDoDefaultAction(child);
    });
}

HRESULT AccessibleProxy::put_accName(VARIANT child, BSTR name) {
    return standard_->put_accName(child, name);
}

HRESULT AccessibleProxy::put_accValue(VARIANT child, BSTR value) {
    return standard_->put_accValue(child, value);
}

// The system's children as its own enumeration gives them, then the own ones.
std::vector<AccessibleProxy::Entry> AccessibleProxy::children() const {
    std::vector<Entry> entries;
    com_ptr<IEnumVARIANT> standard;
    const LONG count = standardCount();
    if (SUCCEEDED(standard_->QueryInterface(__uuidof(IEnumVARIANT),
                                            reinterpret_cast<void**>(standard.put()))) &&
        SUCCEEDED(standard->Reset())) {
        VARIANT item{};
        ULONG fetched = 0;
        while (standard->Next(1, &item, &fetched) == S_OK && fetched == 1) {
            Entry entry;
            if (item.vt == VT_DISPATCH) {
                *entry.object.put() = item.pdispVal;
            } else if (item.vt == VT_I4) {
                entry.id = item.lVal;
            } else {
                if (item.vt == VT_UNKNOWN && item.punkVal != nullptr) {
                    item.punkVal->Release();
                }
                continue;
            }
            entries.push_back(std::move(entry));
        }
    } else {
        for (LONG id = 1; id <= count; ++id) {
            Entry entry{id, {}};
            VARIANT child{};
            child.vt = VT_I4;
            child.lVal = id;
            if (standard_->get_accChild(child, entry.object.put()) == S_OK && entry.object) {
                entry.id = 0;
            }
            entries.push_back(std::move(entry));
        }
    }
    const auto own = static_cast<LONG>(ownChildren().size());
    for (LONG index = 0; index < own; ++index) {
        entries.push_back(Entry{count + 1 + index, {}});
    }
    return entries;
}

void AccessibleProxy::beginEnumeration() {
    if (!enumerating_) {
        enumerated_ = children();
        cursor_ = 0;
        enumerating_ = true;
    }
}

HRESULT AccessibleProxy::Next(ULONG wanted, VARIANT* children, ULONG* fetched) {
    if (children == nullptr || (fetched == nullptr && wanted != 1)) {
        return E_POINTER;
    }
    return guarded([&] {
        beginEnumeration();
        ULONG given = 0;
        for (; given < wanted && cursor_ < enumerated_.size(); ++given, ++cursor_) {
            const Entry& entry = enumerated_[cursor_];
            VARIANT& out = children[given];
            if (entry.object) {
                out.vt = VT_DISPATCH;
                out.pdispVal = entry.object.get();
                out.pdispVal->AddRef();
            } else {
                out.vt = VT_I4;
                out.lVal = entry.id;
            }
        }
        if (fetched != nullptr) {
            *fetched = given;
        }
        return given == wanted ? S_OK : S_FALSE;
    });
}

HRESULT AccessibleProxy::Skip(ULONG count) {
    return guarded([&] {
        beginEnumeration();
        const std::size_t before = cursor_;
        cursor_ = std::min(enumerated_.size(), cursor_ + count);
        return cursor_ - before == count ? S_OK : S_FALSE;
    });
}

// Starts over with the children as they are now.
HRESULT AccessibleProxy::Reset() {
    enumerating_ = false;
    enumerated_.clear();
    cursor_ = 0;
    return S_OK;
}

HRESULT AccessibleProxy::Clone(IEnumVARIANT** copy) {
    if (copy != nullptr) {
        *copy = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT AccessibleProxy::GetWindow(HWND* window) {
    if (window == nullptr) {
        return E_POINTER;
    }
    *window = window_;
    return S_OK;
}

HRESULT AccessibleProxy::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

}  // namespace dialvane::win32
