#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/form1.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

using testing::pumpUntil;

// The gauge in this process; in another, covering_window.exe takes the foreground from it.
class CoveringProgram : public testing::HostedForm<Form1> {
protected:
    void SetUp() override {
        window.create();
        ASSERT_NE(window.handle(), nullptr);
        window.loadAndShow();
        testing::pumpMessages(200);
        ::GetWindowRect(window.handle(), &place);
    }
    void TearDown() override {
        if (process.hProcess != nullptr) {
            ::PostMessageW(::FindWindowW(L"CoveringWindow", nullptr), WM_CLOSE, 0, 0);
            ::WaitForSingleObject(process.hProcess, 5000);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
    }
    HWND cover(std::wstring command) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        command = L"covering_window.exe " + command;
        EXPECT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &process));
        HWND front = nullptr;
        pumpUntil(
            [&] {
                return (front = ::FindWindowW(L"CoveringWindow", nullptr)) != nullptr &&
                       ::GetForegroundWindow() == front;
            },
            10'000);
        return front;
    }
    bool shown() const { return ::IsWindowVisible(window.handle()) != FALSE; }

    PROCESS_INFORMATION process{};
    RECT place{};
};

TEST_F(CoveringProgram, AFullScreenWindowHidesTheGaugeUntilItEnds) {
    ASSERT_TRUE(shown());
    const HWND front = cover(L"full");
    ASSERT_NE(front, nullptr);
    EXPECT_GE(pumpUntil([&] { return !shown(); }, 500), 0) << "still shown after half a second";

    ::PostMessageW(front, WM_CLOSE, 0, 0);
    ASSERT_GE(pumpUntil([&] { return !::IsWindow(front); }, 5000), 0);
    EXPECT_GE(pumpUntil([&] { return shown(); }, 500), 0) << "not back within half a second";
    RECT now{};
    ::GetWindowRect(window.handle(), &now);
    EXPECT_TRUE(::EqualRect(&now, &place));
    EXPECT_NE(::GetWindowLongW(window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    HWND first = nullptr;
    ::EnumWindows(
        [](HWND each, LPARAM found) -> BOOL {
            *reinterpret_cast<HWND*>(found) = each;
            return !::IsWindowVisible(each);
        },
        reinterpret_cast<LPARAM>(&first));
    EXPECT_EQ(first, window.handle()) << "the first shown window in the Z order";
}

// Smaller than the screen: without a taskbar, a maximised window's frame would fill it.
TEST_F(CoveringProgram, AnOrdinaryWindowInFrontLeavesTheGaugeShown) {
    ASSERT_NE(cover(L"900x600"), nullptr);
    testing::pumpMessages(700);
    EXPECT_TRUE(shown());
}

}  // namespace
}  // namespace dialvane
