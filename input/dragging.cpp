#include <algorithm>

#include "app/form1.h"
#include "app/settings_keys.h"
#include "framework/number_text.h"
#include "framework/numeric.h"
#include "framework/pointer_router.h"

namespace dialvane {
namespace {

// Closer than this to the left, top or bottom screen edge, the window sits flush on it.
constexpr std::int32_t snapDistance = 50;

}  // namespace

// Every press records where the pointer took hold and brings the credit line back; the right
// button also opens the options.
void Form1::Form_MouseDown(std::int16_t button, std::int16_t, float x, float y) {
    dragX = toInt32(x);
    dragY = toInt32(y);
    Label3.setCaption(std::string(creditLine));
    Label3.setForeColor(creditColour);
    if (button == PointerRouter::rightButton) {
        ShowOptions();
    }
}

// While any button is held the window follows the pointer; the right edge is left to the
// release.
void Form1::Form_MouseMove(std::int16_t button, std::int16_t, float x, float y) {
    if (button <= 0) {
        return;
    }
    std::int32_t newLeft = toInt32(static_cast<double>(left()) + x - dragX);
    if (newLeft < snapDistance) {
        newLeft = 0;
    }
    setLeft(static_cast<float>(newLeft));
    std::int32_t newTop = toInt32(static_cast<double>(top()) + y - dragY);
    if (newTop < snapDistance) {
        newTop = 0;
    }
    const double screen = platform().screenHeight();
    if (screen - snapDistance - height() < newTop) {
        newTop = toInt32(screen - height());
    }
    setTop(static_cast<float>(newTop));
}

// Saves the position as it was let go, then pulls the window back inside the monitors.
void Form1::Form_MouseUp(std::int16_t, std::int16_t, float, float) {
    const NumberFormat format = platform().numberFormat();
    MEMTOP.setCaption(singleToText(top(), format));
    MEMLeft.setCaption(singleToText(left(), format));
    save(settings::top, MEMTOP.caption());
    save(settings::left, MEMLeft.caption());
    // An emptied count has nothing to hold the window to; one below 1 would push it off
    // every screen.
    if (const auto count = parseNumber(Monis.text(), format)) {
        const double monitors = std::max(1.0, *count);
        const double screens = monitors * platform().screenWidth();
        const float limit = toSingle(screens);
        const float right = toSingle(static_cast<double>(width()) + left());
        if (limit < right) {
            setLeft(toSingle(screens - width()));
        }
    }
    keepInSight(true);
}

}  // namespace dialvane
