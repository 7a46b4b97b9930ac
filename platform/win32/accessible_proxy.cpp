#include "platform/win32/accessible_proxy.h"

#include <algorithm>

#include "platform/win32/com_guard.h"

namespace dialvane::win32 {

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

std::optional<std::size_t> AccessibleProxy::paintedIndex(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal <= CHILDID_SELF) {
        return std::nullopt;
    }
    const LONG first = standardCount() + 1;
    if (child.lVal < first) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(child.lVal - first);
    if (index >= paintedChildren().size()) {
        return std::nullopt;
    }
    return index;
}

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
    const auto own = static_cast<LONG>(paintedChildren().size());
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
