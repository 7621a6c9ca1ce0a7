#include "app/syshelpers/Disks.h"

#include <cstdio>

#include "app/syshelpers/Folders.h"
#include "base/StringUtils.h"
#include "platform/Platform.h"

namespace tarn {

bool GetDiskSpace(std::string_view path, int64_t& total, int64_t& free) {
  TDiskSpace space;
  if (!Platform().DiskFreeSpace(path, space)) return false;
  total = static_cast<int64_t>(space.Total);
  free = static_cast<int64_t>(space.TotalFree);
  return true;
}

int64_t GetDiskFree(std::string_view path, int unit) {
  int64_t total = 0;
  int64_t free = 0;
  GetDiskSpace(path, total, free);
  static constexpr double kDivisors[] = {1.0, 1024.0, 1048576.0, 1073741824.0};
  if (unit == 0) return free;
  if (unit < 1 || unit > 3) return 0;
  // Rounded through "%.0f" as the figure shown to the user is; the result keeps 64 bits, so a
  // large drive counted in kilobytes does not overflow.
  char text[64];
  std::snprintf(text, sizeof text, "%.0f", static_cast<double>(free) / kDivisors[unit]);
  return StrToIntDef(text, 0);
}

std::vector<std::string> GetDriveList() {
  return Platform().LogicalDriveStrings();
}

std::vector<std::string> GetFixedDrives() {
  std::vector<std::string> fixed;
  for (const auto& root : GetDriveList()) {
    const DriveType type = Platform().GetDriveType(root);
    if (type != DriveType::Removable && type != DriveType::CdRom) fixed.push_back(root);
  }
  return fixed;
}

std::string GetBestDrive(bool excludeSystem) {
  const std::vector<std::string> drives = GetFixedDrives();
  const std::string system = excludeSystem ? GetSystemDrive() : std::string();
  std::string best;
  int64_t most = 0;
  for (const auto& root : drives) {
    const int64_t free = excludeSystem && root == system ? 0 : GetDiskFree(root, 0);
    if (best.empty() || free > most) {
      best = root;
      most = free;
    }
  }
  return best;
}

}  // namespace tarn
