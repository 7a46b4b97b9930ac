#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/form.h"
#include "framework/form_observer.h"
#include "framework/frame.h"
#include "framework/timer.h"
#include "platform/win32/element_painter.h"
#include "platform/win32/form_accessibility.h"
#include "platform/win32/form_controls.h"
#include "platform/win32/hover_tip.h"
#include "platform/win32/message_target.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/pointer_input.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {

// Asks a window for its exact size at the DPI in wParam (a SIZE in lParam); Windows 10 sends
// it before a move to a monitor of another scale, and the headers for Windows 7 lack it.
inline constexpr UINT getDpiScaledSizeMessage = 0x02E4;

// The host of one form: a borderless top-level window without a taskbar button and a child
// window per panel, with everything but the controls painted from the model. It follows every
// model change and turns window messages into the form's events.
class FormWindow : public FormObserver, private MessageTarget {
public:
    FormWindow(HINSTANCE instance, Form& form, Win32Platform& platform, PictureLibrary& pictures);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window and its children from the form as it stands, still hidden.
    void create();
    // Loads the form and shows its window.
    void loadAndShow() { form_.loadAndShow(); }
    // Runs the message loop until the window is gone; returns the exit code.
    int run();
    // Hands one message on as that loop does: Alt+F4 closes, Tab moves between the controls.
    void dispatch(MSG& message);
    HWND handle() const { return window_; }
    HWND controlOf(const Element& element) const { return controls_.windowOf(element); }
    HWND panelOf(const Frame& frame) const { return controls_.windowOf(frame); }

    void elementChanged(const Element& element) override;
    void formChanged(FormAspect aspect) override;
    void unloadRequested() override;

private:
    // A panel's child window: its own pointer, painted by the form's host.
    class Panel final : public MessageTarget {
        FormWindow& host_;

    public:
        Panel(FormWindow& host, const Frame& frame)
            : host_(host), frame(&frame), pointer(host.form_, &frame, host.platform_.scales()) {}
        const Frame* frame;
        HWND window = nullptr;
        PointerInput pointer;

    private:
        LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
            return host_.onPanelMessage(*this, window, message, wParam, lParam);
        }
    };

    // form_messages.cpp: the one place window messages become the form's events.
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onPanelMessage(Panel& panel, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onTimer(WPARAM id);
    // News of the monitors: the form hears of it once the burst is over.
    void monitorsChanged();
    void contextMenuKey();
    void close(bool sessionEnding);

    void createPanels();
    void syncTimer(const Timer& timer);
    void syncWindowRect() const;
    void invalidate(const Element& element);

    // form_dpi.cpp: the window on a monitor of another scale.
    SIZE sizeAt(int dpi) const;
    void followMonitor();
    void dpiChanged(Dpi dpi, const RECT& suggested);
    void remakeForDpi();
    int cursorSize() const;

    // form_painting.cpp. The background is built at the next paint; start-up changes it
    // several times unseen.
    void dropBackground();
    void rebuildBackground();
    void paintForm();
    void paintPanel(const Panel& panel);

    HINSTANCE instance_;
    Form& form_;
    Win32Platform& platform_;
    PictureLibrary& pictures_;
    ElementPainter painter_;
    FormAccessibility accessibility_{form_, painter_.mapping()};
    FormControls controls_{instance_, form_, painter_, accessibility_};
    PointerInput pointer_{form_, nullptr, platform_.scales()};
    HoverTip hoverTip_{instance_, form_};
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<Panel>> panels_;
    std::vector<const Timer*> timers_;
    std::map<const Element*, RECT> painted_;
    unique_bitmap background_;
    SIZE backgroundSize_{};
    bool unloaded_ = false;
};

}  // namespace dialvane::win32
