#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "tests/support/resize_probe.h"

namespace dialvane {
namespace {

using testing::FakeHost;
using Seen = testing::ResizeProbe::Seen;

using Store = std::vector<std::pair<std::string, std::string>>;

// One run of the program on a 19200-twip screen with a second one of its size right of it,
// from whatever the store holds.
struct Instrument {
    explicit Instrument(const Store& stored = {}, NumberFormat format = {}) {
        platform.screenW = 19200;
        platform.monitors = {{0, 0, 19200, 11520}, {19200, 0, 38400, 11520}};
        platform.format = std::move(format);
        for (const auto& [key, value] : stored) {
            platform.store(key, value);
        }
        host.loadAndShow();
    }
    testing::FakePlatform platform;
    testing::ResizeProbe form{platform};
    FakeHost host{form};
};

TEST(Startup, FirstRunFromAnEmptyStore) {
    testing::FakePlatform platform;
    testing::ResizeProbe form(platform);
    FakeHost host(form);
    form.reading = 55;
    host.loadAndShow();

    EXPECT_FALSE(form.lastError().has_value());
    EXPECT_EQ(form.lblHDRAM.caption(), "RAM");
    EXPECT_TRUE(form.imgDot0.visible());
    EXPECT_FALSE(form.ImgDot1.visible());
    EXPECT_EQ(form.Monis.text(), "1");
    EXPECT_EQ(form.txtHeight.text(), "1200");
    EXPECT_EQ(form.top(), 1000);
    EXPECT_EQ(form.left(), 1000);
    EXPECT_EQ(form.width(), 1200);
    EXPECT_EQ(form.height(), 1200);
    EXPECT_TRUE(form.visible());

    // Width first, then Height, then the show: parked while not yet square.
    const std::vector<Seen> resizes = {
        {1200, 6150, 10000, 10000}, {1200, 1200, 600, 600}, {1200, 1200, 600, 600}};
    EXPECT_EQ(form.seen, resizes);
    EXPECT_EQ(form.centreX, 600);
    EXPECT_EQ(form.centreY, 600);
    EXPECT_FLOAT_EQ(form.needleLength, 445.94595f);
    EXPECT_EQ(form.picture(), PictureId::DialFace);
    ASSERT_TRUE(form.persistentDrawing().has_value());
    EXPECT_EQ(form.persistentDrawing()->target.width, 1200);

    const std::vector<testing::RegionCall> outline = {{FakeHost::window, 80, 80, 170}};
    EXPECT_EQ(platform.regions, outline);
    const std::vector<testing::WindowPosCall> topmost = {{FakeHost::window, -1, 0, 0, 0, 0, 0x13}};
    EXPECT_EQ(platform.windowPositions, topmost);

    EXPECT_EQ(form.reading, 0);
    EXPECT_EQ(form.sweepCount, 0);
    EXPECT_TRUE(form.Timer2.enabled());
    EXPECT_EQ(form.Timer2.interval(), 30);
    EXPECT_FALSE(form.Timer1.enabled());
    EXPECT_EQ(form.Timer1.interval(), 100);
    EXPECT_TRUE(platform.saves.empty());
    EXPECT_EQ(platform.memoryQueries, 0);  // the first reading waits for the first tick
}

TEST(Startup, StoredSizeIsReadThenClamped) {
    const struct {
        const char* stored;
        const char* text;
        float size;
    } cases[] = {
        {"abc", "2220", 2220},  {"", "2220", 2220},       {"500", "800", 800},
        {"-1", "800", 800},     {"799.9", "800", 800},    {"3000", "2500", 2500},
        {"1e30", "2500", 2500}, {"800", "800", 800},      {"2500", "2500", 2500},
        {"1500", "1500", 1500}, {"2500.1", "2500", 2500},
    };
    for (const auto& c : cases) {
        const Instrument run(Store{{"txtHeight", c.stored}});
        EXPECT_EQ(run.form.txtHeight.text(), c.text) << c.stored;
        EXPECT_EQ(run.form.width(), c.size) << c.stored;
        EXPECT_EQ(run.form.height(), c.size) << c.stored;
        EXPECT_EQ(run.form.SecZ.y1(), c.size / 2) << c.stored;
    }
}

TEST(Startup, MonitorCountAndTheLeftLimit) {
    const struct {
        const char* monitors;
        const char* left;
        const char* text;
        float leftAfter;
    } cases[] = {
        {"3", "40000", "2", 37200},  // 2 x 19200 - 1200
        {"2", "40000", "2", 37200},
        {"1", "40000", "1", 18000},
        {"1.5", "40000", "1.5", 27600},
        {"abc", "40000", "1", 18000},
        {"", "40000", "1", 18000},
        // Below one monitor the text stays, but the limit counts one.
        {"0", "40000", "0", 18000},
        {"0", "1000", "0", 1000},
        {"-1", "40000", "-1", 18000},
    };
    for (const auto& c : cases) {
        const Instrument run(Store{{"Monis", c.monitors}, {"MEMLeft", c.left}});
        EXPECT_EQ(run.form.Monis.text(), c.text) << c.monitors;
        EXPECT_EQ(run.form.left(), c.leftAfter) << c.monitors << " " << c.left;
    }
}

TEST(Startup, StoredPositionIsReadThenClamped) {
    const struct {
        const char* top;
        const char* left;
        float topAfter, leftAfter;
    } cases[] = {
        {"-1", "18500", 100, 18000},
        {"0", "18000", 0, 18000},
        {"-0.5", "0", 100, 0},
        // Left of every monitor, or below them: brought onto the nearest one.
        {"250.5", "-5000", 250.5, 0},
        {"250.5", "-599", 250.5, -599},  // its middle still on the screen
        {"250.5", "-601", 250.5, 0},
        {"abc", "abc", 1000, 1000},
        {"", " ", 1000, 1000},
        {"1e30", "1e30", 10320, 18000},
        {"-1e30", "-1e30", 100, 0},
        {"1e39", "1e39", 1000, 1000},  // not a single-precision number
    };
    for (const auto& c : cases) {
        const Instrument run(Store{{"MEMTOP", c.top}, {"MEMLeft", c.left}});
        EXPECT_FALSE(run.form.lastError().has_value()) << c.top;
        EXPECT_TRUE(run.form.Timer2.enabled()) << c.top;  // start-up ran to its end
        EXPECT_EQ(run.form.top(), c.topAfter) << c.top;
        EXPECT_EQ(run.form.left(), c.leftAfter) << c.left;
    }
}

TEST(Startup, ModeShowsItsDotAndPicksTheReading) {
    const struct {
        const char* mode;
        bool ring, filled, readsMemory;
    } cases[] = {
        {"RAM", true, false, true},  {"HD", false, true, false},  {"ram", true, false, false},
        {"xyz", true, false, false}, {"HD ", true, false, false},
    };
    for (const auto& c : cases) {
        Instrument run(Store{{"lblHDRAM.Caption", c.mode}});
        EXPECT_EQ(run.form.lblHDRAM.caption(), c.mode);
        EXPECT_EQ(run.form.imgDot0.visible(), c.ring) << c.mode;
        EXPECT_EQ(run.form.ImgDot1.visible(), c.filled) << c.mode;
        run.host.runUntilTick(run.form.Timer2);
        EXPECT_EQ(run.platform.memoryQueries, c.readsMemory ? 1 : 0) << c.mode;
    }
}

TEST(Startup, StoredNumbersInTheUsersFormat) {
    const NumberFormat german{",", "."};
    const Instrument run(
        Store{
            {"txtHeight", "2.220"}, {"Monis", "1,5"}, {"MEMTOP", "1.234,5"}, {"MEMLeft", "30.000"}},
        german);
    EXPECT_EQ(run.form.txtHeight.text(), "2.220");
    EXPECT_EQ(run.form.width(), 2220);
    EXPECT_EQ(run.form.needleLength, 825);
    EXPECT_EQ(run.form.Monis.text(), "1,5");
    EXPECT_EQ(run.form.top(), 1234.5);
    EXPECT_EQ(run.form.left(), 27600);  // 1.5 x 19200 - 1200

    // The same texts read with "." as the decimal separator.
    const Instrument english(Store{
        {"txtHeight", "2.220"}, {"Monis", "1,5"}, {"MEMTOP", "1.234,5"}, {"MEMLeft", "30.000"}});
    EXPECT_EQ(english.form.txtHeight.text(), "800");
    EXPECT_EQ(english.form.Monis.text(), "2");  // "1,5" reads as 15
    EXPECT_EQ(english.form.top(), 1000);
    EXPECT_EQ(english.form.left(), 30);  // "30.000" reads as 30
}

// Texts the store may hand back, whatever the user or another program left under a key.
TEST(StoredShapes, AnyTextUnderAnyKeyStartsAGaugeOnTheScreen) {
    const std::string shapes[] = {
        "",
        std::string(65536, '9'),
        std::string(65533, '0') + "900",  // a number, but no setting of ours
        std::string("12\0"
                    "00",
                    5),
        "Größe",
        "1e39",
        "-0",
        " 900 ",
        "NaN",
        "Infinity",
        "&H10",
        "1.5e3",
        "\u0661\u0662\u0660\u0660",  // 1200 in Arabic-Indic digits
    };
    for (const std::string_view key :
         {"lblHDRAM.Caption", "Monis", "txtHeight", "MEMTOP", "MEMLeft"}) {
        for (const std::string& shape : shapes) {
            const Instrument run(Store{{std::string(key), shape}});
            const Form1& form = run.form;
            const std::string seen = std::string(key) + " = " + shape.substr(0, 12);
            EXPECT_FALSE(form.lastError().has_value()) << seen;
            EXPECT_TRUE(form.Timer2.enabled()) << seen << ": start-up ran to its end";
            EXPECT_EQ(form.width(), form.height()) << seen;
            EXPECT_GE(form.width(), 800) << seen;
            EXPECT_LE(form.width(), 2500) << seen;
            EXPECT_LT(form.left(), run.platform.screenW) << seen;
            EXPECT_GT(form.left() + form.width(), 0) << seen;
            EXPECT_LT(form.top(), run.platform.screenH) << seen;
            EXPECT_GE(form.top(), 0) << seen;
            EXPECT_LE(run.host.longestBoxText(), 255U) << seen << ": no text box chokes on it";
        }
    }
}

TEST(StoredShapes, ATextTooLongForASettingReadsAsTheDefault) {
    const std::string longest = std::string(252, '0') + "900";
    const std::string tooLong = "0" + longest;
    EXPECT_EQ(Instrument(Store{{"txtHeight", longest}}).form.width(), 900);
    EXPECT_EQ(Instrument(Store{{"txtHeight", tooLong}}).form.width(), 1200);
    EXPECT_EQ(Instrument(Store{{"Monis", tooLong}}).form.Monis.text(), "1");
    EXPECT_EQ(
        Instrument(Store{{"lblHDRAM.Caption", std::string(256, 'H')}}).form.lblHDRAM.caption(),
        "RAM");
    EXPECT_EQ(Instrument(Store{{"MEMTOP", tooLong}}).form.top(), 1000);
    EXPECT_EQ(Instrument(Store{{"MEMLeft", tooLong}}).form.left(), 1000);
}

TEST(Shutdown, ClosingSavesSizeMonitorsAndModeInThatOrder) {
    Instrument run(Store{
        {"txtHeight", "3000"}, {"Monis", "3"}, {"lblHDRAM.Caption", "xyz"}, {"MEMLeft", "18500"}});
    run.form.txtHeight.setText("1800");
    EXPECT_TRUE(run.host.close());
    const std::vector<testing::SavedSetting> saves = {
        {"txtHeight", "1800"}, {"Monis", "2"}, {"lblHDRAM.Caption", "xyz"}};
    EXPECT_EQ(run.platform.saves, saves);
    EXPECT_EQ(run.platform.stored("MEMLeft"), "18500");  // the clamp at start is not saved
    EXPECT_EQ(run.platform.stored("MEMTOP"), "<absent>");
}

TEST(Shutdown, ExitButtonAsksTheHostToClose) {
    Instrument run;
    run.form.cmd_EXIT.onClick();
    EXPECT_EQ(run.host.unloadRequests(), 1);
    EXPECT_TRUE(run.platform.saves.empty());  // saving is the unload's business
}

}  // namespace
}  // namespace dialvane
