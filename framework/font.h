#pragma once

#include <string>

namespace dialvane {

// A font an element names for itself; an empty face means the system's default font.
struct Font {
    std::string face{};
    float points = 0;
    int weight = 400;
    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace dialvane
