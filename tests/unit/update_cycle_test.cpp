#include <gtest/gtest.h>

#include "app/form1.h"
#include "framework/numeric.h"
#include "gauge/scale.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "tests/support/needle_probe.h"

namespace dialvane {
namespace {

using testing::needleDirection;

TEST(ScaleMapping, ReadingsToStepsAndDirections) {
    const struct {
        double reading;
        double compressed;
        int step;
        int direction;
    } cases[] = {
        {0, 0, -85, -150},      {10, 10, -79, -114}, {25, 25, -70, -60}, {40, 40, -61, -6},
        {41.66, 41.66, -60, 0}, {50, 50, -55, 30},   {60, 60, -49, 66},  {61, 60.6, -49, 66},
        {70, 66, -45, 90},      {80, 72, -42, 108},  {90, 78, -38, 132}, {100, 84, -35, 150},
    };
    testing::FakePlatform platform;
    Form1 form(platform);
    testing::placeNeedle(form);
    for (const auto& c : cases) {
        const double v = compressed(c.reading);
        EXPECT_NEAR(v, c.compressed, 1e-9) << c.reading;
        EXPECT_EQ(toInt16(scalePosition(v)), c.step) << c.reading;
        form.Drehen(scalePosition(v));
        EXPECT_EQ(needleDirection(form), c.direction) << c.reading;
    }
    EXPECT_EQ(compressed(60), 60);  // exactly 60 stays
}

class Cycle : public ::testing::Test {
protected:
    void SetUp() override {
        testing::placeNeedle(form);
        platform.screenW = 19200;
        form.setWidth(1200);
        form.setHeight(1200);
    }
    // Runs the sweep to its end; returns the sweep ticks and the direction before the last.
    struct Sweep {
        int ticks;
        int lastDirection;
        int needleMoves;
    };
    Sweep sweep() {
        form.StartSweep();
        host.forgetChanges();
        int ticks = 0;
        while (form.Timer2.enabled() && ticks < 200) {
            host.runUntilTick(form.Timer2);
            ++ticks;
        }
        return {ticks, needleDirection(form), host.changesOf(form.SecZ)};
    }

    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

TEST_F(Cycle, StartSweepArmsTheSweepTimer) {
    form.sweepCount = 12;
    form.Timer1.setEnabled(true);
    form.StartSweep();
    EXPECT_EQ(form.sweepCount, 0);
    EXPECT_FALSE(form.Timer1.enabled());
    EXPECT_EQ(form.Timer1.interval(), 100);
    EXPECT_TRUE(form.Timer2.enabled());
    EXPECT_EQ(form.Timer2.interval(), 30);
}

TEST_F(Cycle, MemoryLoad45SweepsThenUpdates) {
    platform.memoryLoad = 45;
    const Sweep result = sweep();
    EXPECT_EQ(result.ticks, 45);  // ticks 1 to 44 move, 45 ends
    EXPECT_EQ(result.lastDirection, 6);
    EXPECT_EQ(host.now(), 45 * 30);
    EXPECT_FALSE(form.Timer2.enabled());
    EXPECT_TRUE(form.Timer1.enabled());
    host.runUntilTick(form.Timer1);
    EXPECT_EQ(host.now(), 45 * 30 + 100);
    EXPECT_EQ(needleDirection(form), 12);
    EXPECT_EQ(form.lbl_MEM.caption(), "45 %");
}

TEST_F(Cycle, SweepsOfSeveralReadings) {
    const struct {
        std::uint32_t load;
        int ticks;
        int lastDirection;    // where the sweep leaves the needle
        int updateDirection;  // after the first update tick
        double readingAfter;  // compressed in place
    } cases[] = {
        {80, 80, 132, 108, 72},
        {99, 99, -156, 150, 83.4},
        {100, 100, -156, 150, 84},
        {1, 1, 0, -144, 1},
    };
    for (const auto& c : cases) {
        testing::placeNeedle(form);
        form.Drehen(0);
        platform.memoryLoad = c.load;
        const Sweep result = sweep();
        EXPECT_EQ(result.ticks, c.ticks) << c.load;
        EXPECT_EQ(result.lastDirection, c.lastDirection) << c.load;
        host.runUntilTick(form.Timer1);
        EXPECT_EQ(needleDirection(form), c.updateDirection) << c.load;
        EXPECT_NEAR(form.reading, c.readingAfter, 1e-9) << c.load;
    }
}

TEST_F(Cycle, DriveFill45Point3TakesFortySixTicks) {
    form.lblHDRAM.setCaption("HD");
    // 45.3 % used: 453 of 1000 clusters of 1 MB.
    platform.drives['C'] = {2048, 512, 547, 1000, false};
    const Sweep result = sweep();
    EXPECT_EQ(result.ticks, 46);
    EXPECT_EQ(form.lbl_MEM.caption(), "45.3 %");
}

TEST_F(Cycle, ReadingZeroEndsAtOnceAndLeavesTheNeedle) {
    platform.memoryLoad = 0;
    form.Drehen(0);
    const Sweep result = sweep();
    EXPECT_EQ(result.ticks, 1);
    EXPECT_EQ(result.needleMoves, 0);
    EXPECT_EQ(result.lastDirection, 0);
    host.runUntilTick(form.Timer1);
    EXPECT_EQ(needleDirection(form), -150);
}

TEST_F(Cycle, NotEverySweepTickMovesTheNeedle) {
    platform.memoryLoad = 50;
    form.StartSweep();
    host.runUntilTick(form.Timer2);
    EXPECT_EQ(needleDirection(form), -144);
    host.runUntilTick(form.Timer2);
    EXPECT_EQ(needleDirection(form), -144);
    host.runUntilTick(form.Timer2);
    EXPECT_EQ(needleDirection(form), -138);  // step -143
}

TEST_F(Cycle, F12RecallsOnlyOnAFreshPressWhileUpdating) {
    platform.memoryLoad = 2;
    sweep();
    form.setLeft(30000);
    form.setTop(5000);
    platform.keyStates = {static_cast<std::int16_t>(0x8000), 0x0001};
    host.runUntilTick(form.Timer1);
    host.runUntilTick(form.Timer1);
    EXPECT_EQ(form.left(), 30000);
    EXPECT_EQ(form.top(), 5000);

    platform.keyStates = {static_cast<std::int16_t>(0x8001)};
    host.runUntilTick(form.Timer1);
    EXPECT_EQ(form.left(), 17940);  // 19200 - 1200 x 1.05, on the primary screen
    EXPECT_EQ(form.top(), 0);
    EXPECT_TRUE(form.visible());
}

TEST_F(Cycle, F12IsNotPolledDuringTheSweep) {
    platform.memoryLoad = 90;
    form.setLeft(500);
    platform.keyStates = {static_cast<std::int16_t>(0x8001)};
    form.StartSweep();
    host.advance(30 * 50);
    EXPECT_EQ(platform.keyQueries, 0);
    EXPECT_EQ(form.left(), 500);
}

TEST_F(Cycle, TheTwoTimersNeverRunTogether) {
    platform.memoryLoad = 30;
    form.StartSweep();
    for (int step = 0; step < 400; ++step) {
        host.advance(7);
        EXPECT_FALSE(form.Timer1.enabled() && form.Timer2.enabled());
    }
    EXPECT_TRUE(form.Timer1.enabled());
}

}  // namespace
}  // namespace dialvane
