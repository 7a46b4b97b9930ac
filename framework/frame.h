#pragma once

#include <string>
#include <vector>

#include "framework/colour.h"
#include "framework/element.h"

namespace dialvane {

// A panel: a container with its own background that clips its elements and moves them along.
class Frame : public Control {
public:
    Frame(Form& form, Definition definition, Bounds bounds, std::string caption, Colour backColor)
        : Control(form, ElementKind::Frame, std::move(definition), bounds),
          caption_(std::move(caption)),
          backColor_(backColor) {}

    const std::string& caption() const { return caption_; }
    Colour backColor() const { return backColor_; }

    // The panel's elements from top to bottom.
    const std::vector<const Element*>& stacking() const { return stacking_; }
    void setStacking(std::vector<const Element*> topToBottom) {
        stacking_ = std::move(topToBottom);
    }

private:
    std::string caption_;
    Colour backColor_;
    std::vector<const Element*> stacking_;
};

}  // namespace dialvane
