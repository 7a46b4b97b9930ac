#include "resources/draw/gif_file.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace dialvane::draw {
namespace {

constexpr int maxCodeSize = 12;
constexpr unsigned tableLimit = 1U << maxCodeSize;
constexpr std::uint8_t transparentIndex = 0;

class BitPacker {
public:
    explicit BitPacker(Bytes& out) : out_(out) {}

    void put(unsigned code, int size) {
        buffer_ |= code << filled_;
        filled_ += size;
        while (filled_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFFU));
            buffer_ >>= 8U;
            filled_ -= 8;
        }
    }

    void flush() {
        if (filled_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFFU));
        }
        buffer_ = 0;
        filled_ = 0;
    }

private:
    Bytes& out_;
    unsigned buffer_ = 0;
    int filled_ = 0;
};

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

void putSubBlocks(Bytes& out, const Bytes& data) {
    for (std::size_t start = 0; start < data.size(); start += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - start);
        put8(out, static_cast<unsigned>(length));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(start),
                   data.begin() + static_cast<std::ptrdiff_t>(start + length));
    }
    put8(out, 0);
}

}  // namespace

Bytes lzwCompress(const std::vector<std::uint8_t>& indices, int minimumCodeSize) {
    const unsigned clearCode = 1U << minimumCodeSize;
    const unsigned endCode = clearCode + 1;
    Bytes out;
    BitPacker bits(out);
    std::unordered_map<unsigned, unsigned> table;
    int codeSize = minimumCodeSize + 1;
    unsigned next = endCode + 1;
    const auto restart = [&] {
        bits.put(clearCode, codeSize);
        table.clear();
        codeSize = minimumCodeSize + 1;
        next = endCode + 1;
    };
    restart();
    if (indices.empty()) {
        bits.put(endCode, codeSize);
        bits.flush();
        return out;
    }
    unsigned prefix = indices.front();
    for (auto it = indices.begin() + 1; it != indices.end(); ++it) {
        const unsigned key = (prefix << 8U) | *it;
        if (const auto found = table.find(key); found != table.end()) {
            prefix = found->second;
            continue;
        }
        bits.put(prefix, codeSize);
        if (next < tableLimit) {
            table.emplace(key, next++);
            // The reader adds its entry one code later, so it widens when next passes 2^size.
            if (next > (1U << codeSize) && codeSize < maxCodeSize) {
                ++codeSize;
            }
        } else {
            restart();
        }
        prefix = *it;
    }
    bits.put(prefix, codeSize);
    bits.put(endCode, codeSize);
    bits.flush();
    return out;
}

Bytes gifFile(const Picture& picture, Rgb matte) {
    Indexed indexed = toIndexed(picture, matte);
    const int tableBits = bitsFor(indexed.palette.size());
    indexed.palette.resize(std::size_t{1} << tableBits);
    const auto width = static_cast<unsigned>(picture.width());
    const auto height = static_cast<unsigned>(picture.height());

    Bytes out{'G', 'I', 'F', '8', '9', 'a'};
    put16(out, width);
    put16(out, height);
    put8(out, 0x80U | 0x70U | static_cast<unsigned>(tableBits - 1));  // global table, 8-bit
    put8(out, transparentIndex);                                      // background
    put8(out, 0);                                                     // square pixels
    for (const Rgb8 colour : indexed.palette) {
        put8(out, colour.r);
        put8(out, colour.g);
        put8(out, colour.b);
    }
    // Graphic Control Extension: no delay, transparency on.
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, transparentIndex, 0x00});
    put8(out, 0x2C);
    put16(out, 0);
    put16(out, 0);
    put16(out, width);
    put16(out, height);
    put8(out, 0);  // not interlaced, no local table
    const int minimumCodeSize = std::max(2, tableBits);
    put8(out, static_cast<unsigned>(minimumCodeSize));
    putSubBlocks(out, lzwCompress(indexed.indices, minimumCodeSize));
    put8(out, 0x3B);
    return out;
}

}  // namespace dialvane::draw
