#include "gauge/module1.h"

#include <cstdint>
#include <limits>

#include "framework/runtime_error.h"

namespace dialvane {

Currency Module1::DiskTotalSpace(std::string_view drive, bool inGB, bool whole) {
    return space(drive, inGB, whole, Clusters::Total);
}

Currency Module1::DiskFreeSpace(std::string_view drive, bool inGB, bool whole) {
    return space(drive, inGB, whole, Clusters::Free);
}

Currency Module1::space(std::string_view drive, bool inGB, bool whole, Clusters clusters) {
    platform_.ChDrive(drive.substr(0, 2));
    std::int32_t sectorsPerCluster = 0;
    std::int32_t bytesPerSector = 0;
    std::int32_t freeClusters = 0;
    std::int32_t totalClusters = 0;
    // The null root path asks about the drive just made current.
    if (!platform_.GetDiskFreeSpaceA(sectorsPerCluster, bytesPerSector, freeClusters,
                                     totalClusters)) {
        return Currency{};
    }
    const std::int64_t bytesPerCluster =
        static_cast<std::int64_t>(bytesPerSector) * sectorsPerCluster;
    if (bytesPerCluster > std::numeric_limits<std::int32_t>::max() ||
        bytesPerCluster < std::numeric_limits<std::int32_t>::min()) {
        throw RuntimeError(ErrorCode::Overflow, "Overflow");
    }
    const Currency megabytesPerCluster =
        Currency::fromDouble(static_cast<double>(bytesPerCluster) / 1048576.0);
    const std::int32_t count = clusters == Clusters::Total ? totalClusters : freeClusters;
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
