#pragma once

#include <string>

#include "framework/colour.h"
#include "framework/element.h"
#include "framework/font.h"
#include "framework/picture_id.h"

namespace dialvane {

enum class Alignment { Left, Centre };

// Text drawn over its container without filling the background.
class Label : public Control {
public:
    struct Style {
        Colour foreColor = Colour::rgb(0, 0, 0);
        Alignment alignment = Alignment::Left;
        Font font{};
        PointerId pointer = PointerId::Default;
    };
    Label(Form& form, Definition definition, Bounds bounds, std::string caption, Style style)
        : Control(form, ElementKind::Label, std::move(definition), bounds),
          caption_(std::move(caption)),
          style_(std::move(style)) {}

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { assign(caption_, caption); }
    Colour foreColor() const { return style_.foreColor; }
    void setForeColor(Colour colour) { assign(style_.foreColor, colour); }
    Alignment alignment() const { return style_.alignment; }
    const Font& font() const { return style_.font; }
    PointerId pointer() const { return style_.pointer; }

private:
    std::string caption_;
    Style style_;
};

}  // namespace dialvane
