#include "gauge/module1.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "framework/runtime_error.h"

namespace dialvane {
namespace {

// The system's counts are unsigned; the program's signed view of them does not change them.
std::uint64_t unsignedCount(std::int32_t count) {
    return static_cast<std::uint32_t>(count);
}

}  // namespace

Currency Module1::DiskTotalSpace(std::string_view drive, bool inGB, bool whole) {
    return space(drive, inGB, whole, Clusters::Total);
}

Currency Module1::DiskFreeSpace(std::string_view drive, bool inGB, bool whole) {
    return space(drive, inGB, whole, Clusters::Free);
}

std::optional<DriveBytes> Module1::DiskBytes(std::string_view drive) {
    const auto geometry = query(drive);
    if (!geometry) {
        return std::nullopt;
    }
    const std::uint64_t cluster =
        unsignedCount(geometry->sectorsPerCluster) * unsignedCount(geometry->bytesPerSector);
    const std::uint64_t total = unsignedCount(geometry->totalClusters);
    const std::uint64_t free = unsignedCount(geometry->freeClusters);
    // No drive holds 16 EB: a size beyond 64 bits is a nonsense answer, not a drive.
    if (cluster != 0 &&
        std::max(total, free) > std::numeric_limits<std::uint64_t>::max() / cluster) {
        return std::nullopt;
    }
    return DriveBytes{total * cluster, free * cluster};
}

std::optional<Module1::Geometry> Module1::query(std::string_view drive) {
    platform_.ChDrive(drive.substr(0, 2));
    Geometry geometry;
    // The null root path asks about the drive just made current.
    if (!platform_.GetDiskFreeSpaceA(geometry.sectorsPerCluster, geometry.bytesPerSector,
                                     geometry.freeClusters, geometry.totalClusters)) {
        return std::nullopt;
    }
    return geometry;
}

Currency Module1::space(std::string_view drive, bool inGB, bool whole, Clusters clusters) {
    const auto geometry = query(drive);
    if (!geometry) {
        return Currency{};
    }
    const std::int64_t bytesPerCluster =
        static_cast<std::int64_t>(geometry->bytesPerSector) * geometry->sectorsPerCluster;
    if (bytesPerCluster > std::numeric_limits<std::int32_t>::max() ||
        bytesPerCluster < std::numeric_limits<std::int32_t>::min()) {
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    }
    const Currency megabytesPerCluster =
        Currency::fromDouble(static_cast<double>(bytesPerCluster) / 1048576.0);
    const std::int32_t count =
        clusters == Clusters::Total ? geometry->totalClusters : geometry->freeClusters;
    Currency amount = Currency::fromInt32(count) * megabytesPerCluster;
    if (inGB) {
        amount = Currency::fromDouble(amount.toDouble() / 1024.0);
    }
    if (whole) {
        amount = amount.floorWhole();
    }
    return amount;
}

}  // namespace dialvane
