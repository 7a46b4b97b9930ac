#include "platform/win32/form_window.h"

namespace dialvane::win32 {

// Exactly the size the window takes at that DPI, so Windows rounds nothing of its own.
SIZE FormWindow::sizeAt(int dpi) const {
    const PixelMapping sizes = mappingAt(Dpi{dpi, dpi});
    return SIZE{sizes.x(form_.width()), sizes.y(form_.height())};
}

// Start-up may have placed the hidden window on another monitor than the one it was made on.
void FormWindow::followMonitor() {
    const Dpi dpi = platform_.dpiOf(window_);
    if (dpi != platform_.scales().window()) {
        RECT placed{};
        ::GetWindowRect(window_, &placed);
        dpiChanged(dpi, placed);
    }
}

// The window goes to the suggested top-left. The form's Left and Top follow it unless they
// already name that pixel: the twips stay the truth, and nothing drifts however often the
// window goes to and fro.
void FormWindow::dpiChanged(Dpi dpi, const RECT& suggested) {
    platform_.setWindowDpi(dpi);
    const PixelMapping& positions = platform_.scales().positions();
    if (positions.x(form_.left()) != suggested.left) {
        form_.setLeft(positions.twipsX(suggested.left));
    }
    if (positions.y(form_.top()) != suggested.top) {
        form_.setTop(positions.twipsY(suggested.top));
    }
    remakeForDpi();
}

// Everything in pixels is made again from the twips: the window's size, the panels and their
// controls with their fonts, the background from the pictures, the outline.
void FormWindow::remakeForDpi() {
    syncWindowRect();
    controls_.followDpi();
    painter_.dropFontsOfOtherDpis();
    for (auto& [element, area] : painted_) {
        area = painter_.area(*element);
    }
    dropBackground();
    form_.raise([this] { form_.Form_DpiChanged(); });
}

// The system's pointers are made for the primary monitor.
int FormWindow::cursorSize() const {
    return platform_.scales().scaledX(::GetSystemMetrics(SM_CXCURSOR));
}

}  // namespace dialvane::win32
