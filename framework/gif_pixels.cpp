#include "framework/gif_pixels.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace dialvane {
namespace {

struct Malformed : std::runtime_error {
    Malformed() : std::runtime_error("malformed GIF") {}
};

// Anything larger is not one of our pictures, and would only cost memory.
constexpr unsigned largestSide = 8192;
constexpr unsigned maxCodes = 4096;

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t byte() {
        if (at_ >= bytes_.size()) {
            throw Malformed();
        }
        return bytes_[at_++];
    }
    unsigned word() {
        const unsigned low = byte();
        return low | static_cast<unsigned>(byte()) << 8;
    }
    std::vector<std::uint8_t> colours(unsigned packed) {
        std::vector<std::uint8_t> table(3U << ((packed & 7U) + 1));
        for (auto& value : table) {
            value = byte();
        }
        return table;
    }
    // The data sub-blocks up to the empty one, joined.
    std::vector<std::uint8_t> subBlocks() {
        std::vector<std::uint8_t> data;
        for (unsigned length = byte(); length != 0; length = byte()) {
            for (unsigned i = 0; i < length; ++i) {
                data.push_back(byte());
            }
        }
        return data;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

// Variable-length LZW codes, least significant bit first.
std::vector<std::uint8_t> lzwDecode(const std::vector<std::uint8_t>& data, unsigned minimumSize,
                                    std::size_t pixels) {
    if (minimumSize < 2 || minimumSize > 8) {
        throw Malformed();
    }
    const unsigned clear = 1U << minimumSize;
    const unsigned end = clear + 1;
    std::array<std::uint16_t, maxCodes> prefix{};
    std::array<std::uint8_t, maxCodes> suffix{};
    for (unsigned code = 0; code < clear; ++code) {
        suffix[code] = static_cast<std::uint8_t>(code);
    }
    std::vector<std::uint8_t> out;
    out.reserve(pixels);
    std::vector<std::uint8_t> stack;
    unsigned size = minimumSize + 1;
    unsigned next = end + 1;
    unsigned previous = maxCodes;  // none
    std::uint8_t first = 0;
    std::size_t bit = 0;
    while (out.size() < pixels) {
        if (bit + size > data.size() * 8) {
            throw Malformed();
        }
        unsigned code = 0;
        for (unsigned i = 0; i < size; ++i, ++bit) {
            code |= static_cast<unsigned>((data[bit / 8] >> (bit % 8)) & 1U) << i;
        }
        if (code == clear) {
            size = minimumSize + 1;
            next = end + 1;
            previous = maxCodes;
            continue;
        }
        if (code == end) {
            break;
        }
        if (previous == maxCodes) {
            if (code > clear) {
                throw Malformed();
            }
            first = static_cast<std::uint8_t>(code);
            out.push_back(first);
            previous = code;
            continue;
        }
        const unsigned read = code;
        stack.clear();
        if (code == next) {  // the code being defined: previous string plus its first byte
            stack.push_back(first);
            code = previous;
        } else if (code > next || (code > clear && code <= end)) {
            throw Malformed();
        }
        while (code >= clear) {
            stack.push_back(suffix[code]);
            code = prefix[code];
        }
        first = suffix[code];
        stack.push_back(first);
        out.insert(out.end(), stack.rbegin(), stack.rend());
        if (next < maxCodes) {
            prefix[next] = static_cast<std::uint16_t>(previous);
            suffix[next] = first;
            ++next;
            if (next == (1U << size) && size < 12) {
                ++size;
            }
        }
        previous = read;
    }
    if (out.size() < pixels) {
        throw Malformed();
    }
    out.resize(pixels);
    return out;
}

// Interlaced images store every 8th row from 0, every 8th from 4, every 4th from 2, then the
// odd rows.
std::vector<unsigned> rowOrder(unsigned height, bool interlaced) {
    std::vector<unsigned> rows;
    if (!interlaced) {
        for (unsigned y = 0; y < height; ++y) {
            rows.push_back(y);
        }
        return rows;
    }
    constexpr std::array<std::array<unsigned, 2>, 4> passes{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
    for (const auto& [start, step] : passes) {
        for (unsigned y = start; y < height; y += step) {
            rows.push_back(y);
        }
    }
    return rows;
}

void readSignature(Reader& in) {
    std::array<std::uint8_t, 6> signature{};
    for (auto& value : signature) {
        value = in.byte();
    }
    if (signature[0] != 'G' || signature[1] != 'I' || signature[2] != 'F') {
        throw Malformed();
    }
}

Pixels decode(std::span<const std::uint8_t> bytes) {
    Reader in(bytes);
    readSignature(in);
    const unsigned screenWidth = in.word();
    const unsigned screenHeight = in.word();
    const unsigned packed = in.byte();
    in.byte();  // background colour: what lies beneath shows through instead
    in.byte();  // aspect ratio
    const std::vector<std::uint8_t> global =
        (packed & 0x80U) != 0 ? in.colours(packed) : std::vector<std::uint8_t>{};
    int transparent = -1;
    while (true) {
        const unsigned introducer = in.byte();
        if (introducer == 0x21) {
            const unsigned label = in.byte();
            const std::vector<std::uint8_t> block = in.subBlocks();
            if (label == 0xF9 && block.size() >= 4) {
                transparent = (block[0] & 1U) != 0 ? block[3] : -1;
            }
            continue;
        }
        if (introducer != 0x2C) {
            throw Malformed();  // the trailer, or garbage, before any image
        }
        const unsigned left = in.word();
        const unsigned top = in.word();
        const unsigned width = in.word();
        const unsigned height = in.word();
        const unsigned imagePacked = in.byte();
        const std::vector<std::uint8_t> local =
            (imagePacked & 0x80U) != 0 ? in.colours(imagePacked) : std::vector<std::uint8_t>{};
        const std::vector<std::uint8_t>& colours = local.empty() ? global : local;
        const unsigned minimumSize = in.byte();
        const unsigned canvasWidth = screenWidth != 0 ? screenWidth : left + width;
        const unsigned canvasHeight = screenHeight != 0 ? screenHeight : top + height;
        if (colours.empty() || width == 0 || height == 0 || canvasWidth > largestSide ||
            canvasHeight > largestSide) {
            throw Malformed();
        }
        const std::vector<std::uint8_t> indices =
            lzwDecode(in.subBlocks(), minimumSize, std::size_t{width} * height);
        Pixels pixels{static_cast<int>(canvasWidth), static_cast<int>(canvasHeight),
                      std::vector<std::uint32_t>(std::size_t{canvasWidth} * canvasHeight)};
        const std::vector<unsigned> rows = rowOrder(height, (imagePacked & 0x40U) != 0);
        for (unsigned row = 0; row < height; ++row) {
            const unsigned y = top + rows[row];
            for (unsigned x = 0; x < width && y < canvasHeight && left + x < canvasWidth; ++x) {
                const unsigned index = indices[std::size_t{row} * width + x];
                if (static_cast<int>(index) == transparent) {
                    continue;
                }
                const std::size_t colour = std::size_t{index} * 3;
                std::uint32_t value = 0xFF000000U;
                if (colour + 2 < colours.size()) {
                    value |= static_cast<std::uint32_t>(colours[colour]) << 16 |
                             static_cast<std::uint32_t>(colours[colour + 1]) << 8 |
                             colours[colour + 2];
                }
                pixels.data[std::size_t{y} * canvasWidth + left + x] = value;
            }
        }
        return pixels;
    }
}

}  // namespace

Pixels gifPixels(std::span<const std::uint8_t> bytes) {
    try {
        return decode(bytes);
    } catch (const Malformed&) {
        return {};
    }
}

PixelSize gifSize(std::span<const std::uint8_t> bytes) {
    try {
        Reader in(bytes);
        readSignature(in);
        const unsigned width = in.word();
        const unsigned height = in.word();
        if (width > largestSide || height > largestSide) {
            return {};
        }
        return {static_cast<int>(width), static_cast<int>(height)};
    } catch (const Malformed&) {
        return {};
    }
}

}  // namespace dialvane
