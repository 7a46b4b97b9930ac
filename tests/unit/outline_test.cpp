#include <gtest/gtest.h>

#include <vector>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

using testing::FakeHost;
using testing::RegionCall;

struct Instrument {
    testing::FakePlatform platform;
    Form1 form{platform};
    FakeHost host{form};
};

// The round outline is private to the window; start-up is where it is made.
TEST(Outline, RoundOutlineOfTheStartSize) {
    const struct {
        float tppX, tppY;
        const char* size;
        std::int32_t width, height;
    } cases[] = {
        {15, 15, "2220", 148, 148}, {15, 15, "1200", 80, 80},  {15, 15, "1267.5", 84, 84},
        {15, 15, "1282.5", 86, 86}, {15, 15, "1288", 86, 86},  {15, 15, "2500", 167, 167},
        {12, 12, "2500", 208, 208},  // beyond the corner of 170: a rounded square
        {12, 12, "800", 67, 67},    {15, 12, "1200", 80, 100},
    };
    for (const auto& c : cases) {
        Instrument run;
        run.platform.tppX = c.tppX;
        run.platform.tppY = c.tppY;
        run.platform.store("txtHeight", c.size);
        run.host.loadAndShow();
        const std::vector<RegionCall> expected = {{FakeHost::window, c.width, c.height, 170}};
        EXPECT_EQ(run.platform.regions, expected) << c.size << " at " << c.tppX;
    }
}

TEST(Outline, SquareCornersForTheWideWindow) {
    const struct {
        float tpp;
        std::int32_t width, height;
    } cases[] = {{15, 453, 148}, {12, 567, 185}};
    for (const auto& c : cases) {
        testing::FakePlatform platform;
        Form1 form(platform);
        form.attachWindow(0x77);
        platform.tppX = platform.tppY = c.tpp;
        form.setWidth(6800);
        form.setHeight(2220);
        form.Eckig();
        const std::vector<RegionCall> expected = {{0x77, c.width, c.height, 0}};
        EXPECT_EQ(platform.regions, expected) << c.tpp;
    }
}

TEST(Outline, ASizeChangeAloneKeepsTheOldOutline) {
    Instrument run;
    run.host.loadAndShow();
    run.form.setWidth(2220);
    run.form.setHeight(2220);
    ASSERT_EQ(run.platform.regions.size(), 1U);
    EXPECT_EQ(run.platform.regions[0].width, 80);
}

TEST(Stacking, TopmostWithoutMovingSizingOrActivating) {
    testing::FakePlatform platform;
    Form1 form(platform);
    form.TopWindow(0x55);
    const std::vector<testing::WindowPosCall> expected = {{0x55, -1, 0, 0, 0, 0, 0x13}};
    EXPECT_EQ(platform.windowPositions, expected);
}

}  // namespace
}  // namespace dialvane
