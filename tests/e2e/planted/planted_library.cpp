#include <windows.h>

#include <string>

// A look-alike of a system library, as someone could leave it beside a downloaded program:
// loaded, it leaves "<its name>.loaded" in that program's folder.
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) {
        return TRUE;
    }
    std::wstring library(MAX_PATH, L'\0');
    library.resize(::GetModuleFileNameW(self, library.data(), MAX_PATH));
    std::wstring marker(MAX_PATH, L'\0');
    marker.resize(::GetModuleFileNameW(nullptr, marker.data(), MAX_PATH));
    marker = marker.substr(0, marker.find_last_of(L'\\') + 1) +
             library.substr(library.find_last_of(L'\\') + 1) + L".loaded";
    HANDLE file =
        ::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
    }
    return TRUE;
}
