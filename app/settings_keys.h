#pragma once

#include <string_view>

namespace dialvane::settings {

// Where the instrument keeps its settings, as texts.
inline constexpr std::string_view application = "MEM";
inline constexpr std::string_view section = "Optionen";

inline constexpr std::string_view mode = "lblHDRAM.Caption";
inline constexpr std::string_view monitors = "Monis";
inline constexpr std::string_view size = "txtHeight";
inline constexpr std::string_view top = "MEMTOP";
inline constexpr std::string_view left = "MEMLeft";

}  // namespace dialvane::settings
