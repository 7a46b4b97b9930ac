#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "app/form1.h"
#include "platform/win32/form_window.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/win32_platform.h"
#include "tests/win32/program_module.h"

namespace dialvane::testing {

// Sets the user's decimal separator for the test, and puts the old one back.
class DecimalSeparator {
public:
    explicit DecimalSeparator(const wchar_t* separator) {
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_, 8);
        ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator);
    }
    DecimalSeparator(const DecimalSeparator&) = delete;
    DecimalSeparator& operator=(const DecimalSeparator&) = delete;
    ~DecimalSeparator() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_); }

private:
    wchar_t old_[8]{};
};

// The real platform with the program's own pictures, set up as Dialvane.exe sets it up.
struct ProgramServices {
    ProgramModule program;
    win32::PictureLibrary pictures{program.get()};
    win32::Win32Platform platform{pictures};
};

// A form of the given kind in a real host window, with pixel reads of what it painted.
template <typename FormType>
class HostedForm : public ::testing::Test, protected ProgramServices {
protected:
    COLORREF pixel(int x, int y) const {
        HDC dc = ::GetDC(window.handle());
        const COLORREF colour = ::GetPixel(dc, x, y);
        ::ReleaseDC(window.handle(), dc);
        return colour;
    }
    int countColour(RECT area, COLORREF colour) const {
        HDC dc = ::GetDC(window.handle());
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                count += ::GetPixel(dc, x, y) == colour ? 1 : 0;
            }
        }
        ::ReleaseDC(window.handle(), dc);
        return count;
    }

    FormType form{platform};
    win32::FormWindow window{::GetModuleHandleW(nullptr), form, platform, pictures};
};

// No settings stored while it lives, nor after: a window loaded meanwhile starts as on the
// first run.
class FirstRunSettings {
public:
    FirstRunSettings() { forget(); }
    ~FirstRunSettings() { forget(); }
    FirstRunSettings(const FirstRunSettings&) = delete;
    FirstRunSettings& operator=(const FirstRunSettings&) = delete;

private:
    static void forget() { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MEM"); }
};

// As the program starts: the window made, the form loaded into it and shown.
inline void createAndShow(win32::FormWindow& window) {
    window.create();
    ASSERT_NE(window.handle(), nullptr);
    window.loadAndShow();
}

// The program's own window, loaded from first-run settings.
class ProgramWindow : public HostedForm<Form1> {
protected:
    void SetUp() override { createAndShow(window); }

    FirstRunSettings settings;
};

}  // namespace dialvane::testing
