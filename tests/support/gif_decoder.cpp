#include "tests/support/gif_decoder.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace dialvane::testing {
namespace {

constexpr unsigned maxCodes = 4096;
constexpr unsigned noCode = maxCodes;

Bytes joinSubBlocks(const Bytes& bytes, std::size_t& at) {
    Bytes data;
    for (unsigned length = bytes.at(at++); length != 0; length = bytes.at(at++)) {
        for (unsigned i = 0; i < length; ++i) {
            data.push_back(bytes.at(at++));
        }
    }
    return data;
}

class BitReader {
public:
    explicit BitReader(const Bytes& data) : data_(data) {}

    unsigned read(unsigned size) {
        unsigned code = 0;
        for (unsigned i = 0; i < size; ++i, ++position_) {
            if (position_ / 8 >= data_.size()) {
                throw std::runtime_error("LZW data ends before its end code");
            }
            const unsigned bit = (data_[position_ / 8] >> (position_ % 8)) & 1U;
            code |= bit << i;
        }
        return code;
    }

private:
    const Bytes& data_;
    std::size_t position_ = 0;
};

std::vector<std::uint8_t> lzwDecode(const Bytes& data, unsigned minimumCodeSize,
                                    std::size_t expected) {
    if (minimumCodeSize < 2 || minimumCodeSize > 8) {
        throw std::runtime_error("bad LZW minimum code size");
    }
    const unsigned clear = 1U << minimumCodeSize;
    const unsigned end = clear + 1;
    std::vector<std::vector<std::uint8_t>> table;
    unsigned codeSize = 0;
    const auto reset = [&] {
        table.assign(clear + 2, {});
        for (unsigned i = 0; i < clear; ++i) {
            table[i] = {static_cast<std::uint8_t>(i)};
        }
        codeSize = minimumCodeSize + 1;
    };
    reset();
    BitReader bits(data);
    std::vector<std::uint8_t> out;
    unsigned previous = noCode;
    while (true) {
        const unsigned code = bits.read(codeSize);
        if (code == clear) {
            reset();
            previous = noCode;
            continue;
        }
        if (code == end) {
            break;
        }
        std::vector<std::uint8_t> entry;
        if (code < table.size() && (code < clear || code > end)) {
            entry = table[code];
        } else if (code == table.size() && previous != noCode) {
            entry = table[previous];
            entry.push_back(entry.front());
        } else {
            throw std::runtime_error("LZW code outside the table");
        }
        if (previous != noCode && table.size() < maxCodes) {
            auto grown = table[previous];
            grown.push_back(entry.front());
            table.push_back(std::move(grown));
            if (table.size() == (1U << codeSize) && codeSize < 12) {
                ++codeSize;
            }
        }
        out.insert(out.end(), entry.begin(), entry.end());
        previous = code;
    }
    if (out.size() != expected) {
        throw std::runtime_error("LZW data holds " + std::to_string(out.size()) +
                                 " pixels, the frame " + std::to_string(expected));
    }
    return out;
}

}  // namespace

GifPicture decodeGif(const Bytes& bytes) {
    GifPicture gif;
    gif.signature.assign(bytes.begin(), bytes.begin() + std::min<std::size_t>(6, bytes.size()));
    gif.screenWidth = read16(bytes, 6);
    gif.screenHeight = read16(bytes, 8);
    const unsigned packed = bytes.at(10);
    std::size_t at = 13;
    if ((packed & 0x80U) != 0) {
        const std::size_t colours = std::size_t{2} << (packed & 0x07U);
        for (std::size_t i = 0; i < colours; ++i, at += 3) {
            gif.palette.push_back({bytes.at(at), bytes.at(at + 1), bytes.at(at + 2)});
        }
    }
    while (true) {
        const unsigned introducer = bytes.at(at++);
        if (introducer == 0x21) {
            const unsigned label = bytes.at(at++);
            if (label == 0xF9 && !gif.hasControlExtension) {
                gif.hasControlExtension = true;
                gif.transparencyFlag = (bytes.at(at + 1) & 0x01U) != 0;
                gif.transparentIndex = bytes.at(at + 4);
            }
            joinSubBlocks(bytes, at);
        } else if (introducer == 0x2C) {
            gif.frameLeft = read16(bytes, at);
            gif.frameTop = read16(bytes, at + 2);
            gif.frameWidth = read16(bytes, at + 4);
            gif.frameHeight = read16(bytes, at + 6);
            const unsigned imagePacked = bytes.at(at + 8);
            if ((imagePacked & 0x80U) != 0) {
                throw std::runtime_error("local colour tables are not read here");
            }
            gif.interlaced = (imagePacked & 0x40U) != 0;
            at += 9;
            const unsigned minimumCodeSize = bytes.at(at++);
            const Bytes data = joinSubBlocks(bytes, at);
            gif.indices =
                lzwDecode(data, minimumCodeSize, std::size_t{gif.frameWidth} * gif.frameHeight);
            return gif;
        } else {
            throw std::runtime_error("no image before the trailer");
        }
    }
}

}  // namespace dialvane::testing
