#pragma once

namespace dialvane {

// The pictures shipped with the program; the host maps each to its resource.
enum class PictureId {
    None,
    DialFace,
    OptionsBackground,
    Hub,
    DotRing,
    DotFilled,
    ExitCross,
};

// Pointer shapes an element can ask for.
enum class PointerId {
    Default,
    Hand,
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(PixelSize, PixelSize) = default;
};

}  // namespace dialvane
