#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/form1.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

std::string fullName(const Element& element) {
    return element.index() < 0 ? element.name()
                               : element.name() + "(" + std::to_string(element.index()) + ")";
}

class LoadedWindow : public ::testing::Test {
protected:
    testing::FakePlatform platform;
    Form1 form{platform};
};

TEST_F(LoadedWindow, HasTwentyFourElementObjectsAndNoLabel4MemberTwo) {
    EXPECT_EQ(form.elements().size(), 24U);
    EXPECT_EQ(form.Label4.count(), 3U);
    EXPECT_TRUE(form.Label4.contains(0));
    EXPECT_TRUE(form.Label4.contains(1));
    EXPECT_FALSE(form.Label4.contains(2));
    EXPECT_TRUE(form.Label4.contains(3));
    try {
        form.Label4(2);
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.code(), ErrorCode::ControlArrayElementMissing);
    }
    std::vector<std::string> names;
    for (const Element* element : form.elements()) {
        names.push_back(fullName(*element));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "duplicate element";
}

TEST_F(LoadedWindow, WindowItself) {
    EXPECT_EQ(form.caption(), "Dialvane");
    EXPECT_EQ(form.width(), 10875);
    EXPECT_EQ(form.height(), 6150);
    EXPECT_EQ(form.scaleWidth(), 10875);
    EXPECT_EQ(form.backColor(), Colour::rgb(192, 192, 192));
    EXPECT_EQ(form.picture(), PictureId::None);
    EXPECT_FALSE(form.visible());
}

TEST_F(LoadedWindow, VisibilityAndEnabledFlags) {
    const std::map<std::string, std::pair<bool, bool>> expected = {
        {"Frame1", {true, true}},   {"Image1", {false, true}},  {"lblHDRAM", {true, false}},
        {"imgDot0", {true, true}},  {"ImgDot1", {false, true}}, {"ImgMitte", {true, false}},
        {"Image2", {false, true}},  {"MEMTOP", {false, true}},  {"MEMLeft", {false, true}},
        {"lbl_MEM", {true, false}}, {"SecZ", {true, true}},     {"cmd_EXIT", {true, true}},
        {"cmd_auto", {true, true}}, {"cmd_aus", {true, true}},  {"Label3", {true, true}},
        {"Timer1", {false, false}}, {"Timer2", {false, false}},
    };
    for (const Element* element : form.elements()) {
        const auto found = expected.find(element->name());
        if (found == expected.end()) {
            continue;
        }
        EXPECT_EQ(element->visible(), found->second.first) << element->name();
        EXPECT_EQ(element->enabled(), found->second.second) << element->name();
    }
    EXPECT_EQ(form.Timer1.interval(), 1000);
    EXPECT_EQ(form.Timer2.interval(), 1000);
}

TEST_F(LoadedWindow, GeometryTextsAndColours) {
    EXPECT_EQ(form.Frame1.left(), 2460);
    EXPECT_EQ(form.Frame1.top(), -60);
    EXPECT_EQ(form.lbl_MEM.caption(), "");
    EXPECT_EQ(form.lbl_MEM.foreColor(), Colour::rgb(255, 128, 0));
    EXPECT_EQ(form.lbl_MEM.pointer(), PointerId::Hand);
    EXPECT_EQ(form.lblHDRAM.caption(), "RAM");
    EXPECT_EQ(form.lblHDRAM.alignment(), Alignment::Centre);
    EXPECT_EQ(form.lblHDRAM.font(), (Font{"MS Serif", 6.75F, 400, FontFamily::Serif}));
    EXPECT_EQ(form.cmd_weiter.font(), (Font{"MS Sans Serif", 9.75F, 700}));
    EXPECT_EQ(form.cmd_clear.caption(), "Speicher aufräumen");
    EXPECT_EQ(form.Label4(0).caption(), "Instrument-Größe:");
    EXPECT_EQ(form.Label4(3).foreColor(), Colour::rgb(192, 64, 0));
    EXPECT_EQ(form.Label3.caption(), "Dialvane 1.0");
    EXPECT_EQ(form.Label3.foreColor(), Colour::rgb(128, 128, 128));
    EXPECT_EQ(form.Label3.container(), &form.Frame1);
    EXPECT_EQ(form.txtHeight.text(), "2220");
    EXPECT_EQ(form.Monis.text(), "2");
    EXPECT_EQ(form.SecZ.x1(), 1170);
    EXPECT_EQ(form.SecZ.y1(), 1080);
    EXPECT_EQ(form.SecZ.x2(), 780);
    EXPECT_EQ(form.SecZ.y2(), 1800);
    EXPECT_EQ(form.SecZ.widthPixels(), 4);
    EXPECT_EQ(form.SecZ.colour(), Colour::rgb(255, 0, 0));
}

TEST_F(LoadedWindow, PicturesTakeTheirNaturalSize) {
    EXPECT_EQ(form.Image2.width(), 2220);
    EXPECT_EQ(form.Image2.height(), 2235);
    EXPECT_EQ(form.cmd_EXIT.width(), 600);
    EXPECT_EQ(form.cmd_EXIT.height(), 615);
    EXPECT_EQ(form.imgDot0.width(), 210);
    EXPECT_EQ(form.ImgMitte.height(), 240);
    EXPECT_EQ(form.Image1.width(), 9270);

    testing::FakePlatform highDpi;
    highDpi.tppX = highDpi.tppY = 12;
    const Form1 large(highDpi);
    EXPECT_EQ(large.imgDot0.width(), 168);
    EXPECT_EQ(large.Image2.height(), 1788);
}

TEST_F(LoadedWindow, TabOrderAndFirstFocus) {
    std::vector<std::pair<int, std::string>> focusable;
    for (const Element* element : form.elements()) {
        if (element->kind() == ElementKind::TextBox ||
            element->kind() == ElementKind::CommandButton) {
            focusable.emplace_back(element->tabIndex(), element->name());
        }
    }
    std::sort(focusable.begin(), focusable.end());
    const std::vector<std::pair<int, std::string>> expected = {{4, "txtHeight"}, {7, "cmd_weiter"},
                                                               {9, "Monis"},     {11, "cmd_auto"},
                                                               {12, "cmd_aus"},  {13, "cmd_clear"}};
    EXPECT_EQ(focusable, expected);
}

TEST_F(LoadedWindow, StackingOrder) {
    std::vector<std::string> window;
    for (const Element* element : form.stacking()) {
        window.push_back(fullName(*element));
    }
    EXPECT_EQ(window, (std::vector<std::string>{"Frame1", "Image1", "lblHDRAM", "imgDot0",
                                                "ImgDot1", "ImgMitte", "Image2", "MEMTOP",
                                                "MEMLeft", "lbl_MEM", "SecZ"}));
    std::vector<std::string> panel;
    for (const Element* element : form.Frame1.stacking()) {
        panel.push_back(fullName(*element));
    }
    EXPECT_EQ(panel, (std::vector<std::string>{"cmd_clear", "cmd_aus", "cmd_auto", "Monis",
                                               "cmd_weiter", "txtHeight", "Label4(3)", "Label4(1)",
                                               "cmd_EXIT", "Label3", "Label4(0)"}));
    // Everything in the panel stacking really lives in the panel, and vice versa.
    for (const Element* element : form.Frame1.stacking()) {
        EXPECT_EQ(element->container(), &form.Frame1) << fullName(*element);
    }
}

TEST_F(LoadedWindow, WindowStateStartsAtZero) {
    EXPECT_EQ(form.centreX, 0);
    EXPECT_EQ(form.centreY, 0);
    EXPECT_EQ(form.needleLength, 0);
    EXPECT_EQ(form.dragX, 0);
    EXPECT_EQ(form.dragY, 0);
    EXPECT_EQ(form.reading, 0);
    EXPECT_EQ(form.sweepCount, 0);
}

}  // namespace
}  // namespace dialvane
