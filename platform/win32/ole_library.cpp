#include "platform/win32/ole_library.h"

#include <optional>

namespace dialvane::win32 {
namespace {

template <typename Function>
bool find(HMODULE module, const char* name, Function& function) {
    // Through the generic function type, which GCC lets any function pointer become.
    function =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
    return function != nullptr;
}

std::optional<OleLibrary> load() {
    const DWORD fromSystem = LOAD_LIBRARY_SEARCH_SYSTEM32;
    HMODULE oleacc = ::LoadLibraryExW(L"oleacc.dll", nullptr, fromSystem);
    HMODULE ole32 = ::LoadLibraryExW(L"ole32.dll", nullptr, fromSystem);
    HMODULE oleaut32 = ::LoadLibraryExW(L"oleaut32.dll", nullptr, fromSystem);
    OleLibrary library;
    if (oleacc == nullptr || ole32 == nullptr || oleaut32 == nullptr ||
        !find(oleacc, "CreateStdAccessibleObject", library.createStdAccessibleObject) ||
        !find(oleacc, "LresultFromObject", library.lresultFromObject) ||
        !find(ole32, "CoInitializeEx", library.coInitializeEx) ||
        !find(ole32, "CoUninitialize", library.coUninitialize) ||
        !find(ole32, "CoCreateInstance", library.coCreateInstance) ||
        !find(oleaut32, "SysAllocString", library.sysAllocString)) {
        return std::nullopt;
    }
    return library;
}

}  // namespace

const OleLibrary* OleLibrary::get() {
    static const std::optional<OleLibrary> library = load();
    return library ? &*library : nullptr;
}

HRESULT toBstr(const OleLibrary& ole, const wchar_t* text, BSTR* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = ole.sysAllocString(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace dialvane::win32
