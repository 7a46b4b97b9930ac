#include "framework/pixels.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace dialvane {
namespace {

struct Tap {
    int index;
    float weight;
};

// The source pixels and weights that make up each target pixel along one axis.
std::vector<std::vector<Tap>> taps(int sourceLength, int targetLength) {
    std::vector<std::vector<Tap>> result(static_cast<std::size_t>(targetLength));
    const double scale = static_cast<double>(sourceLength) / targetLength;
    for (int t = 0; t < targetLength; ++t) {
        auto& row = result[static_cast<std::size_t>(t)];
        if (scale >= 1.0) {
            const double begin = t * scale;
            const double end = begin + scale;
            for (int s = static_cast<int>(begin); s < sourceLength && s < end; ++s) {
                const double covered = std::min<double>(end, s + 1) - std::max<double>(begin, s);
                if (covered > 0) {
                    row.push_back({s, static_cast<float>(covered / scale)});
                }
            }
        } else {
            const double centre = (t + 0.5) * scale - 0.5;
            const int low = static_cast<int>(std::floor(centre));
            const float fraction = static_cast<float>(centre - low);
            row.push_back({std::clamp(low, 0, sourceLength - 1), 1.0F - fraction});
            row.push_back({std::clamp(low + 1, 0, sourceLength - 1), fraction});
        }
    }
    return result;
}

using Channels = std::array<float, 4>;

Channels unpack(std::uint32_t pixel) {
    return {static_cast<float>(pixel & 0xFF), static_cast<float>(pixel >> 8 & 0xFF),
            static_cast<float>(pixel >> 16 & 0xFF), static_cast<float>(pixel >> 24 & 0xFF)};
}

std::uint32_t pack(const Channels& channels) {
    std::uint32_t pixel = 0;
    for (std::size_t c = 0; c < 4; ++c) {
        const auto value =
            static_cast<std::uint32_t>(std::clamp(std::lround(channels[c]), 0L, 255L));
        pixel |= value << (8 * c);
    }
    return pixel;
}

}  // namespace

Pixels resample(const Pixels& source, int width, int height) {
    Pixels target{width, height, {}};
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) {
        target.width = std::max(width, 0);
        target.height = std::max(height, 0);
        target.data.assign(static_cast<std::size_t>(target.width) * target.height, 0);
        return target;
    }
    const auto across = taps(source.width, width);
    const auto down = taps(source.height, height);

    // Horizontal pass into floats, then vertical pass into the target.
    std::vector<Channels> wide(static_cast<std::size_t>(width) * source.height);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < width; ++x) {
            Channels sum{};
            for (const Tap& tap : across[static_cast<std::size_t>(x)]) {
                const Channels pixel = unpack(source.at(tap.index, y));
                for (std::size_t c = 0; c < 4; ++c) {
                    sum[c] += pixel[c] * tap.weight;
                }
            }
            wide[static_cast<std::size_t>(y) * width + x] = sum;
        }
    }
    target.data.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Channels sum{};
            for (const Tap& tap : down[static_cast<std::size_t>(y)]) {
                const Channels& pixel = wide[static_cast<std::size_t>(tap.index) * width + x];
                for (std::size_t c = 0; c < 4; ++c) {
                    sum[c] += pixel[c] * tap.weight;
                }
            }
            target.data[static_cast<std::size_t>(y) * width + x] = pack(sum);
        }
    }
    return target;
}

}  // namespace dialvane
