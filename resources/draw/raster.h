#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace dialvane::draw {

// Channels on the 0..255 scale, kept fractional until the file is written.
struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

Rgb mix(Rgb from, Rgb to, double t);

// What a scene shows at one sample point.
struct Paint {
    Rgb colour;
    double alpha = 0;
};

inline constexpr Paint nothing{};
inline Paint solid(Rgb colour) {
    return {colour, 1};
}
Paint over(Paint top, Paint below);

struct Point {
    double x = 0;
    double y = 0;
};

// A pixel averaged from its samples; the colour is premultiplied by the coverage.
struct Pixel {
    Rgb premultiplied;
    double alpha = 0;

    Rgb onto(Rgb matte) const;
    // The colour of the covered part alone, for edges that keep a hard mask.
    Rgb unblended() const;
};

struct Rgb8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(Rgb8, Rgb8) = default;
};

Rgb8 quantised(Rgb colour);

class Picture {
public:
    Picture(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    Pixel& at(int x, int y);
    const Pixel& at(int x, int y) const;

private:
    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

// Takes a point in pixel units, (0, 0) being the top-left corner of the picture.
using Scene = std::function<Paint(Point)>;

// Averages n × n samples per pixel, so edges stay smooth when the picture is stretched.
Picture render(int width, int height, int samplesPerAxis, const Scene& scene);

}  // namespace dialvane::draw
