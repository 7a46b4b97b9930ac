#include "resources/draw/windows_icon_file.h"

namespace dialvane::draw {
namespace {

constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint32_t directorySize = 6 + 16;

// Bitmap rows are padded to whole 32-bit words.
std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

struct Entry {
    unsigned type = 0;  // 1 icon, 2 cursor
    int width = 0;
    int height = 0;
    unsigned colourCount = 0;
    unsigned planesOrHotSpotX = 0;
    unsigned bitCountOrHotSpotY = 0;
};

void putDirectory(Bytes& out, const Entry& entry, std::uint32_t imageSize) {
    put16(out, 0);
    put16(out, entry.type);
    put16(out, 1);
    put8(out, static_cast<unsigned>(entry.width));
    put8(out, static_cast<unsigned>(entry.height));
    put8(out, entry.colourCount);
    put8(out, 0);
    put16(out, entry.planesOrHotSpotX);
    put16(out, entry.bitCountOrHotSpotY);
    put32(out, imageSize);
    put32(out, directorySize);
}

// The height counts the colour image and the mask stacked.
void putInfoHeader(Bytes& out, int width, int height, unsigned bitsPerPixel,
                   std::uint32_t imageSize) {
    put32(out, infoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(2 * height));
    put16(out, 1);
    put16(out, bitsPerPixel);
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
}

// Rows bottom-up, set bits for the pixels the predicate picks.
template <typename Picks>
void putBitRows(Bytes& out, int width, int height, Picks picks) {
    const std::uint32_t stride = rowBytes(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < width; ++x) {
            if (picks(x, y)) {
                row.at(static_cast<std::size_t>(x / 8)) |=
                    static_cast<std::uint8_t>(0x80U >> static_cast<unsigned>(x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

Bytes iconFile(const Picture& picture) {
    const int width = picture.width();
    const int height = picture.height();
    const std::uint32_t colourStride = rowBytes(width, 24);
    const std::uint32_t pixelBytes =
        (colourStride + rowBytes(width, 1)) * static_cast<std::uint32_t>(height);
    const auto opaque = [&](int x, int y) { return picture.at(x, y).alpha >= 0.5; };

    Bytes out;
    putDirectory(out,
                 {.type = 1,
                  .width = width,
                  .height = height,
                  .colourCount = 0,
                  .planesOrHotSpotX = 1,
                  .bitCountOrHotSpotY = 24},
                 infoHeaderSize + pixelBytes);
    putInfoHeader(out, width, height, 24, pixelBytes);
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(colourStride, 0);
        for (int x = 0; x < width; ++x) {
            if (!opaque(x, y)) {
                continue;  // black, so the screen shows through unchanged
            }
            const Rgb8 colour = quantised(picture.at(x, y).unblended());
            const auto at = static_cast<std::size_t>(x * 3);
            row.at(at) = colour.b;
            row.at(at + 1) = colour.g;
            row.at(at + 2) = colour.r;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    putBitRows(out, width, height, [&](int x, int y) { return !opaque(x, y); });
    return out;
}

Bytes cursorFile(const MonochromeImage& image, int hotSpotX, int hotSpotY) {
    const int width = image.width;
    const int height = image.height;
    constexpr std::uint32_t paletteBytes = 2 * 4;
    const std::uint32_t pixelBytes = 2 * rowBytes(width, 1) * static_cast<std::uint32_t>(height);
    const auto index = [width](int x, int y) { return static_cast<std::size_t>(y * width + x); };

    Bytes out;
    putDirectory(out,
                 {.type = 2,
                  .width = width,
                  .height = height,
                  .colourCount = 2,
                  .planesOrHotSpotX = static_cast<unsigned>(hotSpotX),
                  .bitCountOrHotSpotY = static_cast<unsigned>(hotSpotY)},
                 infoHeaderSize + paletteBytes + pixelBytes);
    putInfoHeader(out, width, height, 1, pixelBytes);
    put32(out, 0x000000);  // black
    put32(out, 0xFFFFFF);  // white
    putBitRows(out, width, height, [&](int x, int y) { return image.white.at(index(x, y)); });
    putBitRows(out, width, height, [&](int x, int y) { return !image.opaque.at(index(x, y)); });
    return out;
}

}  // namespace dialvane::draw
