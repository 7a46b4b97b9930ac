#include "framework/pixels.h"

#include <gtest/gtest.h>

namespace dialvane {
namespace {

constexpr std::uint32_t opaque(std::uint8_t grey) {
    return 0xFF000000U | std::uint32_t{grey} << 16 | std::uint32_t{grey} << 8 | grey;
}

Pixels filled(int width, int height, std::uint32_t colour) {
    return {width, height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour)};
}

TEST(Resample, UniformStaysUniformAtAnySize) {
    const Pixels source = filled(148, 149, opaque(200));
    for (const int size : {53, 80, 148, 167}) {
        const Pixels target = resample(source, size, size);
        ASSERT_EQ(target.data.size(), static_cast<std::size_t>(size * size));
        for (const std::uint32_t pixel : target.data) {
            ASSERT_EQ(pixel, opaque(200)) << size;
        }
    }
}

TEST(Resample, ShrinkingAveragesWhatEachPixelCovers) {
    const Pixels source{2, 2, {opaque(0), opaque(100), opaque(200), opaque(100)}};
    EXPECT_EQ(resample(source, 1, 1).at(0, 0), opaque(100));
}

TEST(Resample, AThinLineSurvivesShrinkingAsAGreyLine) {
    Pixels source = filled(9, 9, opaque(255));
    for (int y = 0; y < 9; ++y) {
        source.data[static_cast<std::size_t>(y) * 9 + 4] = opaque(0);
    }
    const Pixels target = resample(source, 3, 3);
    EXPECT_EQ(target.at(1, 1), opaque(170));  // a third of the middle column is black
    EXPECT_EQ(target.at(0, 1), opaque(255));
}

TEST(Resample, GrowingInterpolatesBetweenNeighboursAndKeepsTheEnds) {
    const Pixels source{2, 1, {opaque(0), opaque(200)}};
    const Pixels target = resample(source, 4, 1);
    EXPECT_EQ(target.at(0, 0), opaque(0));
    EXPECT_EQ(target.at(1, 0), opaque(50));
    EXPECT_EQ(target.at(2, 0), opaque(150));
    EXPECT_EQ(target.at(3, 0), opaque(200));
}

TEST(Resample, TransparencyIsCarriedLikeAnyChannel) {
    const Pixels source{2, 1, {0x00000000U, opaque(255)}};
    EXPECT_EQ(resample(source, 1, 1).at(0, 0) >> 24, 128U);
}

TEST(Resample, EmptySizesGiveEmptyPictures) {
    EXPECT_TRUE(resample(filled(4, 4, opaque(1)), 0, 5).data.empty());
    EXPECT_EQ(resample(Pixels{}, 2, 2).data.size(), 4U);
}

}  // namespace
}  // namespace dialvane
