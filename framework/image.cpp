#include "framework/image.h"

#include "framework/form.h"

namespace dialvane {
namespace {

// A picture element takes its picture's natural size: pixels times twips per pixel.
Bounds naturalBounds(const Form& form, Bounds bounds, PictureId picture) {
    const PixelSize pixels = form.platform().pictureSize(picture);
    if (pixels.width > 0 && pixels.height > 0) {
        bounds.width = static_cast<float>(pixels.width) * form.platform().twipsPerPixelX();
        bounds.height = static_cast<float>(pixels.height) * form.platform().twipsPerPixelY();
    }
    return bounds;
}

}  // namespace

Image::Image(Form& form, Definition definition, Bounds bounds, PictureId picture, PointerId pointer)
    : Control(form, ElementKind::Image, std::move(definition),
              naturalBounds(form, bounds, picture)),
      picture_(picture),
      pointer_(pointer) {}

}  // namespace dialvane
