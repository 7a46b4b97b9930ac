#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <span>

#include "framework/picture_id.h"
#include "framework/pixels.h"
#include "platform/win32/unique_handle.h"

namespace dialvane::win32 {

// Every picture the program ships, as premultiplied pixels and as a bitmap ready for alpha
// blending. They are decoded by the built-in stb_image, so no imaging component (nor COM) is
// loaded, and only when first drawn: until then only the size is read, so a picture never shown
// (the options background, in the instrument view) costs no memory.
class PictureLibrary {
public:
    explicit PictureLibrary(HINSTANCE instance);

    PixelSize size(PictureId picture) const;
    // The pointer at the system's size for its pointers, or made at the size given, in pixels.
    HCURSOR cursor(PointerId pointer, int size = 0);
    HICON icon(int size) const;

    // Decoded at the first call. Empty pixels for a picture that could not be decoded.
    const Pixels& pixels(PictureId picture);
    HBITMAP bitmap(PictureId picture);
    // At another size (on a monitor of another scale), made from the decoded picture itself;
    // the copy of the size last asked for is kept.
    HBITMAP bitmap(PictureId picture, PixelSize size);
    // Lets the decoded copy go; the picture is decoded again when next asked for. For the
    // large pictures that only ever go into the cached background.
    void forget(PictureId picture);

private:
    struct Entry {
        std::span<const std::uint8_t> file;
        PixelSize size;
        bool decoded = false;
        Pixels pixels;
        unique_bitmap bitmap;
        PixelSize scaledSize;
        unique_bitmap scaled;
    };
    Entry* decoded(PictureId picture);

    HINSTANCE instance_;
    std::map<PictureId, Entry> entries_;
    HCURSOR hand_;
    std::map<int, unique_cursor> hands_;
};

// A top-down 32-bit DIB section holding the pixels.
unique_bitmap bitmapOf(const Pixels& pixels);

}  // namespace dialvane::win32
