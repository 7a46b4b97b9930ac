#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "framework/command_button.h"
#include "framework/form.h"
#include "framework/text_box.h"
#include "framework/timer.h"
#include "platform/win32/message_target.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// A form all of whose handlers fail with something other than a run-time error.
class FailingForm : public Form {
public:
    explicit FailingForm(Platform& platform)
        : Form(platform),
          button(*this, {.name = "button", .tabIndex = 0}, {150, 150, 1200, 450}, "Knopf"),
          edit(*this, {.name = "edit", .tabIndex = 1}, {150, 750, 900, 300}, "12"),
          failing(*this, {.name = "failing"}, false, 1000),
          ticking(*this, {.name = "ticking"}, false, 1000) {
        define({.caption = "Failing", .bounds = {1500, 1500, 4500, 1800}});
        button.onClick = [] { throw std::runtime_error("click"); };
        edit.onKeyPress = [](std::int16_t&) { throw 42; };
        failing.onTick = [] { throw std::bad_alloc(); };
        ticking.onTick = [this] { ++ticks; };
    }
    void Form_Load() override { throw std::logic_error("load"); }
    void Form_MouseDown(std::int16_t, std::int16_t, float, float) override {
        throw std::bad_alloc();
    }
    void Form_Unload(std::int16_t&) override { throw std::length_error("unload"); }

    CommandButton button;
    TextBox edit;
    Timer failing;
    Timer ticking;
    int ticks = 0;
};

class HostBoundary : public testing::HostedForm<FailingForm> {
protected:
    void SetUp() override {
        window.create();
        ASSERT_NE(window.handle(), nullptr);
    }
};

// Every way the host calls into the form ends the failing handler and nothing more.
TEST_F(HostBoundary, NoFailureOfAHandlerLeavesTheHost) {
    window.loadAndShow();
    EXPECT_EQ(form.lastError(), ErrorCode::InternalError) << "load";
    EXPECT_TRUE(::IsWindowVisible(window.handle())) << "shown all the same";

    ::SendMessageW(window.handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(form.lastError(), ErrorCode::OutOfMemory) << "tick";
    ::SendMessageW(window.controlOf(form.button), BM_CLICK, 0, 0);
    EXPECT_EQ(form.lastError(), ErrorCode::InternalError) << "click";
    ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 100));
    EXPECT_EQ(form.lastError(), ErrorCode::OutOfMemory) << "press";
    ::SendMessageW(window.handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 100));
    EXPECT_EQ(::GetCapture(), nullptr) << "the press failed, its release still ended the capture";
    ::SendMessageW(window.controlOf(form.edit), WM_CHAR, L'7', 0);
    EXPECT_EQ(form.lastError(), ErrorCode::InternalError) << "key";

    form.ticking.setEnabled(true);
    ::SendMessageW(window.handle(), WM_TIMER, 2, 0);
    EXPECT_EQ(form.ticks, 1) << "the other handlers still run";
    ::SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.handle(), nullptr) << "a failing unload still lets the window close";
    testing::pumpMessages(10);  // and the end of the message loop it asks for
}

// What fails outside any handler stops at the window procedure: the system's frames between
// it and the message loop are not C++.
class Throwing : public win32::MessageTarget {
public:
    bool thrown = false;

private:
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) {
            thrown = true;
            throw std::bad_alloc();
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
};

TEST(WindowProcedure, LetsNoExceptionThroughTheSystem) {
    ASSERT_TRUE(win32::windowClassesRegistered(::GetModuleHandleW(nullptr)));
    Throwing target;
    HWND window =
        ::CreateWindowExW(0, win32::panelWindowClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                          ::GetModuleHandleW(nullptr), static_cast<win32::MessageTarget*>(&target));
    ASSERT_NE(window, nullptr);
    EXPECT_NO_THROW(::SendMessageW(window, WM_APP, 0, 0));
    EXPECT_TRUE(target.thrown);
    ::DestroyWindow(window);
}

}  // namespace
}  // namespace dialvane
