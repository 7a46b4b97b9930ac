// Draws the program's pictures into a folder, or with --check tells whether the folder still
// holds exactly what this program draws.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>

#include "resources/draw/picture_files.h"

namespace {

using dialvane::draw::Bytes;

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string_view(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: dialvane_draw [--check] FOLDER\n";
        return EXIT_FAILURE;
    }
    const std::filesystem::path folder = argv[argc - 1];
    int failures = 0;
    for (const auto& file : dialvane::draw::pictureFiles()) {
        const auto path = folder / file.name;
        if (check) {
            if (readFile(path) != file.bytes) {
                std::cerr << path.string() << " differs from what is drawn now\n";
                ++failures;
            }
        } else if (!writeFile(path, file.bytes)) {
            std::cerr << "cannot write " << path.string() << '\n';
            ++failures;
        } else {
            std::cout << path.string() << " (" << file.bytes.size() << " bytes)\n";
        }
    }
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
