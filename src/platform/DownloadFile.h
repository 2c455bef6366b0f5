#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace warpix {

// A download being written to a new file of its own beside the place it
// will take, readable by the user alone, so that nothing ever reads half
// of it: commit() renames the whole file into place, and a download that
// is dropped removes its file.
class DownloadFile {
 public:
  // Null when no file can be made beside `finalPath`.
  static std::unique_ptr<DownloadFile> create(const std::string& finalPath);

  virtual ~DownloadFile() = default;
  virtual bool write(std::string_view bytes) = 0;
  // Closes the file and renames it over `finalPath`; false (and the file
  // removed) when that fails.
  virtual bool commit() = 0;
  // Closes and removes the file; a committed file stays.
  virtual void discard() = 0;
  virtual const std::string& path() const = 0;
};

// Size of a regular file, or nothing when it cannot be opened.
std::optional<std::uint64_t> downloadedSize(const std::string& path);
// Removes the file if it is there.
void removeDownload(const std::string& path);

}  // namespace warpix
