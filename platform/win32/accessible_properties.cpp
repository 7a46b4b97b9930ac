#include "platform/win32/accessible_proxy.h"
#include "platform/win32/com_guard.h"

namespace dialvane::win32 {
namespace {

constexpr LONG self = CHILDID_SELF;

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == self;
}

HRESULT noText(BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    return S_FALSE;
}

HRESULT longVariant(LONG value, VARIANT* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

}  // namespace

HRESULT AccessibleProxy::get_accParent(IDispatch** parent) {
    return standard_->get_accParent(parent);
}

HRESULT AccessibleProxy::get_accChildCount(LONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    return guarded([&] {
        *count = standardCount() + static_cast<LONG>(paintedChildren().size());
        return S_OK;
    });
}

HRESULT AccessibleProxy::get_accChild(VARIANT child, IDispatch** object) {
    return guarded([&] {
        if (paintedIndex(child)) {
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
        } else if (const auto index = paintedIndex(child)) {
            return toBstr(ole_, paintedChildren()[*index].name.c_str(), name);
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
        } else if (paintedIndex(child)) {
            return noText(value);
        }
        return standard_->get_accValue(child, value);
    });
}

HRESULT AccessibleProxy::get_accDescription(VARIANT child, BSTR* description) {
    return guarded([&] {
        if (isSelf(child)) {
            if (const auto own = this->description()) {
                return toBstr(ole_, own->c_str(), description);
            }
        }
        return paintedIndex(child) ? noText(description)
                                   : standard_->get_accDescription(child, description);
    });
}

HRESULT AccessibleProxy::get_accRole(VARIANT child, VARIANT* role) {
    return guarded([&] {
        if (isSelf(child)) {
            if (const auto own = this->role()) {
                return longVariant(*own, role);
            }
        } else if (const auto index = paintedIndex(child)) {
            return longVariant(paintedChildren()[*index].role, role);
        }
        return standard_->get_accRole(child, role);
    });
}

HRESULT AccessibleProxy::get_accState(VARIANT child, VARIANT* state) {
    return guarded([&] {
        if (const auto index = paintedIndex(child)) {
            return longVariant(paintedChildren()[*index].state, state);
        }
        const HRESULT result = standard_->get_accState(child, state);
        if (isSelf(child) && result == S_OK && state != nullptr && state->vt == VT_I4) {
            state->lVal |= addedState();
        }
        return result;
    });
}

HRESULT AccessibleProxy::get_accHelp(VARIANT child, BSTR* help) {
    return guarded(
        [&] { return paintedIndex(child) ? noText(help) : standard_->get_accHelp(child, help); });
}

HRESULT AccessibleProxy::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return guarded([&] {
        return paintedIndex(child) ? noText(file) : standard_->get_accHelpTopic(file, child, topic);
    });
}

HRESULT AccessibleProxy::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return guarded([&] {
        return paintedIndex(child) ? noText(shortcut)
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
        if (const auto index = paintedIndex(child)) {
            return toBstr(ole_, paintedChildren()[*index].defaultAction.c_str(), action);
        }
        return standard_->get_accDefaultAction(child, action);
    });
}

HRESULT AccessibleProxy::accSelect(LONG how, VARIANT child) {
    return guarded([&] {
        return paintedIndex(child) ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(how, child);
    });
}

HRESULT AccessibleProxy::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                     VARIANT child) {
    return guarded([&] {
        if (const auto index = paintedIndex(child)) {
            if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
                return E_POINTER;
            }
            const RECT& area = paintedChildren()[*index].screen;
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
        if (paintedIndex(start)) {
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
        const std::vector<PaintedChild> own = paintedChildren();
        const POINT point{x, y};
        for (std::size_t index = 0; index < own.size(); ++index) {
            if ((own[index].state & STATE_SYSTEM_INVISIBLE) == 0 &&
                ::PtInRect(&own[index].screen, point)) {
                return longVariant(standardCount() + 1 + static_cast<LONG>(index), child);
            }
        }
        return standard_->accHitTest(x, y, child);
    });
}

HRESULT AccessibleProxy::accDoDefaultAction(VARIANT child) {
    return guarded([&] {
        if (const auto index = paintedIndex(child)) {
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

}  // namespace dialvane::win32
