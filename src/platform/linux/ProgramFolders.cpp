#include "platform/linux/ProgramFolders.h"

#include <filesystem>

namespace warpix {

std::string programDataFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path installed = exe.parent_path().parent_path() / "share" / "warpix";
    if (fs::is_regular_file(installed / "warpix.htm", ec)) return installed.string();
  }
  if (fs::is_regular_file(fs::path(WARPIX_SOURCE_DATA_DIR) / "warpix.htm", ec)) return WARPIX_SOURCE_DATA_DIR;
  return WARPIX_DATA_DIR;
}

}  // namespace warpix
