#include <gtest/gtest.h>

#include <string>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "tests/support/needle_probe.h"

namespace dialvane {
namespace {

constexpr std::int16_t left = 1;
constexpr std::int16_t right = 2;
constexpr std::int16_t middle = 4;
constexpr Colour grey = Colour::rgb(128, 128, 128);
constexpr Colour yellow{0xFFFF};

// A 2220-twip gauge started at 1000, 1000 on a 19200 × 11520-twip screen, sweep done.
class Pointer : public ::testing::Test {
protected:
    void SetUp() override {
        platform.screenW = 19200;
        platform.store("txtHeight", "2220");
        platform.memoryLoad = 50;
        host.loadAndShow();
        host.advance(5000);
        platform.saves.clear();
    }
    // Presses at the window's top-left corner, then moves by (dx, dy) with the left button.
    void dragBy(float dx, float dy) {
        form.Form_MouseDown(left, 0, 0, 0);
        form.Form_MouseMove(left, 0, dx, dy);
    }
    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

TEST_F(Pointer, MovesSnapToTheLeftTopAndBottomEdges) {
    const struct {
        float dx, dy;
        float left, top;
    } cases[] = {
        {-951, 0, 0, 1000},       // 49 from the left edge
        {-950, 0, 50, 1000},      // 50 stays
        {-3000, -3000, 0, 0},     // beyond the edges
        {234.5, -951, 1234, 0},   // ties go to the even neighbour
        {235.5, -950, 1236, 50},  //
        {0, 8250, 1000, 9250},    // 11520 - 50 - 2220 = 9250 stays
        {0, 8251, 1000, 9300},    // one more sits flush on the bottom edge
        {0, 40000, 1000, 9300},
    };
    for (const auto& c : cases) {
        form.setLeft(1000);
        form.setTop(1000);
        dragBy(c.dx, c.dy);
        EXPECT_EQ(form.left(), c.left) << c.dx << ", " << c.dy;
        EXPECT_EQ(form.top(), c.top) << c.dx << ", " << c.dy;
    }
}

TEST_F(Pointer, AMoveWithoutAButtonChangesNothing) {
    form.Form_MouseDown(left, 0, 0, 0);
    form.Form_MouseMove(0, 0, 3000, 3000);
    EXPECT_EQ(form.left(), 1000);
    EXPECT_EQ(form.top(), 1000);
}

TEST_F(Pointer, ReleaseSavesWhereItWasLetGoThenPullsTheWindowBack) {
    const struct {
        const char* monitors;
        bool widened;
        float savedLeft;
        float leftAfter;
    } cases[] = {
        {"1", false, 18000, 16980},  // 19200 - 2220
        {"2", false, 18000, 18000},  // two screens hold it
        {"", false, 18000, 18000},   // an emptied count holds nothing back
        {"0", false, 18000, 16980},  // fewer than one monitor counts as one
        {"1", true, 18000, 12400},   // the options view is 6800 wide
        {"1", true, 15000, 12400},   // past 19200 - 6800, though not past 19200 - its height
    };

    for (const auto& c : cases) {
        form.Monis.setText(c.monitors);
        if (c.widened) {
            form.Form_MouseDown(right, 0, 100, 100);
        }
        form.setLeft(c.savedLeft);
        form.setTop(1500);
        platform.saves.clear();
        form.Form_MouseUp(left, 0, 0, 0);
        const std::string savedLeft = std::to_string(static_cast<int>(c.savedLeft));
        const std::vector<testing::SavedSetting> saved = {{"MEMTOP", "1500"},
                                                          {"MEMLeft", savedLeft}};
        EXPECT_EQ(platform.saves, saved) << c.monitors;
        EXPECT_EQ(form.MEMLeft.caption(), savedLeft);
        EXPECT_EQ(form.left(), c.leftAfter) << c.monitors << (c.widened ? " widened" : "");
        EXPECT_EQ(form.Monis.text(), c.monitors) << "the text stays as typed";
    }
}

TEST_F(Pointer, LeftAndMiddlePressesOnlyTakeHoldAndBringTheCreditLineBack) {
    for (const std::int16_t button : {left, middle}) {
        form.Label3.setCaption("Speicher aufgeräumt");
        form.Label3.setForeColor(yellow);
        form.Form_MouseDown(button, 0, 1234.5F, 77.5F);
        EXPECT_EQ(form.dragX, 1234);
        EXPECT_EQ(form.dragY, 78);
        EXPECT_EQ(form.Label3.caption(), "Dialvane 1.0");
        EXPECT_EQ(form.Label3.foreColor(), grey);
        EXPECT_EQ(form.width(), 2220);
        EXPECT_EQ(form.height(), 2220);
    }
}

TEST_F(Pointer, TheDotSwitchesTheModeBothWays) {
    host.click(left, 1110, 1110 + 634);  // the ring's middle
    EXPECT_EQ(form.lblHDRAM.caption(), "HD");
    EXPECT_FALSE(form.imgDot0.visible());
    EXPECT_TRUE(form.ImgDot1.visible());
    EXPECT_EQ(form.ImgDot1.left(), form.imgDot0.left());
    EXPECT_EQ(form.ImgDot1.top(), form.imgDot0.top());
    EXPECT_EQ(platform.stored("lblHDRAM.Caption"), "HD");
    EXPECT_EQ(form.reading, 0);
    EXPECT_EQ(form.sweepCount, 0);
    EXPECT_TRUE(form.Timer2.enabled());
    EXPECT_EQ(form.Timer2.interval(), 30);
    EXPECT_FALSE(form.Timer1.enabled());
    EXPECT_EQ(testing::needleDirection(form), -150) << "the needle drops to zero";

    host.advance(5000);
    host.click(left, 1110, 1110 + 634);
    EXPECT_EQ(form.lblHDRAM.caption(), "RAM");
    EXPECT_TRUE(form.imgDot0.visible());
    EXPECT_FALSE(form.ImgDot1.visible());
    EXPECT_EQ(platform.stored("lblHDRAM.Caption"), "RAM");
    EXPECT_TRUE(platform.saves.size() == 2U) << "only the mode, nothing from a release";
}

TEST_F(Pointer, RestartTurnsTheNeedleAroundTheOldPivotBeforeCentringIt) {
    form.centreX = form.centreY = 500;
    form.SecZ.setX1(500);
    form.SecZ.setY1(500);
    form.reading = 41.66;  // straight up
    form.RestartGauge();
    EXPECT_EQ(form.SecZ.x2(), 500);
    EXPECT_EQ(form.SecZ.y2(), 500 - 825);
    EXPECT_EQ(form.SecZ.x1(), 1110);
    EXPECT_EQ(form.centreY, 1110);
    EXPECT_TRUE(form.ImgMitte.visible());
    EXPECT_EQ(platform.windowPositions.size(), 2U) << "topmost again";
}

TEST_F(Pointer, DoubleClickCleansUpAndSweepsAgainFromTheSameReading) {
    form.reading = 50;
    platform.memoryLoad = 50;
    host.doubleClick(300, 300);
    EXPECT_EQ(platform.clipboardClears, 1);
    EXPECT_EQ(form.Label3.caption(), "Speicher aufgeräumt");
    EXPECT_EQ(form.Label3.foreColor(), yellow) << "the second press of a double-click is no press";
    EXPECT_EQ(form.reading, 50);
    EXPECT_EQ(testing::needleDirection(form), 30) << "-54.996 rounds to step -55";
    EXPECT_EQ(form.sweepCount, 0);
    EXPECT_TRUE(form.Timer2.enabled());
    EXPECT_EQ(form.width(), 2220);
}

TEST_F(Pointer, AClipboardThatStaysClosedClaimsNothing) {
    platform.clipboardHeldElsewhere = true;
    host.advance(1000);
    host.doubleClick(300, 300);
    EXPECT_EQ(form.Label3.caption(), "Dialvane 1.0");
    EXPECT_EQ(form.Label3.foreColor(), grey);
    EXPECT_FALSE(form.Timer2.enabled()) << "the handler ended before the restart";
    EXPECT_EQ(form.lastError(), ErrorCode::ClipboardUnavailable);
}

TEST_F(Pointer, ARightPressOpensTheOptionsEveryTime) {
    form.reading = 37;
    for (int press = 0; press < 2; ++press) {
        host.press(right, 600, 600);
        EXPECT_EQ(form.width(), 6800);
        EXPECT_EQ(form.height(), 2220);
        EXPECT_EQ(form.picture(), PictureId::OptionsBackground);
        EXPECT_EQ(platform.regions.back(),
                  (testing::RegionCall{testing::FakeHost::window, 453, 148, 0}));
        EXPECT_EQ(form.Frame1.left(), 2221);
        EXPECT_EQ(form.centreX, 1110);
        EXPECT_EQ(form.centreY, 1110);
        EXPECT_EQ(form.SecZ.x1(), 1110);
        EXPECT_EQ(form.needleLength, 800);
        EXPECT_EQ(form.lbl_MEM.left(), 750);
        EXPECT_EQ(form.lbl_MEM.top(), 750);
        EXPECT_EQ(form.sweepCount, 0);
        EXPECT_TRUE(form.Timer2.enabled());
        EXPECT_FALSE(form.Timer1.enabled());
        EXPECT_EQ(form.reading, 37);
        host.release(right, 600, 600);
        EXPECT_EQ(platform.stored("MEMLeft"), "1000");
    }
    EXPECT_EQ(platform.windowPositions.size(), 1U) << "opening does not restack the window";
}

}  // namespace
}  // namespace dialvane
