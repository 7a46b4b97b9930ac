#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
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
    RECT suggested{placed.left + shift.x, placed.top + shift.y, 0, 0};
    suggested.right = suggested.left + size.cx;
    suggested.bottom = suggested.top + size.cy;
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
}

LONG fontHeight(HWND control) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    return font.lfHeight;
}

// What the user sees of a window: its place, size and outline, its pixels, and its child
// windows with their places and fonts.
struct Seen {
    POINT place{};
    SIZE size{};
    std::vector<BYTE> outline;
    std::vector<std::uint32_t> pixels;
    std::vector<std::array<LONG, 5>> children;

    COLORREF at(int x, int y) const {
        const std::uint32_t bgra = pixels[static_cast<std::size_t>(y * size.cx + x)];
        return RGB(bgra >> 16 & 0xFF, bgra >> 8 & 0xFF, bgra & 0xFF);
    }
    bool inOutline(int x, int y) const {
        const win32::unique_region region(
            ::ExtCreateRegion(nullptr, static_cast<DWORD>(outline.size()),
                              reinterpret_cast<const RGNDATA*>(outline.data())));
        return ::PtInRegion(region.get(), x, y) != 0;
    }
    // The box round the pixels of one colour in an area.
    RECT boxOf(COLORREF colour, RECT area) const {
        RECT box{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (at(x, y) == colour) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                           std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                }
            }
        }
        return box;
    }
    // Alike wherever anyone can see it: within the outline (beyond it a window keeps whatever
    // it held before).
    bool looksLike(const Seen& other) const {
        if (size.cx != other.size.cx || size.cy != other.size.cy || outline != other.outline ||
            children != other.children) {
            return false;
        }
        const auto* data = reinterpret_cast<const RGNDATA*>(outline.data());
        const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
        for (const RECT& rect : std::vector<RECT>(rects, rects + data->rdh.nCount)) {
            for (int y = std::max(0L, rect.top); y < std::min(size.cy, rect.bottom); ++y) {
                for (int x = std::max(0L, rect.left); x < std::min(size.cx, rect.right); ++x) {
                    if (at(x, y) != other.at(x, y)) {
                        return false;
                    }
                }
            }
        }
        return true;
    }
};

Seen look(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Seen seen;
    RECT rect{};
    ::GetWindowRect(window, &rect);
    seen.place = {rect.left, rect.top};
    seen.size = {rect.right - rect.left, rect.bottom - rect.top};
    const win32::unique_region region(::CreateRectRgn(0, 0, 0, 0));
    ::GetWindowRgn(window, region.get());
    seen.outline.resize(::GetRegionData(region.get(), 0, nullptr));
    ::GetRegionData(region.get(), static_cast<DWORD>(seen.outline.size()),
                    reinterpret_cast<RGNDATA*>(seen.outline.data()));
    const win32::window_dc screen(window);
    const win32::unique_dc dc(::CreateCompatibleDC(screen.get()));
    const win32::unique_bitmap copy(
        ::CreateCompatibleBitmap(screen.get(), seen.size.cx, seen.size.cy));
    {
        const win32::select_guard use(dc.get(), copy.get());
        ::BitBlt(dc.get(), 0, 0, seen.size.cx, seen.size.cy, screen.get(), 0, 0, SRCCOPY);
    }
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), seen.size.cx, -seen.size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    seen.pixels.resize(static_cast<std::size_t>(seen.size.cx * seen.size.cy));
    ::GetDIBits(dc.get(), copy.get(), 0, static_cast<UINT>(seen.size.cy), seen.pixels.data(), &info,
                DIB_RGB_COLORS);
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM into) {
            auto& seen = *reinterpret_cast<Seen*>(into);
            RECT placed{};
            ::GetWindowRect(child, &placed);
            seen.children.push_back({placed.left - seen.place.x, placed.top - seen.place.y,
                                     placed.right - seen.place.x, placed.bottom - seen.place.y,
                                     fontHeight(child)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    return seen;
}

enum class View { Round, Options };

// The gauge of 2220 twips at (300, 200), round or in its options view, held still: no timer
// runs, the reading is 47 % and the needle points to the right. The focus is on a button, so
// no caret blinks into what is seen.
void showStill(Form1& form, const win32::FormWindow& window, View view) {
    form.txtHeight.setText("2220");
    ASSERT_TRUE(form.raise([&] { form.cmd_weiter_Click(); }));
    form.setLeft(4500);
    form.setTop(3000);
    if (view == View::Options) {
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
// started there; ten trips to and fro leave it exactly as it was; a drag keeps up with the
// pointer, and a place Windows picks is kept in twips of the primary monitor.
TEST(OtherMonitor, TheGaugeIsMadeAtItsMonitorsScaleFromItsTwips) {
    const struct {
        View view;
        SIZE at120, at144;  // 6800 / 12 = 566.67 where 453 * 1.25 = 566.25
        std::vector<POINT> inside, outside;
        RECT reading96, reading144;  // where the reading is
        int readingMiddle;
        RECT panel;
    } cases[] = {
        // At 144 dpi a circle of 222 pixels, not the rounded square of a 170-pixel corner.
        {View::Round,
         {185, 185},
         {222, 222},
         {{111, 2}, {2, 111}, {219, 111}},
         {{3, 3}, {10, 50}, {218, 218}},
         {48, 53, 100, 74},
         {73, 80, 149, 111},
         111,
         {246, -6, 704, 226}},
        {View::Options,
         {567, 185},
         {680, 222},
         {{1, 1}, {677, 219}},
         {{681, 100}},
         {50, 50, 101, 71},
         {75, 75, 152, 106},
         113,
         {222, -6, 680, 226}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view == View::Round ? "round" : "options");
        const testing::FirstRunSettings settings;
        testing::ProgramServices services;
        Form1 form(services.platform);
        win32::FormWindow window(::GetModuleHandleW(nullptr), form, services.platform,
                                 services.pictures);
        testing::createAndShow(window);
        showStill(form, window, c.view);
        const Seen before = look(window.handle());
        SIZE asked{::MulDiv(before.size.cx, 120, 96), ::MulDiv(before.size.cy, 120, 96)};
        ::SendMessageW(window.handle(), win32::getDpiScaledSizeMessage, 120,
                       reinterpret_cast<LPARAM>(&asked));
        EXPECT_EQ(asked.cx, c.at120.cx) << "the size it takes, not Windows' guess";
        EXPECT_EQ(asked.cy, c.at120.cy);

        moveToDpi(services.platform, window.handle(), 144);
        const Seen after = look(window.handle());
        EXPECT_EQ(after.place.x, before.place.x);
        EXPECT_EQ(after.place.y, before.place.y);
        EXPECT_EQ(after.size.cx, c.at144.cx);
        EXPECT_EQ(after.size.cy, c.at144.cy);
        for (const POINT& point : c.inside) {
            EXPECT_TRUE(after.inOutline(point.x, point.y)) << point.x << "," << point.y;
        }
        for (const POINT& point : c.outside) {
            EXPECT_FALSE(after.inOutline(point.x, point.y)) << point.x << "," << point.y;
        }
        EXPECT_EQ(form.width(), c.view == View::Round ? 2220 : 6800) << "the view is kept";
        // The needle from the pivot at (111, 111), 82.5 pixels long and 6 wide.
        for (const int x : {131, 171, 190}) {
            EXPECT_EQ(after.at(x, 111), needleRed) << x;
        }
        EXPECT_NE(after.at(200, 111), needleRed) << "beyond the tip";
        const RECT pen = after.boxOf(needleRed, RECT{151, 100, 152, 122});
        EXPECT_EQ(pen.bottom - pen.top, 6);
        // The hub, 24 pixels across, still covers the needle 8 pixels right of the pivot.
        EXPECT_NE(after.at(119, 111), needleRed);
        // The reading and the mode label where the layout puts them, the reading's font 1.5
        // times as tall as at 96 dpi.
        const RECT reading = after.boxOf(dimmedText, c.reading144);
        const RECT reading96 = before.boxOf(dimmedText, c.reading96);
        EXPECT_NEAR((reading.left + reading.right) / 2, c.readingMiddle, 2);
        EXPECT_NEAR(reading.bottom - reading.top, (reading96.bottom - reading96.top) * 1.5, 2);
        const RECT mode = after.boxOf(dimmedText, RECT{84, 137, 138, 159});
        EXPECT_NEAR((mode.left + mode.right) / 2, 111, 2) << "RAM";
        // The panel, and its controls' fonts.
        RECT panel{};
        ::GetWindowRect(window.panelOf(form.Frame1), &panel);
        ::OffsetRect(&panel, -after.place.x, -after.place.y);
        EXPECT_TRUE(::EqualRect(&panel, &c.panel));
        EXPECT_EQ(fontHeight(window.controlOf(form.cmd_weiter)), -20) << "9.75 points";
        EXPECT_EQ(fontHeight(window.controlOf(form.txtHeight)), -16) << "8 points";

        {
            // One that started there, on a monitor of 144 dpi when made (the round gauge) or
            // placed there before it was shown (the options view), from the same settings.
            const testing::FirstRunSettings firstRun;
            testing::ProgramServices started;
            Form1 there(started.platform);
            win32::FormWindow thereWindow(::GetModuleHandleW(nullptr), there, started.platform,
                                          started.pictures);
            const auto at144 = [](HWND) { return win32::Dpi{144, 144}; };
            if (c.view == View::Round) {
                started.platform.setDpiSource(at144);
            }
            thereWindow.create();
            started.platform.setDpiSource(at144);
            thereWindow.loadAndShow();
            showStill(there, thereWindow, c.view);
            EXPECT_TRUE(look(thereWindow.handle()).looksLike(after));
        }

        for (int trip = 0; trip < 10; ++trip) {
            moveToDpi(services.platform, window.handle(), 96);
            moveToDpi(services.platform, window.handle(), 144);
        }
        EXPECT_TRUE(look(window.handle()).looksLike(after));
        moveToDpi(services.platform, window.handle(), 96);
        const Seen back = look(window.handle());
        EXPECT_TRUE(back.looksLike(before));
        EXPECT_EQ(back.place.x, before.place.x);
        EXPECT_EQ(back.place.y, before.place.y);
        EXPECT_EQ(form.left(), 4500);
        EXPECT_EQ(form.top(), 3000);

        moveToDpi(services.platform, window.handle(), 144, {-20, 10});
        EXPECT_EQ(form.left(), 280 * 15) << "where Windows put it";
        EXPECT_EQ(form.top(), 210 * 15);
        if (c.view == View::Round) {
            // The mode dot is hit where it is drawn.
            ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(111, 174));
            ::SendMessageW(window.handle(), WM_LBUTTONUP, 0, MAKELPARAM(111, 174));
            EXPECT_EQ(form.lblHDRAM.caption(), "HD");
        }
        ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 40));
        ::SendMessageW(window.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 55));
        ::SendMessageW(window.handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 55));
        RECT dragged{};
        ::GetWindowRect(window.handle(), &dragged);
        EXPECT_EQ(dragged.left, 250) << "as far as the pointer went";
        EXPECT_EQ(dragged.top, 225);
        EXPECT_EQ(form.MEMLeft.caption(), std::to_string(250 * 15));
    }
}

}  // namespace
}  // namespace dialvane
