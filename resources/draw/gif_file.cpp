#include "resources/draw/gif_file.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include <gif_lib.h>

namespace dialvane::draw {
namespace {

constexpr std::uint8_t transparentIndex = 0;

struct Indexed {
    std::vector<Rgb8> palette;
    std::vector<std::uint8_t> indices;
};

Indexed toIndexed(const Picture& picture, Rgb matte) {
    Indexed result{{Rgb8{}}, {}};
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Pixel& pixel = picture.at(x, y);
            if (pixel.alpha < 0.5) {
                result.indices.push_back(transparentIndex);
                continue;
            }
            const Rgb8 colour = quantised(pixel.onto(matte));
            // Index 0 is the transparent one; its colour never shows, so a lookup skips it.
            const auto found = std::find(result.palette.begin() + 1, result.palette.end(), colour);
            if (found == result.palette.end() && result.palette.size() == 256) {
                throw std::runtime_error("more than 255 colours in a GIF picture");
            }
            result.indices.push_back(static_cast<std::uint8_t>(found - result.palette.begin()));
            if (found == result.palette.end()) {
                result.palette.push_back(colour);
            }
        }
    }
    return result;
}

int bitsFor(std::size_t colours) {
    int bits = 1;
    while ((std::size_t{1} << bits) < colours) {
        ++bits;
    }
    return bits;
}

// giflib hands over the file piece by piece; each goes on the end of the buffer.
int append(GifFileType* gif, const GifByteType* bytes, int length) {
    auto& out = *static_cast<Bytes*>(gif->UserData);
    out.insert(out.end(), bytes, bytes + length);
    return length;
}

[[noreturn]] void fail(const char* step, int error) {
    const char* reason = GifErrorString(error);
    throw std::runtime_error(std::string("giflib, ") + step + ": " + (reason ? reason : "failed"));
}

void check(int result, const GifFileType& gif, const char* step) {
    if (result == GIF_ERROR) {
        fail(step, gif.Error);
    }
}

// Closing also writes the trailer, into a buffer that is thrown away when an error got here.
struct CloseGif {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

struct FreeColourMap {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

Bytes gifFile(const Picture& picture, Rgb matte) {
    Indexed indexed = toIndexed(picture, matte);
    const int tableBits = bitsFor(indexed.palette.size());
    indexed.palette.resize(std::size_t{1} << tableBits);
    std::vector<GifColorType> colours;
    for (const Rgb8 c : indexed.palette) {
        colours.push_back({c.r, c.g, c.b});
    }
    const std::unique_ptr<ColorMapObject, FreeColourMap> palette(
        GifMakeMapObject(static_cast<int>(colours.size()), colours.data()));
    if (!palette) {
        throw std::runtime_error("giflib cannot hold the palette");
    }

    Bytes out;
    int error = E_GIF_SUCCEEDED;
    std::unique_ptr<GifFileType, CloseGif> gif(EGifOpen(&out, append, &error));
    if (!gif) {
        fail("open", error);
    }
    EGifSetGifVersion(gif.get(), true);
    constexpr int colourResolution = 8;
    check(EGifPutScreenDesc(gif.get(), picture.width(), picture.height(), colourResolution,
                            transparentIndex, palette.get()),
          *gif, "screen");
    const GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, transparentIndex};
    GifByteType extension[4];
    const auto extensionLength = static_cast<int>(EGifGCBToExtension(&control, extension));
    check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, extensionLength, extension), *gif,
          "transparent colour");
    check(EGifPutImageDesc(gif.get(), 0, 0, picture.width(), picture.height(), false, nullptr),
          *gif, "image");
    check(EGifPutLine(gif.get(), indexed.indices.data(), static_cast<int>(indexed.indices.size())),
          *gif, "pixels");
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) {
        fail("close", error);
    }
    return out;
}

}  // namespace dialvane::draw
