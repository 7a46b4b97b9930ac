#include <cstddef>

#include "app/form1.h"
#include "app/settings_keys.h"

namespace dialvane {
namespace {

// Far beyond anything the program stores (a size, a count, a position, a mode), and short
// enough for any control to take at once: Wine's edit box needs seconds for 64 KiB.
constexpr std::size_t longestSetting = 255;

}  // namespace

// A store that cannot be read holds nothing, and a text too long to be a setting was not
// written by this program: either way the key reads as its default.
std::string Form1::stored(std::string_view key, std::string_view fallback) {
    std::string text;
    try {
        text = platform().GetSetting(settings::application, settings::section, key, fallback);
    } catch (const RuntimeError&) {
        return std::string(fallback);
    }
    return text.size() > longestSetting ? std::string(fallback) : text;
}

void Form1::save(std::string_view key, const std::string& value) {
    platform().SaveSetting(settings::application, settings::section, key, value);
}

}  // namespace dialvane
