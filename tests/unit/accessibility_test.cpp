#include <gtest/gtest.h>

#include <string>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

constexpr std::int16_t right = 2;

// A 2220-twip gauge started from the given mode, sweep done.
struct Gauge {
    explicit Gauge(const std::string& mode = "RAM") {
        platform.store("txtHeight", "2220");
        platform.store("lblHDRAM.Caption", mode);
        platform.memoryLoad = 45;
        host.loadAndShow();
        host.advance(5000);
    }
    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

TEST(ScreenReaderText, TheModeNamesTheWindowAndTheReadingIsItsValue) {
    const struct {
        const char* stored;
        const char* name;
    } modes[] = {{"RAM", "Dialvane, Arbeitsspeicher"},
                 {"HD", "Dialvane, Laufwerk C:"},
                 {"ram", "Dialvane, Laufwerk C:"}};  // what is not RAM reads the drive
    for (const auto& mode : modes) {
        Gauge gauge(mode.stored);
        EXPECT_EQ(gauge.form.accessibleWindowName(), mode.name) << mode.stored;
        EXPECT_EQ(gauge.form.valueLabel(), &gauge.form.lbl_MEM);
    }
    Gauge gauge;
    gauge.form.imgDot0_Click();
    EXPECT_EQ(gauge.form.accessibleWindowName(), "Dialvane, Laufwerk C:");
}

TEST(ScreenReaderText, TextBoxesTakeTheirLabelsAndTheCrossIsBeenden) {
    Gauge gauge;
    const Form1& form = gauge.form;
    EXPECT_EQ(form.accessibleNameOf(form.txtHeight), "Instrument-Größe:");
    EXPECT_EQ(form.accessibleNameOf(form.Monis), "Anzahl (max.2) Monitore:");
    EXPECT_EQ(form.accessibleNameOf(form.cmd_EXIT), "Beenden");
    // Buttons say their captions; the mode dots and labels are not offered.
    for (const Element* element :
         {static_cast<const Element*>(&form.cmd_weiter), static_cast<const Element*>(&form.imgDot0),
          static_cast<const Element*>(&form.lbl_MEM)}) {
        EXPECT_EQ(form.accessibleNameOf(*element), "") << element->name();
    }
}

TEST(HoverDetails, OnlyOnTheRoundGaugeInView) {
    const struct {
        const char* state;
        void (*bring)(Gauge&);
        bool shown;
    } states[] = {
        {"round", [](Gauge&) {}, true},
        {"options view", [](Gauge& g) { g.host.click(right, 1110, 1110); }, false},
        {"options applied",
         [](Gauge& g) {
             g.host.click(right, 1110, 1110);
             g.form.cmd_weiter_Click();
         },
         true},
        {"out of a full-screen program's way", [](Gauge& g) { g.form.setSteppedAside(true); },
         false},
        {"hidden", [](Gauge& g) { g.form.setVisible(false); }, false},
    };
    for (const auto& state : states) {
        Gauge gauge;
        state.bring(gauge);
        EXPECT_EQ(gauge.form.detailsOnHover(), state.shown) << state.state;
    }
}

// Pressed on the round gauge and again in the options view, the key leaves the program as a
// right click on the dial's centre (1110, 1110 in both) leaves it.
TEST(ContextMenuKey, DoesWhatARightClickOnTheDialsCentreDoes) {
    constexpr float centre = 1110;
    Gauge byKey;
    Gauge byMouse;
    for (int press = 0; press < 2; ++press) {
        byKey.platform.saves.clear();
        byMouse.platform.saves.clear();
        byKey.form.Label3.setCaption("Speicher aufgeräumt");
        byMouse.form.Label3.setCaption("Speicher aufgeräumt");
        byKey.host.pointer().contextMenuKey(byKey.form.contextPoint());
        byMouse.host.click(right, centre, centre);
        EXPECT_EQ(byKey.form.width(), 6800);
        EXPECT_EQ(byKey.form.width(), byMouse.form.width());
        EXPECT_EQ(byKey.form.left(), byMouse.form.left());
        EXPECT_EQ(byKey.form.dragX, byMouse.form.dragX);
        EXPECT_EQ(byKey.form.dragY, byMouse.form.dragY);
        EXPECT_EQ(byKey.form.Label3.caption(), byMouse.form.Label3.caption());
        EXPECT_EQ(byKey.platform.saves, byMouse.platform.saves);
        EXPECT_FALSE(byKey.platform.saves.empty()) << "the release saves the position";
        EXPECT_FALSE(byKey.host.pointer().capturing());
    }
}

}  // namespace
}  // namespace dialvane
