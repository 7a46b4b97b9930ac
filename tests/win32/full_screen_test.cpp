#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <regex>
#include <string>
#include <thread>

#include "app/form1.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// The gauge in this process; covering_window.exe, in another, takes the foreground from it for
// a second and reports how Win32 saw the gauge meanwhile and afterwards.
class CoveringProgram : public testing::ProgramWindow {
protected:
    std::string coverFor(const std::wstring& shape) {
        std::string report;
        std::atomic<bool> done = false;
        std::thread reader([&] {
            // Beside this program: the gauge's drive readings change the current folder.
            std::wstring path(MAX_PATH, L'\0');
            path.resize(::GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
            path.resize(path.find_last_of(L'\\') + 1);
            const std::wstring command =
                L"\"" + path + L"covering_window.exe\" " + shape + L" DialvaneForm";
            if (FILE* output = ::_wpopen(command.c_str(), L"r")) {
                for (int c = 0; (c = std::fgetc(output)) != EOF;) {
                    report += static_cast<char>(c);
                }
                ::_pclose(output);
            }
            done = true;
        });
        while (!done) {
            testing::pumpMessages(5);  // the gauge's timers
        }
        reader.join();
        return report;
    }
    std::string place() const {
        RECT rect{};
        ::GetWindowRect(window.handle(), &rect);
        return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " +
               std::to_string(rect.right - rect.left) + "x" +
               std::to_string(rect.bottom - rect.top);
    }
};

TEST_F(CoveringProgram, AFullScreenWindowHidesTheGaugeUntilItEnds) {
    const std::string report = coverFor(L"full");
    std::smatch seen;
    ASSERT_TRUE(std::regex_search(report, seen,
                                  std::regex(R"(hidden after (\d+) ms\s+shown after (\d+) ms, )"
                                             R"(topmost, first, at ([^\r\n]*))")))
        << report;
    EXPECT_LE(std::stoi(seen[1]), 500) << report;
    EXPECT_LE(std::stoi(seen[2]), 500) << report;
    EXPECT_EQ(seen[3], place());
}

// Smaller than the screen: without a taskbar, a maximised window's frame would fill it.
TEST_F(CoveringProgram, AnOrdinaryWindowInFrontLeavesTheGaugeShown) {
    const std::string report = coverFor(L"900x600");
    EXPECT_NE(report.find("still shown, first"), std::string::npos) << report;
}

}  // namespace
}  // namespace dialvane
