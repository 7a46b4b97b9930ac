#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/win32/text_conversion.h"
#include "tests/win32/com_apartment.h"
#include "tests/win32/hosted_form.h"

namespace dialvane {
namespace {

using testing::pumpMessages;
using win32::com_ptr;

// The real services, with a memory load and physical memory the test sets; boxes and clean-ups
// are logged, not shown or done.
class ScriptedServices : public win32::Win32Platform {
public:
    using Win32Platform::Win32Platform;
    void GlobalMemoryStatus(MEMORYSTATUS& status) override {
        Win32Platform::GlobalMemoryStatus(status);
        status.dwMemoryLoad = load;
    }
    bool GlobalMemoryStatusEx(MEMORYSTATUSEX& status) override {
        ++physicalQueries;
        status.ullTotalPhys = 16'282ULL << 20;  // 15.9 GB
        status.ullAvailPhys = 4'813ULL << 20;   // 4.7 GB
        return true;
    }
    void MsgBox(WindowHandle, std::string_view prompt, std::string_view) override {
        done.emplace_back(prompt);
    }
    bool clearClipboard(WindowHandle) override {
        done.emplace_back("clipboard emptied");
        return true;
    }
    std::uint32_t load = 45;
    int physicalQueries = 0;
    std::vector<std::string> done;
};

constexpr wchar_t runKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

bool autoStartValue() {
    return ::RegGetValueW(HKEY_CURRENT_USER, runKey, L"Dialvane", RRF_RT_ANY, nullptr, nullptr,
                          nullptr) == ERROR_SUCCESS;
}

struct Event {
    DWORD event;
    HWND window;
    LONG object;
    bool operator==(const Event&) const = default;
};
std::vector<Event> events;

void CALLBACK record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                     DWORD) {
    if (child == CHILDID_SELF) {
        events.push_back({event, window, object});
    }
}

VARIANT self() {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

std::wstring text(HRESULT (IAccessible::*get)(VARIANT, BSTR*), IAccessible& object,
                  LONG id = CHILDID_SELF) {
    VARIANT child = self();
    child.lVal = id;
    BSTR value = nullptr;
    if ((object.*get)(child, &value) != S_OK || value == nullptr) {
        return L"(none)";
    }
    std::wstring copy(value);
    ::SysFreeString(value);
    return copy;
}

// The id of the simple child of that name as enumeration hands it out; 0 where there is none.
LONG childNamed(IAccessible& parent, const std::wstring& wanted) {
    LONG count = 0;
    parent.get_accChildCount(&count);
    std::vector<VARIANT> children(static_cast<std::size_t>(count));
    LONG obtained = 0;
    ::AccessibleChildren(&parent, 0, count, children.data(), &obtained);
    LONG found = 0;
    for (VARIANT& child : children) {
        if (child.vt == VT_I4 && text(&IAccessible::get_accName, parent, child.lVal) == wanted) {
            found = child.lVal;
        }
        ::VariantClear(&child);
    }
    return found;
}

LONG role(IAccessible& object) {
    VARIANT role{};
    return object.get_accRole(self(), &role) == S_OK && role.vt == VT_I4 ? role.lVal : -1;
}

// The program's window as a screen reader in this process sees it; readings come from the
// ticks the test runs.
class ScreenReader : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, L"Dialvane");
        ASSERT_NO_FATAL_FAILURE(testing::createAndShow(window));
        form.Timer1.setEnabled(false);
        form.Timer2.setEnabled(false);
        pumpMessages(20);
    }
    void TearDown() override { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, runKey, L"Dialvane"); }

    static com_ptr<IAccessible> accessibleOf(HWND window) {
        com_ptr<IAccessible> object;
        ::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                     reinterpret_cast<void**>(object.put()));
        return object;
    }
    // A right click on the dial opens the options view.
    void openOptions() {
        ::SendMessageW(window.handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 20));
        ::SendMessageW(window.handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 20));
        pumpMessages(20);
        ASSERT_EQ(form.width(), 6800) << "the options view is open";
    }
    // A key pressed and let go where the focus is, taken by the program's own loop: the dialog
    // manager moves the focus on Tab.
    void key(WPARAM virtualKey) {
        HWND focus = ::GetFocus();
        ::PostMessageW(focus, WM_KEYDOWN, virtualKey, 1);
        ::PostMessageW(focus, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001));
        for (MSG message{}; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
            window.dispatch(message);
        }
        pumpMessages(20);
    }
    std::vector<Event> eventsOfTick() {
        events.clear();
        form.Timer1_Timer();
        pumpMessages(30);
        return events;
    }

    testing::FirstRunSettings settings;
    testing::ComApartment com;
    testing::ProgramModule program;
    win32::PictureLibrary pictures{program.get()};
    ScriptedServices platform{pictures};
    Form1 form{platform};
    win32::FormWindow window{::GetModuleHandleW(nullptr), form, platform, pictures};
};

TEST_F(ScreenReader, TheGaugeIsAProgressBarNamedByItsModeShowingItsReading) {
    form.Timer1_Timer();
    const struct {
        void (Form1::*toggle)();
        const wchar_t* name;
        const wchar_t* value;  // nullptr: the drive's reading as the label shows it
    } modes[] = {{nullptr, L"Dialvane, Arbeitsspeicher", L"45 %"},
                 {&Form1::imgDot0_Click, L"Dialvane, Laufwerk C:", nullptr},
                 {&Form1::ImgDot1_Click, L"Dialvane, Arbeitsspeicher", L"45 %"}};
    for (const auto& mode : modes) {
        if (mode.toggle != nullptr) {
            (form.*mode.toggle)();
            form.Timer1_Timer();
        }
        const com_ptr<IAccessible> gauge = accessibleOf(window.handle());
        ASSERT_TRUE(gauge);
        EXPECT_EQ(role(*gauge.get()), ROLE_SYSTEM_PROGRESSBAR);
        EXPECT_EQ(text(&IAccessible::get_accName, *gauge.get()), mode.name);
        const std::wstring shown = win32::widen(form.lbl_MEM.caption());
        EXPECT_EQ(text(&IAccessible::get_accValue, *gauge.get()), shown);
        if (mode.value != nullptr) {
            EXPECT_EQ(shown, mode.value);
        } else {
            EXPECT_NE(shown.find_first_of(L".,"), std::wstring::npos) << "one decimal";
        }
    }
}

// The tooltip's figures: asked for at the hover and at each tick while it shows; never else.
TEST_F(ScreenReader, TheFiguresAreAskedForOnlyWhileTheTooltipShows) {
    HWND gauge = window.handle();
    const LPARAM dial = MAKELPARAM(40, 20);
    const auto tick = [&] { ::SendMessageW(gauge, WM_TIMER, 2, 0); };  // Timer1, defined second
    tick();
    EXPECT_EQ(platform.physicalQueries, 0);
    ::SendMessageW(gauge, WM_MOUSEHOVER, 0, dial);
    tick();
    tick();
    EXPECT_EQ(platform.physicalQueries, 3);
    ::SendMessageW(gauge, WM_LBUTTONDOWN, MK_LBUTTON, dial);
    ::SendMessageW(gauge, WM_LBUTTONUP, 0, dial);
    ::SendMessageW(gauge, WM_MOUSEMOVE, 0, dial);  // the system's, after the release
    ::SendMessageW(gauge, WM_MOUSEHOVER, 0, dial);
    tick();
    EXPECT_EQ(platform.physicalQueries, 3) << "shown again after a press without a move";
}

TEST_F(ScreenReader, ChangesAreAnnouncedWhenTheyHappenAndOnlyThen) {
    HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, record,
                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const com_ptr<IAccessible> gauge = accessibleOf(window.handle());
    ASSERT_TRUE(gauge);
    const Event valueChange{EVENT_OBJECT_VALUECHANGE, window.handle(), OBJID_CLIENT};

    platform.load = 45;
    eventsOfTick();
    EXPECT_EQ(eventsOfTick(), std::vector<Event>{}) << "a tick with the same reading";
    platform.load = 46;
    EXPECT_EQ(eventsOfTick(), std::vector<Event>{valueChange});
    EXPECT_EQ(text(&IAccessible::get_accValue, *gauge.get()), L"46 %");

    events.clear();
    form.imgDot0_Click();
    pumpMessages(30);
    EXPECT_EQ(events,
              (std::vector<Event>{{EVENT_OBJECT_NAMECHANGE, window.handle(), OBJID_CLIENT}}));
    EXPECT_EQ(text(&IAccessible::get_accName, *gauge.get()), L"Dialvane, Laufwerk C:");
    EXPECT_EQ(eventsOfTick(), std::vector<Event>{valueChange}) << "the drive's first reading";
    EXPECT_EQ(eventsOfTick(), std::vector<Event>{});
    ::UnhookWinEvent(hook);
}

TEST_F(ScreenReader, TextBoxesAreNamedByTheLabelBesideThem) {
    const struct {
        const TextBox& box;
        const wchar_t* name;
    } boxes[] = {{form.txtHeight, L"Instrument-Größe:"}, {form.Monis, L"Anzahl (max.2) Monitore:"}};
    for (const auto& box : boxes) {
        const com_ptr<IAccessible> object = accessibleOf(window.controlOf(box.box));
        ASSERT_TRUE(object);
        EXPECT_EQ(text(&IAccessible::get_accName, *object.get()), box.name);
        EXPECT_EQ(role(*object.get()), ROLE_SYSTEM_TEXT);
        EXPECT_EQ(text(&IAccessible::get_accValue, *object.get()), win32::widen(box.box.text()))
            << "the rest as the system says";
    }
}

TEST_F(ScreenReader, HitTestingTheRedCrossFindsTheChildThatEnumerationNamesBeenden) {
    ASSERT_NO_FATAL_FAILURE(openOptions());
    const com_ptr<IAccessible> panel = accessibleOf(window.controlOf(form.Frame1));
    ASSERT_TRUE(panel);
    const LONG cross = childNamed(*panel.get(), L"Beenden");
    ASSERT_NE(cross, 0) << "enumeration names a child Beenden";

    // The middle of the painted cross, 600 x 615 twips at 3750, 1500 in the panel.
    POINT middle{static_cast<LONG>(4050 / platform.twipsPerPixelX()),
                 static_cast<LONG>(1807 / platform.twipsPerPixelY())};
    ::ClientToScreen(window.controlOf(form.Frame1), &middle);
    VARIANT hit{};
    ASSERT_EQ(panel->accHitTest(middle.x, middle.y, &hit), S_OK);
    ASSERT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, cross);
    EXPECT_EQ(text(&IAccessible::get_accName, *panel.get(), hit.lVal), L"Beenden");
}

TEST_F(ScreenReader, OnlyTheKeyboardsContextMenuRequestOpensTheOptions) {
    ::SendMessageW(window.handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.handle()),
                   MAKELPARAM(40, 40));
    EXPECT_EQ(form.width(), 1200) << "a mouse's request is the press handler's business";
    // The focused text box lies outside the round view: the request is the gauge's.
    HWND box = window.controlOf(form.txtHeight);
    ::SendMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), MAKELPARAM(-1, -1));
    EXPECT_EQ(form.width(), 6800);
    wchar_t left[16]{};
    DWORD size = sizeof left;
    EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, L"Software\\MEM\\Optionen", L"MEMLeft",
                             RRF_RT_REG_SZ, nullptr, left, &size),
              ERROR_SUCCESS)
        << "the release saved the position";
}

// A keyboard user tabs to each button of the options panel and presses Space: on the round
// gauge, whose outline clips the panel away, nothing happens; in the options view each button
// is clicked.
TEST_F(ScreenReader, SpaceClicksOnlyAButtonThatCanBeSeen) {
    const struct {
        const CommandButton& button;
        std::vector<std::string> done;  // by a click in the options view
    } buttons[] = {{form.cmd_auto, {"Eintrag war erfolgreich."}},
                   {form.cmd_aus, {"Eintrag gelöscht"}},
                   {form.cmd_clear, {"clipboard emptied"}},
                   {form.cmd_weiter, {}}};
    for (const bool shown : {false, true}) {
        if (shown) {
            ASSERT_NO_FATAL_FAILURE(openOptions());
        }
        for (const auto& pressed : buttons) {
            const std::string what = pressed.button.name() + (shown ? ", shown" : ", clipped");
            HWND target = window.controlOf(pressed.button);
            for (int tabs = 0; tabs < 8 && ::GetFocus() != target; ++tabs) {
                key(VK_TAB);
            }
            ASSERT_EQ(::GetFocus(), target) << what;
            platform.done.clear();
            key(VK_SPACE);
            EXPECT_EQ(platform.done, shown ? pressed.done : std::vector<std::string>{}) << what;
            EXPECT_EQ(autoStartValue(), shown && &pressed.button == &form.cmd_auto) << what;
        }
        EXPECT_EQ(form.width(), 1200) << "the round gauge, again or still";
        EXPECT_EQ(form.Timer2.enabled(), shown) << "only the shown 'weiter' restarted the gauge";
    }
}

// On the round gauge the options panel lies beyond the edge: a screen reader's default action
// or value, or an input method's character, does nothing to it. (In the options view they act
// as the user's own input does: the soak test sets the size and presses "weiter" so, and the
// end-to-end test presses "Beenden".)
TEST_F(ScreenReader, WhatTheOutlineClipsAwayTakesNoValueNorAction) {
    HWND box = window.controlOf(form.txtHeight);
    // What the system's objects do for a text box's value and a button's default action.
    ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2000"));
    ::SendMessageW(box, WM_IME_CHAR, L'5', 1);
    ::SendMessageW(window.controlOf(form.cmd_clear), BM_CLICK, 0, 0);
    pumpMessages(20);
    EXPECT_EQ(form.txtHeight.text(), "1200");
    EXPECT_EQ(platform.done, std::vector<std::string>{});

    const com_ptr<IAccessible> panel = accessibleOf(window.controlOf(form.Frame1));
    ASSERT_TRUE(panel);
    VARIANT cross = self();
    cross.lVal = childNamed(*panel.get(), L"Beenden");
    ASSERT_NE(cross.lVal, 0);
    EXPECT_EQ(panel->accDoDefaultAction(cross), DISP_E_MEMBERNOTFOUND);
    pumpMessages(50);
    EXPECT_NE(window.handle(), nullptr) << "'Beenden' did not end the program";
}

}  // namespace
}  // namespace dialvane
