#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/element.h"

namespace dialvane {

// A one-line editable text. The host writes what the user types back into the text.
class TextBox : public Control {
public:
    TextBox(Form& form, Definition definition, Bounds bounds, std::string text)
        : Control(form, ElementKind::TextBox, std::move(definition), bounds),
          text_(std::move(text)) {}

    const std::string& text() const { return text_; }
    void setText(const std::string& text) { assign(text_, text); }

    // Sees every typed character code first; setting it to 0 drops the character.
    std::function<void(std::int16_t& keyAscii)> onKeyPress;

private:
    std::string text_;
};

}  // namespace dialvane
