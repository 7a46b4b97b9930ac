#pragma once

#include <windows.h>

#include <map>

#include "framework/picture_id.h"
#include "framework/pixels.h"
#include "platform/win32/unique_handle.h"

namespace dialvane::win32 {

// Every picture the program ships, decoded once at start with the system's imaging
// component, kept as premultiplied pixels and as a bitmap ready for alpha blending.
class PictureLibrary {
public:
    explicit PictureLibrary(HINSTANCE instance);

    PixelSize size(PictureId picture) const;
    // Empty pixels for a picture that could not be decoded.
    const Pixels& pixels(PictureId picture) const;
    HBITMAP bitmap(PictureId picture) const;
    HCURSOR cursor(PointerId pointer) const;
    HICON icon(int size) const;

private:
    struct Entry {
        Pixels pixels;
        unique_bitmap bitmap;
    };
    HINSTANCE instance_;
    std::map<PictureId, Entry> entries_;
    HCURSOR hand_;
};

// A top-down 32-bit DIB section holding the pixels.
unique_bitmap bitmapOf(const Pixels& pixels);

}  // namespace dialvane::win32
