#include "framework/jpeg_pixels.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

namespace dialvane {
namespace {

struct Malformed : std::runtime_error {
    Malformed() : std::runtime_error("malformed JPEG") {}
};

constexpr unsigned largestSide = 8192;

// Coefficient order in the file: the zig-zag walk through the 8x8 block.
constexpr std::array<std::uint8_t, 64> zigzag{
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

struct Huffman {
    std::array<int, 17> minCode{};
    std::array<int, 17> maxCode{-1, -1, -1, -1, -1, -1, -1, -1, -1,
                                -1, -1, -1, -1, -1, -1, -1, -1};  // -1: no code that long
    std::array<int, 17> firstSymbol{};
    std::vector<std::uint8_t> symbols;
};

struct Component {
    int id = 0;
    int h = 1;
    int v = 1;
    int quant = 0;
    int dcTable = 0;
    int acTable = 0;
    int predictor = 0;
    int blocksWide = 0;  // blocks per row of the component's padded plane
    int blocksHigh = 0;
    std::vector<std::uint8_t> plane;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    unsigned byte() {
        if (at_ >= bytes_.size()) {
            throw Malformed();
        }
        return bytes_[at_++];
    }
    unsigned word() {
        const unsigned high = byte();
        return high << 8 | byte();
    }
    std::size_t position() const { return at_; }
    void skip(std::size_t count) {
        if (count > bytes_.size() - at_) {
            throw Malformed();
        }
        at_ += count;
    }

    // Entropy-coded data: 0xFF 0x00 stands for 0xFF; a marker ends the data, after which only
    // zero bits follow.
    unsigned bit() {
        if (bits_ == 0) {
            buffer_ = 0;
            if (marker_ == 0) {
                buffer_ = byte();
                if (buffer_ == 0xFF) {
                    const unsigned following = byte();
                    if (following != 0) {
                        marker_ = following;
                        buffer_ = 0;
                    }
                }
            }
            bits_ = 8;
        }
        --bits_;
        return (buffer_ >> bits_) & 1U;
    }
    int bits(int count) {
        int value = 0;
        for (int i = 0; i < count; ++i) {
            value = value << 1 | static_cast<int>(bit());
        }
        return value;
    }
    // Drops the rest of the byte and expects the restart marker that must come next.
    void restart() {
        bits_ = 0;
        if (marker_ == 0) {
            unsigned value = byte();
            while (value == 0xFF) {
                value = byte();
            }
            marker_ = value;
        }
        if (marker_ < 0xD0 || marker_ > 0xD7) {
            throw Malformed();
        }
        marker_ = 0;
    }
    // After a scan: the marker that ended it, if the data reached one.
    std::optional<unsigned> endScan() {
        bits_ = 0;
        const unsigned marker = marker_;
        marker_ = 0;
        return marker != 0 ? std::optional<unsigned>(marker) : std::nullopt;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    unsigned buffer_ = 0;
    unsigned bits_ = 0;
    unsigned marker_ = 0;
};

int decodeSymbol(Reader& in, const Huffman& table) {
    int code = 0;
    for (int length = 1; length <= 16; ++length) {
        code = code << 1 | static_cast<int>(in.bit());
        if (code <= table.maxCode[length]) {
            const auto index =
                static_cast<std::size_t>(table.firstSymbol[length] + code - table.minCode[length]);
            if (index >= table.symbols.size()) {
                throw Malformed();
            }
            return table.symbols[index];
        }
    }
    throw Malformed();
}

// The signed value of a `size`-bit magnitude category.
int extend(int value, int size) {
    return size > 0 && value < (1 << (size - 1)) ? value - (1 << size) + 1 : value;
}

// The common library's accurate integer inverse DCT: 13-bit constants, two more bits kept
// between the passes, each result rounded.
constexpr int constBits = 13;
constexpr int pass1Bits = 2;
constexpr std::int64_t fix(double value) {
    return static_cast<std::int64_t>(value * (1 << constBits) + 0.5);
}
constexpr std::int64_t descale(std::int64_t value, int shift) {
    return (value + (std::int64_t{1} << (shift - 1))) >> shift;
}

// One 1-D pass over 8 values `stride` apart; results rounded by `shift` bits.
void idct8(const std::int64_t* in, int stride, std::int64_t* out, int outStride, int shift) {
    const auto at = [&](int i) { return in[i * stride]; };
    std::int64_t z2 = at(2);
    std::int64_t z3 = at(6);
    std::int64_t z1 = (z2 + z3) * fix(0.541196100);
    const std::int64_t tmp2 = z1 + z3 * -fix(1.847759065);
    const std::int64_t tmp3 = z1 + z2 * fix(0.765366865);
    const std::int64_t tmp0 = (at(0) + at(4)) << constBits;
    const std::int64_t tmp1 = (at(0) - at(4)) << constBits;
    const std::int64_t tmp10 = tmp0 + tmp3;
    const std::int64_t tmp13 = tmp0 - tmp3;
    const std::int64_t tmp11 = tmp1 + tmp2;
    const std::int64_t tmp12 = tmp1 - tmp2;

    std::int64_t o0 = at(7);
    std::int64_t o1 = at(5);
    std::int64_t o2 = at(3);
    std::int64_t o3 = at(1);
    z1 = o0 + o3;
    z2 = o1 + o2;
    z3 = o0 + o2;
    std::int64_t z4 = o1 + o3;
    const std::int64_t z5 = (z3 + z4) * fix(1.175875602);
    o0 *= fix(0.298631336);
    o1 *= fix(2.053119869);
    o2 *= fix(3.072711026);
    o3 *= fix(1.501321110);
    z1 *= -fix(0.899976223);
    z2 *= -fix(2.562915447);
    z3 = z3 * -fix(1.961570560) + z5;
    z4 = z4 * -fix(0.390180644) + z5;
    o0 += z1 + z3;
    o1 += z2 + z4;
    o2 += z2 + z3;
    o3 += z1 + z4;

    out[0 * outStride] = descale(tmp10 + o3, shift);
    out[7 * outStride] = descale(tmp10 - o3, shift);
    out[1 * outStride] = descale(tmp11 + o2, shift);
    out[6 * outStride] = descale(tmp11 - o2, shift);
    out[2 * outStride] = descale(tmp12 + o1, shift);
    out[5 * outStride] = descale(tmp12 - o1, shift);
    out[3 * outStride] = descale(tmp13 + o0, shift);
    out[4 * outStride] = descale(tmp13 - o0, shift);
}

std::uint8_t clampSample(std::int64_t value) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
}

class Decoder {
public:
    explicit Decoder(std::span<const std::uint8_t> bytes) : in_(bytes) {}

    Pixels decode(bool headerOnly) {
        if (in_.byte() != 0xFF || in_.byte() != 0xD8) {
            throw Malformed();
        }
        std::optional<unsigned> pending;
        while (true) {
            unsigned marker = 0;
            if (pending) {
                marker = *pending;
                pending.reset();
            } else {
                if (in_.byte() != 0xFF) {
                    throw Malformed();
                }
                marker = in_.byte();
                while (marker == 0xFF) {
                    marker = in_.byte();
                }
            }
            if (marker == 0xD9) {
                break;
            }
            const std::size_t start = in_.position();
            const unsigned length = in_.word();
            if (length < 2) {
                throw Malformed();
            }
            if (marker == 0xC0 || marker == 0xC1) {
                readFrame();
                if (headerOnly) {
                    return Pixels{width_, height_, {}};
                }
            } else if ((marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                        marker != 0xCC)) {
                throw Malformed();  // progressive, lossless or arithmetic coding
            } else if (marker == 0xC4) {
                readHuffman(start + length);
            } else if (marker == 0xDB) {
                readQuantisation(start + length);
            } else if (marker == 0xDD) {
                restartInterval_ = static_cast<int>(in_.word());
            } else if (marker == 0xDA) {
                readScanHeader();
                decodeScan();
                pending = in_.endScan();
                continue;
            }
            in_.skip(start + length - in_.position());
        }
        if (components_.empty() ||
            std::any_of(components_.begin(), components_.end(),
                        [](const Component& c) { return c.plane.empty(); })) {
            throw Malformed();
        }
        return toPixels();
    }

private:
    void readFrame() {
        if (in_.byte() != 8) {
            throw Malformed();
        }
        height_ = static_cast<int>(in_.word());
        width_ = static_cast<int>(in_.word());
        const unsigned count = in_.byte();
        if (width_ == 0 || height_ == 0 || static_cast<unsigned>(width_) > largestSide ||
            static_cast<unsigned>(height_) > largestSide || (count != 1 && count != 3) ||
            !components_.empty()) {
            throw Malformed();
        }
        for (unsigned i = 0; i < count; ++i) {
            Component component;
            component.id = static_cast<int>(in_.byte());
            const unsigned sampling = in_.byte();
            component.h = static_cast<int>(sampling >> 4);
            component.v = static_cast<int>(sampling & 15U);
            component.quant = static_cast<int>(in_.byte());
            if (component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4 ||
                component.quant > 3) {
                throw Malformed();
            }
            maxH_ = std::max(maxH_, component.h);
            maxV_ = std::max(maxV_, component.v);
            components_.push_back(std::move(component));
        }
        mcusWide_ = (width_ + 8 * maxH_ - 1) / (8 * maxH_);
        mcusHigh_ = (height_ + 8 * maxV_ - 1) / (8 * maxV_);
        for (Component& component : components_) {
            component.blocksWide = mcusWide_ * component.h;
            component.blocksHigh = mcusHigh_ * component.v;
        }
    }

    void readHuffman(std::size_t end) {
        while (in_.position() < end) {
            const unsigned kind = in_.byte();
            const unsigned slot = kind & 15U;
            if (slot > 3 || (kind >> 4) > 1) {
                throw Malformed();
            }
            Huffman table;
            std::array<int, 17> counts{};
            int total = 0;
            for (int length = 1; length <= 16; ++length) {
                counts[length] = static_cast<int>(in_.byte());
                total += counts[length];
            }
            for (int i = 0; i < total; ++i) {
                table.symbols.push_back(static_cast<std::uint8_t>(in_.byte()));
            }
            int code = 0;
            int symbol = 0;
            for (int length = 1; length <= 16; ++length) {
                table.firstSymbol[length] = symbol;
                table.minCode[length] = code;
                code += counts[length];
                symbol += counts[length];
                table.maxCode[length] = counts[length] > 0 ? code - 1 : -1;
                code <<= 1;
            }
            ((kind >> 4) == 0 ? dcTables_ : acTables_)[slot] = std::move(table);
        }
    }

    void readQuantisation(std::size_t end) {
        while (in_.position() < end) {
            const unsigned kind = in_.byte();
            const unsigned slot = kind & 15U;
            if (slot > 3) {
                throw Malformed();
            }
            for (int k = 0; k < 64; ++k) {
                quant_[slot][k] = static_cast<int>((kind >> 4) != 0 ? in_.word() : in_.byte());
            }
        }
    }

    void readScanHeader() {
        const unsigned count = in_.byte();
        scan_.clear();
        for (unsigned i = 0; i < count; ++i) {
            const int id = static_cast<int>(in_.byte());
            const unsigned tables = in_.byte();
            const auto found = std::find_if(components_.begin(), components_.end(),
                                            [id](const Component& c) { return c.id == id; });
            if (found == components_.end() || (tables >> 4) > 3 || (tables & 15U) > 3) {
                throw Malformed();
            }
            found->dcTable = static_cast<int>(tables >> 4);
            found->acTable = static_cast<int>(tables & 15U);
            scan_.push_back(&*found);
        }
        in_.skip(3);  // spectral selection and approximation: fixed in sequential mode
        if (scan_.empty()) {
            throw Malformed();
        }
    }

    void decodeScan() {
        for (Component* component : scan_) {
            component->predictor = 0;
            // Only now: reading the size alone must not cost the picture's memory.
            if (component->plane.empty()) {
                component->plane.assign(static_cast<std::size_t>(component->blocksWide) * 64 *
                                            static_cast<std::size_t>(component->blocksHigh),
                                        0);
            }
        }
        // One component alone is stored block by block over its own size; several are
        // interleaved in units of h x v blocks each.
        const bool single = scan_.size() == 1;
        const Component& only = *scan_.front();
        const int unitsWide = single ? ((width_ * only.h + maxH_ - 1) / maxH_ + 7) / 8 : mcusWide_;
        const int unitsHigh = single ? ((height_ * only.v + maxV_ - 1) / maxV_ + 7) / 8 : mcusHigh_;
        int sinceRestart = 0;
        for (int unitY = 0; unitY < unitsHigh; ++unitY) {
            for (int unitX = 0; unitX < unitsWide; ++unitX) {
                if (restartInterval_ > 0 && sinceRestart == restartInterval_) {
                    in_.restart();
                    for (Component* component : scan_) {
                        component->predictor = 0;
                    }
                    sinceRestart = 0;
                }
                ++sinceRestart;
                if (single) {
                    decodeBlock(*scan_.front(), unitX, unitY);
                    continue;
                }
                for (Component* component : scan_) {
                    for (int y = 0; y < component->v; ++y) {
                        for (int x = 0; x < component->h; ++x) {
                            decodeBlock(*component, unitX * component->h + x,
                                        unitY * component->v + y);
                        }
                    }
                }
            }
        }
    }

    void decodeBlock(Component& component, int blockX, int blockY) {
        const auto& q = quant_[component.quant];
        std::array<std::int64_t, 64> coefficients{};
        const int dcSize = decodeSymbol(in_, dcTables_[component.dcTable]);
        if (dcSize > 11) {
            throw Malformed();
        }
        component.predictor += extend(in_.bits(dcSize), dcSize);
        coefficients[0] = static_cast<std::int64_t>(component.predictor) * q[0];
        for (int k = 1; k < 64;) {
            const int symbol = decodeSymbol(in_, acTables_[component.acTable]);
            const int run = symbol >> 4;
            const int size = symbol & 15;
            if (size == 0) {
                if (run != 15) {
                    break;  // end of block
                }
                k += 16;
                continue;
            }
            k += run;
            if (k > 63) {
                throw Malformed();
            }
            coefficients[zigzag[k]] =
                static_cast<std::int64_t>(extend(in_.bits(size), size)) * q[k];
            ++k;
        }
        std::array<std::int64_t, 64> columns{};
        for (int x = 0; x < 8; ++x) {
            idct8(&coefficients[x], 8, &columns[x], 8, constBits - pass1Bits);
        }
        std::array<std::int64_t, 8> row{};
        const std::size_t stride = static_cast<std::size_t>(component.blocksWide) * 8;
        for (int y = 0; y < 8; ++y) {
            idct8(&columns[y * 8], 1, row.data(), 1, constBits + pass1Bits + 3);
            const std::size_t line = (static_cast<std::size_t>(blockY) * 8 + y) * stride +
                                     static_cast<std::size_t>(blockX) * 8;
            for (int x = 0; x < 8; ++x) {
                component.plane[line + x] = clampSample(row[x] + 128);
            }
        }
    }

    std::uint8_t sample(const Component& component, int x, int y) const {
        const std::size_t stride = static_cast<std::size_t>(component.blocksWide) * 8;
        return component.plane[static_cast<std::size_t>(y * component.v / maxV_) * stride +
                               static_cast<std::size_t>(x * component.h / maxH_)];
    }

    // YCbCr to RGB in 16-bit fixed point, rounded as the common library rounds.
    Pixels toPixels() const {
        constexpr int scaleBits = 16;
        constexpr std::int64_t half = std::int64_t{1} << (scaleBits - 1);
        const auto scaled = [](double value) {
            return static_cast<std::int64_t>(value * (1 << scaleBits) + 0.5);
        };
        Pixels pixels{width_, height_,
                      std::vector<std::uint32_t>(static_cast<std::size_t>(width_) *
                                                 static_cast<std::size_t>(height_))};
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const int luma = sample(components_[0], x, y);
                int r = luma;
                int g = luma;
                int b = luma;
                if (components_.size() == 3) {
                    const std::int64_t cb = sample(components_[1], x, y) - 128;
                    const std::int64_t cr = sample(components_[2], x, y) - 128;
                    r = luma + static_cast<int>((scaled(1.40200) * cr + half) >> scaleBits);
                    g = luma +
                        static_cast<int>((-scaled(0.34414) * cb + half + -scaled(0.71414) * cr) >>
                                         scaleBits);
                    b = luma + static_cast<int>((scaled(1.77200) * cb + half) >> scaleBits);
                }
                pixels.data[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)] =
                    0xFF000000U | static_cast<std::uint32_t>(clampSample(r)) << 16 |
                    static_cast<std::uint32_t>(clampSample(g)) << 8 | clampSample(b);
            }
        }
        return pixels;
    }

    Reader in_;
    int width_ = 0;
    int height_ = 0;
    int maxH_ = 1;
    int maxV_ = 1;
    int mcusWide_ = 0;
    int mcusHigh_ = 0;
    int restartInterval_ = 0;
    std::vector<Component> components_;
    std::vector<Component*> scan_;
    std::array<Huffman, 4> dcTables_{};
    std::array<Huffman, 4> acTables_{};
    std::array<std::array<int, 64>, 4> quant_{};
};

}  // namespace

Pixels jpegPixels(std::span<const std::uint8_t> bytes) {
    try {
        return Decoder(bytes).decode(false);
    } catch (const Malformed&) {
        return {};
    }
}

PixelSize jpegSize(std::span<const std::uint8_t> bytes) {
    try {
        const Pixels header = Decoder(bytes).decode(true);
        return {header.width, header.height};
    } catch (const Malformed&) {
        return {};
    }
}

}  // namespace dialvane
