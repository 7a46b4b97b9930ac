#pragma once

#include <windows.h>
#include <oleacc.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "framework/form.h"
#include "framework/frame.h"
#include "framework/image.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/ole_library.h"
#include "platform/win32/pixel_mapping.h"

namespace dialvane::win32 {

// Posted to a panel to click one of its pictures (wParam: its place in the panel's stacking),
// so a screen reader's "press" returns before the click's handler runs.
inline constexpr UINT pictureClickMessage = WM_APP + 1;

// What screen readers get from a hosted form: the window as a progress bar with the form's
// accessible name and its value label's caption as value, text boxes named as the form says,
// and the named clickable pictures of a panel as push buttons. It announces changes of the
// window's name and value. Nothing of COM is loaded before the first request.
class FormAccessibility {
public:
    FormAccessibility(Form& form, const PixelMapping& mapping);
    ~FormAccessibility();
    FormAccessibility(const FormAccessibility&) = delete;
    FormAccessibility& operator=(const FormAccessibility&) = delete;

    // From now on name and value changes of the window are announced; its controls are the
    // windows of the form's elements.
    void attach(HWND window, const std::map<HWND, Element*>& controls);
    // A change of a label may change the window's name or value.
    void elementChanged(const Element& element);
    void captionChanged() { announceChanges(); }

    // Answers WM_GETOBJECT for the window, a text box or button, or a panel; 0 leaves it to
    // the system. Whatever the window's outline clips away is invisible and off screen.
    LRESULT answerWindow(WPARAM wParam, LPARAM lParam);
    LRESULT answerControl(HWND control, const Element& element, WPARAM wParam, LPARAM lParam);
    LRESULT answerPanel(HWND panel, const Frame& frame, WPARAM wParam, LPARAM lParam);

    // The picture a pictureClickMessage names, while it takes clicks: shown, enabled, and in
    // a panel the window's outline does not clip away.
    static const Image* pictureToClick(HWND panel, const Frame& frame, WPARAM place);

    // What the accessible objects read; they outlive this object when a client holds them.
    struct DescribedForm {
        Form* form;
        const PixelMapping* mapping;
    };

private:
    const OleLibrary* loadOle();
    void nameTextBoxes(const OleLibrary& ole);
    void announceChanges();

    Form& form_;
    std::shared_ptr<DescribedForm> described_;
    HWND window_ = nullptr;
    const std::map<HWND, Element*>* controls_ = nullptr;
    std::string announcedName_;
    std::string announcedValue_;
    bool started_ = false;
    bool apartment_ = false;
    com_ptr<IAccPropServices> propertyServices_;
    std::set<HWND> namedBySystem_;
};

}  // namespace dialvane::win32
