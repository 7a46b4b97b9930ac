#pragma once

#include <windows.h>

#include <map>
#include <tuple>
#include <vector>

#include "framework/element.h"
#include "framework/font.h"
#include "framework/image.h"
#include "framework/label.h"
#include "framework/line.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/pixel_mapping.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_scales.h"

namespace dialvane::win32 {

// Draws the elements that have no window of their own: labels, pictures and lines, each made
// at the DPI of the window's monitor.
class ElementPainter {
public:
    ElementPainter(PictureLibrary& pictures, const WindowScales& scales);

    // Paints a container's windowless elements, the bottom of the stacking first.
    void paint(HDC dc, const std::vector<const Element*>& topToBottom) const;
    // The pixels an element can touch in its container; empty for windowed elements.
    RECT area(const Element& element) const;
    // The font an element names, or the framework's default font, at the window's DPI.
    HFONT font(const Font& font) const;
    // Lets the fonts made for other DPIs go, once no control uses them any more.
    void dropFontsOfOtherDpis();
    // Sizes and drawing: at the window's DPI.
    const PixelMapping& mapping() const { return scales_.sizes(); }
    // A picture's own size on the window's monitor.
    PixelSize pictureSize(PictureId picture) const;

private:
    void paintLabel(HDC dc, const Label& label) const;
    void paintImage(HDC dc, const Image& image) const;
    void paintLine(HDC dc, const Line& line) const;
    int penWidth(const Line& line) const;

    PictureLibrary& pictures_;
    const WindowScales& scales_;
    using FontKey = std::tuple<std::string, float, int, FontFamily, int>;
    mutable std::map<FontKey, unique_font> fonts_;
    mutable std::map<std::pair<std::uint32_t, int>, unique_pen> pens_;
};

}  // namespace dialvane::win32
