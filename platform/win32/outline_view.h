#pragma once

#include <windows.h>

namespace dialvane::win32 {

// Whether anyone can see a child window: it is visible, and its middle lies within the edge
// and the outline of its top-level window (the round gauge keeps its options panel beyond its
// edge).
bool seenInOutline(HWND window, HWND child);

}  // namespace dialvane::win32
