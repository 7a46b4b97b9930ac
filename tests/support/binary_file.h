#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace dialvane::testing {

using Bytes = std::vector<std::uint8_t>;

// The whole file; empty when it cannot be read.
Bytes readBinaryFile(const std::filesystem::path& path);

// Little-endian fields, as the icon and GIF formats store them; bounds-checked.
unsigned read16(const Bytes& bytes, std::size_t at);
std::uint32_t read32(const Bytes& bytes, std::size_t at);

}  // namespace dialvane::testing
