#pragma once

namespace dialvane::win32 {

// Resource numbers; dialvane.rc uses the same numbers.
inline constexpr int iconResource = 1;
inline constexpr int handCursorResource = 2;
inline constexpr int dialFaceResource = 101;
inline constexpr int optionsBackgroundResource = 102;
inline constexpr int hubResource = 103;
inline constexpr int dotRingResource = 104;
inline constexpr int dotFilledResource = 105;
inline constexpr int exitCrossResource = 106;

}  // namespace dialvane::win32
