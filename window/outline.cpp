#include "app/form1.h"
#include "framework/numeric.h"

namespace dialvane {
namespace {

constexpr std::int32_t roundCorners = 170;
constexpr std::int32_t squareCorners = 0;

}  // namespace

// The outline follows the size the caller has just set; a size change alone keeps the old one.
void Form1::applyOutline(std::int32_t corner) {
    const std::int32_t width =
        toInt32(divided(static_cast<double>(this->width()), platform().twipsPerPixelX()));
    const std::int32_t height =
        toInt32(divided(static_cast<double>(this->height()), platform().twipsPerPixelY()));
    const WindowHandle window = hWnd();
    platform().setWindowRoundRegion(window, width, height, corner);
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
