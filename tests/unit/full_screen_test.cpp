#include <gtest/gtest.h>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "tests/support/needle_probe.h"
#include "window/full_screen.h"

namespace dialvane {
namespace {

using testing::FakePlatform;
constexpr WindowHandle other = 0x30040;
constexpr ScreenRect first = FakePlatform::firstMonitor;
constexpr ScreenRect second{1024, -128, 2304, 896};
constexpr ScreenRect beyond{-3, -3, 1030, 770};
constexpr ScreenRect oneShort{0, 0, 1023, 768};
constexpr ScreenRect workArea{0, 23, 1024, 728};   // maximised beside the taskbar
constexpr ScreenRect noTaskbar{0, 23, 1024, 768};  // maximised, the caption still shown
constexpr ScreenRect small{9, 9, 99, 99};
constexpr std::int32_t accepts = 5;

TEST(FullScreen, IsAnotherProgramFillingTheGaugesMonitor) {
    const struct {
        const char* name;
        WindowHandle front;
        FakePlatform::OtherWindow window;
        std::int32_t state;
        bool inFront;
    } cases[] = {
        {"fills the monitor", other, {9, "", first, first}, accepts, true},
        {"reaches past it", other, {9, "", beyond, first}, accepts, true},
        {"one pixel short", other, {9, "", oneShort, first}, accepts, false},
        {"maximised beside the taskbar", other, {9, "", workArea, first}, accepts, false},
        {"maximised, no taskbar", other, {9, "", noTaskbar, first}, accepts, false},
        {"on the other monitor", other, {9, "", second, second}, accepts, false},
        {"one of ours", other, {FakePlatform::ownProcess, "", first, first}, accepts, false},
        {"the shell's window", FakePlatform::shellWindow, {9, "", first, first}, accepts, false},
        {"the desktop", FakePlatform::desktopWindow, {9, "", first, first}, accepts, false},
        {"the shell's wallpaper", other, {9, "WorkerW", first, first}, accepts, false},
        {"the program manager", other, {9, "Progman", first, first}, accepts, false},
        {"gone", other, {9, "", std::nullopt, first}, accepts, false},
        {"no foreground", 0, {}, accepts, false},
        {"Windows says busy", other, {9, "", small, first}, qunsBusy, true},
        {"a Direct3D game", other, {9, "", small, first}, qunsRunningD3dFullScreen, true},
        {"a presentation", other, {9, "", small, first}, qunsPresentationMode, true},
        {"busy on the other monitor", other, {9, "", second, second}, qunsBusy, false},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.foreground = c.front;
        platform.windows[c.front] = c.window;
        platform.notificationState = c.state;
        EXPECT_EQ(fullScreenInFront(platform, testing::FakeHost::window), c.inFront) << c.name;
    }
}

// Hidden in the middle of the sweep; back on top with the reading of that moment, and
// nothing saved.
TEST(FullScreen, TheGaugeStepsAsideAndComesBackShowingTheCurrentReading) {
    FakePlatform platform;
    Form1 form(platform);
    testing::FakeHost host(form);
    platform.memoryLoad = 70;
    host.loadAndShow();
    host.advance(300);
    const auto saves = platform.saves;
    platform.foreground = other;
    platform.windows[other] = {9, "", first, first};
    form.Form_ForegroundChanged();
    EXPECT_TRUE(form.steppedAside() && form.visible());
    host.advance(300);
    ASSERT_TRUE(form.Timer2.enabled());

    platform.memoryLoad = 73;
    platform.foreground = 0;
    platform.windowPositions.clear();
    form.Form_ForegroundChanged();
    EXPECT_FALSE(form.steppedAside());
    EXPECT_EQ(host.changesOf(FormAspect::SteppedAside), 2);
    EXPECT_TRUE(form.Timer1.enabled() && !form.Timer2.enabled());
    EXPECT_EQ(form.lbl_MEM.caption(), "73 %");
    EXPECT_EQ(testing::needleDirection(form), 96) << "73 % compressed to 67.8 %";
    EXPECT_EQ(
        platform.windowPositions,
        (std::vector<testing::WindowPosCall>{{host.window, insertTopmost, 0, 0, 0, 0, 0x13}}));
    EXPECT_EQ(platform.saves, saves);
}

}  // namespace
}  // namespace dialvane
