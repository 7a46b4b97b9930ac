#include "framework/picture_decoding.h"

#include <limits>
#include <memory>

#include <stb_image.h>

namespace dialvane {
namespace {

using StbPixels = std::unique_ptr<stbi_uc, decltype(&stbi_image_free)>;

// stb_image takes the length as an int; no picture of ours comes near that.
bool readable(std::span<const std::uint8_t> file) {
    return !file.empty() &&
           file.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max());
}

// 0xAARRGGBB with the colour scaled by its alpha, as alpha blending wants it.
std::uint32_t premultiplied(const stbi_uc* rgba) {
    const std::uint32_t alpha = rgba[3];
    const auto scaled = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
    return alpha << 24 | scaled(rgba[0]) << 16 | scaled(rgba[1]) << 8 | scaled(rgba[2]);
}

}  // namespace

Pixels decodePicture(std::span<const std::uint8_t> file) {
    if (!readable(file)) {
        return {};
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const StbPixels rgba(stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width,
                                               &height, &channels, STBI_rgb_alpha),
                         &stbi_image_free);
    if (!rgba || width <= 0 || height <= 0) {
        return {};
    }
    Pixels pixels{width, height, {}};
    pixels.data.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < pixels.data.size(); ++i) {
        pixels.data[i] = premultiplied(rgba.get() + i * 4);
    }
    return pixels;
}

PixelSize pictureSize(std::span<const std::uint8_t> file) {
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!readable(file) || stbi_info_from_memory(file.data(), static_cast<int>(file.size()), &width,
                                                 &height, &channels) == 0) {
        return {};
    }
    return {width, height};
}

}  // namespace dialvane
