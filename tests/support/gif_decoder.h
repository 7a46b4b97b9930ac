#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/binary_file.h"

namespace dialvane::testing {

struct GifColour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// The first image of a GIF with its global colour table, read independently of the code that
// wrote it.
struct GifPicture {
    std::string signature;
    unsigned screenWidth = 0;
    unsigned screenHeight = 0;
    std::vector<GifColour> palette;
    bool hasControlExtension = false;
    bool transparencyFlag = false;
    unsigned transparentIndex = 0;
    unsigned frameLeft = 0;
    unsigned frameTop = 0;
    unsigned frameWidth = 0;
    unsigned frameHeight = 0;
    bool interlaced = false;
    std::vector<std::uint8_t> indices;  // frameWidth × frameHeight, row by row

    std::uint8_t indexAt(unsigned x, unsigned y) const { return indices.at(y * frameWidth + x); }
};

// Throws std::runtime_error (or std::out_of_range for a truncated file) on anything malformed.
GifPicture decodeGif(const Bytes& bytes);

}  // namespace dialvane::testing
