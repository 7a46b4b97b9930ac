#include "app/form1.h"
#include "app/settings_keys.h"

namespace dialvane {

std::string Form1::stored(std::string_view key, std::string_view fallback) {
    return platform().GetSetting(settings::application, settings::section, key, fallback);
}

void Form1::save(std::string_view key, const std::string& value) {
    platform().SaveSetting(settings::application, settings::section, key, value);
}

}  // namespace dialvane
