#pragma once

#include "framework/colour.h"
#include "framework/element.h"

namespace dialvane {

// A straight segment in its container's coordinates; each end point is set on its own.
class Line : public Element {
public:
    struct Ends {
        float x1 = 0;
        float y1 = 0;
        float x2 = 0;
        float y2 = 0;
    };
    Line(Form& form, Definition definition, Ends ends, Colour colour, int widthPixels)
        : Element(form, ElementKind::Line, std::move(definition)),
          ends_(ends),
          colour_(colour),
          widthPixels_(widthPixels) {}

    float x1() const { return ends_.x1; }
    float y1() const { return ends_.y1; }
    float x2() const { return ends_.x2; }
    float y2() const { return ends_.y2; }
    void setX1(float value) { assign(ends_.x1, value); }
    void setY1(float value) { assign(ends_.y1, value); }
    void setX2(float value) { assign(ends_.x2, value); }
    void setY2(float value) { assign(ends_.y2, value); }
    Colour colour() const { return colour_; }
    int widthPixels() const { return widthPixels_; }

private:
    Ends ends_;
    Colour colour_;
    int widthPixels_;
};

}  // namespace dialvane
