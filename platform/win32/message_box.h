#pragma once

#include <windows.h>

namespace dialvane::win32 {

// A handler that shows one of the program's modal boxes waits in it, while the box's message
// loop goes on delivering the window's messages; a close among them must not pull the window
// from under that handler.
bool messageBoxOpen();
// Ends the open boxes as their OK button would. A window given is sent WM_CLOSE again once
// the handler that opened the last of them has returned.
void endMessageBoxes(HWND closeAfterwards);

}  // namespace dialvane::win32
