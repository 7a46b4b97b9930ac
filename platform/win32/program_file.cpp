#include <windows.h>

#include <string>

#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {
namespace {

std::wstring programFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // a long path: try with more room
    }
}

std::size_t nameStart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

}  // namespace

std::string Win32Platform::appPath() const {
    const std::wstring path = programFile();
    std::wstring folder = path.substr(0, nameStart(path));
    // A drive root keeps its backslash ("D:\"); any other folder loses it.
    if (folder.size() > 1 && folder.back() == L'\\' && !(folder.size() == 3 && folder[1] == L':')) {
        folder.pop_back();
    }
    return narrow(folder);
}

std::string Win32Platform::exeName() const {
    const std::wstring path = programFile();
    std::wstring name = path.substr(nameStart(path));
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        name.resize(dot);
    }
    return narrow(name);
}

}  // namespace dialvane::win32
