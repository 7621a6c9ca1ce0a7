// Drives and their free space, through the platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

// Total bytes and total free bytes of the drive (C:) or folder; false, with the outputs left as
// they were, when the query fails.
bool GetDiskSpace(std::string_view path, int64_t& total, int64_t& free);
// Free space in a unit: 0 bytes, 1 KB, 2 MB, 3 GB, rounded as "%.0f" rounds. 0 when the query
// fails (so a failed drive never looks roomier than a working one) or the unit is unknown.
int64_t GetDiskFree(std::string_view path, int unit);
// The roots of all drives ("A:\", "C:\", ...) in the system's order.
std::vector<std::string> GetDriveList();
// The drive roots that are neither removable nor CD-ROM.
std::vector<std::string> GetFixedDrives();
// The fixed drive with the most free space (the first of equals); with excludeSystem the
// system drive counts as empty. Empty text when there is no fixed drive at all.
std::string GetBestDrive(bool excludeSystem);

}  // namespace tarn
