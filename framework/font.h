#pragma once

#include <string>

namespace dialvane {

enum class FontFamily { Sans, Serif };

// A font an element names for itself; an empty face means the framework's default font. The
// family guides the fallback where the face is missing.
struct Font {
    std::string face{};
    float points = 0;
    int weight = 400;
    FontFamily family = FontFamily::Sans;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace dialvane
