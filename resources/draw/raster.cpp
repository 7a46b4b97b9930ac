#include "resources/draw/raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace dialvane::draw {

Rgb mix(Rgb from, Rgb to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t};
}

Paint over(Paint top, Paint below) {
    const double alpha = top.alpha + below.alpha * (1 - top.alpha);
    if (alpha <= 0) {
        return nothing;
    }
    const double belowShare = below.alpha * (1 - top.alpha) / alpha;
    return {mix(top.colour, below.colour, belowShare), alpha};
}

Rgb Pixel::onto(Rgb matte) const {
    const double rest = 1 - alpha;
    return {premultiplied.r + matte.r * rest, premultiplied.g + matte.g * rest,
            premultiplied.b + matte.b * rest};
}

Rgb Pixel::unblended() const {
    if (alpha <= 0) {
        return {};
    }
    return {premultiplied.r / alpha, premultiplied.g / alpha, premultiplied.b / alpha};
}

Rgb8 quantised(Rgb colour) {
    const auto channel = [](double value) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
    };
    return {channel(colour.r), channel(colour.g), channel(colour.b)};
}

Picture::Picture(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height)) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("picture without pixels");
    }
}

Pixel& Picture::at(int x, int y) {
    return pixels_.at(static_cast<std::size_t>(y * width_ + x));
}

const Pixel& Picture::at(int x, int y) const {
    return pixels_.at(static_cast<std::size_t>(y * width_ + x));
}

Picture render(int width, int height, int samplesPerAxis, const Scene& scene) {
    Picture picture(width, height);
    const double step = 1.0 / samplesPerAxis;
    const double weight = step * step;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Pixel sum;
            for (int j = 0; j < samplesPerAxis; ++j) {
                for (int i = 0; i < samplesPerAxis; ++i) {
                    const Paint paint = scene({x + (i + 0.5) * step, y + (j + 0.5) * step});
                    sum.premultiplied.r += paint.colour.r * paint.alpha * weight;
                    sum.premultiplied.g += paint.colour.g * paint.alpha * weight;
                    sum.premultiplied.b += paint.colour.b * paint.alpha * weight;
                    sum.alpha += paint.alpha * weight;
                }
            }
            picture.at(x, y) = sum;
        }
    }
    return picture;
}

}  // namespace dialvane::draw
