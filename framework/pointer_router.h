#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "framework/form.h"
#include "framework/frame.h"
#include "framework/image.h"

namespace dialvane {

// Decides who gets each pointer event of a window surface: a press over a visible, enabled
// picture belongs to that picture until the release (a left press and release over it is its
// click); everything else belongs to the form, whose handlers see it with Button, Shift and
// twips. Disabled elements, labels and the line take nothing, so presses pass through them.
// For a panel, only its pictures take input; its surface raises no form events.
class PointerRouter {
public:
    static constexpr std::int16_t leftButton = 1;
    static constexpr std::int16_t rightButton = 2;
    static constexpr std::int16_t middleButton = 4;

    // Where a point of the surface lies for the form's own pointer events, which move the
    // window: the host's scale for positions may differ from the one of the window's sizes.
    using FormPoint = std::function<Point(Point surface)>;

    explicit PointerRouter(Form& form, const Frame* panel = nullptr, FormPoint formPoint = {});

    void press(std::int16_t button, std::int16_t shift, float x, float y);
    // held: every button down during the move.
    void move(std::int16_t held, std::int16_t shift, float x, float y);
    void release(std::int16_t button, std::int16_t shift, float x, float y);
    // The second press of a left double-click, which raises no press event.
    void doubleClick(std::int16_t shift, float x, float y);
    // The context-menu key: what a right press and release without moving at that point does.
    void contextMenuKey(Point at);
    // The window lost the pointer between press and release: what was held is forgotten, and
    // no release handler runs for it.
    void forgetPress();

    // True while a press is being followed, so the host keeps the pointer captured.
    bool capturing() const { return held_ != 0; }
    const Image* imageAt(float x, float y) const;

private:
    const std::vector<const Element*>& stacking() const;

    Point forForm(float x, float y) const;

    Form& form_;
    const Frame* panel_;
    FormPoint formPoint_;
    const Image* target_ = nullptr;
    bool clickable_ = false;
    std::int16_t held_ = 0;
};

}  // namespace dialvane
