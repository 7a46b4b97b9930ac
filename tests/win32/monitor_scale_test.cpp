#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

using testing::moveToDpi;

// Everything the user sees of a window: its size, outline and pixels, and every child window
// with its place in the window and its font.
struct Seen {
    struct Child {
        std::array<LONG, 4> rect;
        LONG fontHeight;
        bool operator==(const Child&) const = default;
    };
    POINT place{};
    SIZE size{};
    std::vector<BYTE> outline;
    std::vector<std::uint32_t> pixels;
    std::vector<Child> children;

    // Alike where anyone can see it: within the outline (beyond it the window keeps whatever
    // it showed before).
    bool looksLike(const Seen& other) const {
        if (size.cx != other.size.cx || size.cy != other.size.cy || outline != other.outline ||
            children != other.children) {
            return false;
        }
        if (outline.empty()) {
            return pixels == other.pixels;
        }
        const auto* data = reinterpret_cast<const RGNDATA*>(outline.data());
        const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
        for (DWORD r = 0; r < data->rdh.nCount; ++r) {
            for (int y = std::max(0L, rects[r].top); y < std::min(size.cy, rects[r].bottom); ++y) {
                for (int x = std::max(0L, rects[r].left); x < std::min(size.cx, rects[r].right);
                     ++x) {
                    if (at(x, y) != other.at(x, y)) {
                        return false;
                    }
                }
            }
        }
        return true;
    }
    COLORREF at(int x, int y) const {
        const std::uint32_t bgra = pixels[static_cast<std::size_t>(y * size.cx + x)];
        return RGB(bgra >> 16 & 0xFF, bgra >> 8 & 0xFF, bgra & 0xFF);
    }
    // The box round the pixels of one colour in an area; empty when there are none.
    RECT boxOf(COLORREF colour, RECT area) const {
        RECT box{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (at(x, y) == colour) {
                    box = {std::min(box.left, LONG{x}), std::min(box.top, LONG{y}),
                           std::max(box.right, LONG{x + 1}), std::max(box.bottom, LONG{y + 1})};
                }
            }
        }
        return box;
    }
    // The pixels of a column that stand out from the background at its top.
    int standingOutDown(int x, int top, int bottom) const {
        const int background = GetGValue(at(x, top));
        int found = 0;
        for (int y = top; y < bottom; ++y) {
            found += std::abs(GetGValue(at(x, y)) - background) > 40 ? 1 : 0;
        }
        return found;
    }
    int count(COLORREF colour, RECT area) const {
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                found += at(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }
    bool inOutline(int x, int y) const {
        const win32::unique_region region(
            ::ExtCreateRegion(nullptr, static_cast<DWORD>(outline.size()),
                              reinterpret_cast<const RGNDATA*>(outline.data())));
        return region && ::PtInRegion(region.get(), x, y) != 0;
    }
};

LONG fontHeight(HWND control) {
    LOGFONTW font{};
    if (auto* handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0))) {
        ::GetObjectW(handle, sizeof font, &font);
    }
    return font.lfHeight;
}

BOOL CALLBACK addChild(HWND child, LPARAM seen) {
    auto& into = *reinterpret_cast<Seen*>(seen);
    RECT rect{};
    ::GetWindowRect(child, &rect);
    into.children.push_back({{rect.left - into.place.x, rect.top - into.place.y,
                              rect.right - into.place.x, rect.bottom - into.place.y},
                             fontHeight(child)});
    return TRUE;
}

Seen look(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Seen seen;
    RECT rect{};
    ::GetWindowRect(window, &rect);
    seen.place = {rect.left, rect.top};
    seen.size = {rect.right - rect.left, rect.bottom - rect.top};
    const win32::unique_region region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(window, region.get()) != ERROR) {
        seen.outline.resize(::GetRegionData(region.get(), 0, nullptr));
        ::GetRegionData(region.get(), static_cast<DWORD>(seen.outline.size()),
                        reinterpret_cast<RGNDATA*>(seen.outline.data()));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = seen.size.cx;
    info.bmiHeader.biHeight = -seen.size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const win32::window_dc screen(window);
    const win32::unique_bitmap copy(
        ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const win32::unique_dc dc(::CreateCompatibleDC(screen.get()));
    {
        const win32::select_guard use(dc.get(), copy.get());
        ::BitBlt(dc.get(), 0, 0, seen.size.cx, seen.size.cy, screen.get(), 0, 0, SRCCOPY);
    }
    const auto* first = static_cast<const std::uint32_t*>(bits);
    seen.pixels.assign(first, first + seen.size.cx * seen.size.cy);
    ::EnumChildWindows(window, addChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

enum class View { Round, Options };

// The gauge of 2220 twips, round or in its options view, held still: no timer runs, the
// reading is 47 % and the needle points to the right. The focus is on a button, so no caret
// blinks into what is seen.
void showStill(Form1& form, const win32::FormWindow& window, View view) {
    form.txtHeight.setText("2220");
    ASSERT_TRUE(form.raise([&] { form.cmd_weiter_Click(); }));
    form.setLeft(4500);
    form.setTop(3000);
    if (view == View::Options) {
        ::SendMessageW(window.handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 20));
        ::SendMessageW(window.handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 20));
        ASSERT_EQ(form.width(), 6800);
    }
    form.Timer1.setEnabled(false);
    form.Timer2.setEnabled(false);
    form.lbl_MEM.setCaption("47 %");
    form.Drehen(-45);
    ::SetFocus(window.controlOf(form.cmd_weiter));
}

constexpr COLORREF needleRed = RGB(255, 0, 0);
constexpr COLORREF dimmedText = RGB(128, 128, 128);

// Taken from 96 to 144 dpi, the gauge is made there from its twips: the sizes, the outline,
// the layout and the fonts of 144 dpi, pixel for pixel as a gauge that started there.
TEST(OtherMonitor, TakenTo144DpiTheGaugeIsMadeThereAsIfItHadStartedThere) {
    const struct {
        View view;
        SIZE size;
        // Inside the outline, and outside it.
        std::vector<POINT> inside, outside;
        // Where the reading is, at 96 and at 144 dpi, and the middle of its text.
        RECT reading96, reading144;
        double readingMiddle;
        // The panel in the window.
        RECT panel;
        // How much of the column through the pivot the hub covers, on dial or black.
        int hub;
    } cases[] = {
        // A circle of 222 pixels: not the rounded square of a 170-pixel corner.
        {View::Round,
         {222, 222},
         {{111, 2}, {2, 111}, {219, 111}, {111, 219}},
         {{3, 3}, {10, 50}, {218, 218}},
         {48, 53, 100, 74},
         {73, 80, 149, 111},
         111,
         {246, -6, 704, 226},
         25},
        {View::Options,
         {680, 222},
         {{1, 1}, {677, 1}, {1, 219}, {677, 219}},
         {{681, 100}},
         {50, 50, 101, 71},
         {75, 75, 152, 106},
         113.25,
         {222, -6, 680, 226},
         20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.view == View::Round ? "round" : "options");
        testing::FirstRunSettings settings;
        testing::ProgramServices services;
        Form1 form(services.platform);
        win32::FormWindow window(::GetModuleHandleW(nullptr), form, services.platform,
                                 services.pictures);
        testing::createAndShow(window);
        showStill(form, window, c.view);
        const Seen before = look(window.handle());
        const RECT readingAt96 = before.boxOf(dimmedText, c.reading96);

        const SIZE asked = moveToDpi(services.platform, window.handle(), 144);
        EXPECT_EQ(asked.cx, c.size.cx);
        EXPECT_EQ(asked.cy, c.size.cy);
        const Seen after = look(window.handle());
        EXPECT_EQ(after.place.x, before.place.x) << "the top-left stays where Windows put it";
        EXPECT_EQ(after.place.y, before.place.y);
        EXPECT_EQ(after.size.cx, c.size.cx);
        EXPECT_EQ(after.size.cy, c.size.cy);
        for (const POINT& point : c.inside) {
            EXPECT_TRUE(after.inOutline(point.x, point.y)) << point.x << "," << point.y;
        }
        for (const POINT& point : c.outside) {
            EXPECT_FALSE(after.inOutline(point.x, point.y)) << point.x << "," << point.y;
        }
        EXPECT_EQ(form.width(), c.view == View::Round ? 2220 : 6800) << "the view is kept";

        // The needle from the pivot at (111, 111), 82.5 pixels long and 6 wide.
        for (const int x : {131, 151, 171, 190}) {
            EXPECT_EQ(after.at(x, 111), needleRed) << x;
        }
        EXPECT_NE(after.at(200, 111), needleRed) << "beyond the tip";
        EXPECT_EQ(after.count(needleRed, RECT{151, 100, 152, 122}), 6);
        // The hub, 24 pixels across, over the pivot.
        EXPECT_NEAR(after.standingOutDown(111, 85, 137), c.hub, 1);
        // The reading where the layout puts it, its font 1.5 times as tall as at 96 dpi.
        const RECT reading = after.boxOf(dimmedText, c.reading144);
        EXPECT_GT(reading.right - reading.left, 15) << "the reading is drawn there";
        EXPECT_NEAR((reading.left + reading.right) / 2.0, c.readingMiddle, 2);
        EXPECT_NEAR(reading.bottom - reading.top, (readingAt96.bottom - readingAt96.top) * 1.5, 2);
        // The mode label "RAM" centred under the pivot.
        const RECT mode = after.boxOf(dimmedText, RECT{84, 137, 138, 159});
        EXPECT_NEAR((mode.left + mode.right) / 2.0, 111, 2);
        // The panel and its controls, and their fonts.
        RECT panel{};
        ::GetWindowRect(window.panelOf(form.Frame1), &panel);
        ::OffsetRect(&panel, -after.place.x, -after.place.y);
        EXPECT_TRUE(::EqualRect(&panel, &c.panel));
        EXPECT_EQ(fontHeight(window.controlOf(form.cmd_weiter)), -20) << "9.75 points";
        EXPECT_EQ(fontHeight(window.controlOf(form.txtHeight)), -16) << "8 points";

        // A gauge that started on a monitor of 144 dpi, from the same settings.
        const testing::FirstRunSettings firstRun;
        testing::ProgramServices started;
        started.platform.setDpiSource([](HWND) { return win32::Dpi{144, 144}; });
        Form1 there(started.platform);
        win32::FormWindow thereWindow(::GetModuleHandleW(nullptr), there, started.platform,
                                      started.pictures);
        testing::createAndShow(thereWindow);
        showStill(there, thereWindow, c.view);
        EXPECT_TRUE(look(thereWindow.handle()).looksLike(after));
    }
}

// Start-up may place the window, still hidden, on a monitor of another scale than the one it
// was made on; it is shown at that monitor's scale.
TEST(OtherMonitor, PlacedOnAnotherMonitorBeforeItShowsItIsShownAtThatScale) {
    testing::FirstRunSettings settings;
    testing::ProgramServices services;
    Form1 form(services.platform);
    win32::FormWindow window(::GetModuleHandleW(nullptr), form, services.platform,
                             services.pictures);
    window.create();
    ASSERT_NE(window.handle(), nullptr);
    services.platform.setDpiSource([](HWND) { return win32::Dpi{144, 144}; });
    window.loadAndShow();
    const Seen shown = look(window.handle());
    EXPECT_EQ(shown.size.cx, 120) << "1200 twips at 144 dpi";
    EXPECT_EQ(shown.size.cy, 120);
    EXPECT_TRUE(shown.inOutline(60, 2));
    EXPECT_FALSE(shown.inOutline(3, 3)) << "round";
    EXPECT_EQ(fontHeight(window.controlOf(form.cmd_weiter)), -20);
}

// Before a move to a monitor of another scale Windows asks for the window's size there; the
// answer is the size the window will take, not Windows' guess scaled from its pixels.
TEST(OtherMonitor, AskedForItsSizeAtAnotherDpiTheWindowAnswersExactly) {
    const struct {
        View view;
        int dpi;
        SIZE size;
    } cases[] = {
        {View::Round, 120, {185, 185}},
        {View::Round, 168, {259, 259}},
        {View::Options, 120, {567, 185}},  // 6800 / 12 = 566.67, where 453 * 1.25 = 566.25
        {View::Options, 144, {680, 222}},
    };
    for (const auto& c : cases) {
        testing::FirstRunSettings settings;
        testing::ProgramServices services;
        Form1 form(services.platform);
        win32::FormWindow window(::GetModuleHandleW(nullptr), form, services.platform,
                                 services.pictures);
        testing::createAndShow(window);
        showStill(form, window, c.view);
        SIZE size{::MulDiv(static_cast<int>(form.width()) / 15, c.dpi, 96),
                  ::MulDiv(static_cast<int>(form.height()) / 15, c.dpi, 96)};
        EXPECT_TRUE(::SendMessageW(window.handle(), win32::getDpiScaledSizeMessage,
                                   static_cast<WPARAM>(c.dpi), reinterpret_cast<LPARAM>(&size)));
        EXPECT_EQ(size.cx, c.size.cx) << c.dpi;
        EXPECT_EQ(size.cy, c.size.cy) << c.dpi;
        RECT rect{};
        ::GetWindowRect(window.handle(), &rect);
        EXPECT_EQ(rect.right - rect.left, static_cast<int>(form.width()) / 15) << "only asked";
    }
}

// The twips are the truth and the pixels are made from them each time, so however often the
// gauge goes to and fro, nothing drifts by a pixel.
TEST(OtherMonitor, TenTripsTo144DpiAndBackLeaveTheGaugeAsItWas) {
    for (const View view : {View::Round, View::Options}) {
        SCOPED_TRACE(view == View::Round ? "round" : "options");
        testing::FirstRunSettings settings;
        testing::ProgramServices services;
        Form1 form(services.platform);
        win32::FormWindow window(::GetModuleHandleW(nullptr), form, services.platform,
                                 services.pictures);
        testing::createAndShow(window);
        showStill(form, window, view);
        const Seen start = look(window.handle());
        const std::array<float, 4> placed{form.left(), form.top(), form.width(), form.height()};
        std::optional<Seen> firstAt144;
        for (int trip = 0; trip < 10; ++trip) {
            moveToDpi(services.platform, window.handle(), 144);
            const Seen at144 = look(window.handle());
            if (!firstAt144) {
                firstAt144 = at144;
            }
            EXPECT_TRUE(at144.looksLike(*firstAt144)) << "trip " << trip;
            moveToDpi(services.platform, window.handle(), 96);
        }
        const Seen end = look(window.handle());
        EXPECT_TRUE(end.looksLike(start));
        EXPECT_EQ(end.place.x, start.place.x);
        EXPECT_EQ(end.place.y, start.place.y);
        EXPECT_EQ((std::array<float, 4>{form.left(), form.top(), form.width(), form.height()}),
                  placed);
    }
}

// A drag moves the window as far as the pointer went, whatever the monitor's scale.
TEST(OtherMonitor, ADraggedGaugeKeepsUpWithThePointer) {
    for (const int dpi : {96, 144}) {
        testing::FirstRunSettings settings;
        testing::ProgramServices services;
        Form1 form(services.platform);
        win32::FormWindow window(::GetModuleHandleW(nullptr), form, services.platform,
                                 services.pictures);
        testing::createAndShow(window);
        showStill(form, window, View::Round);
        moveToDpi(services.platform, window.handle(), dpi);
        RECT before{};
        ::GetWindowRect(window.handle(), &before);
        ::SendMessageW(window.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 40));
        ::SendMessageW(window.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 55));
        ::SendMessageW(window.handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 55));
        RECT after{};
        ::GetWindowRect(window.handle(), &after);
        EXPECT_EQ(after.left, before.left - 30) << dpi;
        EXPECT_EQ(after.top, before.top + 15) << dpi;
        // Saved as twips of the primary monitor, where the window is.
        EXPECT_EQ(form.left(), static_cast<float>(after.left * 15)) << dpi;
        EXPECT_EQ(form.MEMTOP.caption(), std::to_string(after.top * 15)) << dpi;
    }
}

}  // namespace
}  // namespace dialvane
