#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "app/form1.h"
#include "framework/runtime_error.h"
#include "gauge/module1.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

class RealPlatform : public ::testing::Test, protected testing::ProgramServices {};

char currentDrive() {
    char directory[MAX_PATH]{};
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    return directory[0];
}

TEST_F(RealPlatform, MemoryLoadIsAPercentage) {
    MEMORYSTATUS status{};
    platform.GlobalMemoryStatus(status);
    EXPECT_LE(status.dwMemoryLoad, 100U);
    EXPECT_EQ(status.dwLength, sizeof(MEMORYSTATUS));
    EXPECT_GT(status.dwTotalPhys, 0U);

    MEMORYSTATUSEX wide{};
    ASSERT_TRUE(platform.GlobalMemoryStatusEx(wide));
    EXPECT_GE(wide.ullTotalPhys, status.dwTotalPhys) << "the 32-bit record stops at 4 GB";
    EXPECT_LE(wide.ullAvailPhys, wide.ullTotalPhys);
}

TEST_F(RealPlatform, DriveSpaceAgreesWithTheDrive) {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    ASSERT_TRUE(::GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(::GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &clusters));
    const double megabytesPerCluster = sectors * bytes / 1048576.0;
    // The megabytes per cluster are kept to four places; that is all the difference allowed.
    const double tolerance = 0.00005 / megabytesPerCluster + 1e-6;

    Module1 module(platform);
    const double gigabytes = 1024.0 * 1048576.0;
    const double totalGb = module.DiskTotalSpace("C:", true, false).toDouble();
    const double freeGb = module.DiskFreeSpace("C:", true, false).toDouble();
    EXPECT_NEAR(totalGb / (total.QuadPart / gigabytes), 1.0, tolerance);
    EXPECT_NEAR(freeGb / (free.QuadPart / gigabytes), 1.0, tolerance + 0.001);  // it may move
    const double wholeGb = module.DiskTotalSpace("C:", true, true).toDouble();
    EXPECT_EQ(wholeGb, std::floor(totalGb));
    const double totalMb = module.DiskTotalSpace("C:", false, false).toDouble();
    EXPECT_NEAR(totalMb / 1024.0, totalGb, 0.0001);
    // The exact bytes: the clusters times their size is what the 64-bit query says.
    const auto exact = module.DiskBytes("C:");
    ASSERT_TRUE(exact.has_value());
    EXPECT_EQ(exact->total, total.QuadPart);
    EXPECT_NEAR(static_cast<double>(exact->free), static_cast<double>(free.QuadPart),
                0.001 * static_cast<double>(total.QuadPart));
}

TEST_F(RealPlatform, DriveReadingLeavesTheCurrentDriveAtC) {
    ASSERT_TRUE(::SetCurrentDirectoryA("Z:\\")) << "needs a second drive";
    ASSERT_EQ(currentDrive(), 'Z');
    Module1 module(platform);
    module.DiskFreeSpace("C:", true, false);
    EXPECT_EQ(currentDrive(), 'C');
    module.DiskFreeSpace("z:", true, false);
    EXPECT_EQ(currentDrive(), 'Z');
}

std::string currentDirectory() {
    char directory[MAX_PATH]{};
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    return directory;
}

TEST_F(RealPlatform, ChangingDriveKeepsTheDirectoryOfTheDriveAlreadyCurrent) {
    const std::string before = currentDirectory();
    const struct {
        const char* start;
        const char* drive;
        const char* expected;
    } cases[] = {
        {"C:\\windows", "C:", "C:\\windows"},
        {"C:\\windows\\system32", "c:", "C:\\windows\\system32"},
        {"C:\\", "C:", "C:\\"},
        {"Z:\\tmp", "C:", "C:\\"},
        {"C:\\windows", "Z:", "Z:\\"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(::SetCurrentDirectoryA(c.start)) << c.start;
        platform.ChDrive(c.drive);
        EXPECT_EQ(currentDirectory(), c.expected) << "from " << c.start << " to " << c.drive;
    }
    ::SetCurrentDirectoryA(before.c_str());
}

TEST_F(RealPlatform, AMissingDriveIsARunTimeError) {
    // Walk back from Y: to find a letter that is not a drive here.
    char missing = 0;
    for (char letter = 'Y'; letter > 'D' && missing == 0; --letter) {
        if (((::GetLogicalDrives() >> (letter - 'A')) & 1U) == 0) {
            missing = letter;
        }
    }
    ASSERT_NE(missing, 0);
    Module1 module(platform);
    EXPECT_THROW(module.DiskTotalSpace(std::string{missing, ':'}, true, false), RuntimeError);
}

TEST_F(RealPlatform, DriveFillMatchesTheDrive) {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    ASSERT_TRUE(::GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    const double expected = 100.0 * (total.QuadPart - free.QuadPart) / total.QuadPart;
    Form1 form(platform);
    form.lblHDRAM.setCaption("HD");
    form.Timer2_Timer();  // one sweep tick takes one reading
    EXPECT_NEAR(form.reading, expected, 0.01);
    EXPECT_EQ(form.lbl_MEM.caption().back(), '%');
}

TEST_F(RealPlatform, TheUsersDecimalSeparatorIsReadFromTheSystem) {
    using testing::DecimalSeparator;
    {
        const DecimalSeparator comma(L",");
        platform.refreshNumberFormat();
        EXPECT_EQ(platform.numberFormat().decimalSeparator, ",");
    }
    {
        const DecimalSeparator point(L".");
        EXPECT_EQ(platform.numberFormat().decimalSeparator, ",")
            << "kept until the system says the settings changed";
        platform.refreshNumberFormat();
        EXPECT_EQ(platform.numberFormat().decimalSeparator, ".");
    }
}

TEST_F(RealPlatform, SettingsAreTextsUnderTheUsersSoftwareKey) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\DialvaneTest");
    EXPECT_EQ(platform.GetSetting("DialvaneTest", "Optionen", "Größe", "1200"), "1200");
    platform.SaveSetting("DialvaneTest", "Optionen", "Größe", "2220 ä");
    EXPECT_EQ(platform.GetSetting("DialvaneTest", "Optionen", "Größe", "1200"), "2220 ä");

    wchar_t value[32]{};
    DWORD bytes = sizeof value;
    DWORD type = 0;
    ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\DialvaneTest\\Optionen",
                             L"Gr\u00f6\u00dfe", RRF_RT_ANY, &type, value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(value, L"2220 \u00e4");

    // A value of another type is not a setting.
    const DWORD number = 5;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\DialvaneTest\\Optionen", L"Zahl", REG_DWORD,
                      &number, sizeof number);
    EXPECT_EQ(platform.GetSetting("DialvaneTest", "Optionen", "Zahl", "1"), "1");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\DialvaneTest");
}

class ShapedWindow : public RealPlatform {
protected:
    void SetUp() override {
        window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { ::DestroyWindow(window); }
    RECT regionBox() const {
        const win32::unique_region region(::CreateRectRgn(0, 0, 0, 0));
        RECT box{};
        if (::GetWindowRgn(window, region.get()) != ERROR) {
            ::GetRgnBox(region.get(), &box);
        }
        return box;
    }
    bool inRegion(int x, int y) const {
        const win32::unique_region region(::CreateRectRgn(0, 0, 0, 0));
        return ::GetWindowRgn(window, region.get()) != ERROR &&
               ::PtInRegion(region.get(), x, y) != 0;
    }
    HWND window = nullptr;
};

TEST_F(ShapedWindow, RoundAndSquareOutlines) {
    platform.setWindowRoundRegion(win32::handleOf(window), 80, 80, 170);
    EXPECT_NEAR(regionBox().right, 80, 1);
    EXPECT_NEAR(regionBox().bottom, 80, 1);
    EXPECT_TRUE(inRegion(40, 40));
    EXPECT_FALSE(inRegion(3, 3)) << "a circle leaves the corners out";

    platform.setWindowRoundRegion(win32::handleOf(window), 200, 100, 0);
    EXPECT_TRUE(inRegion(1, 1));
    EXPECT_TRUE(inRegion(198, 98));
    EXPECT_FALSE(inRegion(201, 50));
}

TEST_F(ShapedWindow, TopmostWithoutMovingOrActivating) {
    platform.SetWindowPos(win32::handleOf(window), insertTopmost, 0, 0, 0, 0,
                          swpNoSize | swpNoMove | swpNoActivate);
    EXPECT_NE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right - rect.left, 200);
}

// What the full-screen decision is told of a window of its own program, hidden, shown,
// minimised and gone: where it is and whose it is, no more (those are passed over).
TEST_F(ShapedWindow, TheWalkTellsWhereAWindowIsAndWhoseItIs) {
    const WindowHandle handle = win32::handleOf(window);
    const auto seen = [&] {
        std::optional<TopLevelWindow> found;
        platform.windowsFromTop([&](const TopLevelWindow& w) {
            if (w.handle == handle) {
                found = w;
            }
            return !found;
        });
        return found;
    };
    EXPECT_EQ(seen().value().place, WindowPlace{}) << "nothing asked of a hidden window";
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    const TopLevelWindow shown = seen().value();
    EXPECT_EQ(shown.place, (WindowPlace{{10, 10, 210, 110}, true, false}));
    EXPECT_EQ(platform.windowPlace(handle), shown.place);
    EXPECT_EQ(shown.process, ::GetCurrentProcessId());
    EXPECT_EQ(shown.className, "") << "nothing more asked of the program's own window";
    EXPECT_EQ(platform.className(handle), "Static");
    EXPECT_EQ(platform.monitorRect(handle),
              (ScreenRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}));
    EXPECT_FALSE(platform.isCloaked(handle));
    ::ShowWindow(window, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(platform.windowPlace(handle).value().minimised);
    ::DestroyWindow(std::exchange(window, nullptr));
    EXPECT_FALSE(platform.windowPlace(handle).has_value());
    EXPECT_FALSE(seen().has_value());
}

TEST(WindowHandles, SurviveTheThirtyTwoBitRoundTrip) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
    EXPECT_EQ(win32::windowOf(win32::handleOf(window)), window);
    EXPECT_EQ(win32::windowOf(insertTopmost), HWND_TOPMOST);
    ::DestroyWindow(window);
}

}  // namespace
}  // namespace dialvane
