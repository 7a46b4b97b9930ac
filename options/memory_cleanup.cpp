#include "app/form1.h"

namespace dialvane {
namespace {

constexpr Colour yellow{0xFFFF};

}  // namespace

void Form1::cmd_clear_Click() {
    CleanUpMemory();
}

// Empties the clipboard and says so; when the clipboard stays closed, nothing is claimed.
void Form1::CleanUpMemory() {
    if (!platform().clearClipboard(hWnd())) {
        throw RuntimeError(ErrorCode::ClipboardUnavailable, "Can't open Clipboard");
    }
    Label3.setCaption("Speicher aufgeräumt");
    Label3.setForeColor(yellow);
}

}  // namespace dialvane
