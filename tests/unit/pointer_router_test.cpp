#include "framework/pointer_router.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/image.h"
#include "framework/label.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

// A form that writes down every surface event it receives.
class RecordingForm : public Form {
public:
    explicit RecordingForm(Platform& platform)
        : Form(platform),
          panel(*this, {.name = "panel"}, {3000, 0, 2000, 2000}, "", {}),
          dot(*this, {.name = "dot"}, {100, 100, 210, 210}, PictureId::DotRing),
          hub(*this, {.name = "hub", .enabled = false}, {500, 500, 240, 240}, PictureId::Hub),
          hidden(*this, {.name = "hidden", .visible = false}, {0, 0, 9000, 9000},
                 PictureId::OptionsBackground),
          reading(*this, {.name = "reading", .enabled = false}, {90, 90, 765, 315}, "", {}),
          exit(*this, {.name = "exit", .container = &panel}, {100, 100, 600, 615},
               PictureId::ExitCross) {
        define({.caption = "Probe", .bounds = {0, 0, 5000, 2000}});
        // The reading label lies on top of the dot: labels never take the pointer.
        setStacking({&panel, &reading, &hidden, &dot, &hub});
        panel.setStacking({&exit});
        dot.onClick = [this] { events.push_back("dot click"); };
        exit.onClick = [this] { events.push_back("exit click"); };
    }
    void Form_MouseDown(std::int16_t button, std::int16_t, float x, float y) override {
        events.push_back("down " + std::to_string(button) + " " + std::to_string(int(x)) + "," +
                         std::to_string(int(y)));
    }
    void Form_MouseMove(std::int16_t button, std::int16_t, float, float) override {
        events.push_back("move " + std::to_string(button));
    }
    void Form_MouseUp(std::int16_t button, std::int16_t, float, float) override {
        events.push_back("up " + std::to_string(button));
    }
    void Form_DblClick() override { events.push_back("dblclick"); }

    std::vector<std::string> events;
    Frame panel;
    Image dot;
    Image hub;
    Image hidden;
    Label reading;
    Image exit;
};

using Events = std::vector<std::string>;

class Routing : public ::testing::Test {
protected:
    testing::FakePlatform platform;
    RecordingForm form{platform};
    PointerRouter router{form};
};

TEST_F(Routing, ALeftClickOnAnEnabledPictureIsItsClickAndNothingElse) {
    router.press(1, 0, 150, 150);
    EXPECT_TRUE(router.capturing());
    router.move(1, 0, 160, 160);
    router.release(1, 0, 160, 160);
    EXPECT_FALSE(router.capturing());
    EXPECT_EQ(form.events, Events{"dot click"});
}

TEST_F(Routing, PressesPassThroughDisabledAndHiddenElementsAndLabels) {
    router.press(2, 0, 600, 600);  // the disabled hub
    router.release(2, 0, 600, 600);
    router.press(1, 0, 95, 95);  // the label over the dot's corner, outside the dot
    router.release(1, 0, 95, 95);
    EXPECT_EQ(form.events, (Events{"down 2 600,600", "up 2", "down 1 95,95", "up 1"}));
}

TEST_F(Routing, AReleaseAwayFromThePictureIsNoClick) {
    router.press(1, 0, 150, 150);
    router.release(1, 0, 2000, 150);
    EXPECT_TRUE(form.events.empty());
}

TEST_F(Routing, OnlyTheLeftButtonClicksAPicture) {
    router.press(2, 0, 150, 150);
    router.release(2, 0, 150, 150);
    router.press(4, 0, 150, 150);
    router.release(4, 0, 150, 150);
    EXPECT_TRUE(form.events.empty());
}

TEST_F(Routing, ADragStartedOnTheSurfaceKeepsGoingToTheSurface) {
    router.press(1, 0, 1000, 1000);
    router.move(1, 0, 150, 150);  // over the dot, still the form's drag
    router.press(2, 0, 150, 150);
    router.release(1, 0, 150, 150);
    router.release(2, 0, 150, 150);
    EXPECT_EQ(form.events,
              (Events{"down 1 1000,1000", "move 1", "down 2 150,150", "up 1", "up 2"}));
    EXPECT_FALSE(router.capturing());
}

TEST_F(Routing, HoveringWithoutButtonsReachesTheFormOnlyOffPictures) {
    router.move(0, 0, 1000, 1000);
    router.move(0, 0, 150, 150);
    EXPECT_EQ(form.events, Events{"move 0"});
}

TEST_F(Routing, DoubleClickOnTheSurfaceReplacesTheSecondPress) {
    router.press(1, 0, 1000, 1000);
    router.release(1, 0, 1000, 1000);
    router.doubleClick(0, 1000, 1000);
    router.release(1, 0, 1000, 1000);
    EXPECT_EQ(form.events, (Events{"down 1 1000,1000", "up 1", "dblclick", "up 1"}));
}

TEST_F(Routing, DoubleClickOnAPictureClicksItOnce) {
    router.press(1, 0, 150, 150);
    router.release(1, 0, 150, 150);
    router.doubleClick(0, 150, 150);
    router.release(1, 0, 150, 150);
    EXPECT_EQ(form.events, Events{"dot click"});
}

TEST_F(Routing, TheContextMenuKeyIsARightPressAndReleaseWhereItPoints) {
    router.contextMenuKey({1000, 1000});
    router.contextMenuKey({150, 150});  // over the dot, which a right press never clicks
    EXPECT_EQ(form.events, (Events{"down 2 1000,1000", "up 2"}));
    EXPECT_FALSE(router.capturing());
}

TEST_F(Routing, AReleaseWithoutItsPressIsIgnored) {
    router.release(1, 0, 10, 10);
    EXPECT_TRUE(form.events.empty());
}

TEST_F(Routing, APanelRaisesNoSurfaceEventsButClicksItsPictures) {
    PointerRouter panel(form, &form.panel);
    panel.press(1, 0, 10, 10);
    panel.release(1, 0, 10, 10);
    panel.press(1, 0, 200, 200);
    panel.release(1, 0, 200, 200);
    EXPECT_EQ(form.events, Events{"exit click"});
    EXPECT_EQ(panel.imageAt(200, 200), &form.exit);
    EXPECT_EQ(panel.imageAt(10, 10), nullptr);
}

TEST_F(Routing, AnErrorInAHandlerDoesNotStopTheRouting) {
    form.dot.onClick = [] { throw RuntimeError(ErrorCode::Overflow, "Overflow"); };
    router.press(1, 0, 150, 150);
    router.release(1, 0, 150, 150);
    EXPECT_EQ(form.lastError(), ErrorCode::Overflow);
    EXPECT_FALSE(router.capturing());
}

}  // namespace
}  // namespace dialvane
