#include "platform/win32/element_painter.h"

#include <cmath>

#include "platform/win32/text_conversion.h"

namespace dialvane::win32 {
namespace {

constexpr COLORREF disabledText = RGB(128, 128, 128);

COLORREF colorRef(Colour colour) {
    return RGB(colour.red(), colour.green(), colour.blue());
}

}  // namespace

ElementPainter::ElementPainter(PictureLibrary& pictures, const WindowScales& scales)
    : pictures_(pictures), scales_(scales) {}

HFONT ElementPainter::font(const Font& requested) const {
    // The framework's own default: the classic 8-point dialog face the window was laid out
    // in (Windows maps it to Microsoft Sans Serif where the bitmap face is gone).
    static const Font framework{"MS Sans Serif", 8.0F, 400, FontFamily::Sans};
    const Font& font = requested.face.empty() ? framework : requested;
    const int dpi = scales_.window().y;
    auto& cached = fonts_[FontKey{font.face, font.points, font.weight, font.family, dpi}];
    if (!cached) {
        LOGFONTW description{};
        description.lfHeight =
            -static_cast<LONG>(std::lround(font.points * static_cast<float>(dpi) / 72.0F));
        description.lfWeight = font.weight;
        description.lfCharSet = DEFAULT_CHARSET;
        description.lfQuality = DEFAULT_QUALITY;
        description.lfPitchAndFamily =
            VARIABLE_PITCH | (font.family == FontFamily::Serif ? FF_ROMAN : FF_SWISS);
        // The font mapper falls back to the closest face when this one is missing.
        const std::wstring face = widen(font.face);
        face.copy(description.lfFaceName, LF_FACESIZE - 1);
        cached.reset(::CreateFontIndirectW(&description));
    }
    return cached.get();
}

void ElementPainter::dropFontsOfOtherDpis() {
    std::erase_if(
        fonts_, [this](const auto& font) { return std::get<4>(font.first) != scales_.window().y; });
}

PixelSize ElementPainter::pictureSize(PictureId picture) const {
    const PixelSize own = pictures_.size(picture);
    return {scales_.scaledX(own.width), scales_.scaledY(own.height)};
}

int ElementPainter::penWidth(const Line& line) const {
    return scales_.scaledX(line.widthPixels());
}

RECT ElementPainter::area(const Element& element) const {
    switch (element.kind()) {
        case ElementKind::Label:
        case ElementKind::Image:
            return mapping().rect(static_cast<const Control&>(element));
        case ElementKind::Line: {
            const auto& line = static_cast<const Line&>(element);
            return mapping().bounds(line, penWidth(line));
        }
        default:
            return RECT{};
    }
}

void ElementPainter::paint(HDC dc, const std::vector<const Element*>& topToBottom) const {
    for (auto it = topToBottom.rbegin(); it != topToBottom.rend(); ++it) {
        const Element& element = **it;
        if (!element.visible()) {
            continue;
        }
        switch (element.kind()) {
            case ElementKind::Label:
                paintLabel(dc, static_cast<const Label&>(element));
                break;
            case ElementKind::Image:
                paintImage(dc, static_cast<const Image&>(element));
                break;
            case ElementKind::Line:
                paintLine(dc, static_cast<const Line&>(element));
                break;
            default:
                break;
        }
    }
}

void ElementPainter::paintLabel(HDC dc, const Label& label) const {
    if (label.caption().empty()) {
        return;
    }
    RECT rect = mapping().rect(label);
    const select_guard useFont(dc, font(label.font()));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, label.enabled() ? colorRef(label.foreColor()) : disabledText);
    const std::wstring text = widen(label.caption());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    // A label one line high keeps its text on that line, even where a wider face than the
    // one it was laid out for runs past its right edge; taller labels wrap at words.
    const bool oneLine = rect.bottom - rect.top < 2 * metrics.tmHeight;
    const UINT format = DT_NOPREFIX | (oneLine ? DT_SINGLELINE | DT_NOCLIP : DT_WORDBREAK) |
                        (label.alignment() == Alignment::Centre ? DT_CENTER : DT_LEFT);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void ElementPainter::paintImage(HDC dc, const Image& image) const {
    const PixelSize size = pictureSize(image.picture());
    HBITMAP bitmap = pictures_.bitmap(image.picture(), size);
    if (bitmap == nullptr) {
        return;
    }
    const RECT rect = mapping().rect(image);
    // Shown at natural size, cut off by the element's own rectangle.
    const int width = std::min<int>(size.width, rect.right - rect.left);
    const int height = std::min<int>(size.height, rect.bottom - rect.top);
    if (width <= 0 || height <= 0) {
        return;
    }
    const unique_dc source(::CreateCompatibleDC(dc));
    const select_guard useBitmap(source.get(), bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, rect.left, rect.top, width, height, source.get(), 0, 0, width, height,
                    blend);
}

void ElementPainter::paintLine(HDC dc, const Line& line) const {
    const int width = penWidth(line);
    auto& pen = pens_[{line.colour().value, width}];
    if (!pen) {
        pen.reset(::CreatePen(PS_SOLID, width, colorRef(line.colour())));
    }
    const select_guard usePen(dc, pen.get());
    const PixelMapping& map = mapping();
    ::MoveToEx(dc, map.x(line.x1()), map.y(line.y1()), nullptr);
    ::LineTo(dc, map.x(line.x2()), map.y(line.y2()));
}

}  // namespace dialvane::win32
