// CPU cost of the gauge's periodic work against the fake host: one update tick in memory
// mode and in drive mode, and one sweep tick. Run: build/native/tests/tick_benchmark
#include <benchmark/benchmark.h>

#include "app/form1.h"
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

BENCHMARK_CAPTURE(updateTick, memory, "RAM");
BENCHMARK_CAPTURE(updateTick, drive, "HD");
BENCHMARK(sweepTick);

}  // namespace
}  // namespace dialvane

BENCHMARK_MAIN();
