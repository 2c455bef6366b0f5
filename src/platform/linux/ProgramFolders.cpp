#include "platform/linux/ProgramFolders.h"

#include <filesystem>

namespace warpix {

namespace {
std::filesystem::path executableFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe.parent_path();
}
}  // namespace

std::string programDataFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path exeFolder = executableFolder();
  if (!exeFolder.empty()) {
    const fs::path installed = exeFolder.parent_path() / "share" / "warpix";
    if (fs::is_regular_file(installed / "warpix.htm", ec)) return installed.string();
  }
  if (fs::is_regular_file(fs::path(WARPIX_SOURCE_DATA_DIR) / "warpix.htm", ec)) return WARPIX_SOURCE_DATA_DIR;
  return WARPIX_DATA_DIR;
}

std::string programSamplesFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path exeFolder = executableFolder();
  if (!exeFolder.empty()) {
    const fs::path installed = exeFolder.parent_path() / "share" / "warpix" / "samples";
    if (fs::is_directory(installed, ec)) return installed.string();
  }
  if (fs::is_directory(WARPIX_BUILD_SAMPLES_DIR, ec)) return WARPIX_BUILD_SAMPLES_DIR;
  return WARPIX_DATA_DIR "/samples";
}

}  // namespace warpix
