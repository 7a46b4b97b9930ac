// What a screen reader in another process gets from the running gauge, through oleacc.
//   accessibility_probe gauge           prints role|name|value|description of the gauge
//   accessibility_probe tip             prints shown|left,top,right,bottom|text of the
//                                       gauge's tooltip (shown: 1 or 0); nothing while the
//                                       gauge has made none
//   accessibility_probe press NAME      prints role|default action of the panel's child NAME,
//                                       then does that action; exit status 1 if there is none
//   accessibility_probe states          prints name|hidden for the options panel, its controls
//                                       and its painted children (hidden: invisible and off
//                                       screen, 1 or 0)
//   accessibility_probe boxes           prints the text of each of the panel's text boxes
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Apartment {
    Apartment() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Apartment() { ::CoUninitialize(); }
};

// One reference, released at scope end.
struct Accessible {
    IAccessible* object = nullptr;
    ~Accessible() {
        if (object != nullptr) {
            object->Release();
        }
    }
};

VARIANT child(LONG id) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::string utf8(BSTR text) {
    if (text == nullptr) {
        return "";
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    ::SysFreeString(text);
    return bytes;
}

std::string name(IAccessible& object, LONG id) {
    BSTR text = nullptr;
    object.get_accName(child(id), &text);
    return utf8(text);
}

LONG role(IAccessible& object, LONG id) {
    VARIANT role{};
    return object.get_accRole(child(id), &role) == S_OK && role.vt == VT_I4 ? role.lVal : -1;
}

bool open(HWND window, Accessible& accessible) {
    return window != nullptr &&
           SUCCEEDED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                  reinterpret_cast<void**>(&accessible.object)));
}

int readGauge(HWND gauge) {
    Accessible accessible;
    if (!open(gauge, accessible)) {
        return 1;
    }
    IAccessible& object = *accessible.object;
    BSTR value = nullptr;
    object.get_accValue(child(CHILDID_SELF), &value);
    BSTR description = nullptr;
    object.get_accDescription(child(CHILDID_SELF), &description);
    std::printf("%ld|%s|%s|%s\n", role(object, CHILDID_SELF), name(object, CHILDID_SELF).c_str(),
                utf8(value).c_str(), utf8(description).c_str());
    return 0;
}

// The system's tooltip owned by the gauge; its text is what WM_GETTEXT answers.
int readTip(HWND gauge) {
    HWND tip = nullptr;
    do {
        tip = ::FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr);
    } while (tip != nullptr && ::GetWindow(tip, GW_OWNER) != gauge);
    wchar_t text[512]{};
    DWORD_PTR copied = 0;
    if (gauge == nullptr || tip == nullptr) {
        return 0;
    }
    if (::SendMessageTimeoutW(tip, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                              SMTO_ABORTIFHUNG, 5000, &copied) == 0) {
        return 1;
    }
    RECT area{};
    ::GetWindowRect(tip, &area);
    std::printf("%d|%ld,%ld,%ld,%ld|%s\n", ::IsWindowVisible(tip) ? 1 : 0, area.left, area.top,
                area.right, area.bottom, utf8(::SysAllocString(text)).c_str());
    return 0;
}

// The panel's painted children (simple elements, not windows) by their ids.
template <typename Visit>
void forEachPaintedChild(IAccessible& panel, Visit visit) {
    LONG count = 0;
    panel.get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG got = 0;
    ::AccessibleChildren(&panel, 0, count, children.data(), &got);
    for (LONG index = 0; index < got; ++index) {
        VARIANT& item = children[static_cast<std::size_t>(index)];
        if (item.vt == VT_I4) {
            visit(item.lVal);
        }
        ::VariantClear(&item);
    }
}

int press(HWND gauge, const std::string& wanted) {
    Accessible accessible;
    if (!open(::FindWindowExW(gauge, nullptr, L"DialvanePanel", nullptr), accessible)) {
        return 1;
    }
    IAccessible& panel = *accessible.object;
    int status = 1;
    forEachPaintedChild(panel, [&](LONG id) {
        if (status != 0 && name(panel, id) == wanted) {
            BSTR action = nullptr;
            panel.get_accDefaultAction(child(id), &action);
            std::printf("%ld|%s\n", role(panel, id), utf8(action).c_str());
            status = SUCCEEDED(panel.accDoDefaultAction(child(id))) ? 0 : 1;
        }
    });
    return status;
}

bool hidden(IAccessible& object, LONG id) {
    constexpr LONG both = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    VARIANT state{};
    return object.get_accState(child(id), &state) == S_OK && state.vt == VT_I4 &&
           (state.lVal & both) == both;
}

void printState(IAccessible& object, LONG id, const std::string& label) {
    std::printf("%s|%d\n", label.c_str(), hidden(object, id) ? 1 : 0);
}

int printStates(HWND gauge) {
    HWND panelWindow = ::FindWindowExW(gauge, nullptr, L"DialvanePanel", nullptr);
    Accessible accessible;
    if (!open(panelWindow, accessible)) {
        return 1;
    }
    IAccessible& panel = *accessible.object;
    printState(panel, CHILDID_SELF, "panel");
    for (HWND control = ::GetWindow(panelWindow, GW_CHILD); control != nullptr;
         control = ::GetWindow(control, GW_HWNDNEXT)) {
        Accessible own;
        if (open(control, own)) {
            printState(*own.object, CHILDID_SELF, name(*own.object, CHILDID_SELF));
        }
    }
    forEachPaintedChild(panel, [&](LONG id) { printState(panel, id, name(panel, id)); });
    return 0;
}

// The texts as the boxes hold them now: WM_GETTEXT is answered by the program itself, after
// every key it has already been given.
int boxes(HWND gauge) {
    HWND panel = ::FindWindowExW(gauge, nullptr, L"DialvanePanel", nullptr);
    if (panel == nullptr) {
        return 1;
    }
    for (HWND box = ::FindWindowExW(panel, nullptr, L"Edit", nullptr); box != nullptr;
         box = ::FindWindowExW(panel, box, L"Edit", nullptr)) {
        wchar_t text[256]{};
        DWORD_PTR copied = 0;
        if (::SendMessageTimeoutW(box, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                                  SMTO_ABORTIFHUNG, 5000, &copied) == 0) {
            return 1;
        }
        std::printf("%s\n", utf8(::SysAllocString(text)).c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Apartment apartment;
    HWND gauge = ::FindWindowW(L"DialvaneForm", L"Dialvane");
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "gauge") {
        return readGauge(gauge);
    }
    if (command == "tip") {
        return readTip(gauge);
    }
    if (command == "press" && argc > 2) {
        return press(gauge, argv[2]);
    }
    if (command == "states") {
        return printStates(gauge);
    }
    if (command == "boxes") {
        return boxes(gauge);
    }
    std::fprintf(stderr, "usage: accessibility_probe gauge | tip | press NAME | states | boxes\n");
    return 2;
}
