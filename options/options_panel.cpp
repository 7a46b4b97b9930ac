#include "app/form1.h"
#include "app/settings_keys.h"
#include "framework/number_text.h"

namespace dialvane {
namespace {

constexpr std::int16_t backspace = 8;

// Only digits and backspace reach a text box; everything else typed is dropped.
void keepDigits(std::int16_t& key) {
    if ((key < '0' || key > '9') && key != backspace) {
        key = 0;
    }
}

}  // namespace

void Form1::txtHeight_KeyPress(std::int16_t& KeyAscii) {
    keepDigits(KeyAscii);
}

void Form1::Monis_KeyPress(std::int16_t& KeyAscii) {
    keepDigits(KeyAscii);
}

// Saves the clamped size, the monitor count and the mode, then turns the view back into the
// round gauge of that size, sweeping up from zero.
void Form1::cmd_weiter_Click() {
    const NumberFormat format = platform().numberFormat();
    // Pasted text that is no number counts as an empty box.
    if (txtHeight.text().empty() || !parseNumber(txtHeight.text(), format)) {
        txtHeight.setText("1000");
    }
    if (textToDouble(txtHeight.text(), format) < 800) {
        txtHeight.setText("800");
    }
    if (textToDouble(txtHeight.text(), format) > 2500) {
        txtHeight.setText("2500");
    }
    save(settings::size, txtHeight.text());
    save(settings::monitors, Monis.text());
    save(settings::mode, lblHDRAM.caption());
    setPicture(Image2.picture());
    const float size = textToSingle(txtHeight.text(), format);
    setHeight(size);
    setWidth(size);
    Rund();
    reading = 0;
    RestartGauge();
}

}  // namespace dialvane
