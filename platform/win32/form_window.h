#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "framework/command_button.h"
#include "framework/form.h"
#include "framework/form_observer.h"
#include "framework/frame.h"
#include "framework/pointer_router.h"
#include "framework/timer.h"
#include "platform/win32/element_painter.h"
#include "platform/win32/form_accessibility.h"
#include "platform/win32/message_target.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace dialvane::win32 {

// The host of one form: a borderless top-level window without a taskbar button, a child
// window per panel, real buttons and edit boxes, and everything else painted from the model.
// It follows every model change and turns window messages into the form's events.
class FormWindow : public FormObserver, private MessageTarget {
public:
    FormWindow(HINSTANCE instance, Form& form, Win32Platform& platform,
               const PictureLibrary& pictures);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Creates the window and its children from the form as it stands, still hidden.
    void create();
    // Loads the form and shows its window.
    void loadAndShow() { form_.loadAndShow(); }
    // Runs the message loop until the window is gone; returns the exit code.
    int run();
    HWND handle() const { return window_; }
    HWND controlOf(const Element& element) const;
    HWND panelOf(const Frame& frame) const;

    void elementChanged(const Element& element) override;
    void formChanged(FormAspect aspect) override;
    void unloadRequested() override;

private:
    // A panel's child window: its own pointer routing, painted by the form's host.
    class Panel final : public MessageTarget {
        FormWindow& host_;

    public:
        Panel(FormWindow& host, const Frame& frame)
            : host_(host), frame(&frame), router(host.form_, &frame) {}
        const Frame* frame;
        HWND window = nullptr;
        PointerRouter router;

    private:
        LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
            return host_.onPanelMessage(*this, window, message, wParam, lParam);
        }
    };

    static LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR data);
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onPanelMessage(Panel& panel, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool routePointer(PointerRouter& router, HWND window, UINT message, WPARAM wParam,
                      LPARAM lParam);
    static void followCapture(const PointerRouter& router, HWND window);
    void contextMenuKey();
    bool showsControl(HWND control) const;
    void followCaret();
    void onCommand(WPARAM wParam, LPARAM lParam);
    void close(bool sessionEnding);

    void createPanels();
    void createControls();
    void syncControl(const Control& control, HWND window) const;
    void syncTimer(const Timer& timer);
    void syncWindowRect() const;
    void focusFirstControl() const;
    HWND containerWindow(const Element& element) const;

    void invalidate(const Element& element);
    // The background is built at the next paint; start-up changes it several times unseen.
    void dropBackground();
    void rebuildBackground();
    void paintForm();
    void paintPanel(const Panel& panel);

    HINSTANCE instance_;
    Form& form_;
    Win32Platform& platform_;
    const PictureLibrary& pictures_;
    ElementPainter painter_;
    FormAccessibility accessibility_{form_, painter_.mapping()};
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<Panel>> panels_;
    std::map<const Element*, HWND> controls_;
    std::map<HWND, Element*> elementsByWindow_;
    std::vector<const Timer*> timers_;
    std::map<const Element*, RECT> painted_;
    PointerRouter router_;
    unique_bitmap background_;
    SIZE backgroundSize_{};
    HWND lastFocus_ = nullptr;
    const CommandButton* defaultButton_ = nullptr;
    HWND caretHiddenIn_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace dialvane::win32
