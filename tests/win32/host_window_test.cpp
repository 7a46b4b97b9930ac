#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/command_button.h"
#include "framework/form.h"
#include "framework/frame.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/line.h"
#include "framework/text_box.h"
#include "framework/timer.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

using testing::pumpMessages;

// A small window with one element of every kind; sizes are 15 twips to the pixel.
class ProbeForm : public Form {
public:
    explicit ProbeForm(Platform& platform)
        : Form(platform),
          panel(*this, {.name = "panel"}, {2250, 0, 2250, 1500}, "", Colour::rgb(192, 192, 192)),
          later(*this, {.name = "later", .container = &panel, .tabIndex = 2}, {150, 600, 1200, 450},
                "Knopf"),
          edit(*this, {.name = "edit", .container = &panel, .tabIndex = 1}, {150, 150, 900, 300},
               "12"),
          first(*this, {.name = "first", .container = &panel, .tabIndex = 0}, {1500, 150, 600, 300},
                "Erster"),
          exit(*this, {.name = "exit", .container = &panel}, {1500, 900, 600, 615},
               PictureId::ExitCross, PointerId::Hand),
          greeting(*this, {.name = "greeting"}, {150, 150, 1500, 300}, "Grüße",
                   {.foreColor = Colour::rgb(0, 0, 255)}),
          reading(*this, {.name = "reading", .enabled = false}, {150, 600, 1500, 300}, "47 %",
                  {.foreColor = Colour::rgb(255, 128, 0)}),
          needle(*this, {.name = "needle"}, {1500, 150, 1500, 1500}, Colour::rgb(255, 0, 0), 4),
          dot(*this, {.name = "dot"}, {150, 1200, 210, 210}, PictureId::DotRing),
          hub(*this, {.name = "hub", .enabled = false}, {600, 1200, 240, 240}, PictureId::Hub),
          ticker(*this, {.name = "ticker"}, false, 20) {
        define({.caption = "Probe",
                .bounds = {1500, 1500, 4500, 1800},
                .backColor = Colour::rgb(192, 192, 192)});
        setStacking({&panel, &greeting, &reading, &dot, &hub, &needle});
        panel.setStacking({&later, &edit, &first, &exit});
        later.onClick = [this] { ++buttonClicks; };
        exit.onClick = [this] { ++exitClicks; };
        dot.onClick = [this] { ++dotClicks; };
        ticker.onTick = [this] { ++ticks; };
    }

    void Form_MouseDown(std::int16_t button, std::int16_t, float x, float y) override {
        presses.push_back({button, x, y});
    }
    void Form_DblClick() override { ++doubleClicks; }
    void Form_Unload(std::int16_t& cancel) override {
        ++unloads;
        cancel = refuseClose;
    }

    struct Press {
        std::int16_t button;
        float x, y;
        bool operator==(const Press&) const = default;
    };
    Frame panel;
    CommandButton later;
    TextBox edit;
    CommandButton first;
    Image exit;
    Label greeting;
    Label reading;
    Line needle;
    Image dot;
    Image hub;
    Timer ticker;
    std::vector<Press> presses;
    int buttonClicks = 0, exitClicks = 0, dotClicks = 0, ticks = 0, doubleClicks = 0, unloads = 0;
    std::int16_t refuseClose = 0;
};

class HostWindow : public testing::HostedForm<ProbeForm> {
protected:
    void SetUp() override {
        ASSERT_EQ(platform.twipsPerPixelX(), 15) << "these tests expect 96 dpi";
        window.create();
        ASSERT_NE(window.handle(), nullptr);
        window.loadAndShow();
        pumpMessages(50);
    }
    HWND main() const { return window.handle(); }
    HWND control(const Element& element) const { return window.controlOf(element); }
    static std::wstring textOf(HWND control) {
        wchar_t text[64]{};
        ::GetWindowTextW(control, text, 64);
        return text;
    }
    static RECT rectIn(HWND child, HWND parent) {
        RECT rect{};
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static bool same(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != 0; }
    RECT updateBox() const {
        RECT box{};
        ::GetUpdateRect(main(), &box, FALSE);
        return box;
    }
    void click(HWND target, UINT down, UINT up, int x, int y, WPARAM keys) const {
        ::SendMessageW(target, down, keys, MAKELPARAM(x, y));
        ::SendMessageW(target, up, 0, MAKELPARAM(x, y));
    }
};

TEST_F(HostWindow, ABorderlessToolWindowOfTheModelsSize) {
    const LONG style = ::GetWindowLongW(main(), GWL_STYLE);
    EXPECT_NE(static_cast<DWORD>(style) & WS_POPUP, 0U);
    EXPECT_EQ(static_cast<DWORD>(style) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_SYSMENU),
              0U);
    EXPECT_NE(::GetWindowLongW(main(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0) << "no taskbar button";
    EXPECT_EQ(textOf(main()), L"Probe");
    EXPECT_TRUE(::IsWindowVisible(main()));
    RECT rect{};
    ::GetWindowRect(main(), &rect);
    EXPECT_TRUE(same(rect, RECT{100, 100, 400, 220}));
    RECT client{};
    ::GetClientRect(main(), &client);
    EXPECT_TRUE(same(client, RECT{0, 0, 300, 120})) << "the inner area is the whole window";
}

TEST_F(HostWindow, BothWindowClassesTakeDoubleClicks) {
    for (HWND window : {main(), control(form.panel)}) {
        EXPECT_NE(::GetClassLongPtrW(window, GCL_STYLE) & CS_DBLCLKS, 0U);
    }
}

TEST_F(HostWindow, ThePanelAndItsControlsAreRealChildWindows) {
    HWND panel = control(form.panel);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(::GetParent(panel), main());
    EXPECT_TRUE(same(rectIn(panel, main()), RECT{150, 0, 300, 100}));
    EXPECT_EQ(::GetParent(control(form.edit)), panel);
    EXPECT_TRUE(same(rectIn(control(form.edit), panel), RECT{10, 10, 70, 30}));
    EXPECT_EQ(textOf(control(form.edit)), L"12");
    EXPECT_EQ(textOf(control(form.later)), L"Knopf");
    wchar_t kind[16]{};
    ::GetClassNameW(control(form.later), kind, 16);
    EXPECT_STREQ(kind, L"Button");
}

TEST_F(HostWindow, TabOrderFollowsTheTabIndexAndFocusStartsAtTheLowest) {
    EXPECT_EQ(::GetFocus(), control(form.first));
    HWND next = ::GetNextDlgTabItem(main(), control(form.first), FALSE);
    EXPECT_EQ(next, control(form.edit));
    EXPECT_EQ(::GetNextDlgTabItem(main(), next, FALSE), control(form.later));
}

TEST_F(HostWindow, ActivatedAgainItGivesTheFocusBackToTheTextBoxThatHadIt) {
    ::SetFocus(control(form.edit));
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetActiveWindow(other);
    pumpMessages(20);
    ASSERT_NE(::GetFocus(), control(form.edit)) << "the other window took the focus";
    ::SetActiveWindow(main());
    pumpMessages(20);
    EXPECT_EQ(::GetFocus(), control(form.edit)) << "not the first control in tab order";
    ::DestroyWindow(other);
}

TEST_F(HostWindow, ModelChangesReachTheWindows) {
    form.edit.setText("345");
    EXPECT_EQ(textOf(control(form.edit)), L"345");
    form.later.setVisible(false);
    EXPECT_FALSE(::IsWindowVisible(control(form.later)));
    form.panel.setLeft(1500);
    EXPECT_EQ(rectIn(control(form.panel), main()).left, 100);
    form.setLeft(3000);
    form.setWidth(6000);
    RECT rect{};
    ::GetWindowRect(main(), &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.right - rect.left, 400);
    form.setTop(1e30F);  // far off any screen: clamped, not wrapped round
    ::GetWindowRect(main(), &rect);
    EXPECT_GT(rect.top, 10000);
}

TEST_F(HostWindow, WhatTheUserDoesReachesTheModel) {
    ::SetWindowTextW(control(form.edit), L"900");
    EXPECT_EQ(form.edit.text(), "900");
    ::SendMessageW(control(form.later), BM_CLICK, 0, 0);
    EXPECT_EQ(form.buttonClicks, 1);

    form.edit.onKeyPress = [](std::int16_t& key) {
        if (key < '0' || key > '9') {
            key = 0;
        }
    };
    ::SendMessageW(control(form.edit), EM_SETSEL, 3, 3);
    ::SendMessageW(control(form.edit), WM_CHAR, L',', 0);
    ::SendMessageW(control(form.edit), WM_CHAR, L'7', 0);
    EXPECT_EQ(form.edit.text(), "9007");
}

TEST_F(HostWindow, AChangeRepaintsOnlyWhatItTouches) {
    ::ValidateRect(main(), nullptr);
    form.greeting.setCaption("Tschüss");
    EXPECT_TRUE(same(updateBox(), RECT{10, 10, 110, 30}));

    ::ValidateRect(main(), nullptr);
    form.needle.setX2(3000);  // tip from (100, 100) to (200, 100)
    const RECT box = updateBox();
    EXPECT_LE(box.left, 98);
    EXPECT_GE(box.right, 202);
    EXPECT_LE(box.top, 8);
    EXPECT_GE(box.bottom, 102);
    EXPECT_LT(box.right - box.left, 120) << "not the whole window";

    ::ValidateRect(main(), nullptr);
    form.greeting.setCaption("Tschüss");  // no change, nothing to paint
    EXPECT_TRUE(::IsRectEmpty(&(const RECT&)updateBox()));
}

TEST_F(HostWindow, ASettingsChangeRereadsTheUsersNumberFormat) {
    const std::string before = platform.numberFormat().decimalSeparator;
    const testing::DecimalSeparator other(before == "," ? L"." : L",");
    EXPECT_EQ(platform.numberFormat().decimalSeparator, before) << "read once, not every time";
    ::SendMessageW(main(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    EXPECT_NE(platform.numberFormat().decimalSeparator, before);
}

TEST_F(HostWindow, PaintsTheElementsWhereTheModelPutsThem) {
    ::UpdateWindow(main());
    EXPECT_EQ(pixel(100, 50), RGB(255, 0, 0)) << "the line";
    EXPECT_EQ(pixel(99, 50), RGB(255, 0, 0)) << "four pixels wide";
    EXPECT_EQ(pixel(120, 50), RGB(192, 192, 192)) << "background";
    EXPECT_GT(countColour(RECT{10, 10, 110, 30}, RGB(0, 0, 255)), 10) << "the label's text";
    EXPECT_GT(countColour(RECT{10, 40, 110, 60}, RGB(128, 128, 128)), 10)
        << "a disabled label draws grey";
    EXPECT_EQ(countColour(RECT{10, 40, 110, 60}, RGB(255, 128, 0)), 0);
    EXPECT_NE(pixel(10 + 7, 80 + 1), RGB(192, 192, 192)) << "the ring's top edge";
    EXPECT_EQ(pixel(10 + 7, 80 + 7), RGB(192, 192, 192)) << "a hollow ring";

    form.needle.setX2(3000);
    pumpMessages(50);
    EXPECT_EQ(pixel(122, 30), RGB(255, 0, 0)) << "the needle's new place";
    EXPECT_EQ(pixel(100, 80), RGB(192, 192, 192)) << "and nothing left at the old one";
}

TEST_F(HostWindow, PressesGoToEnabledPicturesOrTheSurface) {
    click(main(), WM_LBUTTONDOWN, WM_LBUTTONUP, 15, 85, MK_LBUTTON);
    EXPECT_EQ(form.dotClicks, 1);
    EXPECT_TRUE(form.presses.empty());

    click(main(), WM_LBUTTONDOWN, WM_LBUTTONUP, 45, 85, MK_LBUTTON);  // the disabled hub
    click(main(), WM_RBUTTONDOWN, WM_RBUTTONUP, 20, 45, MK_RBUTTON);  // the disabled label
    ASSERT_EQ(form.presses.size(), 2U);
    EXPECT_EQ(form.presses[0], (ProbeForm::Press{1, 45 * 15, 85 * 15}));
    EXPECT_EQ(form.presses[1], (ProbeForm::Press{2, 20 * 15, 45 * 15}));

    ::SendMessageW(main(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(130, 10));
    ::SendMessageW(main(), WM_LBUTTONUP, 0, MAKELPARAM(130, 10));
    EXPECT_EQ(form.doubleClicks, 1);
    EXPECT_EQ(form.presses.size(), 2U) << "the second press of a double-click is no press";

    click(control(form.panel), WM_LBUTTONDOWN, WM_LBUTTONUP, 110, 70, MK_LBUTTON);
    EXPECT_EQ(form.exitClicks, 1);
    click(control(form.panel), WM_LBUTTONDOWN, WM_LBUTTONUP, 140, 5, MK_LBUTTON);
    EXPECT_EQ(form.presses.size(), 2U) << "the panel's surface is not the window's";
}

TEST_F(HostWindow, ThePointerIsCapturedFromPressToRelease) {
    ::SendMessageW(main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(130, 10));
    EXPECT_EQ(::GetCapture(), main());
    ::SendMessageW(main(), WM_LBUTTONUP, 0, MAKELPARAM(130, 10));
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Another window taking the pointer, or the system cancelling the press, ends the press: the
// window neither takes the pointer back nor mistakes the next click for part of the old press.
TEST_F(HostWindow, APressWhoseCaptureIsTakenAwayIsForgotten) {
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    const std::function<void()> takeAways[] = {
        [other] { ::SetCapture(other); },
        [this] { ::SendMessageW(main(), WM_CANCELMODE, 0, 0); },
    };
    for (const auto& takeAway : takeAways) {
        const int clicks = form.dotClicks;
        ::SendMessageW(main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(130, 10));
        takeAway();
        ::SendMessageW(main(), WM_MOUSEMOVE, 0, MAKELPARAM(131, 10));
        EXPECT_NE(::GetCapture(), main());
        click(main(), WM_LBUTTONDOWN, WM_LBUTTONUP, 15, 85, MK_LBUTTON);
        EXPECT_EQ(form.dotClicks, clicks + 1) << "the click on the dot is the dot's";
        ::ReleaseCapture();
    }
    EXPECT_EQ(form.presses.size(), 2U) << "only the two lost presses reached the window";
    ::DestroyWindow(other);
}

TEST_F(HostWindow, ModelTimersTick) {
    form.ticker.setEnabled(true);
    // Waits for the ticks, not for a time a busy machine may not give the thread.
    for (const DWORD start = ::GetTickCount(); form.ticks < 3 && ::GetTickCount() - start < 5000;) {
        pumpMessages(20);
    }
    EXPECT_GE(form.ticks, 3);
    form.ticker.setEnabled(false);
    const int stopped = form.ticks;
    pumpMessages(100);
    EXPECT_EQ(form.ticks, stopped);
}

TEST_F(HostWindow, ClosingRunsTheUnloadUnlessItRefuses) {
    form.refuseClose = 1;
    ::SendMessageW(main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.unloads, 1);
    EXPECT_TRUE(::IsWindow(main()));

    form.refuseClose = 0;
    form.unload();  // as the program's own exit does: through the message queue
    pumpMessages(50);
    EXPECT_EQ(form.unloads, 2);
    EXPECT_EQ(window.handle(), nullptr);
}

// Where the process is not ended with the session (the restart manager asked for the close),
// the window ends by itself once the settings are saved.
TEST_F(HostWindow, TheEndOfTheSessionAlwaysRunsTheUnloadOnceAndEndsTheWindow) {
    form.refuseClose = 1;
    EXPECT_TRUE(::SendMessageW(main(), WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
    ::SendMessageW(main(), WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
    EXPECT_EQ(form.unloads, 1);
    pumpMessages(50);
    EXPECT_EQ(window.handle(), nullptr) << "the window is gone";
    EXPECT_EQ(form.unloads, 1);
}

TEST_F(HostWindow, TheStretchedBackgroundIsDrawnOnce) {
    form.setWidth(1200);
    form.setHeight(1200);
    form.setPicture(PictureId::DialFace);
    form.setAutoRedraw(true);
    form.paintPicture(PictureId::DialFace, {0, 0, 1200, 1200});
    form.setVisible(true);
    form.needle.setVisible(false);
    form.hub.setVisible(false);
    pumpMessages(50);
    const COLORREF centre = pixel(40, 40);
    EXPECT_GT(GetRValue(centre), 100) << "the dial's dark red centre";
    EXPECT_LT(GetGValue(centre), 80);
    const COLORREF face = pixel(40, 20);
    EXPECT_GT(GetGValue(face), 180) << "a light face between centre and rim";
}

}  // namespace
}  // namespace dialvane
