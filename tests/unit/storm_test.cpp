#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include "app/form1.h"
#include "framework/number_text.h"
#include "tests/support/fake_host.h"
#include "tests/support/fake_platform.h"

namespace dialvane {
namespace {

constexpr Colour grey = Colour::rgb(128, 128, 128);
constexpr Colour yellow{0xFFFF};
constexpr int pointerEvents = 100'000;

// The same storm every run, as unit tests are: one that leaves "01" monitors, so the last
// release has the screen's edge to keep to. DIALVANE_STORM_SEED blows another one.
std::uint32_t stormSeed() {
    if (const char* seed = std::getenv("DIALVANE_STORM_SEED")) {
        return static_cast<std::uint32_t>(std::strtoul(seed, nullptr, 10));
    }
    return 2;
}

// Random pointer events of every button and combination anywhere from -40000 to 40000 twips,
// typed characters and the timers in between, through the host as the window system would
// deliver them.
class Storm {
public:
    explicit Storm(std::uint32_t seed) : random_(seed) {
        platform.memoryLoad = 50;
        host.loadAndShow();
    }

    // One pointer event, maybe a typed character and some time; a description of what it did.
    std::string next() {
        std::ostringstream did;
        const auto [x, y] = position();
        const auto button = static_cast<std::int16_t>(1 << pick(0, 2));
        const auto shift = static_cast<std::int16_t>(pick(0, 7));
        switch (pick(0, 9)) {
            case 0:
            case 1:
                host.pointer().press(button, shift, x, y);
                did << "press " << button;
                break;
            case 2:
            case 3:
                host.pointer().release(button, shift, x, y);
                did << "release " << button;
                break;
            case 4:
                host.pointer().doubleClick(shift, x, y);
                did << "double-click";
                break;
            default:
                host.pointer().move(static_cast<std::int16_t>(pick(0, 7)), shift, x, y);
                did << "move";
                break;
        }
        did << " at " << x << ", " << y;
        if (pick(0, 9) == 0) {
            TextBox& box = pick(0, 1) == 0 ? form.txtHeight : form.Monis;
            const std::int16_t code = typed();
            host.type(box, code);
            did << ", typed " << code << " into " << box.name();
            ++keys;
        }
        host.advance(pick(0, 40));
        return did.str();
    }

    testing::FakePlatform platform;
    Form1 form{platform};
    testing::FakeHost host{form};
    int keys = 0;

private:
    int pick(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    // Mostly anywhere; one in four over the window itself, where the pictures are.
    std::pair<float, float> position() {
        if (pick(0, 3) == 0) {
            return {static_cast<float>(pick(0, static_cast<int>(form.width()))),
                    static_cast<float>(pick(0, static_cast<int>(form.height())))};
        }
        return {static_cast<float>(pick(-40'000, 40'000)),
                static_cast<float>(pick(-40'000, 40'000))};
    }
    // Backspace outweighs the digits, so the boxes stay short; Enter applies.
    std::int16_t typed() {
        switch (pick(0, 9)) {
            case 0:
            case 1:
            case 2:
                return static_cast<std::int16_t>('0' + pick(0, 9));
            case 3:
            case 4:
            case 5:
            case 6:
                return 8;
            case 7:
                return 13;
            default:
                return static_cast<std::int16_t>(pick(-32768, 32767));
        }
    }

    std::mt19937 random_;
};

TEST(PointerStorm, NothingFailsTheCreditLineHoldsAndOneReleaseBringsTheWindowBack) {
    const std::uint32_t seed = stormSeed();
    SCOPED_TRACE("DIALVANE_STORM_SEED=" + std::to_string(seed));
    Storm storm(seed);
    const Form1& form = storm.form;
    for (int event = 0; event < pointerEvents; ++event) {
        const std::string did = storm.next();
        const bool credit =
            form.Label3.caption() == Form1::creditLine && form.Label3.foreColor() == grey;
        const bool notice =
            form.Label3.caption() == "Speicher aufgeräumt" && form.Label3.foreColor() == yellow;
        if (form.lastError() || !(credit || notice)) {
            FAIL() << "event " << event << " (" << did << "): error "
                   << static_cast<int>(form.lastError().value_or(ErrorCode{})) << ", Label3 \""
                   << form.Label3.caption() << "\"";
        }
    }

    // Everything held is let go, then one drag far past the right edge and its release.
    for (const std::int16_t button : {1, 2, 4}) {
        storm.host.release(button, 0, 0);
    }
    const float x = 0;
    const float y = form.height() - 1;
    ASSERT_EQ(storm.host.pointer().imageAt(x, y), nullptr) << "a bare spot of the surface";
    storm.host.press(1, x, y);
    storm.host.move(1, x + 40'000, y);
    const float dragged = form.left();
    storm.host.release(1, x + 40'000, y);
    const auto monitors = parseNumber(form.Monis.text(), storm.platform.format);
    if (monitors) {
        EXPECT_LE(form.left() + form.width(), std::max(1.0, *monitors) * storm.platform.screenW)
            << "Monis " << form.Monis.text();
    } else {
        EXPECT_EQ(form.left(), dragged) << "no count, nothing to hold the window to";
    }
    EXPECT_FALSE(form.lastError().has_value());
    std::cout << "storm " << seed << ": " << pointerEvents << " pointer events, " << storm.keys
              << " keys, " << storm.host.now() / 1000 << " s of timers; Monis \""
              << form.Monis.text() << "\", size \"" << form.txtHeight.text() << "\"\n";
}

}  // namespace
}  // namespace dialvane
