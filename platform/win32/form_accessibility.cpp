#include "platform/win32/form_accessibility.h"

#include <vector>

#include "framework/label.h"
#include "platform/win32/accessible_proxy.h"
#include "platform/win32/outline_view.h"
#include "platform/win32/text_conversion.h"

namespace dialvane::win32 {
namespace {

// MinGW's import libraries hold no usable GUIDs for these: spelled out.
constexpr GUID accPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID accPropServicesInterface = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID nameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// What Windows says for pressing a push button, in the language of the program's captions.
constexpr wchar_t pressAction[] = L"Drücken";

bool asksForClient(LPARAM lParam) {
    return static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT;
}

// In the round gauge the options panel lies beyond the window's edge: there for nobody.
LONG outlineState(HWND window) {
    return seenInOutline(::GetAncestor(window, GA_ROOT), window)
               ? 0
               : STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
}

bool pressable(const Form& form, const Element& element) {
    return element.kind() == ElementKind::Image && static_cast<const Image&>(element).onClick &&
           !form.accessibleNameOf(element).empty();
}

// The window itself. With a value it is a progress bar: MSAA has no level indicator, and a
// dial would promise a knob the user can turn.
class GaugeAccessible final : public AccessibleProxy {
public:
    GaugeAccessible(const OleLibrary& ole, HWND window, com_ptr<IAccessible> standard,
                    std::shared_ptr<const FormAccessibility::DescribedForm> described)
        : AccessibleProxy(ole, window, std::move(standard)), described_(std::move(described)) {}

private:
    std::optional<std::wstring> name() const override {
        if (described_->form == nullptr) {
            return std::nullopt;
        }
        return widen(described_->form->accessibleWindowName());
    }
    std::optional<std::wstring> value() const override {
        const Label* label = described_->form != nullptr ? described_->form->valueLabel() : nullptr;
        if (label == nullptr) {
            return std::nullopt;
        }
        return widen(label->caption());
    }
    // The figures behind the value, asked for now: nobody reads them at every tick.
    std::optional<std::wstring> description() const override {
        const std::string details =
            described_->form != nullptr ? described_->form->details() : std::string{};
        if (details.empty()) {
            return std::nullopt;
        }
        return widen(details);
    }
    std::optional<LONG> role() const override {
        if (described_->form == nullptr || described_->form->valueLabel() == nullptr) {
            return std::nullopt;
        }
        return ROLE_SYSTEM_PROGRESSBAR;
    }

    std::shared_ptr<const FormAccessibility::DescribedForm> described_;
};

// A push button or text box: a text box is named by the label beside it, which is painted and
// so unknown to the system, and a control clipped away by the window's outline is hidden.
class ControlAccessible final : public AccessibleProxy {
public:
    ControlAccessible(const OleLibrary& ole, HWND window, com_ptr<IAccessible> standard,
                      std::shared_ptr<const FormAccessibility::DescribedForm> described,
                      const Element& element)
        : AccessibleProxy(ole, window, std::move(standard)),
          described_(std::move(described)),
          element_(element) {}

private:
    std::optional<std::wstring> name() const override {
        if (described_->form == nullptr) {
            return std::nullopt;
        }
        const std::string name = described_->form->accessibleNameOf(element_);
        return name.empty() ? std::nullopt : std::optional(widen(name));
    }
    LONG addedState() const override { return outlineState(window()); }

    std::shared_ptr<const FormAccessibility::DescribedForm> described_;
    const Element& element_;
};

// A panel whose painted, clickable pictures with a name are push buttons among its children.
class PanelAccessible final : public AccessibleProxy {
public:
    PanelAccessible(const OleLibrary& ole, HWND window, com_ptr<IAccessible> standard,
                    std::shared_ptr<const FormAccessibility::DescribedForm> described,
                    const Frame& frame)
        : AccessibleProxy(ole, window, std::move(standard)),
          described_(std::move(described)),
          frame_(frame) {}

private:
    // Places in the panel's stacking.
    std::vector<std::size_t> pressablePlaces() const {
        std::vector<std::size_t> places;
        if (described_->form == nullptr) {
            return places;
        }
        const auto& stacking = frame_.stacking();
        for (std::size_t place = 0; place < stacking.size(); ++place) {
            if (pressable(*described_->form, *stacking[place])) {
                places.push_back(place);
            }
        }
        return places;
    }

    LONG addedState() const override { return outlineState(window()); }

    std::vector<PaintedChild> paintedChildren() const override {
        std::vector<PaintedChild> children;
        const LONG clipped = outlineState(window());
        for (const std::size_t place : pressablePlaces()) {
            const auto& image = static_cast<const Image&>(*frame_.stacking()[place]);
            RECT screen = described_->mapping->rect(image);
            ::MapWindowPoints(window(), nullptr, reinterpret_cast<POINT*>(&screen), 2);
            LONG state = clipped;
            if (!image.visible()) {
                state |= STATE_SYSTEM_INVISIBLE;
            }
            if (!image.enabled()) {
                state |= STATE_SYSTEM_UNAVAILABLE;
            }
            children.push_back({widen(described_->form->accessibleNameOf(image)),
                                ROLE_SYSTEM_PUSHBUTTON, state, pressAction, screen});
        }
        return children;
    }

    HRESULT doDefaultAction(std::size_t paintedChild) override {
        const std::vector<std::size_t> places = pressablePlaces();
        if (paintedChild >= places.size() ||
            FormAccessibility::pictureToClick(window(), frame_, places[paintedChild]) == nullptr) {
            return DISP_E_MEMBERNOTFOUND;
        }
        return ::PostMessageW(window(), pictureClickMessage, places[paintedChild], 0) ? S_OK
                                                                                      : E_FAIL;
    }

    std::shared_ptr<const FormAccessibility::DescribedForm> described_;
    const Frame& frame_;
};

template <typename Proxy>
LRESULT objectResult(const OleLibrary& ole, WPARAM wParam, const com_ptr<Proxy>& proxy) {
    if (!proxy) {
        return 0;
    }
    const LRESULT result = ole.lresultFromObject(__uuidof(IAccessible), wParam,
                                                 static_cast<IAccessible*>(proxy.get()));
    return result > 0 ? result : 0;
}

}  // namespace

FormAccessibility::FormAccessibility(Form& form, const PixelMapping& mapping)
    : form_(form), described_(std::make_shared<DescribedForm>(DescribedForm{&form, &mapping})) {}

FormAccessibility::~FormAccessibility() {
    described_->form = nullptr;  // objects still held by a client answer like the system's
    for (HWND box : namedBySystem_) {
        MSAAPROPID name = nameProperty;
        propertyServices_->ClearHwndProps(box, OBJID_CLIENT, CHILDID_SELF, &name, 1);
    }
    propertyServices_.reset();
    if (apartment_) {
        OleLibrary::get()->coUninitialize();
    }
}

void FormAccessibility::attach(HWND window, const std::map<HWND, Element*>& controls) {
    window_ = window;
    controls_ = &controls;
    announcedName_ = form_.accessibleWindowName();
    const Label* label = form_.valueLabel();
    announcedValue_ = label != nullptr ? label->caption() : std::string{};
}

void FormAccessibility::elementChanged(const Element& element) {
    if (element.kind() == ElementKind::Label) {
        announceChanges();
    }
}

// Only real changes: a tick that shows the same reading says nothing.
void FormAccessibility::announceChanges() {
    if (window_ == nullptr) {
        return;
    }
    std::string name = form_.accessibleWindowName();
    if (name != announcedName_) {
        announcedName_ = std::move(name);
        ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
    }
    const Label* label = form_.valueLabel();
    if (label != nullptr && label->caption() != announcedValue_) {
        announcedValue_ = label->caption();
        ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
    }
}

const OleLibrary* FormAccessibility::loadOle() {
    const OleLibrary* ole = OleLibrary::get();
    if (ole == nullptr || started_) {
        return ole;
    }
    started_ = true;
    // Marshalling to another process needs COM on this thread; S_FALSE counts as well.
    apartment_ = SUCCEEDED(ole->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    nameTextBoxes(*ole);
    return ole;
}

// Where the system keeps names for windows (Windows does, Wine does not), the text boxes are
// named there; the others get an accessible object of their own.
void FormAccessibility::nameTextBoxes(const OleLibrary& ole) {
    if (controls_ == nullptr ||
        FAILED(ole.coCreateInstance(accPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                    accPropServicesInterface,
                                    reinterpret_cast<void**>(propertyServices_.put())))) {
        return;
    }
    for (const auto& [box, element] : *controls_) {
        if (element->kind() != ElementKind::TextBox) {
            continue;
        }
        const std::wstring name = widen(form_.accessibleNameOf(*element));
        if (!name.empty() && SUCCEEDED(propertyServices_->SetHwndPropStr(
                                 box, OBJID_CLIENT, CHILDID_SELF, nameProperty, name.c_str()))) {
            namedBySystem_.insert(box);
        }
    }
    if (namedBySystem_.empty()) {
        propertyServices_.reset();
    }
}

LRESULT FormAccessibility::answerWindow(WPARAM wParam, LPARAM lParam) {
    if (!asksForClient(lParam) || window_ == nullptr) {
        return 0;
    }
    const OleLibrary* ole = loadOle();
    if (ole == nullptr) {
        return 0;
    }
    return objectResult(*ole, wParam,
                        AccessibleProxy::make<GaugeAccessible>(*ole, window_, described_));
}

LRESULT FormAccessibility::answerControl(HWND control, const Element& element, WPARAM wParam,
                                         LPARAM lParam) {
    if (!asksForClient(lParam)) {
        return 0;
    }
    const OleLibrary* ole = loadOle();
    if (ole == nullptr) {
        return 0;
    }
    const bool namedHere =
        !form_.accessibleNameOf(element).empty() && !namedBySystem_.contains(control);
    if (!namedHere && seenInOutline(window_, control)) {
        return 0;  // the system's own object says it all
    }
    return objectResult(
        *ole, wParam, AccessibleProxy::make<ControlAccessible>(*ole, control, described_, element));
}

LRESULT FormAccessibility::answerPanel(HWND panel, const Frame& frame, WPARAM wParam,
                                       LPARAM lParam) {
    if (!asksForClient(lParam)) {
        return 0;
    }
    const OleLibrary* ole = loadOle();
    if (ole == nullptr) {
        return 0;
    }
    return objectResult(*ole, wParam,
                        AccessibleProxy::make<PanelAccessible>(*ole, panel, described_, frame));
}

const Image* FormAccessibility::pictureToClick(HWND panel, const Frame& frame, WPARAM place) {
    const auto& stacking = frame.stacking();
    if (place >= stacking.size() || stacking[place]->kind() != ElementKind::Image ||
        outlineState(panel) != 0) {
        return nullptr;
    }
    const auto& image = static_cast<const Image&>(*stacking[place]);
    return image.visible() && image.enabled() && image.onClick ? &image : nullptr;
}

}  // namespace dialvane::win32
