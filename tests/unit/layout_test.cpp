#include <gtest/gtest.h>

#include <string>

#include "app/form1.h"
#include "tests/support/fake_platform.h"
#include "tests/support/resize_probe.h"

namespace dialvane {
namespace {

constexpr float needleAt1200 = 445.94595f;  // 1200 x 825 / 2220

class Layout : public ::testing::Test {
protected:
    void SetUp() override { form.setPicture(form.Image2.picture()); }
    void resize(float width, float height, const std::string& sizeText) {
        form.txtHeight.setText(sizeText);
        form.setWidth(width);
        form.setHeight(height);
    }
    // Offsets below the pivot, read back from where the dots and the mode label went.
    float dotOffset() const { return form.imgDot0.top() - form.SecZ.y1() + 105; }
    float labelOffset() const { return form.lblHDRAM.top() - form.SecZ.y1() + 112.5f; }

    testing::FakePlatform platform;
    testing::ResizeProbe form{platform};
};

TEST_F(Layout, WorkedValuesForSquareWindows) {
    const struct {
        float size, pivot, needle, memLeft, memTop, hub, dotLeft, dotTop, modeLeft, modeTop;
    } cases[] = {
        {1200, 600, needleAt1200, 217.5, 285, 480, 495, 838, 330, 687.5},
        {2220, 1110, 825, 727.5, 795, 990, 1005, 1639, 840, 1367.5},
    };
    for (const auto& c : cases) {
        resize(c.size, c.size, std::to_string(static_cast<int>(c.size)));
        EXPECT_EQ(form.centreX, c.pivot) << c.size;
        EXPECT_EQ(form.centreY, c.pivot) << c.size;
        EXPECT_EQ(form.SecZ.x1(), c.pivot) << c.size;
        EXPECT_EQ(form.SecZ.y1(), c.pivot) << c.size;
        EXPECT_FLOAT_EQ(form.needleLength, c.needle) << c.size;
        EXPECT_EQ(form.lbl_MEM.left(), c.memLeft) << c.size;
        EXPECT_EQ(form.lbl_MEM.top(), c.memTop) << c.size;
        EXPECT_EQ(form.ImgMitte.left(), c.hub) << c.size;
        EXPECT_EQ(form.ImgMitte.top(), c.hub) << c.size;
        for (const Image* dot : {&form.imgDot0, &form.ImgDot1}) {
            EXPECT_EQ(dot->left(), c.dotLeft) << c.size << dot->name();
            EXPECT_EQ(dot->top(), c.dotTop) << c.size << dot->name();
        }
        EXPECT_EQ(form.lblHDRAM.left(), c.modeLeft) << c.size;
        EXPECT_EQ(form.lblHDRAM.top(), c.modeTop) << c.size;

        // The dial, stretched over the whole window into the persistent background.
        ASSERT_TRUE(form.persistentDrawing().has_value()) << c.size;
        const StretchedPicture& dial = *form.persistentDrawing();
        EXPECT_EQ(dial.picture, PictureId::DialFace);
        EXPECT_EQ(dial.target.left, 0);
        EXPECT_EQ(dial.target.top, 0);
        EXPECT_EQ(dial.target.width, c.size);
        EXPECT_EQ(dial.target.height, c.size);
        EXPECT_FALSE(form.autoRedraw());
    }
    // The same size again is no change and raises nothing.
    const auto runs = form.seen.size();
    form.setWidth(2220);
    form.setHeight(2220);
    EXPECT_EQ(form.seen.size(), runs);
}

TEST_F(Layout, NonSquareWindowParksThePivotAndKeepsTheBackground) {
    resize(1200, 1200, "1200");
    form.SecZ.setX2(600);
    form.SecZ.setY2(155);
    resize(6800, 2220, "1200");

    EXPECT_EQ(form.seen.back(), (testing::ResizeProbe::Seen{6800, 2220, 10000, 10000}));
    EXPECT_EQ(form.centreX, 10000);
    EXPECT_EQ(form.centreY, 10000);
    EXPECT_FLOAT_EQ(form.needleLength, needleAt1200);  // from the text, not the window
    EXPECT_EQ(form.lbl_MEM.left(), 9617.5);
    EXPECT_EQ(form.lbl_MEM.top(), 9685);
    EXPECT_EQ(form.ImgMitte.top(), 9880);
    EXPECT_EQ(form.imgDot0.top(), 10529);  // offset from the height 2220: 634
    EXPECT_EQ(form.lblHDRAM.top(), 10257.5);
    EXPECT_EQ(form.SecZ.x2(), 600);  // the tip waits for the next needle turn
    EXPECT_EQ(form.SecZ.y2(), 155);
    ASSERT_TRUE(form.persistentDrawing().has_value());
    EXPECT_EQ(form.persistentDrawing()->target.width, 1200);
}

TEST_F(Layout, OffsetsBelowThePivotRoundHalfToEven) {
    const struct {
        float size;
        float dot, label;
    } cases[] = {
        {1200, 343, 200},     // 342.86
        {1521, 435, 254},     // label 253.5
        {1515, 433, 252},     // label 252.5
        {1198.75, 342, 200},  // dot 342.5
        {1202.25, 344, 200},  // dot 343.5
    };
    for (const auto& c : cases) {
        resize(c.size, c.size, "1200");
        EXPECT_EQ(dotOffset(), c.dot) << c.size;
        EXPECT_EQ(form.ImgDot1.top(), form.imgDot0.top()) << c.size;
        EXPECT_EQ(labelOffset(), c.label) << c.size;
    }
}

TEST_F(Layout, NeedleLengthFromTheSizeTextInTheUsersFormat) {
    const NumberFormat german{",", "."};
    const struct {
        NumberFormat format;
        const char* text;
        float needle;
    } cases[] = {
        {{}, "2220", 825},           {german, "2.220", 825}, {german, "1200,0", needleAt1200},
        {{}, "1,200", needleAt1200}, {{}, "abc", 0},         {german, "", 0},
    };
    float size = 1000;
    for (const auto& c : cases) {
        platform.format = c.format;
        form.needleLength = 123;
        size += 100;
        resize(size, size, c.text);
        EXPECT_FLOAT_EQ(form.needleLength, c.needle) << c.text;
    }
}

TEST_F(Layout, AnUnreadableSizeTextSkipsOnlyTheNeedleLength) {
    form.needleLength = 123;
    resize(1200, 1200, "abc");
    EXPECT_EQ(form.needleLength, 0);
    EXPECT_EQ(form.SecZ.y1(), 600);
    EXPECT_EQ(form.lbl_MEM.top(), 285);
    EXPECT_EQ(form.lblHDRAM.top(), 687.5);
    ASSERT_TRUE(form.persistentDrawing().has_value());
    EXPECT_EQ(form.persistentDrawing()->target.width, 1200);
}

TEST_F(Layout, ReadingLabelFollowsTheStateTheRestFollowTheNeedle) {
    resize(1200, 1200, "1200");
    form.centreX = 700;
    form.centreY = 800;
    form.SecZ.setX1(300);
    form.SecZ.setY1(400);
    form.PositionElemente();
    EXPECT_EQ(form.lbl_MEM.left(), 317.5);
    EXPECT_EQ(form.lbl_MEM.top(), 485);
    EXPECT_EQ(form.ImgMitte.left(), 180);
    EXPECT_EQ(form.ImgMitte.top(), 280);
    EXPECT_EQ(form.imgDot0.left(), 195);
    EXPECT_EQ(form.ImgDot1.top(), 638);
    EXPECT_EQ(form.lblHDRAM.left(), 30);
    EXPECT_EQ(form.lblHDRAM.top(), 487.5);
}

}  // namespace
}  // namespace dialvane
