// The program's own GIF and JPEG readers against independent ones (the tests' GIF reader and
// libjpeg), on the committed pictures and on files made here with what ours do not contain.
#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// jpeglib.h leaves it to the includer to have FILE and size_t declared first.
#include <jpeglib.h>

#include "framework/gif_pixels.h"
#include "framework/jpeg_pixels.h"
#include "tests/support/binary_file.h"
#include "tests/support/gif_decoder.h"
#include "tests/support/jpeg_decoder.h"

namespace dialvane {
namespace {

using testing::Bytes;

Bytes resource(const std::string& name) {
    return testing::readBinaryFile(std::filesystem::path(DIALVANE_RESOURCES_DIR) / name);
}

std::uint32_t opaque(int r, int g, int b) {
    return 0xFF000000U | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

TEST(GifPixels, CommittedPicturesMatchAnIndependentReader) {
    for (const char* name : {"hub.gif", "dot_ring.gif", "dot_filled.gif", "exit_cross.gif"}) {
        SCOPED_TRACE(name);
        const Bytes bytes = resource(name);
        const testing::GifPicture expected = testing::decodeGif(bytes);
        const Pixels pixels = gifPixels(bytes);
        ASSERT_EQ(pixels.width, static_cast<int>(expected.frameWidth));
        ASSERT_EQ(pixels.height, static_cast<int>(expected.frameHeight));
        int transparent = 0;
        for (unsigned y = 0; y < expected.frameHeight; ++y) {
            for (unsigned x = 0; x < expected.frameWidth; ++x) {
                const unsigned index = expected.indexAt(x, y);
                const auto c = expected.palette.at(index);
                const std::uint32_t wanted =
                    expected.transparencyFlag && index == expected.transparentIndex
                        ? 0U
                        : opaque(c.r, c.g, c.b);
                transparent += wanted == 0U;
                ASSERT_EQ(pixels.at(static_cast<int>(x), static_cast<int>(y)), wanted)
                    << x << "," << y;
            }
        }
        EXPECT_GT(transparent, 0) << "every one of these shows what lies beneath somewhere";
    }
}

// A GIF whose LZW codes stay 3 bits wide: a clear code before every two literals keeps the
// table from growing. Colours are indices 0..3.
struct GifShape {
    unsigned screenWidth = 0;
    unsigned screenHeight = 0;
    unsigned left = 0;
    unsigned top = 0;
    unsigned width = 0;
    unsigned height = 0;
    bool interlaced = false;
    std::vector<std::uint8_t> globalColours{};  // 4 x RGB, or none
    std::vector<std::uint8_t> localColours{};   // 4 x RGB, or none
    std::optional<std::uint8_t> transparent{};
    std::vector<std::uint8_t> stored{};  // indices in file order
};

Bytes gifFile(const GifShape& shape) {
    Bytes out{'G', 'I', 'F', '8', '9', 'a'};
    const auto word = [&out](unsigned value) {
        out.push_back(static_cast<std::uint8_t>(value & 0xFF));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    };
    word(shape.screenWidth);
    word(shape.screenHeight);
    out.push_back(shape.globalColours.empty() ? 0x00 : 0x81);
    out.push_back(0);
    out.push_back(0);
    out.insert(out.end(), shape.globalColours.begin(), shape.globalColours.end());
    if (shape.transparent) {
        out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, *shape.transparent, 0});
    }
    out.push_back(0x2C);
    word(shape.left);
    word(shape.top);
    word(shape.width);
    word(shape.height);
    out.push_back(static_cast<std::uint8_t>((shape.localColours.empty() ? 0 : 0x81) |
                                            (shape.interlaced ? 0x40 : 0)));
    out.insert(out.end(), shape.localColours.begin(), shape.localColours.end());
    out.push_back(2);
    std::vector<unsigned> codes;
    for (std::size_t i = 0; i < shape.stored.size(); ++i) {
        if (i % 2 == 0) {
            codes.push_back(4);
        }
        codes.push_back(shape.stored[i]);
    }
    codes.push_back(5);
    Bytes data((codes.size() * 3 + 7) / 8);
    for (std::size_t i = 0; i < codes.size() * 3; ++i) {
        if ((codes[i / 3] >> (i % 3) & 1U) != 0) {
            data[i / 8] = static_cast<std::uint8_t>(data[i / 8] | 1U << (i % 8));
        }
    }
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, data.size() - at);
        out.push_back(static_cast<std::uint8_t>(length));
        out.insert(out.end(), data.begin() + static_cast<long>(at),
                   data.begin() + static_cast<long>(at + length));
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

const std::vector<std::uint8_t> greys{0, 0, 0, 80, 80, 80, 160, 160, 160, 240, 240, 240};
const std::vector<std::uint8_t> reds{10, 0, 0, 90, 0, 0, 170, 0, 0, 250, 0, 0};

TEST(GifPixels, InterlacedRowsLandWhereTheyBelong) {
    // Nine rows of one pixel; row y has colour y % 4. Stored: rows 0 and 8, then 4, then 2
    // and 6, then the odd ones.
    GifShape shape{.screenWidth = 1,
                   .screenHeight = 9,
                   .width = 1,
                   .height = 9,
                   .interlaced = true,
                   .globalColours = greys};
    for (const unsigned y : {0U, 8U, 4U, 2U, 6U, 1U, 3U, 5U, 7U}) {
        shape.stored.push_back(static_cast<std::uint8_t>(y % 4));
    }
    const Pixels pixels = gifPixels(gifFile(shape));
    ASSERT_EQ(pixels.height, 9);
    for (int y = 0; y < 9; ++y) {
        const int grey = greys[static_cast<std::size_t>(y % 4) * 3];
        EXPECT_EQ(pixels.at(0, y), opaque(grey, grey, grey)) << "row " << y;
    }
}

TEST(GifPixels, FrameOnALargerScreenWithItsOwnColoursAndATransparentOne) {
    const GifShape shape{.screenWidth = 5,
                         .screenHeight = 4,
                         .left = 2,
                         .top = 1,
                         .width = 2,
                         .height = 2,
                         .globalColours = greys,
                         .localColours = reds,
                         .transparent = 3,
                         .stored = {1, 2, 3, 0}};
    const Pixels pixels = gifPixels(gifFile(shape));
    ASSERT_EQ(pixels.width, 5);
    ASSERT_EQ(pixels.height, 4);
    EXPECT_EQ(pixels.at(2, 1), opaque(90, 0, 0)) << "the image's own colours win";
    EXPECT_EQ(pixels.at(3, 1), opaque(170, 0, 0));
    EXPECT_EQ(pixels.at(2, 2), 0U) << "transparent index";
    EXPECT_EQ(pixels.at(3, 2), opaque(10, 0, 0));
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 1}, {4, 1}, {2, 3}, {4, 3}}) {
        EXPECT_EQ(pixels.at(x, y), 0U) << "uncovered " << x << "," << y;
    }
}

// A JPEG made here with libjpeg: grey or colour, chroma sampling, restart interval.
struct JpegShape {
    int width = 0;
    int height = 0;
    bool grey = false;
    int chromaStep = 1;  // 2: half the chroma resolution both ways
    int restartRows = 0;
    bool progressive = false;
    bool stripes = true;  // hard edges, so every block has AC terms
};

void failJpeg(j_common_ptr info) {
    (*info->err->output_message)(info);
    std::abort();
}

Bytes jpegFile(const JpegShape& shape) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = failJpeg;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(shape.width);
    info.image_height = static_cast<JDIMENSION>(shape.height);
    info.input_components = shape.grey ? 1 : 3;
    info.in_color_space = shape.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (!shape.grey) {
        info.comp_info[0].h_samp_factor = shape.chromaStep;
        info.comp_info[0].v_samp_factor = shape.chromaStep;
        for (int c = 1; c < 3; ++c) {
            info.comp_info[c].h_samp_factor = 1;
            info.comp_info[c].v_samp_factor = 1;
        }
    }
    info.restart_in_rows = shape.restartRows;
    if (shape.progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(shape.width) * (shape.grey ? 1 : 3));
    for (int y = 0; y < shape.height; ++y) {
        for (int x = 0; x < shape.width; ++x) {
            const int r = (x * 255) / shape.width;
            const int g = (y * 255) / shape.height;
            const int b = shape.stripes ? ((x / 5 + y / 7) % 2) * 200
                                        : ((x + y) * 255) / (shape.width + shape.height);
            if (shape.grey) {
                row[static_cast<std::size_t>(x)] = static_cast<JSAMPLE>((r + g + b) / 3);
            } else {
                row[static_cast<std::size_t>(x) * 3] = static_cast<JSAMPLE>(r);
                row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<JSAMPLE>(g);
                row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<JSAMPLE>(b);
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

// The largest difference of any channel between our pixels and libjpeg's.
int largestDifference(const Bytes& bytes) {
    const Pixels ours = jpegPixels(bytes);
    const testing::JpegPicture theirs = testing::decodeJpeg(bytes);
    EXPECT_EQ(ours.width, theirs.width);
    EXPECT_EQ(ours.height, theirs.height);
    if (ours.width != theirs.width || ours.height != theirs.height || ours.width == 0) {
        return 256;
    }
    int largest = 0;
    for (int y = 0; y < ours.height; ++y) {
        for (int x = 0; x < ours.width; ++x) {
            const std::uint32_t pixel = ours.at(x, y);
            EXPECT_EQ(pixel >> 24, 255U);
            const testing::JpegPixel p = theirs.at(x, y);
            largest = std::max({largest, std::abs(static_cast<int>(pixel >> 16 & 0xFF) - p.r),
                                std::abs(static_cast<int>(pixel >> 8 & 0xFF) - p.g),
                                std::abs(static_cast<int>(pixel & 0xFF) - p.b)});
        }
    }
    return largest;
}

TEST(JpegPixels, CommittedPicturesComeOutAsLibjpegDecodesThem) {
    for (const char* name : {"dial_face.jpg", "options_background.jpg"}) {
        EXPECT_EQ(largestDifference(resource(name)), 0) << name;
    }
}

TEST(JpegPixels, GreyAndRestartIntervalsAsLibjpeg) {
    const struct {
        JpegShape shape;
        const char* what;
    } cases[] = {
        {{.width = 37, .height = 21, .grey = true}, "grey, partial blocks"},
        {{.width = 37, .height = 21, .grey = true, .restartRows = 1}, "grey, restarts"},
        {{.width = 45, .height = 19, .restartRows = 1}, "colour, restarts"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(largestDifference(jpegFile(c.shape)), 0) << c.what;
    }
}

TEST(JpegPixels, SubsampledColourIsRepeatedNotSmoothed) {
    // libjpeg interpolates the half-resolution chroma; repeating it stays within a few levels
    // on smooth colour, where a misplaced block would be far off.
    for (const int restartRows : {0, 1}) {
        EXPECT_LE(largestDifference(jpegFile({.width = 53,
                                              .height = 35,
                                              .chromaStep = 2,
                                              .restartRows = restartRows,
                                              .stripes = false})),
                  8)
            << "restart every " << restartRows << " rows";
    }
}

TEST(MalformedPictures, AreEmptyNotACrash) {
    const Bytes gif = resource("exit_cross.gif");
    const Bytes jpeg = resource("dial_face.jpg");
    for (std::size_t length : {std::size_t{0}, std::size_t{3}, std::size_t{13}, std::size_t{40},
                               gif.size() / 2, gif.size() - 2}) {
        EXPECT_EQ(gifPixels(std::span(gif).first(length)).width, 0) << "GIF cut at " << length;
    }
    for (std::size_t length : {std::size_t{0}, std::size_t{2}, std::size_t{30}, std::size_t{200},
                               jpeg.size() / 2, jpeg.size() - 2}) {
        EXPECT_EQ(jpegPixels(std::span(jpeg).first(length)).width, 0) << "JPEG cut at " << length;
    }
    EXPECT_EQ(jpegPixels(jpegFile({.width = 16, .height = 16, .progressive = true})).width, 0)
        << "progressive";
    EXPECT_EQ(gifPixels(jpeg).width, 0);
    EXPECT_EQ(jpegPixels(gif).width, 0);
}

}  // namespace
}  // namespace dialvane
