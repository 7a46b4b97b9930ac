// Start-up from whatever the settings store holds. The input's first byte picks the user's
// number format; the rest holds the texts under the size, monitor count, top, left and mode
// keys, one a line. Keys past the last line were never written.
//
// What start-up promises: it runs to its end; the window is square, 800 to 2500 twips, and the
// size text says so; the monitor count is a number up to two; the position is finite, at or
// below the top edge, left of the monitors' limit and in sight; the dot shown matches the mode.
// Closing saves texts that start the same gauge again.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "app/settings_keys.h"
#include "framework/number_text.h"
#include "framework/numeric.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"
#include "window/monitors.h"

namespace dialvane {
namespace {

constexpr std::array<std::string_view, 5> keys = {settings::size, settings::monitors, settings::top,
                                                  settings::left, settings::mode};

// Formats users have; the last, one separator for both, only a hand in the regional settings
// makes.
const std::array<NumberFormat, 6> formats = {{
    {".", ","},
    {",", "."},
    {",", "\u00a0"},
    {".", "'"},
    {",", " "},
    {".", "."},
}};

void require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "start-up broke its promise: %s\n", promise);
        std::abort();
    }
}

struct Started {
    std::string size, monitors, mode;
    float top, left, width;
    friend bool operator==(const Started&, const Started&) = default;
};

Started start(testing::FakePlatform& platform) {
    Form1 form(platform);
    testing::FakeHost host(form);
    host.loadAndShow();
    const NumberFormat& format = platform.format;

    require(!form.lastError().has_value() && form.Timer2.enabled(), "runs to its end");
    require(host.longestBoxText() <= 255, "no text box is handed more than a setting");

    const auto size = parseNumber(form.txtHeight.text(), format);
    require(size && *size >= 800 && *size <= 2500, "the size text is 800 to 2500");
    require(form.width() == toSingle(*size) && form.height() == form.width(),
            "the window has that size and is square");
    require(form.SecZ.y1() * 2 == form.height(), "the needle turns about the centre");

    const auto monitors = parseNumber(form.Monis.text(), format);
    require(monitors && *monitors <= 2, "the monitor count is a number up to two");

    require(std::isfinite(form.top()) && form.top() >= 0, "the top is finite and on the screen");
    const double limit = std::max(1.0, *monitors) * platform.screenW - 1200;
    require(std::isfinite(form.left()) && form.left() <= toSingle(limit),
            "the left edge is finite and within the monitors");
    require(
        inSight(platform.monitorAreas(), {form.left(), form.top(), form.width(), form.height()}),
        "a monitor shows the middle of the window");

    const bool hd = form.lblHDRAM.caption() == "HD";
    require(form.ImgDot1.visible() == hd && form.imgDot0.visible() == !hd,
            "the dot shown matches the mode");

    Started started{form.txtHeight.text(), form.Monis.text(), form.lblHDRAM.caption(), form.top(),
                    form.left(),           form.width()};
    require(host.close(), "closing is not refused");
    return started;
}

}  // namespace
}  // namespace dialvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dialvane;
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    testing::FakePlatform platform;
    platform.format = formats[static_cast<std::size_t>(data[0]) % formats.size()];
    std::size_t at = 1;
    for (const std::string_view key : keys) {
        if (at >= input.size()) {
            break;
        }
        const std::size_t end = std::min(input.find('\n', at), input.size());
        platform.store(std::string(key), std::string(input.substr(at, end - at)));
        at = end + 1;
    }

    const Started first = start(platform);
    require(start(platform) == first, "what closing saved starts the same gauge");
    return 0;
}
