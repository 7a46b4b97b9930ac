#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <thread>
#include <utility>

#include "app/form1.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// Set, the next allocation on this thread fails, as when memory runs out.
thread_local bool failNextAllocation = false;

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
// saved: after the handler when only the window closes, at once when the session ends. Either
// way the window goes once the handler has returned.
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
        // "AutoStart" is pressed in the options view, where it can be seen.
        ::SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 20));
        ::SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(40, 20));
        platform.savedMidHandler = 0;
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
        EXPECT_FALSE(::IsWindow(window)) << request;
        EXPECT_EQ(platform.savedMidHandler, sessionEnds ? 3 : 0) << request;
        for (const char* key : {"txtHeight", "Monis", "lblHDRAM.Caption"}) {
            EXPECT_NE(platform.GetSetting("MEM", "Optionen", key, ""), "") << key;
        }
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER,
                             L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Dialvane");
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MEM");
}

// A box that fails before it shows (no memory for its text) holds no later close.
using MessageBoxes = testing::ProgramWindow;
TEST_F(MessageBoxes, OneThatFailsHoldsNoLaterClose) {
    const auto showFailing = [this] {
        failNextAllocation = true;
        platform.MsgBox(win32::handleOf(window.handle()), "Eintrag war erfolgreich.", "Dialvane");
    };
    EXPECT_THROW(showFailing(), std::bad_alloc);
    failNextAllocation = false;
    ::SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.handle(), nullptr) << "the close was not held";
}

}  // namespace
}  // namespace dialvane

void* operator new(std::size_t size) {
    if (std::exchange(dialvane::failNextAllocation, false)) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
