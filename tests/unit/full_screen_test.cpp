#include <gtest/gtest.h>

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
constexpr WindowHandle shell = FakePlatform::shellWindow;
constexpr WindowHandle desktop = FakePlatform::desktopWindow;
constexpr ScreenRect first = FakePlatform::firstMonitor;
constexpr ScreenRect second{1024, -128, 2304, 896};
constexpr ScreenRect beyond{-3, -3, 1030, 770};
constexpr ScreenRect oneShort{0, 0, 1023, 768};
constexpr ScreenRect workArea{-8, -8, 1032, 736};  // maximised, frame past the edges
constexpr ScreenRect noTaskbar{-8, -8, 1032, 776};
constexpr ScreenRect small{9, 9, 99, 99};
constexpr std::int32_t accepts = 5;

// What a row changes in a shown window of another program.
using Change = void (*)(TopLevelWindow&);
constexpr Change maximised = [](TopLevelWindow& w) {
    w.style = wsMaximize | wsCaption | wsThickFrame;
};
constexpr Change sizingFrame = [](TopLevelWindow& w) { w.style = wsMaximize | wsThickFrame; };
constexpr Change borderless = [](TopLevelWindow& w) { w.style = wsMaximize; };
constexpr Change hidden = [](TopLevelWindow& w) { w.place.visible = false; };
constexpr Change minimised = [](TopLevelWindow& w) { w.place.minimised = true; };
constexpr Change topmost = [](TopLevelWindow& w) { w.topmost = true; };
constexpr Change ours = [](TopLevelWindow& w) { w.process = FakePlatform::ownProcess; };
constexpr Change wallpaper = [](TopLevelWindow& w) { w.className = "WorkerW"; };
constexpr Change progman = [](TopLevelWindow& w) { w.className = "Progman"; };

TopLevelWindow shown(WindowHandle handle, ScreenRect rect = first, ScreenRect monitor = first,
                     Change change = nullptr) {
    TopLevelWindow window;
    window.handle = handle;
    window.place = {rect, true, false};
    window.process = 9;
    window.monitor = monitor;
    if (change != nullptr) {
        change(window);
    }
    return window;
}

TEST(FullScreen, TheFirstWindowLeftOnTheGaugesMonitorCoversIt) {
    const struct {
        const char* name;
        std::vector<TopLevelWindow> windows;  // from the top
        WindowHandle front;
        WindowHandle cover;
        // Windows asks dwmapi for cloaking: only of windows that would decide.
        std::size_t cloakQuestions;
        std::int32_t state = accepts;
        std::vector<WindowHandle> cloaked = {};
    } cases[] = {
        {"fills the monitor", {shown(other)}, other, other, 1},
        {"reaches past it", {shown(other, beyond)}, other, other, 1},
        {"one pixel short", {shown(other, oneShort)}, other, 0, 1},
        {"maximised beside the taskbar", {shown(other, workArea, first, maximised)}, other, 0, 1},
        {"maximised, no taskbar", {shown(other, noTaskbar, first, maximised)}, other, 0, 1},
        {"maximised, own title bar", {shown(other, first, first, maximised)}, other, 0, 1},
        {"maximised, frame only", {shown(other, noTaskbar, first, sizingFrame)}, other, 0, 1},
        {"maximised borderless game", {shown(other, first, first, borderless)}, other, other, 1},
        {"on the other monitor", {shown(other, second, second)}, other, 0, 0},
        {"one of ours", {shown(other, first, first, ours)}, other, 0, 0},
        {"the shell's window", {shown(shell)}, shell, 0, 0},
        {"the desktop", {shown(desktop)}, desktop, 0, 0},
        {"the shell's wallpaper", {shown(other, first, first, wallpaper)}, other, 0, 0},
        {"the program manager", {shown(other, first, first, progman)}, other, 0, 0},
        {"gone", {}, other, 0, 0},
        {"no foreground", {}, 0, 0, 0},
        {"a film, the user elsewhere", {shown(other, small, second), shown(film)}, other, film, 1},
        {"an ordinary window over the film", {shown(other, small), shown(film)}, film, 0, 1},
        {"a hidden window over it", {shown(other, small, first, hidden), shown(film)}, 0, film, 1},
        {"minimised over it", {shown(other, small, first, minimised), shown(film)}, 0, film, 1},
        {"a topmost gadget", {shown(other, small, first, topmost), shown(film)}, film, film, 1},
        {"topmost and full screen", {shown(film, first, first, topmost)}, 0, film, 1},
        {"a cloaked window", {shown(other, small), shown(film)}, film, film, 2, accepts, {other}},
        {"cloaked itself", {shown(film)}, film, 0, 1, accepts, {film}},
        {"Windows says busy", {shown(other, small)}, other, other, 1, qunsBusy},
        {"a Direct3D game", {shown(other, small)}, other, other, 1, qunsRunningD3dFullScreen},
        {"a presentation", {shown(other, small)}, other, other, 1, qunsPresentationMode},
        {"busy on the other monitor", {shown(other, second, second)}, other, 0, 0, qunsBusy},
        {"busy, ours in front", {shown(other, small, first, ours)}, other, 0, 0, qunsBusy},
    };
    for (const auto& c : cases) {
        FakePlatform platform;
        platform.zOrder = c.windows;
        platform.foreground = c.front;
        platform.cloaked = c.cloaked;
        platform.notificationState = c.state;
        EXPECT_EQ(fullScreenCover(platform, testing::FakeHost::window), c.cover) << c.name;
        EXPECT_EQ(platform.cloakQuestions.size(), c.cloakQuestions) << c.name;
    }
    FakePlatform platform;
    platform.gaugeMonitor = second;
    platform.zOrder = {shown(film, second, second), shown(other)};
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
    platform.zOrder = {shown(film)};
    host.advance(30);
    EXPECT_TRUE(form.steppedAside() && form.visible());
    EXPECT_TRUE(form.Timer1.enabled() && !form.Timer2.enabled()) << "the sweep ends";
    const int queries = platform.memoryQueries;
    const int needleChanges = host.changesOf(form.SecZ);
    const int ticks = host.ticksOf(form.Timer1);
    host.advance(1000);
    EXPECT_EQ(host.ticksOf(form.Timer1) - ticks, 4) << "a tick every 250 ms";
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
    platform.zOrder.push_back(shown(film));
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
