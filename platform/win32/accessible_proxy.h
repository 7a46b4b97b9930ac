#pragma once

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/ole_library.h"

namespace dialvane::win32 {

// A simple element the system's object for a window cannot know, such as a painted button.
struct PaintedChild {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
    std::wstring defaultAction;
    RECT screen{};
};

// An accessible object (its IAccessible answers in accessible_properties.cpp) that answers as the
// system's own object for a window and differs only where a subclass says so: its name, value,
// description and role, and simple children of its own that follow the system's children. It
// enumerates its children itself: oleacc's AccessibleChildren would otherwise ask each child by
// number, which Wine's client object does not answer.
class AccessibleProxy : public IAccessible, public IEnumVARIANT, public IOleWindow {
public:
    AccessibleProxy(const AccessibleProxy&) = delete;
    AccessibleProxy& operator=(const AccessibleProxy&) = delete;

    // Makes one with a reference for the caller; empty when the system object is missing.
    template <typename Proxy, typename... Args>
    static com_ptr<Proxy> make(const OleLibrary& ole, HWND window, Args&&... args) {
        com_ptr<IAccessible> standard;
        com_ptr<Proxy> proxy;
        if (SUCCEEDED(ole.createStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(standard.put())))) {
            // COM counts its references: the last Release deletes it.
            *proxy.put() = new Proxy(ole, window, std::move(standard), std::forward<Args>(args)...);
        }
        return proxy;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, through the system object's type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // IEnumVARIANT: the children as AccessibleChildren hands them out. No clones.
    HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* children, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override;

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;

protected:
    AccessibleProxy(const OleLibrary& ole, HWND window, com_ptr<IAccessible> standard)
        : ole_(ole), window_(window), standard_(std::move(standard)) {}
    virtual ~AccessibleProxy() = default;
    HWND window() const { return window_; }

    // What differs from the system's object; nothing means it answers. They may throw.
    virtual std::optional<std::wstring> name() const { return std::nullopt; }
    virtual std::optional<std::wstring> value() const { return std::nullopt; }
    virtual std::optional<std::wstring> description() const { return std::nullopt; }
    virtual std::optional<LONG> role() const { return std::nullopt; }
    // States on top of those the system's object gives itself.
    virtual LONG addedState() const { return 0; }
    virtual std::vector<PaintedChild> paintedChildren() const { return {}; }
    virtual HRESULT doDefaultAction(std::size_t paintedChild) {
        (void)paintedChild;
        return DISP_E_MEMBERNOTFOUND;
    }

private:
    struct Entry {
        LONG id = 0;
        com_ptr<IDispatch> object;
    };
    LONG standardCount() const;
    // Which own child the id names, if any.
    std::optional<std::size_t> paintedIndex(const VARIANT& child) const;
    std::vector<Entry> children() const;
    // The children are taken once per pass, at its first step after a Reset.
    void beginEnumeration();

    std::atomic<ULONG> references_{1};
    const OleLibrary& ole_;
    HWND window_;
    com_ptr<IAccessible> standard_;
    std::vector<Entry> enumerated_;
    std::size_t cursor_ = 0;
    bool enumerating_ = false;
};

}  // namespace dialvane::win32
