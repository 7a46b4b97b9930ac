#include "framework/pointer_router.h"

#include <utility>

namespace dialvane {
namespace {

bool contains(const Image& image, float x, float y) {
    return x >= image.left() && x < image.left() + image.width() && y >= image.top() &&
           y < image.top() + image.height();
}

}  // namespace

PointerRouter::PointerRouter(Form& form, const Frame* panel, FormPoint formPoint)
    : form_(form), panel_(panel), formPoint_(std::move(formPoint)) {}

Point PointerRouter::forForm(float x, float y) const {
    return formPoint_ ? formPoint_(Point{x, y}) : Point{x, y};
}

const std::vector<const Element*>& PointerRouter::stacking() const {
    return panel_ != nullptr ? panel_->stacking() : form_.stacking();
}

const Image* PointerRouter::imageAt(float x, float y) const {
    for (const Element* element : stacking()) {
        if (element->kind() != ElementKind::Image || !element->visible() || !element->enabled()) {
            continue;
        }
        const auto& image = static_cast<const Image&>(*element);
        if (contains(image, x, y)) {
            return &image;
        }
    }
    return nullptr;
}

void PointerRouter::press(std::int16_t button, std::int16_t shift, float x, float y) {
    const bool first = held_ == 0;
    held_ = static_cast<std::int16_t>(held_ | button);
    if (first) {
        target_ = imageAt(x, y);
        clickable_ = target_ != nullptr && button == leftButton;
    }
    if (target_ == nullptr && panel_ == nullptr) {
        const Point at = forForm(x, y);
        form_.raise([&] { form_.Form_MouseDown(button, shift, at.x, at.y); });
    }
}

void PointerRouter::move(std::int16_t held, std::int16_t shift, float x, float y) {
    if (held_ == 0) {
        target_ = imageAt(x, y);
    }
    if (target_ == nullptr && panel_ == nullptr) {
        const Point at = forForm(x, y);
        form_.raise([&] { form_.Form_MouseMove(held, shift, at.x, at.y); });
    }
}

void PointerRouter::release(std::int16_t button, std::int16_t shift, float x, float y) {
    if ((held_ & button) == 0) {
        return;  // a release whose press this window never saw
    }
    held_ = static_cast<std::int16_t>(held_ & ~button);
    const Image* image = target_;
    if (image == nullptr) {
        if (panel_ == nullptr) {
            const Point at = forForm(x, y);
            form_.raise([&] { form_.Form_MouseUp(button, shift, at.x, at.y); });
        }
    } else if (clickable_ && button == leftButton && contains(*image, x, y) && image->visible() &&
               image->enabled() && image->onClick) {
        clickable_ = false;
        form_.raise(image->onClick);
    }
    if (held_ == 0) {
        target_ = nullptr;
        clickable_ = false;
    }
}

void PointerRouter::doubleClick(std::int16_t shift, float x, float y) {
    (void)shift;
    held_ = static_cast<std::int16_t>(held_ | leftButton);
    target_ = imageAt(x, y);
    clickable_ = false;  // a picture's second press is its double-click, not another click
    if (target_ == nullptr && panel_ == nullptr) {
        form_.raise([&] { form_.Form_DblClick(); });
    }
}

void PointerRouter::contextMenuKey(Point at) {
    press(rightButton, 0, at.x, at.y);
    release(rightButton, 0, at.x, at.y);
}

void PointerRouter::forgetPress() {
    held_ = 0;
    target_ = nullptr;
    clickable_ = false;
}

}  // namespace dialvane
