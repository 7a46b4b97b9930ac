#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "app/form1.h"
#include "app/settings_keys.h"
#include "framework/number_text.h"
#include "framework/numeric.h"

namespace dialvane {
namespace {

constexpr float smallestSize = 800;
constexpr float largestSize = 2500;
// The right margin left on the last monitor at start, whatever the window's width.
constexpr double startMargin = 1200;

}  // namespace

// A stored position that is not a single-precision number reads as the key's default.
float Form1::storedPosition(std::string_view key) {
    const NumberFormat format = platform().numberFormat();
    const auto value = parseNumber(stored(key, "1000"), format);
    if (!value || std::abs(*value) > std::numeric_limits<float>::max()) {
        return 1000;
    }
    return toSingle(*value);
}

// Restores the mode, monitor count, size and position, makes the window the round
// instrument on top of the others and starts the sweep.
void Form1::Form_Load() {
    const NumberFormat format = platform().numberFormat();

    lblHDRAM.setCaption(stored(settings::mode, "RAM"));
    if (lblHDRAM.caption() == "RAM") {
        imgDot0.setVisible(true);
        ImgDot1.setVisible(false);
    }
    if (lblHDRAM.caption() == "HD") {
        imgDot0.setVisible(false);
        ImgDot1.setVisible(true);
    }

    Monis.setText(stored(settings::monitors, "1"));
    if (!parseNumber(Monis.text(), format)) {
        Monis.setText("1");
    }
    if (textToDouble(Monis.text(), format) > 2) {
        Monis.setText("2");
    }

    txtHeight.setText(stored(settings::size, "1200"));
    if (!parseNumber(txtHeight.text(), format)) {
        txtHeight.setText("2220");
    }
    if (textToDouble(txtHeight.text(), format) < smallestSize) {
        txtHeight.setText("800");
    }
    if (textToDouble(txtHeight.text(), format) > largestSize) {
        txtHeight.setText("2500");
    }

    setPicture(Image2.picture());

    setTop(storedPosition(settings::top));
    setLeft(storedPosition(settings::left));
    if (top() < 0) {
        setTop(100);
    }
    // A count below one would push the window off every screen; the text stays as stored.
    const double monitors = std::max(1.0, textToDouble(Monis.text(), format));
    const float limit = toSingle(monitors * platform().screenWidth() - startMargin);
    if (limit < left()) {
        setLeft(limit);
    }

    const float size = textToSingle(txtHeight.text(), format);
    setWidth(size);
    setHeight(size);
    keepInSight(false);
    Rund();

    reading = 0;
    sweepCount = 0;
    PositionElemente();
    centrePivot();
    TopWindow(hWnd());
    StartSweep();
}

}  // namespace dialvane
