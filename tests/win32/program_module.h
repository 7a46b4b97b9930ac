#pragma once

#include <windows.h>

#include <string>

namespace dialvane::testing {

// Dialvane.exe beside this test binary, loaded for its resources only.
class ProgramModule {
public:
    ProgramModule() {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(::GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"Dialvane.exe";
        module_ = ::LoadLibraryExW(path.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    ProgramModule(const ProgramModule&) = delete;
    ProgramModule& operator=(const ProgramModule&) = delete;
    ~ProgramModule() {
        if (module_ != nullptr) {
            ::FreeLibrary(module_);
        }
    }
    HINSTANCE get() const { return module_; }

private:
    HMODULE module_ = nullptr;
};

// Dispatches this thread's messages for a while, as the program's message loop would.
inline void pumpMessages(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    do {
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message != WM_QUIT) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        ::Sleep(1);
    } while (::GetTickCount() - start < milliseconds);
}

}  // namespace dialvane::testing
