#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/form1.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// Counts the settings saved before "AutoStart"'s handler has hidden its button, its last step.
struct SavingPlatform : win32::Win32Platform {
    using Win32Platform::Win32Platform;
    void SaveSetting(std::string_view application, std::string_view section, std::string_view key,
                     std::string_view value) override {
        Win32Platform::SaveSetting(application, section, key, value);
        savedMidHandler += form->cmd_auto.visible() ? 1 : 0;
    }
    const Form1* form = nullptr;
    int savedMidHandler = 0;
};

BOOL CALLBACK findBox(HWND window, LPARAM found) {
    wchar_t kind[8]{};
    if (::GetClassNameW(window, kind, 8) > 0 && std::wstring(kind) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
    }
    return TRUE;
}

HWND messageBoxOf(DWORD thread) {
    HWND box = nullptr;
    ::EnumThreadWindows(thread, findBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

// Another program (or the end of the session) asks the gauge to close while "AutoStart" shows
// its box: the box goes, the handler runs to its end on a live window, and the settings are
// saved: after the handler when only the window closes, at once when the session ends.
TEST(CloseDuringMessageBox, WaitsForTheHandlerAndSavesTheSettings) {
    for (const UINT request : {UINT{WM_CLOSE}, UINT{WM_ENDSESSION}}) {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MEM");
        testing::ProgramModule program;
        win32::PictureLibrary pictures{program.get()};
        SavingPlatform platform{pictures};
        Form1 form{platform};
        platform.form = &form;
        win32::FormWindow gauge{::GetModuleHandleW(nullptr), form, platform, pictures};
        gauge.create();
        gauge.loadAndShow();
        HWND window = gauge.handle();
        std::thread closer([thread = ::GetCurrentThreadId(), window, request] {
            for (int tries = 0; tries < 500 && messageBoxOf(thread) == nullptr; ++tries) {
                ::Sleep(10);
            }
            ::SendMessageW(window, request, request == WM_ENDSESSION, 0);
        });
        ::SendMessageW(gauge.controlOf(form.cmd_auto), BM_CLICK, 0, 0);
        closer.join();
        for (int waited = 0; waited < 3000 && ::IsWindow(window); waited += 20) {
            testing::pumpMessages(20);
        }
        const bool sessionEnds = request == WM_ENDSESSION;
        EXPECT_EQ(messageBoxOf(::GetCurrentThreadId()), nullptr) << request;
        EXPECT_FALSE(form.cmd_auto.visible()) << "the handler ran to its end";
        EXPECT_EQ(::IsWindow(window) != FALSE, sessionEnds) << request;
        EXPECT_EQ(platform.savedMidHandler, sessionEnds ? 3 : 0) << request;
        for (const char* key : {"txtHeight", "Monis", "lblHDRAM.Caption"}) {
            EXPECT_NE(platform.GetSetting("MEM", "Optionen", key, ""), "") << key;
        }
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER,
                             L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Dialvane");
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MEM");
}

}  // namespace
}  // namespace dialvane
