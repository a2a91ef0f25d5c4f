#include "platform/win32/disk_space.h"

#include <algorithm>

#include "platform/byte_units.h"

namespace zarnel::win32 {

DiskSpace spaceOf(const DiskSpaceInformation& information) {
    const std::uint64_t unit =
        bytesOf(information.SectorsPerAllocationUnit, information.BytesPerSector);
    const std::uint64_t totalFree = bytesOf(information.ActualAvailableAllocationUnits, unit);
    return {.availableToCaller =
                std::min(bytesOf(information.CallerAvailableAllocationUnits, unit), totalFree),
            .total = bytesOf(information.ActualTotalAllocationUnits, unit),
            .totalFree = totalFree};
}

}  // namespace zarnel::win32
