#include <windows.h>

#include <string>

#include "framework/program_path.h"
#include "platform/win32/text_conversion.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {
namespace {

ProgramPath programFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            // UTF-8 keeps the backslashes and dots as they are: splitting it is splitting the path.
            return splitProgramPath(narrow(path));
        }
        path.resize(path.size() * 2);  // a long path: try with more room
    }
}

}  // namespace

std::string Win32Platform::appPath() const {
    return programFile().folder;
}

std::string Win32Platform::exeName() const {
    return programFile().name;
}

}  // namespace dialvane::win32
