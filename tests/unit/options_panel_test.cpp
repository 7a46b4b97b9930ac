#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1.h"
#include "framework/program_path.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "tests/support/needle_probe.h"

namespace dialvane {
namespace {

// A first-run gauge with the options view open, as a right press leaves it.
class Options : public ::testing::Test {
protected:
    void SetUp() override {
        platform.memoryLoad = 40;
        host.loadAndShow();
        host.advance(3000);
        host.click(2, 600, 600);
        platform.saves.clear();
        platform.regions.clear();
    }
    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
};

TEST_F(Options, BothBoxesTakeOnlyDigitsAndBackspace) {
    const struct {
        std::int16_t typed;
        std::int16_t passed;
    } cases[] = {{'0', '0'}, {'9', '9'}, {8, 8},   {'.', 0}, {',', 0}, {'-', 0},
                 {' ', 0},   {'a', 0},   {'Z', 0}, {13, 0},  {27, 0},  {0, 0},
                 {'/', 0},   {':', 0},   {-48, 0}, {-8, 0},  {255, 0}, {0x7FFF, 0}};
    for (const auto& c : cases) {
        std::int16_t size = c.typed;
        std::int16_t monitors = c.typed;
        form.txtHeight_KeyPress(size);
        form.Monis_KeyPress(monitors);
        EXPECT_EQ(size, c.passed) << c.typed;
        EXPECT_EQ(monitors, c.passed) << c.typed;
    }
}

TEST_F(Options, ApplyClampsSavesAndMakesTheRoundGaugeOfThatSize) {
    const struct {
        const char* typed;
        const char* text;
        float size;
        std::int32_t pixels;
    } cases[] = {{"", "1000", 1000, 67},      {"799", "800", 800, 53},
                 {"800", "800", 800, 53},     {"2500", "2500", 2500, 167},
                 {"2501", "2500", 2500, 167}, {"0900", "0900", 900, 60},
                 {"abc", "1000", 1000, 67},   {"12x", "1000", 1000, 67}};
    for (const auto& c : cases) {
        host.click(2, 600, 600);
        form.txtHeight.setText(c.typed);
        platform.regions.clear();
        host.click(1, 0, 0);  // the press restores nothing the apply needs
        form.cmd_weiter_Click();
        EXPECT_EQ(form.txtHeight.text(), c.text) << c.typed;
        EXPECT_EQ(platform.stored("txtHeight"), c.text) << c.typed;
        EXPECT_EQ(form.width(), c.size) << c.typed;
        EXPECT_EQ(form.height(), c.size) << c.typed;
        EXPECT_EQ(form.picture(), PictureId::DialFace);
        ASSERT_FALSE(platform.regions.empty());
        EXPECT_EQ(platform.regions.back(),
                  (testing::RegionCall{testing::FakeHost::window, c.pixels, c.pixels, 170}))
            << c.typed;
    }
}

TEST_F(Options, ApplySavesAllThreeBeforeTheWindowChanges) {
    form.txtHeight.setText("2501");
    form.Monis.setText("5");
    std::vector<float> widths;
    platform.onSave = [&](const testing::SavedSetting&) { widths.push_back(form.width()); };
    form.cmd_weiter_Click();
    const std::vector<testing::SavedSetting> saved = {
        {"txtHeight", "2500"}, {"Monis", "5"}, {"lblHDRAM.Caption", "RAM"}};
    EXPECT_EQ(platform.saves, saved);
    EXPECT_EQ(widths, (std::vector<float>{6800, 6800, 6800}));
}

TEST_F(Options, AfterApplyTheGaugeSweepsUpFromZero) {
    form.txtHeight.setText("2220");
    form.sweepCount = 7;
    form.cmd_weiter_Click();
    EXPECT_EQ(form.Frame1.left(), 2221) << "the panel stays where the options view put it";
    EXPECT_EQ(form.reading, 0);
    EXPECT_EQ(form.sweepCount, 0);
    EXPECT_TRUE(form.Timer2.enabled());
    EXPECT_EQ(form.Timer2.interval(), 30);
    EXPECT_FALSE(form.Timer1.enabled());
    EXPECT_EQ(form.centreX, 1110);
    EXPECT_EQ(form.SecZ.y1(), 1110);
    EXPECT_FLOAT_EQ(form.needleLength, 825);
    EXPECT_TRUE(form.ImgMitte.visible());
    host.advance(3000);
    EXPECT_FALSE(form.Timer2.enabled()) << "the sweep reached the reading";
    EXPECT_EQ(testing::needleDirection(form), -6);
}

// The folder and name come from the program file's path; the extension is only the file's.
TEST_F(Options, TheStartCommandIsTheProgramWithoutItsExtension) {
    const struct {
        const char* file;
        const char* folder;
        const char* name;
        const char* command;
    } cases[] = {
        {"C:\\Tools\\gauge.exe", "C:\\Tools", "gauge", "C:\\Tools\\gauge"},
        {"D:\\gauge.exe", "D:\\", "gauge", "D:\\gauge"},
        {"E:\\gauge", "E:\\", "gauge", "E:\\gauge"},
        {"C:\\Program Files\\Dialvane\\Dialvane.exe", "C:\\Program Files\\Dialvane", "Dialvane",
         "\"C:\\Program Files\\Dialvane\\Dialvane\""},
        {"C:\\Tools\\Dialvane.v2.exe", "C:\\Tools", "Dialvane.v2", "C:\\Tools\\Dialvane.v2.exe"},
        {"C:\\Meine Tools\\Dialvane.v2.exe", "C:\\Meine Tools", "Dialvane.v2",
         "\"C:\\Meine Tools\\Dialvane.v2.exe\""},
        {"C:\\Users\\john.doe\\Programs\\Dialvane.exe", "C:\\Users\\john.doe\\Programs", "Dialvane",
         "C:\\Users\\john.doe\\Programs\\Dialvane"},
        {"C:\\Users\\john.doe\\Tools\\gauge", "C:\\Users\\john.doe\\Tools", "gauge",
         "C:\\Users\\john.doe\\Tools\\gauge"},
    };
    for (const auto& c : cases) {
        const ProgramPath split = splitProgramPath(c.file);
        EXPECT_EQ(split.folder, c.folder) << c.file;
        EXPECT_EQ(split.name, c.name) << c.file;
        platform.programFile = c.file;
        platform.runValues.clear();
        form.cmd_auto.setVisible(true);
        form.cmd_auto_Click();
        const auto& value = platform.runValues["Dialvane"];
        EXPECT_EQ(value.data, c.command) << c.file;
        EXPECT_EQ(value.type, 1U);
        EXPECT_EQ(value.length, std::string(c.command).size() + 1) << "with the zero";
        EXPECT_FALSE(value.wide);
    }
    EXPECT_EQ(platform.registryCalls[0],
              "open SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run 0 63");
    EXPECT_EQ(platform.openKeys, 0) << "every key opened was closed";
}

TEST_F(Options, ACommandOutsideTheAnsiCodePageIsWrittenInUtf16) {
    platform.programFile = "C:\\Ωμέγα\\gauge.exe";
    form.cmd_auto_Click();
    const auto& value = platform.runValues["Dialvane"];
    EXPECT_TRUE(value.wide);
    EXPECT_EQ(value.data, "C:\\Ωμέγα\\gauge");
    EXPECT_EQ(platform.boxes.back().prompt, "Eintrag war erfolgreich.");
}

// Name and command take one road: both in the ANSI code page, or both in UTF-16.
TEST(Autostart, NameAndCommandAreConvertedTogether) {
    const struct {
        const char* name;
        const char* command;
        const char* set;  // the call, with the bytes of the name
        const char* stored;
        const char* remove;
    } cases[] = {
        {"Dialvane", "C:\\Tools\\gauge", "set Dialvane 0 1 15", "C:\\Tools\\gauge",
         "delete Dialvane"},
        {"Dialvan\u00EB", "C:\\T\u00F6ols\\gauge", "set Dialvan\xEB 0 1 15", "C:\\T\xF6ols\\gauge",
         "delete Dialvan\xEB"},
        {"Dialvane \u03A9", "C:\\Tools\\gauge", "setW Dialvane \u03A9", "C:\\Tools\\gauge",
         "deleteW Dialvane \u03A9"},
        {"Dialvan\u00EB", "C:\\\u03A9\\gauge", "setW Dialvan\u00EB", "C:\\\u03A9\\gauge",
         "delete Dialvan\xEB"},
    };
    for (const auto& c : cases) {
        testing::FakePlatform platform;
        Form1 form(platform);
        ASSERT_TRUE(form.SetAutoRun(c.name, c.command)) << c.name;
        EXPECT_EQ(platform.registryCalls.at(1), c.set);
        ASSERT_TRUE(platform.runValues.contains(c.name)) << c.set;
        EXPECT_EQ(platform.runValues[c.name].data, c.stored) << c.set;
        platform.registryCalls.clear();
        EXPECT_TRUE(form.RemoveAutoRun(c.name)) << c.remove;
        EXPECT_EQ(platform.registryCalls.at(1), c.remove);
        EXPECT_TRUE(platform.runValues.empty()) << c.remove;
    }
}

TEST_F(Options, AutostartButtonsReportAndSwap) {
    const struct {
        const char* what;
        bool runKey;
        std::int32_t openError, setError, deleteError;
        bool registered;
        bool clickOn;  // true: cmd_auto, false: cmd_aus
        const char* box;
        bool autoVisible, ausVisible;
        bool valueAfter;
        // The start-up list: whether it is there, whether it holds a mark for the value
        // (another program's mark is always there), and a failure to delete it.
        bool startupList = true;
        bool marked = false;
        std::int32_t markError = 0;
        bool markAfter = false;
    } cases[] = {
        {"write", true, 0, 0, 0, false, true, "Eintrag war erfolgreich.", false, true, true},
        {"overwrite", true, 0, 0, 0, true, true, "Eintrag war erfolgreich.", false, true, true},
        {"no run key", false, 0, 0, 0, false, true, "Eintrag war nicht erfolgreich.", true, true,
         false},
        {"write fails", true, 0, 5, 0, false, true, "Eintrag war nicht erfolgreich.", true, true,
         false},
        {"delete", true, 0, 0, 0, true, false, "Eintrag gelöscht", true, false, false},
        {"nothing to delete", true, 0, 0, 0, false, false, "Eintrag gelöscht", true, false, false},
        {"no run key to delete from", false, 0, 0, 0, false, false, "Eintrag gelöscht", true, false,
         false},
        {"delete refused", true, 0, 0, 5, true, false, "Eintrag konnte nicht gelöscht werden.",
         true, true, true},
        {"no access at all", true, 5, 0, 0, true, false, "Eintrag konnte nicht gelöscht werden.",
         true, true, true},
        {"write clears the mark", true, 0, 0, 0, true, true, "Eintrag war erfolgreich.", false,
         true, true, true, true, 0, false},
        {"write without a start-up list", true, 0, 0, 0, false, true, "Eintrag war erfolgreich.",
         false, true, true, false},
        {"a mark that stays fails the write", true, 0, 0, 0, false, true,
         "Eintrag war nicht erfolgreich.", true, true, true, true, true, 5, true},
        {"the mark goes with the value", true, 0, 0, 0, true, false, "Eintrag gelöscht", true,
         false, false, true, true, 0, false},
        {"a value that stays keeps its mark", true, 0, 0, 5, true, false,
         "Eintrag konnte nicht gelöscht werden.", true, true, true, true, true, 0, true},
    };
    for (const auto& c : cases) {
        testing::FakePlatform fresh;
        Form1 gauge(fresh);
        fresh.runKeyExists = c.runKey;
        fresh.openError = c.openError;
        fresh.setError = c.setError;
        fresh.deleteError = c.deleteError;
        if (c.registered) {
            fresh.runValues["Dialvane"] = {1, "C:\\Alt\\gauge", 14, false};
        }
        fresh.startupApprovedExists = c.startupList;
        fresh.startupMarks["Other"] = std::string("\x03\0\0\0", 4);
        if (c.marked) {
            fresh.startupMarks["Dialvane"] = std::string("\x03\0\0\0", 4);
        }
        fresh.markDeleteError = c.markError;
        bool visibleDuringBox = false;
        fresh.whileBoxOpen = [&] {
            visibleDuringBox = gauge.cmd_auto.visible() && gauge.cmd_aus.visible();
        };
        c.clickOn ? gauge.cmd_auto_Click() : gauge.cmd_aus_Click();
        ASSERT_EQ(fresh.boxes.size(), 1U) << c.what;
        EXPECT_EQ(fresh.boxes[0].prompt, c.box) << c.what;
        EXPECT_EQ(fresh.boxes[0].title, "Dialvane");
        EXPECT_TRUE(visibleDuringBox) << c.what << ": buttons change after the box is closed";
        EXPECT_EQ(gauge.cmd_auto.visible(), c.autoVisible) << c.what;
        EXPECT_EQ(gauge.cmd_aus.visible(), c.ausVisible) << c.what;
        EXPECT_EQ(fresh.runValues.contains("Dialvane"), c.valueAfter) << c.what;
        EXPECT_EQ(fresh.startupMarks.contains("Dialvane"), c.markAfter) << c.what;
        EXPECT_TRUE(fresh.startupMarks.contains("Other")) << c.what << ": another program's mark";
        EXPECT_EQ(fresh.openKeys, 0) << c.what;
    }
}

TEST_F(Options, NoAutoStartAfterAutoStartOffersAutoStartAgain) {
    form.cmd_auto_Click();
    ASSERT_FALSE(form.cmd_auto.visible());
    form.cmd_aus_Click();
    EXPECT_TRUE(form.cmd_auto.visible());
    EXPECT_FALSE(form.cmd_aus.visible());
}

TEST_F(Options, CleanUpTouchesOnlyTheClipboardAndTheNotice) {
    host.advance(2000);
    const float tipX = form.SecZ.x2();
    const double reading = form.reading;
    form.cmd_clear_Click();
    form.cmd_clear_Click();
    EXPECT_EQ(platform.clipboardClears, 2);
    EXPECT_FALSE(platform.clipboardHasText);
    EXPECT_EQ(form.Label3.caption(), "Speicher aufgeräumt");
    EXPECT_EQ(form.Label3.foreColor(), Colour{0xFFFF});
    EXPECT_EQ(form.SecZ.x2(), tipX);
    EXPECT_EQ(form.reading, reading);
    EXPECT_EQ(form.lblHDRAM.caption(), "RAM");
    EXPECT_TRUE(platform.saves.empty());
    EXPECT_TRUE(form.Timer1.enabled()) << "the gauge goes on as it was";
}

}  // namespace
}  // namespace dialvane
