#pragma once

#include <functional>
#include <string>

#include "framework/element.h"
#include "framework/font.h"

namespace dialvane {

class CommandButton : public Control {
public:
    CommandButton(Form& form, Definition definition, Bounds bounds, std::string caption,
                  Font font = {}, bool isDefault = false)
        : Control(form, ElementKind::CommandButton, std::move(definition), bounds),
          caption_(std::move(caption)),
          font_(std::move(font)),
          default_(isDefault) {}

    const std::string& caption() const { return caption_; }
    const Font& font() const { return font_; }
    // The button Enter clicks while a text box of its window has the focus.
    bool isDefault() const { return default_; }

    std::function<void()> onClick;

private:
    std::string caption_;
    Font font_;
    bool default_;
};

}  // namespace dialvane
