#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// The program's window after start-up, its options view open.
class OptionsView : public testing::ProgramWindow {
protected:
    void SetUp() override {
        ProgramWindow::SetUp();
        // A right click on the dial opens the options view.
        ::SendMessageW(window.handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 20));
        ::SendMessageW(window.handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 20));
        testing::pumpMessages(20);
        ASSERT_EQ(form.width(), 6800) << "the options view is open";
    }
};

TEST_F(OptionsView, EnterInATextBoxClicksWeiter) {
    HWND box = window.controlOf(form.txtHeight);
    ::SetWindowTextW(box, L"1500");
    ::SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(form.width(), 1500) << "the round gauge at the typed size";
    EXPECT_EQ(form.height(), 1500);
}

}  // namespace
}  // namespace dialvane
