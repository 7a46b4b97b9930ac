#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

// What Windows does when a window goes to a monitor of another scale (Wine never does): the
// window's monitor answers the new DPI, the window is asked for its size there, and told of
// the change with a rectangle of that size at its top-left, or moved by the shift given.
void moveToDpi(win32::Win32Platform& platform, HWND window, int dpi, POINT shift = {}) {
    platform.setDpiSource([dpi](HWND) { return win32::Dpi{dpi, dpi}; });
    RECT placed{};
    ::GetWindowRect(window, &placed);
    SIZE size{};
    ::SendMessageW(window, win32::getDpiScaledSizeMessage, static_cast<WPARAM>(dpi),
                   reinterpret_cast<LPARAM>(&size));
    ::OffsetRect(&placed, shift.x, shift.y);
    RECT suggested{placed.left, placed.top, placed.left + size.cx, placed.top + size.cy};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
}

bool same(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != 0;
}

LONG fontHeight(HWND control) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    return font.lfHeight;
}

// What the user sees of a window: its place and outline, and its pixels within the outline
// (beyond it a window keeps what it held).
struct Seen {
    RECT rect{};
    std::vector<BYTE> outline;
    std::vector<std::uint32_t> pixels;

    int width() const { return rect.right - rect.left; }
    COLORREF at(int x, int y) const {
        const std::uint32_t bgra = pixels[static_cast<std::size_t>(y * width() + x)];
        return RGB(bgra >> 16 & 0xFF, bgra >> 8 & 0xFF, bgra & 0xFF);
    }
    bool inOutline(int x, int y) const {
        const win32::unique_region made(
            ::ExtCreateRegion(nullptr, static_cast<DWORD>(outline.size()),
                              reinterpret_cast<const RGNDATA*>(outline.data())));
        return ::PtInRegion(made.get(), x, y) != 0;
    }
    // The box round the pixels of one colour in an area.
    RECT boxOf(COLORREF colour, RECT area) const {
        RECT box{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (at(x, y) == colour) {
                    const RECT pixel{x, y, x + 1, y + 1};
                    ::UnionRect(&box, ::IsRectEmpty(&box) ? &pixel : &box, &pixel);
                }
            }
        }
        return box;
    }
    bool looksLike(const Seen& other) const {
        return same(rect, other.rect) && outline == other.outline && pixels == other.pixels;
    }
};

Seen look(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Seen seen;
    ::GetWindowRect(window, &seen.rect);
    const win32::unique_region region(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(window, region.get());
    seen.outline.resize(::GetRegionData(region.get(), 0, nullptr));
    ::GetRegionData(region.get(), static_cast<DWORD>(seen.outline.size()),
                    reinterpret_cast<RGNDATA*>(seen.outline.data()));
    const int height = seen.rect.bottom - seen.rect.top;
    const win32::window_dc screen(window);
    const win32::unique_dc dc(::CreateCompatibleDC(screen.get()));
    const win32::unique_bitmap copy(::CreateCompatibleBitmap(screen.get(), seen.width(), height));
    {
        const win32::select_guard use(dc.get(), copy.get());
        ::PatBlt(dc.get(), 0, 0, seen.width(), height, BLACKNESS);
        ::SelectClipRgn(dc.get(), region.get());
        ::BitBlt(dc.get(), 0, 0, seen.width(), height, screen.get(), 0, 0, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), seen.width(), -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    seen.pixels.resize(static_cast<std::size_t>(seen.width() * height));
    ::GetDIBits(dc.get(), copy.get(), 0, static_cast<UINT>(height), seen.pixels.data(), &info,
                DIB_RGB_COLORS);
    return seen;
}

// The gauge of 2220 twips at (300, 200), round or in its options view, held still: no timer
// runs, the reading is 47 % and the needle points to the right. The focus is on a button, so
// no caret blinks into what is seen.
void showStill(Form1& form, const win32::FormWindow& window, bool options) {
    form.txtHeight.setText("2220");
    ASSERT_TRUE(form.raise([&] { form.cmd_weiter_Click(); }));
    form.setLeft(4500);
    form.setTop(3000);
    if (options) {
        ::SendMessageW(window.handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 20));
        ::SendMessageW(window.handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 20));
    }
    form.Timer1.setEnabled(false);
    form.Timer2.setEnabled(false);
    form.lbl_MEM.setCaption("47 %");
    form.Drehen(-45);
    ::SetFocus(window.controlOf(form.cmd_weiter));
}

constexpr COLORREF needleRed = RGB(255, 0, 0);
constexpr COLORREF dimmedText = RGB(128, 128, 128);

// Taken from 96 to 144 dpi the gauge is made there from its twips, pixel for pixel as one that
// started there; ten trips to and fro leave it exactly as it was; a place Windows picks is kept
// in twips of the primary monitor, and a drag keeps up with the pointer.
TEST(OtherMonitor, TheGaugeIsMadeAtItsMonitorsScaleFromItsTwips) {
    // clang-format off
    const struct {
        bool options;
        LONG at120, at144;  // wide, 185 and 222 high; at 120 dpi 6800 / 12 = 566.67, not 453 * 1.25
        POINT inside, outside;
        LONG needleEnd;  // the tip, 825 or 800 twips from the pivot, and its round cap
        RECT reading96, reading144, panel;
    } cases[] = {
        // A circle of 222 pixels, not the rounded square of a 170-pixel corner.
        {false, 185, 222, {111, 2}, {10, 50}, 197,
         {48, 53, 100, 74}, {73, 80, 149, 111}, {246, -6, 704, 226}},
        {true, 567, 680, {677, 219}, {681, 100}, 194,
         {50, 50, 101, 71}, {75, 75, 152, 106}, {222, -6, 680, 226}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options ? "options view" : "round");
        const testing::FirstRunSettings settings;
        testing::ProgramServices services;
        Form1 form(services.platform);
        win32::FormWindow window(::GetModuleHandleW(nullptr), form, services.platform,
                                 services.pictures);
        testing::createAndShow(window);
        showStill(form, window, c.options);
        const Seen before = look(window.handle());
        SIZE asked{::MulDiv(before.width(), 120, 96), 0};
        ::SendMessageW(window.handle(), win32::getDpiScaledSizeMessage, 120,
                       reinterpret_cast<LPARAM>(&asked));
        EXPECT_EQ(asked.cx, c.at120);
        EXPECT_EQ(asked.cy, 185);

        moveToDpi(services.platform, window.handle(), 144);
        const Seen after = look(window.handle());
        EXPECT_TRUE(same(after.rect, {300, 200, 300 + c.at144, 422}));
        EXPECT_TRUE(after.inOutline(2, 111) && after.inOutline(c.inside.x, c.inside.y));
        EXPECT_FALSE(after.inOutline(c.outside.x, c.outside.y));
        // The needle from the pivot at (111, 111), 6 pixels wide; the hub, 24 pixels across,
        // covers it up to 11 pixels right of the pivot.
        const RECT needle = after.boxOf(needleRed, RECT{100, 100, 210, 122});
        EXPECT_TRUE(same(needle, {122, 108, c.needleEnd, 114}));
        // The reading and the mode label where the layout puts them, the reading's font 1.5
        // times as tall as at 96 dpi.
        const RECT reading = after.boxOf(dimmedText, c.reading144);
        const RECT reading96 = before.boxOf(dimmedText, c.reading96);
        EXPECT_NEAR((reading.left + reading.right) / 2,
                    (c.reading144.left + c.reading144.right) / 2, 2);
        EXPECT_NEAR(reading.bottom - reading.top, (reading96.bottom - reading96.top) * 1.5, 2);
        const RECT mode = after.boxOf(dimmedText, RECT{84, 137, 138, 159});
        EXPECT_NEAR((mode.left + mode.right) / 2, 111, 2) << "RAM";
        RECT panel{};
        ::GetWindowRect(window.panelOf(form.Frame1), &panel);
        ::OffsetRect(&panel, -300, -200);
        EXPECT_TRUE(same(panel, c.panel));
        EXPECT_EQ(fontHeight(window.controlOf(form.cmd_weiter)), -20) << "9.75 points";
        EXPECT_EQ(fontHeight(window.controlOf(form.txtHeight)), -16) << "8 points";
        {
            // One that started on a monitor of 144 dpi: made there (the round gauge) or placed
            // there before it was shown (the options view).
            const testing::FirstRunSettings firstRun;
            testing::ProgramServices started;
            Form1 there(started.platform);
            win32::FormWindow thereWindow(::GetModuleHandleW(nullptr), there, started.platform,
                                          started.pictures);
            const auto at144 = [](HWND) { return win32::Dpi{144, 144}; };
            if (!c.options) {
                started.platform.setDpiSource(at144);
            }
            thereWindow.create();
            started.platform.setDpiSource(at144);
            thereWindow.loadAndShow();
            showStill(there, thereWindow, c.options);
            EXPECT_TRUE(look(thereWindow.handle()).looksLike(after));
        }

        for (int trip = 0; trip < 10; ++trip) {
            moveToDpi(services.platform, window.handle(), 96);
            EXPECT_TRUE(look(window.handle()).looksLike(before)) << trip;
            moveToDpi(services.platform, window.handle(), 144);
        }
        EXPECT_TRUE(look(window.handle()).looksLike(after));
        EXPECT_EQ(form.left(), 4500);
        EXPECT_EQ(form.top(), 3000);

        moveToDpi(services.platform, window.handle(), 96);
        moveToDpi(services.platform, window.handle(), 144, {-20, 10});
        EXPECT_EQ(form.left(), 280 * 15) << "where Windows put it";
        EXPECT_EQ(form.top(), 210 * 15);
        if (!c.options) {
            // The mode dot is hit where it is drawn.
            ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(111, 174));
            ::SendMessageW(window.handle(), WM_LBUTTONUP, 0, MAKELPARAM(111, 174));
            EXPECT_EQ(form.lblHDRAM.caption(), "HD");
        }
        ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 40));
        ::SendMessageW(window.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 55));
        ::SendMessageW(window.handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 55));
        EXPECT_EQ(form.MEMLeft.caption(), std::to_string(250 * 15)) << "as far as the pointer";
        EXPECT_EQ(form.MEMTOP.caption(), std::to_string(225 * 15));
    }
}

}  // namespace
}  // namespace dialvane
