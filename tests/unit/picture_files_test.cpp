// Reads the committed picture files byte by byte, the way Windows and the decoders will.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/binary_file.h"
#include "tests/support/gif_decoder.h"
#include "tests/support/jpeg_decoder.h"

namespace dialvane {
namespace {

using testing::Bytes;
using testing::read16;
using testing::read32;

Bytes pictureBytes(const std::string& name) {
    const Bytes bytes =
        testing::readBinaryFile(std::filesystem::path(DIALVANE_RESOURCES_DIR) / name);
    EXPECT_FALSE(bytes.empty()) << name << " is missing";
    return bytes;
}

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;
};

std::ostream& operator<<(std::ostream& out, Colour c) {
    return out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

enum class Looks {
    Transparent,
    Red,
    DarkRed,
    Salmon,
    LightGrey,
    PaleGreen,
    PaleRed,
    LightFace,
};

std::ostream& operator<<(std::ostream& out, Looks looks) {
    constexpr const char* names[] = {"transparent", "red",        "dark red", "salmon",
                                     "light grey",  "pale green", "pale red", "light face"};
    return out << names[static_cast<int>(looks)];
}

int spread(Colour c) {
    return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
}

bool looksLike(Colour c, Looks looks) {
    switch (looks) {
        case Looks::Transparent:
            return false;
        case Looks::Red:
            return c.r >= 170 && c.g <= 70 && c.b <= 70;
        case Looks::DarkRed:
            return c.r >= 80 && c.r <= 170 && c.g <= 50 && c.b <= 50;
        case Looks::Salmon:
            return c.r >= 200 && c.g >= 80 && c.g <= 190 && c.b >= 60 && c.b <= 180 &&
                   c.r - c.g >= 50;
        case Looks::LightGrey:
            return std::min({c.r, c.g, c.b}) >= 150 && std::max({c.r, c.g, c.b}) <= 225 &&
                   spread(c) <= 12;
        case Looks::PaleGreen:
            return c.g >= c.r + 25 && c.g >= c.b + 25 && c.r >= 100;
        case Looks::PaleRed:
            return c.r >= c.g + 40 && c.r >= c.b + 40 && c.g >= 100;
        case Looks::LightFace:
            return std::min({c.r, c.g, c.b}) >= 210 && spread(c) <= 15;
    }
    return false;
}

// A point given as on a clock face, in the picture's own pixels: degrees clockwise from up,
// radius as a fraction of the half-width and half-height, which the window stretches to a circle.
struct DialPoint {
    double degrees = 0;
    double radius = 0;
};

std::pair<int, int> pixelOf(DialPoint p, int width, int height) {
    const double radians = p.degrees * std::numbers::pi / 180;
    const double u = p.radius * std::sin(radians);
    const double v = -p.radius * std::cos(radians);
    return {static_cast<int>(std::floor((u + 1) * width / 2)),
            static_cast<int>(std::floor((v + 1) * height / 2))};
}

// --- GIF ---

std::optional<testing::GifPicture> loadGif(const std::string& name) {
    try {
        return testing::decodeGif(pictureBytes(name));
    } catch (const std::exception& error) {
        ADD_FAILURE() << name << ": " << error.what();
        return std::nullopt;
    }
}

TEST(GifPictures, Gif89aOfTheirSizeWithATransparentColourInUse) {
    const struct {
        const char* file;
        unsigned width;
        unsigned height;
    } cases[] = {{"exit_cross.gif", 40, 41},
                 {"dot_ring.gif", 14, 14},
                 {"dot_filled.gif", 14, 14},
                 {"hub.gif", 16, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto gif = loadGif(c.file);
        if (!gif) {
            continue;
        }
        EXPECT_EQ(gif->signature, "GIF89a");
        EXPECT_EQ(gif->screenWidth, c.width);
        EXPECT_EQ(gif->screenHeight, c.height);
        EXPECT_TRUE(gif->hasControlExtension);
        EXPECT_TRUE(gif->transparencyFlag);
        EXPECT_LT(gif->transparentIndex, gif->palette.size());
        EXPECT_EQ(gif->frameLeft, 0U);
        EXPECT_EQ(gif->frameTop, 0U);
        EXPECT_EQ(gif->frameWidth, c.width);
        EXPECT_EQ(gif->frameHeight, c.height);
        // The pixel checks read rows in stored order.
        EXPECT_FALSE(gif->interlaced);
        const auto transparent =
            std::count(gif->indices.begin(), gif->indices.end(), gif->transparentIndex);
        EXPECT_GT(transparent, 0) << "transparent colour never used";
        EXPECT_LT(static_cast<std::size_t>(transparent), gif->indices.size()) << "nothing drawn";
        EXPECT_TRUE(std::all_of(gif->indices.begin(), gif->indices.end(),
                                [&](std::uint8_t i) { return i < gif->palette.size(); }));
    }
}

TEST(GifPictures, ShapesWhereTheyBelong) {
    const struct {
        const char* file;
        unsigned x;
        unsigned y;
        Looks looks;
    } cases[] = {
        {"exit_cross.gif", 20, 20, Looks::Red},  // where the strokes cross
        {"exit_cross.gif", 11, 11, Looks::Red},
        {"exit_cross.gif", 29, 11, Looks::Red},
        {"exit_cross.gif", 11, 30, Looks::Red},
        {"exit_cross.gif", 29, 30, Looks::Red},
        {"exit_cross.gif", 0, 0, Looks::Transparent},
        {"exit_cross.gif", 39, 40, Looks::Transparent},
        {"exit_cross.gif", 20, 6, Looks::Transparent},  // between the upper arms
        {"exit_cross.gif", 6, 20, Looks::Transparent},  // between the left arms
        {"dot_ring.gif", 7, 7, Looks::Transparent},     // the hole
        {"dot_ring.gif", 7, 2, Looks::LightGrey},
        {"dot_ring.gif", 2, 7, Looks::LightGrey},
        {"dot_ring.gif", 11, 10, Looks::LightGrey},
        {"dot_ring.gif", 0, 0, Looks::Transparent},
        {"dot_filled.gif", 7, 7, Looks::LightGrey},
        {"dot_filled.gif", 5, 9, Looks::LightGrey},
        {"dot_filled.gif", 0, 0, Looks::Transparent},
        {"dot_filled.gif", 13, 13, Looks::Transparent},
        {"hub.gif", 8, 8, Looks::Salmon},
        {"hub.gif", 10, 11, Looks::Salmon},
        {"hub.gif", 5, 5, Looks::Salmon},
        {"hub.gif", 0, 0, Looks::Transparent},
        {"hub.gif", 15, 0, Looks::Transparent},
        {"hub.gif", 0, 15, Looks::Transparent},
        {"hub.gif", 15, 15, Looks::Transparent},
    };
    for (const auto& c : cases) {
        const auto gif = loadGif(c.file);
        if (!gif || c.x >= gif->frameWidth || c.y >= gif->frameHeight) {
            ADD_FAILURE() << c.file << " has no pixel (" << c.x << ", " << c.y << ")";
            continue;
        }
        const unsigned index = gif->indexAt(c.x, c.y);
        const bool transparent = gif->transparencyFlag && index == gif->transparentIndex;
        const testing::GifColour stored = gif->palette.at(index);
        const Colour colour{stored.r, stored.g, stored.b};
        if (c.looks == Looks::Transparent) {
            EXPECT_TRUE(transparent) << c.file << " (" << c.x << ", " << c.y << ") is " << colour;
        } else {
            EXPECT_FALSE(transparent) << c.file << " (" << c.x << ", " << c.y << ")";
            EXPECT_TRUE(looksLike(colour, c.looks))
                << c.file << " (" << c.x << ", " << c.y << ") is " << colour << ", not " << c.looks;
        }
    }
}

// --- JPEG ---

struct JpegFrame {
    bool startsWithSoi = false;
    bool endsWithEoi = false;
    std::vector<unsigned> frameMarkers;  // every SOFn before the scan
    unsigned precision = 0;
    unsigned height = 0;
    unsigned width = 0;
    unsigned components = 0;
};

unsigned bigEndian16(const Bytes& bytes, std::size_t at) {
    return (static_cast<unsigned>(bytes.at(at)) << 8U) | bytes.at(at + 1);
}

bool isFrameMarker(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

JpegFrame readJpegFrame(const Bytes& bytes) {
    JpegFrame frame;
    frame.startsWithSoi = bytes.size() >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8;
    frame.endsWithEoi =
        bytes.size() >= 4 && bytes[bytes.size() - 2] == 0xFF && bytes[bytes.size() - 1] == 0xD9;
    std::size_t at = 2;
    while (frame.startsWithSoi && at + 4 <= bytes.size() && bytes[at] == 0xFF) {
        const unsigned marker = bytes[at + 1];
        if (marker == 0xDA) {
            break;
        }
        if (isFrameMarker(marker)) {
            frame.frameMarkers.push_back(marker);
            frame.precision = bytes.at(at + 4);
            frame.height = bigEndian16(bytes, at + 5);
            frame.width = bigEndian16(bytes, at + 7);
            frame.components = bytes.at(at + 9);
        }
        at += 2 + bigEndian16(bytes, at + 2);
    }
    return frame;
}

TEST(JpegPictures, BaselineColourOfTheirSize) {
    const struct {
        const char* file;
        unsigned width;
        unsigned height;
    } cases[] = {{"dial_face.jpg", 148, 149}, {"options_background.jpg", 618, 554}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Bytes bytes = pictureBytes(c.file);
        const JpegFrame frame = readJpegFrame(bytes);
        EXPECT_TRUE(frame.startsWithSoi);
        EXPECT_TRUE(frame.endsWithEoi);
        // SOF0 alone: a progressive SOF2 (or any other kind) is not what was asked for.
        EXPECT_EQ(frame.frameMarkers, std::vector<unsigned>{0xC0});
        EXPECT_EQ(frame.precision, 8U);
        EXPECT_EQ(frame.components, 3U);
        EXPECT_EQ(frame.width, c.width);
        EXPECT_EQ(frame.height, c.height);
        const testing::JpegPicture decoded = testing::decodeJpeg(bytes);
        EXPECT_EQ(decoded.width, static_cast<int>(c.width)) << "libjpeg cannot decode it";
        EXPECT_EQ(decoded.height, static_cast<int>(c.height));
    }
}

TEST(JpegPictures, OptionsBackgroundIsPlainBlack) {
    const testing::JpegPicture picture =
        testing::decodeJpeg(pictureBytes("options_background.jpg"));
    ASSERT_GT(picture.width, 0);
    int brightest = 0;
    for (const std::uint8_t channel : picture.rgb) {
        brightest = std::max<int>(brightest, channel);
    }
    EXPECT_LE(brightest, 6);
}

class DialFace : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(face.width, 148) << "dial_face.jpg does not decode"; }

    Colour at(DialPoint p) const {
        const auto [x, y] = pixelOf(p, face.width, face.height);
        const testing::JpegPixel pixel = face.at(x, y);
        return {pixel.r, pixel.g, pixel.b};
    }

    const testing::JpegPicture face = testing::decodeJpeg(pictureBytes("dial_face.jpg"));
};

TEST_F(DialFace, DarkRedAtTheCentre) {
    for (const DialPoint p : {DialPoint{0, 0}, DialPoint{0, 0.07}, DialPoint{90, 0.07},
                              DialPoint{180, 0.07}, DialPoint{-90, 0.07}}) {
        EXPECT_TRUE(looksLike(at(p), Looks::DarkRed))
            << p.degrees << "° r " << p.radius << " is " << at(p);
    }
}

// The needle points at (v' - 41.66) × 3.6 degrees, v' being the reading squeezed above 60 %:
// 0 % at -150°, 25 % at -60°, 85 % at +120°, 100 % at +152.4°.
TEST_F(DialFace, SectorsLieUnderTheLowAndHighReadings) {
    const struct {
        double degrees;
        Looks looks;
    } cases[] = {
        {-146, Looks::PaleGreen}, {-120, Looks::PaleGreen}, {-90, Looks::PaleGreen},
        {-64, Looks::PaleGreen},  {-54, Looks::LightFace},  {-30, Looks::LightFace},
        {0, Looks::LightFace},    {66, Looks::LightFace},   {114, Looks::LightFace},
        {125, Looks::PaleRed},    {140, Looks::PaleRed},    {149, Looks::PaleRed},
        {158, Looks::LightFace},  {180, Looks::LightFace},  {-158, Looks::LightFace},
    };
    for (const auto& c : cases) {
        const Colour colour = at({c.degrees, 0.64});
        EXPECT_TRUE(looksLike(colour, c.looks))
            << c.degrees << "° is " << colour << ", not " << c.looks;
    }
}

// "47 %" sits just above the centre, the mode label and dot below it.
TEST_F(DialFace, CalmAndLightWhereTheLabelsSit) {
    const DialPoint labels[] = {{0, 0.25},   {-45, 0.35}, {45, 0.35}, {180, 0.35}, {160, 0.4},
                                {-160, 0.4}, {180, 0.57}, {170, 0.5}, {-170, 0.5}, {0, 0.45}};
    for (const DialPoint p : labels) {
        EXPECT_TRUE(looksLike(at(p), Looks::LightFace))
            << p.degrees << "° r " << p.radius << " is " << at(p);
    }
}

TEST_F(DialFace, SixtyTicksEverySixDegrees) {
    // Walk the circle through the ticks, starting between two of them, and note where each
    // dark run is centred.
    constexpr int steps = 3600;
    constexpr double startDegrees = -3;
    std::vector<double> centres;
    std::optional<int> runStart;
    for (int i = 0; i <= steps; ++i) {
        const double degrees = startDegrees + 360.0 * i / steps;
        const Colour c = at({degrees, 0.83});
        const bool dark = i < steps && (c.r + c.g + c.b) / 3 < 165;
        if (dark && !runStart) {
            runStart = i;
        } else if (!dark && runStart) {
            centres.push_back(startDegrees + 360.0 * (*runStart + i - 1) / 2 / steps);
            runStart.reset();
        }
    }
    ASSERT_EQ(centres.size(), 60U);
    for (std::size_t i = 0; i < centres.size(); ++i) {
        EXPECT_NEAR(centres[i], 6.0 * static_cast<double>(i), 1.5) << "tick " << i;
    }
}

TEST_F(DialFace, MetalRimLitFromTheUpperLeftAndFormGreyOutside) {
    const auto brightness = [](Colour c) { return (c.r + c.g + c.b) / 3; };
    for (double degrees = -180; degrees < 180; degrees += 15) {
        EXPECT_LE(spread(at({degrees, 0.95})), 20) << degrees << "° is " << at({degrees, 0.95});
    }
    EXPECT_GT(brightness(at({-45, 0.96})), brightness(at({135, 0.96})) + 60);
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{147, 0}, std::pair{0, 148}, std::pair{147, 148}}) {
        const testing::JpegPixel corner = face.at(x, y);
        EXPECT_NEAR(corner.r, 192, 8);
        EXPECT_NEAR(corner.g, 192, 8);
        EXPECT_NEAR(corner.b, 192, 8);
    }
}

// --- Icon and cursor ---

// Bitmap rows are padded to whole 32-bit words.
constexpr std::size_t rowBytes(std::size_t width, std::size_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

constexpr std::size_t directoryBytes = 6 + 16;
constexpr std::size_t infoHeaderBytes = 40;

// One bottom-up 1-bit plane of a monochrome bitmap, as icons and cursors store their masks.
bool bitAt(const Bytes& bytes, std::size_t planeStart, std::size_t width, std::size_t height,
           std::size_t x, std::size_t y) {
    const std::size_t row = planeStart + (height - 1 - y) * rowBytes(width, 1);
    return (bytes.at(row + x / 8) & (0x80U >> (x % 8))) != 0;
}

class Icon : public ::testing::Test {
protected:
    static constexpr std::size_t size = 71;
    static constexpr std::size_t pixelsStart = directoryBytes + infoHeaderBytes;
    static constexpr std::size_t maskStart = pixelsStart + rowBytes(size, 24) * size;

    void SetUp() override {
        ASSERT_EQ(bytes.size(), directoryBytes + infoHeaderBytes +
                                    (rowBytes(size, 24) + rowBytes(size, 1)) * size);
    }

    Colour colourAt(std::size_t x, std::size_t y) const {
        const std::size_t at = pixelsStart + (size - 1 - y) * rowBytes(size, 24) + x * 3;
        return {bytes.at(at + 2), bytes.at(at + 1), bytes.at(at)};
    }
    bool transparentAt(std::size_t x, std::size_t y) const {
        return bitAt(bytes, maskStart, size, size, x, y);
    }

    const Bytes bytes = pictureBytes("dialvane.ico");
};

TEST_F(Icon, OneTwentyFourBitImageWithAMask) {
    EXPECT_EQ(read16(bytes, 0), 0U);
    EXPECT_EQ(read16(bytes, 2), 1U);  // icon
    EXPECT_EQ(read16(bytes, 4), 1U);  // one image
    EXPECT_EQ(bytes.at(6), size);
    EXPECT_EQ(bytes.at(7), size);
    EXPECT_EQ(bytes.at(8), 0);  // no palette
    EXPECT_EQ(bytes.at(9), 0);
    EXPECT_EQ(read16(bytes, 10), 1U);   // planes
    EXPECT_EQ(read16(bytes, 12), 24U);  // bits per pixel
    EXPECT_EQ(read32(bytes, 14), bytes.size() - directoryBytes);
    EXPECT_EQ(read32(bytes, 18), directoryBytes);

    EXPECT_EQ(read32(bytes, 22), infoHeaderBytes);
    EXPECT_EQ(read32(bytes, 26), size);
    EXPECT_EQ(read32(bytes, 30), 2 * size);  // colour image and mask stacked
    EXPECT_EQ(read16(bytes, 34), 1U);
    EXPECT_EQ(read16(bytes, 36), 24U);
    EXPECT_EQ(read32(bytes, 38), 0U);  // BI_RGB
}

TEST_F(Icon, RoundWithTheScreenShowingAroundIt) {
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{70, 0}, std::pair{0, 70},
                               std::pair{70, 70}, std::pair{8, 8}}) {
        EXPECT_TRUE(transparentAt(x, y)) << x << ", " << y;
    }
    for (double degrees = -180; degrees < 180; degrees += 30) {
        const auto [x, y] = pixelOf({degrees, 0.93}, size, size);
        EXPECT_FALSE(transparentAt(x, y)) << "rim at " << degrees << "°";
    }
    // Under the mask a black pixel leaves the screen as it is; any other colour would tint it.
    for (std::size_t y = 0; y < size; ++y) {
        for (std::size_t x = 0; x < size; ++x) {
            if (transparentAt(x, y)) {
                const Colour c = colourAt(x, y);
                EXPECT_EQ(c.r + c.g + c.b, 0) << x << ", " << y;
            }
        }
    }
}

// 15 % points at (15 - 41.66) × 3.6 = -96°.
TEST_F(Icon, ReadsFifteenPerCentOverGreenAndRedSectors) {
    const struct {
        DialPoint where;
        Looks looks;
    } cases[] = {
        {{0, 0}, Looks::Red},           // hub
        {{-96, 0.35}, Looks::Red},      // needle
        {{-96, 0.55}, Looks::Red},      // needle
        {{-96, 0.7}, Looks::Red},       // needle
        {{96, 0.5}, Looks::LightFace},  // the mirror reading is bare
        {{0, 0.5}, Looks::LightFace},
        {{-135, 0.6}, Looks::PaleGreen},
        {{-70, 0.55}, Looks::PaleGreen},
        {{136, 0.6}, Looks::PaleRed},
        {{180, 0.6}, Looks::LightFace},
    };
    for (const auto& c : cases) {
        const auto [x, y] = pixelOf(c.where, size, size);
        EXPECT_FALSE(transparentAt(x, y));
        EXPECT_TRUE(looksLike(colourAt(x, y), c.looks))
            << c.where.degrees << "° r " << c.where.radius << " is " << colourAt(x, y) << ", not "
            << c.looks;
    }
}

class Cursor : public ::testing::Test {
protected:
    static constexpr std::size_t size = 32;
    static constexpr std::size_t paletteStart = directoryBytes + infoHeaderBytes;
    static constexpr std::size_t whiteStart = paletteStart + 2 * 4;
    static constexpr std::size_t maskStart = whiteStart + rowBytes(size, 1) * size;

    void SetUp() override {
        ASSERT_EQ(bytes.size(),
                  directoryBytes + infoHeaderBytes + 2 * 4 + 2 * rowBytes(size, 1) * size);
    }

    bool opaqueAt(std::size_t x, std::size_t y) const {
        return !bitAt(bytes, maskStart, size, size, x, y);
    }
    bool whiteAt(std::size_t x, std::size_t y) const {
        return bitAt(bytes, whiteStart, size, size, x, y);
    }

    const Bytes bytes = pictureBytes("hand.cur");
};

TEST_F(Cursor, MonochromeWithItsHotSpotTopLeft) {
    EXPECT_EQ(read16(bytes, 0), 0U);
    EXPECT_EQ(read16(bytes, 2), 2U);  // cursor
    EXPECT_EQ(read16(bytes, 4), 1U);
    EXPECT_EQ(bytes.at(6), size);
    EXPECT_EQ(bytes.at(7), size);
    EXPECT_EQ(read16(bytes, 10), 0U);  // hot spot x
    EXPECT_EQ(read16(bytes, 12), 0U);  // hot spot y
    EXPECT_EQ(read32(bytes, 14), bytes.size() - directoryBytes);
    EXPECT_EQ(read32(bytes, 18), directoryBytes);

    EXPECT_EQ(read32(bytes, 22), infoHeaderBytes);
    EXPECT_EQ(read32(bytes, 26), size);
    EXPECT_EQ(read32(bytes, 30), 2 * size);
    EXPECT_EQ(read16(bytes, 34), 1U);
    EXPECT_EQ(read16(bytes, 36), 1U);  // bits per pixel
    EXPECT_EQ(read32(bytes, 38), 0U);
    EXPECT_EQ(read32(bytes, paletteStart) & 0xFFFFFFU, 0x000000U);
    EXPECT_EQ(read32(bytes, paletteStart + 4) & 0xFFFFFFU, 0xFFFFFFU);
}

TEST_F(Cursor, FingertipIsTheHotSpot) {
    EXPECT_TRUE(opaqueAt(0, 0));
    // A finger pointing at the corner: only its narrow tip touches the top row and left column.
    for (std::size_t i = 5; i < size; ++i) {
        EXPECT_FALSE(opaqueAt(i, 0)) << "top row at " << i;
        EXPECT_FALSE(opaqueAt(0, i)) << "left column at " << i;
    }
}

TEST_F(Cursor, OneOutlinedPieceLeavingTheRestOfTheScreenAlone) {
    std::vector<bool> reached(size * size);
    std::vector<std::pair<std::size_t, std::size_t>> todo{{0, 0}};
    reached[0] = true;
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const std::size_t nx = x + static_cast<std::size_t>(dx);
                const std::size_t ny = y + static_cast<std::size_t>(dy);
                if (nx < size && ny < size && !reached[ny * size + nx] && opaqueAt(nx, ny)) {
                    reached[ny * size + nx] = true;
                    todo.emplace_back(nx, ny);
                }
            }
        }
    }
    int black = 0;
    int white = 0;
    for (std::size_t y = 0; y < size; ++y) {
        for (std::size_t x = 0; x < size; ++x) {
            if (!opaqueAt(x, y)) {
                // A set bit under the mask would invert the screen there.
                EXPECT_FALSE(whiteAt(x, y)) << x << ", " << y;
                continue;
            }
            EXPECT_TRUE(reached[y * size + x]) << "stray pixel at " << x << ", " << y;
            ++(whiteAt(x, y) ? white : black);
        }
    }
    EXPECT_GT(black, 40) << "no outline";
    EXPECT_GT(white, 40) << "no fill";
}

}  // namespace
}  // namespace dialvane
