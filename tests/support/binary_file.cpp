#include "tests/support/binary_file.h"

#include <fstream>
#include <iterator>

namespace dialvane::testing {

Bytes readBinaryFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned read16(const Bytes& bytes, std::size_t at) {
    return bytes.at(at) | (static_cast<unsigned>(bytes.at(at + 1)) << 8U);
}

std::uint32_t read32(const Bytes& bytes, std::size_t at) {
    return read16(bytes, at) | (static_cast<std::uint32_t>(read16(bytes, at + 2)) << 16U);
}

}  // namespace dialvane::testing
