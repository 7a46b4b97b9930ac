#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/form1.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

constexpr wchar_t runKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t valueName[] = L"DialvaneTest";
constexpr wchar_t startupList[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

class RunKey : public ::testing::Test, protected testing::ProgramServices {
protected:
    void TearDown() override {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, valueName);
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, startupList, valueName);
    }
    struct Stored {
        DWORD type = 0;
        std::string bytes;
    };
    // The bytes as the ANSI or the wide functions hold them: RegGetValue would add a missing
    // terminating zero, RegQueryValueEx shows whether it was written.
    static Stored stored(bool ansi) {
        Stored value;
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return {};
        }
        DWORD size = 0;
        const auto read = [&](void* data) {
            const auto bytes = static_cast<BYTE*>(data);
            return ansi
                       ? ::RegQueryValueExA(key, "DialvaneTest", nullptr, &value.type, bytes, &size)
                       : ::RegQueryValueExW(key, valueName, nullptr, &value.type, bytes, &size);
        };
        if (read(nullptr) == ERROR_SUCCESS) {
            value.bytes.resize(size);
            read(value.bytes.data());
        } else {
            value = {};
        }
        ::RegCloseKey(key);
        return value;
    }
    Form1 form{platform};
};

TEST_F(RunKey, TheValueIsWrittenAsAnsiTextWithItsZeroAndDeleted) {
    ASSERT_TRUE(form.SetAutoRun("DialvaneTest", "C:\\Tools\\gauge"));
    const Stored value = stored(true);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.bytes, std::string("C:\\Tools\\gauge\0", 15));

    EXPECT_TRUE(form.RemoveAutoRun("DialvaneTest"));
    EXPECT_EQ(stored(true).type, 0U) << "gone";
    EXPECT_FALSE(form.RemoveAutoRun("DialvaneTest")) << "nothing left to delete";
}

TEST_F(RunKey, ACommandOutsideTheAnsiCodePageKeepsItsLetters) {
    ASSERT_FALSE(platform.toAnsi("C:\\Ωμέγα").has_value()) << "a Western code page";
    ASSERT_TRUE(form.SetAutoRun("DialvaneTest", "C:\\Ωμέγα\\gauge"));
    const Stored value = stored(false);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    const std::wstring expected = L"C:\\\x03A9\x03BC\x03AD\x03B3\x03B1\\gauge";
    const auto* first = reinterpret_cast<const char*>(expected.c_str());
    EXPECT_EQ(value.bytes, std::string(first, (expected.size() + 1) * sizeof(wchar_t)))
        << "the letters and the terminating zero";
}

// The start-up list keeps "turned off" as a binary value named like the Run value.
TEST_F(RunKey, TheValuesStartUpMarkIsTaken) {
    const BYTE disabled[12] = {3};
    ::RegSetKeyValueW(HKEY_CURRENT_USER, startupList, valueName, REG_BINARY, disabled, 12);
    EXPECT_TRUE(form.removeStartupMark("DialvaneTest"));
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, startupList, valueName, RRF_RT_ANY, nullptr,
                             nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(form.removeStartupMark("DialvaneTest")) << "no mark left is no failure";
}

TEST_F(RunKey, TheProgramKnowsItsFolderAndName) {
    EXPECT_EQ(platform.exeName(), "win32_tests");
    const std::string folder = platform.appPath();
    ASSERT_GT(folder.size(), 2U);
    EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(folder[1], ':');
    EXPECT_NE(::GetFileAttributesA((folder + "\\win32_tests.exe").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace dialvane
