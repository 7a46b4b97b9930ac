#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

class Clipboard : public ::testing::Test, protected testing::ProgramServices {
protected:
    static void putText(const char* text) {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        const std::size_t bytes = std::strlen(text) + 1;
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(::GlobalLock(memory), text, bytes);
        ::GlobalUnlock(memory);
        ::SetClipboardData(CF_TEXT, memory);
        ::CloseClipboard();
    }
    static int formats() { return ::CountClipboardFormats(); }
    // Another program's window holding the clipboard open until `release` is set.
    static void holdClipboard(HANDLE opened, HANDLE release) {
        HWND other = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       nullptr, nullptr);
        ::OpenClipboard(other);
        ::SetEvent(opened);
        ::WaitForSingleObject(release, 5000);
        ::CloseClipboard();
        ::DestroyWindow(other);
    }
    static constexpr WindowHandle noWindow = 0;
};

TEST_F(Clipboard, ClearingRemovesEveryFormat) {
    putText("kopiert");
    ASSERT_GT(formats(), 0);
    EXPECT_TRUE(platform.clearClipboard(noWindow));
    EXPECT_EQ(formats(), 0);
    EXPECT_TRUE(platform.clearClipboard(noWindow)) << "an empty clipboard clears too";
}

TEST_F(Clipboard, WaitsForAnotherProgramToLetGo) {
    putText("kopiert");
    HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder(holdClipboard, opened, release);
    ::WaitForSingleObject(opened, 5000);
    std::thread letGo([release] {
        ::Sleep(100);
        ::SetEvent(release);
    });
    EXPECT_TRUE(platform.clearClipboard(noWindow));
    holder.join();
    letGo.join();
    ::CloseHandle(opened);
    ::CloseHandle(release);
    EXPECT_EQ(formats(), 0);
}

TEST_F(Clipboard, GivesUpWhenItStaysClosed) {
    HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder(holdClipboard, opened, done);
    ::WaitForSingleObject(opened, 5000);
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_FALSE(platform.clearClipboard(noWindow));
    const ULONGLONG waited = ::GetTickCount64() - start;
    ::SetEvent(done);
    holder.join();
    ::CloseHandle(opened);
    ::CloseHandle(done);
    EXPECT_GE(waited, 200U);
    EXPECT_LT(waited, 1000U);
}

}  // namespace
}  // namespace dialvane
