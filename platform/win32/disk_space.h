// A volume's space as Windows 10 1809 and later tell it, the volume's apart from the caller's.
// GetDiskFreeSpaceEx gives a quota's limit as the volume's size where the caller has one.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zarnel::win32 {

// GetDiskSpaceInformationW's record, declared here: the toolchain's headers lack it.
struct DiskSpaceInformation {
    ULONGLONG ActualTotalAllocationUnits;
    ULONGLONG ActualAvailableAllocationUnits;
    ULONGLONG ActualPoolUnavailableAllocationUnits;
    ULONGLONG CallerTotalAllocationUnits;
    ULONGLONG CallerAvailableAllocationUnits;
    ULONGLONG CallerPoolUnavailableAllocationUnits;
    ULONGLONG UsedAllocationUnits;
    ULONGLONG TotalReservedAllocationUnits;
    ULONGLONG VolumeStorageReserveAllocationUnits;
    ULONGLONG AvailableCommittedAllocationUnits;
    ULONGLONG PoolAvailableAllocationUnits;
    DWORD SectorsPerAllocationUnit;
    DWORD BytesPerSector;
};
using GetDiskSpaceInformationW = HRESULT(WINAPI*)(LPCWSTR rootPath, DiskSpaceInformation* info);

// The three figures of GetDiskFreeSpaceEx.
struct DiskSpace {
    std::uint64_t availableToCaller = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
};

// The volume's whole size and free space, and what the caller may still fill of it: a quota's
// remainder where one is set.
DiskSpace spaceOf(const DiskSpaceInformation& information);

}  // namespace zarnel::win32
