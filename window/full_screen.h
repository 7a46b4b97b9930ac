#pragma once

#include "framework/platform.h"

namespace dialvane {

// Whether a program of another process has the gauge's monitor to itself: its foreground window
// fills that monitor, or Windows says a full-screen program or a presentation is on there.
bool fullScreenInFront(Platform& platform, WindowHandle gauge);

}  // namespace dialvane
