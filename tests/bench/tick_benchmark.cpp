// CPU cost of the gauge's periodic work against the fake host: one update tick in memory
// mode and in drive mode, one sweep tick, and the full-screen watch's look at every tick and
// its walk of a desktop's windows. Run: build/native/tests/tick_benchmark
#include <benchmark/benchmark.h>

#include "app/form1.h"
#include "window/full_screen.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

struct Gauge {
    explicit Gauge(const char* mode) {
        platform.memoryLoad = 47;
        platform.drives['C'] = {8, 512, 20'000'000, 61'000'000, false};
        host.loadAndShow();
        form.lblHDRAM.setCaption(mode);
    }
    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

void updateTick(benchmark::State& state, const char* mode) {
    Gauge gauge(mode);
    for (auto _ : state) {
        gauge.form.Timer1_Timer();
        benchmark::DoNotOptimize(gauge.form.reading);
    }
}

void sweepTick(benchmark::State& state) {
    Gauge gauge("RAM");
    gauge.platform.memoryLoad = 100;
    for (auto _ : state) {
        gauge.form.sweepCount = 50;
        gauge.form.Timer2_Timer();
        benchmark::DoNotOptimize(gauge.form.reading);
    }
}

// A desktop as Windows has it: hundreds of top-level windows, most of them hidden, a few shown,
// the one in front among them; all on the other monitor, so the walk goes to the end.
void fillDesktop(testing::FakePlatform& platform) {
    for (WindowHandle handle = 0x40000; handle < 0x40000 + 300; ++handle) {
        TopLevelWindow window;
        window.handle = handle;
        window.place.visible = handle % 25 == 0;
        window.place.rect = {40, 40, 640, 480};
        window.process = 9;
        window.monitor = {1024, 0, 2048, 768};
        platform.zOrder.push_back(window);
    }
    platform.foreground = 0x40000 + 25;
}

void fullScreenLook(benchmark::State& state) {
    Gauge gauge("RAM");
    fillDesktop(gauge.platform);
    FullScreenWatch watch;
    const Bounds place{1000, 1000, 1200, 1200};
    for (auto _ : state) {
        benchmark::DoNotOptimize(watch.walkDue(gauge.platform, gauge.host.window, place, 0));
    }
}

void fullScreenWalk(benchmark::State& state) {
    Gauge gauge("RAM");
    fillDesktop(gauge.platform);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fullScreenCover(gauge.platform, gauge.host.window));
    }
}

BENCHMARK_CAPTURE(updateTick, memory, "RAM");
BENCHMARK_CAPTURE(updateTick, drive, "HD");
BENCHMARK(sweepTick);
BENCHMARK(fullScreenLook);
BENCHMARK(fullScreenWalk);

}  // namespace
}  // namespace dialvane

BENCHMARK_MAIN();
