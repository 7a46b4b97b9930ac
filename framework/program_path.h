#pragma once

#include <string>
#include <string_view>

namespace dialvane {

// A program file's folder and its name without the extension, from its full path.
struct ProgramPath {
    std::string folder;  // "C:\Tools", or "D:\" for a drive root
    std::string name;    // "gauge" for gauge.exe
};

// The extension is what follows the last dot of the file name: a dot in a folder's name
// ("C:\Users\john.doe\...") belongs to the folder.
ProgramPath splitProgramPath(std::string_view path);

}  // namespace dialvane
