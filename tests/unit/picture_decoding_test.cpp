// The committed pictures as the program decodes them, and files no picture of ours would be.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/picture_decoding.h"
#include "tests/support/binary_file.h"

namespace dialvane {
namespace {

using testing::Bytes;

Bytes resource(const std::string& name) {
    return testing::readBinaryFile(std::filesystem::path(DIALVANE_RESOURCES_DIR) / name);
}

constexpr std::uint32_t transparent = 0;

constexpr std::uint32_t opaque(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000U | r << 16 | g << 8 | b;
}

// Each channel within the tolerance: a JPEG decoder may round a level or two apart.
bool near(std::uint32_t pixel, std::uint32_t wanted, int tolerance) {
    for (const int shift : {0, 8, 16, 24}) {
        const int difference =
            static_cast<int>(pixel >> shift & 0xFF) - static_cast<int>(wanted >> shift & 0xFF);
        if (std::abs(difference) > tolerance) {
            return false;
        }
    }
    return true;
}

struct Spot {
    int x;
    int y;
    std::uint32_t pixel;
};

TEST(PictureDecoding, EachPictureAtItsSizeWithItsCornersAndColours) {
    const struct {
        const char* file;
        PixelSize size;
        std::uint32_t corners;
        int tolerance;
        std::vector<Spot> spots;
    } cases[] = {
        {"exit_cross.gif",
         {40, 41},
         transparent,
         0,
         {{20, 20, opaque(218, 18, 18)}, {11, 30, opaque(218, 18, 18)}, {20, 6, transparent}}},
        {"dot_ring.gif", {14, 14}, transparent, 0, {{7, 7, transparent}}},
        {"dot_filled.gif", {14, 14}, transparent, 0, {{7, 7, opaque(200, 200, 200)}}},
        {"hub.gif", {16, 16}, transparent, 0, {}},
        {"dial_face.jpg", {148, 149}, opaque(192, 192, 192), 2, {{74, 74, opaque(128, 14, 14)}}},
        {"options_background.jpg", {618, 554}, opaque(0, 0, 0), 2, {{309, 277, opaque(0, 0, 0)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes file = resource(c.file);
        EXPECT_EQ(pictureSize(file), c.size);
        const Pixels pixels = decodePicture(file);
        ASSERT_EQ((PixelSize{pixels.width, pixels.height}), c.size);
        ASSERT_EQ(pixels.data.size(), static_cast<std::size_t>(c.size.width * c.size.height));
        std::vector<Spot> spots = c.spots;
        const int right = c.size.width - 1;
        const int bottom = c.size.height - 1;
        spots.insert(spots.end(), {{0, 0, c.corners},
                                   {right, 0, c.corners},
                                   {0, bottom, c.corners},
                                   {right, bottom, c.corners}});
        for (const Spot& spot : spots) {
            EXPECT_PRED3(near, pixels.at(spot.x, spot.y), spot.pixel, c.tolerance)
                << "at " << spot.x << "," << spot.y;
        }
    }
}

// The little-endian or big-endian 16 bits at an offset.
void patch16(Bytes& bytes, std::size_t at, unsigned value, bool bigEndian) {
    bytes.at(at + (bigEndian ? 1 : 0)) = static_cast<std::uint8_t>(value & 0xFF);
    bytes.at(at + (bigEndian ? 0 : 1)) = static_cast<std::uint8_t>(value >> 8);
}

TEST(PictureDecoding, HostileFilesGiveNothingOrAWholePicture) {
    // A side just past the limit: decoding would be memory spent on no picture of ours.
    Bytes wideGif = resource("exit_cross.gif");
    patch16(wideGif, 6, 2049, false);  // logical screen width
    Bytes tallJpeg = resource("dial_face.jpg");
    constexpr std::uint8_t startOfFrame[] = {0xFF, 0xC0};
    const auto frame = std::search(tallJpeg.begin(), tallJpeg.end(), std::begin(startOfFrame),
                                   std::end(startOfFrame));
    ASSERT_NE(frame, tallJpeg.end());
    patch16(tallJpeg, static_cast<std::size_t>(frame - tallJpeg.begin()) + 5, 2049, true);
    for (const Bytes& file : {wideGif, tallJpeg, resource("dialvane.ico"), Bytes{}}) {
        EXPECT_EQ(pictureSize(file), PixelSize{});
        const Pixels pixels = decodePicture(file);
        EXPECT_EQ(pixels.width, 0);
        EXPECT_EQ(pixels.height, 0);
        EXPECT_TRUE(pixels.data.empty());
    }
    // A file cut short anywhere decodes to nothing or to a whole picture of its size.
    for (const char* name : {"exit_cross.gif", "hub.gif", "dial_face.jpg"}) {
        const Bytes whole = resource(name);
        const PixelSize size = pictureSize(whole);
        const std::size_t step = std::max<std::size_t>(1, whole.size() / 300);
        for (std::size_t length = 0; length < whole.size(); length += step) {
            const Pixels pixels = decodePicture(std::span(whole).first(length));
            const bool nothing = pixels.width == 0 && pixels.height == 0 && pixels.data.empty();
            const bool all = PixelSize{pixels.width, pixels.height} == size &&
                             pixels.data.size() == static_cast<std::size_t>(size.width) *
                                                       static_cast<std::size_t>(size.height);
            EXPECT_TRUE(nothing || all) << name << " cut at " << length;
        }
    }
}

}  // namespace
}  // namespace dialvane
