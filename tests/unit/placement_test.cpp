#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "framework/number_text.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "window/monitors.h"

namespace dialvane {
namespace {

using Layout = std::vector<TwipsRect>;

// The primary is 1024 x 768 pixels at 15 twips a pixel; the second 1024 x 768 or 800 x 600.
constexpr TwipsRect primary{0, 0, 15360, 11520};
const Layout sideBySide{primary, {15360, 0, 30720, 11520}};
const Layout leftOfIt{primary, {-15360, 0, 0, 11520}};
const Layout stacked{primary, {0, 11520, 15360, 23040}};
const Layout shorter{primary, {15360, 0, 27360, 9000}};
const Layout gone{primary};

// A 1200-twip gauge started from the stored monitor count and place, then, if a row says so,
// pressed at its top-left corner, dragged by (dx, dy) and let go.
TEST(Placement, InSightOnTheMonitorsAfterStartAndRelease) {
    const struct {
        const char* name;
        const Layout& layout;
        const char* monitors;
        float left, top;
        std::optional<Point> drag;
        float leftAfter, topAfter;
    } cases[] = {
        {"restored on the second monitor", sideBySide, "2", 20000, 1500, {}, 20000, 1500},
        {"held at the start limit", sideBySide, "2", 40000, 1500, {}, 29520, 1500},
        {"straddling two monitors", sideBySide, "2", 14800, 1500, {}, 14800, 1500},
        {"its monitor gone", gone, "2", 20000, 1500, {}, 14160, 1500},
        {"half off the only monitor", gone, "1", 14000, 10900, {}, 14000, 10900},
        {"on a monitor left of the primary", leftOfIt, "1", -8000, 1500, {}, -8000, 1500},
        {"left of every monitor", leftOfIt, "1", -20000, 1500, {}, -15360, 1500},
        {"left of the only monitor", gone, "1", -5000, 1500, {}, 0, 1500},
        {"on the lower monitor", stacked, "1", 1000, 15000, {}, 1000, 15000},
        {"below every monitor", stacked, "1", 1000, 30000, {}, 1000, 21840},
        {"below the shorter second monitor", shorter, "2", 20000, 10000, {}, 20000, 7800},
        {"dragged across onto the second", sideBySide, "2", 1000, 1000, Point{20000, 0}, 21000,
         1000},
        {"dragged past the right of both", sideBySide, "2", 1000, 1000, Point{29000, 0}, 29520,
         1000},
        {"snapped to the top on the second", sideBySide, "2", 20000, 1000, Point{0, -960}, 20000,
         0},
        {"snapped to the primary's bottom on the second", sideBySide, "2", 20000, 1000,
         Point{0, 9300}, 20000, 10320},
        {"dragged down the shorter second", shorter, "2", 20000, 1000, Point{0, 7500}, 20000, 7800},
        {"dragged where its monitor was", gone, "2", 1000, 1000, Point{20000, 0}, 14160, 1000},
        {"dragged left: the left snap holds it", leftOfIt, "1", 1000, 1000, Point{-8000, 0}, 0,
         1000},
        {"dragged down: the bottom snap holds it", stacked, "1", 1000, 1000, Point{0, 13000}, 1000,
         10320},
    };
    for (const auto& c : cases) {
        testing::FakePlatform platform;
        platform.monitors = c.layout;
        platform.store("Monis", c.monitors);
        platform.store("MEMLeft", singleToText(c.left, {}));
        platform.store("MEMTOP", singleToText(c.top, {}));
        Form1 form(platform);
        testing::FakeHost host(form);
        host.loadAndShow();
        if (c.drag) {
            form.Form_MouseDown(1, 0, 0, 0);
            form.Form_MouseMove(1, 0, c.drag->x, c.drag->y);
            const std::string letGo =
                singleToText(form.left(), {}) + " " + singleToText(form.top(), {});
            form.Form_MouseUp(1, 0, c.drag->x, c.drag->y);
            EXPECT_EQ(platform.stored("MEMLeft") + " " + platform.stored("MEMTOP"), letGo)
                << c.name << ": saved as let go";
        }
        EXPECT_EQ(form.left(), c.leftAfter) << c.name;
        EXPECT_EQ(form.top(), c.topAfter) << c.name;
        EXPECT_TRUE(inSight(c.layout, {form.left(), form.top(), form.width(), form.height()}))
            << c.name;
    }
}

// The second monitor unplugged and plugged in again, as the host reports it.
class MonitorsComeAndGo : public ::testing::Test {
protected:
    void SetUp() override {
        platform.monitors = sideBySide;
        platform.store("Monis", "2");
        platform.store("MEMLeft", "20000");
        platform.store("MEMTOP", "1500");
        host.loadAndShow();
        host.advance(5000);
    }
    void layout(const Layout& monitors) {
        platform.monitors = monitors;
        form.Form_DisplayChanged();
    }
    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

TEST_F(MonitorsComeAndGo, ItGoesOntoThePrimaryAndBackUnsaved) {
    layout(gone);
    EXPECT_EQ(form.left(), 14160);
    EXPECT_EQ(form.top(), 1500);
    layout(gone);  // news of the same layout
    layout(stacked);
    EXPECT_EQ(form.left(), 14160) << "its place is on no monitor of this layout";
    layout(sideBySide);
    EXPECT_EQ(form.left(), 20000);
    EXPECT_EQ(form.top(), 1500);
    EXPECT_TRUE(platform.saves.empty());
    layout(sideBySide);
    EXPECT_EQ(form.left(), 20000) << "in sight: never moved";
}

// Let go below the shorter second monitor, it was pulled up: that is where it comes back to.
TEST_F(MonitorsComeAndGo, PulledUpAtAReleaseItComesBackWhereItStood) {
    layout(shorter);
    form.Form_MouseDown(1, 0, 0, 0);
    form.Form_MouseMove(1, 0, 0, 7000);
    form.Form_MouseUp(1, 0, 0, 7000);
    ASSERT_EQ(form.top(), 7800);
    layout(gone);
    EXPECT_EQ(form.left(), 14160);
    layout(shorter);
    EXPECT_EQ(form.left(), 20000);
    EXPECT_EQ(form.top(), 7800);
}

TEST_F(MonitorsComeAndGo, MovedMeanwhileItStaysWhereTheUserPutIt) {
    layout(gone);
    form.Form_MouseDown(1, 0, 0, 0);
    form.Form_MouseMove(1, 0, -3000, 0);
    form.Form_MouseUp(1, 0, -3000, 0);
    EXPECT_EQ(platform.stored("MEMLeft"), "11160");
    layout(sideBySide);
    EXPECT_EQ(form.left(), 11160);

    // F12 moves it too.
    layout(gone);
    form.setLeft(20000);
    layout(gone);
    ASSERT_EQ(form.left(), 14160);
    platform.keyStates = {static_cast<std::int16_t>(0x8001)};
    host.advance(100);
    layout(sideBySide);
    EXPECT_EQ(form.left(), 15360 - 1260);
    EXPECT_EQ(form.top(), 0);
}

}  // namespace
}  // namespace dialvane
