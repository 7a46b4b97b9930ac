#include "framework/program_path.h"

#include <utility>

namespace dialvane {

ProgramPath splitProgramPath(std::string_view path) {
    const std::size_t separator = path.find_last_of("\\/");
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    std::string folder(path.substr(0, nameStart));
    // A drive root keeps its backslash ("D:\"); any other folder loses it.
    const bool driveRoot = folder.size() == 3 && folder[1] == ':';
    if (folder.size() > 1 && !driveRoot && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    std::string name(path.substr(nameStart));
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) {
        name.resize(dot);
    }
    return {std::move(folder), std::move(name)};
}

}  // namespace dialvane
