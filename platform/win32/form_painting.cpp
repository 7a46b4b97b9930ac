#include <algorithm>

#include "framework/pixels.h"
#include "platform/win32/form_window.h"

namespace dialvane::win32 {
namespace {

COLORREF colorRef(Colour colour) {
    return RGB(colour.red(), colour.green(), colour.blue());
}

void fill(HDC dc, const RECT& rect, Colour colour) {
    const unique_brush brush(::CreateSolidBrush(colorRef(colour)));
    ::FillRect(dc, &rect, brush.get());
}

void blend(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
    if (bitmap == nullptr || width <= 0 || height <= 0) {
        return;
    }
    const unique_dc source(::CreateCompatibleDC(dc));
    const select_guard use(source.get(), bitmap);
    const BLENDFUNCTION over{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, width, height, source.get(), 0, 0, width, height, over);
}

// Paints through a memory bitmap and copies the result once, so nothing flickers.
template <typename Draw>
void paintBuffered(HWND window, Draw&& draw) {
    const paint_dc paint(window);
    HDC target = paint.get();
    const RECT& area = paint.area();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width > 0 && height > 0) {
        const unique_dc buffer(::CreateCompatibleDC(target));
        const unique_bitmap pixels(::CreateCompatibleBitmap(target, width, height));
        {
            const select_guard use(buffer.get(), pixels.get());
            ::SetWindowOrgEx(buffer.get(), area.left, area.top, nullptr);
            draw(buffer.get());
            ::SetWindowOrgEx(buffer.get(), 0, 0, nullptr);
            ::BitBlt(target, area.left, area.top, width, height, buffer.get(), 0, 0, SRCCOPY);
        }
    }
}

}  // namespace

// The window's background as it stands: colour, picture at natural size from the top-left
// corner, and the picture drawn stretched into it, all in one bitmap reused by every paint.
// Both pictures are made from the decoded picture at the window's DPI.
void FormWindow::rebuildBackground() {
    const PixelMapping& map = painter_.mapping();
    const SIZE size{std::max(1, map.x(form_.width())), std::max(1, map.y(form_.height()))};
    const window_dc screen(window_);
    background_.reset(::CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    backgroundSize_ = size;
    const unique_dc dc(::CreateCompatibleDC(screen.get()));
    {
        const select_guard use(dc.get(), background_.get());
        fill(dc.get(), RECT{0, 0, size.cx, size.cy}, form_.backColor());
        const PixelSize natural = painter_.pictureSize(form_.picture());
        blend(dc.get(), pictures_.bitmap(form_.picture(), natural), 0, 0, natural.width,
              natural.height);
        pictures_.forget(form_.picture());
        if (const auto& drawing = form_.persistentDrawing()) {
            const RECT target = map.rect(drawing->target);
            const Pixels stretched =
                resample(pictures_.pixels(drawing->picture), target.right - target.left,
                         target.bottom - target.top);
            const unique_bitmap bitmap = bitmapOf(stretched);
            blend(dc.get(), bitmap.get(), target.left, target.top, stretched.width,
                  stretched.height);
            pictures_.forget(drawing->picture);
        }
    }
}

void FormWindow::dropBackground() {
    background_.reset();
    if (window_ != nullptr) {
        ::InvalidateRect(window_, nullptr, FALSE);
    }
}

void FormWindow::paintForm() {
    if (!background_) {
        rebuildBackground();
    }
    paintBuffered(window_, [this](HDC dc) {
        const unique_dc source(::CreateCompatibleDC(dc));
        {
            const select_guard use(source.get(), background_.get());
            ::BitBlt(dc, 0, 0, backgroundSize_.cx, backgroundSize_.cy, source.get(), 0, 0, SRCCOPY);
        }
        painter_.paint(dc, form_.stacking());
    });
}

void FormWindow::paintPanel(const Panel& panel) {
    paintBuffered(panel.window, [this, &panel](HDC dc) {
        RECT client{};
        ::GetClientRect(panel.window, &client);
        fill(dc, client, panel.frame->backColor());
        painter_.paint(dc, panel.frame->stacking());
    });
}

}  // namespace dialvane::win32
