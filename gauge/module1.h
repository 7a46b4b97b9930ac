#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "framework/currency.h"
#include "framework/platform.h"

namespace dialvane {

// A drive's size and free space in bytes.
struct DriveBytes {
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    friend bool operator==(const DriveBytes&, const DriveBytes&) = default;
};

// Drive space in megabytes (of 1,048,576 bytes) or gigabytes (of 1024 such megabytes),
// optionally rounded down to whole units. Both make the drive the process's current drive.
class Module1 {
public:
    explicit Module1(Platform& platform) : platform_(platform) {}

    Currency DiskTotalSpace(std::string_view drive, bool inGB, bool whole);
    Currency DiskFreeSpace(std::string_view drive, bool inGB, bool whole);
    // The exact bytes behind both, from one query of the same kind; nothing when it fails.
    std::optional<DriveBytes> DiskBytes(std::string_view drive);

private:
    struct Geometry {
        std::int32_t sectorsPerCluster = 0;
        std::int32_t bytesPerSector = 0;
        std::int32_t freeClusters = 0;
        std::int32_t totalClusters = 0;
    };
    enum class Clusters { Total, Free };
    Currency space(std::string_view drive, bool inGB, bool whole, Clusters clusters);
    std::optional<Geometry> query(std::string_view drive);

    Platform& platform_;
};

}  // namespace dialvane
