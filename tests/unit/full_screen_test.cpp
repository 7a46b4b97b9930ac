#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "tests/support/needle_probe.h"
#include "window/full_screen.h"

namespace dialvane {
namespace {

using testing::FakePlatform;
constexpr WindowHandle other = 0x30040;
constexpr WindowHandle film = 0x30050;
constexpr ScreenRect first = FakePlatform::firstMonitor;
constexpr ScreenRect second{1024, -128, 2304, 896};
constexpr ScreenRect beyond{-3, -3, 1030, 770};
constexpr ScreenRect oneShort{0, 0, 1023, 768};
constexpr ScreenRect besideTaskbar{-8, -8, 1032, 736};  // maximised, frame past the edges
constexpr ScreenRect noTaskbar{-8, -8, 1032, 776};
constexpr ScreenRect small{9, 9, 99, 99};
constexpr std::uint32_t framed = wsCaption | wsThickFrame;
constexpr std::int32_t accepts = 5;

// A shown window of another program, with what a row changes in it.
TopLevelWindow shown(WindowHandle handle, ScreenRect rect, ScreenRect monitor = first,
                     const std::function<void(TopLevelWindow&)>& change = {}) {
    TopLevelWindow window;
    window.handle = handle;
    window.place = {rect, true, false};
    window.process = 9;
    window.monitor = monitor;
    if (change) {
        change(window);
    }
    return window;
}
void maximised(TopLevelWindow& w) {
    w.style = wsMaximize | framed;
}
void hidden(TopLevelWindow& w) {
    w.place.visible = false;
}
void minimised(TopLevelWindow& w) {
    w.place.minimised = true;
}
void topmost(TopLevelWindow& w) {
    w.topmost = true;
}
void ours(TopLevelWindow& w) {
    w.process = FakePlatform::ownProcess;
}

TEST(FullScreen, TheFirstWindowLeftOnTheGaugesMonitorCoversIt) {
    const struct {
        const char* name;
        std::vector<TopLevelWindow> windows;  // from the top
        WindowHandle front;
        std::vector<WindowHandle> cloaked;
        std::int32_t state;
        WindowHandle cover;
        std::size_t cloakQuestions;
    } cases[] = {
        {"fills the monitor", {shown(other, first)}, other, {}, accepts, other, 1},
        {"reaches past it", {shown(other, beyond)}, other, {}, accepts, other, 1},
        {"one pixel short", {shown(other, oneShort)}, other, {}, accepts, 0, 1},
        {"maximised beside the taskbar",
         {shown(other, besideTaskbar, first, maximised)},
         other,
         {},
         accepts,
         0,
         1},
        {"maximised, no taskbar",
         {shown(other, noTaskbar, first, maximised)},
         other,
         {},
         accepts,
         0,
         1},
        {"maximised, client area fills the monitor without a taskbar (own title bar)",
         {shown(other, first, first, maximised)},
         other,
         {},
         accepts,
         0,
         1},
        {"maximised with a sizing frame only",
         {shown(other, noTaskbar, first, [](auto& w) { w.style = wsMaximize | wsThickFrame; })},
         other,
         {},
         accepts,
         0,
         1},
        {"maximised without caption or frame (a borderless game)",
         {shown(other, first, first, [](auto& w) { w.style = wsMaximize; })},
         other,
         {},
         accepts,
         other,
         1},
        {"on the other monitor", {shown(other, second, second)}, other, {}, accepts, 0, 0},
        {"one of ours", {shown(other, first, first, ours)}, other, {}, accepts, 0, 0},
        {"the shell's window",
         {shown(FakePlatform::shellWindow, first)},
         FakePlatform::shellWindow,
         {},
         accepts,
         0,
         0},
        {"the desktop",
         {shown(FakePlatform::desktopWindow, first)},
         FakePlatform::desktopWindow,
         {},
         accepts,
         0,
         0},
        {"the shell's wallpaper",
         {shown(other, first, first, [](auto& w) { w.className = "WorkerW"; })},
         other,
         {},
         accepts,
         0,
         0},
        {"the program manager",
         {shown(other, first, first, [](auto& w) { w.className = "Progman"; })},
         other,
         {},
         accepts,
         0,
         0},
        {"gone", {}, other, {}, accepts, 0, 0},
        {"no foreground", {}, 0, {}, accepts, 0, 0},
        {"a film, not in front: the user works on the other monitor",
         {shown(other, small, second), shown(film, first)},
         other,
         {},
         accepts,
         film,
         1},
        {"an ordinary window over the film",
         {shown(other, small), shown(film, first)},
         film,
         {},
         accepts,
         0,
         1},
        {"hidden and minimised windows over it",
         {shown(other, small, first, hidden), shown(0x30060, small, first, minimised),
          shown(film, first)},
         0,
         {},
         accepts,
         film,
         1},
        {"a topmost gadget over it",
         {shown(other, small, first, topmost), shown(film, first)},
         film,
         {},
         accepts,
         film,
         1},
        {"topmost and full screen", {shown(film, first, first, topmost)}, 0, {}, accepts, film, 1},
        {"a cloaked window over it",
         {shown(other, small), shown(film, first)},
         film,
         {other},
         accepts,
         film,
         2},
        {"cloaked itself", {shown(film, first)}, film, {film}, accepts, 0, 1},
        {"on the second monitor with the gauge there too",
         {shown(film, second, second)},
         film,
         {},
         accepts,
         0,
         0},
        {"Windows says busy", {shown(other, small)}, other, {}, qunsBusy, other, 1},
        {"a Direct3D game", {shown(other, small)}, other, {}, qunsRunningD3dFullScreen, other, 1},
        {"a presentation", {shown(other, small)}, other, {}, qunsPresentationMode, other, 1},
        {"busy on the other monitor", {shown(other, second, second)}, other, {}, qunsBusy, 0, 0},
        {"busy, our own window in front",
         {shown(other, small, first, ours)},
         other,
         {},
         qunsBusy,
         0,
         0},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.zOrder = c.windows;
        platform.foreground = c.front;
        platform.cloaked = c.cloaked;
        platform.notificationState = c.state;
        EXPECT_EQ(fullScreenCover(platform, testing::FakeHost::window), c.cover) << c.name;
        // Windows asks dwmapi for cloaking: only of windows that would decide.
        EXPECT_EQ(platform.cloakQuestions.size(), c.cloakQuestions) << c.name;
    }
    FakePlatform platform;
    platform.gaugeMonitor = second;
    platform.zOrder = {shown(film, second, second), shown(other, first)};
    EXPECT_EQ(fullScreenCover(platform, testing::FakeHost::window), film) << "the gauge's monitor";
}

// A 1200-twip gauge on the first monitor, sweep done, reading the memory load.
class SteppingAside : public ::testing::Test {
protected:
    void SetUp() override {
        platform.memoryLoad = 70;
        host.loadAndShow();
        host.advance(5000);
    }
    FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

// Hidden in the middle of the sweep, with neither readings nor paints meanwhile; back on top
// with the reading of that moment, and nothing saved.
TEST_F(SteppingAside, TheGaugeStepsAsideAndComesBackShowingTheCurrentReading) {
    form.StartSweep();
    host.advance(300);
    const auto saves = platform.saves;
    platform.foreground = film;
    platform.zOrder = {shown(film, first)};
    host.advance(30);
    EXPECT_TRUE(form.steppedAside() && form.visible());
    EXPECT_TRUE(form.Timer1.enabled() && !form.Timer2.enabled()) << "the sweep ends";
    EXPECT_EQ(form.Timer1.interval(), 250);
    const int queries = platform.memoryQueries;
    const int needleChanges = host.changesOf(form.SecZ);
    const int ticks = host.ticksOf(form.Timer1);
    host.advance(1000);
    EXPECT_EQ(host.ticksOf(form.Timer1) - ticks, 4);
    EXPECT_EQ(platform.memoryQueries, queries) << "no readings";
    EXPECT_EQ(host.changesOf(form.SecZ), needleChanges) << "nothing to paint";
    form.StartSweep();  // what a handler of a box left open may do meanwhile
    host.advance(300);
    EXPECT_EQ(platform.memoryQueries, queries) << "no sweep either";
    EXPECT_TRUE(form.steppedAside());

    platform.memoryLoad = 73;
    platform.foreground = 0;
    platform.zOrder.clear();
    platform.windowPositions.clear();
    host.advance(250);
    EXPECT_FALSE(form.steppedAside());
    EXPECT_EQ(host.changesOf(FormAspect::SteppedAside), 2);
    EXPECT_TRUE(form.Timer1.enabled() && !form.Timer2.enabled());
    EXPECT_EQ(form.Timer1.interval(), 100);
    EXPECT_EQ(form.lbl_MEM.caption(), "73 %");
    EXPECT_EQ(testing::needleDirection(form), 96) << "73 % compressed to 67.8 %";
    EXPECT_EQ(
        platform.windowPositions,
        (std::vector<testing::WindowPosCall>{{host.window, insertTopmost, 0, 0, 0, 0, 0x13}}));
    EXPECT_EQ(platform.saves, saves);
}

// The look at each tick is cheap; the windows are walked when it saw a change, once a second
// anyway, and at the tick after the monitors changed.
TEST_F(SteppingAside, TheWindowsAreWalkedWhenSomethingChangedOrOnceASecond) {
    const int walks = platform.walks;
    host.advance(10'000);
    EXPECT_EQ(platform.walks - walks, 10) << "once a second while nothing changes";

    platform.foreground = other;
    platform.zOrder = {shown(other, small)};
    host.advance(100);
    EXPECT_EQ(platform.walks - walks, 11) << "at the tick after the foreground changed";
    platform.zOrder.front().place.rect = first;
    host.advance(100);
    EXPECT_TRUE(form.steppedAside()) << "the window in front went full screen";

    // It leaves full screen for the other monitor; a film starts behind it on the gauge's.
    platform.zOrder = {shown(other, small, second)};
    host.advance(250);
    ASSERT_FALSE(form.steppedAside());
    platform.zOrder.push_back(shown(film, first));
    host.advance(900);
    EXPECT_FALSE(form.steppedAside()) << "not walked yet";
    host.advance(100);
    EXPECT_TRUE(form.steppedAside()) << "found within a second";

    // The gauge's monitor is another now: nothing the look sees.
    platform.gaugeMonitor = second;
    const int walksBefore = platform.walks;
    form.Form_DisplayChanged();
    host.advance(250);
    EXPECT_EQ(platform.walks, walksBefore + 1) << "asked again at once";
    EXPECT_FALSE(form.steppedAside());
}

// F12 moves the hidden gauge off the film's monitor: it shows there at once.
TEST_F(SteppingAside, F12MovesTheHiddenGaugeAndItShowsWhereNoFilmIs) {
    platform.gaugeMonitor = second;
    platform.foreground = film;
    platform.zOrder = {shown(film, second, second)};
    host.advance(100);
    ASSERT_TRUE(form.steppedAside());
    platform.gaugeMonitor = first;  // where Windows finds the window after the move
    platform.keyStates = {static_cast<std::int16_t>(0x8001)};
    const int queries = platform.memoryQueries;
    host.advance(250);
    EXPECT_EQ(form.left(), 15360 - 1200 * 1.05f);
    EXPECT_EQ(form.top(), 0);
    EXPECT_FALSE(form.steppedAside());
    EXPECT_EQ(platform.memoryQueries, queries + 1) << "the reading of that tick";
}

}  // namespace
}  // namespace dialvane
