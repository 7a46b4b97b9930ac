#include <windows.h>

#include <gtest/gtest.h>

#include "app/form1.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// The program's window as its definition makes it, shown before any handler has run.
class LoadedProgramWindow : public testing::HostedForm<Form1> {
protected:
    void SetUp() override {
        ASSERT_EQ(platform.twipsPerPixelX(), 15) << "these tests expect 96 dpi";
        window.create();
        ASSERT_NE(window.handle(), nullptr);
        form.setVisible(true);
        ::UpdateWindow(window.handle());
        testing::pumpMessages(50);
    }
};

TEST_F(LoadedProgramWindow, HasTheLoadedSizeInPixels) {
    RECT client{};
    ::GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, 10875 / 15);
    EXPECT_EQ(client.bottom, 6150 / 15);
}

TEST_F(LoadedProgramWindow, DrawsTheNeedleWhereItsLineSays) {
    // From (1170, 1080) to (780, 1800) twips: (78, 72) to (52, 120) pixels.
    for (const double t : {0.1, 0.3, 0.5, 0.7, 0.9}) {
        const int x = static_cast<int>(78 + (52 - 78) * t + 0.5);
        const int y = static_cast<int>(72 + (120 - 72) * t + 0.5);
        EXPECT_EQ(pixel(x, y), RGB(255, 0, 0)) << x << "," << y;
    }
    EXPECT_EQ(pixel(95, 72), RGB(192, 192, 192)) << "beside the needle lies the grey form";
}

TEST_F(LoadedProgramWindow, ShowsEveryPanelControlAndNoHiddenPicture) {
    for (const Element* element :
         {static_cast<const Element*>(&form.cmd_clear), static_cast<const Element*>(&form.cmd_aus),
          static_cast<const Element*>(&form.cmd_auto), static_cast<const Element*>(&form.Monis),
          static_cast<const Element*>(&form.cmd_weiter),
          static_cast<const Element*>(&form.txtHeight)}) {
        EXPECT_TRUE(::IsWindowVisible(window.controlOf(*element))) << element->name();
    }
    // Image2 (the dial) and Image1 (black) are hidden: their places show the grey form.
    EXPECT_EQ(pixel(4320 / 15 + 74, 3210 / 15 + 74), RGB(192, 192, 192));
    EXPECT_EQ(pixel(7575 / 15 + 100, 3150 / 15 + 100), RGB(192, 192, 192));
    // The ring dot is shown at its design place, the hub too.
    EXPECT_NE(pixel(1260 / 15 + 7, 1260 / 15 + 1), RGB(192, 192, 192));
    EXPECT_NE(pixel(6780 / 15 + 8, 3570 / 15 + 8), RGB(192, 192, 192));
}

}  // namespace
}  // namespace dialvane
