#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/win32/text_conversion.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// A registry value as another program or an imported .reg file may leave it.
struct RawValue {
    const char* what;
    DWORD type;
    std::vector<BYTE> bytes;
    const char* reads;  // what the settings store makes of it; nullptr: the fallback
};

std::vector<BYTE> utf16(std::wstring_view text) {
    const auto* first = reinterpret_cast<const BYTE*>(text.data());
    return {first, first + text.size() * sizeof(wchar_t)};
}
std::vector<BYTE> text(std::wstring_view characters) {
    std::vector<BYTE> bytes = utf16(characters);
    bytes.insert(bytes.end(), sizeof(wchar_t), 0);
    return bytes;
}

const std::wstring digits64k(65536, L'9');
const std::string digits64kUtf8(65536, '9');

const std::vector<RawValue> rawValues = {
    {"REG_DWORD", REG_DWORD, {0xB0, 0x04, 0, 0}, nullptr},
    {"REG_BINARY", REG_BINARY, {'1', '2', '0', '0'}, nullptr},
    {"REG_EXPAND_SZ", REG_EXPAND_SZ, text(L"1500"), nullptr},
    {"REG_MULTI_SZ", REG_MULTI_SZ, utf16(std::wstring_view(L"1500\0\0", 6)), nullptr},
    {"empty", REG_SZ, text(L""), ""},
    {"no bytes at all", REG_SZ, {}, ""},
    {"64 KiB", REG_SZ, text(digits64k), digits64kUtf8.c_str()},
    {"embedded zero", REG_SZ,
     text(std::wstring_view(L"15\0"
                            L"00",
                            5)),
     "15"},
    {"no terminating zero", REG_SZ, utf16(L"1300"), "1300"},
    {"non-ASCII", REG_SZ, text(L"Gr\u00f6\u00dfe"), "Größe"},
    {"1e39", REG_SZ, text(L"1e39"), "1e39"},
    {"-0", REG_SZ, text(L"-0"), "-0"},
    {"blanks", REG_SZ, text(L" 900 "), " 900 "},
    {"NaN", REG_SZ, text(L"NaN"), "NaN"},
    {"Infinity", REG_SZ, text(L"Infinity"), "Infinity"},
    {"&H10", REG_SZ, text(L"&H10"), "&H10"},
    {"1.5e3", REG_SZ, text(L"1.5e3"), "1.5e3"},
    {"Arabic-Indic digits", REG_SZ, text(L"\u0661\u0662\u0660\u0660"), "\u0661\u0662\u0660\u0660"},
};

constexpr wchar_t settingsKey[] = L"Software\\MEM\\Optionen";

// Keeps the length of the longest text handed to an edit box: Wine's needs seconds for 64 KiB.
LRESULT CALLBACK longestText(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR longest) {
    if (message == WM_SETTEXT && lParam != 0) {
        auto& length = *reinterpret_cast<std::size_t*>(longest);
        length = std::max(length, std::wcslen(reinterpret_cast<const wchar_t*>(lParam)));
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

class StoredSettings : public ::testing::Test, protected testing::ProgramServices {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MEM"); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MEM"); }
    static void write(const wchar_t* name, const RawValue& value) {
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, settingsKey, name, value.type,
                                    value.bytes.data(), static_cast<DWORD>(value.bytes.size())),
                  ERROR_SUCCESS)
            << value.what;
    }
};

TEST_F(StoredSettings, OnlyTextIsASettingAndItIsReadToItsFirstZero) {
    for (const RawValue& value : rawValues) {
        write(L"probe", value);
        EXPECT_EQ(platform.GetSetting("MEM", "Optionen", "probe", "fallback"),
                  value.reads != nullptr ? value.reads : "fallback")
            << value.what;
    }
}

// Each of the five keys in every shape: the program starts, its window comes up on the screen
// as a gauge of 800 to 2500 twips.
TEST_F(StoredSettings, TheProgramStartsOnAnyValueUnderAnyKey) {
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const float twipsPerPixel = platform.twipsPerPixelX();
    for (const wchar_t* key :
         {L"lblHDRAM.Caption", L"Monis", L"txtHeight", L"MEMTOP", L"MEMLeft"}) {
        for (const RawValue& value : rawValues) {
            ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MEM");
            write(key, value);
            Form1 form(platform);
            win32::FormWindow window(::GetModuleHandleW(nullptr), form, platform, pictures);
            window.create();
            ASSERT_NE(window.handle(), nullptr);
            std::size_t longest = 0;
            for (const TextBox* box : {&form.txtHeight, &form.Monis}) {
                ::SetWindowSubclass(window.controlOf(*box), longestText, 2,
                                    reinterpret_cast<DWORD_PTR>(&longest));
            }
            window.loadAndShow();
            testing::pumpMessages(5);

            const std::string seen = win32::narrow(key) + " " + value.what;
            EXPECT_FALSE(form.lastError().has_value()) << seen;
            // The sweep runs, or has already handed over to the update timer: how far it got
            // depends on how long the machine took, not on start-up.
            EXPECT_TRUE(form.Timer2.enabled() || form.Timer1.enabled())
                << seen << ": start-up ran to its end";
            EXPECT_TRUE(::IsWindowVisible(window.handle())) << seen;
            RECT rect{};
            ::GetWindowRect(window.handle(), &rect);
            RECT onScreen{};
            EXPECT_TRUE(::IntersectRect(&onScreen, &rect, &screen)) << seen;
            const float width = static_cast<float>(rect.right - rect.left) * twipsPerPixel;
            const float height = static_cast<float>(rect.bottom - rect.top) * twipsPerPixel;
            EXPECT_EQ(width, height) << seen;
            EXPECT_GE(width, 800 - twipsPerPixel) << seen;
            EXPECT_LE(width, 2500 + twipsPerPixel) << seen;
            EXPECT_LE(longest, 255U) << seen << ": no text box is handed more than a setting";
            for (const TextBox* box : {&form.txtHeight, &form.Monis}) {
                ::RemoveWindowSubclass(window.controlOf(*box), longestText, 2);
            }
        }
    }
}

}  // namespace
}  // namespace dialvane
