#pragma once

#include <string>
#include <vector>

#include "resources/draw/byte_writer.h"

namespace dialvane::draw {

struct PictureFile {
    std::string name;
    Bytes bytes;
};

// Every picture the program ships, drawn and encoded.
std::vector<PictureFile> pictureFiles();

}  // namespace dialvane::draw
