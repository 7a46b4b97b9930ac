#include "app/form1.h"
#include "framework/numeric.h"

namespace dialvane {
namespace {

constexpr std::int32_t roundCorners = 170;
constexpr std::int32_t squareCorners = 0;

}  // namespace

// The outline follows the size the caller has just set; a size change alone keeps the old one.
void Form1::applyOutline(std::int32_t corner) {
    makeOutline({this->width(), this->height(), corner});
}

void Form1::makeOutline(const Outline& outline) {
    const std::int32_t width =
        toInt32(divided(static_cast<double>(outline.width), platform().twipsPerPixelX()));
    const std::int32_t height =
        toInt32(divided(static_cast<double>(outline.height), platform().twipsPerPixelY()));
    const WindowHandle window = hWnd();
    platform().setWindowRoundRegion(window, width, height, outline.corner);
    outline_ = outline;
}

// On a monitor of another scale the outline last applied is made again for its size in twips.
void Form1::Form_DpiChanged() {
    if (outline_) {
        makeOutline(*outline_);
    }
}

// Up to 170 pixels a side this is the inscribed circle; larger squares get rounded corners.
void Form1::Rund() {
    applyOutline(roundCorners);
}

void Form1::Eckig() {
    applyOutline(squareCorners);
}

void Form1::TopWindow(const WindowHandle& hwnd) {
    platform().SetWindowPos(hwnd, insertTopmost, 0, 0, 0, 0, swpNoSize | swpNoMove | swpNoActivate);
}

}  // namespace dialvane
