#pragma once

#include <string_view>

#include "framework/currency.h"
#include "framework/platform.h"

namespace dialvane {

// Drive space in megabytes (of 1,048,576 bytes) or gigabytes (of 1024 such megabytes),
// optionally rounded down to whole units. Both make the drive the process's current drive.
class Module1 {
public:
    explicit Module1(Platform& platform) : platform_(platform) {}

    Currency DiskTotalSpace(std::string_view drive, bool inGB, bool whole);
    Currency DiskFreeSpace(std::string_view drive, bool inGB, bool whole);

private:
    enum class Clusters { Total, Free };
    Currency space(std::string_view drive, bool inGB, bool whole, Clusters clusters);

    Platform& platform_;
};

}  // namespace dialvane
