#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/colour.h"
#include "framework/element.h"
#include "framework/form_observer.h"
#include "framework/picture_id.h"
#include "framework/platform.h"
#include "framework/runtime_error.h"

namespace dialvane {

// A picture drawn stretched into the persistent background.
struct StretchedPicture {
    PictureId picture = PictureId::None;
    Bounds target;
};

class Label;

// The window as data: position and size in twips, background, elements and events. Setting
// Width or Height runs Form_Resize at once, inside the setter, once per actual change.
class Form {
public:
    explicit Form(Platform& platform);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    Platform& platform() const { return platform_; }

    const std::string& caption() const { return caption_; }
    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float value);
    void setTop(float value);
    void setWidth(float value);
    void setHeight(float value);
    // Borderless: the inner area is the whole window.
    float scaleWidth() const { return width_; }
    float scaleHeight() const { return height_; }
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Out of the way of a full-screen program: while set, the host keeps the window hidden
    // whatever Visible says, and shows it again without activating it.
    bool steppedAside() const { return steppedAside_; }
    void setSteppedAside(bool aside);
    Colour backColor() const { return backColor_; }

    PictureId picture() const { return picture_; }
    // A new background picture also clears what was drawn persistently over it.
    void setPicture(PictureId picture);
    bool autoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool on) { autoRedraw_ = on; }
    // Kept as background only while auto-redraw is on; otherwise there is nothing to keep.
    void paintPicture(PictureId picture, Bounds target);
    const std::optional<StretchedPicture>& persistentDrawing() const { return drawing_; }

    WindowHandle hWnd() const { return hWnd_; }
    void attachWindow(WindowHandle handle) { hWnd_ = handle; }
    void setObserver(FormObserver* observer) { observer_ = observer; }
    // Asks the host to close the window, which raises Form_Unload.
    void unload();

    // Every element in definition order, and those on the window itself from top to bottom.
    const std::vector<Element*>& elements() const { return elements_; }
    const std::vector<const Element*>& stacking() const { return stacking_; }

    // What a host does once the window exists: Form_Load, then showing the window, which
    // raises Form_Resize once more.
    void loadAndShow();
    // Runs Form_Unload; false when it cancelled the close.
    bool queryUnload();

    // Events, raised by the host.
    virtual void Form_Load() {}
    virtual void Form_Unload(std::int16_t& cancel) { (void)cancel; }
    virtual void Form_Resize() {}
    virtual void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    virtual void Form_DblClick() {}
    // The monitors changed: one came, went, moved or took another size, or the machine woke
    // up. Raised once after a burst of such news.
    virtual void Form_DisplayChanged() {}
    // The window went to a monitor of another scale: its twips are as they were, its pixels
    // are not, so what was made in pixels is made again.
    virtual void Form_DpiChanged() {}

    // What a screen reader is told: the window's name, the label whose caption is its value
    // (none by default), and the name of an element whose own text is missing or says too
    // little (empty: nothing to add).
    virtual std::string accessibleWindowName() const { return caption_; }
    virtual const Label* valueLabel() const { return nullptr; }
    virtual std::string accessibleNameOf(const Element& element) const;
    // The exact figures behind the window's value, for a tooltip and a screen reader's
    // description; empty when there are none. They may ask the system, so a host asks only
    // while it shows them.
    virtual std::string details() { return {}; }
    // Whether resting the pointer on the window shows the details now.
    virtual bool detailsOnHover() const { return false; }
    // Where the keyboard's context-menu key points: the host presses and releases the right
    // button there.
    virtual Point contextPoint() const { return {width_ / 2, height_ / 2}; }

    // The event boundary: whatever fails ends the handler, not the program.
    template <typename Handler>
    bool raise(Handler&& handler) noexcept {
        try {
            handler();
            return true;
        } catch (...) {
            lastError_ = currentErrorCode();
            return false;
        }
    }
    std::optional<ErrorCode> lastError() const { return lastError_; }

protected:
    struct Design {
        std::string caption{};
        Bounds bounds{};
        Colour backColor{};
    };
    void define(const Design& design);
    void setStacking(std::vector<const Element*> topToBottom) {
        stacking_ = std::move(topToBottom);
    }

private:
    friend class Element;
    void add(Element* element) { elements_.push_back(element); }
    void notify(const Element& element) const;
    void notify(FormAspect aspect) const;

    Platform& platform_;
    FormObserver* observer_ = nullptr;
    std::string caption_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = false;
    bool steppedAside_ = false;
    Colour backColor_;
    PictureId picture_ = PictureId::None;
    bool autoRedraw_ = false;
    std::optional<StretchedPicture> drawing_;
    WindowHandle hWnd_ = 0;
    std::vector<Element*> elements_;
    std::vector<const Element*> stacking_;
    std::optional<ErrorCode> lastError_;
};

// Runs one step of a handler that skips failed steps and goes on with the next.
template <typename Step>
void skipOnError(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace dialvane
