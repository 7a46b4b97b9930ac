#pragma once

#include <functional>

#include "framework/element.h"
#include "framework/picture_id.h"

namespace dialvane {

// Shows one picture at its natural size; raises a click when enabled and visible.
class Image : public Control {
public:
    Image(Form& form, Definition definition, Bounds bounds, PictureId picture,
          PointerId pointer = PointerId::Default);

    PictureId picture() const { return picture_; }
    PointerId pointer() const { return pointer_; }

    std::function<void()> onClick;

private:
    PictureId picture_;
    PointerId pointer_;
};

}  // namespace dialvane
